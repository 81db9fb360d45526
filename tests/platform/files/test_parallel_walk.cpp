// The parallel walk writes the very bytes of the sequential walk, failures at the same places,
// on trees made to be awkward: odd names, links, pipes, unreadable folders, many folders, and
// chains deeper than PATH_MAX under a low limit of open files.
#include "platform/files/parallel_walk.h"

#include "catalogue/catalogue_generator.h"
#include "platform/files/posix_file_system.h"
#include "support/deep_tree.h"
#include "support/files.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrova;

namespace {

class FailureLog final : public GenerationSink
{
public:
    void failure(const Error &error, const QByteArray &path) override
    {
        lines << error.numberStyle() + QStringLiteral(" @ ") + QString::fromUtf8(path);
    }
    QStringList lines;
};

struct Written
{
    QByteArray bytes;
    QStringList failures;
    GenerationTotals totals;
};

Written generate(FileSystem &fs, const QByteArray &root, const QString &catalogue)
{
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    FailureLog log;
    Written written;
    written.totals = CatalogueGenerator(fs, dates).WriteCatalogue(root, catalogue, log, QDate(2026, 12, 7));
    written.bytes = testing::readAll(catalogue);
    written.failures = log.lines;
    return written;
}

void touch(const QByteArray &path)
{
    ::close(::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
}

} // namespace

class TestParallelWalk : public QObject
{
    Q_OBJECT

private slots:
    void writesWhatTheSequentialWalkWrites_data()
    {
        QTest::addColumn<int>("workers");
        QTest::newRow("2 workers") << 2;
        QTest::newRow("7 workers") << 7;
    }

    void writesWhatTheSequentialWalkWrites()
    {
        QFETCH(int, workers);
        QTemporaryDir dir;
        testing::openToEveryone(dir.path());
        const QByteArray root = QFile::encodeName(dir.path()) + "/tree";
        QVERIFY(QDir().mkpath(QFile::decodeName(root)));
        // Many folders of varied width, with odd names, links and pipes among the files.
        for (int i = 0; i < 60; ++i) {
            QByteArray folder = root + "/f" + QByteArray::number(i % 7);
            for (int depth = 0; depth < i % 5; ++depth)
                folder += "/d" + QByteArray::number(depth);
            QVERIFY(QDir().mkpath(QFile::decodeName(folder)));
            for (int f = 0; f < i % 9; ++f)
                touch(folder + "/file" + QByteArray::number(f) + (f % 3 == 0 ? ".txt" : ".jpg"));
        }
        touch(root + "/caf\xe9 \xff.bin");
        touch(root + "/line\nbreak.txt");
        QCOMPARE(::symlink("f1", (root + "/link-to-folder").constData()), 0);
        QCOMPARE(mkfifo((root + "/pipe").constData(), 0644), 0);
        QVERIFY(QDir().mkpath(QFile::decodeName(root + "/locked/inside")));
        touch(root + "/locked/inside/hidden.txt");
        for (const QByteArray &path : {root, root + "/f1"})
            testing::openToEveryone(QFile::decodeName(path));
        QVERIFY(QFile::setPermissions(QFile::decodeName(root + "/locked"), QFileDevice::Permissions()));
        const auto cleanup = qScopeGuard([&] {
            testing::openToEveryone(QFile::decodeName(root + "/locked"));
            testing::removeContentsAt(::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY));
        });
        const QString sequential = dir.filePath(QStringLiteral("sequential.txt"));
        const QString parallel = dir.filePath(QStringLiteral("parallel.txt"));
        // As an unprivileged user, so that the locked folder fails in both.
        const int outcome = testing::runUnprivileged([&] {
            PosixFileSystem one;
            ParallelFileSystem many(workers);
            const Written a = generate(one, root, sequential);
            const Written b = generate(many, root, parallel);
            if (a.failures.size() != 1 || !a.failures.first().endsWith(QStringLiteral("/locked")))
                return 3;
            if (a.bytes != b.bytes)
                return 4;
            if (a.failures != b.failures || a.totals.folders != b.totals.folders || a.totals.files != b.totals.files)
                return 5;
            return 0;
        });
        if (outcome < 0)
            QSKIP("cannot run as an unprivileged user here");
        QCOMPARE(outcome, 0);
    }

    void aChainDeeperThanPathMaxUnderFewOpenFiles()
    {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + "/deep";
        QVERIFY(QDir().mkpath(QFile::decodeName(root)));
        QVERIFY(testing::makeFolderChain(root, QByteArray(45, 'd'), 3000));
        // A comb: a leaf folder beside every step of a second chain, so that folders wait
        // with sub-folders still to open all the way down.
        QByteArray comb = root;
        for (int level = 0; level < 400; ++level) {
            QCOMPARE(::mkdir((comb + "/leaf").constData(), 0755), 0);
            QCOMPARE(::mkdir((comb + "/c").constData(), 0755), 0);
            comb += "/c";
        }
        const auto cleanup = qScopeGuard([&] {
            testing::removeContentsAt(::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        });
        std::optional<testing::OpenFileLimit> limit(256);
        PosixFileSystem one;
        ParallelFileSystem many(3);
        const Written a = generate(one, root, dir.filePath(QStringLiteral("a.txt")));
        const Written b = generate(many, root, dir.filePath(QStringLiteral("b.txt")));
        limit.reset();
        QCOMPARE(a.failures, QStringList());
        QCOMPARE(b.failures, QStringList());
        QCOMPARE(b.totals.folders, a.totals.folders);
        QVERIFY(a.bytes == b.bytes);
    }
};

QTEST_GUILESS_MAIN(TestParallelWalk)
#include "test_parallel_walk.moc"
