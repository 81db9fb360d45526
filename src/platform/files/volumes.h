// The mounted volumes a user would call drives: the root, disks and partitions, removable and
// optical media, and network shares; never the kernel's and the sandboxes' virtual mounts.
#pragma once

#include <QList>
#include <QString>

namespace kestrova {

struct Volume
{
    QString rootPath;     // where it is mounted
    QString label;        // the volume's name, may be empty
    QString device;       // for example /dev/sda1 or server:/export
    QString fileSystem;   // for example ext4, vfat, nfs4
    bool ready = true;

    // What the drive list shows: the mount path, and the label when there is one.
    QString displayText() const;
};

// Whether a mounted volume counts as a drive.
bool isDrive(const Volume &volume);

// The drives mounted now, "/" first, then by mount path.
QList<Volume> mountedDrives();

// The drive that holds path (the one with the longest mount path that contains it).
Volume driveOf(const QString &path, const QList<Volume> &drives);

} // namespace kestrova
