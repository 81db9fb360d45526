#include "query_search.h"

#include "parallel_search.h"

#include "catalogue/catalogue_format.h"

#include "platform/files/file_names.h"

#include <QScopeGuard>

#include <new>

namespace kestrova {
namespace {

// Every entry line holds the separator of its fields: the criteria that read them all.
const QString kEveryEntry = QString(QLatin1Char(catalogue::kFieldSeparator));

QString requiredText(const QueryTerm &term)
{
    switch (term.kind) {
    case QueryTerm::Kind::Name:
    case QueryTerm::Kind::Type:
        return term.text;
    case QueryTerm::Kind::Wildcard: {
        QString longest;
        for (const QString &part :
             term.text.split(QRegularExpression(QStringLiteral("[*?]")), Qt::SkipEmptyParts)) {
            if (part.size() > longest.size())
                longest = part;
        }
        return longest;
    }
    case QueryTerm::Kind::Ext:
        return term.extensions.size() == 1 ? u'.' + term.extensions.front() : QString();
    case QueryTerm::Kind::All: {
        QString longest;
        for (const QueryTerm &child : term.children) {
            if (const QString text = requiredText(child); text.size() > longest.size())
                longest = text;
        }
        return longest;
    }
    default:
        return {};
    }
}

} // namespace

QString narrowingText(const Query &query)
{
    return requiredText(query.root);
}

QuerySearch::QuerySearch(SearchView &view, const DateConventions &dates,
                         std::function<std::unique_ptr<FileSystem>()> makeFileSystem)
    : m_view(view), m_dates(dates), m_makeFileSystem(std::move(makeFileSystem)), m_created(dates)
{
}

QuerySearch::~QuerySearch() = default;

SearchOutcome QuerySearch::run(const Query &query, const QString &folder)
{
    if (m_session.running)
        return SearchOutcome::Refused;
    m_session.running = true;
    const auto done = qScopeGuard([this] { m_session.running = false; });
    // Each run stands alone: no folder carries over from the run before.
    m_session.CurrentFolder.clear();
    m_session.headingsTaken = 0;
    m_session.MatchCount = 0;
    m_session.StopRequested = false;
    m_matcher = std::make_unique<QueryMatcher>(query, m_created);
    m_narrowing = narrowingText(query);
    if (m_narrowing.isEmpty())
        m_narrowing = kEveryEntry;
    m_hits = 0;
    m_cataloguesRead = 0;
    m_runs.reset(folder);
    m_created.readCataloguesIn(folder);
    if (!m_search) {
        SearchView &reading = *this;
        m_search = std::make_unique<CatalogueSearch>(
            m_session, reading, m_dates, [] { return QString(); },
            [] { return std::unique_ptr<FileSystem>(); });
        m_search->setIndex(m_index);
    }
    SearchOutcome outcome = SearchOutcome::Completed;
    try {
        m_view.setSorted(false);
        m_view.clearRows();
        m_view.setIndicatorCaption(searchingCaption());
        m_view.setCountText(QString());
        outcome = readFolder(folder);
        m_view.setIndicatorCaption(m_session.StopRequested ? stoppedCaption() : finishedCaption());
        m_view.setSorted(true);
    } catch (const Error &error) {
        m_view.inform(error.description());
    }
    return outcome;
}

SearchOutcome QuerySearch::readFolder(const QString &folderPath)
{
    try {
        m_view.yield();
        if (m_session.StopRequested)
            return SearchOutcome::Completed;
        if (!m_fileSystem)
            m_fileSystem = m_makeFileSystem();
        const std::unique_ptr<Folder> folder = m_fileSystem->GetFolder(encodeFileName(folderPath));
        const QByteArray path = folder->Path();
        if (m_threads > 1 && folder->Files().size() > 1) {
            searchInParallel(m_session, *this, m_dates.locale(), m_index, path, folder->Files(),
                             m_threads);
            m_cataloguesRead = int(folder->Files().size());
            return SearchOutcome::Completed;
        }
        for (const QByteArray &name : folder->Files()) {
            if (m_session.StopRequested)
                break;
            m_search->searchOneCatalogue(joinPath(path, name), name, m_matcher->caseSensitive());
            if (!m_session.StopRequested)
                ++m_cataloguesRead;
        }
    } catch (const Error &error) {
        m_view.folderFailed(folderPath, error);
        return SearchOutcome::FolderFailed;
    } catch (const std::bad_alloc &) {
        m_view.folderFailed(folderPath, outOfMemoryError());
        return SearchOutcome::FolderFailed;
    }
    return SearchOutcome::Completed;
}

void QuerySearch::appendRow(const RowTexts &row)
{
    QueryEntry entry;
    entry.path = row.filePath;
    entry.name = row.filePath.sliced(row.filePath.lastIndexOf('/') + 1);
    entry.type = row.fileType;
    entry.created = row.created;
    entry.catalogue = row.catalogueFile;
    entry.size = row.size;
    entry.modifiedNs = row.modifiedNs;
    QByteArray label;
    if (m_matcher->needsDriveLabel()) {
        label = m_runs.of(decodeFileName(row.catalogueFile)).label.toUtf8();
        entry.driveLabel = label;
    }
    if (!m_matcher->matches(entry))
        return;
    m_view.appendRow(row);
    ++m_hits;
    m_view.setCountText(QString::number(m_hits));
}

} // namespace kestrova
