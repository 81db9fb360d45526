#include "catalogue/catalogue_generator.h"
#include "platform/files/posix_file_system.h"
#include "platform/text/file_types.h"
#include "support/deep_tree.h"
#include "support/fake_file_system.h"
#include "support/files.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrova;
using testing::FakeFileSystem;

namespace {

const QDate kRunDay(2026, 12, 6);

class RecordingSink final : public GenerationSink
{
public:
    void folderStarting() override { events << QStringLiteral("folder"); }
    void currentFile(QByteArrayView text) override { events << QString::fromUtf8(text); }
    void scanFinished() override { events << QStringLiteral("finished"); }
    void failure(const Error &error, const QByteArray &folder) override
    {
        failures << error.numberStyle() + QStringLiteral(" @ ") + QString::fromUtf8(folder);
    }
    QStringList events;
    QStringList failures;
};

QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += line.toUtf8() + "\r\n";
    return out;
}

QDateTime at(int y, int mo, int d, int h, int mi, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// The worked example: D:\Docs with two files, an empty sub-folder and Photos with a picture.
FakeFileSystem docsTree()
{
    FakeFileSystem fs;
    fs.addFile("D:\\Docs", "a.txt", QStringLiteral("Text Document"), at(2024, 3, 1, 9, 15));
    fs.addFile("D:\\Docs", "b.txt", QStringLiteral("Text Document"), at(2024, 1, 5, 11, 2, 10));
    fs.addFolder("D:\\Docs\\Empty");
    fs.addFile("D:\\Docs\\Photos", "x.jpg", QStringLiteral("JPEG Image"), at(2024, 2, 14, 20, 0));
    return fs;
}

const QStringList kClosingZero = {QString(), QString(),
                                  QStringLiteral("=============== END OF CATALOGUE ============================="),
                                  QStringLiteral("TOTAL FODERS SCANNED: 0"),
                                  QStringLiteral("TOTAL FILES SCANNED: 0")};
const QString kRule = QStringLiteral("============================================");

} // namespace

class TestCatalogueGenerator : public QObject
{
    Q_OBJECT

private slots:
    void writesTheWorkedExampleByteForByte()
    {
        FakeFileSystem fs = docsTree();
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        CatalogueGenerator generator(fs, dates);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("docs.txt"));
        RecordingSink sink;
        const GenerationTotals totals = generator.WriteCatalogue("D:\\Docs", path, sink, kRunDay);

        const QByteArray expected =
            "CATALOGUE Date: 12/6/2026\r\n"
            "============================================\r\n"
            "============================================\r\n"
            "Folder  D:\\Docs\r\n"
            "============================================\r\n"
            "a.txt;Text Document;3/1/2024 9:15:00 AM\r\n"
            "b.txt;Text Document;1/5/2024 11:02:10 AM\r\n"
            "============================================\r\n"
            "Folder  D:\\Docs\\Empty\r\n"
            "============================================\r\n"
            "============================================\r\n"
            "Folder  D:\\Docs\\Photos\r\n"
            "============================================\r\n"
            "x.jpg;JPEG Image;2/14/2024 8:00:00 PM\r\n"
            "\r\n"
            "\r\n"
            "=============== END OF CATALOGUE =============================\r\n"
            "TOTAL FODERS SCANNED: 2\r\n"
            "TOTAL FILES SCANNED: 3\r\n";
        QCOMPARE(testing::readAll(path), expected);
        QCOMPARE(totals.folders, quint64(2));
        QCOMPARE(totals.files, quint64(3));
        QCOMPARE(totals.failures, quint64(0));
        const QStringList expectedEvents = {
            QStringLiteral("folder"), QStringLiteral("a.txt;Text Document;3/1/2024 9:15:00 AM"),
            QStringLiteral("b.txt;Text Document;1/5/2024 11:02:10 AM"), QStringLiteral("folder"),
            QStringLiteral("folder"), QStringLiteral("x.jpg;JPEG Image;2/14/2024 8:00:00 PM"),
            QStringLiteral("finished"), QStringLiteral("Finished ...")};
        QCOMPARE(sink.events, expectedEvents);
    }

    void emptyRootAndCountsOfFolders()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        RecordingSink sink;
        {
            FakeFileSystem fs;
            fs.addFolder("/empty");
            CatalogueGenerator(fs, dates).WriteCatalogue("/empty", path, sink, kRunDay);
            QCOMPARE(testing::readAll(path), crlf(QStringList{QStringLiteral("CATALOGUE Date: 12/6/2026"), kRule,
                                                     kRule, QStringLiteral("Folder  /empty"), kRule}
                                         + kClosingZero));
        }
        {
            FakeFileSystem fs;
            fs.addFile("/files", "midnight.txt", QStringLiteral("Text"), at(2024, 2, 14, 0, 0));
            const GenerationTotals totals = CatalogueGenerator(fs, dates).WriteCatalogue("/files", path, sink, kRunDay);
            QCOMPARE(totals.folders, quint64(0));
            QVERIFY(testing::readAll(path).contains("\r\nmidnight.txt;Text;2/14/2024\r\n"));
        }
        {
            FakeFileSystem fs;
            fs.addFolder("/one/empty");
            const GenerationTotals totals = CatalogueGenerator(fs, dates).WriteCatalogue("/one", path, sink, kRunDay);
            QCOMPARE(totals.folders, quint64(1));
            QVERIFY(testing::readAll(path).endsWith("TOTAL FODERS SCANNED: 1\r\nTOTAL FILES SCANNED: 0\r\n"));
        }
        QVERIFY(sink.failures.isEmpty());
    }

    void rootThatCannotBeOpenedGivesOneFailureAndZeroTotals()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        FakeFileSystem fs = docsTree();
        CatalogueGenerator generator(fs, dates);
        RecordingSink sink;
        // An empty root: Generate from the menu before any folder was chosen.
        const GenerationTotals totals = generator.WriteCatalogue("", path, sink, kRunDay);
        QCOMPARE(sink.failures, QStringList{QStringLiteral("5  Invalid procedure call or argument @ ")});
        QCOMPARE(totals.failures, quint64(1));
        const QByteArray expected =
            crlf(QStringList{QStringLiteral("CATALOGUE Date: 12/6/2026"), kRule} + kClosingZero);
        QCOMPARE(testing::readAll(path), expected);

        // Each run starts from zero, also after a run with failures.
        RecordingSink second;
        const GenerationTotals again = generator.WriteCatalogue("D:\\Docs", path, second, kRunDay);
        QCOMPARE(again.files, quint64(3));
        QCOMPARE(again.failures, quint64(0));
        QVERIFY(testing::readAll(path).startsWith("CATALOGUE Date: 12/6/2026\r\n" + kRule.toUtf8() + "\r\n" + kRule.toUtf8()));
    }

    void failingFolderKeepsItsFrameAndAFailingEntryIsSkippedAlone()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        FakeFileSystem fs;
        fs.addFile("/r", "top.txt", QStringLiteral("Text"), at(2024, 1, 1, 1, 0));
        fs.addFile("/r/bad", "1.txt", QStringLiteral("Text"), at(2024, 1, 1, 1, 0));
        fs.addFile("/r/bad", "2.txt", QStringLiteral("Text"), at(2024, 1, 1, 1, 0));
        fs.addFile("/r/bad", "3.txt", QStringLiteral("Text"), at(2024, 1, 1, 1, 0));
        fs.addFile("/r/bad/below", "below.txt", QStringLiteral("Text"), at(2024, 1, 1, 1, 0));
        fs.addFolder("/r/denied");
        fs.addFile("/r/good", "ok.txt", QStringLiteral("Text"), at(2024, 1, 1, 1, 0));
        fs.failFile("/r/bad", "2.txt", Error(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied")));
        fs.failFolder("/r/denied", Error(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied")));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        RecordingSink sink;
        const GenerationTotals totals = CatalogueGenerator(fs, dates).WriteCatalogue("/r", path, sink, kRunDay);
        // The entry that cannot be read is left out alone: its folder's other files and its
        // sub-folders are still catalogued.
        const QStringList expectedFailures = {QStringLiteral("70  Permission denied @ /r/bad/2.txt"),
                                              QStringLiteral("70  Permission denied @ /r/denied")};
        QCOMPARE(sink.failures, expectedFailures);
        const QByteArray expected = crlf(QStringList{
            QStringLiteral("CATALOGUE Date: 12/6/2026"), kRule, kRule, QStringLiteral("Folder  /r"), kRule,
            QStringLiteral("top.txt;Text;1/1/2024 1:00:00 AM"),
            kRule, QStringLiteral("Folder  /r/bad"), kRule,
            QStringLiteral("1.txt;Text;1/1/2024 1:00:00 AM"),
            QStringLiteral("3.txt;Text;1/1/2024 1:00:00 AM"),
            kRule, QStringLiteral("Folder  /r/bad/below"), kRule,
            QStringLiteral("below.txt;Text;1/1/2024 1:00:00 AM"),
            kRule, QStringLiteral("Folder  /r/denied"), kRule,
            kRule, QStringLiteral("Folder  /r/good"), kRule,
            QStringLiteral("ok.txt;Text;1/1/2024 1:00:00 AM"), QString(), QString(),
            QStringLiteral("=============== END OF CATALOGUE ============================="),
            QStringLiteral("TOTAL FODERS SCANNED: 4"), QStringLiteral("TOTAL FILES SCANNED: 5")});
        QCOMPARE(testing::readAll(path), expected);
        QCOMPARE(totals.failures, quint64(2));
    }

    void runFailuresRaiseAndKeepWhatWasWritten()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        FakeFileSystem fs = docsTree();
        CatalogueGenerator generator(fs, dates);
        RecordingSink sink;
        QTemporaryDir dir;
        try {
            generator.WriteCatalogue("D:\\Docs", dir.filePath(QStringLiteral("missing/c.txt")), sink, kRunDay);
            QFAIL("wrote into a missing folder");
        } catch (const Error &error) {
            QCOMPARE(error.numberStyle(), QStringLiteral("76  Path not found"));
        }
        QCOMPARE(fs.foldersOpened(), 0);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));

        const QString limited = dir.filePath(QStringLiteral("limited.txt"));
        try {
            const testing::FileSizeLimit limit(40);
            generator.WriteCatalogue("D:\\Docs", limited, sink, kRunDay);
            QFAIL("a catalogue past the size limit was written whole");
        } catch (const Error &error) {
            QCOMPARE(error.number(), ErrorNumber::SystemBase + EFBIG);
        }
    }

    void existingCatalogueIsEmptiedAndRewritten()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();
        FakeFileSystem fs;
        fs.addFolder("/e");
        RecordingSink sink;
        CatalogueGenerator(fs, dates).WriteCatalogue("/e", path, sink, kRunDay);
        QVERIFY(!testing::readAll(path).contains('x'));
    }

    // A catalogue already there is replaced only by a whole new one: not when the root cannot
    // be opened, not by a run cut short. The new one keeps its permissions, and a link to it.
    void existingCatalogueIsReplacedOnlyWhenComplete()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.txt"));
        QVERIFY(testing::writeAll(path, "good"));
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0640), 0);
        FakeFileSystem fs = docsTree();
        CatalogueGenerator generator(fs, dates);
        RecordingSink sink;
        QVERIFY(generator.WriteCatalogue("D:\\Gone", path, sink, kRunDay).catalogueKept);
        QCOMPARE(sink.failures.size(), 1);
        QCOMPARE(testing::readAll(path), QByteArray("good"));
        struct Stop {};
        struct StoppingSink final : GenerationSink
        {
            void currentFile(QByteArrayView) override { throw Stop{}; }
        } stopping;
        QVERIFY_THROWS_EXCEPTION(Stop, generator.WriteCatalogue("D:\\Docs", path, stopping, kRunDay));
        QCOMPARE(testing::readAll(path), QByteArray("good"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("c.txt")});

        const QString link = dir.filePath(QStringLiteral("link.txt"));
        QVERIFY(QFile::link(path, link));
        QVERIFY(!generator.WriteCatalogue("D:\\Docs", link, sink, kRunDay).catalogueKept);
        QVERIFY(testing::readAll(path).startsWith("CATALOGUE Date: 12/6/2026"));
        QVERIFY(QFileInfo(link).isSymLink());
        struct stat info;
        QCOMPARE(stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0640));
    }

    // A real tree: listing order, a link to a folder that is not followed, a pipe, a name with
    // a line break, a name that is not UTF-8, and a folder that denies access.
    void cataloguesARealTree()
    {
        testing::TemporaryFolder dir; // holds a name that is not UTF-8
        testing::openToEveryone(dir.path());
        const QString root = dir.filePath(QStringLiteral("root"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/Sub/deeper")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/locked/hidden")));
        for (const QString &name : {QStringLiteral("b.txt"), QStringLiteral("A.txt"), QStringLiteral("line\nbreak.txt"),
                                    QStringLiteral("Sub/deeper/x.xyzq"), QStringLiteral("Sub/x.a\nb"),
                                    QStringLiteral("Sub/y.c\rd"), QStringLiteral("Sub/z.p;q")}) {
            QFile file(root + u'/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QByteArray rawPath = QFile::encodeName(root) + "/caf\xe9.bin";
        QVERIFY(::close(::open(rawPath.constData(), O_WRONLY | O_CREAT, 0644)) == 0);
        QVERIFY(QFile::link(root + QStringLiteral("/Sub"), root + QStringLiteral("/sublink")));
        QCOMPARE(mkfifo(QFile::encodeName(root + QStringLiteral("/pipe")).constData(), 0644), 0);
        for (const QString &path : {root, root + QStringLiteral("/Sub"), root + QStringLiteral("/Sub/deeper")})
            testing::openToEveryone(path);
        QVERIFY(QFile::setPermissions(root + QStringLiteral("/locked"), QFileDevice::Permissions()));

        const QString catalogue = dir.filePath(QStringLiteral("real.txt"));
        const QByteArray rootBytes = QFile::encodeName(root);
        const int failures = testing::runUnprivileged([&] {
            PosixFileSystem fs;
            const DateConventions dates{QLocale(QStringLiteral("en_US"))};
            RecordingSink sink;
            const GenerationTotals totals = CatalogueGenerator(fs, dates).WriteCatalogue(rootBytes, catalogue, sink);
            return sink.failures == QStringList{QStringLiteral("70  Permission denied @ ") + root + QStringLiteral("/locked")}
                       ? int(totals.failures)
                       : 100;
        });
        testing::openToEveryone(root + QStringLiteral("/locked"));
        if (failures < 0)
            QSKIP("cannot run as an unprivileged user here");
        QCOMPARE(failures, 1);

        QList<QByteArray> lines = testing::readAll(catalogue).split('\n');
        QStringList shapes;
        for (QByteArray &line : lines) {
            QVERIFY(line.isEmpty() || line.endsWith('\r'));
            line.chop(1);
            // Keep the name and the type; the date depends on the moment of the test.
            const QList<QByteArray> fields = line.split(';');
            shapes << QString::fromLatin1(fields.size() >= 3 ? line.left(line.lastIndexOf(';')) : line);
        }
        const QString r = QString::fromLatin1(rootBytes);
        FileTypes types;
        const QString text = types.describe("A.txt");
        const QStringList expected = {
            kRule, kRule, QStringLiteral("Folder  ") + r, kRule,
            QStringLiteral("A.txt;") + text, QStringLiteral("b.txt;") + text,
            QString::fromLatin1("caf\xe9.bin;") + types.describe("x.bin"), QStringLiteral("line?break.txt;") + text,
            QStringLiteral("pipe;File"), QStringLiteral("sublink;File"),
            kRule, QStringLiteral("Folder  ") + r + QStringLiteral("/locked"), kRule,
            kRule, QStringLiteral("Folder  ") + r + QStringLiteral("/Sub"), kRule,
            // Line breaks and ";" in an unknown extension's type text: the line stays whole.
            QStringLiteral("x.a?b;A?B File"), QStringLiteral("y.c?d;C?D File"), QStringLiteral("z.p;q;P?Q File"),
            kRule, QStringLiteral("Folder  ") + r + QStringLiteral("/Sub/deeper"), kRule,
            QStringLiteral("x.xyzq;XYZQ File"), QString(), QString(),
            QStringLiteral("=============== END OF CATALOGUE ============================="),
            QStringLiteral("TOTAL FODERS SCANNED: 3"), QStringLiteral("TOTAL FILES SCANNED: 10"), QString()};
        QCOMPARE(shapes.mid(1), expected);
    }

    void treeDeeperThanPathMaxIsCataloguedWhole()
    {
        // 4,000 levels of 45-character names: about 184,000 bytes of path, far past PATH_MAX,
        // walked under a limit of 256 open files.
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + "/deep";
        QVERIFY(QDir().mkpath(QFile::decodeName(root)));
        const QByteArray name(45, 'd');
        constexpr int kDepth = 4000;
        QVERIFY(testing::makeFolderChain(root, name, kDepth));
        const auto cleanup = qScopeGuard([&] {
            testing::removeContentsAt(::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        });

        std::optional<testing::OpenFileLimit> limit(256);
        const QString catalogue = dir.filePath(QStringLiteral("deep.txt"));
        PosixFileSystem fs(16);
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        RecordingSink sink;
        const GenerationTotals totals = CatalogueGenerator(fs, dates).WriteCatalogue(root, catalogue, sink, kRunDay);
        limit.reset();

        QCOMPARE(sink.failures, QStringList());
        QCOMPARE(totals.folders, quint64(kDepth));
        QCOMPARE(totals.files, quint64(1));
        QCOMPARE(fs.openFolderHandles(), 0);
        const QByteArray text = testing::readAll(catalogue);
        QByteArray deepest = root;
        for (int level = 0; level < kDepth; ++level)
            deepest += '/' + name;
        QVERIFY(text.contains("\r\nFolder  " + deepest + "\r\n" + kRule.toUtf8() + "\r\nleaf.txt;"));
        QVERIFY(text.endsWith("TOTAL FODERS SCANNED: 4000\r\nTOTAL FILES SCANNED: 1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueGenerator)
#include "test_catalogue_generator.moc"
