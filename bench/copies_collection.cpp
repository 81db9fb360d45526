// Writes a folder of catalogues, with the facts beside each, for the copies benchmark: the drives
// of a household whose files are partly kept on several drives (backups) and partly on one.
//
//   copies_collection FOLDER CATALOGUES FILES-EACH SHARED-PERCENT COPIES
//
// Of each catalogue's files, SHARED-PERCENT come from a pool of files that lie on COPIES drives
// on average (same name and size, any folder); the rest are the drive's own. 100 files a folder.
#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_format.h"
#include "catalogue/content_checksum.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <random>

using namespace kestrova;

namespace {

const char *const kTypes[] = {"JPEG image", "plain text document", "PDF document", "MP3 audio", "PNG image"};
const char *const kExtensions[] = {"jpg", "txt", "pdf", "mp3", "png"};

qint64 sizeOf(std::mt19937_64 &random)
{
    // Sizes spread over six orders of magnitude, as on a real drive.
    return qint64(std::exp(std::uniform_real_distribution<double>(std::log(100.0), std::log(5e8))(random)));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: copies_collection FOLDER CATALOGUES FILES-EACH SHARED-PERCENT COPIES\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int catalogues = std::atoi(argv[2]);
    const qint64 filesEach = std::atoll(argv[3]);
    const double shared = std::atof(argv[4]) / 100.0;
    const double copies = std::atof(argv[5]);
    QDir().mkpath(folder);
    const qint64 pool = qint64(double(catalogues) * double(filesEach) * shared / copies);
    std::mt19937_64 random(7);
    std::vector<qint64> poolSizes(size_t(std::max<qint64>(pool, 1)));
    for (qint64 &size : poolSizes)
        size = sizeOf(random);

    for (int drive = 0; drive < catalogues; ++drive) {
        const QString path = QDir(folder).filePath(QStringLiteral("drive%1.txt").arg(drive, 3, 10, QLatin1Char('0')));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        FactsWriter facts(path, RunFacts{});
        ContentChecksum sum;
        qint64 written = 0;
        QByteArray block;
        const auto line = [&](const QByteArray &text) {
            block += text;
            block += "\r\n";
            if (block.size() >= (1 << 20)) {
                sum.add(block.constData(), block.size());
                out.write(block);
                written += block.size();
                block.clear();
            }
        };
        const auto offset = [&] { return written + block.size(); };
        line(QByteArray(catalogue::kHeaderPrefix) + "12/7/2026");
        line(catalogue::kRule);
        const QByteArray root = "/media/drive" + QByteArray::number(drive);
        qint64 folders = 0;
        for (qint64 file = 0; file < filesEach; ++file) {
            if (file % 100 == 0) {
                line(catalogue::kRule);
                line(catalogue::kFolderPrefix + root + "/folder" + QByteArray::number(++folders));
                line(catalogue::kRule);
            }
            const bool fromPool = std::uniform_real_distribution<double>(0, 1)(random) < shared;
            const qint64 which = fromPool ? qint64(random() % quint64(pool)) : file;
            const int kind = int(which % 5);
            const QByteArray name = (fromPool ? "shared_" + QByteArray::number(which)
                                              : "own_" + QByteArray::number(drive) + '_' + QByteArray::number(which))
                                    + '.' + kExtensions[kind];
            const qint64 size = fromPool ? poolSizes[size_t(which)] : sizeOf(random);
            facts.add(offset(), FileStat{{}, size, 1'700'000'000'000'000'000 + which});
            line(name + ';' + kTypes[kind] + ";6/14/2023 10:00:00 AM");
        }
        line("");
        line("");
        line(catalogue::kEndMarker);
        line(catalogue::kFolderTotalPrefix + QByteArray::number(folders));
        line(catalogue::kFileTotalPrefix + QByteArray::number(filesEach));
        sum.add(block.constData(), block.size());
        out.write(block);
        out.close();
        if (!facts.finish(out.size(), sum.value()))
            return 1;
    }
    return 0;
}
