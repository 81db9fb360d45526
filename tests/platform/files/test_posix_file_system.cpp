#include "platform/files/posix_file_system.h"
#include "support/deep_tree.h"
#include "support/unprivileged.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrova;

namespace {

void touch(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
    QVERIFY2(fd >= 0, path.constData());
    ::close(fd);
}

int errorNumberOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &error) {
        return error.number();
    }
    return 0;
}

} // namespace

class TestPosixFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void listsEveryEntryInNameOrder()
    {
        testing::TemporaryFolder dir; // holds names that are not UTF-8
        const QByteArray root = QFile::encodeName(dir.path());
        for (const char *name : {"b.txt", "a.txt", "A.txt", "C.txt", "\xff\xfe.bin", "line\nbreak",
                                 ".hidden", "Zeta"})
            touch(root + '/' + name);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub/inner")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Alpha")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("sub")), dir.filePath(QStringLiteral("link-to-sub"))));
        QCOMPARE(mkfifo((root + "/pipe").constData(), 0644), 0);

        PosixFileSystem fileSystem;
        const auto folder = fileSystem.GetFolder(root);
        QCOMPARE(folder->Path(), root);
        const std::vector<QByteArray> expectedFiles = {".hidden", "A.txt", "a.txt", "b.txt", "C.txt",
                                                       "line\nbreak", "link-to-sub", "pipe", "Zeta",
                                                       "\xff\xfe.bin"};
        QCOMPARE(folder->Files(), expectedFiles);
        const std::vector<QByteArray> expectedFolders = {root + "/Alpha", root + "/sub"};
        QCOMPARE(folder->SubFolders(), expectedFolders);
    }

    void readsTypeAndCreationOfOddFiles()
    {
        testing::TemporaryFolder dir; // holds names that are not UTF-8
        const QByteArray root = QFile::encodeName(dir.path());
        QCOMPARE(mkfifo((root + "/pipe").constData(), 0644), 0);
        touch(root + "/\xff.xyzq");
        PosixFileSystem fileSystem;
        const auto folder = fileSystem.GetFolder(root);
        const QDateTime now = QDateTime::currentDateTime();
        for (const QByteArray &name : folder->Files()) {
            const LocalDateTime created = folder->DateCreated(name); // a pipe is never opened
            QVERIFY2(qAbs(QDateTime(created.date, created.time).secsTo(now)) < 120, name.constData());
            QCOMPARE(created.time.msec(), 0);
        }
        QCOMPARE(folder->Type("\xff.xyzq"), QStringLiteral("XYZQ File"));
        QCOMPARE(folder->Type("pipe"), QStringLiteral("File"));
    }

    void raisesNumberedErrors()
    {
        PosixFileSystem fileSystem;
        QTemporaryDir dir;
        QCOMPARE(errorNumberOf([&] { fileSystem.GetFolder(""); }), ErrorNumber::InvalidArgument);
        QCOMPARE(errorNumberOf([&] { fileSystem.GetFolder(QFile::encodeName(dir.filePath(QStringLiteral("gone")))); }),
                 ErrorNumber::PathNotFound);
        const QByteArray file = QFile::encodeName(dir.filePath(QStringLiteral("plain")));
        touch(file);
        QCOMPARE(errorNumberOf([&] { fileSystem.GetFolder(file); }), ErrorNumber::PathNotFound);
        const QByteArray folderPath = QFile::encodeName(dir.path());
        const auto folder = fileSystem.GetFolder(folderPath);
        QCOMPARE(errorNumberOf([&] { folder->DateCreated("vanished"); }), ErrorNumber::FileNotFound);
    }

    void raisesPermissionDeniedForAFolderThatDeniesAccess()
    {
        QTemporaryDir dir;
        testing::openToEveryone(dir.path());
        const QString locked = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(locked));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
        const int number = testing::runUnprivileged([&] {
            PosixFileSystem fileSystem;
            return errorNumberOf([&] { fileSystem.GetFolder(QFile::encodeName(locked)); });
        });
        openToEveryone(locked);
        if (number < 0)
            QSKIP("cannot run as an unprivileged user here");
        QCOMPARE(number, ErrorNumber::PermissionDenied);
    }

    void doesNotListKernelPseudoFileSystems()
    {
        if (!QFile::exists(QStringLiteral("/proc/self/mountinfo")))
            QSKIP("no /proc here");
        PosixFileSystem fileSystem;
        const auto proc = fileSystem.GetFolder("/proc");
        QVERIFY(proc->Files().empty());
        QVERIFY(proc->SubFolders().empty());
        const auto root = fileSystem.GetFolder("/");
        QVERIFY(std::find(root->SubFolders().begin(), root->SubFolders().end(), "/proc")
                != root->SubFolders().end());
    }

    void folderSwappedForALinkIsNotFollowed()
    {
        // Between the listing of a folder and the opening of its sub-folder, the sub-folder is
        // replaced by a link to a folder outside the tree: the walk must not follow it.
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + "/root";
        const QByteArray outside = QFile::encodeName(dir.path()) + "/outside";
        QVERIFY(QDir().mkpath(QFile::decodeName(root + "/sub")));
        QVERIFY(QDir().mkpath(QFile::decodeName(outside)));
        touch(outside + "/secret.txt");

        PosixFileSystem fileSystem;
        const auto folder = fileSystem.GetFolder(root);
        QCOMPARE(folder->SubFolders(), std::vector<QByteArray>{root + "/sub"});
        QCOMPARE(::rename((root + "/sub").constData(), (root + "/gone").constData()), 0);
        QCOMPARE(::symlink(outside.constData(), (root + "/sub").constData()), 0);
        QCOMPARE(errorNumberOf([&] { folder->OpenSubFolder(root + "/sub"); }), ErrorNumber::PathNotFound);
    }

    void keepsFewHandlesOpenAndReopensAncestorsChecked()
    {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("a/b/c/d/e"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("a/b/c/d2"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("a/b/c2"))));
        PosixFileSystem fileSystem(2);
        std::vector<std::unique_ptr<Folder>> chain;
        chain.push_back(fileSystem.GetFolder(root));
        for (const char *name : {"/a", "/a/b", "/a/b/c", "/a/b/c/d", "/a/b/c/d/e"}) {
            chain.push_back(chain.back()->OpenSubFolder(root + name));
            QVERIFY(fileSystem.openFolderHandles() <= 2);
        }
        // Back up at c: its handle was closed, and is opened again by name from the root.
        QCOMPARE(chain[3]->SubFolders().back(), root + "/a/b/c/d2");
        QVERIFY(chain[3]->OpenSubFolder(root + "/a/b/c/d2") != nullptr);
        // b was replaced by another folder of the same name: not the folder listed before.
        QCOMPARE(::rename(QFile::encodeName(dir.filePath(QStringLiteral("a/b"))).constData(),
                          QFile::encodeName(dir.filePath(QStringLiteral("a/old-b"))).constData()),
                 0);
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("a/b"))));
        QCOMPARE(errorNumberOf([&] { chain[2]->OpenSubFolder(root + "/a/b/c2"); }), ErrorNumber::PathNotFound);
        chain.clear();
        QCOMPARE(fileSystem.openFolderHandles(), 0);
    }

    void testsAndDeletesFiles()
    {
        QTemporaryDir dir;
        PosixFileSystem fileSystem;
        const QString path = dir.filePath(QStringLiteral("setup.txt"));
        QVERIFY(!fileSystem.FileExists(path));
        QVERIFY(!fileSystem.FileExists(QString()));
        QVERIFY(!fileSystem.FileExists(dir.path()));
        touch(QFile::encodeName(path));
        QVERIFY(fileSystem.FileExists(path));
        fileSystem.DeleteFile(path);
        QVERIFY(!fileSystem.FileExists(path));
        QCOMPARE(errorNumberOf([&] { fileSystem.DeleteFile(path); }), ErrorNumber::FileNotFound);
    }

private:
    static void openToEveryone(const QString &path) { testing::openToEveryone(path); }
};

QTEST_GUILESS_MAIN(TestPosixFileSystem)
#include "test_posix_file_system.moc"
