#include "platform/files/posix_file_system.h"
#include "settings/default_path_store.h"
#include "support/files.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace kestrova;

class TestDefaultPathStore : public QObject
{
    Q_OBJECT

private slots:
    void writesOneLineAndReadsItBack()
    {
        QTemporaryDir program;
        PosixFileSystem fs;
        DefaultPathStore store(fs, program.path(), program.filePath(QStringLiteral("config")));
        QCOMPARE(store.setupFilePath(), program.filePath(QStringLiteral("setup.txt")));
        QVERIFY(!store.exists());
        store.write(QStringLiteral("D:\\Catalogues"));
        QVERIFY(store.exists());
        QCOMPARE(testing::readAll(store.setupFilePath()), QByteArray("D:\\Catalogues\r\n"));
        QCOMPARE(store.read(), QStringLiteral("D:\\Catalogues"));

        // A comma no longer cuts the path short, and blanks are kept as written.
        for (const QString &path : {QStringLiteral("/srv/drives, old"), QStringLiteral(" /lead"),
                                    QStringLiteral("/données/catalogues"), QString()}) {
            store.write(path);
            QCOMPARE(store.read(), path);
        }
        store.remove();
        QVERIFY(!store.exists());
        store.remove(); // nothing to remove is no failure
    }

    void readsTheFirstFieldOfFilesWrittenElsewhere_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("several lines") << QByteArray("/first\r\n/second\r\n") << QStringLiteral("/first");
        QTest::newRow("lone LF") << QByteArray("/first\n/second") << QStringLiteral("/first");
        QTest::newRow("no line end") << QByteArray("/only") << QStringLiteral("/only");
        QTest::newRow("quoted") << QByteArray("\"/a, b\",x\r\n") << QStringLiteral("/a, b");
        QTest::newRow("quoted after blanks") << QByteArray("  \"/q\"\r\n") << QStringLiteral("/q");
        QTest::newRow("empty first line") << QByteArray("\r\n/second\r\n") << QString();
    }
    void readsTheFirstFieldOfFilesWrittenElsewhere()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir program;
        PosixFileSystem fs;
        DefaultPathStore store(fs, program.path(), program.path());
        QVERIFY(testing::writeAll(store.setupFilePath(), content));
        QCOMPARE(store.read(), expected);
    }

    void emptyFileIsAnEndOfFileFailure()
    {
        QTemporaryDir program;
        PosixFileSystem fs;
        DefaultPathStore store(fs, program.path(), program.path());
        QVERIFY(testing::writeAll(store.setupFilePath(), QByteArray()));
        try {
            store.read();
            QFAIL("an empty setup file was read");
        } catch (const Error &error) {
            QCOMPARE(error.number(), ErrorNumber::InputPastEnd);
        }
    }

    // A program installed where the user may not write keeps its setup file in the user's
    // configuration folder, and Set works there.
    void readOnlyProgramFolderUsesTheConfigurationFolder()
    {
        QTemporaryDir dir;
        testing::openToEveryone(dir.path());
        const QString program = dir.filePath(QStringLiteral("bin"));
        const QString config = dir.filePath(QStringLiteral("config"));
        QVERIFY(QDir().mkdir(program));
        QVERIFY(QDir().mkdir(config));
        testing::openToEveryone(config);
        QVERIFY(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                   | QFileDevice::ReadOther | QFileDevice::ExeOther));
        const int outcome = testing::runUnprivileged([&] {
            PosixFileSystem fs;
            DefaultPathStore store(fs, program, config);
            if (store.setupFilePath() != config + QStringLiteral("/setup.txt"))
                return 1;
            store.write(QStringLiteral("/srv/catalogues"));
            return store.read() == QStringLiteral("/srv/catalogues") ? 0 : 2;
        });
        if (outcome < 0)
            QSKIP("cannot run as an unprivileged user here");
        QCOMPARE(outcome, 0);
    }

    // Installed under any prefix, the program keeps its setup file in the configuration folder
    // even where it may write; run from its build tree, beside itself.
    void installedAnywhereUsesTheConfigurationFolder()
    {
        QVERIFY(DefaultPathStore::runsFromBuildTree(QStringLiteral("/src/k/build/src/app"), QStringLiteral("/src/k/build")));
        QVERIFY(DefaultPathStore::runsFromBuildTree(QStringLiteral("/src/k/build"), QStringLiteral("/src/k/build/")));
        QVERIFY(!DefaultPathStore::runsFromBuildTree(QStringLiteral("/home/me/.local/bin"), QStringLiteral("/src/k/build")));
        QVERIFY(!DefaultPathStore::runsFromBuildTree(QStringLiteral("/src/k/build2/src/app"), QStringLiteral("/src/k/build")));
        QTemporaryDir home;
        PosixFileSystem fs;
        const QString config = home.filePath(QStringLiteral(".config/kestrova"));
        DefaultPathStore installed(fs, home.path(), config, false);
        QCOMPARE(installed.setupFilePath(), config + QStringLiteral("/setup.txt"));
        installed.write(QStringLiteral("/srv/catalogues"));
        QCOMPARE(installed.read(), QStringLiteral("/srv/catalogues"));
    }

    // A write that fails leaves the stored path as it was.
    void failedWriteKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        testing::openToEveryone(dir.path());
        PosixFileSystem fs;
        DefaultPathStore store(fs, dir.path(), dir.path());
        store.write(QStringLiteral("/kept"));
        // A folder the writer may not change: the temporary file cannot be made there.
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                      | QFileDevice::ReadOther | QFileDevice::ExeOther));
        const int outcome = testing::runUnprivileged([&] {
            PosixFileSystem childFs;
            DefaultPathStore childStore(childFs, QStringLiteral("/nonexistent-program-folder"), dir.path());
            try {
                childStore.write(QStringLiteral("/lost"));
                return 1;
            } catch (const Error &) {
                return 0;
            }
        });
        testing::openToEveryone(dir.path());
        if (outcome < 0)
            QSKIP("cannot run as an unprivileged user here");
        QCOMPARE(outcome, 0);
        QCOMPARE(testing::readAll(store.setupFilePath()), QByteArray("/kept\r\n"));
    }

    void setupFileThatIsNoRegularFileNeverBlocksNorBalloons()
    {
        QTemporaryDir dir;
        PosixFileSystem fs;
        DefaultPathStore store(fs, dir.path(), dir.path());
        const QByteArray setup = QFile::encodeName(store.setupFilePath());
        const auto readError = [&]() -> int {
            try {
                store.read();
                return 0;
            } catch (const Error &error) {
                return error.number();
            }
        };
        // A pipe with no writer: opening it to read would wait for ever.
        QCOMPARE(mkfifo(setup.constData(), 0600), 0);
        QCOMPARE(readError(), ErrorNumber::PathFileAccess);
        QVERIFY(QFile::remove(store.setupFilePath()));
        // A link to a device that never ends.
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), store.setupFilePath()));
        QCOMPARE(readError(), ErrorNumber::PathFileAccess);
        QVERIFY(QFile::remove(store.setupFilePath()));
        // A huge file is read only up to its first line end.
        {
            QFile huge(store.setupFilePath());
            QVERIFY(huge.open(QIODevice::WriteOnly));
            huge.write("/srv/catalogues\r\n");
            QVERIFY(huge.resize(qint64(2) << 30)); // sparse: no room taken on disk
        }
        QCOMPARE(store.read(), QStringLiteral("/srv/catalogues"));
        // One with no line end at all gives its first 64 KiB.
        {
            QFile huge(store.setupFilePath());
            QVERIFY(huge.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(huge.resize(qint64(1) << 30));
        }
        QCOMPARE(store.read().size(), 64 * 1024);
    }

    void readOnlySetupFileIsNotForcedAway()
    {
        QTemporaryDir dir;
        PosixFileSystem fs;
        DefaultPathStore store(fs, dir.path(), dir.path());
        store.write(QStringLiteral("/kept"));
        QVERIFY(QFile::setPermissions(store.setupFilePath(), QFileDevice::ReadOwner | QFileDevice::ReadOther));
        try {
            store.remove();
            QFAIL("a read-only setup file was deleted");
        } catch (const Error &error) {
            QCOMPARE(error.number(), ErrorNumber::PermissionDenied);
        }
        QCOMPARE(store.read(), QStringLiteral("/kept"));
    }

    void setRemovesTemporariesThatKilledWritesLeft()
    {
        QTemporaryDir dir;
        PosixFileSystem fs;
        DefaultPathStore store(fs, dir.path(), dir.path());
        const QString leftover = store.setupFilePath() + QStringLiteral(".aB3xY9");
        const QString fresh = store.setupFilePath() + QStringLiteral(".Zz9Zz9");
        const QString notOurs = store.setupFilePath() + QStringLiteral(".bak");
        for (const QString &path : {leftover, fresh, notOurs})
            QVERIFY(testing::writeAll(path, "/half"));
        {
            QFile old(leftover);
            QVERIFY(old.open(QIODevice::ReadWrite));
            QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        store.write(QStringLiteral("/srv/catalogues"));
        QVERIFY(!QFile::exists(leftover));
        QVERIFY(QFile::exists(fresh)); // perhaps another instance's write under way
        QVERIFY(QFile::exists(notOurs));
    }
};

QTEST_GUILESS_MAIN(TestDefaultPathStore)
#include "test_default_path_store.moc"
