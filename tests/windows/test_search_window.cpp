#include "windows/search_window.h"

#include "catalogue/catalogue_generator.h"
#include "platform/files/file_names.h"
#include "search/index_cache.h"
#include "support/fake_file_system.h"
#include "support/files.h"
#include "support/temporary_cache.h"
#include "support/window_services.h"
#include "windows/drive_folder_lists.h"
#include "windows/main_window.h"
#include "windows/result_list.h"
#include "windows/run_copy_window.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStorageInfo>
#include <QTest>
#include <QTimer>
#include <QTableView>

using namespace kestrova;
using testing::WindowServices;

namespace {

// A folder of catalogues written by the generator from a small in-memory tree.
struct Catalogues
{
    explicit Catalogues(const DateConventions &dates, int extraFiles = 0)
    {
        testing::FakeFileSystem fs;
        fs.addFile("/data", "b.txt", QStringLiteral("Text Document"), QDateTime(QDate(2004, 1, 2), QTime(10, 0)));
        fs.addFile("/data", "A.jpg", QStringLiteral("JPEG Image"), QDateTime(QDate(2003, 12, 15), QTime(9, 0)));
        fs.addFile("/data/sub", "c.txt", QStringLiteral("Text Document"), QDateTime(QDate(2002, 5, 1), QTime(8, 0)));
        for (int i = 0; i < extraFiles; ++i)
            fs.addFile("/data/many", "many" + QByteArray::number(i) + ".txt", QStringLiteral("Text Document"),
                       QDateTime(QDate(2010, 1, 1), QTime(1, 0)));
        GenerationSink sink;
        CatalogueGenerator(fs, dates).WriteCatalogue("/data", folder.filePath(QStringLiteral("disk1.txt")), sink);
        fs.addFolder("/other");
        fs.addFile("/other", "d.txt", QStringLiteral("Text Document"), QDateTime(QDate(2005, 3, 1), QTime(12, 0)));
        CatalogueGenerator(fs, dates).WriteCatalogue("/other", folder.filePath(QStringLiteral("Disk0.txt")), sink);
    }
    QTemporaryDir folder;
};

QStringList column(SearchWindow &window, int index)
{
    QStringList texts;
    for (int row = 0; row < window.results().rowCount(); ++row)
        texts << window.results().text(row, index);
    return texts;
}

int visibleColumns(const SearchWindow &window)
{
    return window.LV1->horizontalHeader()->count() - window.LV1->horizontalHeader()->hiddenSectionCount();
}

// A screen reader walking a list cell by cell, and every warning Qt gives on the way.
struct ScreenReader
{
    ScreenReader()
    {
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            heard() << text;
        });
    }
    ~ScreenReader()
    {
        qInstallMessageHandler(previous);
        heard().clear();
    }
    static QStringList &heard()
    {
        static QStringList messages;
        return messages;
    }
    // Asks the list for each of its cells by number, as a reader walking it does.
    static QStringList cellsMissing(QTableView &view)
    {
        QStringList missing;
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&view);
        for (int i = 0; i < list->childCount(); ++i)
            if (!list->child(i))
                missing << QString::number(i);
        return missing;
    }
    QtMessageHandler previous = nullptr;
};

} // namespace

class TestSearchWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstOpeningWithoutASetupFile()
    {
        WindowServices env;
        SearchWindow window(env.services);
        window.Form_Load();
        QCOMPARE(window.windowTitle(), QStringLiteral("Search"));
        // Four columns shown; Size and Modified wait, hidden, for the header's menu.
        QCOMPARE(visibleColumns(window), 4);
        QCOMPARE(window.results().headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Created"));
        QCOMPARE(window.results().rowCount(), 0);
        QVERIFY(window.optNoCase->isChecked());
        QVERIFY(!window.chkDate->isChecked());
        QCOMPARE(window.dp1->date(), QDate(2003, 6, 14));
        QCOMPARE(window.dp1->minimumDate(), QDate(1601, 1, 1));
        QCOMPARE(window.panelPath->text(), QStringLiteral("Current Path"));
        QCOMPARE(window.panelCount->text(), QStringLiteral("Total Records Matched"));
        QCOMPARE(window.fContinue->text(), QStringLiteral("   Search Indicator"));
        QCOMPARE(window.fContinue->palette().color(QPalette::Window), QColor(Qt::red));
        QCOMPARE(window.session().FilterDateText, QStringLiteral("6/14/2003"));
        const int inner = window.LV1->width() - 2 * window.LV1->frameWidth();
        QCOMPARE(window.LV1->columnWidth(0), inner / 2);
        QCOMPARE(window.LV1->columnWidth(3), inner / 4);
        QVERIFY(env.paths.CurrentPath.isEmpty());

        // Reopening adds no columns of its own.
        window.Form_Load();
        QCOMPARE(visibleColumns(window), 4);
    }

    void openingWithASetupFile()
    {
        WindowServices env;
        Catalogues catalogues(env.dates);
        env.store.write(catalogues.folder.path());
        SearchWindow window(env.services);
        window.Form_Load();
        QCOMPARE(env.paths.CurrentPath, catalogues.folder.path());
        QCOMPARE(env.paths.DefaultPath, catalogues.folder.path());
        QCOMPARE(window.panelPath->text(), catalogues.folder.path());
        QCOMPARE(window.Dir1->path(), catalogues.folder.path());
        QVERIFY(env.messages.shown.isEmpty());

        env.store.write(QStringLiteral("/no/such/folder"));
        window.Form_Load();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("Path not found")});
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::Information);
        QCOMPARE(env.paths.CurrentPath, QStringLiteral("/no/such/folder"));
        QCOMPARE(env.paths.DefaultPath, catalogues.folder.path());
    }

    void searchesEndToEndAndSorts()
    {
        WindowServices env;
        Catalogues catalogues(env.dates);
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(catalogues.folder.path());
        QCOMPARE(env.paths.CurrentPath, catalogues.folder.path());
        window.txtCriteria->setText(QStringLiteral(".txt"));
        QTest::mouseClick(window.cmdSearch, Qt::LeftButton);

        QCOMPARE(column(window, 0), (QStringList{"/data/b.txt", "/data/sub/c.txt", "/other/d.txt"}));
        QCOMPARE(column(window, 3), (QStringList{"disk1.txt", "disk1.txt", "Disk0.txt"}));
        QCOMPARE(window.panelCount->text(), QStringLiteral("3"));
        QCOMPARE(window.fContinue->text(), QStringLiteral("Finshied ..."));
        QCOMPARE(window.fContinue->palette().color(QPalette::Window), QColor(Qt::green));

        window.LV1_ColumnClick(2); // dates sort as text
        QCOMPARE(column(window, 2), (QStringList{"1/2/2004 10:00:00 AM", "3/1/2005 12:00:00 PM", "5/1/2002 8:00:00 AM"}));
        window.LV1_ColumnClick(3);
        QCOMPARE(column(window, 3), (QStringList{"Disk0.txt", "disk1.txt", "disk1.txt"}));
        window.LV1_ColumnClick(3);
        QCOMPARE(column(window, 3), (QStringList{"Disk0.txt", "disk1.txt", "disk1.txt"}));

        // The case option and the date filter with the picker untouched (14 June 2003).
        window.optCase->setChecked(true);
        window.txtCriteria->setText(QStringLiteral("JPG"));
        window.cmdSearch_Click();
        QCOMPARE(window.results().rowCount(), 0);
        QCOMPARE(window.panelCount->text(), QString());
        window.optNoCase->setChecked(true);
        window.chkDate->click();
        QVERIFY(window.dp1->isEnabled());
        window.txtCriteria->setText(QStringLiteral("t"));
        window.cmdSearch_Click();
        // c.txt (2002) is too old; the header line holds a "t" but no date.
        QCOMPARE(column(window, 0), (QStringList{"/other/d.txt", "/data/b.txt"}));
        window.dp1->setDate(QDate(2004, 1, 3));
        window.cmdSearch_Click();
        QCOMPARE(column(window, 0), QStringList{"/other/d.txt"});
        // A catalogue whose dates cannot be read is named in the status bar, not in a message.
        const QString odd = catalogues.folder.filePath(QStringLiteral("odd.txt"));
        QVERIFY(testing::writeAll(odd, "t.txt;Text;sometime\r\n"));
        const qsizetype said = env.messages.texts().size();
        window.cmdSearch_Click();
        QCOMPARE(column(window, 0), QStringList{"/other/d.txt"});
        QCOMPARE(window.panelDates->text(), QStringLiteral("Dates not readable: odd.txt"));
        QVERIFY(!window.panelDates->isHidden() && env.messages.texts().size() == said);
        QVERIFY(QFile::remove(odd));
        window.cmdSearch_Click();
        QVERIFY(window.panelDates->isHidden());
        window.chkDate->click();
        QVERIFY(!window.dp1->isEnabled());
        QCOMPARE(window.session().FilterDateText, QStringLiteral("1/3/2004"));
    }

    void indexBuiltInTheBackgroundGivesTheSameRows()
    {
        WindowServices env;
        Catalogues catalogues(env.dates, 30000); // large enough to be indexed
        QTemporaryDir cacheFolder;
        const testing::TemporaryCache cache(cacheFolder.path());
        IndexCache index(cache, IndexCache::Builds::Background);
        env.services.searchIndex = &index;
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(catalogues.folder.path());
        window.txtCriteria->setText(QStringLiteral("many2999"));
        window.cmdSearch_Click();
        const QStringList read = column(window, 0);
        QCOMPARE(read.size(), 11); // many2999 and many29990 to many29999
        index.waitForBuilds();
        QCOMPARE(QDir(cacheFolder.path()).entryList(QDir::Files).size(), 2); // the small one: read whole
        window.cmdSearch_Click();
        QCOMPARE(column(window, 0), read);
        QCOMPARE(index.narrowedReadings(), quint64(1));
        QCOMPARE(window.fContinue->text(), QStringLiteral("Finshied ..."));
    }

    void columnClickDuringASearchAppliesAtItsEnd()
    {
        WindowServices env;
        Catalogues catalogues(env.dates);
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(catalogues.folder.path());
        window.txtCriteria->setText(QStringLiteral(".txt"));
        QTimer::singleShot(0, &window, [&] { window.LV1_ColumnClick(3); });
        window.cmdSearch_Click();
        QCOMPARE(column(window, 3), (QStringList{"Disk0.txt", "disk1.txt", "disk1.txt"}));
    }

    void stopAndCloseDuringASearch()
    {
        WindowServices env;
        Catalogues catalogues(env.dates, 30000);
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(catalogues.folder.path());
        window.txtCriteria->setText(QStringLiteral("many"));
        QTimer::singleShot(0, &window, [&] {
            QVERIFY(window.isSearching());
            QCOMPARE(window.fContinue->text(), QStringLiteral("Searching ..."));
            QTest::mouseClick(window.cmdStop, Qt::LeftButton);
            QCOMPARE(window.fContinue->text(), QStringLiteral("Stopped ..."));
        });
        window.cmdSearch_Click();
        QVERIFY(window.results().rowCount() < 30000);
        QCOMPARE(window.fContinue->text(), QStringLiteral("Finshied ..."));
        // The other panel says the list is partial.
        QCOMPARE(window.panelPath->text(),
                 QStringLiteral("Stopped: %1 hits so far").arg(QLocale().toString(window.results().rowCount())));

        // Close while searching: the search stops, and the closed window is left alone.
        window.show();
        QTimer::singleShot(0, &window, [&] { window.cmdExit_Click(); });
        window.cmdSearch_Click();
        QVERIFY(window.discardRequested());
        QVERIFY(window.session().StopRequested);
        QCOMPARE(window.results().rowCount(), 0);
        QVERIFY(!window.isVisible());
    }

    void closeDiscardsTheInstanceTitleBarKeepsIt()
    {
        WindowServices env;
        MainWindow main(env.services);
        main.Form_Load();
        QTimer::singleShot(0, &main, [&] {
            main.searchWindow()->session().FilterDateText = QStringLiteral("kept");
            main.searchWindow()->close(); // the title bar
        });
        main.cmdFind_Click();
        QVERIFY(main.searchWindow());
        QTimer::singleShot(0, &main, [&] {
            QCOMPARE(main.searchWindow()->session().FilterDateText, QStringLiteral("kept"));
            main.searchWindow()->cmdExit_Click();
        });
        main.cmdFind_Click();
        QVERIFY(!main.searchWindow());
    }

    void driveNotReadyAndCriteriaErasedOnFocus()
    {
        WindowServices env;
        QTemporaryDir folder;
        env.drives.append(Volume{QStringLiteral("/media/no-disc"), QString(), QStringLiteral("/dev/sr0"),
                                 QStringLiteral("iso9660"), false});
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(folder.path());
        window.Drive1->setCurrentIndex(1);
        emit window.Drive1->driveChanged();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("Path not found")});
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::Information);
        QCOMPARE(env.paths.CurrentPath, folder.path());
        QCOMPARE(window.panelPath->text(), folder.path());

        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Emptied when the user clicks into the box or tabs to it ...
        window.txtCriteria->setText(QStringLiteral("typed before"));
        window.cmdSearch->setFocus();
        QTest::mouseClick(window.txtCriteria, Qt::LeftButton);
        QCOMPARE(window.txtCriteria->text(), QString());
        window.txtCriteria->setText(QStringLiteral("typed before"));
        window.cmdSearch->setFocus();
        window.txtCriteria->setFocus(Qt::BacktabFocusReason);
        QCOMPARE(window.txtCriteria->text(), QString());
        // ... not when the focus comes back from another application or a message box.
        window.txtCriteria->setText(QStringLiteral("kept"));
        window.cmdSearch->setFocus();
        window.txtCriteria->setFocus(Qt::ActiveWindowFocusReason);
        window.cmdSearch->setFocus();
        window.txtCriteria->setFocus(Qt::PopupFocusReason);
        QCOMPARE(window.txtCriteria->text(), QStringLiteral("kept"));
    }

    void escapeTakesTheOneClosePath()
    {
        WindowServices env;
        Catalogues catalogues(env.dates, 30000);
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(catalogues.folder.path());
        window.txtCriteria->setText(QStringLiteral("many"));
        window.show();
        QTimer::singleShot(0, &window, [&] { QTest::keyClick(&window, Qt::Key_Escape); });
        window.cmdSearch_Click();
        QVERIFY(window.session().StopRequested);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.results().rowCount(), 0);
        QVERIFY(!window.discardRequested()); // like the title bar, not like Close
    }

    void reopeningStartsWithTheDesignedControls()
    {
        WindowServices env;
        Catalogues catalogues(env.dates);
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(catalogues.folder.path());
        window.chkDate->click();
        window.dp1->setDate(QDate(2020, 2, 2));
        window.txtCriteria->setText(QStringLiteral(".txt"));
        window.cmdSearch_Click();
        window.close(); // the title bar keeps the instance and its private fields
        window.Form_Load();
        QVERIFY(!window.chkDate->isChecked());
        QVERIFY(!window.dp1->isEnabled());
        QCOMPARE(window.dp1->date(), QDate(2003, 6, 14));
        QCOMPARE(window.fContinue->text(), QStringLiteral("   Search Indicator"));
        QCOMPARE(window.panelCount->text(), QStringLiteral("Total Records Matched"));
        QCOMPARE(window.txtCriteria->text(), QString());
        QCOMPARE(window.session().FilterDateText, QStringLiteral("2/2/2020"));
        // The folder the next search reads is the one shown.
        QCOMPARE(env.paths.CurrentPath, catalogues.folder.path());
        QCOMPARE(window.Dir1->path(), catalogues.folder.path());
        QCOMPARE(window.panelPath->text(), catalogues.folder.path());
    }

    void aFolderThatCannotBeOpenedIsNamed()
    {
        WindowServices env;
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("gone")));
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(dir.path());
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("gone")));
        const QList<QListWidgetItem *> items = window.Dir1->findItems(QStringLiteral("gone"), Qt::MatchEndsWith);
        QCOMPARE(items.size(), 1);
        emit window.Dir1->itemActivated(items.first());
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("Path not found: ") + dir.filePath(QStringLiteral("gone"))});
        QCOMPARE(window.Dir1->path(), dir.path());
    }

    void hitsWhoseNamesAreNotUtf8KeepTheirBytes()
    {
        WindowServices env;
        QTemporaryDir folder;
        QVERIFY(testing::writeAll(folder.filePath(QStringLiteral("c.txt")),
                                  "============================================\r\nFolder  /data\r\n"
                                  "============================================\r\ncaf\xe9.txt;Text;1/1/2024\r\n"));
        SearchWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(folder.path());
        window.txtCriteria->setText(QStringLiteral("caf"));
        window.cmdSearch_Click();
        window.LV1->setCurrentIndex(window.results().index(0, 0));
        QString shown;
        QTimer::singleShot(0, &window, [&] {
            shown = window.runCopyWindow()->txtpath->text();
            window.runCopyWindow()->cmdCopy_Click();
            window.runCopyWindow()->cmdRun_Click();
            window.runCopyWindow()->cmdClose_Click();
        });
        window.LV1_DblClick();
        QCOMPARE(encodeFileName(env.paths.SelectedPath), QByteArray("/data/caf\xe9.txt"));
        QCOMPARE(encodeFileName(env.launcher.calls.first().file), QByteArray("/data/caf\xe9.txt"));
        QCOMPARE(env.clipboard.text, QStringLiteral("/data/caf\uFFFD.txt"));
        QCOMPARE(env.clipboard.uriList, QByteArray("file:///data/caf%E9.txt\r\n"));
    }

    void doubleClickOpensTheRunCopyWindow()
    {
        WindowServices env;
        Catalogues catalogues(env.dates);
        SearchWindow window(env.services);
        window.Form_Load();
        window.LV1_DblClick();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("Please select an item.")});

        window.Dir1->setPath(catalogues.folder.path());
        window.txtCriteria->setText(QStringLiteral(".txt"));
        window.cmdSearch_Click();
        QStringList shown;
        for (int row : {1, 0}) {
            window.LV1->setCurrentIndex(window.results().index(row, 0));
            QTimer::singleShot(0, &window, [&] {
                shown << window.runCopyWindow()->txtpath->text();
                window.runCopyWindow()->cmdClose_Click();
            });
            window.LV1_DblClick();
            QCOMPARE(window.runCopyWindow()->txtpath->text(), QString());
        }
        QCOMPARE(shown, (QStringList{"/data/sub/c.txt", "/data/b.txt"}));
        QCOMPARE(env.paths.SelectedPath, QStringLiteral("/data/b.txt"));
    }

    void runAndCopy()
    {
        WindowServices env;
        RunCopyWindow show(env.services);
        env.paths.SelectedPath = QStringLiteral("/usr/bin/tool");
        env.programStarter.startable << QStringLiteral("/usr/bin/tool");
        show.Form_Load();
        QCOMPARE(show.windowTitle(), QStringLiteral("Run/Copy path"));
        show.cmdRun_Click();
        QVERIFY(env.launcher.calls.isEmpty());
        QVERIFY(env.messages.shown.isEmpty());

        show.txtpath->setText(QStringLiteral("/home/me/notes.txt"));
        show.cmdRun_Click();
        QCOMPARE(env.launcher.calls.size(), 1);
        QCOMPARE(env.launcher.calls.first().file, QStringLiteral("/home/me/notes.txt"));
        QCOMPARE(env.launcher.calls.first().workingFolder, QStringLiteral("/")); // the drive's root
        QVERIFY(env.messages.shown.isEmpty());

        for (int result : {3, 31, 8, 4, 0}) {
            env.launcher.result = result;
            show.cmdRun_Click();
        }
        env.launcher.failure = Error(ErrorNumber::FileNotFound, QStringLiteral("xdg-open is not installed"));
        show.cmdRun_Click();
        const QStringList expected = {"Path not found ....", "No association for file extension ....",
                                      "Out of memory.", "Unknown error.", "Unknown error.",
                                      "xdg-open is not installed", "Unknown error."};
        QCOMPARE(env.messages.texts(), expected);
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::Information);

        show.cmdCopy_Click();
        QCOMPARE(env.clipboard.text, QStringLiteral("/home/me/notes.txt"));
        QCOMPARE(env.clipboard.uriList, QByteArray("file:///home/me/notes.txt\r\n"));
        show.show();
        QCOMPARE(show.txtpath->text(), QStringLiteral("/usr/bin/tool")); // showing puts the path back
    }

    void launchFolderIsTheRootOfThePathsDrive()
    {
        QTemporaryDir dir;
        QCOMPARE(driveRoot(dir.filePath(QStringLiteral("file.txt"))), QStorageInfo(dir.path()).rootPath());
        QCOMPARE(driveRoot(QStringLiteral("/media/not-plugged-in/photos/a.jpg")), QStorageInfo(QStringLiteral("/")).rootPath());
        QCOMPARE(driveRoot(QStringLiteral("relative/name")), QStringLiteral("/"));
    }

    void runCopyWindowGivesThePathBoxTheFocus()
    {
        WindowServices env;
        RunCopyWindow show(env.services);
        env.paths.SelectedPath = QStringLiteral("/data/a.txt");
        for (int opening = 0; opening < 2; ++opening) {
            QWidget *focused = nullptr;
            QTimer::singleShot(0, &show, [&] {
                focused = show.focusWidget();
                QTest::keyClick(show.txtpath, Qt::Key_Return); // Enter in the box runs nothing
                show.cmdRun->setFocus(); // as after a click on Run
                show.cmdClose_Click();
            });
            show.exec();
            QCOMPARE(focused, show.txtpath);
        }
        QVERIFY(env.programStarter.started.isEmpty());
        QVERIFY(env.launcher.calls.isEmpty());
    }

    void aScreenReaderReachesEveryCellThroughSearchSortAndStop()
    {
        WindowServices env;
        Catalogues catalogues(env.dates, 3000);
        SearchWindow window(env.services);
        window.Form_Load();
        window.show();
        const ScreenReader reader;
        window.Dir1->setPath(catalogues.folder.path());
        window.txtCriteria->setText(QStringLiteral(".txt"));
        window.cmdSearch_Click();
        // The count is heard with what it counts.
        QCOMPARE(QAccessible::queryAccessibleInterface(window.panelCount)->text(QAccessible::Name),
                 QStringLiteral("Total Records Matched: %1").arg(QLocale().toString(window.results().rowCount())));
        window.LV1->setFocus();
        window.LV1->setCurrentIndex(window.LV1->model()->index(window.results().rowCount() - 1, 1));
        window.mSize->trigger();
        window.LV1_ColumnClick(0);
        window.LV1->setCurrentIndex(window.LV1->model()->index(2, 5));
        QCOMPARE(ScreenReader::cellsMissing(*window.LV1), QStringList());
        window.txtCriteria->setText(QStringLiteral("many1"));
        window.cmdSearch_Click();
        window.LV1->setFocus();
        QTest::keyClick(window.LV1, Qt::Key_End, Qt::ControlModifier);
        window.txtCriteria->setText(QStringLiteral("many"));
        QTimer::singleShot(0, &window, [&] { QTest::mouseClick(window.cmdStop, Qt::LeftButton); });
        window.cmdSearch_Click();
        QTest::keyClick(window.LV1, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(ScreenReader::cellsMissing(*window.LV1), QStringList());
        window.txtCriteria->setText(QStringLiteral("no such file"));
        window.cmdSearch_Click();
        QCOMPARE(ScreenReader::cellsMissing(*window.LV1), QStringList());
        QCOMPARE(ScreenReader::heard(), QStringList());
    }
};

QTEST_MAIN(TestSearchWindow)
#include "test_search_window.moc"
