// The drives a folder of catalogues describes: one row per catalogue with what the facts beside
// it say of its volume and run, whether that volume is connected now (and where), and where a
// catalogued path lies today when the drive is mounted at another place than when it was
// catalogued. A catalogue without facts has a row too, with what its own lines say. The
// catalogues of one drive (drive_groups.h) follow each other, newest first.
#pragma once

#include "catalogue_facts.h"

#include "platform/files/volumes.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace kestrova {

struct DriveRow
{
    QString catalogue;      // the catalogue's file name
    bool hasFacts = false;
    RunFacts run;           // empty without facts
    QString catalogued;     // the date the catalogue's header gives
    qint64 files = -1;      // the facts' count, or the catalogue's own total; -1 when neither says
    std::optional<Volume> connected; // the volume of the run's drive, connected now (connectedVolume)
    QByteArray root;        // the folder catalogued: its first heading
    quint32 drive = 0;      // the drive, numbered in the order of the rows
    // On the drive's newest catalogue: how many older ones of the drive there are; -1 on those.
    qsizetype older = 0;
    bool factsDamaged = false; // facts are beside it but cannot be read
    bool factsRefused = false; // its .kestrova folder is not the user's alone: facts left aside
};

// The rows of the catalogues (the files) of folder: drive by drive, in the order the folder first
// names each, a drive's catalogues newest first. Raises an Error when the folder cannot be read.
std::vector<DriveRow> drivesOf(FileSystem &fileSystem, const QString &folder, const QList<Volume> &mounted);

// The volume of uuid among those mounted now.
std::optional<Volume> mountedVolume(const QString &uuid, const QList<Volume> &mounted);

// The volume of the run's drive when it is connected now: the drive of its UUID, or else the
// volume holding the catalogued root folder when that is there (a disk without a UUID, a
// loop-mounted image), of the same UUID where the facts know one.
std::optional<Volume> connectedVolume(const RunFacts &run, const QList<Volume> &mounted);

// Where path, catalogued on the drive run describes, lies now: path itself when the drive is
// mounted where it was (or not at all), else under the mount of today that shows the folder of
// the volume holding it (each mount's root within its volume telling which).
QString pathToday(const QString &path, const RunFacts &run, const QList<Volume> &mounted);

// The drive to connect for path, named by its label and UUID, when the facts know it and it is
// not connected now; empty otherwise.
QString driveToConnect(const RunFacts &run, const QList<Volume> &mounted);

} // namespace kestrova
