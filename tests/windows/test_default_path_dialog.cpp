// The Set Default Path dialog: the stored path, Set, Remove and Browse, and its instance kept
// between openings.
#include "support/files.h"
#include "windows/default_path_dialog.h"
#include "windows/main_window.h"

#include "support/fake_file_system.h"
#include "support/window_services.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kestrova;
using testing::WindowServices;

class TestDefaultPathDialog : public QObject
{
    Q_OBJECT

private slots:
    void loadsTheStoredPath()
    {
        WindowServices env;
        {
            DefaultPathDialog dialog(env.services);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Default Path"));
            QCOMPARE(dialog.txtpath->text(), QString());
        }
        env.store.write(QStringLiteral("/srv/catalogues"));
        DefaultPathDialog dialog(env.services);
        QCOMPARE(dialog.txtpath->text(), QStringLiteral("/srv/catalogues"));
        QCOMPARE(env.paths.DefaultPath, QStringLiteral("/srv/catalogues"));
        QVERIFY(env.messages.shown.isEmpty());
    }

    void setAsksFirstAndWritesTheBox()
    {
        WindowServices env;
        DefaultPathDialog dialog(env.services);
        dialog.txtpath->setText(QStringLiteral("/media/disks, old"));
        env.messages.answers = {MessageAnswer::Cancel};
        dialog.cmdSet_Click();
        QVERIFY(!env.store.exists());
        QVERIFY(env.paths.DefaultPath.isEmpty());
        QCOMPARE(env.messages.shown.last().text, QStringLiteral("This will over-write your default path?"));
        QCOMPARE(env.messages.shown.last().icon, MessageIcon::Exclamation);
        QCOMPARE(env.messages.shown.last().buttons, MessageButtons::OkCancel);

        dialog.cmdSet_Click();
        QCOMPARE(env.paths.DefaultPath, QStringLiteral("/media/disks, old"));
        QCOMPARE(testing::readAll(env.store.setupFilePath()), QByteArray("/media/disks, old\r\n"));
        QCOMPARE(env.store.read(), QStringLiteral("/media/disks, old"));

        dialog.txtpath->clear();
        dialog.cmdSet_Click();
        QCOMPARE(testing::readAll(env.store.setupFilePath()), QByteArray("\r\n"));
        QVERIFY(env.paths.DefaultPath.isEmpty());
        QCOMPARE(env.messages.shown.size(), 3);
    }

    void removeDeletesTheFileAndEmptiesThePaths()
    {
        WindowServices env;
        env.store.write(QStringLiteral("/srv/catalogues"));
        env.paths.CurrentPath = QStringLiteral("/srv/catalogues");
        DefaultPathDialog dialog(env.services);
        env.messages.answers = {MessageAnswer::Cancel};
        dialog.cmdClear_Click();
        QVERIFY(env.store.exists());
        QCOMPARE(env.messages.shown.last().text, QStringLiteral("Your default path will  be cleared permenantly?"));

        dialog.cmdClear_Click();
        QVERIFY(!env.store.exists());
        QCOMPARE(dialog.txtpath->text(), QString());
        QVERIFY(env.paths.DefaultPath.isEmpty());
        QVERIFY(env.paths.CurrentPath.isEmpty());

        dialog.txtpath->setText(QStringLiteral("typed"));
        dialog.cmdClear_Click();
        QCOMPARE(env.messages.shown.last().text, QStringLiteral("File doesn't exist!"));
        QCOMPARE(env.messages.shown.last().icon, MessageIcon::None);
        QCOMPARE(dialog.txtpath->text(), QStringLiteral("typed"));

        // The next start of the program finds no setup file.
        env.messages.shown.clear();
        MainWindow next(env.services);
        next.Form_Load();
        QCOMPARE(next.lblFolder->text(), QString());
        QVERIFY(env.messages.shown.isEmpty());
    }

    void removeThatFailsKeepsEverything()
    {
        WindowServices env;
        testing::FakeFileSystem fakeFs;
        DefaultPathStore store(fakeFs, env.programFolder.path(), env.programFolder.path());
        store.write(QStringLiteral("/kept"));
        fakeFs.addExistingFile(store.setupFilePath());
        fakeFs.deleteFailure = Error(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied"));
        Services services = env.services;
        Services withStore{services.makeFileSystem, services.drives, services.messages, services.saveDialog,
                           services.exportDialog, services.launcher, services.programEnd, services.programStarter,
                           services.clipboard, services.fileManager, services.folderPicker, services.registry,
                           store, services.paths, services.dates};
        env.paths.CurrentPath = QStringLiteral("/kept");
        DefaultPathDialog dialog(withStore);
        QCOMPARE(dialog.txtpath->text(), QStringLiteral("/kept"));
        dialog.cmdClear_Click();
        QCOMPARE(env.messages.shown.last().text, QStringLiteral("Permission denied"));
        QCOMPARE(env.messages.shown.last().icon, MessageIcon::Information);
        QCOMPARE(dialog.txtpath->text(), QStringLiteral("/kept"));
        QCOMPARE(env.paths.DefaultPath, QStringLiteral("/kept"));
        QCOMPARE(env.paths.CurrentPath, QStringLiteral("/kept"));
    }

    void browseFillsTheBoxUnlessCancelled()
    {
        WindowServices env;
        DefaultPathDialog dialog(env.services);
        dialog.txtpath->setText(QStringLiteral("before"));
        dialog.cmdbrowse_Click();
        QCOMPARE(dialog.txtpath->text(), QStringLiteral("before"));
        env.folderPicker.choice = QStringLiteral("/media/usb/catalogues");
        dialog.cmdbrowse_Click();
        QCOMPARE(dialog.txtpath->text(), QStringLiteral("/media/usb/catalogues"));
        QCOMPARE(env.folderPicker.prompts.last(), QStringLiteral("Please select the path."));
        QVERIFY(!env.store.exists()); // Browse only fills the box
    }

    void typedTextSurvivesCloseAndReopen()
    {
        WindowServices env;
        MainWindow main(env.services);
        main.Form_Load();
        QTimer::singleShot(0, &main, [&] {
            main.pathDialog()->txtpath->setText(QStringLiteral("typed, not set"));
            main.pathDialog()->close(); // the title bar hides it like Close
        });
        main.cmdSetDefaultPath_Click();
        DefaultPathDialog *first = main.pathDialog();
        QTimer::singleShot(0, &main, [&] {
            QCOMPARE(main.pathDialog()->txtpath->text(), QStringLiteral("typed, not set"));
            main.pathDialog()->cmdClose_Click();
        });
        main.cmdSetDefaultPath_Click();
        QCOMPARE(main.pathDialog(), first);
        QVERIFY(!env.store.exists());
    }
};

QTEST_MAIN(TestDefaultPathDialog)
#include "test_default_path_dialog.moc"
