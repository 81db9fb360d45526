#include "frmSearch.h"

#include "drive_folder_lists.h"
#include "frmShow.h"
#include "hit_actions.h"
#include "layout.h"
#include "path_label.h"
#include "picture_button.h"
#include "result_list.h"

#include "platform/file_names.h"

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

namespace kestrova {
namespace {

constexpr int kClientWidth = 12120;
constexpr int kClientHeight = 8295;

const QDate kInitialDate(2003, 6, 14);


} // namespace

frmSearch::frmSearch(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_services(services), m_model(std::make_unique<ResultModel>())
{
    setWindowTitle(QStringLiteral("Search"));
    setWindowIcon(applicationIcon());
    buildControls();
    // The filter works with the picker's first date until the user picks another.
    m_session.FilterDateText = m_services.dates.shortDate(kInitialDate);
    m_search = std::make_unique<CatalogueSearch>(
        m_session, static_cast<SearchView &>(*this), m_services.dates,
        [this] { return m_services.paths.CurrentPath; },
        m_services.makeFileSystem);
    m_search->setIndex(m_services.searchIndex);
}

frmSearch::~frmSearch() = default;

void frmSearch::buildControls()
{
    // One size, but for a maximized window (Form_Resize); the list then grows with it.
    m_designedSize = QSize(twips(kClientWidth), twips(kClientHeight));
    setMinimumSize(m_designedSize);
    resize(m_designedSize);
    QLabel *label1 = boldLabel(QStringLiteral("Please select the folder that the Catalogue files are located, unless the default path is set."),
          this, 120, 120, 2055, 1095);
    QLabel *label2 = boldLabel(QStringLiteral("Please enter the exact name or partial name of the file you are searching for."),
          this, 2400, 120, 1815, 1095);

    auto *frame1 = new QGroupBox(QStringLiteral("Type Search Criteria"), this);
    frame1->setFont(boldFont(8.25));
    place(frame1, 4440, 120, 5295, 1335);
    optNoCase = new QRadioButton(QStringLiteral("No Case Sensitive"), frame1);
    place(optNoCase, 240, 240, 1935, 255);
    optCase = new QRadioButton(QStringLiteral("Case Sensitive"), frame1);
    place(optCase, 240, 480, 1935, 255);
    chkDate = new QCheckBox(QStringLiteral("Date > than"), frame1);
    place(chkDate, 240, 720, 1695, 195 + 45);
    dp1 = new QDateEdit(kInitialDate, frame1);
    dp1->setCalendarPopup(true);
    dp1->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    dp1->setDisplayFormat(m_services.dates.shortDatePattern());
    place(dp1, 240, 960 + 15, 1815, 255 + 45);
    txtCriteria = new QLineEdit(frame1);
    place(txtCriteria, 2280, 240, 2775, 285 + 30);
    cmdSearch = new PictureButton(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                  QStringLiteral("&Search"), frame1);
    place(cmdSearch, 2280, 600 + 45, 1335, 615);
    cmdStop = new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), QString(), frame1);
    cmdStop->setIconSize(QSize(24, 24));
    cmdStop->setAccessibleName(QStringLiteral("Stop"));
    cmdStop->setToolTip(QStringLiteral("Stop"));
    place(cmdStop, 3600, 600 + 45, 1455, 615);
    // Buttons are bold; the option buttons and the check box use the regular weight, so their
    // captions fit beside the criteria box in the desktop's wider fonts.
    cmdSearch->setFont(boldFont(8.25));
    QFont regular;
    regular.setPointSizeF(8.25);
    // Widened where the caption needs it; the criteria column moves right by what the widest
    // caption needs beyond the room left of it (the frame has room to its right).
    int needed = 0;
    for (QWidget *option : {static_cast<QWidget *>(optNoCase), static_cast<QWidget *>(optCase),
                            static_cast<QWidget *>(chkDate)}) {
        option->setFont(regular);
        option->resize(std::max(option->sizeHint().width(), option->width()), option->height());
        needed = std::max(needed, option->geometry().right() + 2);
    }
    if (const int shift = needed - txtCriteria->x(); shift > 0)
        for (QWidget *moved : {static_cast<QWidget *>(txtCriteria), static_cast<QWidget *>(cmdSearch),
                               static_cast<QWidget *>(cmdStop)})
            moved->move(moved->x() + shift, moved->y());

    cmdExit = new PictureButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), this);
    cmdExit->setFont(boldFont(8.25));
    place(cmdExit, 10200, 120, 1575, 615);
    QLabel *label3 = boldLabel(QStringLiteral("Double click to grab file path to run."), this, 10080, 840, 1935, 495);
    // Three pictures below the texts they illustrate, decoration only. The texts are a little
    // smaller than the rest, so that the pictures find room below them; where a text still
    // reaches a picture's place (wider fonts wrap it into more lines), the picture moves down
    // below it, above the rule.
    for (QLabel *label : {label1, label2, label3})
        label->setFont(boldFont(7.5));
    const auto picture = [this](const QString &name, int left, int top, const QLabel *text) {
        auto *image = new QLabel(this);
        image->setPixmap(windowPicture(name).pixmap(QSize(32, 32), devicePixelRatioF()));
        place(image, left, top, 480, 480);
        const QRect written = text->fontMetrics().boundingRect(text->geometry(), int(text->alignment()) | Qt::TextWordWrap,
                                                               text->text());
        if (written.intersects(image->geometry()))
            image->move(image->x(), std::min(written.bottom() + 2, twips(1560) - 2 - image->height()));
        return image;
    };
    Image1 = picture(QStringLiteral("criteria"), 3120, 840, label2);
    Image2 = picture(QStringLiteral("catalogue-folder"), 120, 960, label1);
    Image3 = picture(QStringLiteral("run-hit"), 11520, 1080, label3);

    rule(this, QFrame::HLine, QRect(twips(120), twips(1560) - 1, twips(12000 - 120), 2));
    m_folderRule = rule(this, QFrame::VLine, QRect(twips(2520) - 1, twips(1680), 2, twips(7680 - 1680)));

    Drive1 = new DriveList(this);
    place(Drive1, 120, 1680, 2295, 315);
    Dir1 = new FolderList(this);
    place(Dir1, 120, 2040, 2295, 5265);

    LV1 = newResultView(*m_model, this);
    m_model->setTextOrderColumn(2); // the Created column sorts by the text of its dates
    LV1->horizontalHeader()->setSectionsClickable(true);
    LV1->horizontalHeader()->setHighlightSections(false);
    LV1->horizontalHeader()->setStretchLastSection(false);
    LV1->viewport()->installEventFilter(this);
    place(LV1, 2640, 1680, 9375, 6015);
    // Columns are widened by dragging their dividers, fitted by a double-click on one.
    LV1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_hitActions = std::make_unique<HitActions>(m_services, *LV1, *m_model,
                                                HitActions::Options{[this] { LV1_DblClick(); }, {}, {}});

    fContinue = new QLabel(QStringLiteral("   Search Indicator"), this);
    fContinue->setFont(boldFont(8.25));
    place(fContinue, 120, 7440, 2295, 255);

    auto *sb1 = new QStatusBar(this);
    sb1->setSizeGripEnabled(false);
    place(sb1, 0, 7800, kClientWidth, 495);
    m_statusBar = sb1;
    panelPath = new PathLabel(sb1);
    panelPath->setPath(QStringLiteral("Current Path"));
    panelCount = new QLabel(QStringLiteral("Total Records Matched"), sb1);
    // The count panel takes the rest of the bar; the path panel gives up what the count's
    // caption needs beyond its designed width, so that the caption is never cut off.
    panelCount->setMinimumWidth(std::max(twips(1440), panelCount->sizeHint().width()));
    panelPath->setFixedWidth(std::min(twips(10000), twips(kClientWidth) - panelCount->minimumWidth() - 24));
    sb1->addWidget(panelPath);
    sb1->addWidget(panelCount, 1);

    // The tab order: criteria, Search, drive, folder, list, then the rest.
    setTabOrder(txtCriteria, cmdSearch);
    setTabOrder(cmdSearch, Drive1);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, LV1);
    setTabOrder(LV1, optNoCase);
    setTabOrder(optNoCase, optCase);
    setTabOrder(optCase, cmdExit);
    setTabOrder(cmdExit, chkDate);
    setTabOrder(chkDate, dp1);
    setTabOrder(dp1, cmdStop);
    txtCriteria->installEventFilter(this);

    connect(cmdSearch, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmSearch::cmdStop_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmSearch::cmdExit_Click);
    connect(chkDate, &QCheckBox::clicked, this, &frmSearch::chkDate_Click);
    connect(dp1, &QDateEdit::dateChanged, this, &frmSearch::dp1_Change);
    connect(Drive1, &DriveList::driveChanged, this, &frmSearch::Drive1_Change);
    connect(Dir1, &FolderList::pathChanged, this, &frmSearch::Dir1_Change);
    connect(Dir1, &FolderList::openFailed, this, [this](const QString &folder, const Error &error) {
        m_services.messages.reportDescriptionStyle(
            Error(error.number(), QStringLiteral("%1: %2").arg(error.description(), displayFileName(folder))));
    });
    connect(LV1->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmSearch::LV1_ColumnClick);
}

void frmSearch::Form_Load()
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
        fContinue->setText(QStringLiteral("   Search Indicator"));
        panelCount->setText(QStringLiteral("Total Records Matched"));
        panelPath->setPath(QStringLiteral("Current Path"));
        optNoCase->setChecked(true);
        setBackgroundColour(fContinue, Qt::red);
        m_colour = IndicatorColour::Red;
        m_countText = panelCount->text();
        m_model->setHeaders({QStringLiteral("File Path"), QStringLiteral("File Type"),
                             QStringLiteral("Created"), QStringLiteral("Catalogue File")});
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

// The columns share the list's width in their designed proportions: a half, an eighth, an
// eighth and a quarter.
void frmSearch::setColumnWidths()
{
    if (isMaximized())
        m_wasMaximized = true;
    const double width = LV1->width() - 2 * LV1->frameWidth(); // inside the list's border
    LV1->setColumnWidth(0, int(width / 2));
    LV1->setColumnWidth(1, int(width / 8));
    LV1->setColumnWidth(2, int(width / 8));
    LV1->setColumnWidth(3, int(width / 4));
}

void frmSearch::CheckForSetupFile()
{
    try {
        if (m_services.pathStore.exists())
            OpenDefaultPath();
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

// No handler of its own: a failure goes to CheckForSetupFile.
void frmSearch::OpenDefaultPath()
{
    SharedPaths &paths = m_services.paths;
    paths.CurrentPath = m_services.pathStore.read();
    Dir1->setPath(paths.CurrentPath);
    paths.DefaultPath = paths.CurrentPath;
    panelPath->setPath(paths.CurrentPath);
}

void frmSearch::cmdSearch_Click()
{
    m_sinceYield.invalidate(); // the first yield of a search handles events in any case
    m_search->cmdSearch_Click();
    m_displayStale = true;
    showProgress();
}

void frmSearch::cmdStop_Click()
{
    m_search->cmdStop_Click();
}

void frmSearch::chkDate_Click()
{
    dp1->setEnabled(chkDate->isChecked());
}

void frmSearch::dp1_Change()
{
    m_session.FilterDateText = m_services.dates.shortDate(dp1->date());
}

void frmSearch::Drive1_Change()
{
    m_driveText = Drive1->drive();
    try {
        Dir1->setPath(m_driveText);
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
    }
}

void frmSearch::Dir1_Change()
{
    m_services.paths.CurrentPath = Dir1->path();
    panelPath->setPath(m_services.paths.CurrentPath);
}

void frmSearch::emptyList()
{
    m_model->setSorted(false);
    m_model->clear();
}

void frmSearch::cmdExit_Click()
{
    emptyList();
    m_discard = true;
    close();
}

// Form_Resize: the window keeps its designed size unless it is maximized or minimized; a
// maximized window gives the room to the result list and the status bar, the other controls
// keep their places.
void frmSearch::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    if (isMaximized()) {
        const int margin = twips(kClientWidth) - twipsRect(2640, 1680, 9375, 6015).right() - 1;
        const int barHeight = twips(495);
        const int taller = height() - twips(kClientHeight);
        m_statusBar->setGeometry(0, height() - barHeight, width(), barHeight);
        LV1->setGeometry(LV1->x(), LV1->y(), width() - LV1->x() - margin, height() - barHeight - LV1->y() - margin);
        // The folder list grows with the window, the indicator stays below it.
        Dir1->setGeometry(twipsRect(120, 2040, 2295, 5265).adjusted(0, 0, 0, taller));
        fContinue->setGeometry(twipsRect(120, 7440, 2295, 255).translated(0, taller));
        m_folderRule->setGeometry(QRect(twips(2520) - 1, twips(1680), 2, twips(7680 - 1680) + taller));
        setColumnWidths();
        return;
    }
    m_statusBar->setGeometry(twipsRect(0, 7800, kClientWidth, 495));
    LV1->setGeometry(twipsRect(2640, 1680, 9375, 6015));
    Dir1->setGeometry(twipsRect(120, 2040, 2295, 5265));
    fContinue->setGeometry(twipsRect(120, 7440, 2295, 255));
    m_folderRule->setGeometry(QRect(twips(2520) - 1, twips(1680), 2, twips(7680 - 1680)));
    // Back from maximized: the designed widths again.
    if (m_wasMaximized)
        setColumnWidths();
    m_wasMaximized = false;
    if (size() != m_designedSize)
        QMetaObject::invokeMethod(this, [this] {
            if (!isMaximized() && !isMinimized() && size() != m_designedSize)
                resize(m_designedSize);
        }, Qt::QueuedConnection);
}

// Every way of closing the window comes here: Close and the title bar (through closeEvent),
// Escape and Alt+F4 alike.
void frmSearch::reject()
{
    // A search in progress is asked to stop; it unwinds as soon as this event is handled, and
    // the window's controls outlive it (the instance goes only after the window has closed).
    if (m_session.running)
        m_session.StopRequested = true;
    emptyList();
    m_closed = true;
    QDialog::reject();
}

bool frmSearch::eventFilter(QObject *watched, QEvent *event)
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
        QMetaObject::invokeMethod(this, &frmSearch::LV1_DblClick, Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

void frmSearch::LV1_ColumnClick(int section)
{
    m_model->setSortColumn(section);
    LV1->horizontalHeader()->setSortIndicatorShown(false);
}

void frmSearch::LV1_DblClick()
{
    const QModelIndexList selected = LV1->selectionModel() ? LV1->selectionModel()->selectedRows() : QModelIndexList();
    if (selected.isEmpty()) {
        m_services.messages.inform(QStringLiteral("Please select an item."));
        return;
    }
    // The path's bytes travel whole, also a name that is not UTF-8 (file_names.h).
    // The current row when it is one of those selected (Enter on a hit), else the first.
    int row = selected.first().row();
    if (LV1->currentIndex().isValid() && LV1->selectionModel()->isRowSelected(LV1->currentIndex().row()))
        row = LV1->currentIndex().row();
    m_services.paths.SelectedPath = decodeFileName(m_model->filePathBytes(row));
    if (!m_show)
        m_show = std::make_unique<frmShow>(m_services, this);
    m_show->Form_Load();
    m_show->exec();
    m_show->txtpath->clear();
}

} // namespace kestrova
