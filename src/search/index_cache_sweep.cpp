// Keeping the cache folder tidy: the indexes of catalogues that are gone are removed, and the
// folder stays within a bound, the indexes built longest ago going first.
#include "index_cache.h"

#include "search_index_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

#include <sys/stat.h>

namespace kestrova {

namespace {

constexpr auto kIndexPattern = "*.index";
constexpr auto kTablePattern = "*.folders"; // the folder tables beside the indexes

bool exists(const QByteArray &path)
{
    struct stat info;
    return ::lstat(path.constData(), &info) == 0;
}

// The catalogue path an index or a folder table names; empty when the file is neither of ours.
QByteArray cataloguePathOf(const QString &indexPath)
{
    if (indexPath.endsWith(QLatin1StringView(kTablePattern + 1)))
        return catalogueOfFolderTable(indexPath);
    QFile file(indexPath);
    index_format::Header header;
    if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char *>(&header), sizeof header) != sizeof header
        || std::memcmp(header.magic, index_format::kMagic, sizeof header.magic) != 0 || header.pathLength == 0
        || header.pathLength > 65536)
        return {};
    const QByteArray path = file.read(header.pathLength);
    return path.size() == qsizetype(header.pathLength) && index_format::headerChecksum(header, path) == header.headerChecksum
               ? path
               : QByteArray();
}

} // namespace

IndexCache::Pruned IndexCache::prune()
{
    Pruned pruned;
    if (m_folder.isEmpty() || m_refused)
        return pruned;
    const QFileInfoList indexes = QDir(m_folder).entryInfoList(
        {QString::fromLatin1(kIndexPattern), QString::fromLatin1(kTablePattern)}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &index : indexes) {
        const QByteArray catalogue = cataloguePathOf(index.filePath());
        // A catalogue whose folder is not there now (on a drive not plugged in) keeps its index.
        const QByteArray folder = catalogue.left(catalogue.lastIndexOf('/') + 1);
        const bool gone = catalogue.isEmpty() || (!exists(catalogue) && exists(folder));
        // A folder table goes with its catalogue too, but the counts are of indexes.
        const bool table = !index.filePath().endsWith(QLatin1StringView(kIndexPattern + 1));
        if (gone && QFile::remove(index.filePath()))
            pruned.removed += table ? 0 : 1;
        else
            pruned.kept += table ? 0 : 1;
    }
    return pruned;
}

void IndexCache::sweep()
{
    if (m_folder.isEmpty() || m_refused)
        return;
    const auto indexes = [this] {
        return QDir(m_folder).entryInfoList({QString::fromLatin1(kIndexPattern), QString::fromLatin1(kTablePattern)},
                                            QDir::Files | QDir::Hidden,
                                            QDir::Time | QDir::Reversed); // built longest ago first
    };
    const auto total = [](const QFileInfoList &files) {
        qint64 bytes = 0;
        for (const QFileInfo &file : files)
            bytes += file.size();
        return bytes;
    };
    if (total(indexes()) <= m_bound)
        return;
    prune();
    QFileInfoList left = indexes();
    qint64 bytes = total(left);
    // The newest (the one just built) stays, even alone past the bound.
    for (qsizetype i = 0; i + 1 < left.size() && bytes > m_bound; ++i)
        if (QFile::remove(left[i].filePath()))
            bytes -= left[i].size();
}

} // namespace kestrova
