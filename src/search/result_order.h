// The rows a search found, held compactly (a million rows stay cheap), and the order of the
// result list: ascending by one column's text without regard to case, the way the desktop
// sorts text (the collation of the user's locale; under the C locale, case-folded character
// by character), or by the text's characters alone (the Created column's dates sort as the
// catalogue writes them); rows with equal texts keep the order in which they arrived. The
// window and the command line both keep their rows here.
#pragma once

#include "result_texts.h"
#include "search_view.h"
#include "text_order.h"

#include <QLocale>
#include <QString>

#include <deque>
#include <vector>

namespace kestrova {

class ResultTable
{
public:
    static constexpr int kColumns = 4; // File Path, File Type, Created, Catalogue File

    // pathColumn: the column whose texts are each row's own (the file's path); the texts of
    // the other columns repeat from row to row and are kept once each.
    explicit ResultTable(int pathColumn = 0) : m_pathColumn(pathColumn) {}
    // Changes the path column; the table must be empty.
    void setPathColumn(int column);

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
    static constexpr int kRepeating = kColumns - 1;
    struct Row
    {
        const char *path;
        quint32 pathLength;
        quint32 texts[kRepeating]; // the other columns' texts, as numbers in their dictionaries
        qint64 size;
        qint64 modifiedNs;
    };
    // Where a column other than the path's keeps its numbers and texts.
    int repeatingIndex(int column) const { return column < m_pathColumn ? column : column - 1; }
    std::vector<quint32> orderByFacts(int column) const;
    std::vector<quint32> orderByRepeatingText(int column, bool collated, const QLocale &locale) const;
    void moveRows(std::vector<quint32> &order);

    int m_pathColumn;
    // Rows in blocks that never move: a million of them grow without being copied.
    std::deque<Row> m_rows;
    TextBlocks m_paths;
    TextDictionary m_repeating[kRepeating];
};

// The order of count texts as the result list puts a column of them (equal texts keep the order
// of their positions): the rule every column of texts follows in ResultTable::sortBy, for rows
// kept elsewhere.
std::vector<quint32> orderOfTexts(quint32 count, const text_order::TextAt &textAt, ResultTable::Order order,
                                  const QLocale &locale = QLocale());

} // namespace kestrova
