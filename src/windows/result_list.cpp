#include "result_list.h"

#include "platform/files/file_time.h"
#include "platform/text/date_conventions.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QTableView>

#include <algorithm>

namespace kestrova {

QTableView *newResultView(ResultModel &model, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideMiddle);
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab and Shift+Tab go on to the window's next control; the arrows move within the list.
    view->setTabKeyNavigation(false);
    view->setModel(&model);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return view;
}

int dataSizeColumnWidth(const QTableView &view, int column)
{
    int widest = view.horizontalHeader()->sectionSizeHint(column);
    for (qint64 unit = 1024; unit <= (qint64(1) << 50); unit *= 1024)
        widest = std::max(widest, view.fontMetrics().horizontalAdvance(QLocale().formattedDataSize(unit * 1023 + unit / 2)) + 16);
    return widest;
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
    if (!index.isValid() || index.row() >= m_shown)
        return {};
    const int column = index.column();
    const bool fact = column == ResultTable::kSizeColumn || column == ResultTable::kModifiedColumn;
    if (role == Qt::TextAlignmentRole && column == ResultTable::kSizeColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (!fact)
        return m_table.string(index.row(), column);
    // Sizes and times as the user's locale writes them; empty where the facts do not say.
    const qint64 size = m_table.size(index.row());
    if (size < 0)
        return QString();
    if (column == ResultTable::kSizeColumn)
        return QLocale().formattedDataSize(size);
    if (!fileTimeKnown(m_table.modifiedNs(index.row())))
        return QString();
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(m_table.modifiedNs(index.row()) / 1000000);
    return m_dates ? m_dates->general(modified) : QLocale().toString(modified, QLocale::ShortFormat);
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
