// kestrova-cli as scripts run it: a real process, its arguments as raw bytes, its output
// going wherever the caller sends it.
#include "support/deep_tree.h"
#include "support/files.h"
#include "support/temporary_cache.h"
#include "support/process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrova;
using testing::runProgram;

namespace {

const QByteArray kCli = KESTROVA_CLI_PATH;

bool makeFolder(const QByteArray &path)
{
    return ::mkdir(path.constData(), 0755) == 0;
}

bool exists(const QByteArray &path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0;
}

} // namespace

class TestCliProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The programs started here keep their search indexes in a folder of the test's own.
        QVERIFY(m_cache.isValid());
    }

    void namesThatAreNotUtf8ReachTheFileSystemUnchanged()
    {
        QTemporaryDir dir;
        const QByteArray base = QFile::encodeName(dir.path());
        const QByteArray root = base + "/dir\xff";
        QVERIFY(makeFolder(root));
        // Qt's file classes cannot name these files: they are made and removed by handle.
        const auto cleanup = qScopeGuard([&] { testing::removeContentsAt(::open(base.constData(), O_RDONLY | O_DIRECTORY)); });
        QVERIFY(::close(::open((root + "/caf\xe9\xfe.bin").constData(), O_WRONLY | O_CREAT, 0644)) == 0);
        const QByteArray catalogues = base + "/cats\xfe";
        QVERIFY(makeFolder(catalogues));

        const auto generated = runProgram({kCli, "generate", root, catalogues + "/cat\xff"});
        QCOMPARE(generated.err, QByteArray());
        QCOMPARE(generated.status, 0);
        const QByteArray catalogue = catalogues + "/cat\xff.txt";
        QVERIFY(exists(catalogue));
        QFile file;
        const int fd = ::open(catalogue.constData(), O_RDONLY);
        QVERIFY(fd >= 0);
        QVERIFY(file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("\r\nFolder  " + root + "\r\n"));
        QVERIFY(text.contains("\r\ncaf\xe9\xfe.bin;"));

        const QByteArray hits = base + "/hits.tsv";
        const auto found = runProgram({kCli, "search", catalogues, "\xe9\xfe", "--case-sensitive"}, hits);
        QCOMPARE(found.status, 0);
        QVERIFY(testing::readAll(QFile::decodeName(hits)).startsWith(root + "/caf\xe9\xfe.bin\t"));
        // Without the bytes, the same text in its replacement form finds nothing.
        QCOMPARE(runProgram({kCli, "search", catalogues, "\xef\xbf\xbd\xef\xbf\xbd", "--case-sensitive"}).status, 1);
        // The catalogue's name as its bytes from every command: raw in rows, escaped in JSON.
        QCOMPARE(runProgram({kCli, "copies", catalogues, "--single"}, hits).status, 0);
        QVERIFY(testing::readAll(QFile::decodeName(hits)).endsWith("\tcat\xff.txt\t1\n"));
        QCOMPARE(runProgram({kCli, "drives", catalogues}, hits).status, 0);
        QVERIFY(testing::readAll(QFile::decodeName(hits)).startsWith("cat\xff.txt\t"));
        QCOMPARE(runProgram({kCli, "drives", catalogues, "--format", "json"}, hits).status, 0);
        QVERIFY(testing::readAll(QFile::decodeName(hits)).startsWith("{\"catalogue\":\"cat\\udcff.txt\""));
    }

    void emptyArgumentsAreUsageErrors()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const QByteArray base = QFile::encodeName(dir.path());
        QCOMPARE(runProgram({kCli, "generate", "", base + "/out"}).status, 2);
        QCOMPARE(runProgram({kCli, "generate", base, ""}).status, 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void aPipeAsCatalogueIsRefusedAtOnce()
    {
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("fifo.txt")));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        QElapsedTimer clock;
        clock.start();
        const auto run = runProgram({kCli, "generate", QFile::encodeName(dir.path()), fifo});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("Not a regular file"), run.err.constData());
        QVERIFY(clock.elapsed() < 20000);
    }

    void outputThatCannotBeWrittenIsAFailure()
    {
        if (!exists("/dev/full"))
            QSKIP("no /dev/full here");
        QTemporaryDir dir;
        const QByteArray start = "CATALOGUE Date: 12/6/2026\r\n" + QByteArray(44, '=') + "\r\n" + QByteArray(44, '=')
                                 + "\r\nFolder  /d\r\n" + QByteArray(44, '=') + "\r\n";
        QByteArray many = start;
        for (int i = 0; i < 2000; ++i)
            many += "found" + QByteArray::number(i) + ".txt;Text;1/1/2024\r\n";
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("c.txt")), start + "found.txt;Text;1/1/2024\r\n"));
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("many.txt")), many));
        const QByteArray folder = QFile::encodeName(dir.path());
        // Every command that prints, its output lost on a full disk.
        for (const QList<QByteArray> &arguments :
             {QList<QByteArray>{kCli, "search", folder, "found"}, {kCli, "search", folder, "found", "--format", "json"},
              {kCli, "compare", folder + "/c.txt", folder + "/many.txt"}, {kCli, "--help"}, {kCli, "search", "--help"},
              {kCli, "--version"}}) {
            const auto run = runProgram(arguments, "/dev/full");
            QVERIFY2(run.status == 2 && run.err.contains("kestrova-cli: cannot write the output: No space left on device"),
                     qPrintable(arguments.join(' ') + ": " + QByteArray::number(run.status) + " " + run.err));
        }
    }

    void deepCombUnderSmallStackAndFewHandles()
    {
        // 3,000 levels, each holding a/, an empty z/ and a file: 6,000 folders below the root,
        // every one catalogued by either walk with a 256 KiB stack and few open files.
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + "/comb";
        QVERIFY(makeFolder(root));
        const auto cleanup = qScopeGuard([&] { testing::removeContentsAt(::open(root.constData(), O_RDONLY | O_DIRECTORY)); });
        int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int level = 0; fd >= 0 && level < 3000; ++level) {
            QCOMPARE(mkdirat(fd, "z", 0755), 0);
            ::close(openat(fd, "f.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
            QCOMPARE(mkdirat(fd, "a", 0755), 0);
            const int next = openat(fd, "a", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(fd);
            fd = next;
        }
        QVERIFY(fd >= 0);
        ::close(fd);
        const QByteArray catalogue = QFile::encodeName(dir.filePath(QStringLiteral("comb.txt")));
        for (const auto &[jobs, files] : {std::pair{"1", 32}, std::pair{"2", 32}, std::pair{"2", 128}}) {
            const auto run = runProgram({kCli, "generate", "--jobs", jobs, root, catalogue}, "/dev/null",
                                        {256 * 1024, rlim_t(files)});
            QVERIFY2(run.status == 0, qPrintable(QStringLiteral("--jobs %1, %2 files: %3 %4").arg(jobs).arg(files)
                                                     .arg(run.status).arg(QString::fromUtf8(run.err.left(300)))));
            QVERIFY(testing::readAll(QFile::decodeName(catalogue)).endsWith("TOTAL FODERS SCANNED: 6000\r\nTOTAL FILES SCANNED: 3000\r\n"));
        }
    }

private:
    testing::TemporaryCacheHome m_cache;
};

QTEST_GUILESS_MAIN(TestCliProcess)
#include "test_cli_process.moc"
