#include "result_list.h"

namespace kestrova {

int ResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int ResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ResultModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shown)
        return {};
    return m_table.string(index.row(), index.column());
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers.at(section);
    return {};
}

void ResultModel::setHeaders(const QStringList &headers)
{
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

void ResultModel::publish()
{
    const int total = int(m_table.size());
    if (total == m_shown)
        return;
    if (m_sorted) {
        sortNow();
        return;
    }
    beginInsertRows({}, m_shown, total - 1);
    m_shown = total;
    endInsertRows();
}

void ResultModel::clear()
{
    beginResetModel();
    m_table.clear();
    m_shown = 0;
    endResetModel();
}

void ResultModel::setSorted(bool on)
{
    m_sorted = on;
    if (on)
        sortNow();
}

void ResultModel::setSortColumn(int column)
{
    m_sortColumn = column;
    if (m_sorted)
        sortNow();
}

void ResultModel::sortNow()
{
    beginResetModel();
    m_table.sortBy(m_sortColumn);
    m_shown = int(m_table.size());
    endResetModel();
}

} // namespace kestrova
