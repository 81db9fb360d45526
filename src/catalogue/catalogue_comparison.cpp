#include "catalogue_comparison.h"

#include "catalogue_facts.h"
#include "platform/files/file_names.h"
#include "platform/text/name_order.h"

#include <QFile>

#include <QHash>
#include <QSet>

#include <memory>

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

constexpr size_t kNone = size_t(-1);

struct IndexedFolder
{
    QByteArray path;
    QByteArray key;
    qint64 entriesAt = 0;
    bool seen = false;
    size_t nextSameKey = kNone; // the next folder listed under the same key
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
        m_sink.difference({Difference::Kind::FolderAdded, path, {}, {}, {}, {}});
        for (const CatalogueEntry &entry : entries)
            added(path, entry);
    }
    void folderRemoved(const QByteArray &path, const std::vector<CatalogueEntry> &entries)
    {
        ++m_result.foldersRemoved;
        m_sink.difference({Difference::Kind::FolderRemoved, path, {}, {}, {}, {}});
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
        const bool factsDiffer = old && now && (old->size != now->size || old->modifiedNs != now->modifiedNs);
        if (before.type == after.type && before.created == after.created && !factsDiffer)
            return;
        ++m_result.changed;
        m_sink.difference({Difference::Kind::Changed, entryPath(folder, after.name), before.type, before.created,
                           after.type, after.created, old && now ? old->size : -1, old && now ? now->size : -1});
    }
    void added(const QByteArray &folder, const CatalogueEntry &entry)
    {
        ++m_result.added;
        m_sink.difference({Difference::Kind::Added, entryPath(folder, entry.name), {}, {}, entry.type, entry.created});
    }
    void removed(const QByteArray &folder, const CatalogueEntry &entry)
    {
        ++m_result.removed;
        m_sink.difference({Difference::Kind::Removed, entryPath(folder, entry.name), entry.type, entry.created, {}, {}});
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

    // The new catalogue's folders, in its order, with where their entries are; the old one's
    // folder keys, so that a folder of the new one is called added only when the old one
    // lacks it, whatever order either lists its folders in.
    std::vector<IndexedFolder> index;
    while (std::optional<CatalogueFolder> folder = after.nextFolder(false))
        index.push_back({std::move(folder->path), {}, folder->entriesAt, false});
    result.newCatalogue = after.summary();
    const QByteArray newRoot = roots ? roots->newRoot : result.newCatalogue.root;
    // The first folder of each key not matched yet. A folder listed twice under one heading
    // (two names that differ only in a line break both read "x?y", or a catalogue made by
    // hand) is matched in the order the folders appear: a catalogue compared with itself has
    // no difference.
    QHash<QByteArray, size_t> position;
    for (size_t i = index.size(); i-- > 0;) {
        index[i].key = keyBelow(index[i].path, newRoot);
        const auto later = position.constFind(index[i].key);
        index[i].nextSameKey = later == position.cend() ? kNone : *later;
        position.insert(index[i].key, i);
    }
    QSet<QByteArray> oldKeys;
    {
        CatalogueReader keys(oldPath);
        std::optional<QByteArray> root = roots ? std::optional(roots->oldRoot) : std::nullopt;
        while (std::optional<CatalogueFolder> folder = keys.nextFolder(false)) {
            if (!root)
                root = keys.summary().root;
            oldKeys.insert(keyBelow(folder->path, *root));
        }
    }

    const std::unique_ptr<CatalogueFacts> oldFacts = factsOf(oldPath);
    const std::unique_ptr<CatalogueFacts> newFacts = oldFacts ? factsOf(newPath) : nullptr;
    Comparison comparison(sink, result, oldFacts.get(), newFacts.get());
    size_t next = 0; // the new catalogue's folders before this one have been dealt with
    // The new catalogue's folders that the old one lacks, up to the place of key in the walk
    // (all of them without a key).
    const auto addNewFoldersBefore = [&](const QByteArray *key) {
        for (; next < index.size(); ++next) {
            IndexedFolder &folder = index[next];
            if (folder.seen)
                continue;
            if (oldKeys.contains(folder.key) || (key && !walksBefore(folder.key, *key)))
                break;
            folder.seen = true;
            comparison.folderAdded(folder.path, after.readFolderAt(folder.entriesAt));
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
        const auto found = position.find(key);
        if (found == position.end() || index[*found].seen) {
            comparison.folderRemoved(folder->path, folder->entries);
            continue;
        }
        IndexedFolder &match = index[*found];
        match.seen = true;
        if (match.nextSameKey == kNone)
            position.erase(found);
        else
            *found = match.nextSameKey;
        comparison.entries(folder->path, folder->entries, match.path, after.readFolderAt(match.entriesAt));
    }
    if (!result.stopped) {
        addNewFoldersBefore(nullptr);
        for (IndexedFolder &folder : index)
            if (!folder.seen) {
                folder.seen = true;
                comparison.folderAdded(folder.path, after.readFolderAt(folder.entriesAt));
            }
    }
    result.oldCatalogue = before.summary();
    return result;
}

} // namespace kestrova
