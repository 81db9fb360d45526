#include "search/result_order.h"

#include <QTest>

using namespace kestrova;

class TestResultOrder : public QObject
{
    Q_OBJECT

private slots:
    void sortsByColumnTextIgnoringCaseAndKeepsArrivalOrder()
    {
        std::vector<ResultRow> rows = {
            {QStringLiteral("/b"), QStringLiteral("Text"), QStringLiteral("15/12/2003"), QStringLiteral("one")},
            {QStringLiteral("/A"), QStringLiteral("text"), QStringLiteral("02/01/2004"), QStringLiteral("two")},
            {QStringLiteral("/a"), QStringLiteral("TEXT"), QStringLiteral("01/01/2004"), QStringLiteral("three")},
            {QStringLiteral("/C"), QStringLiteral("Image"), QStringLiteral("02/01/2004"), QStringLiteral("four")},
        };
        auto catalogues = [&] {
            QStringList result;
            for (const ResultRow &row : rows)
                result << row.catalogueFile;
            return result;
        };
        sortRows(rows, 0);
        QCOMPARE(catalogues(), (QStringList{"two", "three", "one", "four"}));
        sortRows(rows, 1); // equal types keep the order they had
        QCOMPARE(catalogues(), (QStringList{"four", "two", "three", "one"}));
        sortRows(rows, 2); // dates sort as text: 02/01/2004 before 15/12/2003
        QCOMPARE(catalogues(), (QStringList{"three", "four", "two", "one"}));
        sortRows(rows, 2); // the same column again keeps ascending order
        QCOMPARE(catalogues(), (QStringList{"three", "four", "two", "one"}));
    }
};

QTEST_GUILESS_MAIN(TestResultOrder)
#include "test_result_order.moc"
