#include "drives.h"

#include "catalogue_format.h"

#include "platform/files/file_names.h"

namespace kestrova {
namespace {

// The header's date, and the file total the closing lines give (read from the file's end).
void readOwnLines(const FileReader &catalogue, DriveRow &row)
{
    QByteArray head(256, Qt::Uninitialized);
    head.resize(catalogue.readAt(0, head.data(), head.size()));
    const QByteArray first = head.left(head.indexOf('\r'));
    if (first.startsWith(catalogue::kHeaderPrefix))
        row.catalogued = QString::fromUtf8(first.mid(qstrlen(catalogue::kHeaderPrefix)));
    if (row.files >= 0)
        return;
    const qint64 size = catalogue.identityAtOpening().size;
    QByteArray tail(256, Qt::Uninitialized);
    tail.resize(catalogue.readAt(std::max<qint64>(0, size - tail.size()), tail.data(), tail.size()));
    const qsizetype at = tail.lastIndexOf(catalogue::kFileTotalPrefix);
    if (at < 0)
        return;
    bool ok = false;
    const double total = tail.mid(at + qstrlen(catalogue::kFileTotalPrefix)).trimmed().toDouble(&ok);
    if (ok)
        row.files = qint64(total);
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
    for (const QByteArray &name : listing->Files()) {
        DriveRow row;
        row.catalogue = decodeFileName(name);
        const QString path = decodeFileName(joinPath(listing->Path(), name));
        try {
            const FileReader catalogue(encodeFileName(path));
            if (!catalogue.isRegular())
                continue;
            if (const std::unique_ptr<CatalogueFacts> facts = CatalogueFacts::open(path, catalogue)) {
                row.hasFacts = true;
                row.run = facts->run();
                row.files = qint64(facts->entryCount());
                row.connected = mountedVolume(row.run.uuid, mounted);
            }
            readOwnLines(catalogue, row);
        } catch (const Error &) {
            // A file that cannot be read has its row, with nothing known.
        }
        rows.push_back(std::move(row));
    }
    return rows;
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
