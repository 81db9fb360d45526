// The search index over any bytes, built with small sizes so that a few kilobytes make many
// blocks and many reads: the parts its plan names, read with the heading it gives, must give
// what reading the file whole gives, and what a line-by-line reading gives.
#include "fuzz_targets.h"

#include "platform/files/posix_file_system.h"
#include "search/catalogue_scan.h"
#include "search/catalogue_search.h"
#include "search/search_index.h"
#include "support/recording_search_view.h"
#include "support/reference_search.h"

#include <QFile>
#include <QTemporaryDir>

namespace kestrova::fuzz {
namespace {


struct Reading
{
    QStringList paths;
    qint64 matches = 0;
    QByteArray lastFolder;
};

Reading scan(const QByteArray &path, const QString &criteria, bool caseSensitive, const ScanPlan *plan)
{
    SearchSession session;
    testing::RecordingSearchView view;
    view.criteria = criteria;
    view.caseSensitiveOn = caseSensitive;
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    CatalogueSearch search(session, view, dates, [] { return QString(); },
                           [] { return std::unique_ptr<FileSystem>(); });
    FileReader file(path);
    scanCatalogue(search, session, view, file, criteria, caseSensitive, plan);
    return {view.paths(), session.MatchCount, session.CurrentFolder};
}

} // namespace

int searchIndex(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const bool caseSensitive = data[0] & 0x80;
    const std::size_t length = 2 + (data[0] & 0x07);
    index_format::Sizes sizes;
    sizes.blockBytes = 8 + (data[1] & 0x3f) * 4;
    sizes.readSize = qsizetype(sizes.blockBytes) / 2 + 1 + ((data[1] >> 6) * 97);
    sizes.longestLine = data[2] & 1 ? 96 : 4096;
    sizes.smallestIndexed = 0;
    if (size < 3 + length)
        return 0;
    const QString criteria = criteriaFrom(data + 3, length);
    const QByteArray content(reinterpret_cast<const char *>(data + 3 + length), qsizetype(size - 3 - length));

    static QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("c.txt")));
    const QByteArray indexPath = QFile::encodeName(folder.filePath(QStringLiteral("c.index")));
    {
        QFile file(QFile::decodeName(path));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            fail("searchIndex", "cannot write the catalogue");
    }
    {
        FileReader catalogue(path);
        QFile out(QFile::decodeName(indexPath));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || !writeSearchIndex(catalogue, path, out, nullptr, sizes))
            fail("searchIndex", "cannot write the index");
    }
    const Reading whole = scan(path, criteria, caseSensitive, nullptr);
    const testing::ReferenceResult expected = testing::referenceSearch(content, criteria, caseSensitive);
    if (whole.paths != expected.paths || whole.matches != expected.matches)
        fail("searchIndex", "reading whole differs from a line-by-line reading");

    const FileReader catalogue(path);
    const std::unique_ptr<SearchIndex> index = SearchIndex::open(indexPath, path, catalogue, sizes);
    if (!index)
        fail("searchIndex", "the index just written does not open");
    ScanPlan plan;
    if (index->plan(criteria, caseSensitive, plan) != SearchIndex::Plan::Narrowed)
        return 0;
    const Reading planned = scan(path, criteria, caseSensitive, &plan);
    if (planned.paths != whole.paths || planned.matches != whole.matches)
        fail("searchIndex", "the parts the index names give other hits than the whole file");
    if (planned.lastFolder != whole.lastFolder)
        fail("searchIndex", "the parts the index names end in another folder than the whole file");
    return 0;
}

} // namespace kestrova::fuzz
