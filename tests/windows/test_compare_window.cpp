// The comparison window, reached from the main window's Tools menu.
#include "windows/compare_window.h"

#include "support/files.h"
#include "support/window_services.h"
#include "windows/hit_actions.h"
#include "windows/main_window.h"
#include "windows/result_list.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace kestrova;
using testing::WindowServices;

namespace {

const QByteArray kRule = "============================================\r\n";

QByteArray catalogue(const QByteArray &folders)
{
    return "CATALOGUE Date: 1/1/2024\r\n" + kRule + folders + "\r\n\r\n=============== END OF CATALOGUE "
           "=============================\r\nTOTAL FODERS SCANNED: 9\r\nTOTAL FILES SCANNED: 9\r\n";
}

QByteArray folder(const QByteArray &path, const QByteArray &files)
{
    return kRule + "Folder  " + path + "\r\n" + kRule + files;
}

} // namespace

class TestCompareWindow : public QObject
{
    Q_OBJECT

private slots:
    void comparesTwoChosenCataloguesFromTheToolsMenu()
    {
        WindowServices env;
        QTemporaryDir dir;
        const QString before = dir.filePath(QStringLiteral("usb-2025.txt"));
        const QString after = dir.filePath(QStringLiteral("usb-2026.txt"));
        QVERIFY(testing::writeAll(before, catalogue(folder("/media/usb", "a.txt;Text;1/1/2024\r\nb.txt;Text;1/1/2024\r\n"))));
        QVERIFY(testing::writeAll(after, catalogue(folder("/media/usb", "a.txt;Text;5/5/2025\r\nc.txt;Text;1/1/2024\r\n"))));
        env.paths.DefaultPath = dir.path();
        env.folderPicker.fileChoices = {before, after};

        MainWindow main(env.services);
        main.Form_Load();
        QCOMPARE(main.mCompare->text(), QStringLiteral("Compare Catalogues..."));
        QTimer::singleShot(0, &main, [&] {
            CompareWindow &window = *main.compareWindow();
            window.cmdOld_Click();
            window.cmdNew_Click();
            window.cmdCompare_Click();
            window.close();
        });
        main.mCompare->trigger();
        CompareWindow &window = *main.compareWindow();
        QCOMPARE(env.folderPicker.fileFolders.first(), dir.path()); // the choosers start at the default path
        QCOMPARE(window.txtOld->text(), before);
        QCOMPARE(window.txtNew->text(), after);
        ResultModel &rows = window.results();
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.text(0, 0), QStringLiteral("Changed: created 1/1/2024 → 5/5/2025")); // and why
        QCOMPARE(rows.text(0, 1), QStringLiteral("/media/usb/a.txt"));
        QCOMPARE(rows.text(0, 2), QStringLiteral("Text; 1/1/2024"));
        QCOMPARE(rows.text(0, 3), QStringLiteral("Text; 5/5/2025"));
        QCOMPARE(rows.text(1, 0), QStringLiteral("Removed"));
        QCOMPARE(rows.text(2, 0), QStringLiteral("Added"));
        QVERIFY(window.lblSummary->text().startsWith(QStringLiteral("1 added, 1 removed, 1 changed")));

        // The hit actions of the search window: the drive of these hits is not connected.
        window.LV1->selectRow(1);
        window.hitActions().showInFolder();
        QCOMPARE(env.messages.texts().last(),
                 QStringLiteral("/media/usb/b.txt is on a drive that is not connected: the folder /media/usb is missing.\n"
                                "It was catalogued in usb-2025.txt."));
        window.hitActions().copyPaths();
        QCOMPARE(env.clipboard.text, QStringLiteral("/media/usb/b.txt"));
        QVERIFY(!window.hitActions().openAction->isVisible());
    }

    void aLongComparisonCanBeStopped()
    {
        WindowServices env;
        QTemporaryDir dir;
        QByteArray many;
        for (int i = 0; i < 3000; ++i)
            many += folder("/d/f" + QByteArray::number(i), "x;T;1\r\n");
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("a.txt")), catalogue(folder("/d", "") + many)));
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("b.txt")), catalogue(folder("/d", ""))));
        CompareWindow window(env.services);
        window.txtOld->setText(dir.filePath(QStringLiteral("a.txt")));
        window.txtNew->setText(dir.filePath(QStringLiteral("b.txt")));
        QTimer::singleShot(0, &window, [&] {
            QVERIFY(window.isComparing());
            QTest::mouseClick(window.cmdStop, Qt::LeftButton);
        });
        window.cmdCompare_Click();
        QVERIFY(window.results().rowCount() < 6000);
        QVERIFY(window.lblSummary->text().contains(QStringLiteral("(stopped)")));
        QVERIFY(window.cmdCompare->isEnabled());
    }

    void aFileThatIsNoCatalogueIsReported()
    {
        WindowServices env;
        QTemporaryDir dir;
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("a.txt")), catalogue(folder("/d", ""))));
        QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("notes.txt")), "not a catalogue\n"));
        CompareWindow window(env.services);
        window.txtOld->setText(dir.filePath(QStringLiteral("a.txt")));
        window.txtNew->setText(dir.filePath(QStringLiteral("notes.txt")));
        window.cmdCompare_Click();
        // Named, and so is a box left empty.
        QCOMPARE(env.messages.texts(), QStringList{dir.filePath(QStringLiteral("notes.txt"))
                                                   + QStringLiteral(": Not a catalogue: its first line is no catalogue header")});
        window.txtOld->clear();
        window.cmdCompare_Click();
        QCOMPARE(env.messages.texts().last(),
                 QStringLiteral("Choose the older catalogue first: type its path or press the button beside it."));
        // A long summary wraps: the window's width does not follow it.
        const int width = window.sizeHint().width();
        window.lblSummary->setText(QString(400, u'x'));
        QCOMPARE(window.sizeHint().width(), width);
    }
};

QTEST_MAIN(TestCompareWindow)
#include "test_compare_window.moc"
