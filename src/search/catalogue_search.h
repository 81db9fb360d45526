// Searching catalogues: the entry parser (Tokenize), the matchers that read one catalogue file
// (SearchContentOfFile, SearchContentOfFileExactMatch) and the search driver over a folder of
// catalogues (cmdSearch_Click, cmdStop_Click, search).
#pragma once

#include "search_session.h"
#include "search_view.h"

#include "platform/files/file_system.h"
#include "platform/text/date_conventions.h"

#include <QCoreApplication>
#include <QSet>

#include <functional>
#include <memory>

namespace kestrova {

class CatalogueDates;
class CatalogueFacts;
class FileReader;
class IndexCache;

// How a search ended, for callers that report it (the window shows "Finshied ..." either way).
enum class SearchOutcome {
    Completed,     // every catalogue was read, or the user stopped the search
    FolderFailed,  // the folder of catalogues could not be read; a message said why
    Refused,       // a search was already running
};

class CatalogueSearch
{
public:
    // currentPath gives CurrentPath, read when a search starts; makeFileSystem is called once,
    // at the first search.
    CatalogueSearch(SearchSession &session, SearchView &view, const DateConventions &dates,
                    std::function<QString()> currentPath,
                    std::function<std::unique_ptr<FileSystem>()> makeFileSystem);
    ~CatalogueSearch();

    // The search indexes to narrow the reading with (none: every catalogue is read whole).
    // Results are the same either way.
    void setIndex(IndexCache *index) { m_index = index; }

    // Catalogues read at once on this many threads (kestrova-cli); their hits still reach the
    // view in the order of the files, as with one. The window reads one at a time.
    void setThreads(int threads) { m_threads = threads; }

    SearchOutcome cmdSearch_Click();
    void cmdStop_Click();

    // One catalogue line that holds the criteria: its row (when it has a type) after the date
    // filter (and the size filter, when the view sets one). Answers whether the line is
    // accepted. lineOffset: where the line starts in the catalogue, for its file's facts.
    bool Tokenize(QByteArrayView line, qint64 lineOffset = -1);
    void SearchContentOfFile(const QByteArray &path);
    void SearchContentOfFileExactMatch(const QByteArray &path);
    // One catalogue of the folder: path, and its name as the folder lists it.
    void searchOneCatalogue(const QByteArray &path, const QByteArray &name, bool caseSensitive);

private:
    SearchOutcome search();
    void searchCatalogue(const QByteArray &path, bool caseSensitive);
    void scanFile(const QByteArray &path, bool caseSensitive);
    bool filterAccepts(QByteArrayView created);
    void readDatesOf(const QString &catalogue, const FileReader &file);

    SearchSession &m_session;
    SearchView &m_view;
    const DateConventions &m_dates;
    std::function<QString()> m_currentPath;
    std::function<std::unique_ptr<FileSystem>()> m_makeFileSystem;
    std::unique_ptr<FileSystem> m_fileSystem;
    IndexCache *m_index = nullptr;
    int m_threads = 1;
    QByteArray m_path;          // reused for every row's path
    QByteArray m_catalogueName; // CatalogueName as the folder lists it
    std::unique_ptr<CatalogueFacts> m_facts; // of the catalogue being read, when wanted and there
    QSet<QString> m_toldUnreadable;          // facts files said to be ignored, once each
    // The catalogue being read, while it is.
    const FileReader *m_file = nullptr;
    QByteArray m_filePath;
    // The conventions of its created texts (null: they cannot be read), once the date filter
    // has asked for them.
    std::unique_ptr<CatalogueDates> m_catalogueDates;
    bool m_datesKnown = false;
    const DateConventions *m_createdDates = nullptr;
};

// The indicator's captions and the message for a folder that holds no catalogue, in the
// user's language.
inline QString searchingCaption()
{
    return QCoreApplication::translate("SearchWindow", "Searching ...");
}
inline QString finishedCaption()
{
    //: Misspelt in English on purpose; translate it as a plain "Finished ...".
    return QCoreApplication::translate("SearchWindow", "Finshied ...");
}
inline QString stoppedCaption()
{
    return QCoreApplication::translate("SearchWindow", "Stopped ...");
}
inline QString unreadableDatesMessage(const QString &catalogue)
{
    return QCoreApplication::translate("SearchWindow", "The dates in %1 cannot be read: the date filter passes none of its entries.")
        .arg(catalogue);
}
inline QString noFolderMessage()
{
    return QCoreApplication::translate("SearchWindow",
                                       "Please make sure you have selected the folder with Catalogues files in it. or\r"
                                       "Alternatively, please set the Default Current Path before searching.");
}

} // namespace kestrova
