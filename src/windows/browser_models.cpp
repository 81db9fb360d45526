#include "browser_models.h"

#include "counts.h"

#include "platform/files/file_names.h"
#include "platform/files/file_time.h"

#include <QApplication>
#include <QCollator>
#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace kestrova {
namespace {

// Names as the desktop sorts them: the locale's collation, without regard to case, numbers by
// their value.
QCollator nameCollator()
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

QString sizeText(const ListingRow &row)
{
    if (row.folder == CatalogueTree::kNone)
        return row.size < 0 ? BrowserListModel::tr("unknown") : QLocale().formattedDataSize(row.size);
    const QString size = row.size < 0 ? BrowserListModel::tr("unknown") : QLocale().formattedDataSize(row.size);
    const QString text = BrowserListModel::tr("%1 in %2").arg(size, countOf(row.files, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")));
    if (row.unknownSizes > 0 && row.size >= 0)
        return BrowserListModel::tr("%1, %2 without a size").arg(text, countOf(row.unknownSizes, QT_TRANSLATE_N_NOOP("Counts", "%1 file(s)")));
    return text;
}

} // namespace

void BrowserTreeModel::setTree(const CatalogueTree *tree)
{
    beginResetModel();
    m_tree = tree;
    m_sorted.clear();
    m_topFolders.clear();
    m_rowInParent.assign(tree ? tree->folderCount() : 0, 0);
    if (tree) {
        m_topFolders.push_back(tree->top());
        if (tree->beforeAnyFolder() != CatalogueTree::kNone) {
            m_topFolders.push_back(tree->beforeAnyFolder());
            m_rowInParent[tree->beforeAnyFolder()] = 1;
        }
    }
    endResetModel();
}

const std::vector<quint32> &BrowserTreeModel::sortedChildren(quint32 folder) const
{
    auto found = m_sorted.find(folder);
    if (found != m_sorted.end())
        return found->second;
    const std::span<const quint32> children = m_tree->children(folder);
    std::vector<quint32> sorted(children.begin(), children.end());
    const QCollator collator = nameCollator();
    std::vector<QString> names(m_tree->folderCount() > 0 ? sorted.size() : 0);
    for (size_t i = 0; i < sorted.size(); ++i)
        names[i] = decodeFileName(m_tree->folderName(sorted[i]));
    std::vector<quint32> order(sorted.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return collator.compare(names[a], names[b]) < 0; });
    std::vector<quint32> result(sorted.size());
    for (size_t i = 0; i < order.size(); ++i) {
        result[i] = sorted[order[i]];
        m_rowInParent[result[i]] = quint32(i);
    }
    return m_sorted.emplace(folder, std::move(result)).first->second;
}

QModelIndex BrowserTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!m_tree || row < 0 || column != 0)
        return {};
    if (!parent.isValid())
        return row < int(m_topFolders.size()) ? createIndex(row, 0, quintptr(m_topFolders[size_t(row)])) : QModelIndex();
    const std::vector<quint32> &children = sortedChildren(folderOf(parent));
    return row < int(children.size()) ? createIndex(row, 0, quintptr(children[size_t(row)])) : QModelIndex();
}

QModelIndex BrowserTreeModel::parent(const QModelIndex &child) const
{
    if (!m_tree || !child.isValid())
        return {};
    const quint32 folder = folderOf(child);
    if (std::find(m_topFolders.begin(), m_topFolders.end(), folder) != m_topFolders.end())
        return {};
    return indexOf(m_tree->parent(folder));
}

QModelIndex BrowserTreeModel::indexOf(quint32 folder) const
{
    if (!m_tree || folder == CatalogueTree::kNone)
        return {};
    for (size_t i = 0; i < m_topFolders.size(); ++i)
        if (m_topFolders[i] == folder)
            return createIndex(int(i), 0, quintptr(folder));
    const quint32 parent = m_tree->parent(folder);
    if (parent == CatalogueTree::kNone)
        return {};
    sortedChildren(parent); // places the folder among its siblings
    return createIndex(int(m_rowInParent[folder]), 0, quintptr(folder));
}

int BrowserTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!m_tree)
        return 0;
    if (!parent.isValid())
        return int(m_topFolders.size());
    return int(m_tree->children(folderOf(parent)).size());
}

int BrowserTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool BrowserTreeModel::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() ? !m_topFolders.empty() : !m_tree->children(folderOf(parent)).empty();
}

QVariant BrowserTreeModel::data(const QModelIndex &index, int role) const
{
    if (!m_tree || !index.isValid())
        return {};
    const quint32 folder = folderOf(index);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return folder == m_tree->beforeAnyFolder() ? tr("(before any folder)") : decodeFileName(m_tree->folderName(folder));
    if (role == Qt::DecorationRole)
        return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    if (role == Qt::ToolTipRole)
        return decodeFileName(m_tree->folderPath(folder));
    return {};
}

BrowserListModel::BrowserListModel()
{
    setHeaders({tr("Name"), tr("Type"), tr("Created"), tr("Size"), tr("Modified"), tr("Share")});
}

void BrowserListModel::setRows(std::vector<ListingRow> rows, const QString &catalogue, qint64 folderTotal)
{
    m_rows = std::move(rows);
    m_catalogue = catalogue;
    m_folderTotal = folderTotal;
    sort(m_sortColumn, m_order);
}

int BrowserListModel::rowNamed(QByteArrayView name) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].name == name)
            return int(i);
    return -1;
}

int BrowserListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int BrowserListModel::exportColumnOf(int column) const
{
    switch (column) {
    case Name:
    case Type:
    case Created:
        return column;
    case Size:
        return ResultTable::kSizeColumn;
    case Modified:
        return ResultTable::kModifiedColumn;
    default:
        return -1;
    }
}

QVariant BrowserListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const ListingRow &row = m_rows[size_t(index.row())];
    const bool folder = row.folder != CatalogueTree::kNone;
    if (role == Qt::TextAlignmentRole && (index.column() == Size || index.column() == Share))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::DecorationRole && index.column() == Name)
        return QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    if (role == Qt::UserRole && index.column() == Share)
        return m_folderTotal > 0 && row.size > 0 ? double(row.size) / double(m_folderTotal) : 0.0;
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case Name: return decodeFileName(row.name);
    case Type: return folder ? tr("Folder") : QString::fromUtf8(row.type);
    case Created: return QString::fromUtf8(row.created);
    case Size: return sizeText(row);
    case Modified:
        return folder || row.size < 0 || !fileTimeKnown(row.modifiedNs) ? QString()
                                      : QLocale().toString(QDateTime::fromMSecsSinceEpoch(row.modifiedNs / 1000000), QLocale::ShortFormat);
    case Share:
        return m_folderTotal > 0 && row.size >= 0 ? QLocale().toString(100.0 * double(row.size) / double(m_folderTotal), 'f', 1) + u'%'
                                                  : QString();
    }
    return {};
}

void BrowserListModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_order = order;
    const QCollator collator = nameCollator();
    const bool bySize = column == Size || column == Share;
    std::vector<QString> names(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        names[i] = decodeFileName(m_rows[i].name);
    std::vector<quint32> indices(m_rows.size());
    for (quint32 i = 0; i < indices.size(); ++i)
        indices[i] = i;
    // Folders first, except by size, where a disk-usage view mixes them; a size not known sorts
    // below every known one.
    const auto less = [&](quint32 a, quint32 b) {
        const ListingRow &x = m_rows[a], &y = m_rows[b];
        int result = 0;
        switch (column) {
        case Type: result = collator.compare(QString::fromUtf8(x.type), QString::fromUtf8(y.type)); break;
        case Created: result = x.created.compare(y.created); break;
        case Size:
        case Share: result = x.size < y.size ? -1 : x.size > y.size ? 1 : 0; break;
        case Modified: result = x.modifiedNs < y.modifiedNs ? -1 : x.modifiedNs > y.modifiedNs ? 1 : 0; break;
        default: break;
        }
        if (result == 0)
            result = collator.compare(names[a], names[b]);
        return order == Qt::AscendingOrder ? result < 0 : result > 0;
    };
    std::stable_sort(indices.begin(), indices.end(), [&](quint32 a, quint32 b) {
        const bool folderA = m_rows[a].folder != CatalogueTree::kNone, folderB = m_rows[b].folder != CatalogueTree::kNone;
        if (!bySize && folderA != folderB)
            return folderA;
        return less(a, b);
    });
    std::vector<ListingRow> sorted;
    sorted.reserve(m_rows.size());
    for (const quint32 i : indices)
        sorted.push_back(std::move(m_rows[i]));
    m_rows = std::move(sorted);
    publishRows();
}

void BrowserListModel::publishRows()
{
    // The result table holds the rows in the order shown: path, type, created, catalogue.
    clear();
    const QByteArray catalogue = m_catalogue.toUtf8();
    const QByteArray folderType = tr("Folder").toUtf8();
    for (const ListingRow &row : m_rows)
        append({row.path, row.folder != CatalogueTree::kNone ? QByteArrayView(folderType) : QByteArrayView(row.type),
                row.created, catalogue, row.size, row.modifiedNs});
    publish();
}

void ShareBarDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const double share = index.data(Qt::UserRole).toDouble();
    if (share > 0) {
        QRect bar = option.rect.adjusted(2, 3, -2, -3);
        bar.setWidth(std::max(1, int(bar.width() * share)));
        painter->save();
        QColor colour = option.palette.color(QPalette::Highlight);
        colour.setAlpha(110);
        painter->fillRect(bar, colour);
        painter->restore();
    }
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace kestrova
