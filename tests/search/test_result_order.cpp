#include "search/result_order.h"

#include <QTest>

using namespace kestrova;

class TestResultOrder : public QObject
{
    Q_OBJECT

private slots:
    void sortsByColumnTextIgnoringCaseAndKeepsArrivalOrder()
    {
        ResultTable table;
        table.append({"/b", "Text", "15/12/2003", "one"});
        table.append({"/A", "text", "02/01/2004", "two"});
        table.append({"/a", "TEXT", "01/01/2004", "three"});
        table.append({"/C", "Image", "02/01/2004", "four"});
        auto catalogues = [&] {
            QStringList result;
            for (qsizetype i = 0; i < table.size(); ++i)
                result << table.string(i, 3);
            return result;
        };
        table.sortBy(0);
        QCOMPARE(catalogues(), (QStringList{"two", "three", "one", "four"}));
        table.sortBy(1); // equal types keep the order they had
        QCOMPARE(catalogues(), (QStringList{"four", "two", "three", "one"}));
        table.sortBy(2); // dates sort as text: 02/01/2004 before 15/12/2003
        QCOMPARE(catalogues(), (QStringList{"three", "four", "two", "one"}));
        table.sortBy(2); // the same column again keeps ascending order
        QCOMPARE(catalogues(), (QStringList{"three", "four", "two", "one"}));
        QCOMPARE(table.string(0, 0), QStringLiteral("/a"));
    }

    void foldsNonAsciiCaseAndKeepsEmptyTexts()
    {
        ResultTable table;
        table.append({"/Éa", "", "", "x"});
        table.append({"/éB", "t", "", "y"});
        table.append({"/EZ", "t", "", "z"});
        table.sortBy(0);
        QCOMPARE(table.string(0, 3), QStringLiteral("z")); // E before É
        QCOMPARE(table.string(1, 3), QStringLiteral("x"));
        QCOMPARE(table.string(2, 3), QStringLiteral("y"));
        QCOMPARE(table.text(1, 1), QByteArrayView(""));
        table.clear();
        QVERIFY(table.isEmpty());
    }

    void namesSortAsTheLocaleCollatesThem()
    {
        ResultTable table;
        for (const char *path : {"/src", "/\xc3\x84rzte", "/zebra", "/apfel", "/\xc3\xa4rger"})
            table.append({path, "t", "", ""});
        table.sortBy(0, ResultTable::Order::Collated, QLocale(QStringLiteral("de_DE")));
        QStringList paths;
        for (qsizetype i = 0; i < table.size(); ++i)
            paths << table.string(i, 0);
        QCOMPARE(paths, (QStringList{"/apfel", "/\u00e4rger", "/\u00c4rzte", "/src", "/zebra"}));
    }
};

QTEST_GUILESS_MAIN(TestResultOrder)
#include "test_result_order.moc"
