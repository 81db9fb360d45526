// Two catalogues of the same drive compared: the entries added, removed and changed, and the
// folders added or removed. An entry of the same folder and name has changed when, where the
// facts beside both catalogues give its size and modification time, its size, modification
// time or type differs: a created time that alone differs (a copy made with cp -a) is no
// change, and is told apart (CreatedOnly). Where the facts do not say, another type or created
// text is a change. Folders
// are matched by their path below each catalogue's root (or below roots the caller names,
// for a drive mounted elsewhere). The new catalogue is indexed folder by folder, the old one
// read as a stream: at most one folder of each is held, besides the index of folder paths.
// Where both list their folders and files in the same order (as every catalogue of this
// program does) the result comes in that order.
#pragma once

#include "catalogue_reader.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestrova {

struct Difference
{
    enum class Kind { Added, Removed, Changed, FolderAdded, FolderRemoved, CreatedOnly };
    // Why an entry changed (Changed, CreatedOnly): what differs, as flags.
    enum Reason : quint8 { Size = 1, Modified = 2, Created = 4, Type = 8 };
    Kind kind;
    // The full path as its catalogue has it: the new one's for added and changed entries and
    // added folders, the old one's for what was removed.
    QByteArray path;
    QByteArray oldType;
    QByteArray oldCreated;
    QByteArray newType;
    QByteArray newCreated;
    // From the facts beside the catalogues, -1 where they do not say.
    qint64 oldSize = -1;
    qint64 newSize = -1;
    qint64 oldModifiedNs = 0; // when the sizes are known
    qint64 newModifiedNs = 0;
    quint8 reasons = 0;
};

// Why a change is one, in the words the command line writes: "size 1000 → 2000", "modified
// 2026-12-07T10:00:00Z → …", "created … → …", "type … → …", joined by "; ".
QByteArray reasonsText(const Difference &difference);
// A modification time as those words give it: ISO 8601, UTC, to the second; "unknown" for a
// time beyond what the facts hold (fileTimeKnown).
QByteArray modifiedText(qint64 ns);

class DifferenceSink
{
public:
    virtual ~DifferenceSink() = default;
    virtual void difference(const Difference &difference) = 0;
    // Called once for every folder of the old catalogue; false ends the comparison there.
    virtual bool keepGoing() { return true; }
};

struct ComparisonResult
{
    CatalogueSummary oldCatalogue;
    CatalogueSummary newCatalogue;
    quint64 added = 0;
    quint64 removed = 0;
    quint64 changed = 0;
    quint64 createdOnly = 0; // same size and modification time, only the created time differs
    quint64 foldersAdded = 0;
    quint64 foldersRemoved = 0;
    bool stopped = false; // the sink asked to stop
    bool any() const { return added || removed || changed || foldersAdded || foldersRemoved; }
};

// The roots below which folder paths are compared; by default each catalogue's first heading.
struct ComparisonRoots
{
    QByteArray oldRoot;
    QByteArray newRoot;
};

// Raises a FileError naming the file when a file cannot be opened or is not a catalogue, an
// Error when one cannot be read to its end.
ComparisonResult compareCatalogues(const QString &oldPath, const QString &newPath, DifferenceSink &sink,
                                   const std::optional<ComparisonRoots> &roots = std::nullopt);

} // namespace kestrova
