// What the catalogue browser shows of a CatalogueTree: its folders as a tree, asked for only as
// far as the user opens it, and one folder's listing (sub-folders with the totals under them,
// then files) in the result list, so that the hit actions and the export act on it as on a
// search's hits.
#pragma once

#include "result_list.h"

#include "catalogue/catalogue_tree.h"

#include <QAbstractItemModel>
#include <QStyledItemDelegate>

#include <unordered_map>
#include <vector>

namespace kestrova {

// The folders of a tree, each folder's sub-folders sorted by name when first shown.
class BrowserTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    // tree may be null (nothing shown) and must outlive the model or be replaced first.
    void setTree(const CatalogueTree *tree);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    quint32 folderOf(const QModelIndex &index) const { return quint32(index.internalId()); }
    QModelIndex indexOf(quint32 folder) const;

private:
    const std::vector<quint32> &sortedChildren(quint32 folder) const;

    const CatalogueTree *m_tree = nullptr;
    std::vector<quint32> m_topFolders;
    mutable std::unordered_map<quint32, std::vector<quint32>> m_sorted;
    mutable std::vector<quint32> m_rowInParent;
};

// One listed entry: a sub-folder (file == kNone) or a file.
struct ListingRow
{
    QByteArray name;
    QByteArray path;
    QByteArray type;
    QByteArray created;
    qint64 size = -1; // a folder's: the total under it
    qint64 modifiedNs = 0;
    quint32 folder = CatalogueTree::kNone; // the sub-folder a row is
    quint64 files = 0;                     // under a folder
    quint64 unknownSizes = 0;
};

// The listing, in the columns Name, Type, Created, Size, Modified and Share (of the folder's
// total). Its result table holds the rows in the order shown, for the hit actions.
class BrowserListModel : public ResultModel
{
    Q_OBJECT

public:
    enum Column { Name, Type, Created, Size, Modified, Share, ColumnCount };

    BrowserListModel();
    // The rows of one folder; catalogue: the catalogue file's name, for the hit actions.
    void setRows(std::vector<ListingRow> rows, const QString &catalogue, qint64 folderTotal);
    const ListingRow &row(int row) const { return m_rows[size_t(row)]; }
    int rowNamed(QByteArrayView name) const;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Name exports as the file's path; Size and Modified as the table's; Share not at all.
    int exportColumnOf(int column) const override;

private:
    void publishRows();

    std::vector<ListingRow> m_rows;
    QString m_catalogue;
    qint64 m_folderTotal = 0;
    int m_sortColumn = Name;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};

// Draws the Share column as a bar in the highlight colour, under the percentage.
class ShareBarDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace kestrova
