// The criteria matcher against a plain search over case-lowered text (bytes that are not UTF-8
// in line and criteria standing for themselves, or matched by U+FFFD): for every line, the
// full test agrees; and every place the fast finders report lies in a line that matches, or
// (for a trigger) in any line, while no matching line is missed by both.
#include "fuzz_targets.h"

#include "platform/files/file_names.h"
#include "search/needle.h"
#include "support/reference_search.h"

namespace kestrova::fuzz {

int needle(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const bool caseSensitive = data[0] & 0x80;
    const std::size_t length = 1 + (data[0] & 0x07);
    if (size < 1 + length)
        return 0;
    const QByteArrayView criteriaBytes(data + 1, qsizetype(length));
    // Case-sensitive criteria are valid UTF-8 here (their bytes are matched as bytes, also inside
    // a character); case-insensitive ones may name bytes that are not UTF-8, or U+FFFD.
    const QString criteria = caseSensitive ? QString::fromUtf8(criteriaBytes) : decodeFileName(criteriaBytes);
    if ((caseSensitive && criteria.contains(QChar::ReplacementCharacter)) || criteria.contains(u'\r')
        || criteria.contains(u'\n'))
        return 0;
    const QByteArray text(reinterpret_cast<const char *>(data + 1 + length), qsizetype(size - 1 - length));
    // The reference marks bytes that are not UTF-8 as U+F0080..U+F00FF: input holding those
    // characters themselves is left to other inputs.
    const QByteArrayView whole(data, qsizetype(size));
    if (whole.contains("\xf3\xb0\x82") || whole.contains("\xf3\xb0\x83"))
        return 0;
    const Needle matcher(criteria, caseSensitive);

    for (const QByteArray &line : testing::referenceLines(text)) {
        const bool expected = testing::referenceHolds(line, criteria, caseSensitive);
        if (matcher.lineMatches(line) != expected)
            fail("needle", "lineMatches differs from a search of the lowered text");
        const char *begin = line.constData();
        const char *end = begin + line.size();
        const bool exact = matcher.findExact(begin, end) != end;
        const bool trigger = matcher.needsTriggers() && matcher.findTrigger(begin, end) != end;
        if (exact && !expected)
            fail("needle", "findExact reported a line that does not match");
        if (expected && !exact && !trigger)
            fail("needle", "a matching line was seen by neither finder");
    }
    return 0;
}

} // namespace kestrova::fuzz
