#include "support/files.h"
#include "windows/frmAbout.h"
#include "windows/frmPath.h"
#include "windows/frmReport.h"

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

namespace {

const QString kMsinfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocation = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

} // namespace

class TestFrmPathAndAbout : public QObject
{
    Q_OBJECT

private slots:
    void loadsTheStoredPath()
    {
        WindowServices env;
        {
            frmPath dialog(env.services);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Default Path"));
            QCOMPARE(dialog.txtpath->text(), QString());
        }
        env.store.write(QStringLiteral("/srv/catalogues"));
        frmPath dialog(env.services);
        QCOMPARE(dialog.txtpath->text(), QStringLiteral("/srv/catalogues"));
        QCOMPARE(env.paths.DefaultPath, QStringLiteral("/srv/catalogues"));
        QVERIFY(env.messages.shown.isEmpty());
    }

    void setAsksFirstAndWritesTheBox()
    {
        WindowServices env;
        frmPath dialog(env.services);
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
        frmPath dialog(env.services);
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
        frmReport next(env.services);
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
        frmPath dialog(withStore);
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
        frmPath dialog(env.services);
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
        frmReport main(env.services);
        main.Form_Load();
        QTimer::singleShot(0, &main, [&] {
            main.pathDialog()->txtpath->setText(QStringLiteral("typed, not set"));
            main.pathDialog()->close(); // the title bar hides it like Close
        });
        main.cmdSetDefaultPath_Click();
        frmPath *first = main.pathDialog();
        QTimer::singleShot(0, &main, [&] {
            QCOMPARE(main.pathDialog()->txtpath->text(), QStringLiteral("typed, not set"));
            main.pathDialog()->cmdClose_Click();
        });
        main.cmdSetDefaultPath_Click();
        QCOMPARE(main.pathDialog(), first);
        QVERIFY(!env.store.exists());
    }

    void aboutBoxCaptions()
    {
        WindowServices env;
        frmAbout about(env.services);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Kestrova"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Kestrova"));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 1.3.0"));
        QCOMPARE(about.Label4->text(), QStringLiteral("The Kestrova developers"));
        QVERIFY(about.Text1->isReadOnly());
        QCOMPARE(about.Text1->text(), QStringLiteral("https://github.com/kestrova/kestrova"));
        QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
        QCOMPARE(about.cmdOK->nextInFocusChain(), about.cmdSysInfo); // the buttons come first
    }

    void getKeyValueReadsTextAndNumbers()
    {
        testing::FakeRegistry registry;
        registry.keys[kMsinfo] = {{"PATH", {Registry::TextType, QByteArray("/usr/bin/kinfocenter\0", 21)}},
                                  {"BARE", {Registry::TextType, "/usr/bin/kinfocenter"}},
                                  {"HUGE", {Registry::TextType, QByteArray(1025, 'x')}},
                                  {"EMPTY", {Registry::TextType, QByteArray()}},
                                  {"NUMBER", {Registry::NumberType, QByteArray("\x1a\x01\x00\x00", 4)}}};
        QString value = QStringLiteral("old");
        QVERIFY(GetKeyValue(registry, Registry::LocalMachine, kMsinfo, "PATH", value));
        QCOMPARE(value, QStringLiteral("/usr/bin/kinfocenter"));
        QCOMPARE(registry.lastAccess, 0x2003Fu);
        QVERIFY(GetKeyValue(registry, Registry::LocalMachine, kMsinfo, "BARE", value));
        QCOMPARE(value, QStringLiteral("/usr/bin/kinfocenter"));
        value.clear();
        QVERIFY(GetKeyValue(registry, Registry::LocalMachine, kMsinfo, "NUMBER", value));
        QCOMPARE(value, QStringLiteral("282")); // 0x011A
        QVERIFY(!GetKeyValue(registry, Registry::LocalMachine, kMsinfo, "HUGE", value));
        QCOMPARE(value, QString());
        QVERIFY(!GetKeyValue(registry, Registry::LocalMachine, kMsinfo, "MISSING", value));
        QVERIFY(!GetKeyValue(registry, Registry::LocalMachine, kLocation, "MSINFO", value));
        bool raised = false;
        try {
            GetKeyValue(registry, Registry::LocalMachine, kMsinfo, "EMPTY", value);
        } catch (const Error &) {
            raised = true;
        }
        QVERIFY(raised);
        QCOMPARE(registry.closeCount, registry.openCount); // closed on every way out
    }

    void startSysInfoTriesBothKeys()
    {
        WindowServices env;
        frmAbout about(env.services);
        const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");

        about.StartSysInfo(); // neither key
        QCOMPARE(env.messages.texts(), QStringList{unavailable});

        // The first key's path is started without looking for it first.
        env.registry.keys[kMsinfo] = {{"PATH", {Registry::TextType, "/opt/gone/sysinfo"}}};
        about.StartSysInfo();
        QCOMPARE(env.programStarter.started, QStringList{"/opt/gone/sysinfo"});
        QCOMPARE(env.messages.texts().size(), 2);
        env.programStarter.startable << QStringLiteral("/opt/gone/sysinfo");
        about.StartSysInfo();
        QCOMPARE(env.messages.texts().size(), 2);

        // The second key only where the joined file exists.
        env.registry.keys.remove(kMsinfo);
        QTemporaryDir tools;
        env.registry.keys[kLocation] = {{"MSINFO", {Registry::TextType, tools.path().toUtf8()}}};
        about.StartSysInfo();
        QCOMPARE(env.messages.texts().size(), 3);
        const QString joined = tools.path() + QStringLiteral("\\MSINFO32.EXE");
        QFile tool(joined);
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.close();
        env.programStarter.startable << joined;
        about.StartSysInfo();
        QCOMPARE(env.programStarter.started.last(), joined);
        QCOMPARE(env.messages.texts().size(), 3);
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::None);
    }
};

QTEST_MAIN(TestFrmPathAndAbout)
#include "test_frmPath_frmAbout.moc"
