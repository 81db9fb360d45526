// The file-system services that generation, search and the setup file rely on: folder listing,
// the three file attributes a catalogue line holds, file existence and deletion.
// Names and paths are byte strings exactly as the file system gives them, since a name need
// not be valid UTF-8 and a catalogue must not lose or alter it.
#pragma once

#include "platform/error.h"
#include "platform/text/date_conventions.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <limits>
#include <memory>
#include <vector>

namespace kestrova {

// A file time in nanoseconds since the epoch. Nanoseconds in 64 bits reach from 1677 to 2262:
// a time beyond is held as the nearest of those ends, never wrapped round to another year.
inline qint64 fileTimeNs(qint64 seconds, qint64 nanoseconds)
{
    qint64 whole;
    if (__builtin_mul_overflow(seconds, qint64(1'000'000'000), &whole))
        return seconds < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    qint64 sum;
    if (__builtin_add_overflow(whole, nanoseconds, &sum))
        return nanoseconds < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return sum;
}

// What a catalogue line and the facts beside it say of one file: when it was created (or last
// modified where the file system keeps no birth time, in local time to the second), its size in
// bytes and its last modification (nanoseconds since the epoch). A link's own size and times.
struct FileStat
{
    LocalDateTime created;
    qint64 size = -1;          // -1: not known
    qint64 modifiedNs = 0;
};

// One opened folder. Its listing is taken when the folder is opened; the attribute calls
// read the file system when asked and may raise an Error.
class Folder
{
public:
    virtual ~Folder() = default;

    // Opens one of SubFolders() (given by its path from there) relative to this folder, never
    // through a link, however deep the tree; this folder must outlive the one opened. Raises
    // an Error like FileSystem::GetFolder.
    virtual std::unique_ptr<Folder> OpenSubFolder(const QByteArray &subFolderPath) = 0;

    // The absolute path; a sub-folder's path never ends in a separator. Made when asked: a
    // folder deep in a tree does not keep its whole path.
    virtual QByteArray Path() const = 0;
    // The names of the files directly in the folder, in listing order. Symbolic links, pipes,
    // sockets and device files count as files.
    virtual const std::vector<QByteArray> &Files() const = 0;
    // The full paths of the direct sub-folders, in listing order: each is Path(), a separator
    // and the sub-folder's name. Made when asked.
    virtual std::vector<QByteArray> SubFolders() const = 0;
    // What each of SubFolders() adds to Path() (the separator where one is needed, and the
    // name), in listing order: what a walk needs, without making the whole path of every
    // sub-folder (deep in a tree a path is long).
    virtual std::vector<QByteArray> SubFolderTails() const;

    // The type description of a file of this folder; never empty.
    virtual QString Type(const QByteArray &fileName) = 0;
    // When the file was created, or last modified where the file system keeps no birth time;
    // in local time, to the second.
    virtual LocalDateTime DateCreated(const QByteArray &fileName) = 0;
    // DateCreated() with the size and modification time that the same reading of the file
    // system gives; by default the size is not known.
    virtual FileStat Stat(const QByteArray &fileName) { return {DateCreated(fileName), -1, 0}; }
};

class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // Opens a folder. An empty path raises error 5; a missing or unreadable folder raises
    // the system's error.
    virtual std::unique_ptr<Folder> GetFolder(const QByteArray &path) = 0;
    virtual bool FileExists(const QString &path) = 0;
    // Paths given as text carry non-UTF-8 bytes as decodeFileName() escapes them.
    // Deletes one file; raises an Error when it cannot.
    virtual void DeleteFile(const QString &path) = 0;
};

// Joins a folder path and an entry name with the separator, without doubling it after "/".
QByteArray joinPath(const QByteArray &folder, const QByteArray &name);

} // namespace kestrova
