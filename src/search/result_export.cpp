#include "result_export.h"

#include "platform/files/file_names.h"
#include "platform/files/file_time.h"

#include <QDateTime>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrova {
namespace {

// A CSV field: quoted when it holds a comma, a quote or a line end, quotes doubled.
void appendCsvField(QByteArray &out, QByteArrayView text)
{
    if (!text.contains(',') && !text.contains('"') && !text.contains('\r') && !text.contains('\n')) {
        out.append(text);
        return;
    }
    out.append('"');
    for (const char c : text) {
        if (c == '"')
            out.append('"');
        out.append(c);
    }
    out.append('"');
}

// Whether a tab-separated field holds a TAB, LF, CR or backslash, which are escaped: one pass
// over the text, for most fields need none and are taken whole.
bool needsTsvEscape(QByteArrayView text)
{
    const char *p = text.data();
    const char *end = p + text.size();
#if defined(__SSE2__)
    // Sixteen bytes at a time: every path of a search's rows goes through here.
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
            _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'))));
        if (_mm_movemask_epi8(hits))
            return true;
    }
#endif
    for (; p < end; ++p) {
        if (*p == '\t' || *p == '\n' || *p == '\r' || *p == '\\')
            return true;
    }
    return false;
}

// A tab-separated field: the characters that would end the field or the line, and the
// backslash that marks them, written as \t, \n, \r and \\.
void appendTsvField(QByteArray &out, QByteArrayView text)
{
    for (const char c : text) {
        switch (c) {
        case '\t': out.append("\\t"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\\': out.append("\\\\"); break;
        default: out.append(c);
        }
    }
}

// A JSON string. Bytes that are not UTF-8 are written as the escapes \udc80 to \udcff, one
// per byte, which decoders that keep such escapes (Python's surrogateescape) turn back into
// the very bytes.
void appendJsonString(QByteArray &out, QByteArrayView text)
{
    out.append('"');
    const QString decoded = decodeFileName(text);
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const char16_t c = decoded[i].unicode();
        if (c == u'"' || c == u'\\') {
            out.append('\\').append(char(c));
        } else if (c < 0x20) {
            out.append(QByteArray("\\u") + QByteArray::number(c, 16).rightJustified(4, '0'));
        } else if (QChar::isHighSurrogate(c) && i + 1 < decoded.size() && decoded[i + 1].isLowSurrogate()) {
            out.append(QStringView(decoded).sliced(i, 2).toUtf8());
            ++i;
        } else if (QChar::isSurrogate(c)) {
            out.append(QByteArray("\\u") + QByteArray::number(c, 16));
        } else {
            out.append(QStringView(decoded).sliced(i, 1).toUtf8());
        }
    }
    out.append('"');
}

} // namespace

QByteArray isoTime(qint64 ns)
{
    if (!fileTimeKnown(ns))
        return {};
    return QDateTime::fromMSecsSinceEpoch(ns / 1000000, Qt::UTC).toString(Qt::ISODate).toLatin1();
}

std::optional<ExportFormat> exportFormatNamed(QStringView name)
{
    if (name == u"tsv")
        return ExportFormat::Tsv;
    if (name == u"csv")
        return ExportFormat::Csv;
    if (name == u"json")
        return ExportFormat::JsonLines;
    return std::nullopt;
}

ResultWriter::ResultWriter(ExportFormat format, bool header, QList<QByteArray> columns, bool facts)
    : m_format(format), m_header(header), m_order{0, 1, 2, 3}, m_columns(std::move(columns))
{
    if (facts && format != ExportFormat::Tsv)
        m_order << ResultTable::kSizeColumn << ResultTable::kModifiedColumn;
    if (m_columns.size() != ResultTable::kColumns) {
        // The result list's columns, with the short keys its JSON form has always had.
        m_columns = {"File Path", "File Type", "Created", "Catalogue File"};
        m_keys = {"path", "type", "created", "catalogue"};
    } else {
        for (const QByteArray &column : m_columns)
            m_keys << column.toLower().replace(' ', "");
    }
    m_columns << "Size" << "Modified";
    m_keys << "size" << "modified";
}

void ResultWriter::setColumnOrder(QList<int> order)
{
    m_order = std::move(order);
}

QByteArray ResultWriter::begin() const
{
    if (!m_header || m_format == ExportFormat::JsonLines)
        return {};
    QByteArray out;
    for (qsizetype i = 0; i < m_order.size(); ++i) {
        if (i > 0)
            out.append(m_format == ExportFormat::Csv ? ',' : '\t');
        out.append(m_columns[m_order[i]]);
    }
    out.append(m_format == ExportFormat::Csv ? "\r\n" : "\n");
    return out;
}

void ResultWriter::appendRow(QByteArray &out, const ResultTable &table, qsizetype row) const
{
    appendRow(out, {table.text(row, 0), table.text(row, 1), table.text(row, 2), table.text(row, 3), table.size(row),
                    table.modifiedNs(row)});
}

// The common row of the tab-separated form: texts only, none needing an escape, written with
// one growth of out.
bool ResultWriter::appendPlainTsv(QByteArray &out, const QByteArrayView (&texts)[ResultTable::kColumns]) const
{
    if (m_order.isEmpty())
        return false;
    qsizetype total = m_order.size(); // the tabs and the line end
    for (const int column : m_order) {
        if (column >= ResultTable::kColumns || needsTsvEscape(texts[column]))
            return false;
        total += texts[column].size();
    }
    const qsizetype start = out.size();
    out.resize(start + total);
    char *p = out.data() + start;
    for (qsizetype i = 0; i < m_order.size(); ++i) {
        if (i > 0)
            *p++ = '\t';
        const QByteArrayView text = texts[m_order[i]];
        if (!text.isEmpty())
            std::memcpy(p, text.data(), size_t(text.size()));
        p += text.size();
    }
    *p = '\n';
    return true;
}

void ResultWriter::appendRow(QByteArray &out, const RowTexts &row) const
{
    const QByteArrayView texts[ResultTable::kColumns] = {row.filePath, row.fileType, row.created, row.catalogueFile};
    if (m_format == ExportFormat::Tsv && appendPlainTsv(out, texts))
        return;
    const bool json = m_format == ExportFormat::JsonLines;
    if (json)
        out.append('{');
    for (qsizetype i = 0; i < m_order.size(); ++i) {
        const int column = m_order[i];
        if (i > 0)
            out.append(m_format == ExportFormat::Tsv ? '\t' : ',');
        if (json)
            out.append('"').append(m_keys[column]).append("\":");
        if (column >= ResultTable::kColumns) {
            // A size or a time, known or not (the size says, and a time beyond what the facts
            // hold is not known): no escapes needed.
            const bool known = row.size >= 0
                               && (column == ResultTable::kSizeColumn || fileTimeKnown(row.modifiedNs));
            const QByteArray fact = !known ? QByteArray()
                                    : column == ResultTable::kSizeColumn ? QByteArray::number(row.size)
                                                                          : isoTime(row.modifiedNs);
            if (json && !known)
                out.append("null");
            else if (json && column == ResultTable::kModifiedColumn)
                out.append('"').append(fact).append('"');
            else
                out.append(fact);
            continue;
        }
        const QByteArrayView text = texts[column];
        switch (m_format) {
        case ExportFormat::Tsv:
            if (needsTsvEscape(text))
                appendTsvField(out, text);
            else
                out.append(text);
            break;
        case ExportFormat::Csv:
            appendCsvField(out, text);
            break;
        case ExportFormat::JsonLines:
            appendJsonString(out, text);
            break;
        }
    }
    out.append(json ? "}\n" : m_format == ExportFormat::Csv ? "\r\n" : "\n");
}

RecordWriter::Field RecordWriter::Field::text(const QString &text)
{
    QByteArray bytes = encodeFileName(text);
    return Field(Kind::Text, bytes, bytes, 0);
}

RecordWriter::RecordWriter(ExportFormat format, QList<QByteArray> keys) : m_format(format), m_keys(std::move(keys)) {}

QByteArray RecordWriter::begin() const
{
    return m_format == ExportFormat::Csv ? m_keys.join(',') + "\r\n" : QByteArray();
}

void RecordWriter::appendRecord(QByteArray &out, std::initializer_list<Field> fields) const
{
    const bool json = m_format == ExportFormat::JsonLines;
    if (json)
        out.append('{');
    qsizetype i = 0;
    for (const Field &field : fields) {
        if (json)
            out.append('"').append(m_keys.value(i)).append("\":");
        const bool known = field.m_kind == Field::Kind::Text || field.m_kind == Field::Kind::Json || field.m_value >= 0;
        const QByteArrayView text = field.bytes();
        if (!known) {
            if (json)
                out.append("null");
        } else if (field.m_kind == Field::Kind::Number) {
            out.append(QByteArray::number(field.m_value));
        } else if (field.m_kind == Field::Kind::Answer) {
            out.append(json ? (field.m_value ? "true" : "false") : (field.m_value ? "yes" : "no"));
        } else if (json && field.m_kind == Field::Kind::Json) {
            out.append(text);
        } else if (json) {
            appendJsonString(out, text);
        } else if (m_format == ExportFormat::Csv) {
            appendCsvField(out, text);
        } else if (needsTsvEscape(text)) {
            appendTsvField(out, text);
        } else {
            out.append(text);
        }
        if (++i < qsizetype(fields.size()))
            out.append(m_format == ExportFormat::Tsv ? '\t' : ',');
    }
    out.append(json ? "}\n" : m_format == ExportFormat::Csv ? "\r\n" : "\n");
}

} // namespace kestrova
