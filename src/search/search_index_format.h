// The file format of a search index, shared by its writer and its reader: a header that
// names the catalogue and the state it was read in, the path, then groups of 64 blocks (a
// checksum per stripe of 64 buckets, then every bucket's row of bits, one bit a block), then
// the block table.
#pragma once

#include "catalogue/catalogue_format.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace kestrova::index_format {

inline constexpr char kMagic[8] = {'K', 'S', 'T', 'V', 'I', 'D', 'X', '1'};
inline constexpr quint32 kVersion = 3;
inline constexpr quint32 kReadWhole = 1;       // flag: the catalogue is always read whole
inline constexpr quint32 kContentChecked = 2;  // flag: contentChecksum holds the catalogue's bytes
// Timestamps are kept this coarsely by the coarsest file systems catalogues live on (FAT keeps
// two seconds): a catalogue changed less than this before its index was built may have been
// changed again since without its timestamps showing it.
inline constexpr qint64 kTimestampSlackNs = 2'000'000'000;
inline constexpr int kBucketBits = 16;
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
    qint64 blockBytes = 1 << 16;           // a block ends at the first line start from this size on
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

// A checksum of a whole catalogue, fed its bytes in pieces of any size: four lanes of eight
// bytes each, so that it keeps pace with reading the file.
class ContentChecksum
{
public:
    void add(const char *data, qsizetype size)
    {
        m_total += quint64(size);
        if (m_carried > 0) {
            const qsizetype taken = std::min<qsizetype>(size, kStripe - m_carried);
            std::memcpy(m_carry + m_carried, data, size_t(taken));
            m_carried += taken;
            data += taken;
            size -= taken;
            if (m_carried < kStripe)
                return;
            stripe(m_carry);
            m_carried = 0;
        }
        for (; size >= kStripe; data += kStripe, size -= kStripe)
            stripe(data);
        std::memcpy(m_carry, data, size_t(size));
        m_carried = size;
    }

    quint64 value() const
    {
        quint64 h = m_total;
        for (const quint64 lane : m_lanes)
            h = round(h ^ lane, lane);
        return checksum(m_carry, m_carried, h);
    }

private:
    static constexpr qsizetype kStripe = 32;
    static quint64 round(quint64 lane, quint64 word)
    {
        lane += word * 0xC2B2AE3D27D4EB4Full;
        return (lane << 31 | lane >> 33) * 0x9E3779B185EBCA87ull;
    }
    void stripe(const char *data)
    {
        for (int i = 0; i < 4; ++i) {
            quint64 word;
            std::memcpy(&word, data + 8 * i, 8);
            m_lanes[size_t(i)] = round(m_lanes[size_t(i)], word);
        }
    }

    std::array<quint64, 4> m_lanes = {0x60EA27EEADC0B5D6ull, 0xC2B2AE3D27D4EB4Full, 0, 0x61C8864E7A143579ull};
    char m_carry[kStripe];
    qsizetype m_carried = 0;
    quint64 m_total = 0;
};

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
