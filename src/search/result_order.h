// The rows a search found, held compactly (a million rows stay cheap), and the order of the
// result list: ascending by one column's text without regard to case (texts compare
// case-folded, character by character), rows with equal texts keeping the order in which
// they arrived. The window and the command line both keep their rows here.
#pragma once

#include "search_view.h"

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

    // Puts the rows in the order of column; stable.
    void sortBy(int column);

private:
    struct Row
    {
        const char *texts;                 // the four texts one after the other
        quint32 lengths[kColumns];
    };
    char *reserve(size_t bytes);

    std::vector<Row> m_rows;
    // The texts live in blocks that never move, so sorting moves only the small Row records.
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_blockUsed = 0;
    size_t m_blockSize = 0;
};

} // namespace kestrova
