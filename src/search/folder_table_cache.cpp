// The folder tables of catalogues, beside their search indexes in the cache folder: a file per
// catalogue, named as its index is with ".folders" for ".index", holding the catalogue's folders
// as a reading found them (CatalogueTree::folderTable()), so that one folder's files are read
// from its headings on. A table is trusted only while it fits: the same catalogue path, the
// catalogue's and its facts' identity as they were read, its own bytes whole; a catalogue
// changed within the timestamps' slack of the reading is checked by its bytes' checksum too.
// Anything else, and the table is passed over (the catalogue is then read whole, and the table
// written again).
#include "index_cache.h"

#include "search_index.h"
#include "search_index_format.h"

#include "catalogue/catalogue_facts.h"
#include "platform/files/file_names.h"
#include "platform/files/private_files.h"

#include <cstring>

namespace kestrova {
namespace {

constexpr char kTableMagic[8] = {'K', 'S', 'T', 'V', 'F', 'L', 'D', '1'};
constexpr quint32 kTableVersion = 1;
constexpr quint32 kTableContentChecked = 1; // flag: contentChecksum holds the catalogue's bytes

struct TableHeader
{
    char magic[8];
    quint32 version;
    quint32 flags;
    FileIdentity catalogue;
    FileIdentity facts; // size -1: no facts were read
    qint64 builtAtNs;
    quint64 contentChecksum;
    quint64 tableBytes;
    quint64 tableChecksum;
    quint32 pathLength;
    quint32 unused;
    quint64 headerChecksum; // of everything above and the path
};
static_assert(std::is_trivially_copyable_v<TableHeader>);

quint64 tableHeaderChecksum(const TableHeader &header, QByteArrayView path)
{
    return checksum(path.data(), path.size(),
                    checksum(reinterpret_cast<const char *>(&header), offsetof(TableHeader, headerChecksum)));
}

// The facts file of the catalogue as it is now; size -1 when there is none to read.
FileIdentity factsIdentity(const QByteArray &cataloguePath)
{
    try {
        const FileReader facts(encodeFileName(factsPathFor(decodeFileName(cataloguePath))));
        if (facts.isRegular())
            return facts.identityAtOpening();
    } catch (const Error &) {
    }
    return {};
}

bool racy(const FileIdentity &identity, qint64 atNs)
{
    return std::max(identity.modifiedNs, identity.changedNs) > atNs - index_format::kTimestampSlackNs;
}

} // namespace

QByteArray catalogueOfFolderTable(const QString &tablePath)
{
    try {
        const FileReader file(encodeFileName(tablePath));
        TableHeader header;
        if (file.readAt(0, reinterpret_cast<char *>(&header), sizeof header) != sizeof header
            || std::memcmp(header.magic, kTableMagic, sizeof kTableMagic) != 0 || header.pathLength == 0
            || header.pathLength > 65536)
            return {};
        QByteArray path(qsizetype(header.pathLength), Qt::Uninitialized);
        return file.readAt(sizeof header, path.data(), path.size()) == path.size()
                       && tableHeaderChecksum(header, path) == header.headerChecksum
                   ? path
                   : QByteArray();
    } catch (const Error &) {
        return {};
    }
}

QByteArray IndexCache::folderTablePathFor(const QByteArray &absolutePath) const
{
    QByteArray path = indexPathFor(absolutePath);
    if (!path.isEmpty())
        path.replace(path.size() - 6, 6, ".folders");
    return path;
}

std::unique_ptr<CatalogueTree> IndexCache::openFolderTable(const QByteArray &path, const FileReader &catalogue) const
{
    const QByteArray absolute = absoluteCataloguePath(path);
    const QByteArray tablePath = folderTablePathFor(absolute);
    if (tablePath.isEmpty() || !catalogue.isRegular())
        return nullptr;
    try {
        const FileReader file(tablePath);
        TableHeader header;
        const FileIdentity identity = catalogue.identityAtOpening();
        if (!file.isRegular() || !file.isPrivate()
            || file.readAt(0, reinterpret_cast<char *>(&header), sizeof header) != sizeof header
            || std::memcmp(header.magic, kTableMagic, sizeof kTableMagic) != 0 || header.version != kTableVersion
            || !(header.catalogue == identity) || !(header.facts == factsIdentity(absolute))
            || header.pathLength != quint32(absolute.size())
            || header.tableBytes != quint64(file.identityAtOpening().size) - sizeof header - header.pathLength)
            return nullptr;
        QByteArray recordedPath(absolute.size(), Qt::Uninitialized);
        if (file.readAt(sizeof header, recordedPath.data(), recordedPath.size()) != recordedPath.size()
            || recordedPath != absolute || tableHeaderChecksum(header, recordedPath) != header.headerChecksum)
            return nullptr;
        if (racy(identity, header.builtAtNs)) {
            // Changed within the slack of the reading: only the same bytes make it the same.
            const qint64 checkedAt = nowNs();
            if (!(header.flags & kTableContentChecked) || catalogueContentChecksum(catalogue) != header.contentChecksum
                || catalogue.identityNow() != identity)
                return nullptr;
            if (!racy(identity, checkedAt)) {
                header.builtAtNs = checkedAt;
                header.headerChecksum = tableHeaderChecksum(header, recordedPath);
                overwritePrivateFileStart(tablePath, QByteArrayView(reinterpret_cast<const char *>(&header), sizeof header));
            }
        }
        // Read straight into the tree, summed as it goes.
        ContentChecksum sum;
        qint64 at = qint64(sizeof header) + absolute.size();
        const std::function<bool(char *, qsizetype)> source = [&](char *into, qsizetype size) {
            const bool read = file.readAt(at, into, size) == size;
            sum.add(into, size);
            at += size;
            return read;
        };
        std::unique_ptr<CatalogueTree> tree =
            CatalogueTree::fromFolderTable(decodeFileName(absolute), identity, source, header.tableBytes);
        return tree && sum.value() == header.tableChecksum ? std::move(tree) : nullptr;
    } catch (const Error &) {
        return nullptr;
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

bool IndexCache::keepFolderTable(const CatalogueTree &tree) const
{
    if (!tree.holdsAllFiles())
        return false;
    const QByteArray absolute = absoluteCataloguePath(encodeFileName(tree.path()));
    const QByteArray tablePath = folderTablePathFor(absolute);
    if (tablePath.isEmpty() || !makePrivateFolder(m_folder))
        return false;
    try {
        const FileReader catalogue(absolute);
        TableHeader header{};
        std::memcpy(header.magic, kTableMagic, sizeof kTableMagic);
        header.version = kTableVersion;
        header.catalogue = catalogue.identityAtOpening();
        header.facts = factsIdentity(absolute);
        header.builtAtNs = nowNs();
        // The tree must be of the catalogue as it is, with facts when it has them.
        if (!catalogue.isRegular() || header.catalogue != tree.identity() || (tree.hasFacts() && header.facts.size < 0))
            return false;
        if (racy(header.catalogue, header.builtAtNs)) {
            header.flags |= kTableContentChecked;
            header.contentChecksum = catalogueContentChecksum(catalogue);
            if (catalogue.identityNow() != header.catalogue)
                return false;
        }
        const QByteArray table = tree.folderTable();
        header.tableBytes = quint64(table.size());
        ContentChecksum sum;
        sum.add(table.constData(), table.size());
        header.tableChecksum = sum.value();
        header.pathLength = quint32(absolute.size());
        header.headerChecksum = tableHeaderChecksum(header, absolute);
        return writePrivateFileWhole(tablePath, [&](QFileDevice &out) {
            return out.write(reinterpret_cast<const char *>(&header), sizeof header) == qint64(sizeof header)
                   && out.write(absolute) == absolute.size() && out.write(table) == table.size();
        });
    } catch (const Error &) {
        return false;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace kestrova
