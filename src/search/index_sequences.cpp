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
    const uchar *bytes = reinterpret_cast<const uchar *>(from);
    if (size >= kSequenceBytes) {
        // Folded first, so that each place costs one load.
        m_folded.resize(size);
        uchar *folded = reinterpret_cast<uchar *>(m_folded.data());
        foldAscii(bytes, folded, size);
        for (qsizetype i = offset & 1; i + kSequenceBytes <= size; i += 2) {
            quint32 window;
            std::memcpy(&window, folded + i, 4);
            mark(bucketOf(window));
        }
    }
    const uchar *end = bytes + size;
    // A line with other than ASCII characters is also indexed as the matcher lowers it.
    for (const uchar *q = bytes; (q = firstNonAscii(q, end)) < end; ++q) {
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
    marksToBits(m_marks.data(), m_words.data(), kWordsPerBlock);
    groups.addBlock(m_words.data());
    m_marks.fill(0);
}

} // namespace kestrova::index_format
