#include "search/catalogue_search.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_generator.h"
#include "platform/files/posix_file_system.h"
#include "support/fake_file_system.h"
#include "support/recording_search_view.h"
#include "support/reference_search.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

using namespace kestrova;
using testing::RecordingSearchView;

namespace {

const QByteArray kRule = "============================================";

// The worked catalogue, with a README beside the two text files.
const QByteArray kDocs = "CATALOGUE Date: 12/6/2026\r\n" + kRule + "\r\n" + kRule + "\r\n"
                         "Folder  D:\\Docs\r\n" + kRule + "\r\n"
                         "a.txt;Text Document;3/1/2024 9:15:00 AM\r\n"
                         "b.txt;Text Document;1/5/2024 11:02:10 AM\r\n"
                         "README.TXT;Text Document;3/1/2024\r\n" + kRule + "\r\n"
                         "Folder  D:\\Docs\\Empty\r\n" + kRule + "\r\n" + kRule + "\r\n"
                         "Folder  D:\\Docs\\Photos\r\n" + kRule + "\r\n"
                         "x.jpg;JPEG Image;2/14/2024 8:00:00 PM\r\n\r\n\r\n"
                         "=============== END OF CATALOGUE =============================\r\n"
                         "TOTAL FODERS SCANNED: 2\r\nTOTAL FILES SCANNED: 4\r\n";

// A folder of catalogue files and a search over it, under a United States English locale.
struct Fixture
{
    Fixture()
        : search(session, view, dates, [this] { return currentPath; },
                 [] { return std::make_unique<PosixFileSystem>(); })
    {
        currentPath = folder.path();
    }

    void write(const QString &name, const QByteArray &content)
    {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    SearchOutcome find(const QString &criteria, bool caseSensitive = false)
    {
        view.criteria = criteria;
        view.caseSensitiveOn = caseSensitive;
        return search.cmdSearch_Click();
    }

    QTemporaryDir folder;
    QString currentPath;
    SearchSession session;
    RecordingSearchView view;
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    CatalogueSearch search;
};

QStringList referencePaths(const QByteArray &content, const QString &criteria, bool caseSensitive)
{
    return testing::referenceSearch(content, criteria, caseSensitive).paths;
}

} // namespace

class TestCatalogueSearch : public QObject
{
    Q_OBJECT

private slots:
    void findsInTheWorkedCatalogue()
    {
        Fixture f;
        f.write(QStringLiteral("cd1.txt"), kDocs);
        QCOMPARE(f.find(QStringLiteral("readme")), SearchOutcome::Completed);
        QCOMPARE(f.view.paths(), QStringList{QStringLiteral("D:\\Docs/README.TXT")});
        const auto row = f.view.rows().front();
        QCOMPARE(row.fileType, QStringLiteral("Text Document"));
        QCOMPARE(row.created, QStringLiteral("3/1/2024"));
        QCOMPARE(row.catalogueFile, QStringLiteral("cd1.txt"));
        QCOMPARE(f.view.countText, QStringLiteral("1"));
        QCOMPARE(f.view.captions, (QStringList{searchingCaption(), finishedCaption()}));
        QVERIFY(f.view.sorted);

        f.find(QStringLiteral("readme"), true);
        QVERIFY(f.view.rows().empty());
        QCOMPARE(f.view.countText, QString()); // nothing accepted: the panel stays empty

        f.find(QStringLiteral("Text Doc"));
        QCOMPARE(f.view.paths(), (QStringList{"D:\\Docs/a.txt", "D:\\Docs/b.txt", "D:\\Docs/README.TXT"}));
        f.find(QStringLiteral("txt;Text"));
        QCOMPARE(f.view.rows().size(), size_t(3));
        f.find(QStringLiteral("2024"));
        QCOMPARE(f.view.rows().size(), size_t(4));
        QCOMPARE(f.view.countText, QStringLiteral("4"));
        // Folder headings are never tested.
        f.find(QStringLiteral("Docs"));
        QVERIFY(f.view.rows().empty());
    }

    // The header and the end marker hold "catalogue": accepted and counted, but no row.
    void headerAndEndMarkerCountWithoutRows()
    {
        Fixture f;
        f.write(QStringLiteral("one.txt"), kDocs);
        f.write(QStringLiteral("two.txt"), kDocs);
        f.find(QStringLiteral("catalogue"));
        QVERIFY(f.view.rows().empty());
        QCOMPARE(f.session.MatchCount, 4);
        QCOMPARE(f.view.countText, QStringLiteral("4"));
        QCOMPARE(f.view.colourChanges, 4);
        QCOMPARE(f.view.colour, IndicatorColour::Red);
    }

    void dateFilterIsStrictlyLater()
    {
        Fixture f;
        f.write(QStringLiteral("cd1.txt"), kDocs);
        f.view.dateFilter = true;
        f.session.FilterDateText = QStringLiteral("3/1/2024");
        f.find(QStringLiteral(".txt"));
        // 9:15 on the day passes; README.TXT, created exactly at that midnight, does not.
        QCOMPARE(f.view.paths(), QStringList{QStringLiteral("D:\\Docs/a.txt")});
        f.session.FilterDateText = QStringLiteral("2/29/2024");
        f.find(QStringLiteral(".txt"));
        QCOMPARE(f.view.rows().size(), size_t(2));
        f.session.FilterDateText = QStringLiteral("3/2/2024");
        f.find(QStringLiteral(".txt"));
        QVERIFY(f.view.rows().empty());
        f.session.FilterDateText = QString();
        f.find(QStringLiteral(".txt"));
        QVERIFY(f.view.rows().empty());
        QCOMPARE(f.session.MatchCount, 0);
    }

    // Catalogues written under five conventions, with facts and without, searched together
    // under two other locales with one filter date: each catalogue's created texts read as it
    // wrote them. One whose dates no convention reads is named once.
    void cataloguesFromOtherLanguagesReadTheirOwnDates()
    {
        Fixture f;
        testing::FakeFileSystem tree;
        // Days before and past the 12th, hours before and after noon, a midnight.
        const QList<QDateTime> created = {{QDate(2003, 6, 13), QTime(23, 5, 1)}, {QDate(2003, 6, 14), QTime(0, 0)},
                                          {QDate(2003, 6, 14), QTime(9, 30)}, {QDate(2003, 12, 25), QTime(13, 0)},
                                          {QDate(2004, 2, 1), QTime(11, 59, 59)}};
        for (qsizetype i = 0; i < created.size(); ++i)
            tree.addFile("/d", "file" + QByteArray::number(i) + ".txt", QStringLiteral("Text"), created[i]);
        QStringList expected;
        for (const char *locale : {"en_US", "en_GB", "de_DE", "fr_FR", "sv_SE"}) {
            for (const bool withFacts : {true, false}) {
                const QString name = QString::fromLatin1(locale) + (withFacts ? QString() : QStringLiteral("-bare")) + QStringLiteral(".txt");
                std::optional<FactsWriter> facts;
                if (withFacts)
                    facts.emplace(f.folder.filePath(name), RunFacts{});
                GenerationSink sink;
                const DateConventions writer{QLocale(QString::fromLatin1(locale))};
                CatalogueGenerator(tree, writer).WriteCatalogue("/d", f.folder.filePath(name), sink, QDate(2026, 12, 8),
                                                                facts ? &*facts : nullptr);
                for (qsizetype i = 0; i < created.size(); ++i)
                    if (created[i] > QDateTime(QDate(2003, 6, 14), QTime(0, 0)))
                        expected << name + QStringLiteral(" /d/file%1.txt").arg(i);
            }
        }
        f.write(QStringLiteral("odd.txt"), "CATALOGUE Date: someday\r\nfile8.txt;Text;sometime\r\nfile9.txt;Text;later\r\n");
        expected.sort();
        for (const char *reader : {"de_DE", "en_US"}) {
            const DateConventions dates{QLocale(QString::fromLatin1(reader))};
            CatalogueSearch search(f.session, f.view, dates, [&] { return f.folder.path(); },
                                   [] { return std::make_unique<PosixFileSystem>(); });
            f.view.messages.clear();
            f.view.criteria = QStringLiteral("file");
            f.view.dateFilter = true;
            f.session.FilterDateText = dates.shortDate(QDate(2003, 6, 14));
            search.cmdSearch_Click();
            QStringList found;
            for (const auto &row : f.view.rows())
                found << row.catalogueFile + u' ' + row.filePath;
            found.sort();
            QCOMPARE(found, expected);
            QCOMPARE(f.view.messages, QStringList{unreadableDatesMessage(QStringLiteral("odd.txt"))});
        }
    }

    void oddLines()
    {
        Fixture f;
        f.write(QStringLiteral("odd.txt"),
                "x;y\r\n"                                           // before any folder line
                + kRule + "\r\nFolder  /\r\n" + kRule + "\r\n"
                "a;b.txt;Text Document;3/1/2024 9:15:00 AM\r\n"     // a ";" in the name
                "e.txt;;3/1/2024 9:15:00 AM\r\n");                  // no type
        f.session.CurrentFolder = "/left/by/the/last/search";
        f.find(QStringLiteral("a"));
        // The root: one separator. The name is all before the last two ";".
        QCOMPARE(f.view.paths(), QStringList{QStringLiteral("/a;b.txt")});
        QCOMPARE(f.view.rows().front().fileType, QStringLiteral("Text Document"));
        QCOMPARE(f.view.rows().front().created, QStringLiteral("3/1/2024 9:15:00 AM"));
        QCOMPARE(f.session.MatchCount, 2);
        // And the date filter reads its created text.
        f.view.dateFilter = true;
        f.session.FilterDateText = QStringLiteral("2/29/2024");
        f.find(QStringLiteral("b.txt"));
        QCOMPARE(f.view.paths(), QStringList{QStringLiteral("/a;b.txt")});
        f.view.dateFilter = false;
        f.find(QStringLiteral("x;y"));
        QCOMPARE(f.view.paths(), QStringList{QStringLiteral("/x")}); // CurrentFolder carried over
        QCOMPARE(f.view.rows().front().created, QString());
    }

    // A file named "Folders.txt" first in its folder stays a file line.
    void foldersTxtIsNotAHeading()
    {
        Fixture f;
        f.write(QStringLiteral("c.txt"), kRule + "\r\n" + kRule + "\r\nFolder  /data\r\n" + kRule + "\r\n"
                                             "Folders.txt;Text Document;3/1/2024\r\n"
                                             "notes.txt;Text Document;3/1/2024\r\n"
                                             + kRule + "\r\nFolder  /data/sub\r\n" + kRule + "\r\n"
                                             "Folderol.txt;Text Document;3/1/2024\r\n");
        f.find(QStringLiteral(".txt"));
        QCOMPARE(f.view.paths(), (QStringList{"/data/Folders.txt", "/data/notes.txt", "/data/sub/Folderol.txt"}));
        QCOMPARE(f.session.CurrentFolder, QByteArray("/data/sub"));
        f.view.sortColumn = 3;
        f.find(QStringLiteral("Folder"));
        QCOMPARE(f.view.paths(), (QStringList{"/data/Folders.txt", "/data/sub/Folderol.txt"}));
    }

    void lineEndsOfEveryKindAndBinaryFiles()
    {
        Fixture f;
        f.write(QStringLiteral("a-lf.txt"), kRule + "\n" + kRule + "\nFolder  /lf\n" + kRule + "\nhit.txt;T;1/1/2024\nend");
        f.write(QStringLiteral("b-cr.txt"), kRule + "\r" + kRule + "\rFolder  /cr\r" + kRule + "\rhit.txt;T;1/1/2024\r");
        f.write(QStringLiteral("c-binary.bin"), QByteArray("\x7f" "ELF\x00\x01hit\xff\xfe;\x00;x\r\n", 18));
        f.find(QStringLiteral("hit"));
        // The binary file's line has no folder of its own: it keeps the last one read.
        const QString binaryName = QString::fromUtf8(QByteArray("\x7f" "ELF\x00\x01hit\xff\xfe", 11));
        QCOMPARE(f.view.paths(), (QStringList{"/cr/hit.txt", "/cr/" + binaryName, "/lf/hit.txt"}));
        QVERIFY(f.view.messages.isEmpty());
    }

    void criteriaEmptiedAndStopDuringASearch()
    {
        Fixture f;
        f.write(QStringLiteral("1.txt"), kDocs);
        f.write(QStringLiteral("2.txt"), kDocs);
        // The user empties the box at the first hit: every non-empty line of this catalogue
        // matches from then on, and the next catalogue is skipped.
        f.view.onYield = [&] {
            if (f.session.CatalogueName == u"1.txt" && f.view.yields == 3) // at the first hit
                f.view.criteria.clear();
        };
        f.view.sortColumn = 3;
        f.find(QStringLiteral("a.txt"));
        QCOMPARE(f.view.paths(), (QStringList{"D:\\Docs/a.txt", "D:\\Docs/b.txt", "D:\\Docs/README.TXT",
                                              "D:\\Docs\\Photos/x.jpg"}));

        // Stop at the second hit: that line is finished, nothing after it is read.
        int hits = 0;
        f.view.onYield = [&] {
            if (!f.view.table.isEmpty() && ++hits == 1)
                f.search.cmdStop_Click();
        };
        f.find(QStringLiteral("Text Document"));
        QCOMPARE(f.view.rows().size(), size_t(2));
        QCOMPARE(f.view.captions.mid(f.view.captions.size() - 3), (QStringList{searchingCaption(), stoppedCaption(), finishedCaption()}));
    }

    void searchWhileSearchingIsRefused()
    {
        Fixture f;
        f.write(QStringLiteral("1.txt"), kDocs);
        SearchOutcome inner = SearchOutcome::Completed;
        f.view.onYield = [&] {
            f.view.onYield = nullptr;
            inner = f.search.cmdSearch_Click();
        };
        f.find(QStringLiteral("txt"));
        QCOMPARE(inner, SearchOutcome::Refused);
        QCOMPARE(f.view.rows().size(), size_t(3));
    }

    void countsPast32767()
    {
        Fixture f;
        QByteArray content = kRule + "\r\n" + kRule + "\r\nFolder  /many\r\n" + kRule + "\r\n";
        for (int i = 0; i < 40000; ++i)
            content += "file" + QByteArray::number(i) + ".dat;Data;1/1/2024 1:00:00 AM\r\n";
        f.write(QStringLiteral("big.txt"), content);
        f.find(QStringLiteral(".dat"));
        QCOMPARE(f.view.rows().size(), size_t(40000));
        QCOMPARE(f.view.countText, QStringLiteral("40000"));
        QVERIFY(f.view.messages.isEmpty());
    }

    void folderProblems()
    {
        Fixture f;
        f.currentPath.clear();
        QCOMPARE(f.find(QStringLiteral("x")), SearchOutcome::FolderFailed);
        QCOMPARE(f.view.messages, QStringList{noFolderMessage()});
        QVERIFY(noFolderMessage().contains(QStringLiteral(" or\rAlternatively")));
        QCOMPARE(f.view.captions.last(), finishedCaption());

        f.view.messages.clear();
        f.currentPath = f.folder.filePath(QStringLiteral("gone"));
        QCOMPARE(f.find(QStringLiteral("x")), SearchOutcome::FolderFailed);
        QCOMPARE(f.view.messages, QStringList{QStringLiteral("Path not found")});

        // An empty folder, and empty criteria: nothing at all.
        f.view.messages.clear();
        f.currentPath = f.folder.path();
        QCOMPARE(f.find(QStringLiteral("x")), SearchOutcome::Completed);
        f.write(QStringLiteral("c.txt"), kDocs);
        QCOMPARE(f.find(QString()), SearchOutcome::Completed);
        QVERIFY(f.view.rows().empty());
        QVERIFY(f.view.messages.isEmpty());
        QCOMPARE(f.view.countText, QString());
    }

    // Large catalogues are read in blocks: lines, line ends and headings that straddle a
    // block's edge are found as a line-by-line reading finds them.
    void agreesWithALineByLineReading()
    {
        Fixture f;
        QRandomGenerator random(7);
        QByteArray content = "CATALOGUE Date: 12/6/2026\r\n" + kRule + "\r\n";
        const char *ends[] = {"\r\n", "\n", "\r"};
        const char *names[] = {"Folders.txt", "readme.md", "Photo.JPG", "notes", "Folder", "x;y;z", "qz.Qz"};
        int folder = 0;
        while (content.size() < 3 * 1024 * 1024 + 777) {
            const char *end = ends[random.bounded(3)];
            content += kRule + end + "Folder  /tree/f" + QByteArray::number(folder++) + end + kRule + end;
            const int files = random.bounded(12);
            for (int i = 0; i < files; ++i)
                content += QByteArray(names[random.bounded(7)]) + QByteArray::number(random.bounded(1000))
                           + ";Type " + QByteArray::number(random.bounded(50)) + ";1/2/2024" + end;
            if (random.bounded(50) == 0)
                content += QByteArray(300000, 'q') + "Z;long;line" + end; // longer than nothing
        }
        f.write(QStringLiteral("big.txt"), content);
        f.view.sortColumn = 3; // one catalogue: the rows stay in the order they were found
        for (const auto &[criteria, caseSensitive] : {std::pair{QStringLiteral("readme"), false},
                                                      std::pair{QStringLiteral("Folder"), true},
                                                      std::pair{QStringLiteral("qz"), false},
                                                      std::pair{QStringLiteral("QZ"), true},
                                                      std::pair{QStringLiteral("e 4"), false}}) {
            f.find(criteria, caseSensitive);
            QCOMPARE(f.view.paths(), referencePaths(content, criteria, caseSensitive));
        }
    }

    void overlongLineIsSkippedWithoutBeingHeld()
    {
        // Between two good catalogues, a file with a 200 MB line (no line end: a sparse file of
        // NULs) and one with a 3 MB line holding the criteria: both are passed over, the lines
        // around them are read, and memory does not grow with the line.
        Fixture f;
        f.write(QStringLiteral("a.txt"), kDocs);
        {
            QFile huge(f.folder.filePath(QStringLiteral("b.bin")));
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize(200 << 20));
        }
        f.write(QStringLiteral("c.txt"), kRule + "\r\nFolder  /long\r\n" + kRule + "\r\nbefore.jpg;JPEG Image;1/1/2024\r\n"
                                             + QByteArray(3 << 20, 'x') + "x.jpg;JPEG;1/1/2024\r\nafter.jpg;JPEG Image;1/1/2024\n");
        f.write(QStringLiteral("d.txt"), kDocs);
        f.view.sortColumn = 3; // the rows stay in the order they were found
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        QCOMPARE(f.find(QStringLiteral("jpg")), SearchOutcome::Completed);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        QCOMPARE(f.view.paths(), QStringList({QStringLiteral("D:\\Docs\\Photos/x.jpg"), QStringLiteral("/long/before.jpg"),
                                             QStringLiteral("/long/after.jpg"), QStringLiteral("D:\\Docs\\Photos/x.jpg")}));
        QCOMPARE(f.session.MatchCount, qint64(4));
        QVERIFY2(after.ru_maxrss - before.ru_maxrss < 64 * 1024, qPrintable(QString::number(after.ru_maxrss - before.ru_maxrss)));
        QVERIFY(f.view.messages.isEmpty());
    }

    void lineOverTheCapIsPassedOverWhereverItLies()
    {
        // A line just over 1 MiB holding the criteria, a heading just as long after a rule: the
        // reading goes in blocks of 256 KiB, and where the line starts in a block must not
        // decide whether it is matched or taken for a heading.
        const QByteArray overlong = QByteArray((1 << 20) - 20, 'q') + "needle.jpg;JPEG;1/1/2024";
        const QByteArray overlongHeading = "Folder  /fake" + QByteArray((1 << 20), 'h');
        for (const qsizetype padding : {0, 1000, 100000, 200000, 262000}) {
            Fixture f;
            const QByteArray content = "CATALOGUE Date: 12/6/2026\r\n" + kRule + "\r\n" + kRule + "\r\nFolder  /real\r\n"
                                       + kRule + "\r\n" + QByteArray(padding, 'p') + "\r\n" + overlong + "\r\n" + kRule
                                       + "\r\n" + overlongHeading + "\r\n" + kRule + "\r\nneedle.txt;Text;1/1/2024\r\n";
            f.write(QStringLiteral("c.txt"), content);
            f.find(QStringLiteral("needle"));
            QCOMPARE(f.view.paths(), QStringList{QStringLiteral("/real/needle.txt")});
            QCOMPARE(f.view.paths(), referencePaths(content, QStringLiteral("needle"), false));
            QCOMPARE(f.session.MatchCount, qint64(1));
        }
    }

    void onlyRegularFilesOfRealFileSystemsAreRead()
    {
        // A link to a file of /proc that never ends, and one to a file that /proc makes up,
        // read as empty: the search ends, and finds what the real catalogue holds.
        Fixture f;
        f.write(QStringLiteral("a.txt"), kDocs);
        for (const char *target : {"/proc/self/pagemap", "/proc/self/status"})
            if (QFile::exists(QString::fromLatin1(target)))
                QVERIFY(QFile::link(QString::fromLatin1(target), f.folder.filePath(QString::fromLatin1(target).section(u'/', -1))));
        QCOMPARE(f.find(QStringLiteral("JPEG")), SearchOutcome::Completed);
        QCOMPARE(f.view.paths(), QStringList({QStringLiteral("D:\\Docs\\Photos/x.jpg")}));
    }

    void rootFolderPathsHaveOneSeparator()
    {
        Fixture f;
        f.write(QStringLiteral("root.txt"), kRule + "\r\nFolder  /\r\n" + kRule + "\r\n.dockerenv;File;1/1/2024\r\n" + kRule
                                                + "\r\nFolder  /bin\r\n" + kRule + "\r\nls;Program;1/1/2024\r\n");
        f.find(QStringLiteral(";"));
        QCOMPARE(f.view.paths(), QStringList({QStringLiteral("/.dockerenv"), QStringLiteral("/bin/ls")}));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueSearch)
#include "test_catalogue_search.moc"
