// The windows on a real X server, where the window system sees them: their captions exactly
// as the windows give them (Qt's X11 support can add the program's name), and the main window
// in the middle of the screen. Skipped where there is no X display.
#include "support/all_windows.h"
#include "support/window_services.h"
#include "windows/mMain.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

using namespace kestrova;
using testing::WindowServices;

namespace {

// The caption the X server holds for the window, as a window manager reads it.
QString netWmName(QWidget &window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                          QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("<xprop did not answer>");
    // _NET_WM_NAME = "Search"
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = out.indexOf(u'"');
    return quote < 0 ? out : out.mid(quote + 1).chopped(1);
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
        const QStringList expected = {"Kestrova", "Search", "Run/Copy path", "Set Default Path", "About Kestrova"};
        QCOMPARE(captions, expected);
    }

    void mainWindowOpensCentred()
    {
        WindowServices env;
        frmReport main(env.services);
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
