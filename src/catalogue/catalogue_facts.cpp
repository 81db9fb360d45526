#include "catalogue_facts.h"

#include "facts_format.h"

#include "platform/files/file_names.h"
#include "platform/files/whole_file.h"

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

QByteArray escaped(const QString &value)
{
    QByteArray out = value.toUtf8();
    out.replace('\\', "\\\\").replace('\n', "\\n").replace('\r', "\\r");
    return out;
}

QString unescaped(QByteArrayView value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out.append(next == 'n' ? '\n' : next == 'r' ? '\r' : next);
        } else {
            out.append(value[i]);
        }
    }
    return QString::fromUtf8(out);
}

QByteArray number(qint64 value)
{
    return value < 0 ? QByteArray() : QByteArray::number(value);
}

qint64 numberOf(const QString &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 ? value : -1;
}

} // namespace

QString factsPathFor(const QString &cataloguePath)
{
    const QFileInfo catalogue(cataloguePath);
    return catalogue.absolutePath() + QStringLiteral("/.kestrova/") + catalogue.fileName() + QStringLiteral(".facts");
}

QByteArray RunFacts::text() const
{
    QByteArray out;
    const auto line = [&](const char *key, const QByteArray &value) {
        if (!value.isEmpty())
            out += QByteArray(key) + '=' + value + '\n';
    };
    line("label", escaped(label));
    line("uuid", escaped(uuid));
    line("filesystem", escaped(fileSystem));
    line("capacity", number(capacity));
    line("free", number(free));
    line("device", escaped(device));
    line("mount_point", escaped(mountPoint));
    line("mount_root", escaped(mountRoot));
    line("root", escaped(root));
    line("started", started.isValid() ? started.toUTC().toString(Qt::ISODateWithMs).toUtf8() : QByteArray());
    line("ended", ended.isValid() ? ended.toUTC().toString(Qt::ISODateWithMs).toUtf8() : QByteArray());
    line("program_version", escaped(programVersion));
    line("entries", QByteArray::number(entries));
    line("total_bytes", number(totalBytes));
    line("date_locale", escaped(dates.locale));
    line("date_pattern", escaped(dates.datePattern));
    line("time_pattern", escaped(dates.timePattern));
    line("am_text", escaped(dates.am));
    line("pm_text", escaped(dates.pm));
    return out;
}

RunFacts RunFacts::fromText(QByteArrayView text)
{
    RunFacts run;
    for (const QByteArrayView line : QByteArray(text.toByteArray()).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArrayView key = line.first(equals);
        const QString value = unescaped(line.sliced(equals + 1));
        if (key == "label")
            run.label = value;
        else if (key == "uuid")
            run.uuid = value;
        else if (key == "filesystem")
            run.fileSystem = value;
        else if (key == "capacity")
            run.capacity = numberOf(value);
        else if (key == "free")
            run.free = numberOf(value);
        else if (key == "device")
            run.device = value;
        else if (key == "mount_point")
            run.mountPoint = value;
        else if (key == "mount_root")
            run.mountRoot = value;
        else if (key == "root")
            run.root = value;
        else if (key == "started")
            run.started = QDateTime::fromString(value, Qt::ISODateWithMs);
        else if (key == "ended")
            run.ended = QDateTime::fromString(value, Qt::ISODateWithMs);
        else if (key == "program_version")
            run.programVersion = value;
        else if (key == "entries")
            run.entries = quint64(std::max<qint64>(0, numberOf(value)));
        else if (key == "total_bytes")
            run.totalBytes = numberOf(value);
        else if (key == "date_locale")
            run.dates.locale = value;
        else if (key == "date_pattern")
            run.dates.datePattern = value;
        else if (key == "time_pattern")
            run.dates.timePattern = value;
        else if (key == "am_text")
            run.dates.am = value;
        else if (key == "pm_text")
            run.dates.pm = value;
    }
    return run;
}

RunFacts startingRun(const QString &root, const Volume &volume)
{
    RunFacts run;
    run.label = volume.label;
    run.uuid = volume.uuid;
    run.fileSystem = volume.fileSystem;
    run.capacity = volume.capacity;
    run.free = volume.free;
    run.device = volume.device;
    run.mountPoint = volume.rootPath;
    run.mountRoot = volume.mountRoot;
    run.root = root;
    run.started = QDateTime::currentDateTimeUtc();
    run.programVersion =
        QStringLiteral("%1.%2.%3").arg(KESTROVA_VERSION_MAJOR).arg(KESTROVA_VERSION_MINOR).arg(KESTROVA_VERSION_PATCH);
    return run;
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
    try {
        facts->m_file = std::make_unique<FileReader>(encodeFileName(path));
    } catch (const Error &error) {
        return absent(error.number() == ErrorNumber::FileNotFound || error.number() == ErrorNumber::PathNotFound
                          ? Absence::Missing
                          : Absence::Unreadable);
    }
    try {
        FileReader &file = *facts->m_file;
        const qint64 fileSize = file.identityAtOpening().size;
        Header header;
        // Every number checked before it is used, none added to another unchecked.
        if (!file.isRegular() || file.readAt(0, reinterpret_cast<char *>(&header), sizeof header) != sizeof header
            || std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.version != kVersion
            || header.blockEntries != kBlockEntries || header.runBytes > kLongestRunText
            || header.catalogueSize > quint64(std::numeric_limits<qint64>::max())
            || header.entryCount > header.catalogueSize / kShortestLine + 1
            || header.blockCount != (header.entryCount + kBlockEntries - 1) / kBlockEntries
            || header.runOffset < sizeof header || header.runOffset > quint64(fileSize)
            || header.tableOffset != header.runOffset + header.runBytes
            || header.tableOffset + header.blockCount * sizeof(BlockEntry) != quint64(fileSize)
            || quint64(fileSize) > sizeof header + header.runBytes + header.entryCount * kLongestEntry
                                       + header.blockCount * sizeof(BlockEntry))
            return absent(Absence::Unreadable);
        QByteArray runText(qsizetype(header.runBytes), Qt::Uninitialized);
        facts->m_table.resize(qsizetype(header.blockCount * sizeof(BlockEntry)));
        if (file.readAt(qint64(header.runOffset), runText.data(), runText.size()) != runText.size()
            || file.readAt(qint64(header.tableOffset), facts->m_table.data(), facts->m_table.size()) != facts->m_table.size()
            || headerChecksum(header, runText, facts->m_table) != header.headerChecksum)
            return absent(Absence::Unreadable);
        const auto *blocks = reinterpret_cast<const BlockEntry *>(facts->m_table.constData());
        qint64 previous = -1;
        for (quint64 i = 0; i < header.blockCount; ++i) {
            const BlockEntry &block = blocks[i];
            const quint32 expected = i + 1 < header.blockCount ? kBlockEntries
                                                                : quint32(header.entryCount - i * kBlockEntries);
            if (block.firstLineOffset <= previous || quint64(block.firstLineOffset) >= header.catalogueSize
                || block.entries != expected || block.dataOffset < sizeof header || block.dataOffset > header.runOffset
                || block.dataBytes > header.runOffset - block.dataOffset || block.dataBytes > expected * kLongestEntry)
                return absent(Absence::Unreadable);
            previous = block.firstLineOffset;
            facts->m_firstOffsets.push_back(block.firstLineOffset);
        }

        // The catalogue must be the one described.
        const FileIdentity identity = catalogue.identityAtOpening();
        if (quint64(identity.size) != header.catalogueSize)
            return absent(Absence::Stale);
        const bool sameState = identity.modifiedNs == header.catalogueModifiedNs
                               && identity.changedNs == header.catalogueChangedNs
                               && identity.inode == header.catalogueInode && identity.device == header.catalogueDevice;
        const bool racy = std::max(identity.modifiedNs, identity.changedNs) > header.checkedAtNs - kTimestampSlackNs;
        if (!sameState || racy) {
            const qint64 checkedAt = nowNs();
            ContentChecksum content;
            QByteArray piece(1 << 20, Qt::Uninitialized);
            for (qint64 at = 0;;) {
                const qsizetype got = catalogue.readAt(at, piece.data(), piece.size());
                if (got == 0)
                    break;
                content.add(piece.constData(), got);
                at += got;
            }
            if (content.value() != header.catalogueChecksum || catalogue.identityNow() != identity)
                return absent(Absence::Stale);
            // Found the same bytes: noted, so that the next opening need not read them again.
            if (std::max(identity.modifiedNs, identity.changedNs) <= checkedAt - kTimestampSlackNs) {
                header.catalogueModifiedNs = identity.modifiedNs;
                header.catalogueChangedNs = identity.changedNs;
                header.catalogueInode = identity.inode;
                header.catalogueDevice = identity.device;
                header.checkedAtNs = checkedAt;
                header.headerChecksum = headerChecksum(header, runText, facts->m_table);
                overwriteFileStart(path, QByteArrayView(reinterpret_cast<const char *>(&header), sizeof header));
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

bool CatalogueFacts::loadBlock(size_t block)
{
    if (block == m_loaded)
        return true;
    m_loaded = size_t(-1);
    const BlockEntry entry = reinterpret_cast<const BlockEntry *>(m_table.constData())[block];
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
    const quint32 last = quint32(std::min<size_t>(m_blockEntries, count));
    bool whole = true;
    while (decoded < last && (decoded == 0 || offset < lineOffset)) {
        quint64 delta, size, modifiedDelta;
        if (!readVarint(p, end, delta) || !readVarint(p, end, size) || !readVarint(p, end, modifiedDelta)) {
            whole = false;
            break;
        }
        offset += qint64(delta);
        modified += unzigzag(modifiedDelta);
        m_offsets[decoded] = offset;
        m_entries[decoded] = {qint64(size) - 1, modified};
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
