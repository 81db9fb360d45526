// The rows of kestrova-cli search and find: held as found and ordered by their paths, they come
// out exactly as a ResultTable orders them, in the C locale and in a collating one.
#include "cli_rows.h"

#include <QTest>

using namespace kestrova;

namespace {

struct Written
{
    QString text;
    QTextStream out{&text};
    QTextStream err{&text};
    cli::Io io{out, err, false};
};

} // namespace

class TestCliRows : public QObject
{
    Q_OBJECT

private slots:
    void pathOrderIsTheTablesOrder()
    {
        // Case, accents, punctuation, digits, equal paths, a byte that is not UTF-8, an empty one.
        const QList<QByteArray> paths{
            "/b",  "/B",         "/a_b",          "/a-b", "/ab",  "/\xc3\xa9t\xc3\xa9", "/Ete", "/\xc3\x89t\xc3\xa9",
            "/10", "/9",         "/b",            "/\xffx", "",   "/z/\xc3\xa4",      "/Z/a", "/zz",
            "/a b", "/ab"};
        for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
            QLocale::setDefault(locale);
            ResultTable table;
            Written fromRows;
            Written fromTable;
            cli::RowOutput rowsOut(fromRows.io, ExportFormat::Tsv);
            cli::RowOutput tableOut(fromTable.io, ExportFormat::Tsv);
            cli::OrderedRows rows(0, nullptr);
            for (qsizetype i = 0; i < paths.size(); ++i) {
                const QByteArray catalogue = QByteArray::number(i);
                const RowTexts row{paths[i], "Text", "1/1/2020", catalogue};
                rows.add(row);
                table.append(row);
            }
            rows.sort();
            table.sortBy(0);
            rows.writeTo(rowsOut);
            for (qsizetype i = 0; i < table.size(); ++i)
                tableOut.write(table, i);
            rowsOut.finish();
            tableOut.finish();
            QCOMPARE(fromRows.text, fromTable.text);
            QCOMPARE(rows.count(), paths.size());
        }
        QLocale::setDefault(QLocale::c());
    }

    // Rows enough to be made into text in several slices on two threads, a CSV header before
    // them and a limit that ends inside a slice: the same text as written one row at a time.
    void manyRowsComeOutInOrderUpToTheLimit()
    {
        constexpr qint64 kLimit = 9001;
        Written fromRows;
        Written oneByOne;
        cli::RowOutput rowsOut(fromRows.io, ExportFormat::Csv, kLimit);
        cli::RowOutput tableOut(oneByOne.io, ExportFormat::Csv, kLimit);
        cli::OrderedRows rows(0, nullptr);
        ResultTable table;
        for (int i = 0; i < 12000; ++i) {
            const QByteArray path = "/d" + QByteArray::number((i * 7919) % 12007) + "/f,\"" + QByteArray::number(i);
            const QByteArray catalogue = QByteArray::number(i % 3);
            const RowTexts row{path, "Text", "1/1/2020", catalogue};
            rows.add(row);
            table.append(row);
        }
        rows.sort();
        table.sortBy(0);
        rows.writeTo(rowsOut);
        for (qsizetype i = 0; i < table.size(); ++i)
            tableOut.write(table, i);
        rowsOut.finish();
        tableOut.finish();
        QCOMPARE(fromRows.text.count(u'\n'), kLimit + 1);
        QCOMPARE(fromRows.text, oneByOne.text);
    }
};

QTEST_GUILESS_MAIN(TestCliRows)
#include "test_cli_rows.moc"
