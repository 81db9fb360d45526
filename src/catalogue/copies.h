// The copies report over the catalogues of a folder: which files have no second copy on another
// drive (single copies), and which are stored more than once (duplicates).
//
// Two files are copies when they have the same name and the same size, the size from the facts
// beside their catalogues; a catalogue without facts (or a file whose block of the facts does
// not check) has files of unknown size, which are copies of the files of the same name and type.
// Folders play no part: a file moved to another folder on another drive is still a copy.
//
// Catalogues of one drive are one drive (drive_groups.h): a file counts once per drive however
// many of its catalogues list it, and what a newer catalogue of the drive covers is history in
// the older ones. A file is a single copy when all of its copies (itself included) lie on one
// drive; it is a duplicate when it has any copy at all.
//
// The report reads every catalogue twice. The first reading counts each name and size (16 bytes
// per distinct one, of a 64-bit hash, 16 more bits of another, the first catalogue and the
// count); the second lists the files the counts pick, sorted in runs in a scratch file
// (copies_rows.h), so that memory holds the counts and two runs' buffers, however many rows.
// Catalogues are read by several threads; the calling thread hears of the progress and can stop
// the report.
#pragma once

#include "platform/error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace kestrova {

struct CopiesOptions
{
    enum class Mode {
        Single,     // the files whose copies all lie on one drive
        Duplicates, // the files that have another copy, on the same drive or another
    };
    Mode mode = Mode::Single;
    qint64 minimumSize = -1; // files smaller (or of unknown size) are left out; -1: none are
    // Only files in this folder or below it (as catalogued) are listed; their copies are still
    // looked for everywhere. Empty: all are.
    QByteArray under;
    int threads = 0; // 0: one per processor
};

struct CopiesProgress
{
    int reading = 1;         // the first reading (counting) or the second (listing)
    int cataloguesDone = 0;  // in this reading
    int catalogues = 0;
    quint64 entriesRead = 0; // in this reading
};

class CopiesSink
{
public:
    virtual ~CopiesSink() = default;
    // Asked on the calling thread some 60 times a second while the report runs; false stops it.
    virtual bool keepGoing(const CopiesProgress &) { return true; }
    // A file of the folder that could not be read as a catalogue; the report goes on without it.
    virtual void catalogueFailed(const QString &, const Error &) {}
};

// The files the report lists, largest first; files of one name and size (or, of unknown size,
// one name and type) follow each other, their catalogues in the folder's order. The rows wait
// in a scratch file (in memory while they fit one run's buffer) and are read once, in order,
// with next().
class CopiesResult
{
public:
    CopiesResult();
    ~CopiesResult();
    CopiesResult(CopiesResult &&) noexcept;
    CopiesResult &operator=(CopiesResult &&) noexcept;

    qsizetype size() const; // the rows
    // Moves to the next row (the first at the first call); false past the last. Raises an Error
    // when the scratch file of the rows cannot be read.
    bool next();

    // Of the row next() moved to:
    QByteArray path() const;     // the folder its heading names, '/', the name
    QByteArrayView name() const;
    QByteArrayView type() const;
    qint64 fileSize() const;     // -1: not known
    qint64 modifiedNs() const;   // when its size is known
    const QString &catalogue() const;
    // The copies of the row's file in all catalogues, itself included.
    quint32 copies() const;
    // Whether the row belongs to a group of files whose sizes are not all known (grouped by
    // name and type).
    bool sizeUnknownGroup() const;
    // Whether the row starts a new group (name and size, or name and type).
    bool startsGroup() const;

    QStringList catalogues;     // the catalogues read, by file name, in the folder's order
    QStringList withoutFacts;   // those among them whose files' sizes are not known
    QStringList history;        // those a newer catalogue of the same drive covers whole
    QStringList damagedFacts;   // facts files left aside (whole or in part) as damaged, by path
    QStringList refusedFacts;   // .kestrova folders left aside as not the user's alone, by path
    quint32 drives = 0;         // the drives the catalogues describe
    quint64 entries = 0;        // file lines read
    quint64 distinct = 0;       // distinct names and sizes (or names and types) counted
    bool stopped = false;

private:
    friend class CopiesReport;
    struct Data;
    std::unique_ptr<Data> d;
};

class FileSystem;

// The bytes all copies of a file but one take; at most the largest qint64 (sizes of sparse files
// can be huge). A size not known (-1) takes none.
qint64 spareBytes(qint64 size, quint32 copies);
// a + b of two sizes, at most the largest qint64.
qint64 addSizes(qint64 a, qint64 b);

// Runs the report over the files of folder. Raises an Error when the folder cannot be listed.
CopiesResult copiesReport(FileSystem &fileSystem, const QString &folder, const CopiesOptions &options, CopiesSink &sink);

} // namespace kestrova
