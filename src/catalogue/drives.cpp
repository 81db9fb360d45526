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
                row.connected = mountedVolume(row.run.uuid, mounted);
            }
            row.factsDamaged = absence == CatalogueFacts::Absence::Unreadable;
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

QString pathToday(const QString &path, const RunFacts &run, const QList<Volume> &mounted)
{
    const std::optional<Volume> now = mountedVolume(run.uuid, mounted);
    if (!now || run.mountPoint.isEmpty() || now->rootPath == run.mountPoint)
        return path;
    const QString was = run.mountPoint.endsWith(u'/') ? run.mountPoint : run.mountPoint + u'/';
    if (!path.startsWith(was) && path != run.mountPoint)
        return path;
    const QString rest = path.mid(run.mountPoint.size());
    return now->rootPath == u"/" ? (rest.startsWith(u'/') ? rest : u'/' + rest) : now->rootPath + rest;
}

QString driveToConnect(const RunFacts &run, const QList<Volume> &mounted)
{
    if (run.uuid.isEmpty() || mountedVolume(run.uuid, mounted))
        return {};
    return run.label.isEmpty() ? QStringLiteral("UUID %1").arg(run.uuid)
                               : QStringLiteral("\"%1\" (UUID %2)").arg(run.label, run.uuid);
}

} // namespace kestrova
