#include "catalogue_search.h"

#include "catalogue_scan.h"
#include "index_cache.h"
#include "parallel_search.h"

#include "catalogue/catalogue_dates.h"
#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_format.h"
#include "platform/files/file_names.h"

#include <QScopeGuard>

#include <new>

namespace kestrova {

CatalogueSearch::CatalogueSearch(SearchSession &session, SearchView &view,
                                 const DateConventions &dates, std::function<QString()> currentPath,
                                 std::function<std::unique_ptr<FileSystem>()> makeFileSystem)
    : m_session(session), m_view(view), m_dates(dates), m_currentPath(std::move(currentPath)),
      m_makeFileSystem(std::move(makeFileSystem))
{
}

CatalogueSearch::~CatalogueSearch() = default;

SearchOutcome CatalogueSearch::cmdSearch_Click()
{
    // The search yields to the window's events, where Search can be clicked again; the
    // running search goes on undisturbed.
    if (m_session.running)
        return SearchOutcome::Refused;
    m_session.running = true;
    const auto done = qScopeGuard([this] { m_session.running = false; });
    SearchOutcome outcome = SearchOutcome::Completed;
    try {
        m_view.setSorted(false);
        m_view.clearRows();
        m_session.StopRequested = false;
        m_view.setIndicatorCaption(searchingCaption());
        m_view.setCountText(QString());
        m_session.MatchCount = 0;
        outcome = search();
        m_view.setIndicatorCaption(finishedCaption());
        m_view.setSorted(true);
    } catch (const Error &error) {
        m_view.inform(error.description());
    }
    return outcome;
}

void CatalogueSearch::cmdStop_Click()
{
    m_session.StopRequested = true;
    m_view.setIndicatorCaption(stoppedCaption());
}

SearchOutcome CatalogueSearch::search()
{
    try {
        m_view.yield();
        if (!m_fileSystem)
            m_fileSystem = m_makeFileSystem();
        const std::unique_ptr<Folder> folder =
            m_fileSystem->GetFolder(encodeFileName(m_currentPath()));
        // Each catalogue is opened in the folder being listed, even when the user picks
        // another folder while the search runs.
        const QByteArray folderPath = folder->Path();
        if (m_threads > 1 && folder->Files().size() > 1) {
            searchInParallel(m_session, m_view, m_dates.locale(), m_index, folderPath, folder->Files(),
                             m_threads);
            return SearchOutcome::Completed;
        }
        for (const QByteArray &name : folder->Files()) {
            if (m_session.StopRequested)
                break;
            searchOneCatalogue(joinPath(folderPath, name), name, m_view.caseSensitive());
        }
    } catch (const Error &error) {
        m_view.folderFailed(m_currentPath(), error);
        return SearchOutcome::FolderFailed;
    } catch (const std::bad_alloc &) {
        m_view.folderFailed(m_currentPath(), outOfMemoryError());
        return SearchOutcome::FolderFailed;
    }
    return SearchOutcome::Completed;
}

void CatalogueSearch::searchOneCatalogue(const QByteArray &path, const QByteArray &name, bool caseSensitive)
{
    m_catalogueName = name;
    m_session.CatalogueName = QString::fromUtf8(name);
    if (caseSensitive)
        SearchContentOfFileExactMatch(path);
    else
        SearchContentOfFile(path);
}

void CatalogueSearch::SearchContentOfFile(const QByteArray &path)
{
    searchCatalogue(path, false);
}

void CatalogueSearch::SearchContentOfFileExactMatch(const QByteArray &path)
{
    searchCatalogue(path, true);
}

void CatalogueSearch::searchCatalogue(const QByteArray &path, bool caseSensitive)
{
    try {
        const QString criteria = m_view.criteriaText();
        if (criteria.isEmpty())
            return;
        m_view.yield();
        if (m_session.StopRequested)
            return;
        // Read again: the yield may have changed the box, and the first line is tested with
        // what it holds now.
        const QString now = m_view.criteriaText();
        FileReader file(path);
        m_facts.reset();
        if ((m_view.wantsFacts() || m_view.sizeFilter()) && file.isRegular()) {
            const QString catalogue = decodeFileName(path);
            CatalogueFacts::Absence absence = CatalogueFacts::Absence::None;
            m_facts = CatalogueFacts::open(catalogue, file, &absence);
            if (absence == CatalogueFacts::Absence::Unreadable && !m_toldUnreadable.contains(catalogue)) {
                m_toldUnreadable.insert(catalogue);
                m_view.inform(QCoreApplication::translate("SearchWindow", "The facts beside %1 cannot be read and are left aside: %2")
                                  .arg(displayFileName(catalogue), displayFileName(factsPathFor(catalogue))));
            }
            const QString folder = factsFolderFor(catalogue);
            if (absence == CatalogueFacts::Absence::Refused && !m_toldUnreadable.contains(folder)) {
                m_toldUnreadable.insert(folder);
                m_view.inform(refusedFactsNotice(folder));
            }
        }
        // The conventions of its dates are learnt when the date filter first needs them; a created
        // text may stand for another date here than in the catalogue before.
        m_file = &file;
        m_filePath = path;
        m_datesKnown = false;
        m_session.lastCreated.clear();
        const auto closed = qScopeGuard([this] { m_file = nullptr; });
        IndexCache::Answer index;
        std::unique_ptr<CatalogueTap> build; // a catalogue without a current index gets one as it is read
        if (m_index && file.isRegular()) {
            index = m_index->find(path, file, now, caseSensitive);
            if (!index.current)
                build = m_index->buildWhileReading(path, file);
        }
        scanCatalogue(*this, m_session, m_view, file, now, caseSensitive, index.plan ? &*index.plan : nullptr,
                      build.get());
        if (m_session.StopRequested)
            return;
        if (build)
            build->finish();
        else if (m_index && file.isRegular() && !index.current)
            m_index->build(path); // on the cache's own thread, for a window
    } catch (const Error &error) {
        m_view.catalogueFailed(path, error);
    } catch (const std::bad_alloc &) {
        // Whatever a file holds, one catalogue that cannot be read ends only its own part.
        m_view.catalogueFailed(path, outOfMemoryError());
    }
}

// Which conventions the created texts of the catalogue being read are read with: its own, as
// its facts record them or its lines show them.
void CatalogueSearch::readDatesOf(const QString &catalogue, const FileReader &file)
{
    if (!m_catalogueDates)
        m_catalogueDates = std::make_unique<CatalogueDates>(m_dates);
    DateWriting recorded;
    if (m_facts) {
        recorded = m_facts->run().dates;
    } else if (file.isRegular()) {
        if (const std::unique_ptr<CatalogueFacts> facts = CatalogueFacts::open(catalogue, file))
            recorded = facts->run().dates;
    }
    QByteArray head;
    if (recorded.isEmpty() && file.isRegular()) {
        head.resize(CatalogueDates::kHeadBytes);
        head.resize(file.readAt(0, head.data(), head.size()));
    }
    m_createdDates = m_catalogueDates->of(recorded, head);
    if (!m_createdDates)
        m_view.datesUnreadable(m_session.CatalogueName);
}

void SearchView::datesUnreadable(const QString &catalogue)
{
    inform(unreadableDatesMessage(displayFileName(catalogue)));
}

void SearchView::folderFailed(const QString &folder, const Error &error)
{
    Q_UNUSED(folder);
    inform(error.number() == ErrorNumber::InvalidArgument ? noFolderMessage() : error.description());
}

bool CatalogueSearch::Tokenize(QByteArrayView line, qint64 lineOffset)
{
    const auto [name, type, created] = catalogue::entryFields(line);

    m_view.yield();
    if (m_view.dateFilterOn() && !filterAccepts(created))
        return false;
    std::optional<EntryFacts> facts;
    if (m_facts && lineOffset >= 0)
        facts = m_facts->atLine(lineOffset);
    if (const std::optional<SizeRange> sizes = m_view.sizeFilter(); sizes && !sizes->holds(facts ? facts->size : -1))
        return false;
    if (!type.isEmpty()) {
        // One separator between folder and name, also after the root folder "/".
        m_path.resize(0);
        m_path.append(m_session.CurrentFolder);
        if (!m_path.endsWith('/'))
            m_path.append('/');
        m_path.append(name);
        m_view.appendRow({m_path, type, created, m_catalogueName, facts ? facts->size : -1, facts ? facts->modifiedNs : 0});
    }
    return true;
}

// Only entries created strictly later than the filter's date-time pass; a date that cannot
// be read, on either side, rejects the entry. Files of one folder often share a created text,
// so the last answer is kept with its text.
bool CatalogueSearch::filterAccepts(QByteArrayView created)
{
    if (m_session.parsedFilterText != m_session.FilterDateText) {
        m_session.parsedFilterText = m_session.FilterDateText;
        m_session.parsedFilter = m_dates.parse(QStringView(m_session.FilterDateText));
        m_session.lastCreated.clear();
    }
    if (!m_session.parsedFilter)
        return false;
    if (!m_datesKnown) {
        m_datesKnown = true;
        m_createdDates = &m_dates;
        if (m_file)
            readDatesOf(decodeFileName(m_filePath), *m_file);
    }
    if (!m_createdDates)
        return false;
    if (created == m_session.lastCreated && !m_session.lastCreated.isNull())
        return m_session.lastCreatedAccepted;
    // The filter's date is the reader's; each catalogue's texts are read with its own conventions.
    const std::optional<LocalDateTime> createdAt = m_createdDates->parse(created);
    m_session.lastCreated = created.toByteArray();
    m_session.lastCreatedAccepted = createdAt && *m_session.parsedFilter < *createdAt;
    return m_session.lastCreatedAccepted;
}

} // namespace kestrova
