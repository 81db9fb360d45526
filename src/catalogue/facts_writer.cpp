// Writing the facts beside a catalogue while it is generated: each file line's facts in blocks,
// then the run's facts, the block table and the header, all at once when the catalogue is
// complete.
#include "catalogue_facts.h"

#include "facts_format.h"

#include "platform/files/file_names.h"
#include "platform/files/private_files.h"
#include "platform/files/whole_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace kestrova {

using namespace facts_format;

struct FactsWriter::State
{
    State(const QString &cataloguePath, RunFacts facts) : catalogue(cataloguePath), run(std::move(facts))
    {
        // Facts are the user's alone, whatever the catalogue: a folder another user owns or may
        // write to (or a link to one) could hand them to that user to replace.
        const QString folder = factsFolderFor(cataloguePath);
        if (!makePrivateFolderHere(folder)) {
            refusedFolder = folder;
            return;
        }
        file.emplace(factsPathFor(cataloguePath), 0600);
        file->write(QByteArray(sizeof(Header), '\0'));
    }

    void closeBlock()
    {
        if (inBlock == 0)
            return;
        if (file) {
            table.push_back({firstOffset, quint64(file->size()), quint32(block.size()), inBlock,
                             checksum(block.constData(), block.size())});
            file->write(block);
        }
        block.resize(0); // keeps its room for the next block
        inBlock = 0;
    }

    QString catalogue;
    QString refusedFolder;
    std::optional<WholeFile> file; // none in a refused folder
    RunFacts run;
    QByteArray block;
    std::vector<BlockEntry> table;
    quint32 inBlock = 0;
    qint64 firstOffset = 0;
    qint64 previousOffset = 0;
    qint64 previousModified = 0;
    quint64 entries = 0;
    qint64 totalBytes = 0;
};

FactsWriter::FactsWriter(const QString &cataloguePath, RunFacts run)
    : m_state(std::make_unique<State>(cataloguePath, std::move(run)))
{
}

FactsWriter::~FactsWriter() = default;

void FactsWriter::noteDates(const DateWriting &dates)
{
    m_state->run.dates = dates;
}

void FactsWriter::add(qint64 lineOffset, const FileStat &stat)
{
    State &s = *m_state;
    if (s.inBlock == 0) {
        s.firstOffset = s.previousOffset = lineOffset;
        s.previousModified = 0;
    }
    char bytes[30];
    char *end = putVarint(bytes, quint64(lineOffset - s.previousOffset));
    end = putVarint(end, quint64(std::max<qint64>(-1, stat.size)) + 1); // -1 (not known) gives 0
    // Times differ modulo 2^64, so that no two times a file system reports overflow.
    end = putVarint(end, zigzag(qint64(quint64(stat.modifiedNs) - quint64(s.previousModified))));
    s.block.append(bytes, end - bytes);
    s.previousOffset = lineOffset;
    s.previousModified = stat.modifiedNs;
    // Saturating: no sum of sizes a file system reports can reach it, but a sum never wraps.
    const qint64 size = std::max<qint64>(0, stat.size);
    s.totalBytes = size > std::numeric_limits<qint64>::max() - s.totalBytes ? std::numeric_limits<qint64>::max()
                                                                             : s.totalBytes + size;
    ++s.entries;
    if (++s.inBlock == kBlockEntries)
        s.closeBlock();
}

QString FactsWriter::refusedFolder() const
{
    return m_state->refusedFolder;
}

bool FactsWriter::finish(qint64 catalogueSize, quint64 catalogueChecksum)
{
    State &s = *m_state;
    if (!s.file)
        return false;
    s.closeBlock();
    s.run.ended = QDateTime::currentDateTimeUtc();
    s.run.entries = s.entries;
    s.run.totalBytes = s.totalBytes;
    const QByteArray runText = s.run.text().left(kLongestRunText);
    const QByteArray table(reinterpret_cast<const char *>(s.table.data()), qsizetype(s.table.size() * sizeof(BlockEntry)));
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.version = kVersion;
    header.blockEntries = kBlockEntries;
    header.entryCount = s.entries;
    header.blockCount = s.table.size();
    header.catalogueSize = quint64(catalogueSize);
    header.catalogueChecksum = catalogueChecksum;
    try {
        const FileIdentity identity = FileReader(encodeFileName(s.catalogue)).identityAtOpening();
        header.catalogueModifiedNs = identity.modifiedNs;
        header.catalogueChangedNs = identity.changedNs;
        header.catalogueInode = identity.inode;
        header.catalogueDevice = identity.device;
    } catch (const Error &) {
        return false;
    }
    header.checkedAtNs = nowNs();
    header.runBytes = quint32(runText.size());
    header.runOffset = quint64(s.file->size());
    header.tableOffset = header.runOffset + header.runBytes;
    header.headerChecksum = headerChecksum(header, runText, table);
    return s.file->write(runText) && s.file->write(table)
           && s.file->writeAt(0, QByteArrayView(reinterpret_cast<const char *>(&header), sizeof header))
           && s.file->commit();
}

} // namespace kestrova
