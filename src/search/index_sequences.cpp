#include "index_sequences.h"

#include "index_bits.h"
#include "search_index.h"

#include "catalogue/line_bounds.h"

#include <QString>
#include <QtGlobal>

#include <cstring>

namespace kestrova::index_format {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "sequences are read as little-endian words");

void BlockSequences::add(const char *from, const char *to, qint64 offset)
{
    const qsizetype size = to - from;
    if (size >= kSequenceBytes) {
        // Folded first, so that each place costs one load.
        m_folded.resize(size);
        uchar *folded = reinterpret_cast<uchar *>(m_folded.data());
        foldAscii(reinterpret_cast<const uchar *>(from), folded, size);
        quint64 *even = m_bits[0].data();
        quint64 *odd = m_bits[1].data();
        const auto set = [](quint64 *bits, quint32 bucket) { bits[bucket >> 6] |= quint64(1) << (bucket & 63); };
        // Four places at a time, from eight bytes and the four after the sixth (the bytes are
        // taken as little-endian words, as memcpy gives them). When the eight bytes are those
        // of the eight before (a rule line), the first three places are marked already.
        qsizetype i = offset & 1;
        quint64 before = 0;
        for (bool first = true; i + 6 + kSequenceBytes <= size; i += 8, first = false) {
            quint64 word;
            std::memcpy(&word, folded + i, 8);
            if (first || word != before) {
                set(even, bucketOf(quint32(word)));
                set(odd, bucketOf(quint32(word >> 16)));
                set(even, bucketOf(quint32(word >> 32)));
            }
            quint32 last;
            std::memcpy(&last, folded + i + 6, 4);
            set(odd, bucketOf(last));
            before = word;
        }
        for (; i + kSequenceBytes <= size; i += 2) {
            quint32 window;
            std::memcpy(&window, folded + i, 4);
            mark(bucketOf(window));
        }
    }
    const uchar *end = reinterpret_cast<const uchar *>(to);
    // A line with other than ASCII characters is also indexed as the matcher lowers it.
    for (const uchar *q = reinterpret_cast<const uchar *>(from); (q = firstNonAscii(q, end)) < end; ++q) {
        const char *lineStart = reinterpret_cast<const char *>(q);
        while (lineStart > from && !isLineEnd(lineStart[-1]))
            --lineStart;
        const char *lineEnd = findLineEnd(reinterpret_cast<const char *>(q), to);
        const QByteArray lowered = QString::fromUtf8(lineStart, lineEnd - lineStart).toLower().toUtf8();
        for (const quint32 bucket : indexBuckets(lowered, 0, 1))
            mark(bucket);
        q = reinterpret_cast<const uchar *>(lineEnd);
    }
}

void BlockSequences::close(GroupWriter &groups)
{
    groups.addBlock(m_bits[0].data(), m_bits[1].data());
    m_bits[0].fill(0);
    m_bits[1].fill(0);
}

} // namespace kestrova::index_format
