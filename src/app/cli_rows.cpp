#include "cli_rows.h"

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
    : m_io(io), m_writer(format, format == ExportFormat::Csv, {}, true), m_block(m_writer.begin()), m_limit(limit)
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

void RowOutput::finish()
{
    if (!m_block.isEmpty() && !m_failed)
        m_failed = !writeRaw(m_io, m_block);
    m_block.resize(0);
}

} // namespace kestrova::cli
