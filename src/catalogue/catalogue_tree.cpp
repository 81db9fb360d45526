#include "catalogue_tree.h"

#include "catalogue_format.h"
#include "catalogue_tree_reading.h"

#include "platform/files/file_names.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace kestrova {
namespace {

constexpr qint64 kNameBlock = 1 << 21; // holds any name: a line is at most kLongestLine
static_assert(kNameBlock > catalogue::kLongestLine);

// The parts of a path: the texts between "/", empty ones left out.
template <typename Each>
void forEachPart(QByteArrayView path, Each each)
{
    qsizetype from = 0;
    while (from <= path.size()) {
        qsizetype slash = path.indexOf('/', from);
        if (slash < 0)
            slash = path.size();
        if (slash > from)
            each(path.sliced(from, slash - from), from);
        from = slash + 1;
    }
}

} // namespace

CatalogueTree::CatalogueTree(const QString &path) : m_path(path)
{
    FileReader file(encodeFileName(path));
    if (!file.isRegular())
        throw Error(ErrorNumber::PathFileAccess, QCoreApplication::translate("Error", "Not a regular file"));
    m_identity = file.identityAtOpening();
    std::unique_ptr<CatalogueFacts> facts = CatalogueFacts::open(path, file);
    if (facts) {
        m_run = facts->run();
        m_hasFacts = true;
    }
    addFolder("/", 0, kNone); // the folder above every path; made up unless "/" has a heading
    Reading reading(*this, file, facts.get());
    reading.run();
    if (!reading.sawHeader())
        throw Error(ErrorNumber::PathFileAccess,
                    QCoreApplication::translate("Error", "Not a catalogue: its first line is no catalogue header"));
    m_headerDate = reading.headerDate();
    finish();
}

CatalogueTree::~CatalogueTree() = default;

quint32 CatalogueTree::addFolder(QByteArrayView path, quint32 nameStart, quint32 parent)
{
    if (m_folders.size() >= kNone - 1)
        throw Error(ErrorNumber::OutOfMemory, QCoreApplication::translate("Error", "More folders than a tree can hold"));
    Folder folder;
    folder.nameStart = nameStart;
    folder.parent = parent;
    keepPath(folder, path, {});
    m_folders.push_back(folder);
    return quint32(m_folders.size() - 1);
}

void CatalogueTree::keepPath(Folder &folder, QByteArrayView path, QByteArrayView part)
{
    // path may lie in m_paths itself: it is found again by its offset once there is room.
    const qsizetype from = m_paths.size();
    const bool own = path.data() >= m_paths.constData() && path.data() < m_paths.constData() + from;
    const qsizetype ownAt = own ? path.data() - m_paths.constData() : 0;
    const bool slash = !part.isEmpty() && !path.endsWith('/');
    const qsizetype needed = from + path.size() + (slash ? 1 : 0) + part.size();
    if (needed > m_paths.capacity())
        m_paths.reserve(std::max(needed, m_paths.capacity() * 2));
    m_paths.resize(needed);
    char *to = m_paths.data() + from;
    if (!path.isEmpty()) // an empty view may hold no pointer at all
        std::memcpy(to, own ? m_paths.constData() + ownAt : path.data(), size_t(path.size()));
    to += path.size();
    if (slash)
        *to++ = '/';
    folder.pathAt = from;
    if (!part.isEmpty()) {
        folder.nameStart = quint32(to - (m_paths.data() + from));
        std::memcpy(to, part.data(), size_t(part.size()));
    }
    folder.pathLength = quint32(needed - from);
}

namespace {

size_t slotOf(quint32 parent, QByteArrayView part, size_t mask)
{
    return size_t(qHash(part, size_t(parent) * 0x9E3779B97F4A7C15ull)) & mask;
}

} // namespace

quint32 CatalogueTree::childNamed(quint32 parent, QByteArrayView part) const
{
    if (m_partSlots.empty()) {
        // A tree from a table: among the parent's children.
        for (const quint32 child : children(parent))
            if (folderName(child) == part)
                return child;
        return kNone;
    }
    const size_t mask = m_partSlots.size() - 1;
    for (size_t slot = slotOf(parent, part, mask);; slot = (slot + 1) & mask) {
        const quint32 folder = m_partSlots[slot];
        if (folder == kNone || (m_folders[folder].parent == parent && folderName(folder) == part))
            return folder;
    }
}

bool CatalogueTree::indexFolder(quint32 folder)
{
    if ((m_partCount + 1) * 2 > m_partSlots.size()) {
        std::vector<quint32> grown(std::max<size_t>(64, m_partSlots.size() * 2), kNone);
        const size_t mask = grown.size() - 1;
        for (const quint32 each : m_partSlots) {
            if (each == kNone)
                continue;
            size_t slot = slotOf(m_folders[each].parent, folderName(each), mask);
            while (grown[slot] != kNone)
                slot = (slot + 1) & mask;
            grown[slot] = each;
        }
        m_partSlots = std::move(grown);
    }
    const quint32 parent = m_folders[folder].parent;
    const QByteArrayView part = folderName(folder);
    const size_t mask = m_partSlots.size() - 1;
    size_t slot = slotOf(parent, part, mask);
    for (; m_partSlots[slot] != kNone; slot = (slot + 1) & mask)
        if (m_folders[m_partSlots[slot]].parent == parent && folderName(m_partSlots[slot]) == part)
            return false;
    m_partSlots[slot] = folder;
    ++m_partCount;
    return true;
}

quint32 CatalogueTree::childFor(quint32 parent, QByteArrayView part)
{
    if (const quint32 found = childNamed(parent, part); found != kNone)
        return found;
    Folder folder;
    folder.parent = parent;
    keepPath(folder, folderPath(parent), part);
    if (m_folders.size() >= kNone - 1)
        throw Error(ErrorNumber::OutOfMemory, QCoreApplication::translate("Error", "More folders than a tree can hold"));
    m_folders.push_back(folder);
    const quint32 child = quint32(m_folders.size() - 1);
    indexFolder(child);
    return child;
}

quint32 CatalogueTree::folderFor(QByteArrayView headingText, qint64 headingAt)
{
    // Found by its parts, so that no second copy of every path is held; the parts it shares with
    // the heading before (its parent's, a sibling's) are not looked up again.
    quint32 folder = 0;
    qsizetype lastPart = -1;
    size_t index = 0;
    bool shared = true;
    forEachPart(headingText, [&](QByteArrayView part, qsizetype at) {
        shared = shared && index < m_previousParts.size()
                 && QByteArrayView(m_previousHeading).sliced(m_previousParts[index].at, m_previousParts[index].size) == part;
        folder = shared ? m_previousParts[index].folder : childFor(folder, part);
        if (shared) {
            m_previousParts[index].at = at; // where it is in this heading
        } else {
            m_previousParts.resize(index);
            m_previousParts.push_back({at, part.size(), folder});
        }
        ++index;
        lastPart = at;
    });
    m_previousParts.resize(index);
    m_previousHeading.resize(headingText.size());
    std::memcpy(m_previousHeading.data(), headingText.data(), size_t(headingText.size()));
    Folder &node = m_folders[folder];
    if (node.madeUp) {
        // The first heading's own spelling of the path.
        node.madeUp = false;
        if (folderPath(folder) != headingText)
            keepPath(node, headingText, {});
        node.nameStart = quint32(std::max<qsizetype>(0, lastPart));
        node.headingAt = headingAt;
    } else {
        m_repeatedHeadings.emplace_back(folder, headingAt);
    }
    return folder;
}

void CatalogueTree::addFile(quint32 folder, QByteArrayView name, qint64 line, qint64 lineLength,
                            const std::optional<EntryFacts> &facts)
{
    if (m_nameBlocks.empty() || m_nameUsed + name.size() > kNameBlock) {
        m_nameBlocks.push_back(std::make_unique_for_overwrite<char[]>(size_t(kNameBlock)));
        m_nameUsed = 0;
    }
    std::memcpy(m_nameBlocks.back().get() + m_nameUsed, name.data(), size_t(name.size()));
    const qint64 nameAt = qint64(m_nameBlocks.size() - 1) * kNameBlock + m_nameUsed;
    m_nameUsed += name.size();
    const qint64 size = facts ? facts->size : -1;
    static_assert(catalogue::kLongestLine < (1 << 24));
    m_files.push_back(File{quint64(nameAt) << 24 | quint64(name.size()), line, size,
                           facts && size >= 0 ? facts->modifiedNs : 0, quint32(lineLength), folder});
    Totals &own = m_folders[folder].totals;
    ++own.files;
    if (size >= 0)
        own.bytes += quint64(size);
    else
        ++own.unknownSizes;
}

void CatalogueTree::finish()
{
    arrange();
    // A parent comes before its children: the totals roll up from the last folder to the first.
    for (quint32 f = quint32(m_folders.size()); f-- > 0;) {
        const quint32 parent = m_folders[f].parent;
        if (parent == kNone)
            continue;
        Totals &up = m_folders[parent].totals;
        const Totals &own = m_folders[f].totals;
        up.bytes += own.bytes;
        up.files += own.files;
        up.unknownSizes += own.unknownSizes;
        up.folders += own.folders + 1;
    }
    // The tree is shown from the first folder that is more than a made-up step on one way.
    m_top = 0;
    while (m_folders[m_top].madeUp && m_folders[m_top].fileBegin == m_folders[m_top].fileEnd
           && m_folders[m_top].childEnd - m_folders[m_top].childBegin == 1)
        m_top = m_childOrder[m_folders[m_top].childBegin];
    std::sort(m_repeatedHeadings.begin(), m_repeatedHeadings.end());
}

void CatalogueTree::arrange()
{
    // Files and sub-folders grouped by folder, each group in the catalogue's order.
    std::vector<quint32> fileCounts(m_folders.size() + 1, 0), childCounts(m_folders.size() + 1, 0);
    for (size_t i = 0; i < m_files.size(); ++i)
        ++fileCounts[m_files[i].folder + 1];
    for (quint32 f = 0; f < m_folders.size(); ++f)
        if (m_folders[f].parent != kNone)
            ++childCounts[m_folders[f].parent + 1];
    for (size_t f = 1; f < fileCounts.size(); ++f) {
        fileCounts[f] += fileCounts[f - 1];
        childCounts[f] += childCounts[f - 1];
    }
    for (quint32 f = 0; f < m_folders.size(); ++f) {
        m_folders[f].fileBegin = m_folders[f].fileEnd = fileCounts[f];
        m_folders[f].childBegin = m_folders[f].childEnd = childCounts[f];
    }
    m_fileOrder.resize(m_files.size());
    for (quint32 i = 0; i < m_files.size(); ++i)
        m_fileOrder[m_folders[m_files[i].folder].fileEnd++] = i;
    m_childOrder.resize(childCounts.back());
    for (quint32 f = 0; f < m_folders.size(); ++f)
        if (const quint32 parent = m_folders[f].parent; parent != kNone)
            m_childOrder[m_folders[parent].childEnd++] = f;
}

QByteArrayView CatalogueTree::folderName(quint32 folder) const
{
    const Folder &node = m_folders[folder];
    const QByteArrayView path = folderPath(folder);
    const QByteArrayView name = path.sliced(node.nameStart);
    const qsizetype slash = name.indexOf('/');
    return name.isEmpty() || node.parent == kNone ? path : slash < 0 ? name : name.first(slash);
}

std::span<const quint32> CatalogueTree::children(quint32 folder) const
{
    const Folder &node = m_folders[folder];
    return std::span<const quint32>(m_childOrder).subspan(node.childBegin, node.childEnd - node.childBegin);
}

std::span<const quint32> CatalogueTree::files(quint32 folder) const
{
    const Folder &node = m_folders[folder];
    return std::span<const quint32>(m_fileOrder).subspan(node.fileBegin, node.fileEnd - node.fileBegin);
}

std::vector<qint64> CatalogueTree::headingOffsets(quint32 folder) const
{
    std::vector<qint64> offsets;
    if (m_folders[folder].headingAt >= 0)
        offsets.push_back(m_folders[folder].headingAt);
    auto from = std::lower_bound(m_repeatedHeadings.begin(), m_repeatedHeadings.end(), std::pair<quint32, qint64>(folder, -1));
    for (; from != m_repeatedHeadings.end() && from->first == folder; ++from)
        offsets.push_back(from->second);
    return offsets;
}

quint32 CatalogueTree::folderAt(QByteArrayView path) const
{
    quint32 folder = 0;
    forEachPart(path, [&](QByteArrayView part, qsizetype) {
        if (folder == kNone)
            return;
        folder = childNamed(folder, part);
    });
    return folder;
}

quint32 CatalogueTree::folderNamed(QByteArrayView typed) const
{
    if (typed == QByteArrayView(kBeforeAnyFolderName) && m_beforeAny != kNone)
        return m_beforeAny;
    return folderAt(typed);
}

int CatalogueTree::depth(quint32 folder) const
{
    int depth = 0;
    for (; folder != m_top && folder != kNone; folder = m_folders[folder].parent)
        ++depth;
    return depth;
}

QByteArrayView CatalogueTree::fileName(quint64 file) const
{
    const quint64 nameAt = m_files[file].name >> 24;
    return QByteArrayView(m_nameBlocks[size_t(nameAt / kNameBlock)].get() + nameAt % kNameBlock,
                          qsizetype(m_files[file].name & 0xffffff));
}

QByteArray CatalogueTree::filePath(quint64 file) const
{
    const QByteArrayView folder = folderPath(m_files[file].folder);
    QByteArray path;
    path.reserve(folder.size() + 1 + qsizetype(m_files[file].name & 0xffffff));
    path.append(folder);
    if (!folder.isEmpty() && !folder.endsWith('/'))
        path.append('/');
    return path.append(fileName(file));
}

std::vector<CatalogueTree::FileTexts> CatalogueTree::fileTexts(std::span<const quint32> files) const
{
    std::vector<FileTexts> texts(files.size());
    if (files.empty())
        return texts;
    FileReader file(encodeFileName(m_path));
    if (file.identityAtOpening() != m_identity)
        throw Error(ErrorNumber::PathFileAccess,
                    QCoreApplication::translate("Error", "The catalogue has changed since it was read"));
    // Read in the catalogue's order, neighbouring lines in one read.
    std::vector<quint32> order(files.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return m_files[files[a]].line < m_files[files[b]].line; });
    QByteArray block;
    for (size_t i = 0; i < order.size();) {
        const qint64 from = m_files[files[order[i]]].line;
        size_t j = i;
        qint64 to = from;
        while (j < order.size()) {
            const File &next = m_files[files[order[j]]];
            if (j > i && (next.line - to > 4096 || next.line + next.lineLength - from > kTreeReadBlock))
                break;
            to = std::max(to, next.line + next.lineLength);
            ++j;
        }
        block.resize(to - from);
        block.resize(file.readAt(from, block.data(), block.size()));
        for (; i < j; ++i) {
            const File &entry = m_files[files[order[i]]];
            const qint64 at = entry.line - from;
            if (at + entry.lineLength > block.size())
                continue;
            const catalogue::EntryFields fields = catalogue::entryFields(QByteArrayView(block).sliced(at, entry.lineLength));
            texts[order[i]] = {fields.type.toByteArray(), fields.created.toByteArray()};
        }
    }
    return texts;
}

} // namespace kestrova
