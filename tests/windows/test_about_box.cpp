// The About box: its captions and contacts, the registry reader and the system information
// tool found through it.
#include "windows/about_box.h"

#include "support/window_services.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;
using testing::WindowServices;

namespace {

const QString kMsinfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocation = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void aboutBoxCaptions()
    {
        WindowServices env;
        AboutBox about(env.services);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Kestrova"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Kestrova"));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 1.4.0"));
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
        AboutBox about(env.services);
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
        // Beside the temporary folder, not in it: removed by hand.
        const auto removeTool = qScopeGuard([&] { QFile::remove(joined); });
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.close();
        env.programStarter.startable << joined;
        about.StartSysInfo();
        QCOMPARE(env.programStarter.started.last(), joined);
        QCOMPARE(env.messages.texts().size(), 3);
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::None);
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
