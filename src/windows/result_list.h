// The search window's result list: a model over the compact result table, for a view in
// report style. Rows a search appends become visible in batches, at the search's yields, so
// that a search with many hits does not spend its time updating the view row by row.
#pragma once

#include "search/result_order.h"

#include <QAbstractTableModel>

class QTableView;
class QWidget;

namespace kestrova {

class DateConventions;
class ResultModel;

// A table view over model in report style: one row a hit, rows of one fixed height (which keeps
// it quick with a million rows arriving in batches), whole rows selected, nothing edited.
// Texts too long for their column lose their middle (a path keeps its drive and its file name).
QTableView *newResultView(ResultModel &model, QWidget *parent);

// The width a column needs for any size the locale writes ("1,023.99 MiB", "1 023,99 Mio"),
// or for its header, whichever is wider.
int dataSizeColumnWidth(const QTableView &view, int column);

class ResultModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The column of the result table an export writes for a column of the list; -1: none (a
    // column drawn for the eye only).
    virtual int exportColumnOf(int column) const { return column; }

    // Column headers are added by the window's load, as the list view's are.
    void setHeaders(const QStringList &headers);
    void append(const RowTexts &row) { m_table.append(row); }
    // Shows the rows appended since the last call.
    void publish();
    void clear();

    // Sorted mode: while on, the rows are kept in the order of the sort column.
    void setSorted(bool on);
    void setSortColumn(int column);

    QString filePath(int row) const { return m_table.string(row, 0); }
    QByteArray filePathBytes(int row) const { return m_table.text(row, m_pathColumn).toByteArray(); }
    // The column that holds the file's path (the search's first; the comparison's second);
    // set before any row is appended.
    void setPathColumn(int column)
    {
        m_pathColumn = column;
        m_table.setPathColumn(column);
    }
    // A column sorted by its text's characters rather than the locale's collation (the
    // search's Created column: dates as the catalogue writes them).
    void setTextOrderColumn(int column) { m_textOrderColumn = column; }
    QString text(int row, int column) const { return m_table.string(row, column); }
    // The Modified column in the general form of these conventions (as catalogues write
    // Created); in the locale's short form without them. They must outlive the model.
    void setDates(const DateConventions *dates) { m_dates = dates; }
    // The rows in the list's order (those not yet shown included).
    const ResultTable &table() const { return m_table; }

private:
    void sortNow();

    ResultTable m_table;
    int m_shown = 0;
    QStringList m_headers;
    bool m_sorted = false;
    int m_sortColumn = 0;
    int m_pathColumn = 0;
    int m_textOrderColumn = -1;
    const DateConventions *m_dates = nullptr;
};

} // namespace kestrova
