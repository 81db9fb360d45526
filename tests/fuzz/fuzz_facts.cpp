// The facts reader over any bytes: a facts file that is truncated, damaged or forged is left
// aside or read within its bounds, never read past them. The header is made to fit the
// catalogue beside it (size, state, checksums), so that the fuzzer reaches the blocks.
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
        return file.open(QIODevice::WriteOnly)
               && file.write("CATALOGUE Date: 12/6/2026\r\n============================================\r\n") > 0;
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
        for (quint64 i = 0; i < facts->entryCount(); ++i)
            facts->atIndex(i);
        for (qint64 offset = 0; offset < reader.identityAtOpening().size; offset += 7)
            facts->atLine(offset);
    }
    return 0;
}

} // namespace kestrova::fuzz
