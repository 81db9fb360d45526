#include "needle.h"

#include "catalogue/line_bounds.h"
#include "platform/files/file_names.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace kestrova {
namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// How common a byte is in catalogue text (higher is more common): the scan starts from the
// criteria's least common byte, so that it stops as rarely as possible.
std::array<int, 256> byteCommonness()
{
    std::array<int, 256> score{};
    score.fill(10);
    for (const char c : QByteArrayView("\r\n ;/.:0123456789"))
        score[uchar(c)] = 100;
    const char *letters = "etaoinsrhldcumfpgwybvkxjqz";
    for (int i = 0; letters[i]; ++i) {
        score[uchar(letters[i])] = 90 - i;
        score[uchar(letters[i] - 'a' + 'A')] = 50 - i;
    }
    for (const char c : QByteArrayView("AMPFT-_="))
        score[uchar(c)] = 80;
    return score;
}

// The characters whose lower case holds ASCII characters (U+0130 gives "i" and a combining
// dot, U+212A KELVIN SIGN gives "k"), found once from Qt's own case tables.
const std::vector<QString> &nonAsciiLoweringToAscii()
{
    static std::vector<QString> found;
    static std::once_flag once;
    std::call_once(once, [] {
        for (char32_t c = 0x80; c < 0x20000; ++c) {
            // Only an upper or title case letter, or one with a lower case of its own, can lower
            // to ASCII; that look is cheap, the whole lowering is done for those few.
            if ((c >= 0xD800 && c < 0xE000)
                || !(QChar::isUpper(c) || QChar::isTitleCase(c) || QChar::toLower(c) != c))
                continue;
            const QString text = QString::fromUcs4(&c, 1);
            const QString lower = text.toLower();
            if (std::any_of(lower.begin(), lower.end(), [](QChar ch) { return ch.unicode() < 0x80; }))
                found.push_back(text);
        }
    });
    return found;
}

// Whether the lower case of a character (piece) can take part in a match of the lowered
// criteria: the two overlap, one running on where the other stops, or one holding the other.
// U+0130 lowers to "i" and a combining dot, so it matters to criteria ending in "i", not to
// every criteria holding one.
bool canOverlap(const QString &piece, const QString &criteria)
{
    if (criteria.contains(piece) || piece.contains(criteria))
        return true;
    for (qsizetype n = 1; n < piece.size(); ++n)
        if (criteria.startsWith(QStringView(piece).right(n)) || criteria.endsWith(QStringView(piece).left(n)))
            return true;
    return false;
}

// Whether text[i] is the escape of a byte that is not UTF-8 (file_names.h): U+DC80..U+DCFF, not
// the second half of a character past U+FFFF.
bool isByteEscapeAt(QStringView text, qsizetype i)
{
    const char16_t unit = text[i].unicode();
    return unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

// The lower case of text, its byte escapes kept as they are: QString::toLower() turns a lone
// surrogate into U+FFFD once it changes a letter, so the text is lowered piece by piece
// between them.
QString foldCase(const QString &text)
{
    QString out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isByteEscapeAt(text, i))
            continue;
        out += text.sliced(start, i - start).toLower();
        out += text[i];
        start = i + 1;
    }
    return start == 0 ? text.toLower() : out + text.sliced(start).toLower();
}

// Whether text holds criteria, both holding byte escapes: an escape matches the same escape
// only (never the second half of a character past U+FFFF), and U+FFFD in criteria matches
// itself or any escape (as names are shown, each byte that is not UTF-8 a U+FFFD).
bool holdsNameText(QStringView text, QStringView criteria)
{
    for (qsizetype start = 0; start + criteria.size() <= text.size(); ++start) {
        qsizetype i = 0;
        for (; i < criteria.size(); ++i) {
            const QChar want = criteria[i];
            const bool escape = isByteEscapeAt(text, start + i);
            if (want == QChar::ReplacementCharacter ? !(escape || text[start + i] == want)
                                                    : text[start + i] != want || escape != isByteEscapeAt(criteria, i))
                break;
        }
        if (i == criteria.size())
            return true;
    }
    return false;
}

} // namespace

BytesFinder::BytesFinder(QByteArray literal, bool foldAsciiCase) : m_literal(std::move(literal))
{
    m_foldMask = QByteArray(m_literal.size(), '\0');
    if (foldAsciiCase)
        for (qsizetype i = 0; i < m_literal.size(); ++i)
            if (isAsciiLetter(m_literal[i]))
                m_foldMask[i] = char(0x20);
    static const std::array<int, 256> score = byteCommonness();
    int best = 1000;
    for (qsizetype i = 0; i < m_literal.size(); ++i) {
        const int s = score[uchar(m_literal[i])];
        if (s <= best) {
            best = s;
            m_first = i;
        }
    }
    // The second byte: the least common of the others, preferring another value.
    m_second = m_first;
    best = 2000;
    for (qsizetype i = 0; i < m_literal.size(); ++i) {
        if (i == m_first)
            continue;
        const int s = score[uchar(m_literal[i])] + (m_literal[i] == m_literal[m_first] ? 500 : 0);
        if (s <= best) {
            best = s;
            m_second = i;
        }
    }
}

bool BytesFinder::equalsAt(const char *at) const
{
    const char *literal = m_literal.constData();
    const char *mask = m_foldMask.constData();
    for (qsizetype i = 0; i < m_literal.size(); ++i)
        if ((at[i] | mask[i]) != literal[i])
            return false;
    return true;
}

#if defined(__x86_64__)
namespace {
const bool kHaveAvx2 = __builtin_cpu_supports("avx2");
const bool kHaveAvx512 = __builtin_cpu_supports("avx512bw");
}

// The pair test over 64 places at once, for processors that have AVX-512 (byte masks).
__attribute__((target("avx512f,avx512bw"))) const char *BytesFinder::findWidest(const char *&from,
                                                                                const char *lastStart) const
{
    // Locals, so that the loop keeps everything in registers.
    const qsizetype first = m_first;
    const qsizetype second = m_second;
    const __m512i wantFirst = _mm512_set1_epi8(m_literal[first]);
    const __m512i wantSecond = _mm512_set1_epi8(m_literal[second]);
    const __m512i foldFirst = _mm512_set1_epi8(m_foldMask[first]);
    const __m512i foldSecond = _mm512_set1_epi8(m_foldMask[second]);
    const char *p = from;
    for (; lastStart - p >= 63; p += 64) {
        const __m512i a = _mm512_or_si512(_mm512_loadu_si512(p + first), foldFirst);
        const __m512i b = _mm512_or_si512(_mm512_loadu_si512(p + second), foldSecond);
        quint64 mask = _mm512_mask_cmpeq_epi8_mask(_mm512_cmpeq_epi8_mask(a, wantFirst), b, wantSecond);
        for (; mask; mask &= mask - 1) {
            const char *start = p + __builtin_ctzll(mask);
            if (equalsAt(start)) {
                from = p;
                return start;
            }
        }
    }
    from = p;
    return nullptr;
}

// The pair test over 32 places at once, for processors that have AVX2. Gives the match, or
// null with p moved to where fewer than 32 places are left.
__attribute__((target("avx2"))) const char *BytesFinder::findWide(const char *&from, const char *lastStart) const
{
    const qsizetype first = m_first;
    const qsizetype second = m_second;
    const __m256i wantFirst = _mm256_set1_epi8(m_literal[first]);
    const __m256i wantSecond = _mm256_set1_epi8(m_literal[second]);
    const __m256i foldFirst = _mm256_set1_epi8(m_foldMask[first]);
    const __m256i foldSecond = _mm256_set1_epi8(m_foldMask[second]);
    const char *p = from;
    for (; lastStart - p >= 31; p += 32) {
        const __m256i a = _mm256_or_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + first)), foldFirst);
        const __m256i b = _mm256_or_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + second)), foldSecond);
        unsigned mask = unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(a, wantFirst), _mm256_cmpeq_epi8(b, wantSecond))));
        for (; mask; mask &= mask - 1) {
            const char *start = p + __builtin_ctz(mask);
            if (equalsAt(start)) {
                from = p;
                return start;
            }
        }
    }
    from = p;
    return nullptr;
}
#endif

const char *BytesFinder::find(const char *from, const char *end) const
{
    const qsizetype length = m_literal.size();
    if (length == 0 || end - from < length)
        return end;
    const char firstByte = m_literal[m_first];
    const char secondByte = m_literal[m_second];
    const char firstFold = m_foldMask[m_first];
    const char secondFold = m_foldMask[m_second];
    if (length == 1 && firstFold == 0) {
        const void *hit = std::memchr(from, firstByte, size_t(end - from));
        return hit ? static_cast<const char *>(hit) : end;
    }
    const char *lastStart = end - length;
    const char *p = from;
#if defined(__x86_64__)
    if (kHaveAvx512)
        if (const char *hit = findWidest(p, lastStart))
            return hit;
    if (kHaveAvx2)
        if (const char *hit = findWide(p, lastStart))
            return hit;
#endif
#if defined(__SSE2__)
    const __m128i wantFirst = _mm_set1_epi8(firstByte);
    const __m128i wantSecond = _mm_set1_epi8(secondByte);
    const __m128i foldFirst = _mm_set1_epi8(firstFold);
    const __m128i foldSecond = _mm_set1_epi8(secondFold);
    while (lastStart - p >= 15) {
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + m_first)), foldFirst);
        const __m128i b =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + m_second)), foldSecond);
        unsigned mask = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(a, wantFirst), _mm_cmpeq_epi8(b, wantSecond))));
        while (mask) {
            const char *start = p + __builtin_ctz(mask);
            if (equalsAt(start))
                return start;
            mask &= mask - 1;
        }
        p += 16;
    }
#endif
    for (; p <= lastStart; ++p)
        if ((p[m_first] | firstFold) == firstByte && (p[m_second] | secondFold) == secondByte
            && equalsAt(p))
            return p;
    return end;
}

Needle::Needle(const QString &criteria, bool caseSensitive) : m_caseSensitive(caseSensitive)
{
    m_empty = criteria.isEmpty();
    m_impossible = criteria.contains(u'\r') || criteria.contains(u'\n');
    if (m_empty || m_impossible)
        return;
    if (caseSensitive) {
        m_literal = BytesFinder(encodeFileName(criteria), false);
        return;
    }
    m_lowered = foldCase(criteria);
    m_hasByteEscapes = std::any_of(criteria.begin(), criteria.end(), [](QChar c) { return c.isLowSurrogate(); });
    m_wildcards = criteria.contains(QChar::ReplacementCharacter);
    const bool ascii = std::all_of(m_lowered.begin(), m_lowered.end(),
                                   [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii) {
        // Lines matching non-ASCII criteria hold a non-ASCII character: each such line is
        // checked whole.
        m_anyNonAscii = true;
        return;
    }
    m_literal = BytesFinder(m_lowered.toLatin1(), true);
    for (const QString &special : nonAsciiLoweringToAscii())
        if (canOverlap(special.toLower(), m_lowered))
            m_triggers.emplace_back(special.toUtf8(), false);
}

const char *Needle::findExact(const char *from, const char *end) const
{
    if (m_impossible || m_anyNonAscii)
        return end;
    if (m_empty) {
        while (from < end && isLineEnd(*from))
            ++from;
        return from;
    }
    return m_literal.find(from, end);
}

const char *Needle::findTrigger(const char *from, const char *end) const
{
    if (m_anyNonAscii) {
        for (const char *p = from; p < end; ++p)
            if (uchar(*p) >= 0x80)
                return p;
        return end;
    }
    const char *first = end;
    for (const BytesFinder &trigger : m_triggers) {
        // A trigger that starts before the earliest one found so far may end after it.
        const char *limit = std::min(end, first + trigger.size() - 1);
        const char *hit = trigger.find(from, limit);
        if (hit < limit)
            first = hit;
    }
    return first;
}

bool Needle::lineMatches(QByteArrayView line) const
{
    if (m_impossible)
        return false;
    if (m_empty)
        return !line.isEmpty();
    if (m_caseSensitive || !needsTriggers())
        return findExact(line.begin(), line.end()) != line.end();
    // Criteria that name bytes which are not UTF-8 (given on a command line), or stand for any
    // of them (U+FFFD), see such bytes of the line one by one, each as itself.
    if (m_hasByteEscapes || m_wildcards)
        return holdsNameText(foldCase(decodeFileName(line)), m_lowered);
    return QString::fromUtf8(line).toLower().contains(m_lowered);
}

} // namespace kestrova
