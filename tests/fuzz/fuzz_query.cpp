// The query language over any text: a query that reads matches every entry as the plain model
// does, and every entry it matches lies on a line that the narrowing text's reading finds.
// Input: the query on the first line, then catalogue file lines (name;type;created).
#include "fuzz_targets.h"

#include "catalogue/catalogue_format.h"
#include "search/needle.h"
#include "search/query_reference.h"
#include "search/query_search.h"

namespace kestrova::fuzz {

int query(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QByteArray> lines = bytes.split('\n');
    const QueryParse parsed = parseQuery(QString::fromUtf8(lines.takeFirst()));
    if (!parsed.query)
        return 0;
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    CreatedDates fastDates(dates);
    CreatedDates plainDates(dates);
    QueryMatcher matcher(*parsed.query, fastDates);
    const QString narrowing = narrowingText(*parsed.query);
    const Needle reading(narrowing, parsed.query->caseSensitive);
    qint64 fileSize = 0;
    for (const QByteArray &line : lines) {
        if (line.contains('\r'))
            continue;
        const auto [name, type, created] = catalogue::entryFields(line);
        const QByteArray path = "/drive/" + name.toByteArray();
        const QueryEntry entry{
            name,        path,    type,     created,
            "drive.txt", "Label", fileSize, (fileSize % 20000) * 86'400'000'000'000};
        fileSize = (fileSize * 3 + 1023) % (qint64(1) << 40);
        const bool matched = matcher.matches(entry);
        if (matched != referenceMatches(*parsed.query, entry, plainDates))
            fail("query", "the matcher differs from the plain model");
        if (matched && !narrowing.isEmpty() && !reading.lineMatches(line))
            fail("query", "a matching entry lies on a line the narrowing text does not find");
    }
    return 0;
}

} // namespace kestrova::fuzz
