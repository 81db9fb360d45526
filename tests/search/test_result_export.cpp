#include "search/result_export.h"

#include "platform/files/file_names.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <limits>

using namespace kestrova;

namespace {

ResultTable tableOf(const QList<QList<QByteArray>> &rows)
{
    ResultTable table;
    for (const QList<QByteArray> &row : rows)
        table.append({row[0], row[1], row[2], row[3]});
    return table;
}

QByteArray written(ExportFormat format, bool header, const ResultTable &table)
{
    const ResultWriter writer(format, header);
    QByteArray out = writer.begin();
    for (qsizetype row = 0; row < table.size(); ++row)
        writer.appendRow(out, table, row);
    return out;
}

} // namespace

class TestResultExport : public QObject
{
    Q_OBJECT

private slots:
    void csvQuotesOnlyWhatNeedsIt()
    {
        const ResultTable table = tableOf({{"/d/plain.txt", "Text", "1/2/2024 3:04:05 PM", "a.txt"},
                                           {"/d/a,b.txt", "Text", "1/2/2024", "say \"hi\".txt"},
                                           {"/d/caf\xc3\xa9.txt", "", "", "b.txt"}});
        QCOMPARE(written(ExportFormat::Csv, true, table),
                 QByteArray("File Path,File Type,Created,Catalogue File\r\n"
                            "/d/plain.txt,Text,1/2/2024 3:04:05 PM,a.txt\r\n"
                            "\"/d/a,b.txt\",Text,1/2/2024,\"say \"\"hi\"\".txt\"\r\n"
                            "/d/caf\xc3\xa9.txt,,,b.txt\r\n"));
    }

    void tabSeparatedIsTheCommandLinesForm()
    {
        const ResultTable table = tableOf({{"/d/a b.txt", "Text", "1/2/2024", "a.txt"}});
        QCOMPARE(written(ExportFormat::Tsv, false, table), QByteArray("/d/a b.txt\tText\t1/2/2024\ta.txt\n"));
        QCOMPARE(written(ExportFormat::Tsv, true, table),
                 QByteArray("File Path\tFile Type\tCreated\tCatalogue File\n/d/a b.txt\tText\t1/2/2024\ta.txt\n"));
        // Four fields a line, whatever the names hold.
        const ResultTable odd = tableOf({{"/d/tab\tx.txt", "Te\\xt", "1/2\r\n", "a\nb.txt"}});
        QCOMPARE(written(ExportFormat::Tsv, false, odd), QByteArray("/d/tab\\tx.txt\tTe\\\\xt\t1/2\\r\\n\ta\\nb.txt\n"));
        // Wherever in a long name they lie.
        for (const char c : {'\t', '\n', '\r', '\\'}) {
            for (const qsizetype at : {0, 15, 16, 31, 40}) {
                QByteArray path(41, 'p');
                path[at] = c;
                const QByteArray escape = c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\\\";
                QCOMPARE(written(ExportFormat::Tsv, false, tableOf({{path, "t", "", "c"}})),
                         QByteArray(path).replace(at, 1, escape) + "\tt\t\tc\n");
            }
        }
    }

    void jsonLinesRoundTripNamesThatAreNotUtf8()
    {
        const QByteArray oddName = "/d/caf\xe9 \"q\" \\ \xff\x01.txt";
        const ResultTable table = tableOf({{oddName, "Text", "1/2/2024", "\xe2\x82\xac.txt"},
                                           {"/d/\xf0\x9f\x99\x82.png", "PNG image", "", "c.txt"}});
        const QList<QByteArray> lines = written(ExportFormat::JsonLines, true, table).split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[2].isEmpty());
        QVERIFY(lines[0].contains("\\udce9") && lines[0].contains("\\udcff") && lines[0].contains("\\u0001"));
        for (int i = 0; i < 2; ++i) {
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
            const QJsonObject hit = document.object();
            QCOMPARE(hit.keys(), (QStringList{"catalogue", "created", "path", "type"}));
            // The escapes decode to the very bytes of the catalogue.
            QCOMPARE(encodeFileName(hit[QStringLiteral("path")].toString()), table.text(i, 0).toByteArray());
            QCOMPARE(encodeFileName(hit[QStringLiteral("catalogue")].toString()), table.text(i, 3).toByteArray());
        }
    }

    // A time beyond what the facts hold (kept at either end) is not the file's: written as not
    // known, never as a date of 1677 or 2262.
    void timesBeyondWhatTheFactsHoldAreNotKnown()
    {
        ResultTable table;
        table.append({"/d/future.txt", "Text", "", "a.txt", 5, std::numeric_limits<qint64>::max()});
        table.append({"/d/past.txt", "Text", "", "a.txt", 6, std::numeric_limits<qint64>::min()});
        table.append({"/d/now.txt", "Text", "", "a.txt", 7, 1'765'000'000'000'000'000});
        const auto form = [&](ExportFormat format) {
            const ResultWriter writer(format, false, {}, true);
            QByteArray out;
            for (qsizetype row = 0; row < table.size(); ++row)
                writer.appendRow(out, table, row);
            return out;
        };
        QCOMPARE(form(ExportFormat::Csv), QByteArray("/d/future.txt,Text,,a.txt,5,\r\n/d/past.txt,Text,,a.txt,6,\r\n"
                                                     "/d/now.txt,Text,,a.txt,7,2025-12-06T05:46:40Z\r\n"));
        const QList<QByteArray> json = form(ExportFormat::JsonLines).split('\n');
        QVERIFY(json[0].endsWith("\"size\":5,\"modified\":null}") && json[1].endsWith("\"modified\":null}"));
        QVERIFY(json[2].endsWith("\"modified\":\"2025-12-06T05:46:40Z\"}"));
    }

    void formatsByName()
    {
        QCOMPARE(exportFormatNamed(u"csv"), std::optional(ExportFormat::Csv));
        QCOMPARE(exportFormatNamed(u"json"), std::optional(ExportFormat::JsonLines));
        QCOMPARE(exportFormatNamed(u"tsv"), std::optional(ExportFormat::Tsv));
        QVERIFY(!exportFormatNamed(u"xml"));
    }
};

QTEST_GUILESS_MAIN(TestResultExport)
#include "test_result_export.moc"
