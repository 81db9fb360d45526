#include "catalogue_comparison.h"

#include "catalogue_facts.h"
#include "platform/files/file_names.h"
#include "platform/files/file_time.h"
#include "platform/text/name_order.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <limits>
#include <memory>
#include <numeric>

namespace kestrova {
namespace {

// A folder's path below root, the key folders are matched by: "" for the root itself, then
// "/a", "/a/b" whether the root is "/" or "/media/usb".
QByteArray keyBelow(const QByteArray &path, const QByteArray &root)
{
    if (!path.startsWith(root))
        return path;
    QByteArray rest = path.mid(root.size());
    if (!rest.isEmpty() && !rest.startsWith('/') && !root.endsWith('/'))
        return path; // "/media/usb2" is not below "/media/usb"
    if (!rest.isEmpty() && !rest.startsWith('/'))
        rest.prepend('/');
    return rest;
}

// Whether folder key a comes before b in the walk: depth first, the sub-folders of a folder in
// the listing order of their names.
bool walksBefore(const QByteArray &a, const QByteArray &b)
{
    const QList<QByteArray> left = a.split('/');
    const QList<QByteArray> right = b.split('/');
    for (qsizetype i = 0; i < left.size() && i < right.size(); ++i) {
        if (left[i] == right[i])
            continue;
        const NameSortKey x(left[i]);
        const NameSortKey y(right[i]);
        return x < y;
    }
    return left.size() < right.size();
}

QByteArray entryPath(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// A folder key's hash: the new catalogue's folders are kept as where their headings are and
// the hash of their keys, not as copies of their paths (which the catalogue holds).
quint64 keyHash(QByteArrayView key)
{
    return qHashBits(key.data(), size_t(key.size()), 0x9E3779B97F4A7C15ull);
}

// The new catalogue's folders in its order: where each heading is, its key's hash, whether it
// was dealt with, and the folders ordered by key hash (then by their order) for lookups.
// About 21 bytes a folder.
struct NewFolders
{
    std::vector<qint64> headingAt;
    std::vector<quint64> keys;
    std::vector<bool> seen;
    std::vector<quint32> byKey;

    void sortByKey()
    {
        byKey.resize(keys.size());
        std::iota(byKey.begin(), byKey.end(), quint32(0));
        std::stable_sort(byKey.begin(), byKey.end(), [this](quint32 a, quint32 b) { return keys[a] < keys[b]; });
    }
    // The folders whose key has hash, in their order.
    std::pair<std::vector<quint32>::const_iterator, std::vector<quint32>::const_iterator> withKey(quint64 hash) const
    {
        const auto begin = std::partition_point(byKey.begin(), byKey.end(), [&](quint32 i) { return keys[i] < hash; });
        const auto end = std::partition_point(begin, byKey.end(), [&](quint32 i) { return keys[i] == hash; });
        return {begin, end};
    }
};

class Comparison
{
public:
    Comparison(DifferenceSink &sink, ComparisonResult &result, CatalogueFacts *oldFacts, CatalogueFacts *newFacts)
        : m_sink(sink), m_result(result), m_oldFacts(oldFacts), m_newFacts(newFacts)
    {
    }

    void folderAdded(const QByteArray &path, const std::vector<CatalogueEntry> &entries)
    {
        ++m_result.foldersAdded;
        m_sink.difference({Difference::Kind::FolderAdded, path, {}, {}, {}, {}, -1, -1, 0, 0, 0});
        for (const CatalogueEntry &entry : entries)
            added(path, entry);
    }
    void folderRemoved(const QByteArray &path, const std::vector<CatalogueEntry> &entries)
    {
        ++m_result.foldersRemoved;
        m_sink.difference({Difference::Kind::FolderRemoved, path, {}, {}, {}, {}, -1, -1, 0, 0, 0});
        for (const CatalogueEntry &entry : entries)
            removed(path, entry);
    }

    // The entries of one folder in both: pairwise while both list the same names in the same
    // order, then by name for the rest.
    void entries(const QByteArray &oldFolder, const std::vector<CatalogueEntry> &oldEntries,
                 const QByteArray &newFolder, const std::vector<CatalogueEntry> &newEntries)
    {
        size_t same = 0;
        while (same < oldEntries.size() && same < newEntries.size() && oldEntries[same].name == newEntries[same].name) {
            compare(newFolder, oldEntries[same], newEntries[same]);
            ++same;
        }
        if (same == oldEntries.size() && same == newEntries.size())
            return;
        QHash<QByteArray, size_t> newByName;
        for (size_t i = same; i < newEntries.size(); ++i)
            newByName.insert(newEntries[i].name, i);
        std::vector<bool> matched(newEntries.size(), false);
        for (size_t i = same; i < oldEntries.size(); ++i) {
            const auto found = newByName.constFind(oldEntries[i].name);
            if (found == newByName.cend() || matched[*found]) {
                removed(oldFolder, oldEntries[i]);
                continue;
            }
            matched[*found] = true;
            compare(newFolder, oldEntries[i], newEntries[*found]);
        }
        for (size_t i = same; i < newEntries.size(); ++i)
            if (!matched[i])
                added(newFolder, newEntries[i]);
    }

private:
    void compare(const QByteArray &folder, const CatalogueEntry &before, const CatalogueEntry &after)
    {
        // Sizes and times only where both catalogues have facts of these files.
        const std::optional<EntryFacts> old = m_oldFacts && m_newFacts ? m_oldFacts->atLine(before.lineOffset) : std::nullopt;
        const std::optional<EntryFacts> now = old ? m_newFacts->atLine(after.lineOffset) : std::nullopt;
        const bool facts = old && now;
        quint8 reasons = 0;
        if (facts && old->size != now->size)
            reasons |= Difference::Size;
        if (facts && old->modifiedNs != now->modifiedNs)
            reasons |= Difference::Modified;
        if (before.created != after.created)
            reasons |= Difference::Created;
        if (before.type != after.type)
            reasons |= Difference::Type;
        if (reasons == 0)
            return;
        // With the facts of both, the created time alone is no change: a copy gets a new one.
        const bool createdOnly = facts && reasons == Difference::Created;
        ++(createdOnly ? m_result.createdOnly : m_result.changed);
        m_sink.difference({createdOnly ? Difference::Kind::CreatedOnly : Difference::Kind::Changed,
                           entryPath(folder, after.name), before.type, before.created, after.type, after.created,
                           facts ? old->size : -1, facts ? now->size : -1, facts ? old->modifiedNs : 0,
                           facts ? now->modifiedNs : 0, reasons});
    }
    void added(const QByteArray &folder, const CatalogueEntry &entry)
    {
        ++m_result.added;
        m_sink.difference({Difference::Kind::Added, entryPath(folder, entry.name), {}, {}, entry.type, entry.created, -1, -1, 0, 0, 0});
    }
    void removed(const QByteArray &folder, const CatalogueEntry &entry)
    {
        ++m_result.removed;
        m_sink.difference({Difference::Kind::Removed, entryPath(folder, entry.name), entry.type, entry.created, {}, {}, -1, -1, 0, 0, 0});
    }

    DifferenceSink &m_sink;
    ComparisonResult &m_result;
    CatalogueFacts *m_oldFacts;
    CatalogueFacts *m_newFacts;
};

// The facts of the catalogue at path, when they are there and describe it.
std::unique_ptr<CatalogueFacts> factsOf(const QString &path)
{
    try {
        const FileReader catalogue(encodeFileName(path));
        return catalogue.isRegular() ? CatalogueFacts::open(path, catalogue) : nullptr;
    } catch (const Error &) {
        return nullptr;
    }
}

} // namespace

QByteArray modifiedText(qint64 ns)
{
    if (!fileTimeKnown(ns))
        return "unknown";
    return QDateTime::fromMSecsSinceEpoch(ns / 1000000, Qt::UTC).toString(Qt::ISODate).toLatin1();
}

QByteArray reasonsText(const Difference &d)
{
    QByteArrayList parts;
    if (d.reasons & Difference::Size)
        parts << "size " + QByteArray::number(d.oldSize) + " → " + QByteArray::number(d.newSize);
    if (d.reasons & Difference::Modified)
        parts << "modified " + modifiedText(d.oldModifiedNs) + " → " + modifiedText(d.newModifiedNs);
    if (d.reasons & Difference::Created)
        parts << "created " + d.oldCreated + " → " + d.newCreated;
    if (d.reasons & Difference::Type)
        parts << "type " + d.oldType + " → " + d.newType;
    return parts.join("; ");
}

ComparisonResult compareCatalogues(const QString &oldPath, const QString &newPath, DifferenceSink &sink,
                                   const std::optional<ComparisonRoots> &roots)
{
    ComparisonResult result;
    // A catalogue that cannot be opened, or is none, is named.
    const auto open = [](const QString &path) {
        try {
            return std::make_unique<CatalogueReader>(path);
        } catch (const Error &error) {
            throw FileError(error, path);
        }
    };
    const std::unique_ptr<CatalogueReader> oldReader = open(oldPath);
    const std::unique_ptr<CatalogueReader> newReader = open(newPath);
    CatalogueReader &before = *oldReader;
    CatalogueReader &after = *newReader;

    // The new catalogue's folders, in its order, as where they are and their keys' hashes; the
    // old one's key hashes, so that a folder of the new one is called added only when the old
    // one lacks it, whatever order either lists its folders in. Paths are read back from the
    // catalogue when they are needed.
    NewFolders index;
    std::optional<QByteArray> newRoot = roots ? std::optional(roots->newRoot) : std::nullopt;
    while (std::optional<CatalogueFolder> folder = after.nextFolder(false)) {
        if (index.keys.size() == std::numeric_limits<quint32>::max())
            throw FileError(Error(ErrorNumber::OutOfMemory, QCoreApplication::translate("Error", "More folders than a comparison can hold")), newPath);
        if (!newRoot)
            newRoot = after.summary().root;
        index.headingAt.push_back(folder->headingAt);
        index.keys.push_back(keyHash(keyBelow(folder->path, *newRoot)));
    }
    result.newCatalogue = after.summary();
    index.seen.assign(index.keys.size(), false);
    index.sortByKey();
    std::vector<quint64> oldKeys;
    {
        CatalogueReader keys(oldPath);
        std::optional<QByteArray> root = roots ? std::optional(roots->oldRoot) : std::nullopt;
        while (std::optional<CatalogueFolder> folder = keys.nextFolder(false)) {
            if (!root)
                root = keys.summary().root;
            oldKeys.push_back(keyHash(keyBelow(folder->path, *root)));
        }
    }
    std::sort(oldKeys.begin(), oldKeys.end());
    const auto oldHas = [&](quint64 hash) { return std::binary_search(oldKeys.begin(), oldKeys.end(), hash); };

    const std::unique_ptr<CatalogueFacts> oldFacts = factsOf(oldPath);
    const std::unique_ptr<CatalogueFacts> newFacts = oldFacts ? factsOf(newPath) : nullptr;
    Comparison comparison(sink, result, oldFacts.get(), newFacts.get());
    const auto added = [&](size_t i, const CatalogueFolder &folder) {
        index.seen[i] = true;
        comparison.folderAdded(folder.path, after.readFolderAt(folder.entriesAt));
    };
    size_t next = 0; // the new catalogue's folders before this one have been dealt with
    // The new catalogue's folders that the old one lacks, up to the place of key in the walk
    // (all of them without a key). A key hash the old one shares by chance only stops this
    // early: such a folder is named added later on.
    const auto addNewFoldersBefore = [&](const QByteArray *key) {
        for (; next < index.keys.size(); ++next) {
            if (index.seen[next])
                continue;
            if (oldHas(index.keys[next]))
                break;
            const CatalogueFolder folder = after.readHeadingAt(index.headingAt[next]);
            if (key && !walksBefore(keyBelow(folder.path, *newRoot), *key))
                break;
            added(next, folder);
        }
    };

    std::optional<QByteArray> oldRoot = roots ? std::optional(roots->oldRoot) : std::nullopt;
    while (std::optional<CatalogueFolder> folder = before.nextFolder()) {
        if (!sink.keepGoing()) {
            result.stopped = true;
            break;
        }
        if (!oldRoot)
            oldRoot = before.summary().root;
        const QByteArray key = keyBelow(folder->path, *oldRoot);
        addNewFoldersBefore(&key);
        // The first folder of this key not matched yet. A folder listed twice under one
        // heading (two names that differ only in a line break both read "x?y", or a catalogue
        // made by hand) is matched in the order the folders appear: a catalogue compared with
        // itself has no difference. Keys are compared whole: a hash shared by chance is no match.
        std::optional<CatalogueFolder> match;
        const auto [first, last] = index.withKey(keyHash(key));
        for (auto at = first; at != last && !match; ++at) {
            if (index.seen[*at])
                continue;
            CatalogueFolder candidate = after.readHeadingAt(index.headingAt[*at]);
            if (keyBelow(candidate.path, *newRoot) == key) {
                index.seen[*at] = true;
                match = std::move(candidate);
            }
        }
        if (!match) {
            comparison.folderRemoved(folder->path, folder->entries);
            continue;
        }
        comparison.entries(folder->path, folder->entries, match->path, after.readFolderAt(match->entriesAt));
    }
    if (!result.stopped) {
        addNewFoldersBefore(nullptr);
        for (size_t i = 0; i < index.keys.size(); ++i)
            if (!index.seen[i])
                added(i, after.readHeadingAt(index.headingAt[i]));
    }
    result.oldCatalogue = before.summary();
    return result;
}

} // namespace kestrova
