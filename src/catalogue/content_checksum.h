// Checksums of bytes kept beside catalogues (the search index, the drive facts): one of a
// piece of bytes, and one of a whole catalogue fed in pieces of any size as it is read or
// written. They find damaged or changed bytes; they are no guard against forgery.
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstring>

namespace kestrova {

// checksum() of bytes fed in pieces, for bytes too many to hold at once: every piece but the
// last a multiple of eight bytes long, and size the length of them all.
class PieceChecksum
{
public:
    explicit PieceChecksum(qsizetype size, quint64 start = 0) : m_h(0x9E3779B97F4A7C15ull ^ start ^ quint64(size)) {}

    void add(const char *data, qsizetype size)
    {
        quint64 h = m_h;
        for (; size >= 8; data += 8, size -= 8) {
            quint64 word;
            std::memcpy(&word, data, 8);
            h = ((h ^ (word * 0xff51afd7ed558ccdull)) << 29 | (h ^ (word * 0xff51afd7ed558ccdull)) >> 35)
                * 0xc4ceb9fe1a85ec53ull;
        }
        for (; size > 0; ++data, --size)
            h = (h ^ uchar(*data)) * 0x100000001b3ull;
        m_h = h;
    }

    quint64 value() const
    {
        quint64 h = m_h ^ (m_h >> 33);
        h *= 0xff51afd7ed558ccdull;
        return h ^ (h >> 33);
    }

private:
    quint64 m_h;
};

// A checksum that finds damaged bytes, not a guard against someone forging a file.
inline quint64 checksum(const char *data, qsizetype size, quint64 start = 0)
{
    PieceChecksum sum(size, start);
    sum.add(data, size);
    return sum.value();
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

} // namespace kestrova
