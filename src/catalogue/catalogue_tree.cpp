#include "catalogue_tree.h"

#include "catalogue_format.h"
#include "line_bounds.h"

#include "platform/files/file_names.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace kestrova {
namespace {

constexpr qsizetype kBlock = 1 << 20;
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

QByteArray partKey(quint32 parent, QByteArrayView part)
{
    QByteArray key(reinterpret_cast<const char *>(&parent), sizeof parent);
    return key.append(part);
}

} // namespace

// One pass over the catalogue's lines, in blocks, through the frame rule.
class CatalogueTree::Reading
{
public:
    Reading(CatalogueTree &tree, FileReader &file, CatalogueFacts *facts) : m_tree(tree), m_file(file), m_facts(facts)
    {
        m_buffer.resize(kBlock * 2);
    }

    void run()
    {
        bool skipping = false; // inside a line too long to be a catalogue line
        for (;;) {
            const char *data = m_buffer.constData();
            const char *end = data + m_end;
            const char *stop = findLineEnd(data + m_begin, end);
            // A CR last in what was read may yet be followed by its LF.
            if (stop < end && !(*stop == '\r' && stop + 1 == end && !m_atEnd)) {
                const qsizetype start = std::exchange(m_begin, pastLineEnd(stop, end) - data);
                const qsizetype length = (stop - data) - start;
                if (std::exchange(skipping, false) || length > catalogue::kLongestLine)
                    take({}, -1, 0);
                else
                    take(QByteArrayView(data + start, length), m_bufferAt + start, length);
                continue;
            }
            if (m_atEnd) {
                // The last line, without its line end.
                if (m_begin < m_end && !skipping && m_end - m_begin <= catalogue::kLongestLine)
                    take(QByteArrayView(data + m_begin, m_end - m_begin), m_bufferAt + m_begin, m_end - m_begin);
                return;
            }
            if (m_end - m_begin > catalogue::kLongestLine) {
                // No catalogue line is this long: what was read of it goes (a CR last may be
                // followed by its LF, so it stays), the rest is passed over.
                skipping = true;
                m_begin = m_end - (data[m_end - 1] == '\r' ? 1 : 0);
            }
            fill();
        }
    }

    bool sawHeader() const { return m_sawHeader; }
    QByteArray headerDate() const { return m_headerDate; }

private:
    void fill()
    {
        if (m_begin > 0) {
            std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(m_end - m_begin));
            m_bufferAt += m_begin;
            m_end -= m_begin;
            m_begin = 0;
        }
        if (m_buffer.size() - m_end < kBlock)
            m_buffer.resize(m_end + kBlock);
        const qsizetype got = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        m_atEnd = got == 0;
        m_end += got;
    }

    // One line (empty, offset -1, for one passed over).
    void take(QByteArrayView line, qint64 offset, qsizetype length)
    {
        if (m_lines++ == 0) {
            m_sawHeader = line.startsWith(QByteArrayView(catalogue::kHeaderPrefix));
            if (m_sawHeader)
                m_headerDate = line.sliced(qstrlen(catalogue::kHeaderPrefix)).toByteArray();
        }
        const QByteArrayView rule(catalogue::kRule);
        const bool heading = catalogue::isFolderHeading(line, m_previousIsRule ? rule : QByteArrayView(), m_headingBeforePrevious);
        m_headingBeforePrevious = m_previousIsHeading;
        m_previousIsHeading = heading;
        m_previousIsRule = line == rule;
        if (heading) {
            m_folder = m_tree.folderFor(catalogue::headingFolder(line), offset);
            return;
        }
        if (offset < 0)
            return;
        const catalogue::EntryFields fields = catalogue::entryFields(line);
        if (fields.type.isEmpty())
            return; // the search shows no row for it
        if (m_folder == kNone) {
            if (m_tree.m_beforeAny == kNone)
                m_tree.m_beforeAny = m_tree.addFolder({}, 0, kNone);
            m_folder = m_tree.m_beforeAny;
        }
        m_tree.addFile(m_folder, fields.name, offset, length, m_facts ? m_facts->atLine(offset) : std::nullopt);
    }

    CatalogueTree &m_tree;
    FileReader &m_file;
    CatalogueFacts *m_facts;
    QByteArray m_buffer;
    qsizetype m_begin = 0; // the unread part of the buffer: [m_begin, m_end)
    qsizetype m_end = 0;
    qint64 m_bufferAt = 0; // the file offset of m_buffer[0]
    bool m_atEnd = false;
    quint64 m_lines = 0;
    bool m_sawHeader = false;
    QByteArray m_headerDate;
    bool m_previousIsRule = false;
    bool m_previousIsHeading = false;
    bool m_headingBeforePrevious = false;
    quint32 m_folder = kNone; // of the latest heading
};

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
    addFolder(QByteArrayLiteral("/"), 0, kNone); // the folder above every path; made up unless "/" has a heading
    Reading reading(*this, file, facts.get());
    reading.run();
    if (!reading.sawHeader())
        throw Error(ErrorNumber::PathFileAccess,
                    QCoreApplication::translate("Error", "Not a catalogue: its first line is no catalogue header"));
    m_headerDate = reading.headerDate();
    finish();
}

CatalogueTree::~CatalogueTree() = default;

quint32 CatalogueTree::addFolder(QByteArray path, quint32 nameStart, quint32 parent)
{
    if (m_folders.size() >= kNone - 1)
        throw Error(ErrorNumber::OutOfMemory, QCoreApplication::translate("Error", "More folders than a tree can hold"));
    Folder folder;
    folder.path = std::move(path);
    folder.nameStart = nameStart;
    folder.parent = parent;
    m_folders.push_back(std::move(folder));
    return quint32(m_folders.size() - 1);
}

quint32 CatalogueTree::childFor(quint32 parent, QByteArrayView part)
{
    const QByteArray key = partKey(parent, part);
    if (const auto found = m_byPart.constFind(key); found != m_byPart.cend())
        return *found;
    QByteArray path = m_folders[parent].path;
    if (!path.endsWith('/'))
        path.append('/');
    const quint32 nameStart = quint32(path.size());
    path.append(part);
    const quint32 child = addFolder(std::move(path), nameStart, parent);
    m_byPart.insert(key, child);
    return child;
}

quint32 CatalogueTree::folderFor(QByteArrayView headingText, qint64 headingAt)
{
    // Found by its parts, so that no second copy of every path is held.
    quint32 folder = 0;
    qsizetype lastPart = -1;
    forEachPart(headingText, [&](QByteArrayView part, qsizetype at) {
        folder = childFor(folder, part);
        lastPart = at;
    });
    Folder &node = m_folders[folder];
    if (node.madeUp) {
        // The first heading's own spelling of the path.
        node.madeUp = false;
        node.path = headingText.toByteArray();
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
        m_nameBlocks.push_back(std::make_unique<char[]>(size_t(kNameBlock)));
        m_nameUsed = 0;
    }
    std::memcpy(m_nameBlocks.back().get() + m_nameUsed, name.data(), size_t(name.size()));
    const qint64 nameAt = qint64(m_nameBlocks.size() - 1) * kNameBlock + m_nameUsed;
    m_nameUsed += name.size();
    const qint64 size = facts ? facts->size : -1;
    m_files.push_back(File{nameAt, line, size, facts && size >= 0 ? facts->modifiedNs : 0, quint32(name.size()),
                           quint32(lineLength), folder});
    Totals &own = m_folders[folder].totals;
    ++own.files;
    if (size >= 0)
        own.bytes += quint64(size);
    else
        ++own.unknownSizes;
}

void CatalogueTree::finish()
{
    // Files and sub-folders grouped by folder, each group in the catalogue's order.
    std::vector<quint32> fileCounts(m_folders.size() + 1, 0), childCounts(m_folders.size() + 1, 0);
    for (const File &file : m_files)
        ++fileCounts[file.folder + 1];
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

QByteArrayView CatalogueTree::folderName(quint32 folder) const
{
    const Folder &node = m_folders[folder];
    const QByteArrayView name = QByteArrayView(node.path).sliced(node.nameStart);
    const qsizetype slash = name.indexOf('/');
    return name.isEmpty() || node.parent == kNone ? QByteArrayView(node.path) : slash < 0 ? name : name.first(slash);
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
        const auto found = m_byPart.constFind(partKey(folder, part));
        folder = found == m_byPart.cend() ? kNone : *found;
    });
    return folder;
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
    const File &entry = m_files[file];
    return QByteArrayView(m_nameBlocks[size_t(entry.nameAt / kNameBlock)].get() + entry.nameAt % kNameBlock,
                          entry.nameLength);
}

QByteArray CatalogueTree::filePath(quint64 file) const
{
    const QByteArrayView folder = m_folders[m_files[file].folder].path;
    QByteArray path;
    path.reserve(folder.size() + 1 + m_files[file].nameLength);
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
            if (j > i && (next.line - to > 4096 || next.line + next.lineLength - from > kBlock))
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
