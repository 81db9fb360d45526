// The file format of a search index, shared by its writer and its reader: a header that
// names the catalogue and the state it was read in, the path, then groups of 64 blocks (a
// checksum per stripe of 64 buckets, then every bucket's row of bits, one bit a block), then
// the block table.
#pragma once

#include "catalogue/catalogue_format.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <cstring>

namespace kestrova::index_format {

inline constexpr char kMagic[8] = {'K', 'S', 'T', 'V', 'I', 'D', 'X', '1'};
inline constexpr quint32 kVersion = 2;
inline constexpr quint32 kReadWhole = 1;      // flag: the catalogue is always read whole
inline constexpr qint64 kBlockBytes = 1 << 16;
inline constexpr qint64 kSmallestIndexed = 512 * 1024;
inline constexpr qsizetype kLongestLine = 512 * 1024;
inline constexpr int kBucketBits = 16;
inline constexpr quint32 kBuckets = 1u << kBucketBits;
inline constexpr int kGroupBlocks = 64;      // blocks whose bits of a bucket lie side by side
inline constexpr int kStripeRows = 64;        // buckets under one checksum
inline constexpr qint64 kGroupChecksumBytes = (kBuckets / kStripeRows) * 8;
inline constexpr qsizetype kWordsPerBlock = kBuckets / 64;
inline constexpr qsizetype kRuleLength = sizeof catalogue::kRule - 1;

struct Header
{
    char magic[8];
    quint32 version;
    quint32 flags;
    qint64 catalogueSize;
    qint64 modifiedNs;
    quint64 inode;
    quint64 device;
    quint32 pathLength;
    quint32 blockCount;
    qint64 finalHeadingOffset;
    qint32 finalHeadingLength;
    quint32 blockBytes;
    quint64 blockTableChecksum;
    quint64 indexSize;
    quint64 reserved[4];
    quint64 headerChecksum; // of the fields above and the path
};
static_assert(sizeof(Header) == 128);

// A checksum that finds damaged bytes, not a guard against someone forging an index.
inline quint64 checksum(const char *data, qsizetype size, quint64 start = 0)
{
    quint64 h = 0x9E3779B97F4A7C15ull ^ start ^ quint64(size);
    for (; size >= 8; data += 8, size -= 8) {
        quint64 word;
        std::memcpy(&word, data, 8);
        h = ((h ^ (word * 0xff51afd7ed558ccdull)) << 29 | (h ^ (word * 0xff51afd7ed558ccdull)) >> 35)
            * 0xc4ceb9fe1a85ec53ull;
    }
    for (; size > 0; ++data, --size)
        h = (h ^ uchar(*data)) * 0x100000001b3ull;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    return h ^ (h >> 33);
}

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

inline quint32 bucketOf(quint32 folded3)
{
    return (folded3 * 0x9E3779B1u) >> (32 - kBucketBits);
}

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
