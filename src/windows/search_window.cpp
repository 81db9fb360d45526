#include "search_window.h"

#include "application_identity.h"
#include "drive_folder_lists.h"
#include "hit_actions.h"
#include "layout.h"
#include "path_label.h"
#include "picture_button.h"
#include "result_list.h"
#include "run_copy_window.h"

#include "platform/files/file_names.h"
#include "platform/files/mount_watch.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QFocusEvent>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <climits>

namespace kestrova {
SearchWindow::SearchWindow(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_services(services), m_model(std::make_unique<ResultModel>())
{
    setWindowTitle(tr("Search"));
    setWindowIcon(applicationIcon());
    buildControls();
    if (m_services.mounts)
        connect(m_services.mounts, &MountWatch::mountsChanged, this,
                [this] { followDrives(*Drive1, *Dir1, m_services.drives()); });
    // The filter works with the picker's first date until the user picks another.
    m_session.FilterDateText = m_services.dates.shortDate(kInitialDate);
    m_search = std::make_unique<CatalogueSearch>(
        m_session, static_cast<SearchView &>(*this), m_services.dates,
        [this] { return m_services.paths.CurrentPath; },
        m_services.makeFileSystem);
    m_search->setIndex(m_services.searchIndex);
}

SearchWindow::~SearchWindow() = default;

void SearchWindow::Form_Load()
{
    m_discard = false;
    m_closed = false;
    try {
        // A loaded window's controls start as designed, also after a title-bar close kept the
        // instance; only the window's private fields keep their values. The picker goes back
        // to its first date without a change event, so the filter's date text is kept.
        txtCriteria->clear();
        chkDate->setChecked(false);
        {
            const QSignalBlocker quiet(dp1);
            dp1->setDate(kInitialDate);
        }
        fContinue->setText(tr("   Search Indicator"));
        fContinue->setAccessibleName(fContinue->text().trimmed());
        panelCount->setText(tr("Total Records Matched"));
        panelCount->setAccessibleName(panelCount->text());
        panelPath->setPath(tr("Current Path"));
        optNoCase->setChecked(true);
        setBackgroundColour(fContinue, Qt::red);
        m_colour = IndicatorColour::Red;
        m_countText = panelCount->text();
        m_model->setHeaders({tr("File Path"), tr("File Type"),
                             tr("Created"), tr("Catalogue File"), tr("Size"),
                             tr("Modified")});
        showFactColumns();
        setColumnWidths();
        m_model->setSorted(false);
        m_model->setSortColumn(0);
        m_model->clear();
        Drive1->setDrives(m_services.drives(), QDir::currentPath());
        // The folder list and the path panel show the folder the next search reads: the one
        // chosen at an earlier opening, which the window keeps.
        const QString &current = m_services.paths.CurrentPath;
        Dir1->startAt(QDir::currentPath());
        if (!current.isEmpty()) {
            Dir1->startAt(current);
            panelPath->setPath(current);
        }
        dp1->setEnabled(chkDate->isChecked());
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
    CheckForSetupFile();
    txtCriteria->setFocus();
}

void SearchWindow::CheckForSetupFile()
{
    try {
        if (m_services.pathStore.exists())
            OpenDefaultPath();
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

// No handler of its own: a failure goes to CheckForSetupFile.
void SearchWindow::OpenDefaultPath()
{
    SharedPaths &paths = m_services.paths;
    paths.CurrentPath = m_services.pathStore.read();
    Dir1->setPath(paths.CurrentPath);
    paths.DefaultPath = paths.CurrentPath;
    panelPath->setPath(paths.CurrentPath);
}

void SearchWindow::cmdSearch_Click()
{
    m_runs.reset(m_services.paths.CurrentPath);
    m_sinceYield.invalidate(); // the first yield of a search handles events in any case
    if (!m_services.paths.CurrentPath.isEmpty())
        panelPath->setPath(m_services.paths.CurrentPath);
    m_search->cmdSearch_Click();
    m_displayStale = true;
    showProgress();
    fitColumnsToHits();
    // The indicator says the search finished either way; the other panel says when the list
    // holds only what was found before Stop.
    if (m_session.StopRequested && !m_closed)
        panelPath->setPath(tr("Stopped: %Ln hit(s) so far", "", int(std::min<qint64>(m_session.MatchCount, INT_MAX))));
}

void SearchWindow::cmdStop_Click()
{
    m_search->cmdStop_Click();
}

void SearchWindow::chkDate_Click()
{
    dp1->setEnabled(chkDate->isChecked());
}

void SearchWindow::dp1_Change()
{
    m_session.FilterDateText = m_services.dates.shortDate(dp1->date());
}

void SearchWindow::Drive1_Change()
{
    m_driveText = Drive1->drive();
    try {
        Dir1->setPath(m_driveText);
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

void SearchWindow::Dir1_Change()
{
    m_services.paths.CurrentPath = Dir1->path();
    panelPath->setPath(m_services.paths.CurrentPath);
}

RunFacts SearchWindow::runOf(int row)
{
    return m_runs.of(m_model->text(row, 3));
}

void SearchWindow::emptyList()
{
    m_model->setSorted(false);
    m_model->clear();
}

void SearchWindow::cmdExit_Click()
{
    emptyList();
    m_discard = true;
    close();
}

// Every way of closing the window comes here: Close and the title bar (through closeEvent),
// Escape and Alt+F4 alike.
void SearchWindow::reject()
{
    // A search in progress is asked to stop; it unwinds as soon as this event is handled, and
    // the window's controls outlive it (the instance goes only after the window has closed).
    if (m_session.running)
        m_session.StopRequested = true;
    emptyList();
    m_closed = true;
    QDialog::reject();
}

bool SearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtCriteria && event->type() == QEvent::FocusIn) {
        // txtCriteria_GotFocus: the box is emptied when the user clicks into it or tabs to it
        // (the window's opening empties it in Form_Load), not when the focus comes back from
        // another application or a message box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            txtCriteria->clear();
    }
    if (watched == LV1->viewport() && event->type() == QEvent::MouseButtonDblClick)
        QMetaObject::invokeMethod(this, &SearchWindow::LV1_DblClick, Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

void SearchWindow::LV1_ColumnClick(int section)
{
    m_model->setSortColumn(section);
    LV1->horizontalHeader()->setSortIndicatorShown(false);
}

void SearchWindow::LV1_DblClick()
{
    // The path's bytes travel whole, also a name that is not UTF-8 (file_names.h).
    const int row = m_hitActions->actedRow();
    if (row < 0) {
        m_services.messages.inform(tr("Please select an item."));
        return;
    }
    m_services.paths.SelectedPath = m_hitActions->pathToday(row);
    if (!m_runCopyWindow)
        m_runCopyWindow = std::make_unique<RunCopyWindow>(m_services, this);
    m_runCopyWindow->setWhereabouts(m_services.paths.SelectedPath,
                                    [this, row] { return m_hitActions->whereabouts(row); });
    m_runCopyWindow->Form_Load();
    m_runCopyWindow->exec();
    m_runCopyWindow->txtpath->clear();
}

} // namespace kestrova
