#include "catalogue_facts.h"

#include "facts_format.h"

#include "platform/files/file_names.h"
#include "platform/files/private_files.h"
#include "platform/files/whole_file.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <limits>

namespace kestrova {

using namespace facts_format;

namespace {

// Timestamps are kept this coarsely by the coarsest file systems catalogues live on (FAT keeps
// two seconds): a catalogue changed less than this before its facts were checked may have
// changed again since without its timestamps showing it.
constexpr qint64 kTimestampSlackNs = 2'000'000'000;

} // namespace

QString factsPathFor(const QString &cataloguePath)
{
    return factsFolderFor(cataloguePath) + u'/' + QFileInfo(cataloguePath).fileName() + QStringLiteral(".facts");
}

QString factsFolderFor(const QString &cataloguePath)
{
    return QFileInfo(cataloguePath).absolutePath() + QStringLiteral("/.kestrova");
}

QString refusedFactsNotice(const QString &factsFolder)
{
    return QCoreApplication::translate("CatalogueFacts", "%1 is not yours alone (a link, another user's, or others may write to it): the facts in it are left aside")
        .arg(displayFileName(factsFolder));
}

void forgetFacts(const QString &cataloguePath)
{
    // Another's folder is neither read nor written.
    if (privateFolderState(factsFolderFor(cataloguePath)) == PrivateFolderState::Private)
        discardFile(factsPathFor(cataloguePath), sizeof(Header));
}

RunFacts runFactsOf(const QString &cataloguePath)
{
    try {
        const FileReader file(encodeFileName(cataloguePath));
        if (const std::unique_ptr<CatalogueFacts> facts = file.isRegular() ? CatalogueFacts::open(cataloguePath, file) : nullptr)
            return facts->run();
    } catch (const Error &) {
        // A catalogue that cannot be read tells nothing of its drive.
    }
    return {};
}

CatalogueFacts::~CatalogueFacts() = default;

std::unique_ptr<CatalogueFacts> CatalogueFacts::open(const QString &cataloguePath, const FileReader &catalogue,
                                                      Absence *absence)
{
    const auto absent = [&](Absence why) {
        if (absence)
            *absence = why;
        return nullptr;
    };
    std::unique_ptr<CatalogueFacts> facts(new CatalogueFacts);
    const QString path = factsPathFor(cataloguePath);
    // What another user may have written is not taken for the user's facts.
    switch (privateFolderState(factsFolderFor(cataloguePath))) {
    case PrivateFolderState::Missing:
        return absent(Absence::Missing);
    case PrivateFolderState::NotPrivate:
        return absent(Absence::Refused);
    case PrivateFolderState::Private:
        break;
    }
    try {
        facts->m_file = std::make_unique<FileReader>(encodeFileName(path));
    } catch (const Error &error) {
        return absent(error.number() == ErrorNumber::FileNotFound || error.number() == ErrorNumber::PathNotFound
                          ? Absence::Missing
                          : Absence::Unreadable);
    }
    try {
        FileReader &file = *facts->m_file;
        if (file.isRegular() && !file.isPrivate())
            return absent(Absence::Refused);
        const quint64 fileSize = quint64(file.identityAtOpening().size);
        const FileIdentity identity = catalogue.identityAtOpening();
        Header &header = facts->m_header;
        if (!file.isRegular() || file.readAt(0, reinterpret_cast<char *>(&header), sizeof header) != sizeof header
            || std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.version != kVersion)
            return absent(Absence::Unreadable);
        // The catalogue must be the one described: its size first, so that what the header
        // claims is bounded by the catalogue as it is before anything is read or held.
        if (header.catalogueSize != quint64(identity.size))
            return absent(Absence::Stale);
        // Every number checked against the file's size before it is used, none added to another
        // unchecked: the entries fit the catalogue's lines, and the file holds what they need.
        if (header.blockEntries != kBlockEntries || header.runBytes > kLongestRunText
            || header.entryCount > header.catalogueSize / kShortestLine + 1
            || header.entryCount > std::numeric_limits<quint64>::max() / kLongestEntry
            || header.blockCount != (header.entryCount + kBlockEntries - 1) / kBlockEntries
            || header.runOffset < sizeof header || header.runOffset > fileSize
            || header.tableOffset != header.runOffset + header.runBytes
            || header.tableOffset + header.blockCount * sizeof(BlockEntry) != fileSize
            || header.runOffset - sizeof header < header.entryCount * kShortestEntry
            || header.runOffset - sizeof header > header.entryCount * kLongestEntry)
            return absent(Absence::Unreadable);
        QByteArray runText(qsizetype(header.runBytes), Qt::Uninitialized);
        if (file.readAt(qint64(header.runOffset), runText.data(), runText.size()) != runText.size())
            return absent(Absence::Unreadable);
        // The table is summed and checked a piece at a time; only each block's first offset is
        // kept, for the search by offset.
        const qint64 tableBytes = qint64(header.blockCount * sizeof(BlockEntry));
        PieceChecksum sum(tableBytes, headerChecksumStart(header, runText));
        constexpr qint64 kPiece = 4096 * qint64(sizeof(BlockEntry));
        QByteArray piece(qsizetype(std::min(kPiece, tableBytes)), Qt::Uninitialized);
        facts->m_firstOffsets.reserve(size_t(header.blockCount));
        quint64 index = 0;
        qint64 previous = -1;
        for (qint64 at = 0; at < tableBytes; at += piece.size()) {
            const qsizetype size = qsizetype(std::min(kPiece, tableBytes - at));
            if (file.readAt(qint64(header.tableOffset) + at, piece.data(), size) != size)
                return absent(Absence::Unreadable);
            sum.add(piece.constData(), size);
            for (qsizetype i = 0; i < size; i += qsizetype(sizeof(BlockEntry)), ++index) {
                BlockEntry block;
                std::memcpy(&block, piece.constData() + i, sizeof block);
                if (block.firstLineOffset <= previous || !blockFits(block, index, header))
                    return absent(Absence::Unreadable);
                previous = block.firstLineOffset;
                facts->m_firstOffsets.push_back(block.firstLineOffset);
            }
        }
        if (sum.value() != header.headerChecksum)
            return absent(Absence::Unreadable);

        const bool sameState = identity.modifiedNs == header.catalogueModifiedNs
                               && identity.changedNs == header.catalogueChangedNs
                               && identity.inode == header.catalogueInode && identity.device == header.catalogueDevice;
        const bool racy = header.checkedAtNs < std::numeric_limits<qint64>::min() + kTimestampSlackNs
                          || std::max(identity.modifiedNs, identity.changedNs) > header.checkedAtNs - kTimestampSlackNs;
        if (!sameState || racy) {
            const qint64 checkedAt = nowNs();
            ContentChecksum content;
            QByteArray bytes(1 << 20, Qt::Uninitialized);
            for (qint64 at = 0;;) {
                const qsizetype got = catalogue.readAt(at, bytes.data(), bytes.size());
                if (got == 0)
                    break;
                content.add(bytes.constData(), got);
                at += got;
            }
            if (content.value() != header.catalogueChecksum || catalogue.identityNow() != identity)
                return absent(Absence::Stale);
            // Found the same bytes: noted, so that the next opening need not read them again.
            if (std::max(identity.modifiedNs, identity.changedNs) <= checkedAt - kTimestampSlackNs) {
                Header checked = header;
                checked.catalogueModifiedNs = identity.modifiedNs;
                checked.catalogueChangedNs = identity.changedNs;
                checked.catalogueInode = identity.inode;
                checked.catalogueDevice = identity.device;
                checked.checkedAtNs = checkedAt;
                PieceChecksum again(tableBytes, headerChecksumStart(checked, runText));
                for (qint64 at = 0; at < tableBytes; at += piece.size()) {
                    const qsizetype size = qsizetype(std::min(kPiece, tableBytes - at));
                    if (file.readAt(qint64(header.tableOffset) + at, piece.data(), size) != size)
                        return absent(Absence::Unreadable);
                    again.add(piece.constData(), size);
                }
                checked.headerChecksum = again.value();
                overwritePrivateFileStart(encodeFileName(path),
                                          QByteArrayView(reinterpret_cast<const char *>(&checked), sizeof checked));
            }
        }
        facts->m_run = RunFacts::fromText(runText);
        facts->m_entryCount = header.entryCount;
        return facts;
    } catch (const Error &) {
        return absent(Absence::Unreadable);
    } catch (const std::bad_alloc &) {
        return absent(Absence::Unreadable);
    }
}

bool CatalogueFacts::tableEntry(size_t block, BlockEntry &entry)
{
    // Blocks are asked for mostly in order: the table is read some thousands of entries at once.
    constexpr size_t kTableWindow = 4096;
    if (block < m_tableFirst || block >= m_tableFirst + size_t(m_table.size()) / sizeof(BlockEntry)) {
        const size_t count = std::min<size_t>(kTableWindow, m_firstOffsets.size() - block);
        m_table.resize(qsizetype(count * sizeof(BlockEntry)));
        try {
            m_table.resize(m_file->readAt(qint64(m_header.tableOffset + block * sizeof(BlockEntry)), m_table.data(),
                                          m_table.size()));
        } catch (const Error &) {
            m_table.clear();
        }
        m_tableFirst = block;
        if (m_table.size() < qsizetype(sizeof(BlockEntry))) {
            m_table.clear();
            return false;
        }
    }
    std::memcpy(&entry, m_table.constData() + (block - m_tableFirst) * sizeof(BlockEntry), sizeof entry);
    // Checked again: the file may have changed since it was opened.
    return entry.firstLineOffset == m_firstOffsets[block] && blockFits(entry, block, m_header);
}

bool CatalogueFacts::loadBlock(size_t block)
{
    if (block == m_loaded)
        return true;
    m_loaded = size_t(-1);
    BlockEntry entry;
    if (!tableEntry(block, entry))
        return false;
    // Blocks are read some hundred kilobytes at a time: hits come in the catalogue's order, and
    // one reading for each block of a common word would cost more than the search.
    constexpr qint64 kWindow = 256 * 1024;
    if (qint64(entry.dataOffset) < m_windowAt || qint64(entry.dataOffset + entry.dataBytes) > m_windowAt + m_window.size()) {
        m_window.resize(qsizetype(std::max<qint64>(kWindow, entry.dataBytes)));
        try {
            m_window.resize(m_file->readAt(qint64(entry.dataOffset), m_window.data(), m_window.size()));
        } catch (const Error &) {
            m_window.clear();
        }
        m_windowAt = qint64(entry.dataOffset);
        if (m_window.size() < qsizetype(entry.dataBytes))
            return false;
    }
    const char *data = m_window.constData() + (qint64(entry.dataOffset) - m_windowAt);
    if (checksum(data, entry.dataBytes) != entry.dataChecksum)
        return false;
    m_next = reinterpret_cast<const uchar *>(data);
    m_end = m_next + entry.dataBytes;
    m_blockEntries = entry.entries;
    m_decoded = 0;
    m_firstLine = entry.firstLineOffset;
    m_modified = 0;
    m_loaded = block;
    return true;
}

bool CatalogueFacts::decodeUntil(qint64 lineOffset, size_t count)
{
    // Kept in locals while decoding: the compiler cannot tell that the stores into the arrays
    // leave the members alone.
    const uchar *p = m_next;
    const uchar *const end = m_end;
    quint32 decoded = m_decoded;
    qint64 offset = decoded == 0 ? m_firstLine : m_offsets[decoded - 1];
    qint64 modified = m_modified;
    const quint64 catalogueSize = m_header.catalogueSize;
    const quint32 last = quint32(std::min<size_t>(m_blockEntries, count));
    bool whole = true;
    while (decoded < last && (decoded == 0 || offset < lineOffset)) {
        quint64 delta, size, modifiedDelta;
        // Offsets stay within the catalogue; a size beyond what a file can have is damage. Times
        // are differences modulo 2^64, as the writer makes them.
        if (!readVarint(p, end, delta) || !readVarint(p, end, size) || !readVarint(p, end, modifiedDelta)
            || delta >= catalogueSize - quint64(offset)
            || size > quint64(std::numeric_limits<qint64>::max()) + 1) {
            whole = false;
            break;
        }
        offset += qint64(delta);
        modified = qint64(quint64(modified) + quint64(unzigzag(modifiedDelta)));
        m_offsets[decoded] = offset;
        m_entries[decoded] = {size == 0 ? -1 : qint64(size - 1), modified};
        ++decoded;
    }
    m_next = p;
    m_decoded = decoded;
    m_modified = modified;
    if (!whole || (decoded == m_blockEntries && p != end)) {
        m_loaded = size_t(-1);
        return false;
    }
    return true;
}

std::optional<EntryFacts> CatalogueFacts::atLine(qint64 lineOffset)
{
    // Hits come in the catalogue's order: most fall in the block loaded, past what is decoded.
    const bool inLoaded = m_loaded < m_firstOffsets.size() && lineOffset >= m_firstOffsets[m_loaded]
                          && (m_loaded + 1 == m_firstOffsets.size() || lineOffset < m_firstOffsets[m_loaded + 1]);
    if (!inLoaded) {
        const auto after = std::upper_bound(m_firstOffsets.begin(), m_firstOffsets.end(), lineOffset);
        if (after == m_firstOffsets.begin() || !loadBlock(size_t(after - m_firstOffsets.begin() - 1)))
            return std::nullopt;
    }
    if (!decodeUntil(lineOffset, kBlockEntries) || m_decoded == 0)
        return std::nullopt;
    const auto decodedEnd = m_offsets.begin() + m_decoded;
    if (*(decodedEnd - 1) == lineOffset)
        return m_entries[m_decoded - 1];
    const auto found = std::lower_bound(m_offsets.begin(), decodedEnd, lineOffset);
    if (found == decodedEnd || *found != lineOffset)
        return std::nullopt;
    return m_entries[size_t(found - m_offsets.begin())];
}

std::optional<EntryFacts> CatalogueFacts::atIndex(quint64 index)
{
    if (index >= m_entryCount || !loadBlock(size_t(index / kBlockEntries))
        || !decodeUntil(std::numeric_limits<qint64>::max(), size_t(index % kBlockEntries) + 1))
        return std::nullopt;
    if (m_decoded <= index % kBlockEntries)
        return std::nullopt;
    return m_entries[size_t(index % kBlockEntries)];
}

} // namespace kestrova
