// Finding the bounds of catalogue lines in a block of bytes: a line ends at CR, LF or CR LF.
// The reader, the search's scan and the search index all cut lines here.
#pragma once

#include <QtGlobal>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrova {

inline bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The first CR or LF in [from, end), or end.
inline const char *findLineEnd(const char *from, const char *end)
{
    const char *p = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        if (mask)
            return p + __builtin_ctz(unsigned(mask));
        p += 16;
    }
#endif
    while (p < end && !isLineEnd(*p))
        ++p;
    return p;
}

// Past the line end at lineEnd (CR LF counts as one), not beyond end.
inline const char *pastLineEnd(const char *lineEnd, const char *end)
{
    if (lineEnd >= end)
        return lineEnd;
    return lineEnd + ((*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n') ? 2 : 1);
}

// The end of the last whole line of data[from, dataEnd), or from when there is none yet; no
// line end lies in [from, searchedTo). A CR last in the data may yet be followed by its LF, so
// it ends no line yet.
inline qsizetype completeLinesEnd(const char *data, qsizetype from, qsizetype searchedTo, qsizetype dataEnd)
{
    for (qsizetype i = dataEnd - 1; i >= searchedTo && i >= from; --i) {
        if (data[i] == '\n')
            return i + 1;
        if (data[i] == '\r' && i + 1 < dataEnd)
            return i + 1;
    }
    return from;
}

} // namespace kestrova
