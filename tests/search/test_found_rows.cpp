// The rows of a search held as found: every text and fact given back, also once their memory
// is used again.
#include "search/found_rows.h"

#include <QTest>

using namespace kestrova;

class TestFoundRows : public QObject
{
    Q_OBJECT

private slots:
    void foundRowsKeepTextsAndFacts()
    {
        FoundRows rows;
        for (int round = 0; round < 2; ++round) {
            // Enough rows to fill several blocks, the last ones of whole huge pages, so that reuse
            // keeps one and adds more.
            for (int i = 0; i < 60000; ++i) {
                const QByteArray path = "/p/" + QByteArray::number(i + round);
                rows.add({path, i % 2 ? "" : "Type", "1/1/2020", "c.txt", i % 3 ? i : -1,
                          i % 3 ? 7 * i : 0},
                         i == 5);
            }
            QCOMPARE(rows.size(), 60000);
            for (int i = 0; i < 60000; ++i)
                QCOMPARE(rows.row(i).filePath, QByteArrayView("/p/" + QByteArray::number(i + round)));
            const RowTexts row = rows.row(59999);
            QCOMPARE(row.fileType, QByteArrayView(""));
            QCOMPARE(row.catalogueFile, QByteArrayView("c.txt"));
            QCOMPARE(row.size, 59999);
            QCOMPARE(row.modifiedNs, 7 * 59999);
            QCOMPARE(rows.row(0).size, -1);
            QCOMPARE(rows.row(0).fileType, QByteArrayView("Type"));
            QVERIFY(rows.marked(5) && !rows.marked(6));
            rows.reuse();
            QVERIFY(rows.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestFoundRows)
#include "test_found_rows.moc"
