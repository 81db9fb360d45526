// Reading a catalogue back as a stream of folders and their entries, with the frame rule of
// catalogue_format.h. Any line end is accepted (CR LF, LF, CR); a line longer than 1 MiB is no
// catalogue line and reads as an empty line. A folder can be read again later by its position, so
// that a comparison holds one folder at a time rather than a whole catalogue.
#pragma once

#include "platform/error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace kestrova {

// One file line: name;type;created, split by catalogue::entryFields().
struct CatalogueEntry
{
    QByteArray name;
    QByteArray type;
    QByteArray created;
    qint64 lineOffset = -1; // where its line starts in the catalogue, for its facts
};

// A file line as it stands in the reader's buffer: valid until the reader is next called.
struct CatalogueEntryView
{
    QByteArrayView folder; // the folder its heading names
    quint64 heading = 0;   // counts the headings read: entries of one folder share it
    QByteArrayView name;
    QByteArrayView type;
    QByteArrayView created;
    qint64 lineOffset = -1;
};

struct CatalogueFolder
{
    QByteArray path;      // as its heading names it
    qint64 entriesAt = 0; // where its entries start in the file, for readFolderAt()
    std::vector<CatalogueEntry> entries;
    qint64 headingAt = 0; // where its heading line starts, for readHeadingAt()
};

// What the first and last lines say.
struct CatalogueSummary
{
    QByteArray headerDate;   // after "CATALOGUE Date: "
    QByteArray root;         // the first heading's folder
    QByteArray folderTotal;  // as written after "TOTAL FODERS SCANNED: "; empty when missing
    QByteArray fileTotal;    // as written after "TOTAL FILES SCANNED: "
    bool complete = false;   // the end marker was read: the run that wrote it was not ended part-way
};

class CatalogueReader
{
public:
    // Opens the file; raises an Error when it cannot, or when its first line is not a
    // catalogue header (number 75, "not a catalogue").
    explicit CatalogueReader(const QString &path);
    ~CatalogueReader();
    CatalogueReader(const CatalogueReader &) = delete;
    CatalogueReader &operator=(const CatalogueReader &) = delete;

    // The next folder with its entries (or without, to only learn where they are), in the
    // order of the file; nothing at the end.
    std::optional<CatalogueFolder> nextFolder(bool withEntries = true);
    // The next file line of the catalogue with its folder, without copying either: for readers
    // that pass over every entry of many catalogues. Not to be mixed with nextFolder().
    std::optional<CatalogueEntryView> nextEntry();
    // The entries of the folder whose entries start at offset (CatalogueFolder::entriesAt).
    std::vector<CatalogueEntry> readFolderAt(qint64 offset);
    // The folder whose heading line starts at offset (CatalogueFolder::headingAt): its path and
    // where its entries start, without them.
    CatalogueFolder readHeadingAt(qint64 offset);

    // Complete once nextFolder() has given nothing.
    const CatalogueSummary &summary() const { return m_summary; }
    const QString &path() const { return m_path; }

private:
    // The next line without its line end; false at the end of the file.
    bool nextLine(QByteArrayView &line);
    void seek(qint64 offset);
    void fill();
    bool take(QByteArrayView line);
    // Notes a totals line (only after the end marker); false for any other line.
    bool noteTotal(QByteArrayView line);
    // Reads the entry lines from here to the next heading (kept for the next call); keep:
    // whether the entries are wanted.
    std::vector<CatalogueEntry> readEntries(bool keep);

    QString m_path;
    int m_fd = -1;
    QByteArray m_buffer;
    qsizetype m_begin = 0;  // the unread part of the buffer: [m_begin, m_end)
    qsizetype m_end = 0;
    qint64 m_bufferAt = 0;  // the file offset of m_buffer[0]
    qint64 m_lineOffset = 0; // where the line nextLine() gave last starts
    bool m_atEnd = false;
    bool m_skipping = false; // inside a line too long to be a catalogue line
    // The frame rule's state: whether the line before was a rule line, and which of the last
    // two lines were headings.
    bool m_previousIsRule = false;
    bool m_previousIsHeading = false;
    bool m_headingBeforePrevious = false;
    bool m_started = false;
    std::optional<CatalogueFolder> m_pending; // a heading read, its entries not yet
    QByteArray m_folder;                      // nextEntry(): the folder of the last heading
    quint64 m_headings = 0;                   // and how many headings came so far
    CatalogueSummary m_summary;
};

} // namespace kestrova
