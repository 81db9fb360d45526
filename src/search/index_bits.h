// The bit work of building a search index, where its time goes: ASCII folded to lower case
// sixteen bytes at a time, the first byte that is not ASCII, and a 64 x 64 bit matrix turned
// over (block rows into bucket rows).
#pragma once

#include "search_index_format.h"

#include <QtGlobal>

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrova::index_format {

// ASCII letters to lower case, sixteen bytes at a time.
inline void foldAscii(const uchar *from, uchar *to, qsizetype size)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit = _mm_set1_epi8(0x20);
    for (; i + 16 <= size; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i));
        // Signed comparisons: bytes from 0x80 up are negative and so never letters.
        const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(bytes, beforeA), _mm_cmplt_epi8(bytes, afterZ));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(to + i), _mm_or_si128(bytes, _mm_and_si128(upper, caseBit)));
    }
#endif
    for (; i < size; ++i)
        to[i] = kFold[from[i]];
}

// Bytes whose high bit marks them to bits, a word for every 64 bytes.
inline void marksToBits(const uchar *marks, quint64 *words, qsizetype count)
{
    for (qsizetype w = 0; w < count; ++w, marks += 64) {
#if defined(__SSE2__)
        quint64 word = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(marks + 16 * part));
            word |= quint64(quint16(_mm_movemask_epi8(bytes))) << (16 * part);
        }
#else
        quint64 word = 0;
        for (int bit = 0; bit < 64; ++bit)
            word |= quint64(marks[bit] >> 7) << bit;
#endif
        words[w] = word;
    }
}

// a[i] bit c becomes a[c] bit i.
inline void transpose64(std::array<quint64, 64> &a)
{
    quint64 mask = 0x00000000FFFFFFFFull;
    for (int j = 32; j; j >>= 1, mask ^= mask << j) {
        for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
            const quint64 t = ((a[size_t(k)] >> j) ^ a[size_t(k | j)]) & mask;
            a[size_t(k | j)] ^= t;
            a[size_t(k)] ^= t << j;
        }
    }
}

// The first byte from 0x80 up in [from, end), or end.
inline const uchar *firstNonAscii(const uchar *from, const uchar *end)
{
#if defined(__SSE2__)
    for (; end - from >= 16; from += 16) {
        const int mask = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(from)));
        if (mask)
            return from + __builtin_ctz(unsigned(mask));
    }
#endif
    while (from < end && *from < 0x80)
        ++from;
    return from;
}

} // namespace kestrova::index_format
