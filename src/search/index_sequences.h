// The four-byte sequences of the block of a catalogue being indexed, as the bits of their
// buckets: those starting at an even offset of the file, letters folded to lower case, and
// every sequence of a line with other than ASCII characters as the matcher lowers it.
#pragma once

#include "index_groups.h"
#include "search_index_format.h"

#include <QByteArray>

#include <array>

namespace kestrova::index_format {

class BlockSequences
{
public:
    // The sequences of [from, to), whole lines of the block; offset: from's in the file.
    void add(const char *from, const char *to, qint64 offset);
    // The block's buckets go to groups, and the next block starts empty.
    void close(GroupWriter &groups);

private:
    void mark(quint32 bucket) { m_bits[0][bucket >> 6] |= quint64(1) << (bucket & 63); }

    // Two bitmaps taken in turn, so that one place's update need not wait for the last.
    std::array<std::array<quint64, kWordsPerBlock>, 2> m_bits{};
    QByteArray m_folded;
};

} // namespace kestrova::index_format
