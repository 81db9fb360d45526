#include "support/files.h"
#include "windows/main_window.h"

#include "platform/files/parallel_walk.h"
#include "support/fake_file_system.h"
#include "support/window_services.h"
#include "windows/drive_folder_lists.h"
#include "windows/picture_button.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QGuiApplication>
#include <QScreen>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace kestrova;
using testing::WindowServices;

namespace {

// A small tree with two files and a sub-folder.
struct Tree
{
    Tree()
    {
        QDir(root.path()).mkpath(QStringLiteral("sub"));
        for (const char *name : {"a.txt", "sub/b.txt"}) {
            QFile file(root.filePath(QString::fromLatin1(name)));
            file.open(QIODevice::WriteOnly);
        }
    }
    QTemporaryDir root;
    QTemporaryDir output;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void manualPageAndMetadataNameEveryCommand()
    {
        // What the menus offer, the manual page and the software centre's description say.
        WindowServices env;
        MainWindow window(env.services);
        QFile page(QStringLiteral(KESTROVA_SOURCE_DIR "/data/man/kestrova.1"));
        QFile metadata(QStringLiteral(KESTROVA_SOURCE_DIR "/data/io.github.kestrova.Kestrova.metainfo.xml.in"));
        QVERIFY(page.open(QIODevice::ReadOnly) && metadata.open(QIODevice::ReadOnly));
        const QString pageText = QString::fromUtf8(page.readAll());
        const QString metadataText = QString::fromUtf8(metadata.readAll());
        const auto command = [](QAction *action) { return action->text().remove(QStringLiteral("...")).remove(u'&'); };
        for (QAction *action : {window.mGenerate, window.mFind, window.mPath, window.mCompare})
            QVERIFY2(pageText.contains(command(action)), qPrintable(command(action)));
        // The tools beyond writing and searching catalogues are features to name there.
        QVERIFY2(metadataText.contains(command(window.mCompare)), qPrintable(command(window.mCompare)));
    }

    void startsWithoutASetupFile()
    {
        WindowServices env;
        MainWindow window(env.services);
        window.Form_Load();
        QCOMPARE(window.windowTitle(), QStringLiteral("Kestrova"));
        QCOMPARE(window.lblFolder->text(), QString());
        QCOMPARE(window.lblFile->text(), QString());
        QVERIFY(!window.cmdGenerate->isEnabled());
        QVERIFY(!window.cmdView->isEnabled());
        QVERIFY(window.cmdFind->isEnabled());
        QVERIFY(window.cmdSetDefaultPath->isEnabled());
        QVERIFY(window.cmdExit->isEnabled());
        QCOMPARE(window.cmdGenerate->text(), QStringLiteral("&Generate Catalogue"));
        QCOMPARE(window.cmdFind->text(), QStringLiteral("&Find Files "));
        QCOMPARE(window.cmdExit->text(), QStringLiteral("E&xit"));
        QVERIFY(env.messages.shown.isEmpty());
        QVERIFY(env.paths.DefaultPath.isEmpty());
    }

    void startsAtTheStoredDefaultPath()
    {
        WindowServices env;
        QTemporaryDir catalogues;
        env.store.write(catalogues.path());
        MainWindow window(env.services);
        window.Form_Load();
        QCOMPARE(window.lblFolder->text(), catalogues.path());
        QVERIFY(window.cmdGenerate->isEnabled());
        QVERIFY(window.cmdView->isEnabled());
        QCOMPARE(env.paths.DefaultPath, catalogues.path());
        QVERIFY(env.messages.shown.isEmpty());
    }

    void storedFolderThatNoLongerExists()
    {
        WindowServices env;
        env.store.write(QStringLiteral("/no/such/folder"));
        MainWindow window(env.services);
        window.Form_Load();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("76  Path not found: /no/such/folder, the default path kept by Set Default Path.\nConnect its drive, or choose another folder with Set Default Path.")});
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::None);
        QCOMPARE(env.messages.shown.first().title, QStringLiteral("Kestrova"));
        QVERIFY(env.paths.DefaultPath.isEmpty());
        QCOMPARE(window.lblFolder->text(), QString());
        QVERIFY(!window.cmdGenerate->isEnabled());
    }

    void generationOnWorkerThreadsWritesTheSameCatalogue()
    {
        WindowServices env;
        QTemporaryDir tree;
        for (int i = 0; i < 40; ++i) {
            const QString folder = tree.filePath(QStringLiteral("f%1/g%2").arg(i % 6).arg(i % 4));
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(testing::writeAll(folder + QStringLiteral("/file%1.txt").arg(i), "x"));
        }
        QTemporaryDir out;
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.path());
        env.saveDialog.nextChoice = out.filePath(QStringLiteral("one"));
        window.cmdGenerate_Click();
        env.makeFileSystem = [] { return std::make_unique<ParallelFileSystem>(3); };
        env.saveDialog.nextChoice = out.filePath(QStringLiteral("many"));
        window.cmdGenerate_Click();
        QVERIFY(env.messages.shown.isEmpty());
        const QByteArray one = testing::readAll(out.filePath(QStringLiteral("one.txt")));
        QVERIFY(one.contains("file39.txt;"));
        QCOMPARE(testing::readAll(out.filePath(QStringLiteral("many.txt"))), one);
        QVERIFY(window.lblProgress->text().startsWith(QStringLiteral("Done: 18 folders, 40 files in ")));
    }

    void typingALetterFindsTheNextFolderByName()
    {
        QTemporaryDir folder;
        for (const char *name : {"Alpha", "beta", "Bravo", "charlie"})
            QVERIFY(QDir(folder.path()).mkdir(QString::fromLatin1(name)));
        FolderList list;
        list.setPath(folder.path());
        const auto current = [&] { return list.currentItem()->data(Qt::UserRole).toString().section(u'/', -1); };
        QTest::keyClick(&list, Qt::Key_B);
        QCOMPARE(current(), QStringLiteral("beta")); // indented in the list, found by its name
        QTest::keyClick(&list, Qt::Key_B);
        QCOMPARE(current(), QStringLiteral("Bravo")); // the same letter again: the next one
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(&list, QStringLiteral("ch"));
        QCOMPARE(current(), QStringLiteral("charlie"));
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), folder.filePath(QStringLiteral("charlie")));
    }

    void folderChangeEnablesGenerateAndView()
    {
        WindowServices env;
        QTemporaryDir folder;
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(folder.path());
        QCOMPARE(window.lblFolder->text(), folder.path());
        QVERIFY(window.cmdGenerate->isEnabled());
        QVERIFY(window.cmdView->isEnabled());
        window.SetButtonStatus(false);
        QVERIFY(!window.cmdView->isEnabled());
        QVERIFY(!window.cmdFind->isEnabled());
        QVERIFY(window.cmdGenerate->isEnabled());
    }

    void generatesACatalogueThroughTheSaveDialog()
    {
        WindowServices env;
        Tree tree;
        env.paths.DefaultPath = tree.output.path();
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("disk"));
        QTest::mouseClick(window.cmdGenerate, Qt::LeftButton);

        QCOMPARE(env.saveDialog.shownCount, 1);
        QCOMPARE(env.saveDialog.filter, QStringLiteral("Text (*.txt)"));
        QCOMPARE(env.saveDialog.seenInitialDir, tree.output.path());
        QCOMPARE(window.catalogueFile(), tree.output.filePath(QStringLiteral("disk.txt")));
        QCOMPARE(window.lblFile->text(), QStringLiteral("Finished ..."));
        QVERIFY(window.cmdView->isEnabled());
        QVERIFY(window.cmdFind->isEnabled());
        const QByteArray written = testing::readAll(window.catalogueFile());
        QVERIFY(written.contains("\r\nFolder  " + QFile::encodeName(tree.root.path()) + "\r\n"));
        QVERIFY(written.endsWith("TOTAL FODERS SCANNED: 1\r\nTOTAL FILES SCANNED: 2\r\n"));
        QVERIFY(env.messages.shown.isEmpty());

        // The next run offers the name chosen before.
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("again.TXT"));
        window.cmdGenerate_Click();
        QCOMPARE(env.saveDialog.seenFileName, tree.output.filePath(QStringLiteral("disk")));
        QCOMPARE(window.catalogueFile(), tree.output.filePath(QStringLiteral("again.TXT.txt")));
    }

    void cancelAndEmptyNameLeaveEverythingAsItWas()
    {
        WindowServices env;
        Tree tree;
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        env.saveDialog.cancel = true;
        window.cmdGenerate_Click();
        QVERIFY(window.catalogueFile().isEmpty());
        QCOMPARE(window.lblProgress->text(), QString()); // no run, no clock read
        QVERIFY(window.cmdView->isEnabled());
        QVERIFY(window.cmdFind->isEnabled());
        env.saveDialog.cancel = false;
        env.saveDialog.nextChoice = QString();
        window.cmdGenerate_Click();
        QVERIFY(window.catalogueFile().isEmpty());
        QVERIFY(window.cmdFind->isEnabled());
        QVERIFY(env.messages.shown.isEmpty());
        QCOMPARE(QDir(tree.output.path()).entryList(QDir::Files), QStringList());
    }

    void failingFolderShowsOneMessageAndTheRunGoesOn()
    {
        WindowServices env;
        Tree tree;
        const QByteArray root = QFile::encodeName(tree.root.path());
        env.makeFileSystem = [&] {
            auto fs = std::make_unique<testing::FakeFileSystem>();
            fs->addFolder(root + "/locked");
            fs->addFile(root + "/open", "x.txt", QStringLiteral("Text"), QDateTime(QDate(2024, 1, 1), QTime(1, 0)));
            fs->failFolder(root + "/locked", Error(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied")));
            return fs;
        };
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("c.txt"));
        window.cmdGenerate_Click();
        // The message names the folder; the run goes on, and its totals stay in the frame.
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("70  Permission denied: ") + tree.root.path() + QStringLiteral("/locked")});
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::None);
        QVERIFY(testing::readAll(window.catalogueFile()).endsWith("TOTAL FODERS SCANNED: 2\r\nTOTAL FILES SCANNED: 1\r\n"));
        QCOMPARE(window.lblFile->text(), QStringLiteral("Finished ..."));
        QVERIFY2(window.lblProgress->text().startsWith(QStringLiteral("Done: 2 folders, 1 file in 0:0")), qPrintable(window.lblProgress->text()));
        QVERIFY(window.lblProgress->text().endsWith(QStringLiteral("; 1 could not be read")));
        // What could not be read stays listed after the run.
        QVERIFY(window.cmdDetails->isVisibleTo(&window));
        QCOMPARE(window.lastFailures(),
                 QStringList{tree.root.path() + QStringLiteral("/locked: 70  Permission denied")});
    }

    void failureMessagesCanBeSilencedForTheRun()
    {
        WindowServices env;
        Tree tree;
        const QByteArray root = QFile::encodeName(tree.root.path());
        env.makeFileSystem = [&] {
            auto fs = std::make_unique<testing::FakeFileSystem>();
            for (const char *name : {"/a", "/b", "/c"}) {
                fs->addFolder(root + name);
                fs->failFolder(root + name, Error(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied")));
            }
            return fs;
        };
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        // The first message offers the check box; the user ticks it.
        env.messages.onShow = [](const Message &message) {
            QCOMPARE(message.checkBox, QStringLiteral("Do not show these messages again during this run"));
            if (message.checked)
                *message.checked = true;
        };
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("c.txt"));
        window.cmdGenerate_Click();
        QCOMPARE(env.messages.shown.size(), 1);
        QVERIFY(window.lblProgress->text().endsWith(QStringLiteral("; 3 could not be read")));
        // The next run asks again.
        env.messages.onShow = nullptr;
        window.cmdGenerate_Click();
        QCOMPARE(env.messages.shown.size(), 4);
    }

    void appendedTxtDoesNotReplaceACatalogueWithoutAQuestion()
    {
        WindowServices env;
        Tree tree;
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        const QString driveA = tree.output.filePath(QStringLiteral("driveA.txt"));
        QVERIFY(testing::writeAll(driveA, "the catalogue of drive A"));
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("driveA"));
        env.messages.answers = {MessageAnswer::No};
        window.cmdGenerate_Click();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("driveA.txt already exists.\nDo you want to replace it?")});
        QCOMPARE(env.messages.shown.first().buttons, MessageButtons::YesNo);
        QCOMPARE(testing::readAll(driveA), QByteArray("the catalogue of drive A"));
        QVERIFY(window.cmdView->isEnabled() && window.cmdFind->isEnabled()); // as after a cancel
        QCOMPARE(window.catalogueFile(), QString());

        env.messages.answers = {MessageAnswer::Yes};
        window.cmdGenerate_Click();
        QVERIFY(testing::readAll(driveA).startsWith("CATALOGUE Date: "));
        QCOMPARE(window.catalogueFile(), driveA);
        // A name the dialog itself returned was asked about by the dialog: no second question.
        env.saveDialog.nextChoice = driveA;
        window.cmdGenerate_Click();
        QCOMPARE(env.messages.shown.size(), 2);
    }

    void opensCentredOnTheScreen()
    {
        WindowServices env;
        MainWindow window(env.services);
        window.Form_Load();
        window.centreOnScreen();
        window.show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(window.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(window.geometry().center().y() - screen.center().y()) <= 1);
    }

    void viewDoesNotWaitForTheViewer()
    {
        WindowServices env;
        Tree tree;
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("c.txt"));
        window.cmdGenerate_Click();
        // The launch returns at once; the launcher's later verdict is shown when it comes.
        env.launcher.lateResult = LaunchResult::NoAssociation;
        window.cmdView_Click();
        QVERIFY(env.messages.shown.isEmpty());
        env.launcher.finishLaunches();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("No association for file extension")});
    }

    void runFailureLeavesViewAndFindDisabled()
    {
        WindowServices env;
        Tree tree;
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("missing/c.txt"));
        window.cmdGenerate_Click();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("76  Path not found")});
        QVERIFY(!window.cmdView->isEnabled());
        QVERIFY(!window.cmdFind->isEnabled());
        QVERIFY(window.cmdGenerate->isEnabled());
        QCOMPARE(window.catalogueFile(), tree.output.filePath(QStringLiteral("missing/c.txt")));
    }

    // The menu item acts while its button is disabled: before any folder is chosen the root
    // is empty, and the catalogue holds only its header and closing lines.
    void menuGeneratesWhileTheButtonIsDisabled()
    {
        WindowServices env;
        Tree tree;
        MainWindow window(env.services);
        window.Form_Load();
        QVERIFY(!window.cmdGenerate->isEnabled());
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("empty.txt"));
        window.mGenerate->trigger();
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("5  Invalid procedure call or argument")});
        const QByteArray written = testing::readAll(window.catalogueFile());
        QVERIFY(written.startsWith("CATALOGUE Date: "));
        QCOMPARE(written.count("============================================\r\n"), 1);
        QVERIFY(written.endsWith("TOTAL FODERS SCANNED: 0\r\nTOTAL FILES SCANNED: 0\r\n"));
    }

    void secondGenerateDuringARunIsRefused()
    {
        WindowServices env;
        Tree tree;
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(tree.root.path());
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("c.txt"));
        int dialogsDuringRun = -1;
        QTimer::singleShot(0, &window, [&] {
            QVERIFY(window.isGenerating());
            window.cmdGenerate_Click();
            window.cmdExit_Click();
            dialogsDuringRun = env.saveDialog.shownCount;
        });
        window.cmdGenerate_Click();
        QCOMPARE(dialogsDuringRun, 1);
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("A catalogue is being generated.")});
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::Information);
        QCOMPARE(env.programEnd.ended, 1);
        QVERIFY(!window.isGenerating());
    }

    void keepsItsSize()
    {
        WindowServices env;
        MainWindow window(env.services);
        window.show();
        const QSize size = window.size();
        QCOMPARE(window.centralWidget()->size(), QSize(585, 441));
        window.resize(size + QSize(300, 200));
        QCOMPARE(window.size(), size);
        window.showMinimized();
        window.showNormal();
        QCOMPARE(window.size(), size);
    }

    void growsWithALargerDesktopFont()
    {
        // Twice the usual 9 points: the window and every label's place grow with the text.
        const QFont usual = QApplication::font();
        QFont larger = usual;
        larger.setPointSizeF(18);
        QApplication::setFont(larger);
        const auto restore = qScopeGuard([&] { QApplication::setFont(usual); });
        WindowServices env;
        MainWindow window(env.services);
        QCOMPARE(window.centralWidget()->size(), QSize(1170, 882));
        QCOMPARE(window.lblFile->font().pointSizeF(), 16.5);
    }

    void viewShowsTheLaunchersMessages()
    {
        WindowServices env;
        Tree tree;
        MainWindow window(env.services);
        window.Form_Load();
        window.cmdView_Click(); // no catalogue yet: nothing at all
        QVERIFY(env.launcher.calls.isEmpty());

        window.Dir1->setPath(tree.root.path());
        env.saveDialog.nextChoice = tree.output.filePath(QStringLiteral("c.txt"));
        window.cmdGenerate_Click();
        env.launcher.result = 2;
        window.cmdView_Click();
        env.launcher.result = 0;
        window.cmdView_Click();
        env.launcher.result = 33;
        window.cmdView_Click();
        env.launcher.failure = Error(ErrorNumber::FileNotFound, QStringLiteral("xdg-open is not installed"));
        window.cmdView_Click();
        const QStringList expected = {QStringLiteral("File not found"), QStringLiteral("Unknown error"),
                                      QStringLiteral("53  xdg-open is not installed"),
                                      QStringLiteral("Unknown error")};
        QCOMPARE(env.messages.texts(), expected);
        QCOMPARE(env.launcher.calls.first().file, window.catalogueFile());
        QCOMPARE(env.launcher.calls.first().workingFolder, QString()); // the drive never changed
    }

    void driveThatIsNotReady()
    {
        WindowServices env;
        QTemporaryDir folder;
        env.drives.append(Volume{QStringLiteral("/media/no-disc"), QString(), QStringLiteral("/dev/sr0"),
                                 QStringLiteral("iso9660"), false});
        MainWindow window(env.services);
        window.Form_Load();
        window.Dir1->setPath(folder.path());
        window.Drive1->setCurrentIndex(1);
        emit window.Drive1->driveChanged();
        QCOMPARE(window.currentDrive(), QStringLiteral("/media/no-disc"));
        QCOMPARE(env.messages.shown.size(), 1);
        QCOMPARE(env.messages.shown.first().icon, MessageIcon::Critical);
        QCOMPARE(env.messages.shown.first().text, QStringLiteral("Path not found"));
        QCOMPARE(window.Dir1->path(), folder.path());
        QCOMPARE(window.lblFolder->text(), folder.path());

        window.Drive1->setCurrentIndex(0);
        emit window.Drive1->driveChanged();
        QCOMPARE(window.Dir1->path(), QStringLiteral("/"));
        QCOMPARE(window.lblFolder->text(), QStringLiteral("/"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
