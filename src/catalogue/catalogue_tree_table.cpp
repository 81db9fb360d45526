// A tree's folders as a table of bytes, and a tree made from one: its folders, their paths,
// parents, totals and where their headings are, so that a folder's files can be read from its
// headings on without reading the rest of the catalogue. The table says nothing of whose or of
// which catalogue it is; whoever keeps it binds it to the catalogue (search/index_cache.h).
#include "catalogue_tree.h"

#include "catalogue_tree_reading.h"

#include "platform/files/file_names.h"

#include <QCoreApplication>

#include <cstring>
#include <functional>
#include <numeric>
#include <type_traits>

namespace kestrova {
namespace {

constexpr quint32 kHasFacts = 1;

template <typename T>
void put(QByteArray &out, T value)
{
    static_assert(std::is_trivially_copyable_v<T>);
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// Reads the table front to back, from its source, up to its size; once anything is missing,
// every later read fails too.
class TableReader
{
public:
    TableReader(const std::function<bool(char *, qsizetype)> &source, quint64 size) : m_source(source), m_left(size) {}

    template <typename T>
    bool get(std::vector<T> &values)
    {
        return take(reinterpret_cast<char *>(values.data()), quint64(values.size()) * sizeof(T));
    }
    template <typename T>
    bool get(T &value)
    {
        return take(reinterpret_cast<char *>(&value), sizeof value);
    }
    bool bytes(quint64 size, QByteArray &value)
    {
        if (!fits(size))
            return false;
        value.resize(qsizetype(size));
        return take(value.data(), size);
    }
    // Whether size bytes are left to read (a count read is checked so before anything is held).
    bool fits(quint64 size) const { return m_ok && size <= m_left; }
    bool atEnd() const { return m_ok && m_left == 0; }

private:
    bool take(char *into, quint64 size)
    {
        m_ok = fits(size) && m_source(into, qsizetype(size));
        m_left -= m_ok ? size : 0;
        return m_ok;
    }

    const std::function<bool(char *, qsizetype)> &m_source;
    quint64 m_left;
    bool m_ok = true;
};

} // namespace

QByteArray CatalogueTree::folderTable() const
{
    QByteArray out;
    put(out, quint32(m_folders.size()));
    put(out, m_top);
    put(out, m_beforeAny);
    put(out, quint32(m_hasFacts ? kHasFacts : 0));
    put(out, quint64(m_files.size()));
    put(out, quint32(m_headerDate.size()));
    out.append(m_headerDate);
    // The folders as they are held, their places in the lists of children and files aside.
    for (Folder folder : m_folders) {
        folder.childBegin = folder.childEnd = folder.fileBegin = folder.fileEnd = 0;
        put(out, folder);
    }
    put(out, quint64(m_paths.size()));
    out.append(m_paths);
    put(out, quint64(m_repeatedHeadings.size()));
    for (const auto &[folder, offset] : m_repeatedHeadings) {
        put(out, folder);
        put(out, offset);
    }
    put(out, quint64(m_headingsAfterHeading.size()));
    for (const qint64 offset : m_headingsAfterHeading)
        put(out, offset);
    return out;
}

std::unique_ptr<CatalogueTree> CatalogueTree::fromFolderTable(const QString &path, const FileIdentity &identity,
                                                              const std::function<bool(char *, qsizetype)> &source,
                                                              quint64 size)
{
    std::unique_ptr<CatalogueTree> tree(new CatalogueTree);
    tree->m_path = path;
    tree->m_identity = identity;
    tree->m_holdsAllFiles = false;
    TableReader in(source, size);
    quint32 folders = 0, flags = 0, dateLength = 0;
    quint64 files = 0;
    // Every number is checked before it is used: a damaged table makes no tree, never a wrong one.
    const auto offsetFits = [&](qint64 offset) { return offset >= 0 && offset < identity.size; };
    if (!in.get(folders) || !in.get(tree->m_top) || !in.get(tree->m_beforeAny) || !in.get(flags) || !in.get(files)
        || !in.get(dateLength) || !in.bytes(dateLength, tree->m_headerDate) || folders == 0 || folders >= kNone - 1
        || tree->m_top >= folders || (tree->m_beforeAny != kNone && tree->m_beforeAny >= folders)
        || !in.fits(quint64(folders) * sizeof(Folder)))
        return nullptr;
    tree->m_hasFacts = flags & kHasFacts;
    tree->m_folders.resize(folders);
    quint64 pathBytes = 0;
    if (!in.get(tree->m_folders) || !in.get(pathBytes) || !in.bytes(pathBytes, tree->m_paths))
        return nullptr;
    for (quint32 f = 0; f < folders; ++f) {
        const Folder &folder = tree->m_folders[f];
        if (folder.pathAt < 0 || quint64(folder.pathAt) + folder.pathLength > pathBytes || folder.nameStart > folder.pathLength
            || folder.madeUp > 1 || (folder.headingAt != -1 && !offsetFits(folder.headingAt)) || folder.childBegin
            || folder.childEnd || folder.fileBegin || folder.fileEnd)
            return nullptr;
        // A parent comes before its children; only the top of every path and the folder before
        // any heading have none.
        const bool ownTop = f == 0 || f == tree->m_beforeAny;
        if (ownTop ? folder.parent != kNone : folder.parent >= f)
            return nullptr;
    }
    quint64 repeated = 0, afterHeading = 0;
    if (!in.get(repeated) || !in.fits(repeated * 12))
        return nullptr;
    tree->m_repeatedHeadings.resize(size_t(repeated));
    for (auto &[folder, offset] : tree->m_repeatedHeadings)
        if (!in.get(folder) || !in.get(offset) || folder >= folders || !offsetFits(offset))
            return nullptr;
    if (!in.get(afterHeading) || !in.fits(afterHeading * 8))
        return nullptr;
    tree->m_headingsAfterHeading.resize(size_t(afterHeading));
    for (qint64 &offset : tree->m_headingsAfterHeading)
        if (!in.get(offset) || !offsetFits(offset))
            return nullptr;
    if (!in.atEnd() || !std::is_sorted(tree->m_repeatedHeadings.begin(), tree->m_repeatedHeadings.end())
        || !std::is_sorted(tree->m_headingsAfterHeading.begin(), tree->m_headingsAfterHeading.end()))
        return nullptr;
    // No index of the folders by name is made: a folder is found by its parents' children.
    tree->arrange();
    return tree;
}

void CatalogueTree::readFiles(quint32 folder)
{
    if (m_holdsAllFiles)
        return;
    FileReader file(encodeFileName(m_path));
    if (file.identityAtOpening() != m_identity)
        throw Error(ErrorNumber::PathFileAccess,
                    QCoreApplication::translate("Error", "The catalogue has changed since it was read"));
    std::unique_ptr<CatalogueFacts> facts = m_hasFacts ? CatalogueFacts::open(m_path, file) : nullptr;
    if (m_hasFacts && !facts)
        throw Error(ErrorNumber::PathFileAccess,
                    QCoreApplication::translate("Error", "The catalogue has changed since it was read"));
    if (facts)
        m_run = facts->run();
    m_files.clear();
    m_nameBlocks.clear();
    m_nameUsed = 0;
    for (Folder &each : m_folders)
        each.fileBegin = each.fileEnd = 0;
    // The totals stay those of the whole reading; the files read add to them again.
    const Totals totals = m_folders[folder].totals;
    const auto readStretch = [&](qint64 offset) {
        Reading reading(*this, file, facts.get());
        reading.resumeAt(offset, folder,
                         std::binary_search(m_headingsAfterHeading.begin(), m_headingsAfterHeading.end(), offset));
        reading.run();
    };
    if (folder == m_beforeAny)
        readStretch(0);
    for (const qint64 offset : headingOffsets(folder))
        readStretch(offset);
    m_folders[folder].totals = totals;
    m_fileOrder.resize(m_files.size());
    std::iota(m_fileOrder.begin(), m_fileOrder.end(), 0u);
    m_folders[folder].fileEnd = quint32(m_files.size());
}

} // namespace kestrova
