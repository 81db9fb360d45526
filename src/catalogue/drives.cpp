#include "drives.h"

#include "catalogue_format.h"
#include "drive_groups.h"

#include "platform/files/file_names.h"

namespace kestrova {
namespace {

// The header's date, the root, and the file total the closing lines give (read from the file's end).
void readOwnLines(const FileReader &catalogue, DriveRow &row)
{
    QByteArray head(1 << 16, Qt::Uninitialized);
    head.resize(catalogue.readAt(0, head.data(), head.size()));
    row.root = catalogue::firstHeadingIn(head);
    const QByteArray first = head.left(head.indexOf('\r'));
    if (first.startsWith(catalogue::kHeaderPrefix))
        row.catalogued = QString::fromUtf8(first.mid(qstrlen(catalogue::kHeaderPrefix)));
    if (row.files >= 0)
        return;
    const qint64 size = catalogue.identityAtOpening().size;
    QByteArray tail(256, Qt::Uninitialized);
    tail.resize(catalogue.readAt(std::max<qint64>(0, size - tail.size()), tail.data(), tail.size()));
    if (const std::optional<QByteArrayView> text = catalogue::fileTotalInTail(tail))
        if (const std::optional<quint64> total = catalogue::totalValue(*text))
            row.files = qint64(*total);
}

// path relative to folder ("" for folder itself), when path lies in folder.
std::optional<QString> relativeTo(const QString &path, QString folder)
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (folder == u"/")
        return path.startsWith(u'/') ? std::optional(path.mid(1)) : std::nullopt;
    if (path == folder)
        return QString();
    if (path.startsWith(folder) && path.at(folder.size()) == u'/')
        return path.mid(folder.size() + 1);
    return std::nullopt;
}

// relative (as relativeTo gives it) under folder, with one separator between.
QString joined(const QString &folder, const QString &relative)
{
    if (relative.isEmpty())
        return folder;
    return folder.endsWith(u'/') ? folder + relative : folder + u'/' + relative;
}

QString rootOf(const QString &mountRoot)
{
    return mountRoot.isEmpty() ? QStringLiteral("/") : mountRoot;
}

} // namespace

std::optional<Volume> mountedVolume(const QString &uuid, const QList<Volume> &mounted)
{
    if (uuid.isEmpty())
        return std::nullopt;
    for (const Volume &volume : mounted)
        if (volume.uuid.compare(uuid, Qt::CaseInsensitive) == 0)
            return volume;
    return std::nullopt;
}

std::vector<DriveRow> drivesOf(FileSystem &fileSystem, const QString &folder, const QList<Volume> &mounted)
{
    const std::unique_ptr<Folder> listing = fileSystem.GetFolder(encodeFileName(folder));
    std::vector<DriveRow> rows;
    std::vector<CatalogueOfDrive> described;
    for (const QByteArray &name : listing->Files()) {
        DriveRow row;
        row.catalogue = decodeFileName(name);
        const QString path = decodeFileName(joinPath(listing->Path(), name));
        qint64 whenMs = 0;
        try {
            const FileReader catalogue(encodeFileName(path));
            if (!catalogue.isRegular())
                continue;
            CatalogueFacts::Absence absence = CatalogueFacts::Absence::None;
            if (const std::unique_ptr<CatalogueFacts> facts = CatalogueFacts::open(path, catalogue, &absence)) {
                row.hasFacts = true;
                row.run = facts->run();
                row.files = qint64(facts->entryCount());
                row.connected = connectedVolume(row.run, mounted);
            }
            row.factsDamaged = absence == CatalogueFacts::Absence::Unreadable;
            row.factsRefused = absence == CatalogueFacts::Absence::Refused;
            readOwnLines(catalogue, row);
            whenMs = row.run.started.isValid() ? row.run.started.toMSecsSinceEpoch()
                                               : catalogue.identityAtOpening().modifiedNs / 1000000;
        } catch (const Error &) {
            // A file that cannot be read has its row, with nothing known.
        }
        described.push_back({row.run.uuid, encodeFileName(row.run.mountPoint), row.root, whenMs});
        rows.push_back(std::move(row));
    }
    const DriveGroups groups = groupByDrive(described);
    std::vector<DriveRow> grouped;
    grouped.reserve(rows.size());
    for (quint32 drive = 0; drive < groups.drives; ++drive) {
        const std::vector<quint32> &members = groups.catalogues[drive];
        for (size_t i = 0; i < members.size(); ++i) {
            DriveRow &row = rows[members[i]];
            row.drive = drive;
            row.older = i == 0 ? qsizetype(members.size() - 1) : -1;
            grouped.push_back(std::move(row));
        }
    }
    return grouped;
}

std::optional<Volume> connectedVolume(const RunFacts &run, const QList<Volume> &mounted)
{
    if (std::optional<Volume> volume = mountedVolume(run.uuid, mounted))
        return volume;
    // A disk without a UUID, or one that is no drive (a loop-mounted image): connected when the
    // catalogued folder is there, on a volume of the same UUID where the facts know one.
    if (run.root.isEmpty())
        return std::nullopt;
    std::optional<Volume> holding = volumeHolding(run.root);
    if (holding && !run.uuid.isEmpty() && holding->uuid.compare(run.uuid, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return holding;
}

QString pathToday(const QString &path, const RunFacts &run, const QList<Volume> &mounted)
{
    if (run.uuid.isEmpty() || run.mountPoint.isEmpty())
        return path;
    const std::optional<QString> rest = relativeTo(path, run.mountPoint);
    if (!rest)
        return path;
    QList<const Volume *> mounts;
    for (const Volume &volume : mounted)
        if (volume.uuid.compare(run.uuid, Qt::CaseInsensitive) == 0)
            mounts.append(&volume);
    // Where the drive is mounted as it was, the path is as it was.
    for (const Volume *mount : mounts)
        if (mount->rootPath == run.mountPoint
            && (run.mountRoot.isEmpty() || mount->mountRoot.isEmpty() || mount->mountRoot == run.mountRoot))
            return path;
    // The place of the file within its volume, seen through the mount of the deepest folder of
    // the volume that holds it (a volume may be mounted many times: btrfs subvolumes, bind
    // mounts). Facts without the folder mounted say the whole volume was.
    const QString inVolume = joined(rootOf(run.mountRoot), *rest);
    const Volume *best = nullptr;
    QString below;
    for (const Volume *mount : mounts) {
        const std::optional<QString> within = relativeTo(inVolume, rootOf(mount->mountRoot));
        if (within && (!best || rootOf(mount->mountRoot).size() > rootOf(best->mountRoot).size())) {
            best = mount;
            below = *within;
        }
    }
    return best ? joined(best->rootPath, below) : path;
}

QString driveToConnect(const RunFacts &run, const QList<Volume> &mounted)
{
    if (run.uuid.isEmpty() || mountedVolume(run.uuid, mounted))
        return {};
    return run.label.isEmpty() ? QStringLiteral("UUID %1").arg(run.uuid)
                               : QStringLiteral("\"%1\" (UUID %2)").arg(run.label, run.uuid);
}

} // namespace kestrova
