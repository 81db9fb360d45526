#include "browser_window.h"

#include "browser_models.h"
#include "counts.h"
#include "hit_actions.h"
#include "layout.h"

#include "catalogue/drives.h"
#include "platform/files/file_names.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

namespace kestrova {

BrowserWindow::BrowserWindow(Services &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_services(services), m_treeModel(std::make_unique<BrowserTreeModel>()),
      m_listModel(std::make_unique<BrowserListModel>())
{
    setWindowTitle(tr("Browse Catalogue"));
    auto *grid = new QGridLayout(this);

    lblFacts = new QLabel(this);
    lblFacts->setWordWrap(true);
    lblFacts->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblFacts->setAccessibleName(tr("The drive's facts"));
    grid->addWidget(lblFacts, 0, 0, 1, 5);

    const auto navigationButton = [this](Qt::ArrowType arrow, const QString &name, const QKeySequence &key) {
        auto *button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAccessibleName(name);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(name, key.toString(QKeySequence::NativeText)));
        return button;
    };
    cmdBack = navigationButton(Qt::LeftArrow, tr("Back"), QKeySequence(Qt::ALT | Qt::Key_Left));
    cmdForward = navigationButton(Qt::RightArrow, tr("Forward"), QKeySequence(Qt::ALT | Qt::Key_Right));
    cmdUp = navigationButton(Qt::UpArrow, tr("Up"), QKeySequence(Qt::ALT | Qt::Key_Up));
    auto *pathLabel = new QLabel(tr("&Folder"), this);
    txtPath = new QLineEdit(this);
    txtPath->setAccessibleName(tr("Folder path"));
    pathLabel->setBuddy(txtPath);
    grid->addWidget(cmdBack, 1, 0);
    grid->addWidget(cmdForward, 1, 1);
    grid->addWidget(cmdUp, 1, 2);
    grid->addWidget(pathLabel, 1, 3);
    grid->addWidget(txtPath, 1, 4);

    auto *splitter = new QSplitter(this);
    tvFolders = new QTreeView(splitter);
    tvFolders->setModel(m_treeModel.get());
    tvFolders->setHeaderHidden(true);
    tvFolders->setUniformRowHeights(true);
    tvFolders->setAccessibleName(tr("Folders"));
    LV1 = newResultView(*m_listModel, splitter);
    LV1->setAccessibleName(tr("Entries of the folder"));
    // The window sorts, so that the rows chosen stay chosen in the new order.
    LV1->horizontalHeader()->setSectionsClickable(true);
    LV1->horizontalHeader()->setSortIndicatorShown(true);
    LV1->horizontalHeader()->setSortIndicator(BrowserListModel::Name, Qt::AscendingOrder);
    LV1->setItemDelegateForColumn(BrowserListModel::Share, new ShareBarDelegate(LV1));
    LV1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    LV1->horizontalHeader()->setStretchLastSection(true);
    splitter->setStretchFactor(1, 3);
    grid->addWidget(splitter, 2, 0, 1, 5);

    lblStatus = new QLabel(this);
    lblStatus->setAccessibleName(tr("Totals of the folder")); // also while empty
    cmdOpen = new QPushButton(tr("&Open Catalogue..."), this);
    cmdExport = new QPushButton(tr("&Export..."), this);
    cmdClose = new QPushButton(tr("Close"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus, 1);
    buttons->addWidget(cmdOpen);
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    grid->addLayout(buttons, 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(2, 1); // the folders and the listing take what height there is
    resize(twips(13500), twips(8295));
    LV1->setColumnWidth(BrowserListModel::Name, twips(3000));
    LV1->setColumnWidth(BrowserListModel::Type, twips(1500));
    LV1->setColumnWidth(BrowserListModel::Created, twips(1700));
    LV1->setColumnWidth(BrowserListModel::Size, LV1->fontMetrics().horizontalAdvance(QStringLiteral("9,999.9 MiB in 99,999 files")) + 16);
    LV1->setColumnWidth(BrowserListModel::Modified, twips(1700));
    for (QPushButton *button : {cmdOpen, cmdExport, cmdClose})
        button->setAutoDefault(false);

    m_hitActions = std::make_unique<HitActions>(
        m_services, *LV1, *m_listModel,
        HitActions::Options{[this] { activateRow(); }, [this](int) { return QFileInfo(m_tree->path()).fileName(); },
                            {}, [this](int) { return m_tree ? m_tree->run() : RunFacts(); }});
    // Enter and a double-click go into a folder or open a file: the menu needs no Run/Copy here.
    m_hitActions->runCopyAction->setVisible(false);

    const auto shortcut = [this](const QKeySequence &key, void (BrowserWindow::*slot)()) {
        auto *action = new QAction(this);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), &BrowserWindow::goBack);
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Right), &BrowserWindow::goForward);
    shortcut(QKeySequence(Qt::ALT | Qt::Key_Up), &BrowserWindow::goUp);
    tvFolders->installEventFilter(this);
    LV1->installEventFilter(this);

    connect(cmdBack, &QToolButton::clicked, this, &BrowserWindow::goBack);
    connect(cmdForward, &QToolButton::clicked, this, &BrowserWindow::goForward);
    connect(cmdUp, &QToolButton::clicked, this, &BrowserWindow::goUp);
    connect(txtPath, &QLineEdit::returnPressed, this, &BrowserWindow::pathEntered);
    connect(LV1, &QTableView::doubleClicked, this, &BrowserWindow::activateRow);
    connect(cmdOpen, &QPushButton::clicked, this, &BrowserWindow::chooseCatalogue);
    connect(cmdExport, &QPushButton::clicked, m_hitActions.get(), &HitActions::exportResults);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(LV1->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, &BrowserWindow::sortListing);
    connect(tvFolders->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid() && m_treeModel->folderOf(current) != m_folder)
            showFolder(m_treeModel->folderOf(current));
    });
    updateNavigation();
}

BrowserWindow::~BrowserWindow() = default;

bool BrowserWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Backspace goes up from the tree and the listing; the path bar keeps it for its text.
    if ((watched == tvFolders || watched == LV1) && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Backspace) {
        goUp();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool BrowserWindow::chooseCatalogue()
{
    const QString folder = m_tree ? QFileInfo(m_tree->path()).path()
                           : !m_services.paths.CurrentPath.isEmpty() ? m_services.paths.CurrentPath
                                                                     : m_services.paths.DefaultPath;
    const QString chosen = m_services.folderPicker.chooseFile(tr("Choose a catalogue"), folder,
                                                              tr("Catalogues (*.txt);;All files (*)"));
    return !chosen.isEmpty() && openCatalogue(chosen);
}

bool BrowserWindow::openCatalogue(const QString &path)
{
    std::unique_ptr<CatalogueTree> tree;
    try {
        tree = std::make_unique<CatalogueTree>(path);
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(
            Error(error.number(), QStringLiteral("%1: %2").arg(displayFileName(path), error.description())));
        return false;
    }
    m_listModel->setRows({}, QString(), 0);
    m_treeModel->setTree(tree.get());
    m_tree = std::move(tree);
    setWindowTitle(tr("Browse Catalogue - %1").arg(displayFileName(QFileInfo(path).fileName())));
    m_back.clear();
    m_forward.clear();
    m_folder = CatalogueTree::kNone;
    showFacts();
    showFolder(m_tree->top(), false);
    tvFolders->expand(m_treeModel->indexOf(m_tree->top()));
    LV1->setFocus();
    return true;
}

bool BrowserWindow::showHit(const QString &path, const QByteArray &filePath)
{
    if ((!m_tree || m_tree->path() != path) && !openCatalogue(path))
        return false;
    const qsizetype slash = filePath.lastIndexOf('/');
    const QByteArray folderPath = slash <= 0 ? QByteArray(slash == 0 ? "/" : "") : filePath.left(slash);
    const quint32 folder = m_tree->folderAt(folderPath);
    if (folder == CatalogueTree::kNone)
        return false;
    showFolder(folder);
    const int row = m_listModel->rowNamed(QByteArrayView(filePath).sliced(slash + 1));
    if (row >= 0) {
        LV1->selectRow(row);
        LV1->scrollTo(m_listModel->index(row, 0));
    }
    LV1->setFocus();
    return row >= 0;
}

void BrowserWindow::showFolder(quint32 folder, bool remember)
{
    if (!m_tree || folder == CatalogueTree::kNone)
        return;
    if (remember && m_folder != CatalogueTree::kNone && m_folder != folder) {
        m_back.push_back(m_folder);
        m_forward.clear();
    }
    m_folder = folder;
    std::vector<ListingRow> rows;
    for (const quint32 child : m_tree->children(folder)) {
        const CatalogueTree::Totals &totals = m_tree->totals(child);
        rows.push_back({m_tree->folderName(child).toByteArray(), m_tree->folderPath(child).toByteArray(), {}, {},
                        totals.size(), 0, child, totals.files, totals.unknownSizes});
    }
    const std::span<const quint32> files = m_tree->files(folder);
    std::vector<CatalogueTree::FileTexts> texts;
    try {
        texts = m_tree->fileTexts(files);
    } catch (const Error &error) {
        m_services.messages.reportDescriptionStyle(error);
        texts.resize(files.size());
    }
    for (size_t i = 0; i < files.size(); ++i)
        rows.push_back({m_tree->fileName(files[i]).toByteArray(), m_tree->filePath(files[i]), std::move(texts[i].type),
                        std::move(texts[i].created), m_tree->fileSize(files[i]), m_tree->fileModifiedNs(files[i])});
    const CatalogueTree::Totals &totals = m_tree->totals(folder);
    m_listModel->setRows(std::move(rows), QFileInfo(m_tree->path()).fileName(), totals.size());
    if (!m_datesFitted && !files.empty()) {
        // The dates' width depends on the catalogue's date form: fit it once, to the first files shown.
        for (const int column : {BrowserListModel::Created, BrowserListModel::Modified}) {
            const int designed = LV1->columnWidth(column);
            LV1->resizeColumnToContents(column);
            LV1->setColumnWidth(column, std::max(designed, LV1->columnWidth(column)));
        }
        m_datesFitted = true;
    }
    const bool before = folder == m_tree->beforeAnyFolder();
    txtPath->setText(before ? tr("(before any folder)") : displayFileName(QString::fromUtf8(m_tree->folderPath(folder))));
    QString status = tr("%1 and %2 here; %3 in %4 under it")
                         .arg(countOf(m_tree->children(folder).size(), QT_TRANSLATE_N_NOOP("Counts", "%1 folder(s)")),
                              countOf(files.size(), QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")),
                              totals.size() < 0 ? tr("size unknown") : QLocale().formattedDataSize(totals.size()),
                              countOf(totals.files, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")));
    if (totals.unknownSizes > 0 && totals.size() >= 0)
        status = tr("%1, %2 without a size").arg(status, countOf(totals.unknownSizes, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")));
    lblStatus->setText(status);
    const QModelIndex index = m_treeModel->indexOf(folder);
    if (tvFolders->currentIndex() != index) {
        tvFolders->setCurrentIndex(index);
        tvFolders->scrollTo(index);
    }
    updateNavigation();
}

void BrowserWindow::sortListing(int column, Qt::SortOrder order)
{
    std::vector<std::pair<QByteArray, quint32>> chosen;
    for (const int row : m_hitActions->selectedRows())
        chosen.emplace_back(m_listModel->row(row).path, m_listModel->row(row).folder);
    m_listModel->sort(column, order);
    for (int row = 0; row < m_listModel->rowCount(); ++row) {
        const ListingRow &entry = m_listModel->row(row);
        if (std::find(chosen.begin(), chosen.end(), std::pair(entry.path, entry.folder)) == chosen.end())
            continue;
        if (!LV1->selectionModel()->hasSelection())
            LV1->setCurrentIndex(m_listModel->index(row, 0));
        LV1->selectionModel()->select(m_listModel->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void BrowserWindow::activateRow()
{
    const int row = m_hitActions->actedRow();
    if (row < 0)
        return;
    const ListingRow &entry = m_listModel->row(row);
    if (entry.folder != CatalogueTree::kNone)
        showFolder(entry.folder);
    else
        m_hitActions->open();
}

void BrowserWindow::goBack()
{
    if (m_back.empty())
        return;
    m_forward.push_back(m_folder);
    const quint32 folder = m_back.back();
    m_back.pop_back();
    showFolder(folder, false);
}

void BrowserWindow::goForward()
{
    if (m_forward.empty())
        return;
    m_back.push_back(m_folder);
    const quint32 folder = m_forward.back();
    m_forward.pop_back();
    showFolder(folder, false);
}

void BrowserWindow::goUp()
{
    if (!m_tree || m_folder == m_tree->top() || m_tree->parent(m_folder) == CatalogueTree::kNone)
        return;
    const QByteArray name = m_tree->folderName(m_folder).toByteArray();
    showFolder(m_tree->parent(m_folder));
    // The folder come from stays chosen, as file managers do.
    if (const int row = m_listModel->rowNamed(name); row >= 0)
        LV1->selectRow(row);
}

void BrowserWindow::pathEntered()
{
    if (!m_tree)
        return;
    const QString typed = txtPath->text().trimmed();
    const quint32 folder = typed == tr("(before any folder)") ? m_tree->beforeAnyFolder() : m_tree->folderAt(encodeFileName(typed));
    if (folder == CatalogueTree::kNone || m_tree->depth(folder) < 0) {
        m_services.messages.inform(tr("The catalogue holds no folder %1.").arg(typed));
        return;
    }
    showFolder(folder);
}

void BrowserWindow::showFacts()
{
    const RunFacts &run = m_tree->run();
    if (!m_tree->hasFacts()) {
        lblFacts->setText(tr("Catalogued %1. No facts beside the catalogue: sizes and times are not known.")
                              .arg(QString::fromUtf8(m_tree->headerDate())));
        return;
    }
    const auto size = [](qint64 bytes) { return bytes < 0 ? tr("unknown") : QLocale().formattedDataSize(bytes); };
    const std::optional<Volume> mounted = mountedVolume(run.uuid, m_services.drives());
    const QString connected = run.uuid.isEmpty() ? tr("not known whether connected")
                              : mounted           ? tr("connected at %1").arg(displayFileName(mounted->rootPath))
                                                  : tr("not connected");
    lblFacts->setText(tr("<b>%1</b> (%2), capacity %3, %4 free; catalogued %5 from %6; %7")
                          .arg((run.label.isEmpty() ? tr("no label") : run.label).toHtmlEscaped(),
                               run.fileSystem.toHtmlEscaped(), size(run.capacity), size(run.free),
                               QLocale().toString(run.started.toLocalTime(), QLocale::ShortFormat),
                               displayFileName(run.root).toHtmlEscaped(), connected.toHtmlEscaped()));
}

void BrowserWindow::updateNavigation()
{
    cmdBack->setEnabled(!m_back.empty());
    cmdForward->setEnabled(!m_forward.empty());
    cmdUp->setEnabled(m_tree && m_folder != m_tree->top() && m_folder != CatalogueTree::kNone
                      && m_tree->parent(m_folder) != CatalogueTree::kNone);
    cmdExport->setEnabled(m_listModel->rowCount() > 0);
}

} // namespace kestrova
