#include "cli_common.h"
#include "support/cli_run.h"
#include "support/files.h"
#include "support/temporary_cache.h"

#include "catalogue/catalogue_generator.h"
#include "platform/files/posix_file_system.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;

namespace {

using Run = testing::CliRun;
using testing::runCli;

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The indexes of the catalogues searched here go to a folder of the test's own.
        QVERIFY(m_cache.isValid());
    }

    void indexCommandBuildsWhatSearchesUse()
    {
        QTemporaryDir dir;
        // A catalogue large enough to be indexed, and a small one read whole.
        QByteArray big = "CATALOGUE Date: 12/6/2026\r\n";
        for (int folder = 0; folder < 2000; ++folder) {
            big += QByteArray(44, '=') + "\r\nFolder  /media/d/f" + QByteArray::number(folder) + "\r\n"
                   + QByteArray(44, '=') + "\r\n";
            for (int file = 0; file < 10; ++file)
                big += "name" + QByteArray::number(folder * 10 + file) + ".txt;Text Document;1/1/2020\r\n";
        }
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("big.txt")), big));
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("small.txt")), "a.txt;Text Document;1/1/2020\r\n"));
        // A search reads without building: the indexes are all still to be built after it.
        QCOMPARE(runCli({QStringLiteral("search"), dir.path(), QStringLiteral("name12345.")}).status, cli::Exit::Ok);
        const Run first = runCli({QStringLiteral("index"), dir.path()});
        QCOMPARE(first.status, cli::Exit::Ok);
        QVERIFY2(first.err.startsWith(QStringLiteral("indexes: 1 built, 0 up to date, 1 read whole, 0 failed; cache: ")
                                      + m_cache.path() + QStringLiteral("/kestrova")), qPrintable(first.err));
        QVERIFY(runCli({QStringLiteral("index"), dir.path()}).err.startsWith(QStringLiteral("indexes: 0 built, 1 up to date")));
        const Run indexed = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("name12345.")});
        QCOMPARE(indexed.out, QStringLiteral("/media/d/f1234/name12345.txt\tText Document\t1/1/2020\tbig.txt\n"));
        QCOMPARE(runCli({QStringLiteral("search"), dir.path(), QStringLiteral("name12345."), QStringLiteral("--no-index")}).out,
                 indexed.out);
        QCOMPARE(runCli({QStringLiteral("index"), dir.filePath(QStringLiteral("missing"))}).status, cli::Exit::Failed);

        // The catalogue deleted, --prune removes its index.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("big.txt"))));
        const Run pruned = runCli({QStringLiteral("index"), QStringLiteral("--prune")});
        QCOMPARE(pruned.status, cli::Exit::Ok);
        QVERIFY2(pruned.err.startsWith(QStringLiteral("indexes: 1 removed, 1 kept")), qPrintable(pruned.err)); // small.txt's
    }

    void generateWritesWhatTheGeneratorWrites()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("tree/sub"))));
        QFile file(dir.filePath(QStringLiteral("tree/sub/a.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        // A relative root is made absolute and cleaned; ".txt" is appended to the name.
        QDir::setCurrent(dir.path());
        const Run run = runCli({QStringLiteral("generate"), QStringLiteral("./tree/../tree/"),
                                QStringLiteral("cat")});
        QCOMPARE(run.status, cli::Exit::Ok);
        QCOMPARE(run.err, QString());
        const QByteArray written = testing::readAll(dir.filePath(QStringLiteral("cat.txt")));

        PosixFileSystem fs;
        const DateConventions dates;
        GenerationSink sink;
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(dir.filePath(QStringLiteral("tree"))),
                                                     dir.filePath(QStringLiteral("direct.txt")), sink);
        QCOMPARE(written, testing::readAll(dir.filePath(QStringLiteral("direct.txt"))));
        QVERIFY(written.contains("\r\nFolder  " + QFile::encodeName(dir.filePath(QStringLiteral("tree"))) + "\r\n"));
        // Its search index was written with it.
        const QByteArray indexName =
            QCryptographicHash::hash(QFile::encodeName(dir.filePath(QStringLiteral("cat.txt"))), QCryptographicHash::Sha1).toHex();
        QVERIFY(QFile::exists(m_cache.path() + QStringLiteral("/kestrova/") + QString::fromLatin1(indexName) + QStringLiteral(".index")));

        const Run upper = runCli({QStringLiteral("generate"), dir.filePath(QStringLiteral("tree")),
                                  dir.filePath(QStringLiteral("report.TXT"))});
        QCOMPARE(upper.status, cli::Exit::Ok);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("report.TXT.txt"))));
    }

    void factsGiveSizesFiltersAndDrives()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("tree"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("cats"))));
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("tree/big.dat")), QByteArray(3 * 1024 * 1024, 'x')));
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("tree/small.dat")), "x"));
        const QString cats = dir.filePath(QStringLiteral("cats"));
        QCOMPARE(runCli({QStringLiteral("generate"), dir.filePath(QStringLiteral("tree")), cats + QStringLiteral("/usb")}).status,
                 cli::Exit::Ok);
        QCOMPARE(runCli({QStringLiteral("generate"), QStringLiteral("--no-facts"), dir.filePath(QStringLiteral("tree")),
                         cats + QStringLiteral("/bare")}).status,
                 cli::Exit::Ok);
        QVERIFY(!QFile::exists(cats + QStringLiteral("/.kestrova/bare.txt.facts")));
        // CSV and JSON carry the sizes; the tab-separated form is as ever.
        const Run csv = runCli({QStringLiteral("search"), cats, QStringLiteral(".dat"), QStringLiteral("--format"), QStringLiteral("csv")});
        QVERIFY2(csv.out.startsWith(QStringLiteral("File Path,File Type,Created,Catalogue File,Size,Modified\r\n")), qPrintable(csv.out));
        QVERIFY(csv.out.contains(QStringLiteral(",bare.txt,,\r\n")));
        QVERIFY(csv.out.contains(QStringLiteral(",usb.txt,3145728,")));
        const Run json = runCli({QStringLiteral("search"), cats, QStringLiteral("small"), QStringLiteral("--format"), QStringLiteral("json")});
        QVERIFY(json.out.contains(QStringLiteral(",\"size\":1,\"modified\":\"")));
        QVERIFY(json.out.contains(QStringLiteral(",\"size\":null,\"modified\":null}")));
        QCOMPARE(runCli({QStringLiteral("search"), cats, QStringLiteral(".dat")}).out.count(u'\t'), 4 * 3);
        // Sizes filter; a size that is not known never passes.
        const Run big = runCli({QStringLiteral("search"), cats, QStringLiteral(".dat"), QStringLiteral("--min-size"), QStringLiteral("2M")});
        QCOMPARE(big.out.count(u'\n'), 1);
        QVERIFY(big.out.startsWith(dir.filePath(QStringLiteral("tree/big.dat"))));
        QCOMPARE(runCli({QStringLiteral("search"), cats, QStringLiteral(".dat"), QStringLiteral("--max-size"), QStringLiteral("1K")})
                     .out.count(u'\n'), 1);
        QCOMPARE(runCli({QStringLiteral("search"), cats, QStringLiteral(".dat"), QStringLiteral("--min-size"), QStringLiteral("lots")}).status,
                 cli::Exit::Failed);
        // A row per catalogue; the one without facts has what its own lines say.
        const Run drives = runCli({QStringLiteral("drives"), cats, QStringLiteral("--format"), QStringLiteral("csv")});
        QCOMPARE(drives.status, cli::Exit::Ok);
        const QStringList lines = drives.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith(QStringLiteral("bare.txt,,,,,,2,,")));
        QVERIFY2(lines[2].contains(QStringLiteral(",2,3145729,")), qPrintable(lines[2]));
    }

    void copiesListsSingleCopiesAndDuplicates()
    {
        QTemporaryDir dir;
        const QString cats = dir.filePath(QStringLiteral("cats"));
        QVERIFY(QDir().mkpath(cats));
        for (const QString &drive : {QStringLiteral("one"), QStringLiteral("two")}) {
            QVERIFY(QDir().mkpath(dir.filePath(drive + QStringLiteral("/sub"))));
            QVERIFY(testing::writeAll(dir.filePath(drive + QStringLiteral("/sub/shared, too.jpg")), "0123456789"));
            QVERIFY(testing::writeAll(dir.filePath(drive + QStringLiteral("/only-") + drive), drive.toUtf8()));
            QCOMPARE(runCli({QStringLiteral("generate"), dir.filePath(drive), cats + u'/' + drive}).status, cli::Exit::Ok);
        }
        const Run single = runCli({QStringLiteral("copies"), cats, QStringLiteral("--single")});
        QCOMPARE(single.status, cli::Exit::Ok);
        QCOMPARE(single.out, dir.filePath(QStringLiteral("one/only-one")) + QStringLiteral("\tFile\t3\tone.txt\t1\n")
                                 + dir.filePath(QStringLiteral("two/only-two")) + QStringLiteral("\tFile\t3\ttwo.txt\t1\n"));
        const Run csv = runCli({QStringLiteral("copies"), cats, QStringLiteral("--duplicates"), QStringLiteral("--format"),
                                QStringLiteral("csv")});
        QCOMPARE(csv.out, QStringLiteral("name,size,copies,catalogues,spare_bytes,type\r\n"
                                         "\"shared, too.jpg\",10,2,\"one.txt, two.txt\",10,JPEG image\r\n"));
        const Run under = runCli({QStringLiteral("copies"), cats, QStringLiteral("--single"), QStringLiteral("--under"),
                                  dir.filePath(QStringLiteral("one/sub"))});
        QCOMPARE(under.status, cli::Exit::Partial); // nothing under it lacks a second copy
        QCOMPARE(under.out, QString());
        for (const QStringList &wrong : {QStringList{QStringLiteral("copies"), cats},
                                         {QStringLiteral("copies"), cats, QStringLiteral("--single"), QStringLiteral("--duplicates")},
                                         {QStringLiteral("copies"), cats, QStringLiteral("--duplicates"), QStringLiteral("--under"),
                                          QStringLiteral("/x")},
                                         {QStringLiteral("copies"), dir.filePath(QStringLiteral("gone")), QStringLiteral("--single")},
                                         // Sizes are whole bytes.
                                         {QStringLiteral("copies"), cats, QStringLiteral("--single"), QStringLiteral("--min-size"), QStringLiteral("nan")},
                                         {QStringLiteral("copies"), cats, QStringLiteral("--single"), QStringLiteral("--min-size"), QStringLiteral("19.5")}})
            QCOMPARE(runCli(wrong).status, cli::Exit::Failed);
    }

    void missingRootGivesACompleteCatalogueAndStatusOne()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("gone"));
        const Run run = runCli({QStringLiteral("generate"), missing, dir.filePath(QStringLiteral("c.txt"))});
        QCOMPARE(run.status, cli::Exit::Partial);
        QCOMPARE(run.err, missing + QStringLiteral(": 76  Path not found\n"));
        QVERIFY(testing::readAll(dir.filePath(QStringLiteral("c.txt")))
                    .endsWith("TOTAL FODERS SCANNED: 0\r\nTOTAL FILES SCANNED: 0\r\n"));
        // A catalogue of that name already there is kept whole, and the run fails.
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("c.txt")), "a good catalogue"));
        const Run again = runCli({QStringLiteral("generate"), missing, dir.filePath(QStringLiteral("c.txt"))});
        QCOMPARE(again.status, cli::Exit::Failed);
        QVERIFY(again.err.startsWith(missing + QStringLiteral(": 76  Path not found\n")));
        QVERIFY(again.err.contains(QStringLiteral("the folder %1 could not be opened").arg(missing)));
        QCOMPARE(testing::readAll(dir.filePath(QStringLiteral("c.txt"))), QByteArray("a good catalogue"));
    }

    void badCatalogueNamesFailAndCreateNothing()
    {
        QTemporaryDir dir;
        const QString tree = dir.path();
        const Run inMissingFolder = runCli({QStringLiteral("generate"), tree,
                                            dir.filePath(QStringLiteral("nowhere/c.txt"))});
        QCOMPARE(inMissingFolder.status, cli::Exit::Failed);
        QVERIFY(inMissingFolder.err.contains(QStringLiteral("76  Path not found")));

        QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("folder.txt"))));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString &name : {QStringLiteral("folder.txt"), QStringLiteral("folder.txt/"), QString(tree + u'/')}) {
            const Run run = runCli({QStringLiteral("generate"), tree, name.startsWith(u'/') ? name : dir.filePath(name)});
            QCOMPARE(run.status, cli::Exit::Failed);
            QVERIFY(!run.err.isEmpty());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    void searchPrintsSortedRowsAndTheCount()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("tree/Sub"))));
        for (const char *name : {"tree/b.txt", "tree/Sub/A.txt", "tree/c.bin"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString catalogues = dir.filePath(QStringLiteral("catalogues"));
        QVERIFY(QDir().mkdir(catalogues));
        QCOMPARE(runCli({QStringLiteral("generate"), dir.filePath(QStringLiteral("tree")),
                         catalogues + QStringLiteral("/disk")}).status, cli::Exit::Ok);

        const Run run = runCli({QStringLiteral("search"), catalogues, QStringLiteral(".TXT")});
        QCOMPARE(run.status, cli::Exit::Ok);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QString tree = dir.filePath(QStringLiteral("tree"));
        QVERIFY(lines[0].startsWith(tree + QStringLiteral("/b.txt\t")));
        QVERIFY(lines[1].startsWith(tree + QStringLiteral("/Sub/A.txt\t")));
        QVERIFY(lines[1].endsWith(QStringLiteral("\tdisk.txt")));
        QCOMPARE(lines[1].split(u'\t').size(), 4);
        QCOMPARE(run.err, QStringLiteral("matched: 2\n"));

        const Run none = runCli({QStringLiteral("search"), catalogues, QStringLiteral(".TXT"), QStringLiteral("--case-sensitive")});
        QCOMPARE(none.status, cli::Exit::Partial);
        QCOMPARE(none.err, QStringLiteral("matched: 0\n"));
        const Run future = runCli({QStringLiteral("search"), catalogues, QStringLiteral("txt"), QStringLiteral("--after"),
                                   DateConventions().shortDate(QDate::currentDate().addDays(1))});
        QCOMPARE(future.status, cli::Exit::Partial);
    }

    void searchWithoutSortWritesRowsAsFound()
    {
        // Rows out of order within each catalogue, one found before its catalogue's first
        // heading (its folder is the one the catalogue before left), one with a TAB.
        QTemporaryDir dir;
        const QByteArray frame = QByteArray(44, '=') + "\r\n";
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("a.txt")),
                                  "CATALOGUE Date: 1/1/2024\r\n" + frame + "Folder  /m/z\r\n" + frame +
                                      "Zeta.hit;Text;1/2/2020\r\nalpha.hit;Text;1/3/2020\r\n" + frame +
                                      "Folder  /m/b\r\n" + frame + "tab\tbed.hit;Binary;1/4/2020\r\n"));
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("b.txt")),
                                  "carried.hit;Text;1/5/2020\r\n" + frame + "Folder  /m/a\r\n" + frame +
                                      "beta.hit;Text;1/6/2020\r\nmiss.txt;Text;1/6/2020\r\n"));
        const QString found = QStringLiteral("/m/z/Zeta.hit\tText\t1/2/2020\ta.txt\n"
                                             "/m/z/alpha.hit\tText\t1/3/2020\ta.txt\n"
                                             "/m/b/tab\\tbed.hit\tBinary\t1/4/2020\ta.txt\n"
                                             "/m/b/carried.hit\tText\t1/5/2020\tb.txt\n"
                                             "/m/a/beta.hit\tText\t1/6/2020\tb.txt\n");
        const auto sortedLines = [](const QString &text) {
            QStringList lines = text.split(u'\n');
            lines.sort();
            return lines;
        };
        for (const QString &reading : {QStringLiteral("--jobs=1"), QStringLiteral("--jobs=2"), QStringLiteral("--no-index")}) {
            const Run none = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("HIT"), QStringLiteral("--sort"),
                                     QStringLiteral("none"), reading});
            QCOMPARE(none.status, cli::Exit::Ok);
            QCOMPARE(none.out, found);
            QCOMPARE(none.err, QStringLiteral("matched: 5\n"));
            const Run sorted = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("HIT"), reading});
            QCOMPARE(sortedLines(sorted.out), sortedLines(found));
            QVERIFY(sorted.out.startsWith(QStringLiteral("/m/a/beta.hit\t")));
            const Run byType = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("HIT"), QStringLiteral("--sort"),
                                       QStringLiteral("type"), reading});
            QCOMPARE(byType.out, runCli({QStringLiteral("search"), dir.path(), QStringLiteral("HIT"),
                                         QStringLiteral("--sort-column"), QStringLiteral("1"), reading}).out);
            const Run csv = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("HIT"), QStringLiteral("--sort"),
                                    QStringLiteral("none"), QStringLiteral("--format"), QStringLiteral("csv"), reading});
            QVERIFY(csv.out.startsWith(QStringLiteral("File Path,File Type,Created,Catalogue File,Size,Modified\r\n"
                                                      "/m/z/Zeta.hit,Text,1/2/2020,a.txt,,\r\n")));
        }
        const Run nothing = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("absent"), QStringLiteral("--sort"),
                                    QStringLiteral("none")});
        QCOMPARE(nothing.status, cli::Exit::Partial);
        QVERIFY(nothing.out.isEmpty());
        const Run both = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("x"), QStringLiteral("--sort"),
                                 QStringLiteral("none"), QStringLiteral("--sort-column"), QStringLiteral("1")});
        QCOMPARE(both.status, cli::Exit::Failed);
        QCOMPARE(both.err, QStringLiteral("kestrova-cli search: give --sort or --sort-column, not both\n"));
        QCOMPARE(runCli({QStringLiteral("search"), dir.path(), QStringLiteral("x"), QStringLiteral("--sort"),
                         QStringLiteral("random")}).status, cli::Exit::Failed);
    }

    void searchFailuresAndUsage()
    {
        {
            // A catalogue that cannot be read is named on standard error; the others are read.
            QTemporaryDir dir;
            QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("good.txt")), "CATALOGUE Date: 1/1/2024\r\nhit.txt;Text;1/1/2024\r\n"));
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), dir.filePath(QStringLiteral("broken.txt"))));
            const Run run = runCli({QStringLiteral("search"), dir.path(), QStringLiteral("hit")});
            QCOMPARE(run.status, cli::Exit::Ok);
            QCOMPARE(run.err, dir.filePath(QStringLiteral("broken.txt")) + QStringLiteral(": 53  File not found\nmatched: 1\n"));
        }
        const Run noFolder = runCli({QStringLiteral("search"), QString(), QStringLiteral("x")});
        QCOMPARE(noFolder.status, cli::Exit::Failed);
        QCOMPARE(noFolder.err, QStringLiteral("Please make sure you have selected the folder with Catalogues files in it. or\n"
                                              "Alternatively, please set the Default Current Path before searching.\n"
                                              "matched: 0\n"));
        const Run missing = runCli({QStringLiteral("search"), QStringLiteral("/no/such/folder"), QStringLiteral("x")});
        QCOMPARE(missing.status, cli::Exit::Failed);
        QCOMPARE(missing.err, QStringLiteral("kestrova-cli search: /no/such/folder: 76  Path not found\nmatched: 0\n"));
        QCOMPARE(runCli({QStringLiteral("search"), QStringLiteral("/tmp"), QStringLiteral("x"), QStringLiteral("--after"),
                         QStringLiteral("someday")}).status, cli::Exit::Failed);
        QCOMPARE(runCli({QStringLiteral("search"), QStringLiteral("/tmp"), QStringLiteral("x"), QStringLiteral("--sort-column"),
                         QStringLiteral("4")}).status, cli::Exit::Failed);
    }

    void usageErrorsAndInformation()
    {
        QCOMPARE(runCli({}).status, cli::Exit::Failed);
        QCOMPARE(runCli({QStringLiteral("frobnicate")}).status, cli::Exit::Failed);
        QCOMPARE(runCli({QStringLiteral("generate"), QStringLiteral("/only-root")}).status, cli::Exit::Failed);
        const Run version = runCli({QStringLiteral("--version")});
        QCOMPARE(version.status, cli::Exit::Ok);
        QCOMPARE(version.out, QStringLiteral("kestrova-cli 1.4.0\n"));
        const Run help = runCli({QStringLiteral("generate"), QStringLiteral("--help")});
        QCOMPARE(help.status, cli::Exit::Ok);
        QVERIFY(help.out.startsWith(QStringLiteral("Usage: kestrova-cli generate [options] ROOT CATALOGUE\n")));
        // Empty criteria are a mistake, not a search without hits.
        const Run empty = runCli({QStringLiteral("search"), QStringLiteral("/tmp"), QString()});
        QCOMPARE(empty.status, cli::Exit::Failed);
        QCOMPARE(empty.err, QStringLiteral("kestrova-cli search: CRITERIA must not be empty\n"));
    }

    void compareReportsDifferencesAndExitsByThem()
    {
        QTemporaryDir dir;
        const QByteArray rule = "============================================\r\n";
        const QByteArray head = "CATALOGUE Date: 1/1/2024\r\n" + rule + rule + "Folder  /d\r\n" + rule;
        const QByteArray tail = "\r\n\r\n=============== END OF CATALOGUE =============================\r\n"
                                "TOTAL FODERS SCANNED: 1\r\nTOTAL FILES SCANNED: 2\r\n";
        const QString before = dir.filePath(QStringLiteral("before.txt"));
        const QString after = dir.filePath(QStringLiteral("after.txt"));
        const QString notes = dir.filePath(QStringLiteral("notes.txt"));
        QVERIFY(testing::writeAll(before, head + "a.txt;Text;1/1/2024\r\nb,c.txt;Text;1/1/2024\r\n" + rule
                                              + "Folder  /d/old\r\n" + rule + tail));
        QVERIFY(testing::writeAll(after, head + "a.txt;Text;2/2/2024\r\nnew.txt;Text;1/1/2024\r\n" + tail));
        QVERIFY(testing::writeAll(notes, "shopping list\n"));

        const Run same = runCli({QStringLiteral("compare"), before, before});
        QCOMPARE(same.status, cli::Exit::Ok);
        QCOMPARE(same.out, QString());
        QCOMPARE(same.err, QStringLiteral("0 added, 0 removed, 0 changed\n"));

        const Run changed = runCli({QStringLiteral("compare"), before, after});
        QCOMPARE(changed.status, cli::Exit::Partial);
        QCOMPARE(changed.out, QStringLiteral("~ /d/a.txt\tText\t1/1/2024\tText\t2/2/2024\tcreated 1/1/2024 → 2/2/2024\n"
                                             "- /d/b,c.txt\n+ /d/new.txt\n- /d/old/\n"));
        QCOMPARE(changed.err, QStringLiteral("1 added, 1 removed, 1 changed, 1 folder removed\n"));

        const Run csv = runCli({QStringLiteral("compare"), before, after, QStringLiteral("--format"), QStringLiteral("csv")});
        QVERIFY(csv.out.startsWith(QStringLiteral("Change,File Path,Old,New,Why\r\n~,/d/a.txt,Text;1/1/2024,Text;2/2/2024,"
                                                  "created 1/1/2024 → 2/2/2024\r\n-,\"/d/b,c.txt\",Text;1/1/2024,,\r\n")));
        // JSON: a side is an object with the keys of search's rows.
        const Run json = runCli({QStringLiteral("compare"), before, after, QStringLiteral("--format"), QStringLiteral("json")});
        QVERIFY2(json.out.startsWith(QStringLiteral(
                     "{\"change\":\"~\",\"path\":\"/d/a.txt\",\"old\":{\"type\":\"Text\",\"created\":\"1/1/2024\",\"size\":null,"
                     "\"modified\":null},\"new\":{\"type\":\"Text\",\"created\":\"2/2/2024\",\"size\":null,\"modified\":null},"
                     "\"why\":\"created 1/1/2024 → 2/2/2024\"}\n{\"change\":\"-\",\"path\":\"/d/b,c.txt\",\"old\":{")),
                 qPrintable(json.out));

        const Run refused = runCli({QStringLiteral("compare"), before, notes});
        QCOMPARE(refused.status, cli::Exit::Failed);
        QVERIFY(refused.err.contains(QStringLiteral("Not a catalogue")));
        QCOMPARE(runCli({QStringLiteral("compare"), before, dir.filePath(QStringLiteral("missing.txt"))}).status, cli::Exit::Failed);
        QCOMPARE(runCli({QStringLiteral("compare"), before, after, QStringLiteral("--root-as"), QStringLiteral("nothing")}).status,
                 cli::Exit::Failed);
    }

private:
    testing::TemporaryCacheHome m_cache;
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
