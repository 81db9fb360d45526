// kestrova itself started with --help or --version, as from a terminal without a display.
#include "support/files.h"
#include "support/process.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace kestrova;

class TestDesktopOptions : public QObject
{
    Q_OBJECT

private slots:
    // They print and end at once: no window, no display needed.
    void helpAndVersionPrintAndExit()
    {
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::unsetenv("QT_QPA_PLATFORM");
        QTemporaryDir out;
        const QByteArray printed = QFile::encodeName(out.filePath(QStringLiteral("out")));
        const testing::ProcessResult version = testing::runProgram({KESTROVA_PATH, "--version"}, printed);
        QCOMPARE(version.status, 0);
        QCOMPARE(testing::readAll(out.filePath(QStringLiteral("out"))),
                 QByteArray("kestrova " KESTROVA_VERSION "\n"));
        const testing::ProcessResult help = testing::runProgram({KESTROVA_PATH, "--help"}, printed);
        QCOMPARE(help.status, 0);
        const QByteArray text = testing::readAll(out.filePath(QStringLiteral("out")));
        QVERIFY2(text.startsWith("Usage: ") && text.contains("--version"), text.constData());
    }
};

QTEST_GUILESS_MAIN(TestDesktopOptions)
#include "test_desktop_options.moc"
