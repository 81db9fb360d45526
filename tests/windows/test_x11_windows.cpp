// The windows on a real X server, where the window system sees them: their captions exactly
// as the windows give them (Qt's X11 support can add the program's name), and the main window
// in the middle of the screen. Skipped where there is no X display.
#include "support/all_windows.h"
#include "support/window_services.h"
#include "windows/application_identity.h"
#include "windows/document_launch.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QTest>

using namespace kestrova;
using testing::WindowServices;

namespace {

// A property the X server holds for the window, as a window manager reads it.
QString xProperty(QWidget &window, const QString &name)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                          QStringLiteral("-notype"), name});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("<xprop did not answer>");
    // _NET_WM_NAME = "Search"; WM_CLASS = "kestrova", "kestrova"
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = out.indexOf(u'"');
    return quote < 0 ? out : out.mid(quote + 1).chopped(1);
}

QString netWmName(QWidget &window)
{
    return xProperty(window, QStringLiteral("_NET_WM_NAME"));
}

} // namespace

class TestX11Windows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("no X display here");
        setApplicationIdentity();
    }

    void captionsAreTheWindowsOwn()
    {
        WindowServices env;
        testing::AllWindows windows(env.services);
        QStringList captions;
        for (QWidget *window : windows.list()) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            captions << netWmName(*window);
            window->hide();
        }
        const QStringList expected = {"Kestrova",         "Search",             "Run/Copy path", "Set Default Path",
                                      "About Kestrova",   "Compare Catalogues", "Drives",        "Copies",
                                      "Quick Find", "Browse Catalogue"};
        QCOMPARE(captions, expected);
    }

    void dockFindsTheLauncherOfTheWindow()
    {
        // A dock matches a window to its desktop entry by the window's class.
        WindowServices env;
        MainWindow main(env.services);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QFile entry(QStringLiteral(KESTROVA_DESKTOP_ENTRY));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        const qsizetype at = text.indexOf(QStringLiteral("\nStartupWMClass="));
        QVERIFY(at > 0);
        const QString startupClass = text.mid(at + qsizetype(qstrlen("\nStartupWMClass="))).section(u'\n', 0, 0);
        QCOMPARE(xProperty(main, QStringLiteral("WM_CLASS")).section(QStringLiteral("\", \""), 1), startupClass);
    }

    void mainWindowOpensCentred()
    {
        WindowServices env;
        MainWindow main(env.services);
        main.Form_Load();
        main.centreOnScreen();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QRect screen = main.screen()->availableGeometry();
        // Within a title bar's height: the frame is the window manager's.
        QVERIFY(qAbs(main.geometry().center().x() - screen.center().x()) <= 16);
        QVERIFY(qAbs(main.geometry().center().y() - screen.center().y()) <= 32);
    }
};

QTEST_MAIN(TestX11Windows)
#include "test_x11_windows.moc"
