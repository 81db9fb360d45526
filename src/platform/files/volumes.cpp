#include "volumes.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>
#include <array>

namespace kestrova {

QString Volume::displayText() const
{
    return label.isEmpty() ? rootPath : QStringLiteral("%1 [%2]").arg(rootPath, label);
}

bool isDrive(const Volume &volume)
{
    if (volume.rootPath == u"/")
        return true;
    static constexpr std::array kNetwork = {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs"};
    const QByteArray type = volume.fileSystem.toLatin1();
    if (std::any_of(kNetwork.begin(), kNetwork.end(), [&](const char *name) { return type == name; }))
        return true;
    static constexpr std::array kVirtual = {"tmpfs", "overlay", "squashfs"};
    if (std::any_of(kVirtual.begin(), kVirtual.end(), [&](const char *name) { return type == name; }))
        return false;
    // A real device, but not a loop image (snaps and other mounted images).
    return volume.device.startsWith(u"/dev/") && !volume.device.startsWith(u"/dev/loop");
}

QList<Volume> mountedDrives()
{
    QList<Volume> drives;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        Volume volume{storage.rootPath(), storage.name(), QString::fromLocal8Bit(storage.device()),
                      QString::fromLatin1(storage.fileSystemType()), storage.isReady()};
        if (isDrive(volume))
            drives.append(volume);
    }
    if (std::none_of(drives.begin(), drives.end(), [](const Volume &v) { return v.rootPath == u"/"; }))
        drives.append(Volume{QStringLiteral("/"), QString(), QString(), QString(), true});
    std::sort(drives.begin(), drives.end(), [](const Volume &a, const Volume &b) {
        if ((a.rootPath == u"/") != (b.rootPath == u"/"))
            return a.rootPath == u"/";
        return a.rootPath < b.rootPath;
    });
    return drives;
}

Volume driveOf(const QString &path, const QList<Volume> &drives)
{
    const QString clean = QDir::cleanPath(path);
    Volume best;
    for (const Volume &volume : drives) {
        const QString &root = volume.rootPath;
        const bool contains = root == u"/" || clean == root || clean.startsWith(root + u'/');
        if (contains && root.size() > best.rootPath.size())
            best = volume;
    }
    return best;
}

} // namespace kestrova
