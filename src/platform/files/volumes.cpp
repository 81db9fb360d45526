#include "volumes.h"

#include "file_names.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
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

namespace {

// The name of the link in folder (udev's /dev/disk/by-uuid or by-label) that leads to device.
QString linkTo(const QString &folder, const QString &device)
{
    if (!device.startsWith(u"/dev/"))
        return {};
    const QString target = QFileInfo(device).canonicalFilePath();
    QDirIterator links(folder, QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    while (links.hasNext()) {
        links.next();
        if (QFileInfo(links.filePath()).canonicalFilePath() == target)
            return links.fileName();
    }
    return {};
}

// udev writes blanks and other bytes in link names as \x20 and the like.
QString unescapedLabel(const QString &name)
{
    QByteArray out;
    const QByteArray in = name.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int value = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

// A path of mountinfo: octal escapes (\040) made bytes again.
QString mountInfoPath(QByteArrayView field)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            bytes.append(char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            bytes.append(field[i]);
        }
    }
    return decodeFileName(bytes);
}

QList<MountInfo> mountsNow()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    // /proc files have no size: read until the end.
    return file.open(QIODevice::ReadOnly) ? parseMountInfo(file.readAll()) : QList<MountInfo>();
}

Volume volumeFrom(const QStorageInfo &storage)
{
    Volume volume{storage.rootPath(), storage.name(), QString::fromLocal8Bit(storage.device()),
                  QString::fromLatin1(storage.fileSystemType()), storage.isReady()};
    if (volume.ready) {
        volume.capacity = storage.bytesTotal();
        volume.free = storage.bytesAvailable();
    }
    volume.uuid = linkTo(QStringLiteral("/dev/disk/by-uuid"), volume.device);
    if (volume.label.isEmpty())
        volume.label = unescapedLabel(linkTo(QStringLiteral("/dev/disk/by-label"), volume.device));
    return volume;
}

} // namespace

QList<MountInfo> parseMountInfo(QByteArrayView text)
{
    QList<MountInfo> mounts;
    for (const QByteArrayView line : QByteArray(text.toByteArray()).split('\n')) {
        // ID, parent ID, major:minor, root, mount point, options, optional fields, "-", file
        // system, source, super options.
        const QList<QByteArray> fields = line.toByteArray().split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 6 || dash < 6 || dash + 2 >= fields.size())
            continue;
        mounts.append({mountInfoPath(fields[3]), mountInfoPath(fields[4]), QString::fromUtf8(fields[dash + 1]),
                       mountInfoPath(fields[dash + 2])});
    }
    return mounts;
}

void addMountRoots(QList<Volume> &volumes, const QList<MountInfo> &mounts)
{
    for (Volume &volume : volumes)
        for (const MountInfo &mount : mounts)
            if (mount.mountPoint == volume.rootPath)
                volume.mountRoot = mount.root;
}

Volume volumeOf(const QString &path)
{
    const QStorageInfo storage(path);
    if (!storage.isValid())
        return {};
    QList<Volume> volume{volumeFrom(storage)};
    addMountRoots(volume, mountsNow());
    return volume.first();
}

std::optional<Volume> volumeHolding(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    return volumeOf(folder);
}

QList<Volume> mountedDrives()
{
    QList<Volume> drives;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        Volume volume = volumeFrom(storage);
        if (isDrive(volume))
            drives.append(volume);
    }
    if (std::none_of(drives.begin(), drives.end(), [](const Volume &v) { return v.rootPath == u"/"; }))
        drives.append(Volume{QStringLiteral("/"), QString(), QString(), QString(), true});
    addMountRoots(drives, mountsNow());
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
