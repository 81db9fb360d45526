// The hits written out for other programs: tab-separated text (kestrova-cli's default), CSV
// (RFC 4180) and JSON Lines. One writer for the search window's Export Results and for
// kestrova-cli search --format, so both write the same bytes for the same rows.
#pragma once

#include "result_order.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace kestrova {

enum class ExportFormat {
    Tsv,       // the four columns joined by TAB, one row a line, LF; a TAB, LF, CR or
               // backslash inside a field written as \t, \n, \r or a doubled backslash
    Csv,       // comma-separated, quoted where needed, a header row, CR LF
    JsonLines, // one object a line: {"path", "type", "created", "catalogue"}
};

// A modification time (nanoseconds since the epoch) as every form writes it: ISO 8601, UTC, to
// the second; empty when it is not known (fileTimeKnown).
QByteArray isoTime(qint64 ns);

// "tsv", "csv" or "json"; nothing for any other name.
std::optional<ExportFormat> exportFormatNamed(QStringView name);

class ResultWriter
{
public:
    // header: whether the CSV and tab-separated forms begin with the column names (the JSON
    // form has none). columns: the four columns' names (the JSON keys are the names in lower
    // case, blanks taken out); by default the result list's. facts: whether the CSV and JSON
    // forms add each file's size and modification time (Size, Modified; size, modified): the
    // size in bytes, the time in ISO 8601 (UTC), both empty (JSON null) when not known. The
    // tab-separated form never does.
    ResultWriter(ExportFormat format, bool header, QList<QByteArray> columns = {}, bool facts = false);
    // Writes these columns, in this order, in every form (a list's shown columns): 0-3 the
    // texts, ResultTable::kSizeColumn the size in bytes, kModifiedColumn the time in ISO 8601.
    void setColumnOrder(QList<int> order);

    // What comes before the rows (empty when nothing does).
    QByteArray begin() const;
    // Appends one row of table to out.
    void appendRow(QByteArray &out, const ResultTable &table, qsizetype row) const;
    // Appends one row as a search hands it over (not kept in a table).
    void appendRow(QByteArray &out, const RowTexts &row) const;

private:
    bool appendPlainTsv(QByteArray &out, const QByteArrayView (&texts)[ResultTable::kColumns]) const;

    ExportFormat m_format;
    bool m_header;
    QList<int> m_order; // the columns written, in order
    QList<QByteArray> m_columns;
    QList<QByteArray> m_keys;
};

// A row of any other table the programs write out (the drives, the copies report): named fields
// of text, numbers and yes-or-no answers, with the escapes of the result writer. A number or an
// answer not known is written empty (JSON null). The tab-separated form has no header row.
class RecordWriter
{
public:
    class Field
    {
    public:
        // A text is taken as a view: the field is meant for the record it is written in.
        static Field text(QByteArrayView text) { return Field(Kind::Text, text, {}, 0); }
        static Field text(const QByteArray &text) { return Field(Kind::Text, text, {}, 0); }
        // A text that travels as a QString (a catalogue's file name, a label) goes out as the bytes
        // it stands for: the escapes of bytes that are not UTF-8 become those bytes again, as
        // every name does in every writer.
        static Field text(const QString &text);
        static Field number(qint64 value) { return Field(Kind::Number, {}, {}, value); } // negative: not known
        static Field answer(std::optional<bool> value) { return Field(Kind::Answer, {}, {}, value ? *value : -1); }
        // Nothing: empty (JSON null).
        static Field none() { return Field(Kind::Number, {}, {}, -1); }
        // A JSON value written as it is in the JSON form (an object of another writer); written
        // as a text in the others.
        static Field json(QByteArray value) { return Field(Kind::Json, {}, std::move(value), 0); }

    private:
        friend class RecordWriter;
        enum class Kind { Text, Number, Answer, Json };
        Field(Kind kind, QByteArrayView view, QByteArray owned, qint64 value)
            : m_kind(kind), m_view(view), m_owned(std::move(owned)), m_value(value)
        {
        }
        QByteArrayView bytes() const { return m_owned.isNull() ? m_view : QByteArrayView(m_owned); }
        Kind m_kind;
        QByteArrayView m_view;
        QByteArray m_owned; // a text converted from a QString
        qint64 m_value;
    };

    // keys: the columns' names, as the CSV header and the JSON keys give them.
    RecordWriter(ExportFormat format, QList<QByteArray> keys);

    QByteArray begin() const;
    void appendRecord(QByteArray &out, std::initializer_list<Field> fields) const;

private:
    ExportFormat m_format;
    QList<QByteArray> m_keys;
};

} // namespace kestrova
