#include "drive_groups.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace kestrova {
namespace {

// Where a catalogue's root lies within its drive: below the mount point the facts name, so
// that a drive mounted elsewhere the next time is still compared folder by folder.
QByteArray rootWithin(const CatalogueOfDrive &catalogue)
{
    const QByteArray &mount = catalogue.mountPoint;
    if (catalogue.uuid.isEmpty() || mount.isEmpty() || mount == "/" ||
        !isAtOrBelow(catalogue.root, mount))
        return catalogue.root;
    const QByteArray rest = catalogue.root.mid(mount.size());
    return rest.isEmpty() ? QByteArray("/") : rest;
}

// A folder within the drive as the catalogue names it.
QByteArray asNamedBy(const CatalogueOfDrive &catalogue, const QByteArray &within)
{
    const QByteArray &mount = catalogue.mountPoint;
    if (catalogue.uuid.isEmpty() || mount.isEmpty() || mount == "/" ||
        !isAtOrBelow(catalogue.root, mount))
        return within;
    return within == "/" ? mount : (mount.endsWith('/') ? mount.chopped(1) : mount) + within;
}

} // namespace

bool isAtOrBelow(QByteArrayView folder, QByteArrayView prefix)
{
    if (prefix == "/")
        return folder.startsWith('/');
    while (prefix.size() > 1 && prefix.endsWith('/'))
        prefix.chop(1);
    return folder.startsWith(prefix) &&
           (folder.size() == prefix.size() || folder[prefix.size()] == '/');
}

bool DriveGroups::allHistory(quint32 catalogue, const QByteArray &root) const
{
    for (const QByteArray &folder : history[catalogue])
        if (isAtOrBelow(root, folder))
            return true;
    return false;
}

DriveGroups groupByDrive(const std::vector<CatalogueOfDrive> &described)
{
    // A catalogue whose volume is not known (one without facts) is of the drive of a catalogue
    // with the same root whose volume is: it takes that one's UUID and mount point.
    std::vector<CatalogueOfDrive> catalogues = described;
    QHash<QByteArray, size_t> knownRoots;
    for (size_t i = 0; i < catalogues.size(); ++i)
        if (!catalogues[i].uuid.isEmpty() && !knownRoots.contains(catalogues[i].root))
            knownRoots.insert(catalogues[i].root, i);
    for (CatalogueOfDrive &c : catalogues) {
        if (const auto known = knownRoots.constFind(c.root);
            c.uuid.isEmpty() && known != knownRoots.cend()) {
            c.uuid = catalogues[*known].uuid;
            c.mountPoint = catalogues[*known].mountPoint;
        }
    }
    DriveGroups groups;
    groups.driveOf.resize(catalogues.size());
    groups.history.resize(catalogues.size());
    QHash<QByteArray, quint32> drives;
    for (size_t i = 0; i < catalogues.size(); ++i) {
        const CatalogueOfDrive &c = catalogues[i];
        // A UUID is one drive whatever its case; without one, the root folder names the drive.
        const QByteArray key =
            c.uuid.isEmpty() ? "root:" + c.root : "uuid:" + c.uuid.toLower().toUtf8();
        const auto known = drives.constFind(key);
        const quint32 drive =
            known != drives.cend() ? *known : drives.insert(key, groups.drives++).value();
        groups.driveOf[i] = drive;
        if (drive == groups.catalogues.size())
            groups.catalogues.emplace_back();
        groups.catalogues[drive].push_back(quint32(i));
    }
    for (std::vector<quint32> &members : groups.catalogues) {
        // Newest first; of two catalogued at the same moment, the later in the folder counts as
        // newer.
        std::stable_sort(members.begin(), members.end(), [&](quint32 a, quint32 b) {
            return catalogues[a].whenMs != catalogues[b].whenMs
                       ? catalogues[a].whenMs > catalogues[b].whenMs
                       : a > b;
        });
        for (size_t older = 1; older < members.size(); ++older) {
            const CatalogueOfDrive &old = catalogues[members[older]];
            const QByteArray oldWithin = rootWithin(old);
            std::vector<QByteArray> &history = groups.history[members[older]];
            for (size_t newer = 0; newer < older; ++newer) {
                const QByteArray within = rootWithin(catalogues[members[newer]]);
                if (isAtOrBelow(oldWithin, within)) {
                    history = {old.root}; // covered whole
                    break;
                }
                if (isAtOrBelow(within, oldWithin))
                    history.push_back(asNamedBy(old, within));
            }
        }
    }
    return groups;
}

} // namespace kestrova
