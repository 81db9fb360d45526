// The drives window over a folder of catalogues: a row per catalogue with its drive's facts,
// sortable, and Open Folder for a drive connected now.
#include "windows/drives_window.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_generator.h"
#include "support/files.h"
#include "support/window_services.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;
using testing::WindowServices;

class TestDrivesWindow : public QObject
{
    Q_OBJECT

private slots:
    void listsTheDrivesAndOpensAConnectedOne()
    {
        WindowServices env;
        QTemporaryDir tree;
        QTemporaryDir cats;
        QVERIFY(testing::writeAll(tree.filePath(QStringLiteral("a.jpg")), "12345"));
        Volume usb;
        usb.rootPath = QStringLiteral("/media/usb");
        usb.label = QStringLiteral("Holidays");
        usb.uuid = QStringLiteral("1234-ABCD");
        FactsWriter facts(cats.filePath(QStringLiteral("usb.txt")), startingRun(tree.path(), usb));
        GenerationSink sink;
        CatalogueGenerator(env.fileSystem, env.dates)
            .WriteCatalogue(QFile::encodeName(tree.path()), cats.filePath(QStringLiteral("usb.txt")), sink, QDate(2026, 12, 7),
                            &facts);
        QVERIFY(testing::writeAll(cats.filePath(QStringLiteral("old.txt")), "CATALOGUE Date: 1/2/2019\r\n"));
        usb.rootPath = QStringLiteral("/run/media/me/HOLIDAYS"); // connected today, elsewhere
        env.drives << usb;
        env.paths.CurrentPath = cats.path();

        DrivesWindow window(env.services);
        window.Form_Load();
        QCOMPARE(window.txtFolder->text(), cats.path());
        QCOMPARE(window.LV1->rowCount(), 2);
        window.LV1->sortItems(0);
        QCOMPARE(window.LV1->item(0, 0)->text(), QStringLiteral("old.txt"));
        QCOMPARE(window.LV1->item(0, 8)->text(), QStringLiteral("1/2/2019"));
        QCOMPARE(window.LV1->item(1, 1)->text(), QStringLiteral("Holidays"));
        QCOMPARE(window.LV1->item(1, 9)->text(), QStringLiteral("/run/media/me/HOLIDAYS"));
        QCOMPARE(window.LV1->item(1, 10)->text(), QStringLiteral("Holidays")); // the drive, no older catalogue of it
        QCOMPARE(window.LV1->item(1, 11)->text(), QStringLiteral("0"));
        window.LV1->selectRow(0);
        QVERIFY(!window.cmdOpen->isEnabled());
        window.LV1->selectRow(1);
        QVERIFY(window.cmdOpen->isEnabled());
        window.cmdOpen_Click();
        QCOMPARE(env.launcher.calls.size(), 1);
        QCOMPARE(env.launcher.calls.first().file, QStringLiteral("/run/media/me/HOLIDAYS"));

        // A .kestrova that is a link is named once, under the list.
        QVERIFY(window.lblNotes->isHidden());
        const QString folder = cats.filePath(QStringLiteral(".kestrova"));
        QTemporaryDir elsewhere;
        QVERIFY(QDir().rename(folder, elsewhere.filePath(QStringLiteral("k"))));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("k")), folder));
        window.cmdRefresh_Click();
        QVERIFY(!window.lblNotes->isHidden());
        QCOMPARE(window.lblNotes->text(), refusedFactsNotice(folder));
    }
};

QTEST_MAIN(TestDrivesWindow)
#include "test_drives_window.moc"
