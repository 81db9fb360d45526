#include "index_groups.h"

#include "index_bits.h"

#include "platform/error.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace kestrova::index_format {
namespace {

static_assert(kGroupBlocks == 64, "a group is turned over as one tile");

// Eight words of a block (a cache line) lie together, beside those of the other blocks, so that
// the turn from block rows to bucket rows reads lines whole.
qsizetype wordIndex(qsizetype word, qsizetype block)
{
    return ((word / 8) * kGroupBlocks + block) * 8 + word % 8;
}

} // namespace

void putBytes(QFileDevice &out, QByteArrayView bytes)
{
    if (out.write(bytes.data(), bytes.size()) != bytes.size())
        throw Error(ErrorNumber::DiskFull, out.errorString());
}

void GroupWriter::addBlock(const quint64 *words)
{
    quint64 *group = m_bits.data();
    for (qsizetype word = 0; word < kWordsPerBlock; ++word)
        group[wordIndex(word, m_blocks)] = words[word];
    if (++m_blocks == kGroupBlocks)
        writeGroup();
}

void GroupWriter::flush()
{
    if (m_blocks > 0)
        writeGroup();
}

// The bits of 64 buckets of 64 blocks are turned from block rows to bucket rows at once.
void GroupWriter::writeGroup()
{
    const qint64 rowBytes = rowBytesFor(m_blocks);
    m_rows.resize(qsizetype(kBuckets * rowBytes));
    std::array<quint64, 64> tile;
    for (qsizetype word = 0; word < kWordsPerBlock; ++word) {
        for (int i = 0; i < 64; ++i)
            tile[size_t(i)] = i < m_blocks ? m_bits[size_t(wordIndex(word, i))] : 0;
        transpose64(tile);
        char *rows = m_rows.data() + word * 64 * rowBytes;
        if (rowBytes == 8) { // a full group: a word a row
            for (int bucket = 0; bucket < 64; ++bucket) {
                const quint64 value = qToLittleEndian(tile[size_t(bucket)]);
                std::memcpy(rows + bucket * 8, &value, 8);
            }
            continue;
        }
        for (int bucket = 0; bucket < 64; ++bucket) {
            const quint64 value = qToLittleEndian(tile[size_t(bucket)]);
            std::memcpy(rows + bucket * rowBytes, &value, size_t(rowBytes));
        }
    }
    std::array<quint64, kBuckets / kStripeRows> sums;
    for (quint32 stripe = 0; stripe < kBuckets / kStripeRows; ++stripe)
        sums[stripe] = checksum(m_rows.constData() + stripe * kStripeRows * rowBytes, kStripeRows * rowBytes);
    putBytes(m_out, QByteArrayView(reinterpret_cast<const char *>(sums.data()), qsizetype(sizeof sums)));
    putBytes(m_out, m_rows);
    m_blocks = 0;
}

} // namespace kestrova::index_format
