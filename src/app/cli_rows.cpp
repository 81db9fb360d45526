#include "cli_rows.h"

#include <algorithm>
#include <future>

namespace kestrova::cli {
namespace {
constexpr qsizetype kBlockBytes = 1 << 18; // written to standard output a block at a time
} // namespace

std::optional<int> sortColumnNamed(const QString &name)
{
    static const QStringList names{QStringLiteral("path"),    QStringLiteral("type"),
                                   QStringLiteral("created"), QStringLiteral("catalogue"),
                                   QStringLiteral("size"),    QStringLiteral("modified")};
    if (name == u"none")
        return kUnsorted;
    const qsizetype column = names.indexOf(name);
    return column < 0 ? std::nullopt : std::optional<int>(int(column));
}

// The tab-separated rows as ever, without a header; CSV with its header row. The rows go out
// as the catalogue holds them, byte for byte.
RowOutput::RowOutput(Io &io, ExportFormat format, qint64 limit)
    : m_io(io), m_writer(format, format == ExportFormat::Csv, {}, true), m_block(m_writer.begin()),
      m_limit(limit)
{
    m_block.reserve(kBlockBytes + (kBlockBytes >> 2));
}

bool RowOutput::takes()
{
    return !m_failed && (m_limit < 0 || m_count < m_limit);
}

void RowOutput::written()
{
    ++m_count;
    if (m_block.size() >= kBlockBytes) {
        m_failed = !writeRaw(m_io, m_block);
        m_block.resize(0);
    }
}

void RowOutput::write(const RowTexts &row)
{
    if (!takes())
        return;
    m_writer.appendRow(m_block, row);
    written();
}

void RowOutput::write(const ResultTable &table, qsizetype row)
{
    if (!takes())
        return;
    m_writer.appendRow(m_block, table, row);
    written();
}

void RowOutput::writeAll(qsizetype count, const std::function<RowTexts(qsizetype)> &rowAt)
{
    if (!takes())
        return;
    if (m_limit >= 0)
        count = qsizetype(std::min<qint64>(count, m_limit - m_count));
    // What is held goes first: the rows' slices are written as they are.
    if (!m_block.isEmpty()) {
        m_failed = !writeRaw(m_io, m_block);
        m_block.resize(0);
    }
    constexpr qsizetype kSliceRows = 4096;
    const auto made = [&](qsizetype from) {
        QByteArray text;
        text.reserve(kBlockBytes);
        for (qsizetype i = from; i < std::min(count, from + kSliceRows); ++i)
            m_writer.appendRow(text, rowAt(i));
        return text;
    };
    // The other thread makes the slice after the one this thread makes and writes.
    for (qsizetype from = 0; from < count && !m_failed; from += 2 * kSliceRows) {
        std::future<QByteArray> next;
        if (from + kSliceRows < count)
            next = std::async(std::launch::async, made, from + kSliceRows);
        m_failed = !writeRaw(m_io, made(from));
        if (next.valid()) {
            const QByteArray theirs = next.get();
            m_failed = m_failed || !writeRaw(m_io, theirs);
        }
    }
    m_count += count;
}

void RowOutput::finish()
{
    if (!m_block.isEmpty() && !m_failed)
        m_failed = !writeRaw(m_io, m_block);
    m_block.resize(0);
}

OrderedRows::OrderedRows(int column, RowOutput *output) : m_column(column), m_output(output) {}

void OrderedRows::add(const RowTexts &row)
{
    ++m_count;
    if (m_column == kUnsorted) {
        if (m_output)
            m_output->write(row);
    } else if (m_column == 0) {
        m_found.add(row);
    } else {
        m_table.append(row);
    }
}

void OrderedRows::clear()
{
    m_count = 0;
    m_found.clear();
    m_order.clear();
    m_table.clear();
}

void OrderedRows::sort()
{
    // The Created column's dates sort as the catalogue writes them, the other texts as the
    // locale collates them.
    const auto order = m_column == 2 ? ResultTable::Order::Text : ResultTable::Order::Collated;
    if (m_column == 0)
        m_order = orderOfTexts(
            quint32(m_found.size()), [this](quint32 row) { return m_found.row(row).filePath; },
            order);
    else if (m_column != kUnsorted)
        m_table.sortBy(m_column, order);
}

void OrderedRows::writeTo(RowOutput &output, qint64 most) const
{
    const auto within = [most](qsizetype i) { return most < 0 || i < most; };
    if (m_column == 0) {
        constexpr qsizetype kAhead = 16;
        const qsizetype count = qsizetype(m_order.size());
        output.writeAll(most < 0 ? count : qsizetype(std::min<qint64>(count, most)), [this, count](qsizetype i) {
            if (i + kAhead < count)
                m_found.prefetch(m_order[size_t(i + kAhead)]);
            return m_found.row(m_order[size_t(i)]);
        });
    } else {
        for (qsizetype i = 0; i < m_table.size() && within(i); ++i)
            output.write(m_table, i);
    }
}

} // namespace kestrova::cli
