// The catalogue browser: opened at a hit, its listing with folder totals, the path bar and the
// navigation keys, the hit actions on a drive that is not connected, and Show in Catalogue in
// the search window's menu.
#include "windows/browser_window.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_generator.h"
#include "support/files.h"
#include "support/window_services.h"
#include "windows/browser_models.h"
#include "windows/hit_actions.h"
#include "windows/main_window.h"
#include "windows/search_window.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <QTreeView>

using namespace kestrova;
using testing::WindowServices;

class TestBrowserWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensAtAHitAndWalksTheFolders()
    {
        WindowServices env;
        QTemporaryDir tree, cats;
        const QDir root(tree.path());
        QVERIFY(root.mkpath(QStringLiteral("Photos/2024")));
        QVERIFY(testing::writeAll(root.filePath(QStringLiteral("notes.txt")), "12345"));
        QVERIFY(testing::writeAll(root.filePath(QStringLiteral("Photos/a.jpg")), QByteArray(2000, 'x')));
        QVERIFY(testing::writeAll(root.filePath(QStringLiteral("Photos/2024/b.jpg")), QByteArray(3000, 'x')));
        Volume usb;
        usb.label = QStringLiteral("Holidays");
        usb.uuid = QStringLiteral("1234-ABCD");
        usb.fileSystem = QStringLiteral("vfat");
        const QString catalogue = cats.filePath(QStringLiteral("usb.txt"));
        FactsWriter facts(catalogue, startingRun(tree.path(), usb));
        GenerationSink sink;
        CatalogueGenerator(env.fileSystem, env.dates).WriteCatalogue(QFile::encodeName(tree.path()), catalogue, sink,
                                                                     QDate(2026, 12, 7), &facts);

        BrowserWindow window(env.services);
        QVERIFY(window.showHit(catalogue, QFile::encodeName(root.filePath(QStringLiteral("Photos/a.jpg")))));
        QCOMPARE(window.txtPath->text(), root.filePath(QStringLiteral("Photos")));
        QVERIFY2(window.lblFacts->text().contains(QStringLiteral("Holidays")) && window.lblFacts->text().contains(QStringLiteral("not connected")),
                 qPrintable(window.lblFacts->text()));
        // The sub-folder first, with the total under it; the hit selected.
        BrowserListModel &list = window.listing();
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(list.index(0, BrowserListModel::Name).data().toString(), QStringLiteral("2024"));
        QCOMPARE(list.index(0, BrowserListModel::Size).data().toString(), QStringLiteral("2.93 KiB in 1 file"));
        QCOMPARE(list.index(1, BrowserListModel::Size).data().toString(), QStringLiteral("1.95 KiB"));
        QCOMPARE(list.index(1, BrowserListModel::Share).data().toString(), QStringLiteral("40.0%"));
        QCOMPARE(window.hitActions().selectedRows(), QList<int>{1});
        QCOMPARE(window.tvFolders->currentIndex().data().toString(), QStringLiteral("Photos"));

        // Sorting by size, largest first, mixes folders and files.
        window.LV1->horizontalHeader()->setSortIndicator(BrowserListModel::Size, Qt::DescendingOrder);
        QCOMPARE(list.index(0, BrowserListModel::Name).data().toString(), QStringLiteral("2024"));
        window.LV1->horizontalHeader()->setSortIndicator(BrowserListModel::Size, Qt::AscendingOrder);
        QCOMPARE(list.index(0, BrowserListModel::Name).data().toString(), QStringLiteral("a.jpg"));
        QCOMPARE(window.hitActions().selectedRows(), QList<int>{0}); // still the hit, in its new place

        // The drive is not connected: Open says which drive to connect.
        QVERIFY(QFile::remove(root.filePath(QStringLiteral("Photos/a.jpg"))));
        window.hitActions().open();
        QCOMPARE(env.messages.texts().size(), 1);
        QVERIFY2(env.messages.texts().first().contains(QStringLiteral("Holidays")), qPrintable(env.messages.texts().first()));
        QVERIFY(env.launcher.calls.isEmpty());
        window.hitActions().copyPaths();
        QCOMPARE(env.clipboard.text, root.filePath(QStringLiteral("Photos/a.jpg")));

        // Up (Backspace) keeps the folder come from chosen; Back and Forward with their keys.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.LV1->setFocus();
        QTest::keyClick(window.LV1, Qt::Key_Backspace);
        QCOMPARE(window.txtPath->text(), tree.path());
        QCOMPARE(list.row(window.hitActions().selectedRows().value(0)).name, QByteArray("Photos"));
        QCOMPARE(list.index(list.rowNamed("Photos"), BrowserListModel::Size).data().toString(), QStringLiteral("4.88 KiB in 2 files"));
        QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(window.txtPath->text(), root.filePath(QStringLiteral("Photos")));
        QVERIFY(window.cmdForward->isEnabled());
        QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(window.txtPath->text(), tree.path());

        // Enter on a folder goes into it; a typed path goes there, a wrong one says so.
        window.LV1->selectRow(list.rowNamed("Photos"));
        window.LV1->setCurrentIndex(list.index(list.rowNamed("Photos"), 0));
        QTest::keyClick(window.LV1, Qt::Key_Return);
        QCOMPARE(window.txtPath->text(), root.filePath(QStringLiteral("Photos")));
        window.txtPath->setText(root.filePath(QStringLiteral("Photos/2024/")));
        QTest::keyClick(window.txtPath, Qt::Key_Return);
        QCOMPARE(list.rowCount(), 1);
        QCOMPARE(list.row(0).name, QByteArray("b.jpg"));
        window.txtPath->setText(QStringLiteral("/nowhere"));
        QTest::keyClick(window.txtPath, Qt::Key_Return);
        QCOMPARE(env.messages.texts().last(), QStringLiteral("The catalogue holds no folder /nowhere."));

        // The export writes the listed rows as the search window's export does, in the columns
        // the list shows (the share bar aside).
        env.exportDialog.nextChoice = cats.filePath(QStringLiteral("listing.csv"));
        window.hitActions().exportResults();
        const QByteArray exported = testing::readAll(cats.filePath(QStringLiteral("listing.csv")));
        QVERIFY2(exported.contains(QFile::encodeName(root.filePath(QStringLiteral("Photos/2024/b.jpg"))) + ",") && exported.contains(",3000,")
                     && exported.startsWith("File Path,File Type,Created,Size,Modified\r\n"),
                 exported.constData());
    }

    void searchHitsOfferShowInCatalogue()
    {
        WindowServices env;
        SearchWindow alone(env.services);
        QVERIFY(!alone.hitActions().showInCatalogueAction->isVisible());
        MainWindow main(env.services);
        QVERIFY(main.mBrowse);
        SearchWindow search(env.services);
        QVERIFY(search.hitActions().showInCatalogueAction->isVisible());
    }
};

QTEST_MAIN(TestBrowserWindow)
#include "test_browser_window.moc"
