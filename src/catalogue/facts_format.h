// The file format of a catalogue's facts (docs/facts-format.md), shared by its writer and its
// reader: a header that binds the facts to the catalogue's bytes, the files' facts in blocks of
// 64 entries (each block a run of variable-length numbers with a checksum), the run's facts as
// text, and a table of the blocks.
#pragma once

#include "content_checksum.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <chrono>
#include <cstddef>

namespace kestrova::facts_format {

inline constexpr char kMagic[8] = {'K', 'S', 'T', 'V', 'F', 'C', 'T', '1'};
inline constexpr quint32 kVersion = 1;
inline constexpr quint32 kBlockEntries = 64;
inline constexpr quint32 kLongestRunText = 64 * 1024;
// A varint is at most ten bytes and at least one; an entry holds three.
inline constexpr qint64 kLongestEntry = 30;
inline constexpr qint64 kShortestEntry = 3;
// The shortest file line: "a;;" and its line end.
inline constexpr qint64 kShortestLine = 5;

struct Header
{
    char magic[8];
    quint32 version;
    quint32 blockEntries;
    quint64 entryCount;
    quint64 blockCount;
    quint64 catalogueSize;
    quint64 catalogueChecksum; // ContentChecksum of the catalogue's bytes
    qint64 catalogueModifiedNs; // the catalogue as it was when its bytes were last found these
    qint64 catalogueChangedNs;
    quint64 catalogueInode;
    quint64 catalogueDevice;
    qint64 checkedAtNs;        // when that was
    quint32 runBytes;
    quint32 reserved0;
    quint64 runOffset;         // the run's facts, after the blocks
    quint64 tableOffset;       // right after the run's facts
    quint64 reserved1;
    quint64 headerChecksum;    // of the fields above, the run text and the block table
};
static_assert(sizeof(Header) == 128);

struct BlockEntry
{
    qint64 firstLineOffset; // the catalogue offset the first entry's offset counts from
    quint64 dataOffset;
    quint32 dataBytes;
    quint32 entries;
    quint64 dataChecksum;
};
static_assert(sizeof(BlockEntry) == 32);

// Writes value's varint at out (at most ten bytes); returns where the next one goes.
inline char *putVarint(char *out, quint64 value)
{
    while (value >= 0x80) {
        *out++ = char(value | 0x80);
        value >>= 7;
    }
    *out++ = char(value);
    return out;
}

// The next varint at p, or false past end or at more than ten bytes.
inline bool readVarint(const uchar *&p, const uchar *end, quint64 &value)
{
    value = 0;
    for (int shift = 0; shift < 70 && p < end; shift += 7) {
        const uchar byte = *p++;
        value |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

inline quint64 zigzag(qint64 value)
{
    return (quint64(value) << 1) ^ quint64(value >> 63);
}

inline qint64 unzigzag(quint64 value)
{
    return qint64(value >> 1) ^ -qint64(value & 1);
}

// The header checksum before the block table: the table's bytes are summed from it
// (PieceChecksum, the table's length given).
inline quint64 headerChecksumStart(const Header &header, QByteArrayView runText)
{
    const quint64 start = checksum(reinterpret_cast<const char *>(&header), offsetof(Header, headerChecksum));
    return checksum(runText.data(), runText.size(), start);
}

inline quint64 headerChecksum(const Header &header, QByteArrayView runText, QByteArrayView table)
{
    return checksum(table.data(), table.size(), headerChecksumStart(header, runText));
}

// Whether the table's entry of the index-th block fits the header's sizes: its entries, and
// its bytes between the header and the run's text, no more than its entries can need.
inline bool blockFits(const BlockEntry &block, quint64 index, const Header &header)
{
    const quint64 expected = index + 1 < header.blockCount ? kBlockEntries : header.entryCount - index * kBlockEntries;
    return block.firstLineOffset >= 0 && quint64(block.firstLineOffset) < header.catalogueSize
           && block.entries == expected && block.dataOffset >= sizeof(Header) && block.dataOffset <= header.runOffset
           && block.dataBytes <= header.runOffset - block.dataOffset && block.dataBytes <= expected * kLongestEntry
           && block.dataBytes >= expected * kShortestEntry;
}

// The wall clock in nanoseconds since the epoch, as file times count.
inline qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace kestrova::facts_format
