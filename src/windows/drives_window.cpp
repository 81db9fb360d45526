#include "drives_window.h"

#include "document_launch.h"
#include "layout.h"

#include "platform/files/file_names.h"
#include "platform/files/mount_watch.h"

#include <QDir>
#include <QGridLayout>
#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace kestrova {
namespace {

// A cell that sorts by the number behind its text (sizes, counts) or by its text.
class Cell final : public QTableWidgetItem
{
public:
    Cell(const QString &text, qint64 value = -1) : QTableWidgetItem(text), m_value(value) {}
    bool operator<(const QTableWidgetItem &other) const override
    {
        const auto *cell = dynamic_cast<const Cell *>(&other);
        if (cell && (m_value >= 0 || cell->m_value >= 0))
            return m_value < cell->m_value;
        return text().compare(other.text(), Qt::CaseInsensitive) < 0;
    }

private:
    qint64 m_value;
};

constexpr int kDriveColumn = 10;

// What a drive is called in the list: its label, else its UUID, else the folder catalogued.
QString driveName(const DriveRow &row)
{
    if (!row.run.label.isEmpty())
        return row.run.label;
    return !row.run.uuid.isEmpty() ? row.run.uuid : displayFileName(decodeFileName(row.root));
}

QString dataSize(qint64 bytes)
{
    return bytes < 0 ? QString() : QLocale().formattedDataSize(bytes);
}

} // namespace

DrivesWindow::DrivesWindow(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_services(services)
{
    setWindowTitle(tr("Drives"));
    auto *grid = new QGridLayout(this);
    auto *label = new QLabel(tr("Catalogues &folder"), this);
    label->setFont(boldFont(8.25));
    txtFolder = new QLineEdit(this);
    label->setBuddy(txtFolder);
    cmdFolder = new QPushButton(QStringLiteral("..."), this);
    cmdFolder->setAccessibleName(tr("Catalogues folder (choose)"));
    cmdRefresh = new QPushButton(tr("&Refresh"), this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(txtFolder, 0, 1);
    grid->addWidget(cmdFolder, 0, 2);
    grid->addWidget(cmdRefresh, 0, 3);

    LV1 = new QTableWidget(0, 12, this);
    LV1->setAccessibleName(tr("Drives catalogued"));
    LV1->setHorizontalHeaderLabels({tr("Catalogue File"), tr("Label"), tr("UUID"),
                                    tr("File System"), tr("Capacity"), tr("Free"),
                                    tr("Files"), tr("Total Size"), tr("Catalogued"),
                                    tr("Connected"), tr("Drive"), tr("Older Catalogues")});
    // Rows as the result list has them: one fixed height, whole rows selected.
    LV1->verticalHeader()->hide();
    LV1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    LV1->verticalHeader()->setDefaultSectionSize(LV1->fontMetrics().height() + 4);
    // At first a drive's catalogues together, newest first, as the core orders them.
    LV1->horizontalHeader()->setSortIndicator(kDriveColumn, Qt::AscendingOrder);
    LV1->setShowGrid(false);
    LV1->setAlternatingRowColors(true);
    LV1->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV1->setTabKeyNavigation(false); // Tab leaves the list, the arrows move within it
    LV1->setSelectionMode(QAbstractItemView::SingleSelection);
    LV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LV1->horizontalHeader()->setStretchLastSection(true);
    grid->addWidget(LV1, 1, 0, 1, 4);

    cmdOpen = new QPushButton(tr("&Open Folder"), this);
    cmdClose = new QPushButton(tr("Close"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOpen);
    buttons->addWidget(cmdClose);
    lblNotes = new QLabel(this);
    lblNotes->setAccessibleName(tr("Notes on the facts"));
    lblNotes->setWordWrap(true);
    lblNotes->hide();
    grid->addWidget(lblNotes, 2, 0, 1, 4);
    grid->addLayout(buttons, 3, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    resize(fitScreen(this, QSize(twips(12120), twips(6000))));

    // Enter in the folder box lists that folder; it presses no button.
    for (QPushButton *button : {cmdFolder, cmdRefresh, cmdOpen, cmdClose})
        button->setAutoDefault(false);
    connect(cmdFolder, &QPushButton::clicked, this, &DrivesWindow::cmdFolder_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &DrivesWindow::cmdRefresh_Click);
    connect(txtFolder, &QLineEdit::returnPressed, this, &DrivesWindow::cmdRefresh_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &DrivesWindow::cmdOpen_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(LV1, &QTableWidget::itemSelectionChanged, this, &DrivesWindow::updateOpen);
    connect(LV1, &QTableWidget::activated, this, &DrivesWindow::LV1_Activated);
    // A drive plugged in or out: Connected says so at once, the row chosen stays chosen.
    if (m_services.mounts)
        connect(m_services.mounts, &MountWatch::mountsChanged, this, [this] {
            if (!isVisible())
                return;
            const QList<QTableWidgetItem *> selected = LV1->selectedItems();
            const QString chosen = selected.isEmpty() ? QString() : LV1->item(selected.first()->row(), 0)->text();
            cmdRefresh_Click();
            for (int row = 0; row < LV1->rowCount(); ++row)
                if (!chosen.isEmpty() && LV1->item(row, 0)->text() == chosen)
                    LV1->selectRow(row);
        });
}

void DrivesWindow::Form_Load()
{
    if (txtFolder->text().isEmpty())
        txtFolder->setText(!m_services.paths.CurrentPath.isEmpty() ? m_services.paths.CurrentPath
                                                                   : m_services.paths.DefaultPath);
    cmdRefresh_Click();
}

void DrivesWindow::cmdFolder_Click()
{
    const QString chosen = m_services.folderPicker.chooseFolder(tr("Choose the folder of catalogues"));
    if (chosen.isEmpty())
        return;
    txtFolder->setText(chosen);
    cmdRefresh_Click();
}

void DrivesWindow::cmdRefresh_Click()
{
    m_rows.clear();
    if (!txtFolder->text().isEmpty()) {
        try {
            const std::unique_ptr<FileSystem> fileSystem = m_services.makeFileSystem();
            m_rows = drivesOf(*fileSystem, txtFolder->text(), m_services.drives());
        } catch (const Error &error) {
            m_services.messages.reportDescriptionStyle(
                Error(error.number(), QStringLiteral("%1: %2").arg(displayFileName(txtFolder->text()), error.description())));
        }
    }
    fill();
}

void DrivesWindow::fill()
{
    // The catalogues of one folder share their .kestrova: it is named once.
    const auto refused = std::find_if(m_rows.begin(), m_rows.end(), [](const DriveRow &row) { return row.factsRefused; });
    lblNotes->setText(refused == m_rows.end()
                          ? QString()
                          : refusedFactsNotice(factsFolderFor(QDir(txtFolder->text()).absoluteFilePath(refused->catalogue))));
    lblNotes->setVisible(!lblNotes->text().isEmpty());
    LV1->setSortingEnabled(false);
    LV1->setRowCount(int(m_rows.size()));
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const DriveRow &drive = m_rows[size_t(row)];
        const QString when = drive.run.started.isValid() ? QLocale().toString(drive.run.started.toLocalTime(), QLocale::ShortFormat)
                                                         : drive.catalogued;
        const QString connected = drive.connected ? drive.connected->rootPath
                                  : drive.run.uuid.isEmpty() ? QString()
                                                              : tr("no");
        auto *name = new Cell(drive.catalogue);
        name->setData(Qt::UserRole, row); // the row of m_rows, whatever the order shown
        LV1->setItem(row, 0, name);
        LV1->setItem(row, 1, new Cell(drive.run.label));
        LV1->setItem(row, 2, new Cell(drive.run.uuid));
        LV1->setItem(row, 3, new Cell(drive.run.fileSystem));
        LV1->setItem(row, 4, new Cell(dataSize(drive.run.capacity), drive.run.capacity));
        LV1->setItem(row, 5, new Cell(dataSize(drive.run.free), drive.run.free));
        LV1->setItem(row, 6, new Cell(drive.files < 0 ? QString() : QLocale().toString(drive.files), drive.files));
        LV1->setItem(row, 7, new Cell(dataSize(drive.run.totalBytes), drive.run.totalBytes));
        LV1->setItem(row, 8, new Cell(when, drive.run.started.isValid() ? drive.run.started.toSecsSinceEpoch() : -1));
        LV1->setItem(row, 9, new Cell(connected));
        // The drive by the name of its newest catalogue, which comes first of its rows.
        const DriveRow &newest = drive.older >= 0 ? drive : *std::find_if(m_rows.begin(), m_rows.end(), [&](const DriveRow &r) {
            return r.drive == drive.drive;
        });
        LV1->setItem(row, kDriveColumn, new Cell(driveName(newest), row));
        LV1->setItem(row, 11, new Cell(drive.older >= 0 ? QLocale().toString(drive.older) : tr("older"),
                                       drive.older >= 0 ? drive.older : 0));
        for (const int column : {4, 5, 6, 7, 11})
            LV1->item(row, column)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    LV1->setSortingEnabled(true);
    LV1->resizeColumnsToContents();
    // The window widens to show every column, up to the screen's width.
    if (!isVisible()) {
        int columns = 2 * LV1->frameWidth() + LV1->verticalScrollBar()->sizeHint().width();
        for (int column = 0; column < LV1->columnCount(); ++column)
            columns += LV1->columnWidth(column);
        const QMargins margins = layout()->contentsMargins();
        const int wanted = margins.left() + margins.right() + columns;
        if (wanted > width())
            resize(fitScreen(this, QSize(wanted, height())));
    }
    updateOpen();
}

void DrivesWindow::updateOpen()
{
    const QList<QTableWidgetItem *> selected = LV1->selectedItems();
    const int row = selected.isEmpty() ? -1 : LV1->item(selected.first()->row(), 0)->data(Qt::UserRole).toInt();
    cmdOpen->setEnabled(row >= 0 && m_rows[size_t(row)].connected.has_value());
}

void DrivesWindow::LV1_Activated()
{
    const QList<QTableWidgetItem *> selected = LV1->selectedItems();
    if (selected.isEmpty())
        return;
    if (!m_services.browseCatalogue) {
        cmdOpen_Click();
        return;
    }
    const DriveRow &drive = m_rows[size_t(LV1->item(selected.first()->row(), 0)->data(Qt::UserRole).toInt())];
    m_services.browseCatalogue(QDir(txtFolder->text()).filePath(drive.catalogue), {});
}

void DrivesWindow::cmdOpen_Click()
{
    const QList<QTableWidgetItem *> selected = LV1->selectedItems();
    if (selected.isEmpty())
        return;
    const DriveRow &drive = m_rows[size_t(LV1->item(selected.first()->row(), 0)->data(Qt::UserRole).toInt())];
    if (!drive.connected)
        return;
    const QString folder = drive.connected->rootPath;
    const int result = StartDoc(m_services.launcher, m_services.messages, folder, folder);
    if (result <= 32)
        m_services.messages.inform(tr("The drive's folder %1 could not be opened.").arg(displayFileName(folder)));
}

} // namespace kestrova
