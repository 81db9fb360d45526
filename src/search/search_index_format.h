// The file format of a search index, shared by its writer and its reader: a header that
// names the catalogue and the state it was read in, the path, then groups of 64 blocks (a
// checksum per stripe of 64 buckets, then every bucket's row of bits, one bit a block), then
// the block table.
#pragma once

#include "catalogue/catalogue_format.h"
#include "catalogue/content_checksum.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace kestrova::index_format {

inline constexpr char kMagic[8] = {'K', 'S', 'T', 'V', 'I', 'D', 'X', '1'};
inline constexpr quint32 kVersion = 4;
inline constexpr quint32 kReadWhole = 1;       // flag: the catalogue is always read whole
inline constexpr quint32 kContentChecked = 2;  // flag: contentChecksum holds the catalogue's bytes
// Timestamps are kept this coarsely by the coarsest file systems catalogues live on (FAT keeps
// two seconds): a catalogue changed less than this before its index was built may have been
// changed again since without its timestamps showing it.
inline constexpr qint64 kTimestampSlackNs = 2'000'000'000;
inline constexpr int kBucketBits = 15;
inline constexpr quint32 kBuckets = 1u << kBucketBits;
inline constexpr int kGroupBlocks = 64;      // blocks whose bits of a bucket lie side by side
inline constexpr int kStripeRows = 64;        // buckets under one checksum
inline constexpr qint64 kGroupChecksumBytes = (kBuckets / kStripeRows) * 8;
inline constexpr qsizetype kWordsPerBlock = kBuckets / 64;
inline constexpr qsizetype kRuleLength = sizeof catalogue::kRule - 1;

// The sizes an index is built and read with. Tests and the fuzz target choose small ones, so
// that a few kilobytes of catalogue make many blocks and many reads.
struct Sizes
{
    qint64 blockBytes = 44 * 1024;         // a block ends at the first line start from this size on
    qint64 smallestIndexed = 512 * 1024;   // a smaller catalogue is always read whole
    qsizetype longestLine = 512 * 1024;    // a catalogue holding a longer line is read whole
    qsizetype readSize = 1 << 20;          // what the writer reads at once
};

struct Header
{
    char magic[8];
    quint32 version;
    quint32 flags;
    qint64 catalogueSize;
    qint64 modifiedNs;
    qint64 changedNs;
    quint64 inode;
    quint64 device;
    quint32 pathLength;
    quint32 blockCount;
    qint64 finalHeadingOffset;
    qint32 finalHeadingLength;
    quint32 blockBytes;
    quint64 blockTableChecksum;
    quint64 indexSize;
    qint64 builtAtNs;         // when the reading of the catalogue began
    quint64 contentChecksum;  // with kContentChecked: the ContentChecksum of the catalogue
    quint64 reserved[1];
    quint64 headerChecksum; // of the fields above and the path
};
static_assert(sizeof(Header) == 128);

inline quint64 headerChecksum(const Header &header, QByteArrayView path)
{
    return checksum(path.data(), path.size(),
                    checksum(reinterpret_cast<const char *>(&header), offsetof(Header, headerChecksum)));
}

inline constexpr std::array<uchar, 256> foldTable()
{
    std::array<uchar, 256> fold{};
    for (int c = 0; c < 256; ++c)
        fold[c] = uchar(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return fold;
}
inline constexpr std::array<uchar, 256> kFold = foldTable();

// The bucket of a sequence of four folded bytes, the first in the lowest byte.
inline quint32 bucketOf(quint32 folded4)
{
    return (folded4 * 0x9E3779B1u) >> (32 - kBucketBits);
}

// Bytes in a sequence, and the fewest bytes of criteria that have one at an even and at an odd
// place.
inline constexpr qsizetype kSequenceBytes = 4;
inline constexpr qsizetype kShortestNarrowed = kSequenceBytes + 1;

inline qint64 rowBytesFor(qint64 blocks)
{
    return (blocks + 7) / 8;
}

inline qint64 groupBytes(qint64 blocks)
{
    return kGroupChecksumBytes + qint64(kBuckets) * rowBytesFor(blocks);
}

inline qint64 alignedPathLength(qint64 length)
{
    return (length + 7) & ~qint64(7);
}

} // namespace kestrova::index_format
