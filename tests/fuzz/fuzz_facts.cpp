// The facts reader over any bytes: a facts file that is truncated, damaged or forged is left
// aside or read within its bounds, never read past them. The header is made to fit the
// catalogue beside it (size, state, checksums), so that the fuzzer reaches the blocks. With
// bit 0 of the header's first reserved field set, every block whose bytes lie in the file gets
// its checksum made to fit too, so that the fuzzer reaches the numbers inside the blocks.
#include "fuzz_targets.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/facts_format.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <limits>

namespace kestrova::fuzz {

int facts(const std::uint8_t *data, std::size_t size)
{
    using namespace facts_format;
    static QTemporaryDir folder;
    static const QString catalogue = folder.filePath(QStringLiteral("c.txt"));
    static const bool written = [] {
        QFile file(catalogue);
        // Room for some blocks of file lines.
        QByteArray text = "CATALOGUE Date: 12/6/2026\r\n============================================\r\n";
        for (int i = 0; i < 40; ++i)
            text += "a;X File;12/6/2026 10:00:00 AM\r\n";
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    }();
    if (!written)
        fail("facts", "cannot write the catalogue");
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const FileReader reader(QFile::encodeName(catalogue));
    if (bytes.size() >= qsizetype(sizeof(Header))) {
        Header header;
        std::memcpy(&header, bytes.constData(), sizeof header);
        const FileIdentity identity = reader.identityAtOpening();
        header.catalogueSize = quint64(identity.size);
        QByteArray content(identity.size, Qt::Uninitialized);
        reader.readAt(0, content.data(), content.size());
        ContentChecksum sum;
        sum.add(content.constData(), content.size());
        header.catalogueChecksum = sum.value();
        header.catalogueModifiedNs = identity.modifiedNs;
        header.catalogueChangedNs = identity.changedNs;
        header.catalogueInode = identity.inode;
        header.catalogueDevice = identity.device;
        header.checkedAtNs = std::numeric_limits<qint64>::max();
        const qsizetype fileSize = bytes.size();
        if ((header.reserved0 & 1) && header.tableOffset <= quint64(fileSize)) {
            for (qsizetype at = qsizetype(header.tableOffset); at + qsizetype(sizeof(BlockEntry)) <= fileSize;
                 at += qsizetype(sizeof(BlockEntry))) {
                BlockEntry block;
                std::memcpy(&block, bytes.constData() + at, sizeof block);
                if (block.dataOffset > quint64(fileSize) || block.dataBytes > quint64(fileSize) - block.dataOffset)
                    continue;
                block.dataChecksum = checksum(bytes.constData() + block.dataOffset, block.dataBytes);
                std::memcpy(bytes.data() + at, &block, sizeof block);
            }
        }
        if (header.runOffset <= quint64(fileSize) && header.runBytes <= quint64(fileSize) - header.runOffset
            && header.tableOffset <= quint64(fileSize))
            header.headerChecksum = headerChecksum(header, QByteArrayView(bytes).sliced(qsizetype(header.runOffset), header.runBytes),
                                                   QByteArrayView(bytes).sliced(qsizetype(header.tableOffset)));
        std::memcpy(bytes.data(), &header, sizeof header);
    }
    QDir().mkpath(folder.filePath(QStringLiteral(".kestrova")));
    {
        QFile file(factsPathFor(catalogue));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            fail("facts", "cannot write the facts");
    }
    if (const std::unique_ptr<CatalogueFacts> facts = CatalogueFacts::open(catalogue, reader)) {
        if (facts->entryCount() > quint64(reader.identityAtOpening().size))
            fail("facts", "more entries than the catalogue has bytes");
        for (quint64 i = 0; i < facts->entryCount(); ++i) {
            const std::optional<EntryFacts> entry = facts->atIndex(i);
            if (entry && entry->size < -1)
                fail("facts", "a size below -1");
        }
        for (qint64 offset = 0; offset < reader.identityAtOpening().size; offset += 7)
            facts->atLine(offset);
    }
    return 0;
}

} // namespace kestrova::fuzz
