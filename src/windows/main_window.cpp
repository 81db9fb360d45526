#include "main_window.h"

#include "about_box.h"
#include "application_identity.h"
#include "browser_window.h"
#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_format.h"
#include "catalogue/catalogue_generator.h"
#include "compare_window.h"
#include "copies_window.h"
#include "decoration.h"
#include "default_path_dialog.h"
#include "document_launch.h"
#include "drawn_icons.h"
#include "drive_folder_lists.h"
#include "drives_window.h"
#include "layout.h"
#include "path_label.h"
#include "picture_button.h"
#include "quick_find_window.h"
#include "read_failures_dialog.h"
#include "run_progress.h"
#include "search_window.h"

#include "platform/files/file_names.h"
#include "platform/files/mount_watch.h"
#include "search/index_cache.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

namespace kestrova {

namespace {

// The window's client area, below the menu bar.
constexpr int kClientWidth = 8775;
constexpr int kClientHeight = 6615;

} // namespace

MainWindow::MainWindow(Services &services, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(services)
{
    setWindowTitle(kApplicationTitle);
    setWindowIcon(applicationIcon());
    buildControls();
    buildMenus();
    if (m_services.mounts)
        connect(m_services.mounts, &MountWatch::mountsChanged, this,
                [this] { followDrives(*Drive1, *Dir1, m_services.drives()); });
    m_services.browseCatalogue = [this](const QString &catalogue, const QByteArray &filePath) {
        browseCatalogue(catalogue, filePath);
    };
    setFixedSize(twips(kClientWidth), twips(kClientHeight) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow()
{
    m_services.browseCatalogue = nullptr;
}

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    client->setFixedSize(twips(kClientWidth), twips(kClientHeight));

    auto *frame1 = new QGroupBox(tr("Select Drive/Folder "), client);
    frame1->setFont(boldFont(9.75));
    frame1->setAccessibleName(frame1->title().trimmed());
    place(frame1, 120, 240, 6375, 3855);
    // The labels name the lists for a screen reader.
    QLabel *driveLabel = boldLabel(tr("Select Drive"), frame1, 240, 480, 1575, 255);
    Drive1 = new DriveList(frame1);
    place(Drive1, 2280, 480, 3735, 315);
    driveLabel->setBuddy(Drive1);
    QLabel *folderLabel = boldLabel(tr("Select Folder"), frame1, 240, 1080, 1575, 255);
    Dir1 = new FolderList(frame1);
    place(Dir1, 2280, 1080, 3735, 2565);
    folderLabel->setBuddy(Dir1);
    Dir1->setAccessibleName(folderLabel->text()); // a list takes no name from its label
    boldLabel(tr("Please select the Drive or Folder you want to generate its Catalogue."),
          frame1, 240, 1440, 1815, 1095);
    // Below the label's text, which takes four lines in the desktop's wider fonts; decoration
    // only.
    new Decoration(frame1, applicationIcon().pixmap(QSize(32, 32), devicePixelRatioF()), twipsRect(1200, 2640, 480, 480));
    for (QWidget *child : frame1->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child != Drive1 && child != Dir1)
            child->setFont(boldFont(8.25));

    auto *frame2 = new QGroupBox(tr("Process Details"), client);
    frame2->setFont(boldFont(9.75));
    place(frame2, 120, 4320, 8535, 2175);
    boldLabel(tr("Current Folder"), frame2, 360, 360, 1575, 255);
    lblFolder = new PathLabel(frame2);
    lblFolder->setFont(boldFont(8.25));
    lblFolder->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblFolder, 2160, 360, 5895, 375);
    boldLabel(tr("Current File"), frame2, 360, 960, 1575, 255);
    lblFile = boldLabel(QString(), frame2, 2160, 960, 5895, 975);
    lblFile->setTextFormat(Qt::PlainText);
    // The value labels say what their value is to a screen reader, also while empty.
    lblFolder->setAccessibleName(tr("Current Folder"));
    lblFile->setAccessibleName(tr("Current File"));
    // Beside the Current File label's three lines: how far a run has come, and its totals.
    lblProgress = new QLabel(frame2);
    lblProgress->setTextFormat(Qt::PlainText);
    lblProgress->setFont(boldFont(8.25));
    place(lblProgress, 360, 1935, 6375, 225);
    lblProgress->setAccessibleName(tr("Progress of the run"));
    cmdDetails = new QPushButton(tr("&Details..."), frame2);
    cmdDetails->setFont(boldFont(8.25));
    cmdDetails->setToolTip(tr("What the last run could not read"));
    place(cmdDetails, 6840, 1860, 1560, 300);
    cmdDetails->hide();
    connect(cmdDetails, &QPushButton::clicked, this, &MainWindow::cmdDetails_Click);

    auto button = [&](const QIcon &picture, const QString &caption, int top) {
        auto *result = new PictureButton(picture, caption, client);
        result->setFont(boldFont(8.25));
        // 750 rather than 700 twips high: two lines of caption below the picture need it with
        // the desktop's fonts.
        place(result, 6960, top, 1455, 750);
        result->setAccessibleName(QString(caption).remove(u'&').trimmed());
        return result;
    };
    cmdGenerate = button(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("&Generate Catalogue"), 360);
    cmdView = button(style()->standardIcon(QStyle::SP_FileDialogContentsView), tr("&View Catalogue"), 1140);
    cmdFind = button(style()->standardIcon(QStyle::SP_FileDialogDetailedView), tr("&Find Files "), 1920);
    cmdSetDefaultPath = button(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Set Default Path"), 2700);
    cmdExit = button(closeIcon(), tr("E&xit"), 3480);
    cmdGenerate->setEnabled(false);
    cmdView->setEnabled(false);

    rule(client, QFrame::HLine, QRect(0, twips(120) - 1, twips(8760), 2));
    rule(client, QFrame::VLine, QRect(twips(6720) - 1, twips(240), 2, twips(4200 - 240)));

    connect(cmdGenerate, &QPushButton::clicked, this, &MainWindow::cmdGenerate_Click);
    connect(cmdView, &QPushButton::clicked, this, &MainWindow::cmdView_Click);
    connect(cmdFind, &QPushButton::clicked, this, &MainWindow::cmdFind_Click);
    connect(cmdSetDefaultPath, &QPushButton::clicked, this, &MainWindow::cmdSetDefaultPath_Click);
    connect(cmdExit, &QPushButton::clicked, this, &MainWindow::cmdExit_Click);
    connect(Drive1, &DriveList::driveChanged, this, &MainWindow::Drive1_Change);
    connect(Dir1, &FolderList::pathChanged, this, &MainWindow::Dir1_Change);
    connect(Dir1, &FolderList::openFailed, this, [this](const QString &folder, const Error &error) {
        m_services.messages.reportNumberStyle(
            Error(error.number(), QStringLiteral("%1: %2").arg(error.description(), displayFileName(folder))));
    });

    setTabOrder(Drive1, Dir1);
}

void MainWindow::buildMenus()
{
    // The menu items call the button procedures directly, so they act while a button is
    // disabled.
    QMenu *file = menuBar()->addMenu(tr("File"));
    mGenerate = file->addAction(tr("Generate Catalogue"), this, &MainWindow::cmdGenerate_Click);
    mFind = file->addAction(tr("Find Files"), this, &MainWindow::cmdFind_Click);
    mExit = file->addAction(tr("Exit"), this, &MainWindow::cmdExit_Click);
    QMenu *tools = menuBar()->addMenu(tr("Tools"));
    mPath = tools->addAction(tr("Set Default Path"), this, &MainWindow::cmdSetDefaultPath_Click);
    mCompare = tools->addAction(tr("Compare Catalogues..."), this, &MainWindow::mCompare_Click);
    mDrives = tools->addAction(tr("Drives..."), this, &MainWindow::mDrives_Click);
    mCopies = tools->addAction(tr("Copies..."), this, &MainWindow::mCopies_Click);
    mQuickFind = tools->addAction(tr("Quick Find..."), this, &MainWindow::mQuickFind_Click);
    mQuickFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mBrowse = tools->addAction(tr("Browse Catalogue..."), this, &MainWindow::mBrowse_Click);
    QMenu *help = menuBar()->addMenu(tr("Help"));
    mAbout = help->addAction(tr("About"), this, &MainWindow::mAbout_Click);
    // F10 opens the first menu, as on other desktops; the arrow keys go on from there.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

void MainWindow::centreOnScreen()
{
    // The window's own area is centred: its frame is the window manager's, unknown before
    // the window is shown.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void MainWindow::Form_Load()
{
    Drive1->setDrives(m_services.drives(), QDir::currentPath());
    Dir1->startAt(QDir::currentPath());
    CheckForSetupFile();
}

void MainWindow::CheckForSetupFile()
{
    try {
        if (m_services.pathStore.exists())
            OpenDefaultPath();
    } catch (const Error &error) {
        m_services.messages.reportNumberStyle(error);
    }
}

void MainWindow::OpenDefaultPath()
{
    QString stored;
    try {
        stored = m_services.pathStore.read();
        Dir1->setPath(stored);
        m_services.paths.DefaultPath = stored;
    } catch (const Error &error) {
        // A stored folder that is gone (a drive not plugged in) is named in the message, as the
        // default path it is.
        m_services.messages.reportNumberStyle(
            stored.isEmpty() ? error
                             : Error(error.number(),
                                     tr("%1: %2, the default path kept by Set Default Path.\nConnect its "
                                                    "drive, or choose another folder with Set Default Path.")
                                         .arg(error.description(), displayFileName(stored))));
    }
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    // The window keeps one size; a minimized window is left alone.
    QMainWindow::resizeEvent(event);
    if (!isMinimized() && event->size() != minimumSize())
        resize(minimumSize());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window during a run ends the program as Exit does, with the catalogue
    // keeping what was written; otherwise the program ends after the window closes.
    if (m_generating)
        m_services.programEnd.endNow();
    QMainWindow::closeEvent(event);
}

void MainWindow::SetButtonStatus(bool enabled)
{
    cmdView->setEnabled(enabled);
    cmdFind->setEnabled(enabled);
}

void MainWindow::Drive1_Change()
{
    m_currentDrive = Drive1->drive();
    try {
        Dir1->setPath(m_currentDrive);
    } catch (const Error &error) {
        m_services.messages.show({error.description(), MessageButtons::Ok, MessageIcon::Critical});
    }
}

void MainWindow::Dir1_Change()
{
    lblFolder->setPath(Dir1->path());
    cmdGenerate->setEnabled(true);
    cmdView->setEnabled(true);
}

void MainWindow::cmdGenerate_Click()
{
    // Events are handled at every folder start, so Generate can be asked for again while a
    // run goes on; runs must not overlap.
    if (m_generating) {
        m_services.messages.inform(tr("A catalogue is being generated."));
        return;
    }
    m_generating = true;
    const auto done = qScopeGuard([this] { m_generating = false; });
    SaveDialog &cd1 = m_services.saveDialog;
    RunProgress sink(*lblFile, *lblProgress, m_services.messages, [this] { SetButtonStatus(true); });
    try {
        cd1.cancelError = true;
        SetButtonStatus(false);
        const std::unique_ptr<FileSystem> fileSystem = m_services.makeFileSystem();
        cd1.filter = tr("Text (*.txt)");
        if (!m_services.paths.DefaultPath.isEmpty())
            cd1.initialDir = m_services.paths.DefaultPath;
        cd1.showSave();
        if (cd1.fileName.isEmpty()) {
            SetButtonStatus(true);
            return;
        }
        const QString catalogueFile = catalogue::catalogueFileName(cd1.fileName);
        // The dialog asked about the name it gave; the name with ".txt" added is asked about
        // here, the same way, so that no catalogue is replaced without a question.
        if (catalogueFile != cd1.fileName && fileSystem->FileExists(catalogueFile)
            && !m_services.messages.confirmReplace(QFileInfo(catalogueFile).fileName())) {
            SetButtonStatus(true);
            return;
        }
        // A catalogue written inside the folder it catalogues lists itself, half-written: the
        // user is asked first (at the start the current folder is often the catalogues' own).
        if (const QString folder = QFileInfo(lblFolder->text()).canonicalFilePath(),
            target = QFileInfo(QFileInfo(catalogueFile).absolutePath()).canonicalFilePath();
            !folder.isEmpty() && (target == folder || target.startsWith(folder.endsWith(u'/') ? folder : folder + u'/'))
            && !m_services.messages.confirm(tr("The catalogue %1 would be written inside the folder it catalogues, %2, "
                                               "and would list itself.\nCatalogue the folder anyway?")
                                                .arg(QFileInfo(catalogueFile).fileName(), displayFileName(folder)))) {
            SetButtonStatus(true);
            return;
        }
        m_catalogueFile = catalogueFile;
        cmdDetails->hide();
        sink.start();
        CatalogueGenerator generator(*fileSystem, m_services.dates);
        // The facts beside the catalogue: what its lines cannot hold.
        FactsWriter facts(m_catalogueFile, startingRun(lblFolder->text(), volumeOf(lblFolder->text())));
        // Its search index, from the bytes as they are written: the first search finds it there.
        const std::unique_ptr<CatalogueTap> index =
            m_services.searchIndex ? m_services.searchIndex->buildWhileWriting(encodeFileName(m_catalogueFile)) : nullptr;
        const GenerationTotals totals = generator.WriteCatalogue(encodeFileName(lblFolder->text()), m_catalogueFile,
                                                                 sink, QDate::currentDate(), &facts, index.get());
        sink.showLatest();
        sink.showTotals(totals);
        m_lastFailures = sink.failedPaths();
        cmdDetails->setVisible(!m_lastFailures.isEmpty());
    } catch (const Error &error) {
        sink.showLatest();
        if (error.number() == ErrorNumber::Cancelled) {
            SetButtonStatus(true);
        } else if (error.number() == ErrorNumber::TypeMismatch) {
            cmdView->setEnabled(false);
            cmdGenerate->setEnabled(false);
        } else {
            m_services.messages.reportNumberStyle(error);
        }
    }
}

void MainWindow::cmdDetails_Click()
{
    ReadFailuresDialog details(m_services, m_lastFailures, this);
    details.exec();
}

void MainWindow::cmdView_Click()
{
    try {
        if (m_catalogueFile.isEmpty())
            return;
        // The viewer opens on its own; a failure the launcher reports later is shown then.
        const int result = StartDoc(m_services.launcher, m_services.messages, m_catalogueFile,
                                    m_currentDrive, [this](int late) {
                                        m_services.messages.show({launchFailureMessage(late)});
                                    });
        if (result > 32)
            return;
        m_services.messages.show({launchFailureMessage(result)});
    } catch (const Error &error) {
        m_services.messages.show({QString::number(error.number())});
    }
}

void MainWindow::cmdFind_Click()
{
    if (!m_searchWindow)
        m_searchWindow = std::make_unique<SearchWindow>(m_services, this);
    m_searchWindow->Form_Load();
    m_searchWindow->exec();
    if (m_searchWindow->discardRequested())
        m_searchWindow.reset();
}

void MainWindow::cmdSetDefaultPath_Click()
{
    if (!m_pathDialog)
        m_pathDialog = std::make_unique<DefaultPathDialog>(m_services, this);
    m_pathDialog->exec();
}

void MainWindow::mDrives_Click()
{
    if (!m_drivesWindow)
        m_drivesWindow = std::make_unique<DrivesWindow>(m_services, this);
    m_drivesWindow->Form_Load();
    m_drivesWindow->exec();
}

void MainWindow::mCopies_Click()
{
    if (!m_copiesWindow)
        m_copiesWindow = std::make_unique<CopiesWindow>(m_services, this);
    m_copiesWindow->Form_Load();
    m_copiesWindow->exec();
}

void MainWindow::mQuickFind_Click()
{
    if (!m_quickFindWindow)
        m_quickFindWindow = std::make_unique<QuickFindWindow>(m_services, this);
    m_quickFindWindow->Form_Load();
    m_quickFindWindow->exec();
}

void MainWindow::mBrowse_Click()
{
    if (!m_browserWindow)
        m_browserWindow = std::make_unique<BrowserWindow>(m_services, this);
    if (m_browserWindow->chooseCatalogue())
        m_browserWindow->exec();
}

void MainWindow::browseCatalogue(const QString &catalogue, const QByteArray &filePath)
{
    if (!m_browserWindow)
        m_browserWindow = std::make_unique<BrowserWindow>(m_services, this);
    const bool shown = filePath.isEmpty() ? m_browserWindow->openCatalogue(catalogue)
                                          : m_browserWindow->showHit(catalogue, filePath) || m_browserWindow->tree();
    if (shown && !m_browserWindow->isVisible())
        m_browserWindow->exec();
}

void MainWindow::mCompare_Click()
{
    if (!m_compareWindow)
        m_compareWindow = std::make_unique<CompareWindow>(m_services, this);
    m_compareWindow->exec();
}

void MainWindow::mAbout_Click()
{
    // Each opening creates the box anew; OK destroys it.
    AboutBox about(m_services, this);
    about.exec();
}

void MainWindow::cmdExit_Click()
{
    m_services.programEnd.endNow();
}

} // namespace kestrova
