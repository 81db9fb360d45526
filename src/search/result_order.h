// The rows a search found, held compactly (a million rows stay cheap), and the order of the
// result list: ascending by one column's text without regard to case, the way the desktop
// sorts text (the collation of the user's locale; under the C locale, case-folded character
// by character), or by the text's characters alone (the Created column's dates sort as the
// catalogue writes them); rows with equal texts keep the order in which they arrived. The
// window and the command line both keep their rows here.
#pragma once

#include "search_view.h"

#include <QLocale>
#include <QString>

#include <memory>
#include <vector>

namespace kestrova {

class ResultTable
{
public:
    static constexpr int kColumns = 4; // File Path, File Type, Created, Catalogue File

    void append(const RowTexts &row);
    void clear();
    qsizetype size() const { return qsizetype(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }

    // A row's text in a column (0-3), as UTF-8; valid until the table is cleared.
    QByteArrayView text(qsizetype row, int column) const;
    QString string(qsizetype row, int column) const { return QString::fromUtf8(text(row, column)); }
    // The file's size (-1: not known) and last modification (nanoseconds since the epoch).
    qint64 size(qsizetype row) const { return m_rows[size_t(row)].size; }
    qint64 modifiedNs(qsizetype row) const { return m_rows[size_t(row)].modifiedNs; }
    static constexpr int kSizeColumn = 4;     // sorted by size, unknown first
    static constexpr int kModifiedColumn = 5; // sorted by time, unknown first

    enum class Order {
        Collated, // as the locale's collation orders texts, without regard to case
        Text,     // case-folded character by character
    };
    // Puts the rows in the order of column; stable.
    void sortBy(int column, Order order = Order::Collated, const QLocale &locale = QLocale());

private:
    // Sorts entries (the rows' arrival positions) by the collation keys of their texts.
    void sortCollated(int column, const QLocale &locale);
    struct Row
    {
        const char *texts;                 // the four texts one after the other
        quint32 lengths[kColumns];
        qint64 size;
        qint64 modifiedNs;
    };
    void sortByFacts(int column);
    char *reserve(size_t bytes);

    std::vector<Row> m_rows;
    // The texts live in blocks that never move, so sorting moves only the small Row records.
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_blockUsed = 0;
    size_t m_blockSize = 0;
};

} // namespace kestrova
