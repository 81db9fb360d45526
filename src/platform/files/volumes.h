// The mounted volumes a user would call drives: the root, disks and partitions, removable and
// optical media, and network shares; never the kernel's and the sandboxes' virtual mounts. Each
// with what identifies it wherever it is mounted (its UUID and label) and how full it is.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace kestrova {

struct Volume
{
    QString rootPath;     // where it is mounted
    QString label;        // the volume's name, may be empty
    QString device;       // for example /dev/sda1 or server:/export
    QString fileSystem;   // for example ext4, vfat, nfs4
    bool ready = true;
    QString uuid{};       // the file system's UUID, as udev names it; empty when not known
    qint64 capacity = -1; // bytes; -1 when not known
    qint64 free = -1;     // bytes available to the user; -1 when not known
    // The folder of the volume that is mounted at rootPath: "/" for the whole volume, another
    // for a btrfs subvolume ("/@home") or a bind mount; empty when not known.
    QString mountRoot{};

    // What the drive list shows: the mount path, and the label when there is one.
    QString displayText() const;
};

// One mount as /proc/self/mountinfo lists it: which folder of which volume is mounted where.
struct MountInfo
{
    QString root;       // the folder of the volume mounted, "/" for all of it
    QString mountPoint; // where it is mounted
    QString fileSystem;
    QString source;     // for example /dev/sda1
};

// The mounts of a mountinfo text, in its order (a later mount at the same place covers an
// earlier one). Paths there write a blank, tab, line feed and backslash as \040, \011, \012 and
// \134; bytes that are not UTF-8 are kept as file_names.h carries them. Malformed lines are
// passed over.
QList<MountInfo> parseMountInfo(QByteArrayView text);

// Fills the mountRoot of volumes from mounts: the latest mount at each volume's rootPath.
void addMountRoots(QList<Volume> &volumes, const QList<MountInfo> &mounts);

// Whether a mounted volume counts as a drive.
bool isDrive(const Volume &volume);

// The drives mounted now, "/" first, then by mount path.
QList<Volume> mountedDrives();

// The drive that holds path (the one with the longest mount path that contains it).
Volume driveOf(const QString &path, const QList<Volume> &drives);

// The volume that holds path, as a desktop learns it without privileges: its mount point,
// device, file system, capacity and free space from the mount table, its label and UUID from
// udev's links in /dev/disk/by-label and /dev/disk/by-uuid. What cannot be learnt stays empty.
Volume volumeOf(const QString &path);

// The volume holding folder when folder is there now; nothing when it is not, or is no folder.
std::optional<Volume> volumeHolding(const QString &folder);

} // namespace kestrova
