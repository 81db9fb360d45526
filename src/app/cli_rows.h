// The hits of kestrova-cli search and find on standard output: the order asked for on the
// command line, and the rows written through the result writer in large blocks, either from
// the sorted table once the search has ended or, with no order asked for, each as the search
// hands it over (nothing of them is held).
#pragma once

#include "cli_common.h"

#include "search/found_rows.h"
#include "search/result_export.h"
#include "search/result_order.h"

#include <QByteArray>

#include <functional>
#include <optional>

namespace kestrova::cli {

// What --sort names: a column of the result table (0-3 the texts, ResultTable::kSizeColumn,
// kModifiedColumn), or kUnsorted for none.
inline constexpr int kUnsorted = -1;
std::optional<int> sortColumnNamed(const QString &name);

class RowOutput
{
public:
    // limit: the most rows written (negative: no limit).
    RowOutput(Io &io, ExportFormat format, qint64 limit = -1);
    ~RowOutput() { finish(); }
    RowOutput(const RowOutput &) = delete;
    RowOutput &operator=(const RowOutput &) = delete;

    // Each row is written while the limit allows and no write has failed.
    void write(const RowTexts &row);
    void write(const ResultTable &table, qsizetype row);
    // Writes rows 0 .. count - 1 of rowAt, in order. They are made into text on two threads,
    // slice by slice, so rowAt is called from either (it only reads).
    void writeAll(qsizetype count, const std::function<RowTexts(qsizetype)> &rowAt);
    // Writes what is still held; called again, writes nothing.
    void finish();

private:
    bool takes();
    void written();

    Io &m_io;
    ResultWriter m_writer;
    QByteArray m_block;
    qint64 m_limit;
    qint64 m_count = 0;
    bool m_failed = false;
};

// The hits of a search in the order asked for: handed to the output as they come (kUnsorted),
// or held until the search has ended and then written in order. Sorted by path (the default),
// they are held as found and ordered by their paths alone, which is cheaper than keeping them
// in a ResultTable and gives the same order; by any other column, in a ResultTable.
class OrderedRows
{
public:
    // output: where unsorted rows go as they come; null: they are only counted.
    OrderedRows(int column, RowOutput *output);

    void add(const RowTexts &row);
    void clear();
    // Puts the held rows in order, once the search has ended.
    void sort();
    // Writes the held rows in order, at most most of them (negative: all).
    void writeTo(RowOutput &output, qint64 most = -1) const;
    // Every row added since the last clear.
    qint64 count() const { return m_count; }

private:
    int m_column;
    RowOutput *m_output;
    FoundRows m_found;
    std::vector<quint32> m_order; // of m_found
    ResultTable m_table;
    qint64 m_count = 0;
};

} // namespace kestrova::cli
