#include "main_window.h"

#include "about_box.h"
#include "application_identity.h"
#include "browser_window.h"
#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_format.h"
#include "catalogue/catalogue_generator.h"
#include "compare_window.h"
#include "copies_window.h"
#include "default_path_dialog.h"
#include "document_launch.h"
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

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>

namespace kestrova {

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
