// The block scanner, the heading rule and Tokenize over any bytes, against a line-by-line
// reading of the same bytes.
#include "fuzz_targets.h"

#include "platform/files/posix_file_system.h"
#include "search/catalogue_search.h"
#include "support/recording_search_view.h"
#include "support/reference_search.h"

#include <QFile>
#include <QTemporaryDir>

namespace kestrova::fuzz {

int catalogueSearch(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const bool caseSensitive = data[0] & 0x80;
    const std::size_t length = 1 + (data[0] & 0x03);
    if (size < 1 + length)
        return 0;
    const QString criteria = criteriaFrom(data + 1, length);
    const QByteArray content(reinterpret_cast<const char *>(data + 1 + length), qsizetype(size - 1 - length));

    static QTemporaryDir folder;
    {
        QFile file(folder.filePath(QStringLiteral("c.txt")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            fail("catalogueSearch", "cannot write the catalogue");
    }
    SearchSession session;
    testing::RecordingSearchView view;
    view.criteria = criteria;
    view.caseSensitiveOn = caseSensitive;
    view.sortColumn = 3; // one catalogue: the rows stay in the order found
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    CatalogueSearch search(session, view, dates, [&] { return folder.path(); },
                           [] { return std::make_unique<PosixFileSystem>(); });
    search.cmdSearch_Click();

    const testing::ReferenceResult expected = testing::referenceSearch(content, criteria, caseSensitive);
    if (view.paths() != expected.paths)
        fail("catalogueSearch", "the rows differ from a line-by-line reading");
    if (session.MatchCount != expected.matches)
        fail("catalogueSearch", "the count differs from a line-by-line reading");
    return 0;
}

} // namespace kestrova::fuzz
