// The search window's controls and their places: built once, in twips as designed, and moved
// when the window is maximized (the list, the folder list and the status bar take the room,
// the list's columns share it in their designed proportions).
#include "search_window.h"

#include "application_identity.h"
#include "date_box.h"
#include "decoration.h"
#include "drawn_icons.h"
#include "drive_folder_lists.h"
#include "hit_actions.h"
#include "layout.h"
#include "picture_button.h"
#include "result_list.h"

#include "platform/files/file_names.h"

#include <QCheckBox>
#include <QDir>
#include <QDateTime>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace kestrova {

void SearchWindow::buildControls()
{
    // One size, but for a maximized window (Form_Resize); the list then grows with it.
    // On a screen too small for it (a large scale on a small screen) the window fits the
    // screen instead, and the list and the status bar take the room there is.
    m_designedSize = fitScreen(this, QSize(twips(kClientWidth), twips(kClientHeight)));
    setMinimumSize(m_designedSize);
    resize(m_designedSize);
    QLabel *label1 = boldLabel(tr("Please select the folder that the Catalogue files are located, unless the default path is set."),
          this, 120, 120, 2055, 1095);
    QLabel *label2 = boldLabel(tr("Please enter the exact name or partial name of the file you are searching for."),
          this, 2400, 120, 1815, 1095);

    auto *frame1 = new QGroupBox(tr("Type Search Criteria"), this);
    frame1->setFont(boldFont(8.25));
    place(frame1, 4440, 120, 5295, 1335);
    optNoCase = new QRadioButton(tr("No Case Sensitive"), frame1);
    place(optNoCase, 240, 240, 1935, 255);
    optCase = new QRadioButton(tr("Case Sensitive"), frame1);
    place(optCase, 240, 480, 1935, 255);
    chkDate = new QCheckBox(tr("Date > than"), frame1);
    place(chkDate, 240, 720, 1695, 195 + 45);
    dp1 = new DateBox(kInitialDate, frame1);
    dp1->setCalendarPopup(true);
    dp1->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    dp1->setDisplayFormat(m_services.dates.shortDatePattern());
    place(dp1, 240, 960 + 15, 1815, 255 + 45);
    dp1->setAccessibleName(tr("Created after"));
    txtCriteria = new QLineEdit(frame1);
    txtCriteria->setAccessibleName(tr("Search criteria"));
    place(txtCriteria, 2280, 240, 2775, 285 + 30);
    cmdSearch = new PictureButton(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                  tr("&Search"), frame1);
    place(cmdSearch, 2280, 600 + 45, 1335, 615);
    cmdStop = new QPushButton(stopIcon(), QString(), frame1);
    cmdStop->setIconSize(QSize(24, 24));
    cmdStop->setAccessibleName(tr("Stop"));
    cmdStop->setToolTip(tr("Stop"));
    place(cmdStop, 3600, 600 + 45, 1455, 615);
    // Buttons are bold; the option buttons and the check box use the regular weight, so their
    // captions fit beside the criteria box in the desktop's wider fonts.
    cmdSearch->setFont(boldFont(8.25));
    QFont regular = boldFont(8.25);
    regular.setBold(false);
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

    cmdExit = new PictureButton(closeIcon(), tr("&Close"), this);
    cmdExit->setFont(boldFont(8.25));
    place(cmdExit, 10200, 120, 1575, 615);
    QLabel *label3 = boldLabel(tr("Double click to grab file path to run."), this, 10080, 840, 1935, 495);
    // Three pictures below the texts they illustrate, decoration only. The texts are a little
    // smaller than the rest, so that the pictures find room below them; where a text still
    // reaches a picture's place (wider fonts wrap it into more lines), the picture moves down
    // below it, above the rule.
    for (QLabel *label : {label1, label2, label3})
        label->setFont(boldFont(7.5));
    const auto picture = [this](const QString &name, int left, int top, const QLabel *text) {
        auto *image = new Decoration(this, windowPicture(name).pixmap(QSize(32, 32), devicePixelRatioF()),
                                     twipsRect(left, top, 480, 480));
        const QRect written = text->fontMetrics().boundingRect(text->geometry(), int(text->alignment()) | Qt::TextWordWrap,
                                                               text->text());
        if (written.intersects(image->geometry()))
            image->move(QPoint(image->geometry().x(),
                               std::min(written.bottom() + 2, twips(1560) - 2 - image->geometry().height())));
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
    Drive1->setAccessibleName(tr("Drive of the catalogues"));
    Dir1->setAccessibleName(tr("Folder of the catalogues"));

    LV1 = newResultView(*m_model, this);
    LV1->setAccessibleName(tr("Files found"));
    m_model->setTextOrderColumn(2); // the Created column sorts by the text of its dates
    LV1->horizontalHeader()->setSectionsClickable(true);
    LV1->horizontalHeader()->setHighlightSections(false);
    LV1->horizontalHeader()->setStretchLastSection(false);
    LV1->viewport()->installEventFilter(this);
    place(LV1, 2640, 1680, 9375, 6015);
    // Columns are widened by dragging their dividers, fitted by a double-click on one.
    LV1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The header's menu shows or hides the columns beyond the four designed ones.
    LV1->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LV1->horizontalHeader(), &QHeaderView::customContextMenuRequested, this, &SearchWindow::headerMenu);
    // The View menu shows or hides them, from the header's menu and the list's.
    m_viewMenu = new QMenu(tr("&View"), this);
    mSize = m_viewMenu->addAction(tr("Size"));
    mModified = m_viewMenu->addAction(tr("Modified"));
    for (QAction *column : {mSize, mModified}) {
        column->setCheckable(true);
        connect(column, &QAction::triggered, this, [this] {
            m_sizeShown = mSize->isChecked();
            m_modifiedShown = mModified->isChecked();
            showFactColumns();
        });
    }
    m_model->setDates(&m_services.dates); // Modified in the long form Created has
    m_hitActions = std::make_unique<HitActions>(m_services, *LV1, *m_model,
                                                HitActions::Options{[this] { LV1_DblClick(); }, {}, {},
                                                                    [this](int row) { return runOf(row); }, m_viewMenu,
                                                                    [this](int row) {
                                                                        return QDir(m_runs.folder()).filePath(m_model->text(row, 3));
                                                                    }});

    fContinue = new QLabel(tr("   Search Indicator"), this);
    fContinue->setFont(boldFont(8.25));
    fContinue->setAccessibleName(fContinue->text().trimmed()); // its caption, without the blanks before it
    // Its caption says the search's state; the colour only blinks as hits come.
    fContinue->setAccessibleDescription(tr("Turns from red to green and back with each hit found"));
    place(fContinue, 120, 7440, 2295, 255);

    auto *sb1 = new QStatusBar(this);
    sb1->setSizeGripEnabled(false);
    place(sb1, 0, 7800, kClientWidth, 495);
    m_statusBar = sb1;
    panelPath = new PathLabel(sb1);
    panelPath->setPath(tr("Current Path"));
    panelCount = new QLabel(tr("Total Records Matched"), sb1);
    panelCount->setAccessibleName(panelCount->text()); // with the count, once there is one
    // The count panel takes the rest of the bar; the path panel gives up what the count's
    // caption needs beyond its designed width, so that the caption is never cut off.
    panelCount->setMinimumWidth(std::max(twips(1440), panelCount->sizeHint().width()));
    m_pathWidth = std::min(twips(10000), twips(kClientWidth) - panelCount->minimumWidth() - 24);
    panelPath->setFixedWidth(m_pathWidth);
    // Shown, it takes its room from the path panel.
    panelDates = new PathLabel(sb1);
    panelDates->setAccessibleName(tr("Catalogues whose dates cannot be read"));
    panelDates->setFixedWidth(twips(3600));
    panelDates->hide();
    sb1->addWidget(panelPath);
    sb1->addWidget(panelCount, 1);
    sb1->addWidget(panelDates);

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

    connect(cmdSearch, &QPushButton::clicked, this, &SearchWindow::cmdSearch_Click);
    connect(cmdStop, &QPushButton::clicked, this, &SearchWindow::cmdStop_Click);
    connect(cmdExit, &QPushButton::clicked, this, &SearchWindow::cmdExit_Click);
    connect(chkDate, &QCheckBox::clicked, this, &SearchWindow::chkDate_Click);
    connect(dp1, &QDateEdit::dateChanged, this, &SearchWindow::dp1_Change);
    connect(Drive1, &DriveList::driveChanged, this, &SearchWindow::Drive1_Change);
    connect(Dir1, &FolderList::pathChanged, this, &SearchWindow::Dir1_Change);
    connect(Dir1, &FolderList::openFailed, this, [this](const QString &folder, const Error &error) {
        m_services.messages.reportDescriptionStyle(
            Error(error.number(), QStringLiteral("%1: %2").arg(error.description(), displayFileName(folder))));
    });
    connect(LV1->horizontalHeader(), &QHeaderView::sectionClicked, this, &SearchWindow::LV1_ColumnClick);
}

// The Size and Modified columns, when shown, are as wide as their longest texts.
void SearchWindow::showFactColumns()
{
    QHeaderView *header = LV1->horizontalHeader();
    mSize->setChecked(m_sizeShown);
    mModified->setChecked(m_modifiedShown);
    header->setSectionHidden(ResultTable::kSizeColumn, !m_sizeShown);
    header->setSectionHidden(ResultTable::kModifiedColumn, !m_modifiedShown);
    if (m_sizeShown)
        LV1->setColumnWidth(ResultTable::kSizeColumn, dataSizeColumnWidth(*LV1, ResultTable::kSizeColumn));
    if (m_modifiedShown)
        LV1->setColumnWidth(ResultTable::kModifiedColumn,
                            fontMetrics().horizontalAdvance(m_services.dates.general(QDateTime(QDate(2026, 12, 28), QTime(22, 58, 58))))
                                + 16);
    // A column shown takes its room from the path column, so that it is seen without scrolling.
    int used = 0;
    for (int column = 0; column < header->count(); ++column)
        if (!header->isSectionHidden(column))
            used += header->sectionSize(column);
    const int spare = LV1->viewport()->width() - used;
    if (spare < 0)
        LV1->setColumnWidth(0, std::max(header->sectionSize(0) + spare, fontMetrics().averageCharWidth() * 16));
}

void SearchWindow::headerMenu(const QPoint &at)
{
    m_viewMenu->exec(LV1->horizontalHeader()->mapToGlobal(at));
}

// The columns share the list's width in their designed proportions: a half, an eighth, an
// eighth and a quarter of what the shown Size and Modified columns leave.
void SearchWindow::setColumnWidths()
{
    if (isMaximized())
        m_wasMaximized = true;
    double width = LV1->width() - 2 * LV1->frameWidth(); // inside the list's border
    for (const int column : {ResultTable::kSizeColumn, ResultTable::kModifiedColumn})
        if (!LV1->horizontalHeader()->isSectionHidden(column))
            width -= LV1->columnWidth(column);
    // No column narrower than its header (French and Spanish headers are longer); the path
    // column gives up what they need.
    const QHeaderView *header = LV1->horizontalHeader();
    const int type = std::max(int(width / 8), header->sectionSizeHint(1));
    const int created = std::max(int(width / 8), header->sectionSizeHint(2));
    const int catalogue = std::max(int(width / 4), header->sectionSizeHint(3));
    const int widened = type + created + catalogue - int(width / 8) * 2 - int(width / 4);
    LV1->setColumnWidth(0, std::max(int(width / 2) - widened, fontMetrics().averageCharWidth() * 16));
    LV1->setColumnWidth(1, type);
    LV1->setColumnWidth(2, created);
    LV1->setColumnWidth(3, catalogue);
}

// After a search the type, date and catalogue columns widen to what they hold; the path column
// takes the rest of the list's width (its long texts lose their middle).
void SearchWindow::fitColumnsToHits()
{
    if (m_model->rowCount() == 0)
        return;
    int others = 0;
    for (const int column : {1, 2, 3, ResultTable::kSizeColumn, ResultTable::kModifiedColumn}) {
        if (LV1->horizontalHeader()->isSectionHidden(column))
            continue;
        if (column <= 3)
            LV1->setColumnWidth(column, std::max(LV1->columnWidth(column),
                                                 static_cast<QAbstractItemView *>(LV1)->sizeHintForColumn(column)));
        others += LV1->columnWidth(column);
    }
    LV1->setColumnWidth(0, std::max(LV1->viewport()->width() - others, fontMetrics().averageCharWidth() * 16));
}

// Form_Resize: the window keeps its designed size unless it is maximized or minimized; a
// maximized window (or one fitted to a screen too small for the designed size) gives the room
// to the result list and the status bar, the other controls keep their places.
void SearchWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    const bool fitted = m_designedSize != QSize(twips(kClientWidth), twips(kClientHeight));
    if (isMaximized() || fitted) {
        const int margin = twips(kClientWidth) - twipsRect(2640, 1680, 9375, 6015).right() - 1;
        const int barHeight = twips(495);
        const int taller = height() - twips(kClientHeight);
        m_statusBar->setGeometry(0, height() - barHeight, width(), barHeight);
        panelPath->setFixedWidth(std::min(twips(10000), width() - panelCount->minimumWidth() - 24));
        LV1->setGeometry(LV1->x(), LV1->y(), width() - LV1->x() - margin, height() - barHeight - LV1->y() - margin);
        // The folder list grows with the window, the indicator stays below it.
        Dir1->setGeometry(twipsRect(120, 2040, 2295, 5265).adjusted(0, 0, 0, taller));
        fContinue->setGeometry(twipsRect(120, 7440, 2295, 255).translated(0, taller));
        m_folderRule->setGeometry(QRect(twips(2520) - 1, twips(1680), 2, twips(7680 - 1680) + taller));
        setColumnWidths();
    } else {
        m_statusBar->setGeometry(twipsRect(0, 7800, kClientWidth, 495));
        LV1->setGeometry(twipsRect(2640, 1680, 9375, 6015));
        Dir1->setGeometry(twipsRect(120, 2040, 2295, 5265));
        fContinue->setGeometry(twipsRect(120, 7440, 2295, 255));
        m_folderRule->setGeometry(QRect(twips(2520) - 1, twips(1680), 2, twips(7680 - 1680)));
        // Back from maximized: the designed widths again.
        if (m_wasMaximized)
            setColumnWidths();
        m_wasMaximized = false;
    }
    if (!isMaximized() && size() != m_designedSize)
        QMetaObject::invokeMethod(this, [this] {
            if (!isMaximized() && !isMinimized() && size() != m_designedSize)
                resize(m_designedSize);
        }, Qt::QueuedConnection);
}

} // namespace kestrova
