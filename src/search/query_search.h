// A query over a folder of catalogues. The reading is the search's own (catalogue_scan, the
// search indexes, several threads for kestrova-cli): it is given the one text that every hit's
// line must hold (narrowingText), so that an index reads only the blocks that can hold it, and
// each row it finds is then matched against the whole query before it reaches the view. A
// query with no such text reads every file line. Hits reach the view in the order of the
// catalogues and of their lines, as the search's do.
#pragma once

#include "catalogue_search.h"
#include "query_matcher.h"

#include "catalogue/catalogue_facts.h"

#include <functional>
#include <memory>

namespace kestrova {

class IndexCache;

// The longest text that every entry line matching query must hold (in the query's case mode);
// empty when there is none: a term of the name, the fixed part of a wildcard pattern, a type,
// an extension alone (with its dot). OR, NOT, paths, drives, sizes and dates give none.
QString narrowingText(const Query &query);

class QuerySearch final : private SearchView
{
public:
    // view: where the hits, the count of hits, messages and yields go; it gives no criteria.
    // makeFileSystem: called once, at the first run.
    QuerySearch(SearchView &view, const DateConventions &dates,
                std::function<std::unique_ptr<FileSystem>()> makeFileSystem);
    ~QuerySearch() override;

    void setIndex(IndexCache *index) { m_index = index; }
    void setThreads(int threads) { m_threads = threads; }

    // Reads every catalogue of folder for query. Refused while a run is in progress (the view's
    // yields may start another).
    SearchOutcome run(const Query &query, const QString &folder);
    // Ends the run in progress at its next hit or catalogue.
    void stop() { m_session.StopRequested = true; }
    bool running() const { return m_session.running; }
    bool stopped() const { return m_session.StopRequested; }

    // Of the latest run: the hits, and the catalogues read (whole or as the index narrowed).
    qint64 hits() const { return m_hits; }
    int cataloguesRead() const { return m_cataloguesRead; }

private:
    // What the reading sees: the narrowing text as its criteria, rows matched here.
    QString criteriaText() override { return m_narrowing; }
    bool caseSensitive() override { return m_matcher->caseSensitive(); }
    bool dateFilterOn() override { return false; }
    bool wantsFacts() override { return m_view.wantsFacts() || m_matcher->needsFacts(); }
    void appendRow(const RowTexts &row) override;
    void clearRows() override { m_view.clearRows(); }
    void setSorted(bool on) override { m_view.setSorted(on); }
    void setCountText(const QString &) override {}
    void setIndicatorCaption(const QString &caption) override
    {
        m_view.setIndicatorCaption(caption);
    }
    IndicatorColour indicatorColour() override { return m_view.indicatorColour(); }
    void setIndicatorColour(IndicatorColour colour) override { m_view.setIndicatorColour(colour); }
    void yield() override { m_view.yield(); }
    void inform(const QString &text) override { m_view.inform(text); }
    void folderFailed(const QString &folder, const Error &error) override
    {
        m_view.folderFailed(folder, error);
    }
    void catalogueFailed(const QByteArray &path, const Error &error) override
    {
        m_view.catalogueFailed(path, error);
    }

    SearchOutcome readFolder(const QString &folder);

    SearchView &m_view;
    const DateConventions &m_dates;
    std::function<std::unique_ptr<FileSystem>()> m_makeFileSystem;
    std::unique_ptr<FileSystem> m_fileSystem;
    IndexCache *m_index = nullptr;
    int m_threads = 1;
    SearchSession m_session;
    std::unique_ptr<CatalogueSearch> m_search;
    CreatedDates m_created;
    std::unique_ptr<QueryMatcher> m_matcher;
    QString m_narrowing;
    RunFactsByCatalogue m_runs; // for drive labels
    qint64 m_hits = 0;
    int m_cataloguesRead = 0;
};

} // namespace kestrova
