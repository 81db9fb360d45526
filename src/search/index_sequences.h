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
    // A byte a bucket rather than a bit: marking one is a store, with no load to wait for.
    void mark(quint32 bucket) { m_marks[bucket] = kMarked; }

    static constexpr uchar kMarked = 0x80; // the byte's high bit, as a movemask gathers them
    alignas(64) std::array<uchar, kBuckets> m_marks{};
    std::array<quint64, kWordsPerBlock> m_words{};
    QByteArray m_folded;
};

} // namespace kestrova::index_format
