// The rows of a search as they were found: each row one record (its texts and facts, one after
// another) copied once into blocks that never move, and read back in the order found or by
// position. Nothing is looked up or shared between rows: cheaper than a ResultTable to fill
// when the rows are only handed on or sorted by their own texts (the paths).
#pragma once

#include "result_texts.h"
#include "search_view.h"

#include <vector>

namespace kestrova {

class FoundRows
{
public:
    // marked: a yes-or-no the caller keeps with the row.
    void add(const RowTexts &row, bool marked = false);
    qsizetype size() const { return qsizetype(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }
    // A row's texts, valid until the rows are cleared.
    RowTexts row(qsizetype position) const;
    bool marked(qsizetype position) const;
    // Asks for a row's record to be brought near ahead of its reading (rows read out of the
    // order they were found in lie all over memory).
    void prefetch(qsizetype position) const
    {
        const char *record = m_records[size_t(position)];
        __builtin_prefetch(record);
        __builtin_prefetch(record + 64);
        __builtin_prefetch(record + 128);
    }
    void clear();
    // Empties the rows, keeping memory for the next ones.
    void reuse();

private:
    struct Head
    {
        qint64 size;
        qint64 modifiedNs;
        quint32 lengths[4];
        bool marked;
    };

    TextBlocks m_blocks;
    std::vector<const char *> m_records; // where each row's record begins
};

} // namespace kestrova
