// The groups of a search index as its blocks close: the bucket bits of 64 blocks turned from
// block rows into bucket rows (one bit a block), a checksum per stripe of 64 buckets before
// them, written to the index file as each group fills.
#pragma once

#include "search_index_format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>

#include <vector>

namespace kestrova::index_format {

// Writes bytes to out; raises an Error (disk full) when out takes fewer.
void putBytes(QFileDevice &out, QByteArrayView bytes);

class GroupWriter
{
public:
    explicit GroupWriter(QFileDevice &out) : m_out(out) {}

    // A block's buckets: a bit each, in kWordsPerBlock words.
    void addBlock(const quint64 *words);
    // Writes the group begun, when there is one.
    void flush();

private:
    void writeGroup();

    QFileDevice &m_out;
    std::vector<quint64> m_bits = std::vector<quint64>(size_t(kGroupBlocks * kWordsPerBlock));
    QByteArray m_rows;
    int m_blocks = 0;
};

} // namespace kestrova::index_format
