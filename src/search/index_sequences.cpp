#include "index_sequences.h"

#include "index_bits.h"
#include "search_index.h"

#include "catalogue/line_bounds.h"

#include <QString>

#include <cstring>

namespace kestrova::index_format {

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
        qsizetype i = offset & 1;
        for (; i + 2 + kSequenceBytes <= size; i += 4) {
            quint32 first, second;
            std::memcpy(&first, folded + i, 4);
            std::memcpy(&second, folded + i + 2, 4);
            const quint32 a = bucketOf(first);
            const quint32 b = bucketOf(second);
            even[a >> 6] |= quint64(1) << (a & 63);
            odd[b >> 6] |= quint64(1) << (b & 63);
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
