#include "result_list.h"

#include <QHeaderView>
#include <QTableView>

namespace kestrova {

QTableView *newResultView(ResultModel &model, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setModel(&model);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return view;
}

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
    m_table.sortBy(m_sortColumn, m_sortColumn == m_textOrderColumn ? ResultTable::Order::Text : ResultTable::Order::Collated);
    m_shown = int(m_table.size());
    endResetModel();
}

} // namespace kestrova
