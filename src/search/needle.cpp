#include "needle.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrova {
namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
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
            if (c >= 0xD800 && c < 0xE000)
                continue;
            const QString text = QString::fromUcs4(&c, 1);
            const QString lower = text.toLower();
            if (std::any_of(lower.begin(), lower.end(), [](QChar ch) { return ch.unicode() < 0x80; }))
                found.push_back(text);
        }
    });
    return found;
}

} // namespace

Needle::Needle(const QString &criteria, bool caseSensitive) : m_caseSensitive(caseSensitive)
{
    m_empty = criteria.isEmpty();
    m_impossible = criteria.contains(u'\r') || criteria.contains(u'\n');
    if (m_empty || m_impossible)
        return;
    if (caseSensitive) {
        m_literal = criteria.toUtf8();
        m_foldMask = QByteArray(m_literal.size(), '\0');
    } else {
        m_lowered = criteria.toLower();
        const bool ascii = std::all_of(m_lowered.begin(), m_lowered.end(),
                                       [](QChar c) { return c.unicode() < 0x80; });
        if (!ascii) {
            // Lines matching non-ASCII criteria hold a non-ASCII character: each such line is
            // checked whole.
            m_anyNonAscii = true;
            return;
        }
        m_literal = m_lowered.toLatin1();
        m_foldMask.resize(m_literal.size());
        for (qsizetype i = 0; i < m_literal.size(); ++i)
            m_foldMask[i] = isAsciiLetter(m_literal[i]) ? char(0x20) : char(0);
        for (const QString &special : nonAsciiLoweringToAscii()) {
            const QString lower = special.toLower();
            if (std::any_of(lower.begin(), lower.end(), [&](QChar c) {
                    return c.unicode() < 0x80 && m_lowered.contains(c);
                }))
                m_triggers.push_back(special.toUtf8());
        }
    }
    static const std::array<int, 256> score = byteCommonness();
    int best = 1000;
    for (qsizetype i = 0; i < m_literal.size(); ++i) {
        const int s = score[uchar(m_literal[i])];
        if (s <= best) {
            best = s;
            m_rareIndex = i;
        }
    }
    m_rareFolds = m_foldMask[m_rareIndex] != 0;
}

// The first byte at or after from that equals the rare byte (either case when it folds).
const char *Needle::scanRare(const char *from, const char *end) const
{
    const char target = m_literal[m_rareIndex];
    if (!m_rareFolds) {
        const void *hit = std::memchr(from, target, size_t(end - from));
        return hit ? static_cast<const char *>(hit) : end;
    }
    const char *p = from;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(target);
    const __m128i fold = _mm_set1_epi8(0x20);
    while (end - p >= 32) {
        const __m128i a = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)), fold);
        const __m128i b = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16)), fold);
        const int maskA = _mm_movemask_epi8(_mm_cmpeq_epi8(a, wanted));
        const int maskB = _mm_movemask_epi8(_mm_cmpeq_epi8(b, wanted));
        if (maskA | maskB) {
            if (maskA)
                return p + __builtin_ctz(unsigned(maskA));
            return p + 16 + __builtin_ctz(unsigned(maskB));
        }
        p += 32;
    }
#endif
    for (; p < end; ++p)
        if ((*p | 0x20) == target)
            return p;
    return end;
}

bool Needle::equalsAt(const char *at) const
{
    const char *literal = m_literal.constData();
    const char *mask = m_foldMask.constData();
    for (qsizetype i = 0; i < m_literal.size(); ++i)
        if ((at[i] | mask[i]) != literal[i])
            return false;
    return true;
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
    const qsizetype length = m_literal.size();
    if (end - from < length)
        return end;
    const char *last = end - length; // the last place a match may start
    for (const char *p = from + m_rareIndex; p <= last + m_rareIndex;) {
        const char *rare = scanRare(p, last + m_rareIndex + 1);
        if (rare > last + m_rareIndex)
            return end;
        const char *start = rare - m_rareIndex;
        if (equalsAt(start))
            return start;
        p = rare + 1;
    }
    return end;
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
    for (const QByteArray &trigger : m_triggers) {
        // A trigger that starts before the earliest one found so far may end after it.
        const char *limit = std::min(end, first + trigger.size() - 1);
        const void *hit = memmem(from, size_t(limit - from), trigger.constData(), size_t(trigger.size()));
        if (hit)
            first = static_cast<const char *>(hit);
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
    return QString::fromUtf8(line).toLower().contains(m_lowered);
}

} // namespace kestrova
