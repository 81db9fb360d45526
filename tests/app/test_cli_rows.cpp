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

// The text of rows held and ordered by path as kestrova-cli orders them, and that of the same
// rows in a ResultTable sorted by path, written one at a time.
std::pair<QString, QString> writtenBothWays(const std::vector<RowTexts> &rows, ExportFormat format, qint64 limit = -1)
{
    Written fromRows;
    Written fromTable;
    cli::RowOutput rowsOut(fromRows.io, format, limit);
    cli::RowOutput tableOut(fromTable.io, format, limit);
    cli::OrderedRows held(0, nullptr);
    ResultTable table;
    for (const RowTexts &row : rows) {
        held.add(row);
        table.append(row);
    }
    held.sort();
    table.sortBy(0);
    held.writeTo(rowsOut);
    for (qsizetype i = 0; i < table.size(); ++i)
        tableOut.write(table, i);
    rowsOut.finish();
    tableOut.finish();
    return {fromRows.text, fromTable.text};
}

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
        std::vector<QByteArray> catalogues;
        for (qsizetype i = 0; i < paths.size(); ++i)
            catalogues.push_back(QByteArray::number(i));
        std::vector<RowTexts> rows;
        for (qsizetype i = 0; i < paths.size(); ++i)
            rows.push_back({paths[i], "Text", "1/1/2020", catalogues[size_t(i)]});
        for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
            QLocale::setDefault(locale);
            const auto [fromRows, fromTable] = writtenBothWays(rows, ExportFormat::Tsv);
            QCOMPARE(fromRows, fromTable);
            QCOMPARE(fromRows.count(u'\n'), paths.size());
        }
        QLocale::setDefault(QLocale::c());
    }

    // Rows enough to be made into text in several slices on two threads, a CSV header before
    // them and a limit that ends inside a slice: the same text as written one row at a time.
    void manyRowsComeOutInOrderUpToTheLimit()
    {
        constexpr qint64 kLimit = 9001;
        std::vector<QByteArray> texts; // paths and catalogue names
        for (int i = 0; i < 12000; ++i) {
            texts.push_back("/d" + QByteArray::number((i * 7919) % 12007) + "/f,\"" + QByteArray::number(i));
            texts.push_back(QByteArray::number(i % 3));
        }
        std::vector<RowTexts> rows;
        for (size_t i = 0; i < texts.size(); i += 2)
            rows.push_back({texts[i], "Text", "1/1/2020", texts[i + 1]});
        const auto [fromRows, oneByOne] = writtenBothWays(rows, ExportFormat::Csv, kLimit);
        QCOMPARE(fromRows.count(u'\n'), kLimit + 1);
        QCOMPARE(fromRows, oneByOne);
    }
};

QTEST_GUILESS_MAIN(TestCliRows)
#include "test_cli_rows.moc"
