#include "hit_actions.h"

#include "document_launch.h"
#include "result_list.h"

#include "catalogue/drives.h"
#include "platform/files/file_names.h"
#include "search/result_export.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSaveFile>
#include <QTableView>

#include <algorithm>

#include <sys/stat.h>

namespace kestrova {
namespace {

bool exists(const QString &path)
{
    struct stat info;
    return stat(encodeFileName(path).constData(), &info) == 0;
}

// The highest missing folder on the way to path (the mount point of a drive that is not
// connected), or path's own folder when that is there.
QString missingFolder(const QString &path)
{
    QString missing = QFileInfo(path).path();
    for (;;) {
        const QString parent = QFileInfo(missing).path();
        if (parent == missing || exists(parent))
            return missing;
        missing = parent;
    }
}

// A failed launch in words, without the dots of the Run/Copy path window's messages.
QString launchFailureText(int result)
{
    QString text = runFailureText(result);
    while (text.endsWith(u'.') || text.endsWith(u' '))
        text.chop(1);
    return text + u'.';
}

} // namespace

HitActions::HitActions(Services &services, QTableView &view, ResultModel &model, Options options)
    : m_services(services), m_view(view), m_model(model), m_options(std::move(options))
{
    m_view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view.setContextMenuPolicy(Qt::DefaultContextMenu);
    m_view.installEventFilter(this);

    m_menu = new QMenu(&m_view);
    openAction = m_menu->addAction(tr("&Open"), this, &HitActions::open);
    showInFolderAction = m_menu->addAction(tr("Show in &Folder"), this, &HitActions::showInFolder);
    m_menu->addSeparator();
    showInCatalogueAction = m_menu->addAction(tr("Show in Ca&talogue"), this, &HitActions::showInCatalogue);
    showInCatalogueAction->setVisible((m_options.cataloguePathOf || m_options.catalogueHitsOf) && m_services.browseCatalogue);
    m_cataloguesMenu = new QMenu(&m_view);
    m_cataloguesMenu->setAccessibleName(showInCatalogueAction->text().remove(u'&'));
    copyPathAction = m_menu->addAction(tr("&Copy Path"), this, &HitActions::copyPaths);
    copyPathAction->setShortcut(QKeySequence::Copy); // shown in the menu; the list takes the key itself
    copyNameAction = m_menu->addAction(tr("Copy &Name"), this, &HitActions::copyNames);
    m_menu->addSeparator();
    runCopyAction = m_menu->addAction(tr("&Run/Copy Path..."), this, [this] { m_options.runCopy(); });
    exportAction = m_menu->addAction(tr("&Export Results..."), this, &HitActions::exportResults);
    if (m_options.viewMenu) {
        m_menu->addSeparator();
        m_menu->addMenu(m_options.viewMenu);
    }
    for (QAction *action : {openAction, copyNameAction, runCopyAction})
        action->setVisible(bool(m_options.runCopy));
    connect(m_menu, &QMenu::aboutToShow, this, &HitActions::updateActions);
}

bool HitActions::eventFilter(QObject *watched, QEvent *event)
{
    // Below the current row, where the keyboard opens the menu.
    const auto atCurrentRow = [this] {
        const QRect current = m_view.visualRect(m_view.currentIndex());
        return m_view.viewport()->mapToGlobal(current.isValid() ? current.bottomLeft() : QPoint(0, 0));
    };
    if (watched == &m_view && event->type() == QEvent::ContextMenu) {
        // A right click or the Menu key.
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        m_menu->popup(menuEvent->reason() == QContextMenuEvent::Keyboard ? atCurrentRow() : menuEvent->globalPos());
        return true;
    }
    if (watched == &m_view && event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        // Shift+F10, which the desktop's toolkits take for the Menu key.
        if (keyEvent->key() == Qt::Key_F10 && keyEvent->modifiers() == Qt::ShiftModifier) {
            m_menu->popup(atCurrentRow());
            return true;
        }
        // Ctrl+C copies the selected paths (the list would copy one cell's text).
        if (keyEvent->matches(QKeySequence::Copy)) {
            copyPaths();
            return true;
        }
        const int key = keyEvent->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_view.currentIndex().isValid() && m_options.runCopy) {
            m_options.runCopy();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void HitActions::updateActions()
{
    const bool any = !selectedRows().isEmpty();
    for (QAction *action : {openAction, showInFolderAction, copyPathAction, copyNameAction, runCopyAction,
                            showInCatalogueAction})
        action->setEnabled(any);
    exportAction->setEnabled(m_model.rowCount() > 0);
}

QList<int> HitActions::selectedRows() const
{
    QList<int> rows;
    if (const QItemSelectionModel *selection = m_view.selectionModel())
        for (const QModelIndex &index : selection->selectedRows())
            rows << index.row();
    if (rows.isEmpty() && m_view.currentIndex().isValid())
        rows << m_view.currentIndex().row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int HitActions::actedRow() const
{
    const QItemSelectionModel *selection = m_view.selectionModel();
    const QModelIndexList selected = selection ? selection->selectedRows() : QModelIndexList();
    if (selected.isEmpty())
        return -1;
    const QModelIndex current = m_view.currentIndex();
    return current.isValid() && selection->isRowSelected(current.row()) ? current.row() : selected.first().row();
}

QString HitActions::pathToday(int row) const
{
    const QString path = decodeFileName(m_model.filePathBytes(row));
    return m_options.runOf ? kestrova::pathToday(path, m_options.runOf(row), m_services.drives()) : path;
}

QString HitActions::whereabouts(int row) const
{
    const QString path = pathToday(row);
    if (exists(path))
        return {};
    const QString folder = missingFolder(path);
    const QString catalogue = m_options.catalogueOf ? m_options.catalogueOf(row) : m_model.text(row, 3);
    const QString drive = m_options.runOf ? driveToConnect(m_options.runOf(row), m_services.drives()) : QString();
    if (!drive.isEmpty())
        return tr("%1 is on the drive %2, which is not connected. Connect it to "
                              "reach the file.\nIt was catalogued in %3.")
            .arg(displayFileName(path), drive, catalogue);
    if (exists(folder))
        return tr("%1 is not there any more.\nIt was catalogued in %2.").arg(displayFileName(path), catalogue);
    return tr("%1 is on a drive that is not connected: the folder %2 is "
                          "missing.\nIt was catalogued in %3.")
        .arg(displayFileName(path), displayFileName(folder), catalogue);
}

bool HitActions::reachable(int row)
{
    const QString text = whereabouts(row);
    if (!text.isEmpty())
        m_services.messages.inform(text);
    return text.isEmpty();
}

void HitActions::open()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty() || !reachable(rows.first()))
        return;
    const QString path = pathToday(rows.first());
    const auto failed = [this, path](int result) {
        m_services.messages.inform(
            tr("%1 could not be opened: %2").arg(displayFileName(path), launchFailureText(result)));
    };
    const int result = StartDoc(m_services.launcher, m_services.messages, path, QFileInfo(path).path(), failed);
    if (result <= 32)
        failed(result);
}

void HitActions::showInFolder()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty() || !reachable(rows.first()))
        return;
    const QString path = pathToday(rows.first());
    if (m_services.fileManager.showItem(path))
        return;
    // No file manager answers on the bus: its folder opens, without the selection.
    const QString folder = QFileInfo(path).path();
    const auto failed = [this, folder](int result) {
        m_services.messages.inform(tr("The folder %1 could not be opened: %2\nNo file manager answers, and "
                                                  "no program is set to open folders.")
                                       .arg(displayFileName(folder), launchFailureText(result)));
    };
    const int result = StartDoc(m_services.launcher, m_services.messages, folder, folder, failed);
    if (result <= 32)
        failed(result);
}

void HitActions::showInCatalogue()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty() || !m_services.browseCatalogue)
        return;
    // The path as the catalogue gives it, not where the drive is mounted today.
    if (m_options.cataloguePathOf) {
        m_services.browseCatalogue(m_options.cataloguePathOf(rows.first()), m_model.filePathBytes(rows.first()));
        return;
    }
    if (!m_options.catalogueHitsOf)
        return;
    const QList<CatalogueHit> hits = m_options.catalogueHitsOf(rows.first());
    if (hits.size() == 1)
        m_services.browseCatalogue(hits.first().catalogue, hits.first().filePath);
    if (hits.size() <= 1)
        return;
    m_cataloguesMenu->clear();
    for (const CatalogueHit &hit : hits) {
        // The catalogue's name and where the file is in it.
        const QString text = QStringLiteral("%1: %2").arg(displayFileName(QFileInfo(hit.catalogue).fileName()),
                                                          displayFileName(decodeFileName(hit.filePath)));
        QAction *action = m_cataloguesMenu->addAction(QString(text).replace(u'&', QStringLiteral("&&")), this,
                                                      [this, hit] { m_services.browseCatalogue(hit.catalogue, hit.filePath); });
        action->setToolTip(text);
    }
    const QRect current = m_view.visualRect(m_view.model()->index(rows.first(), 0));
    m_cataloguesMenu->popup(m_view.viewport()->mapToGlobal(current.isValid() ? current.bottomLeft() : QPoint(0, 0)));
}

void HitActions::copyPaths()
{
    QStringList paths;
    for (const int row : selectedRows())
        paths << pathToday(row);
    if (!paths.isEmpty())
        m_services.clipboard.setPaths(paths);
}

void HitActions::copyNames()
{
    QStringList names;
    for (const int row : selectedRows())
        names << displayFileName(pathToday(row).section(u'/', -1));
    if (!names.isEmpty())
        m_services.clipboard.setText(names.join(u'\n'));
}

void HitActions::exportResults()
{
    if (m_model.rowCount() == 0)
        return;
    // The tab-separated type lists only its own pattern: a ".txt" file is read as tab-separated
    // when typed so, but the catalogues are no exports to offer.
    const QString csv = tr("CSV (*.csv)");
    const QString tsv = tr("Tab-separated text (*.tsv)");
    SaveDialog &dialog = m_services.exportDialog;
    dialog.filter = csv + QStringLiteral(";;") + tsv;
    dialog.cancelError = false;
    // The user's documents, then where the last export went: not the folder of catalogues,
    // whose every file the next search reads as a catalogue.
    QString &lastFolder = m_services.paths.ExportFolder;
    dialog.initialDir = !lastFolder.isEmpty() ? lastFolder : dialog.documentsFolder();
    if (dialog.fileName.isEmpty())
        dialog.fileName = QStringLiteral("results.csv");
    dialog.selectedFilter = filterMatching({csv, tsv}, dialog.fileName);
    dialog.showSave();
    if (dialog.fileName.isEmpty())
        return;
    // The name decides the format; the type chosen only where the name has no suffix of
    // either, and then its suffix is added.
    QString target = dialog.fileName;
    const QString suffix = QFileInfo(target).suffix().toLower();
    bool asCsv = dialog.selectedFilter != tsv;
    if (suffix == u"csv")
        asCsv = true;
    else if (suffix == u"tsv" || suffix == u"txt")
        asCsv = false;
    else
        target += asCsv ? QStringLiteral(".csv") : QStringLiteral(".tsv");
    dialog.fileName = QFileInfo(target).fileName();
    const QString folder = QFileInfo(target).absolutePath();
    for (const QString &catalogues : {m_services.paths.CurrentPath, m_services.paths.DefaultPath}) {
        if (!catalogues.isEmpty() && QFileInfo(catalogues).absoluteFilePath() == folder) {
            if (!m_services.messages.confirm(
                    tr("%1 is in the folder of catalogues %2: the next search there reads it as a "
                                   "catalogue, as it reads every file there.\nSave it there anyway?")
                        .arg(QFileInfo(target).fileName(), displayFileName(folder))))
                return;
            break;
        }
    }
    lastFolder = folder;

    // The selection when the user chose rows, else every row, in the list's order.
    QList<int> rows = selectedRows();
    if (rows.size() <= 1) {
        rows.clear();
        for (int row = 0; row < m_model.rowCount(); ++row)
            rows << row;
    }
    ResultWriter writer(asCsv ? ExportFormat::Csv : ExportFormat::Tsv, true, m_options.exportColumns);
    // The columns the list shows, in the order it shows them.
    QList<int> columns;
    const QHeaderView *header = m_view.horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        if (const int column = header->logicalIndex(visual); !header->isSectionHidden(column))
            if (const int exported = m_model.exportColumnOf(column); exported >= 0)
                columns << exported;
    writer.setColumnOrder(columns);
    // Written whole or not at all: a failure leaves no part of a file behind.
    QSaveFile file(target);
    bool written = file.open(QIODevice::WriteOnly);
    QByteArray block = writer.begin();
    for (const int row : rows) {
        if (!written)
            break;
        writer.appendRow(block, m_model.table(), row);
        if (block.size() >= (1 << 16)) {
            written = file.write(block) == block.size();
            block.resize(0);
        }
    }
    written = written && file.write(block) == block.size() && file.commit();
    if (!written)
        m_services.messages.inform(tr("The results could not be written to %1:\n%2")
                                       .arg(target, file.errorString()));
}

} // namespace kestrova
