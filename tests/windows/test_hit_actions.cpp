// The actions around the search window's hits, on catalogues of a real temporary tree: the
// context menu's commands, the keyboard, the export, and the larger list of a maximized window.
#include "windows/hit_actions.h"

#include "catalogue/catalogue_generator.h"
#include "platform/files/file_names.h"
#include "platform/files/posix_file_system.h"
#include "support/files.h"
#include "support/window_services.h"
#include "windows/drive_folder_lists.h"
#include "windows/layout.h"
#include "windows/result_list.h"
#include "windows/run_copy_window.h"
#include "windows/search_window.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace kestrova;
using testing::WindowServices;

namespace {

// A tree with three files and its catalogue, plus the catalogue of a drive that is gone.
struct Hits
{
    explicit Hits(const DateConventions &dates)
    {
        QVERIFY(QDir(tree.path()).mkpath(QStringLiteral("photos")));
        for (const char *name : {"photos/beach.jpg", "photos/cliff, north.jpg", "notes.txt"})
            QVERIFY(testing::writeAll(tree.filePath(QString::fromLatin1(name)), "x"));
        PosixFileSystem fs;
        GenerationSink sink;
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(tree.path()),
                                                     catalogues.filePath(QStringLiteral("home.txt")), sink);
        QVERIFY(testing::writeAll(catalogues.filePath(QStringLiteral("usb-stick.txt")),
                                  "============================================\r\nFolder  /media/kestrova-usb-gone/trip\r\n"
                                  "============================================\r\nbeach.jpg;JPEG image;7/1/2019\r\n"));
    }
    QTemporaryDir tree;
    QTemporaryDir catalogues;
};

struct SearchedWindow
{
    SearchedWindow(WindowServices &env, const Hits &hits, const QString &criteria) : window(env.services)
    {
        window.Form_Load();
        window.Dir1->setPath(hits.catalogues.path());
        window.txtCriteria->setText(criteria);
        window.cmdSearch_Click();
    }
    int rowOf(const QString &pathEnd)
    {
        for (int row = 0; row < window.results().rowCount(); ++row)
            if (window.results().filePath(row).endsWith(pathEnd))
                return row;
        return -1;
    }
    void select(const QList<int> &rows)
    {
        window.LV1->clearSelection();
        for (const int row : rows)
            window.LV1->selectionModel()->select(window.results().index(row, 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
        window.LV1->selectionModel()->setCurrentIndex(window.results().index(rows.last(), 0), QItemSelectionModel::NoUpdate);
    }
    SearchWindow window;
};

} // namespace

class TestHitActions : public QObject
{
    Q_OBJECT

private slots:
    void openAndShowInFolder()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        HitActions &actions = search.window.hitActions();
        const QString beach = hits.tree.filePath(QStringLiteral("photos/beach.jpg"));
        search.select({search.rowOf(QStringLiteral("/photos/beach.jpg"))});

        actions.open();
        QCOMPARE(env.launcher.calls.size(), 1);
        QCOMPARE(env.launcher.calls.first().file, beach);
        actions.showInFolder();
        QCOMPARE(env.fileManager.shown, QStringList{beach});
        QCOMPARE(env.launcher.calls.size(), 1);
        // Without a file manager on the bus, the folder itself opens.
        env.fileManager.available = false;
        actions.showInFolder();
        QCOMPARE(env.launcher.calls.last().file, hits.tree.filePath(QStringLiteral("photos")));
        QVERIFY(env.messages.shown.isEmpty());
    }

    void aHitOnADriveThatIsNotConnectedSaysSo()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        search.select({search.rowOf(QStringLiteral("/trip/beach.jpg"))});
        search.window.hitActions().open();
        search.window.hitActions().showInFolder();
        const QString expected = QStringLiteral("/media/kestrova-usb-gone/trip/beach.jpg is on a drive that is not connected: "
                                                "the folder /media/kestrova-usb-gone is missing.\nIt was catalogued in usb-stick.txt.");
        QCOMPARE(env.messages.texts(), (QStringList{expected, expected}));
        QVERIFY(env.launcher.calls.isEmpty());
        QVERIFY(env.fileManager.shown.isEmpty());

        // Run and Copy in the Run/Copy path window say their own word first, then the same.
        env.launcher.result = 3;
        QTimer::singleShot(0, &search.window, [&] {
            RunCopyWindow *runCopy = search.window.runCopyWindow();
            runCopy->cmdRun_Click();
            runCopy->cmdCopy_Click();
            runCopy->close();
        });
        search.window.LV1_DblClick();
        QCOMPARE(env.messages.texts().mid(2), (QStringList{"Path not found ....\n" + expected, expected}));
    }

    void copyThePathsOfTheSelectionInListOrder()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        const int cliff = search.rowOf(QStringLiteral("cliff, north.jpg"));
        const int beach = search.rowOf(QStringLiteral("/photos/beach.jpg"));
        search.select({cliff, beach}); // picked in the other order
        search.window.LV1->setFocus();
        QTest::keySequence(search.window.LV1, QKeySequence::Copy);
        const QStringList inListOrder = {search.window.results().filePath(std::min(cliff, beach)),
                                         search.window.results().filePath(std::max(cliff, beach))};
        QCOMPARE(env.clipboard.text, inListOrder.join(u'\n'));
        QCOMPARE(env.clipboard.uriList.count("\r\n"), 2);
        search.window.hitActions().copyNames();
        QCOMPARE(env.clipboard.text, inListOrder.first().section(u'/', -1) + u'\n' + inListOrder.last().section(u'/', -1));
    }

    void enterDoesWhatADoubleClickDoes()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        const int beach = search.rowOf(QStringLiteral("/photos/beach.jpg"));
        search.select({beach});
        QString shown;
        QTimer::singleShot(0, &search.window, [&] {
            shown = search.window.runCopyWindow()->txtpath->text();
            search.window.runCopyWindow()->cmdClose_Click();
        });
        QTest::keyClick(search.window.LV1, Qt::Key_Return);
        QCOMPARE(shown, search.window.results().filePath(beach));
        QCOMPARE(env.paths.SelectedPath, search.window.results().filePath(beach));
    }

    void exportWritesTheListAsItIsOrdered()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        search.window.LV1_ColumnClick(3); // by catalogue: home.txt first
        QTemporaryDir out;
        env.exportDialog.nextChoice = out.filePath(QStringLiteral("hits"));
        search.window.hitActions().exportResults();
        QCOMPARE(env.exportDialog.filter, QStringLiteral("CSV (*.csv);;Tab-separated text (*.tsv)"));
        const QList<QByteArray> csv = testing::readAll(out.filePath(QStringLiteral("hits.csv"))).split('\n');
        QCOMPARE(csv.size(), 5); // the header, three hits, and nothing after the last line end
        QCOMPARE(csv[0], QByteArray("File Path,File Type,Created,Catalogue File\r"));
        QVERIFY(csv[1].endsWith(",home.txt\r") && csv[2].endsWith(",home.txt\r") && csv[3].endsWith(",usb-stick.txt\r"));
        QVERIFY(csv.join('\n').contains("\"" + QFile::encodeName(hits.tree.filePath(QStringLiteral("photos/cliff, north.jpg"))) + "\""));

        // Two rows selected: only they, tab-separated as chosen.
        search.select({2, 0});
        env.exportDialog.nextChoice = out.filePath(QStringLiteral("two.tsv"));
        env.exportDialog.nextFilter = QStringLiteral("Tab-separated text (*.tsv)");
        search.window.hitActions().exportResults();
        const QList<QByteArray> tsv = testing::readAll(out.filePath(QStringLiteral("two.tsv"))).split('\n');
        QCOMPARE(tsv.size(), 4);
        QVERIFY(tsv[1].startsWith(search.window.results().filePath(0).toUtf8() + '\t'));
        QVERIFY(tsv[2].endsWith("\tusb-stick.txt"));
    }

    // Size shown from the View menu of the list's own menu, and dragged before File Type: the
    // export writes the columns shown, in that order, whatever its form.
    void exportWritesTheColumnsTheListShowsInItsOrder()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        QMenu *view = nullptr;
        for (QAction *action : search.window.hitActions().menu()->actions())
            if (action->menu())
                view = action->menu();
        QVERIFY(view && view->actions().contains(search.window.mSize));
        search.window.mSize->trigger();
        QHeaderView *header = search.window.LV1->horizontalHeader();
        header->moveSection(header->visualIndex(ResultTable::kSizeColumn), 1);
        QTemporaryDir out;
        for (const char *name : {"shown.tsv", "shown.csv"}) {
            env.exportDialog.nextChoice = out.filePath(QString::fromLatin1(name));
            search.window.hitActions().exportResults();
            const QByteArray written = testing::readAll(out.filePath(QString::fromLatin1(name)));
            const char separator = written.contains('\t') ? '\t' : ',';
            QCOMPARE(written.left(written.indexOf('\n')).trimmed().split(separator),
                     (QList<QByteArray>{"File Path", "Size", "File Type", "Created", "Catalogue File"}));
        }
    }

    void exportFormatFollowsTheNameAndStaysOutOfTheCatalogues()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        QTemporaryDir out;
        // The first export offers the documents, not the folder of catalogues.
        env.exportDialog.nextChoice = out.filePath(QStringLiteral("again.tsv"));
        env.exportDialog.nextFilter = QStringLiteral("CSV (*.csv)");
        search.window.hitActions().exportResults();
        QCOMPARE(env.exportDialog.seenInitialDir, env.exportDialog.documents);
        QVERIFY(testing::readAll(out.filePath(QStringLiteral("again.tsv"))).startsWith("File Path\tFile Type"));
        // Then the last export's folder and name, with the type of that name shown.
        env.exportDialog.nextChoice = out.filePath(QStringLiteral("list.txt"));
        search.window.hitActions().exportResults();
        QCOMPARE(env.exportDialog.seenInitialDir, out.path());
        QCOMPARE(env.exportDialog.seenFileName, QStringLiteral("again.tsv"));
        QCOMPARE(env.exportDialog.seenFilter, QStringLiteral("Tab-separated text (*.tsv)"));
        QVERIFY(testing::readAll(out.filePath(QStringLiteral("list.txt"))).startsWith("File Path\tFile Type"));
        // Among the catalogues only when the user says so.
        env.exportDialog.nextChoice = hits.catalogues.filePath(QStringLiteral("results.csv"));
        env.messages.answers = {MessageAnswer::Cancel};
        search.window.hitActions().exportResults();
        QVERIFY(env.messages.texts().last().contains(QStringLiteral("the next search there reads it as a catalogue")));
        QVERIFY(!QFile::exists(hits.catalogues.filePath(QStringLiteral("results.csv"))));
    }

    void shiftF10OpensTheMenuOfTheCurrentHit()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        search.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search.window));
        search.select({0});
        QTest::keyClick(search.window.LV1, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(search.window.hitActions().menu()->isVisible());
        search.window.hitActions().menu()->close();
    }

    void aFailedExportLeavesNoFile()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        QTemporaryDir out;
        env.exportDialog.nextChoice = out.filePath(QStringLiteral("missing/hits.csv"));
        search.window.hitActions().exportResults();
        QCOMPARE(env.messages.shown.size(), 1);
        QVERIFY(env.messages.texts().first().startsWith(QStringLiteral("The results could not be written to ")));
        QVERIFY(!QFile::exists(out.filePath(QStringLiteral("missing"))));
        QCOMPARE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void maximizedTheListGrowsAndRestoredItIsAsDesigned()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        SearchWindow &window = search.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect designedList = window.LV1->geometry();
        const QRect designedCriteria = window.txtCriteria->geometry();
        const QSize designed = window.size();
        window.showMaximized();
        // The test screen is 800 pixels square: the window grows in height, and keeps at least
        // its designed width.
        QTRY_VERIFY(window.isMaximized() && window.height() > designed.height());
        QTRY_VERIFY(window.LV1->height() > designedList.height());
        QCOMPARE(window.LV1->geometry().right(), window.width() - (designed.width() - designedList.right()));
        QCOMPARE(window.LV1->pos(), designedList.topLeft());
        QCOMPARE(window.txtCriteria->geometry(), designedCriteria);
        QCOMPARE(window.findChild<QStatusBar *>()->width(), window.width());
        // The columns share the room in their designed proportions; the folder list grows.
        QHeaderView *header = window.LV1->horizontalHeader();
        const int inside = window.LV1->width() - 2 * window.LV1->frameWidth();
        QTRY_COMPARE(header->sectionSize(0), inside / 2);
        QVERIFY(qAbs(header->sectionSize(0) - 4 * header->sectionSize(1)) <= 4);
        QVERIFY(qAbs(header->sectionSize(3) - 2 * header->sectionSize(1)) <= 4);
        QVERIFY(window.Dir1->height() > twips(5265));
        window.showNormal();
        QTRY_COMPARE(window.size(), designed);
        QCOMPARE(window.LV1->geometry(), designedList);
        QTRY_COMPARE(header->sectionSize(0), (designedList.width() - 2 * window.LV1->frameWidth()) / 2);
        // A user's drag of an edge snaps back to the designed size.
        window.resize(designed + QSize(100, 50));
        QTRY_COMPARE(window.size(), designed);
    }

    void columnsResizeByDraggingAndStartAsDesigned()
    {
        WindowServices env;
        Hits hits(env.dates);
        SearchedWindow search(env, hits, QStringLiteral("jpg"));
        QHeaderView *header = search.window.LV1->horizontalHeader();
        QCOMPARE(header->sectionResizeMode(0), QHeaderView::Interactive);
        QVERIFY(header->sectionsClickable());
        // After a search the columns fit the hits; a reopened window has them as designed.
        search.window.Form_Load();
        const int designed = header->sectionSize(2);
        header->resizeSection(2, designed + 60);
        search.window.Form_Load();
        QCOMPARE(header->sectionSize(2), designed);
    }
};

QTEST_MAIN(TestHitActions)
#include "test_hit_actions.moc"
