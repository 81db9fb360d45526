#include "catalogue/catalogue_comparison.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_generator.h"
#include "catalogue/content_checksum.h"
#include "platform/files/posix_file_system.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

#include <fcntl.h>
#include <unistd.h>

using namespace kestrova;

namespace {

const QByteArray kRule = "============================================";

// A catalogue as the generator writes it, from folders given as "path" followed by their file
// lines; end: the line end; complete: with the closing lines.
QByteArray catalogueText(const QList<QList<QByteArray>> &folders, const QByteArray &end = "\r\n", bool complete = true)
{
    QByteArray text = "CATALOGUE Date: 12/6/2026" + end + kRule + end;
    for (const QList<QByteArray> &folder : folders) {
        text += kRule + end + "Folder  " + folder.first() + end + kRule + end;
        for (qsizetype i = 1; i < folder.size(); ++i)
            text += folder[i] + end;
    }
    if (complete)
        text += end + end + "=============== END OF CATALOGUE =============================" + end
                + "TOTAL FODERS SCANNED: " + QByteArray::number(folders.size() - 1) + end + "TOTAL FILES SCANNED: 9" + end;
    return text;
}

struct Recorded final : DifferenceSink
{
    void difference(const Difference &d) override
    {
        static const char *marks[] = {"+ ", "- ", "~ ", "+ ", "- ", "= "};
        QByteArray line = marks[int(d.kind)] + d.path;
        if (d.kind == Difference::Kind::FolderAdded || d.kind == Difference::Kind::FolderRemoved)
            line += '/';
        if (d.kind == Difference::Kind::Changed)
            line += " (" + d.oldType + ";" + d.oldCreated + " -> " + d.newType + ";" + d.newCreated + ")";
        lines << QString::fromUtf8(line);
        if (d.reasons)
            why << QString::fromUtf8(reasonsText(d));
    }
    QStringList lines;
    QStringList why;
};

struct Pair
{
    QTemporaryDir dir;
    QString write(const QString &name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        if (!testing::writeAll(path, text))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    ComparisonResult compare(const QByteArray &before, const QByteArray &after, Recorded &sink,
                             const std::optional<ComparisonRoots> &roots = std::nullopt)
    {
        return compareCatalogues(write(QStringLiteral("old.txt"), before), write(QStringLiteral("new.txt"), after), sink, roots);
    }
};

} // namespace

class TestCatalogueComparison : public QObject
{
    Q_OBJECT

private slots:
    void eachKindOfDifference()
    {
        Pair pair;
        Recorded sink;
        const ComparisonResult result = pair.compare(
            catalogueText({{"/d", "a.txt;Text;1/1/2024", "b.txt;Text;1/1/2024", "c.txt;Text;1/1/2024"},
                           {"/d/gone", "x.jpg;JPEG;1/1/2024"},
                           {"/d/kept", "k;File;1/1/2024"}}),
            catalogueText({{"/d", "a.txt;Text;1/1/2024", "b.txt;Text;2/2/2024 3:04:05 PM", "d.txt;Text;1/1/2024"},
                           {"/d/kept", "k;File;1/1/2024"},
                           {"/d/new", "y.jpg;JPEG;1/1/2024"}}),
            sink);
        const QStringList expected = {"~ /d/b.txt (Text;1/1/2024 -> Text;2/2/2024 3:04:05 PM)", "- /d/c.txt", "+ /d/d.txt",
                                      "- /d/gone/", "- /d/gone/x.jpg", "+ /d/new/", "+ /d/new/y.jpg"};
        QCOMPARE(sink.lines, expected);
        QCOMPARE(result.added, quint64(2));
        QCOMPARE(result.removed, quint64(2));
        QCOMPARE(result.changed, quint64(1));
        QCOMPARE(result.foldersAdded, quint64(1));
        QCOMPARE(result.foldersRemoved, quint64(1));
        QCOMPARE(result.oldCatalogue.headerDate, QByteArray("12/6/2026"));
        QCOMPARE(result.newCatalogue.root, QByteArray("/d"));
        QCOMPARE(result.newCatalogue.folderTotal, QByteArray("2"));
        QVERIFY(result.oldCatalogue.complete && result.newCatalogue.complete);
    }

    void identicalCataloguesDifferInNothing()
    {
        Pair pair;
        Recorded sink;
        const QByteArray text = catalogueText({{"/d", "a;T;1/1/2024", "Folders.txt;Text;1/1/2024"}, {"/d/s", "b;T;1/1/2024"}});
        QVERIFY(!pair.compare(text, text, sink).any());
        QCOMPARE(sink.lines, QStringList());
    }

    void aFolderListedTwiceUnderOneHeadingComparesEqualWithItself()
    {
        // Folders "x<LF>y" and "x?y" are both written "x?y"; hand-made catalogues repeat too.
        Pair pair;
        Recorded sink;
        const QByteArray text = catalogueText(
            {{"/d"}, {"/d/x?y", "a;T;1/1/2024"}, {"/d/x?y", "b;T;1/1/2024"}, {"/d/z"}, {"/d/x?y", "c;T;1/1/2024"}});
        QVERIFY(!pair.compare(text, text, sink).any());
        QCOMPARE(sink.lines, QStringList());
        // One of the repeated folders gone: the last of them is the one missing.
        pair.compare(text, catalogueText({{"/d"}, {"/d/x?y", "a;T;1/1/2024"}, {"/d/x?y", "b;T;1/1/2024"}, {"/d/z"}}), sink);
        QCOMPARE(sink.lines, (QStringList{"- /d/x?y/", "- /d/x?y/c"}));
    }

    void aRenamedFolderIsARemovalAndAnAddition()
    {
        Pair pair;
        Recorded sink;
        pair.compare(catalogueText({{"/d"}, {"/d/Photos", "a.jpg;JPEG;1/1/2024"}}),
                     catalogueText({{"/d"}, {"/d/Pictures", "a.jpg;JPEG;1/1/2024"}}), sink);
        QCOMPARE(sink.lines, (QStringList{"- /d/Photos/", "- /d/Photos/a.jpg", "+ /d/Pictures/", "+ /d/Pictures/a.jpg"}));
    }

    void aTruncatedNewCatalogueSaysSo()
    {
        Pair pair;
        Recorded sink;
        QByteArray cut = catalogueText({{"/d", "a;T;1/1/2024"}, {"/d/s", "b;T;1/1/2024", "c;T;1/1/2024"}}, "\r\n", false);
        cut.chop(5); // ended part-way through a line
        const ComparisonResult result =
            pair.compare(catalogueText({{"/d", "a;T;1/1/2024"}, {"/d/s", "b;T;1/1/2024", "c;T;1/1/2024"}}), cut, sink);
        QVERIFY(!result.newCatalogue.complete);
        QVERIFY(result.oldCatalogue.complete);
        QCOMPARE(sink.lines, QStringList{"- /d/s/c"});
    }

    void lineEndsOfEveryKindCompareEqual()
    {
        Pair pair;
        const QList<QList<QByteArray>> folders = {{"/d", "a;T;1/1/2024"}, {"/d/s", "b;T;1/1/2024"}};
        for (const QByteArray end : {"\n", "\r"}) {
            Recorded sink;
            QVERIFY(!pair.compare(catalogueText(folders), catalogueText(folders, end), sink).any());
        }
    }

    void rootsMayDiffer()
    {
        Pair pair;
        const QByteArray before = catalogueText({{"/media/usb", "a;T;1/1/2024"}, {"/media/usb/s", "b;T;1/1/2024"}});
        const QByteArray after = catalogueText({{"/run/media/me/USB", "a;T;1/1/2024"}, {"/run/media/me/USB/s", "b;T;2/2/2024"}});
        Recorded byDefault;
        pair.compare(before, after, byDefault);
        QCOMPARE(byDefault.lines, QStringList{"~ /run/media/me/USB/s/b (T;1/1/2024 -> T;2/2/2024)"});
        // Named roots: the old catalogue's root folder below /media matches the new one's.
        Recorded named;
        pair.compare(before, catalogueText({{"/", "a;T;1/1/2024"}, {"/s", "b;T;1/1/2024"}}), named,
                     ComparisonRoots{"/media/usb", "/"});
        QCOMPARE(named.lines, QStringList());
    }

    // A time beyond what the facts hold (kept at either end) reads as unknown in why a file
    // changed, never as a date of 2262.
    void aTimeBeyondWhatTheFactsHoldIsUnknownInWhy()
    {
        Difference d{Difference::Kind::Changed, "/d/a", "Text", "", "Text", "", 5, 5,
                     std::numeric_limits<qint64>::max(), 1'765'000'000'000'000'000, Difference::Modified};
        QCOMPARE(reasonsText(d), QByteArray("modified unknown \xe2\x86\x92 2025-12-06T05:46:40Z"));
    }

    void namesThatAreNotUtf8AndNamesWithSemicolons()
    {
        Pair pair;
        Recorded sink;
        pair.compare(catalogueText({{"/d", "caf\xe9.txt;Text;1/1/2024", "a;b.txt;Text;1/1/2024"}}),
                     catalogueText({{"/d", "caf\xe9.txt;Text;3/3/2024", "a;b.txt;Text;1/1/2024"}}), sink);
        QCOMPARE(sink.lines.size(), 1);
        QVERIFY(sink.lines.first().startsWith(QString::fromUtf8("~ /d/caf\xef\xbf\xbd.txt (Text;1/1/2024")));
    }

    void foldersListedInAnotherOrderAreStillMatched()
    {
        Pair pair;
        Recorded sink;
        pair.compare(catalogueText({{"/d"}, {"/d/b", "x;T;1"}, {"/d/a", "y;T;1"}}),
                     catalogueText({{"/d"}, {"/d/a", "y;T;1"}, {"/d/b", "x;T;2"}}), sink);
        QCOMPARE(sink.lines, QStringList{"~ /d/b/x (T;1 -> T;2)"});
    }

    void notACatalogueIsRefused()
    {
        Pair pair;
        Recorded sink;
        const QString good = pair.write(QStringLiteral("good.txt"), catalogueText({{"/d"}}));
        const QString bad = pair.write(QStringLiteral("bad.txt"), "just some notes\n");
        try {
            compareCatalogues(good, bad, sink);
            QFAIL("a file that is no catalogue was compared");
        } catch (const Error &error) {
            QVERIFY(error.description().startsWith(QStringLiteral("Not a catalogue")));
        }
    }

    void aCopiedBackupIsNoChangeAndFilesNamedLikeTheTotalsAreFiles()
    {
        Pair pair;
        // With facts beside both: each file line's size and modification time, in order.
        const auto withFacts = [&](const QString &name, const QByteArray &text, const QList<qint64> &sizes) {
            const QString path = pair.write(name, text);
            FactsWriter facts(path, RunFacts{});
            qint64 lineAt = 0;
            qsizetype next = 0;
            for (const QByteArray &line : text.split('\n')) {
                if (line.contains(';'))
                    facts.add(lineAt, FileStat{{}, sizes.value(next++), 1'700'000'000'000'000'000});
                lineAt += line.size() + 1;
            }
            ContentChecksum sum;
            sum.add(text.constData(), text.size());
            if (!facts.finish(text.size(), sum.value()))
                qFatal("cannot write the facts of %s", qPrintable(path));
            return path;
        };
        const QString before = withFacts(QStringLiteral("before.txt"), catalogueText({{"/d", "TOTAL FILES SCANNED: 3;File;1/1/2024",
                                                                                       "a.txt;Text;1/1/2024", "b.txt;Text;1/1/2024"}}),
                                         {1, 5, 5});
        const QString after = withFacts(QStringLiteral("after.txt"), catalogueText({{"/d", "TOTAL FILES SCANNED: 3;Text;1/1/2024",
                                                                                     "a.txt;Text;3/3/2026", "b.txt;Text;3/3/2026"}}),
                                        {1, 5, 6});
        Recorded sink;
        const ComparisonResult result = compareCatalogues(before, after, sink);
        QCOMPARE(sink.lines, QStringList({QStringLiteral("~ /d/TOTAL FILES SCANNED: 3 (File;1/1/2024 -> Text;1/1/2024)"),
                                          QStringLiteral("= /d/a.txt"),
                                          QStringLiteral("~ /d/b.txt (Text;1/1/2024 -> Text;3/3/2026)")}));
        QCOMPARE(sink.why, QStringList({QStringLiteral("type File → Text"), QStringLiteral("created 1/1/2024 → 3/3/2026"),
                                        QStringLiteral("size 5 → 6; created 1/1/2024 → 3/3/2026")}));
        QCOMPARE(result.changed, 2u);
        QCOMPARE(result.createdOnly, 1u);
        QCOMPARE(result.newCatalogue.fileTotal, QByteArray("9")); // the totals after the end marker
    }

    void aRealTreeBeforeAndAfterChanges()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("tree"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/docs")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/old")));
        for (const char *name : {"docs/a.txt", "docs/b.txt", "old/c.txt", "top.txt"})
            QVERIFY(testing::writeAll(root + u'/' + QString::fromLatin1(name), "x"));
        PosixFileSystem fs;
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        GenerationSink quiet;
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(root), dir.filePath(QStringLiteral("before.txt")), quiet);
        QVERIFY(QFile::remove(root + QStringLiteral("/docs/b.txt")));
        QVERIFY(testing::writeAll(root + QStringLiteral("/docs/new.md"), "x"));
        QVERIFY(QDir(root + QStringLiteral("/old")).removeRecursively());
        QVERIFY(QDir().mkpath(root + QStringLiteral("/later")));
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(root), dir.filePath(QStringLiteral("after.txt")), quiet);

        Recorded sink;
        compareCatalogues(dir.filePath(QStringLiteral("before.txt")), dir.filePath(QStringLiteral("after.txt")), sink);
        const QStringList expected = {"- " + root + "/docs/b.txt", "+ " + root + "/docs/new.md", "+ " + root + "/later/",
                                      "- " + root + "/old/", "- " + root + "/old/c.txt"};
        QCOMPARE(sink.lines, expected);
    }
};

QTEST_GUILESS_MAIN(TestCatalogueComparison)
#include "test_catalogue_comparison.moc"
