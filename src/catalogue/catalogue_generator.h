// Writes a catalogue: the header, the depth-first walk of the tree with a frame per folder and
// a line per file, then the closing lines and totals. Lines stream to the file as they are
// made; nothing of the tree is gathered in memory.
#pragma once

#include "content_checksum.h"
#include "platform/error.h"
#include "platform/files/file_system.h"
#include "platform/text/date_conventions.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace kestrova {

class CatalogueTap;
class FactsWriter;
class TextFileWriter;

// What a run reports while it goes. The window yields to its event loop at folder starts and
// shows the current file; the command line draws its progress line.
class GenerationSink
{
public:
    virtual ~GenerationSink() = default;
    // Once at the start of every folder, before it is opened.
    virtual void folderStarting() {}
    // Each file line before it is written, and "Finished ..." once the walk is over.
    virtual void currentFile(QByteArrayView text) { Q_UNUSED(text); }
    // The walk is over and the closing lines follow.
    virtual void scanFinished() {}
    // A folder that could not be listed (its contents are skipped), or an entry whose
    // attributes could not be read (only that entry is skipped); path names the one that
    // failed. The run goes on.
    virtual void failure(const Error &error, const QByteArray &path)
    {
        Q_UNUSED(error);
        Q_UNUSED(path);
    }
};

struct GenerationTotals
{
    quint64 folders = 0;  // sub-folders entered, whether or not they could be listed
    quint64 files = 0;    // file lines written
    quint64 failures = 0; // folders and entries reported to the sink
    bool factsWritten = false; // the facts asked for were written beside the catalogue
    // The root could not be opened and a catalogue of that name was there: it was left as it
    // was (its facts and index too), and nothing was written.
    bool catalogueKept = false;
};

class CatalogueGenerator
{
public:
    CatalogueGenerator(FileSystem &fileSystem, const DateConventions &dates);

    // Writes the catalogue of root into catalogueFile (the name is used as given). A new file
    // streams as it is written; a file already there is replaced only once the new catalogue
    // is complete, and not at all when root cannot be opened (totals.catalogueKept). The facts
    // that were beside the file go before it is replaced or made. Per-folder failures go to the
    // sink. A failure of the run itself (the file cannot be created or written) raises an
    // Error, with a new file closed and holding what was written, a file replaced as it was. facts, when given, gets every file line's facts and, once the catalogue is
    // complete, its size and checksum. tap, when given, gets every byte as it is written and
    // hears when the catalogue is complete and closed (its search index is built so).
    GenerationTotals WriteCatalogue(const QByteArray &root, const QString &catalogueFile,
                                    GenerationSink &sink, QDate today = QDate::currentDate(),
                                    FactsWriter *facts = nullptr, CatalogueTap *tap = nullptr);

private:
    void ScanFolder(const QByteArray &thisitem);
    void writeFiles(Folder &folder, const QByteArray &folderPath);
    void writeFrame(const QByteArray &folderPath);
    void write(QByteArrayView line);

    FileSystem &m_fileSystem;
    const DateConventions &m_dates;

    // State of the run in progress.
    TextFileWriter *m_out = nullptr;
    GenerationSink *m_sink = nullptr;
    FactsWriter *m_facts = nullptr;
    CatalogueTap *m_tap = nullptr;
    std::unique_ptr<Folder> m_root; // opened before the walk when a catalogue is replaced
    qint64 m_written = 0;       // bytes of the catalogue so far
    ContentChecksum m_checksum; // of those bytes
    bool m_rootHeaderWritten = false;
    GenerationTotals m_totals;
    QByteArray m_line; // reused for every file line
};

} // namespace kestrova
