#include "parallel_search.h"

#include "catalogue_search.h"

#include "platform/files/file_names.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

namespace kestrova {
namespace {

// The rows of one catalogue as they were found, one record after another: copied once, in one
// growing buffer, and read back in the same order (nothing is looked up or sorted here).
class KeptRows
{
public:
    // carried: the row was found before the catalogue's first heading.
    void add(const RowTexts &row, bool carried)
    {
        const QByteArrayView texts[4] = {row.filePath, row.fileType, row.created, row.catalogueFile};
        Head head{row.size, row.modifiedNs, {}, carried};
        size_t bytes = sizeof head;
        for (int i = 0; i < 4; ++i) {
            head.lengths[i] = quint32(texts[i].size());
            bytes += size_t(texts[i].size());
        }
        const size_t at = m_bytes.size();
        m_bytes.resize(at + bytes);
        char *out = m_bytes.data() + at;
        std::memcpy(out, &head, sizeof head);
        out += sizeof head;
        for (const QByteArrayView text : texts) {
            if (!text.isEmpty())
                std::memcpy(out, text.data(), size_t(text.size()));
            out += text.size();
        }
    }

    // Calls each(row, carried) for every row, in the order they were added.
    template<typename Each>
    void forEach(Each each) const
    {
        for (const char *p = m_bytes.data(), *end = p + m_bytes.size(); p < end;) {
            Head head;
            std::memcpy(&head, p, sizeof head);
            p += sizeof head;
            QByteArrayView texts[4];
            for (int i = 0; i < 4; ++i) {
                texts[i] = QByteArrayView(p, head.lengths[i]);
                p += head.lengths[i];
            }
            each(RowTexts{texts[0], texts[1], texts[2], texts[3], head.size, head.modifiedNs}, head.carried);
        }
    }

private:
    struct Head
    {
        qint64 size;
        qint64 modifiedNs;
        quint32 lengths[4];
        bool carried;
    };
    std::vector<char> m_bytes;
};

// What one catalogue gave.
struct CatalogueResult
{
    KeptRows rows;
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
            }
            CatalogueResult result;
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
            result.rows.forEach([&](RowTexts row, bool carried) {
                if (carried) {
                    // Made as the one-thread reading makes it: folder, one separator, name.
                    path = m_session.CurrentFolder;
                    if (!path.endsWith('/'))
                        path += '/';
                    path += row.filePath.sliced(1);
                    row.filePath = path;
                }
                m_view.appendRow(row);
            });
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
        }
    }

    SearchSession &m_session;
    SearchView &m_view;
    const QLocale m_locale;
    IndexCache *m_index;
    const QByteArray &m_folderPath;
    const std::vector<QByteArray> &m_names;
    std::vector<CatalogueResult> m_results;
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
