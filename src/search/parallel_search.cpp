#include "parallel_search.h"

#include "catalogue_search.h"
#include "found_rows.h"

#include "platform/files/file_names.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace kestrova {
namespace {

// What one catalogue gave.
struct CatalogueResult
{
    FoundRows rows; // marked: found before the catalogue's first heading
    qint64 accepted = 0;
    std::optional<Error> failure;
    QByteArray failedPath;
    std::vector<QString> messages;
    bool headingSeen = false;
    QByteArray lastFolder;         // CurrentFolder when the catalogue was read, if headingSeen
    bool done = false;
};

// A thread's view: fixed criteria and options, everything else kept for the hand-over.
class KeepingView final : public SearchView
{
public:
    KeepingView(const QString &criteria, bool caseSensitive, bool dateFilter, bool facts,
                std::optional<SizeRange> sizes, const SearchSession &session)
        : m_criteria(criteria), m_caseSensitive(caseSensitive), m_dateFilter(dateFilter), m_facts(facts),
          m_sizes(sizes), m_session(session)
    {
    }

    QString criteriaText() override { return m_criteria; }
    bool caseSensitive() override { return m_caseSensitive; }
    bool dateFilterOn() override { return m_dateFilter; }
    bool wantsFacts() override { return m_facts; }
    std::optional<SizeRange> sizeFilter() override { return m_sizes; }
    void appendRow(const RowTexts &row) override
    {
        result->rows.add(row, m_session.headingsTaken == 0);
    }
    void clearRows() override {}
    void setSorted(bool) override {}
    void setCountText(const QString &) override {}
    void setIndicatorCaption(const QString &) override {}
    IndicatorColour indicatorColour() override { return IndicatorColour::Red; }
    void setIndicatorColour(IndicatorColour) override {}
    void yield() override {}
    void inform(const QString &text) override { result->messages.push_back(text); }
    void catalogueFailed(const QByteArray &path, const Error &error) override
    {
        result->failure = error;
        result->failedPath = path;
    }

    CatalogueResult *result = nullptr;

private:
    QString m_criteria;
    bool m_caseSensitive;
    bool m_dateFilter;
    bool m_facts;
    std::optional<SizeRange> m_sizes;
    const SearchSession &m_session;
};

class ParallelSearch
{
public:
    ParallelSearch(SearchSession &session, SearchView &view, const QLocale &locale, IndexCache *index,
                   const QByteArray &folderPath, const std::vector<QByteArray> &names)
        : m_session(session), m_view(view), m_locale(locale), m_index(index), m_folderPath(folderPath),
          m_names(names), m_results(names.size()), m_criteria(view.criteriaText()),
          m_caseSensitive(view.caseSensitive()), m_dateFilter(view.dateFilterOn()), m_facts(view.wantsFacts()),
          m_sizes(view.sizeFilter())
    {
    }

    void run(int threads)
    {
        std::vector<std::thread> workers;
        for (int i = 0; i < threads; ++i)
            workers.emplace_back([this, threads] { work(threads); });
        handOver();
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        for (std::thread &worker : workers)
            worker.join();
    }

private:
    void work(int threads)
    {
        // Every text a thread keeps is its own copy, not one shared with another thread.
        SearchSession session;
        session.FilterDateText = QString(m_session.FilterDateText.constData(), m_session.FilterDateText.size());
        KeepingView view(QString(m_criteria.constData(), m_criteria.size()), m_caseSensitive, m_dateFilter, m_facts,
                         m_sizes, session);
        const DateConventions dates(m_locale);
        CatalogueSearch search(session, view, dates, [] { return QString(); },
                               [] { return std::unique_ptr<FileSystem>(); });
        search.setIndex(m_index);
        FoundRows spare;
        for (;;) {
            std::size_t file = 0;
            {
                std::unique_lock lock(m_mutex);
                // Not too far ahead of the hand-over, so that what waits stays small.
                m_changed.wait(lock, [&] {
                    return m_stop || m_next >= m_names.size() || m_next < m_handed + std::size_t(2 * threads);
                });
                if (m_stop || m_next >= m_names.size())
                    return;
                file = m_next++;
                if (!m_spareRows.empty()) {
                    spare = std::move(m_spareRows.back());
                    m_spareRows.pop_back();
                }
            }
            CatalogueResult result;
            result.rows = std::move(spare);
            view.result = &result;
            session.headingsTaken = 0;
            session.MatchCount = 0;
            session.CurrentFolder.clear();
            const QByteArray name(m_names[file].constData(), m_names[file].size());
            try {
                search.searchOneCatalogue(joinPath(m_folderPath, name), name, m_caseSensitive);
            } catch (const std::bad_alloc &) {
                result.failure = outOfMemoryError();
                result.failedPath = joinPath(m_folderPath, name);
            }
            result.accepted = session.MatchCount;
            result.headingSeen = session.headingsTaken > 0;
            result.lastFolder = QByteArray(session.CurrentFolder.constData(), session.CurrentFolder.size());
            {
                std::lock_guard lock(m_mutex);
                result.done = true;
                m_results[file] = std::move(result);
            }
            m_changed.notify_all();
        }
    }

    // Gives the view each catalogue's hits in file order, as they become ready.
    void handOver()
    {
        QByteArray path;
        for (std::size_t file = 0; file < m_names.size(); ++file) {
            CatalogueResult result;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_results[file].done; });
                result = std::move(m_results[file]);
                m_handed = file + 1;
            }
            m_changed.notify_all();
            m_session.CatalogueName = QString::fromUtf8(m_names[file]);
            for (qsizetype position = 0; position < result.rows.size(); ++position) {
                RowTexts row = result.rows.row(position);
                if (result.rows.marked(position)) {
                    // Made as the one-thread reading makes it: folder, one separator, name.
                    path = m_session.CurrentFolder;
                    if (!path.endsWith('/'))
                        path += '/';
                    path += row.filePath.sliced(1);
                    row.filePath = path;
                }
                m_view.appendRow(row);
            }
            m_session.MatchCount += result.accepted;
            if (result.accepted > 0)
                m_view.setCountText(QString::number(m_session.MatchCount));
            if (result.headingSeen) {
                m_session.CurrentFolder = result.lastFolder;
                ++m_session.headingsTaken;
            }
            for (const QString &message : result.messages)
                m_view.inform(message);
            if (result.failure)
                m_view.catalogueFailed(result.failedPath, *result.failure);
            // The memory of these rows holds the next catalogue's.
            result.rows.reuse();
            std::lock_guard lock(m_mutex);
            m_spareRows.push_back(std::move(result.rows));
        }
    }

    SearchSession &m_session;
    SearchView &m_view;
    const QLocale m_locale;
    IndexCache *m_index;
    const QByteArray &m_folderPath;
    const std::vector<QByteArray> &m_names;
    std::vector<CatalogueResult> m_results;
    std::vector<FoundRows> m_spareRows; // handed over, emptied, for the threads to fill again
    const QString m_criteria;
    const bool m_caseSensitive;
    const bool m_dateFilter;
    const bool m_facts;
    const std::optional<SizeRange> m_sizes;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0;
    std::size_t m_handed = 0;
    bool m_stop = false;
};

} // namespace

void searchInParallel(SearchSession &session, SearchView &view, const QLocale &locale,
                      IndexCache *index, const QByteArray &folderPath, const std::vector<QByteArray> &names,
                      int threads)
{
    ParallelSearch(session, view, locale, index, folderPath, names).run(threads);
}

} // namespace kestrova
