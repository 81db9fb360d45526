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

    // What comes before the rows (empty when nothing does).
    QByteArray begin() const;
    // Appends one row of table to out.
    void appendRow(QByteArray &out, const ResultTable &table, qsizetype row) const;

private:
    ExportFormat m_format;
    bool m_header;
    bool m_facts;
    QList<QByteArray> m_columns;
    QList<QByteArray> m_keys;
};

} // namespace kestrova
