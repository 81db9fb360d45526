#include "search/index_cache.h"

#include "support/files.h"
#include "support/temporary_cache.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <utime.h>

using namespace kestrova;
using testing::TemporaryCache;

class TestIndexCacheSweep : public QObject
{
    Q_OBJECT

private slots:
    // Past its bound the folder loses the indexes of catalogues that are gone, then those built
    // longest ago; a catalogue whose folder is not there now keeps its index when pruned.
    void theCacheSweepsItselfPastItsBound()
    {
        QTemporaryDir catalogues, cacheFolder;
        const TemporaryCache location(cacheFolder.filePath(QStringLiteral("cache")));
        index_format::Sizes small;
        small.blockBytes = 256;
        small.smallestIndexed = 1024;
        IndexCache cache(location, IndexCache::Builds::Inline, small);
        QByteArray content = "CATALOGUE Date: 12/6/2026\r\n";
        for (int i = 0; i < 200; ++i)
            content += "file" + QByteArray::number(i) + ".txt;Text Document;1/1/2020\r\n";
        const auto indexes = [&] { return QDir(location.folder()).entryList({QStringLiteral("*.index")}, QDir::Files); };
        const auto catalogue = [&](int n) { return QFile::encodeName(catalogues.filePath(QStringLiteral("c%1.txt").arg(n))); };
        QStringList dated;
        for (int n = 0; n < 3; ++n) {
            QVERIFY(testing::writeAll(QFile::decodeName(catalogue(n)), content));
            QCOMPARE(cache.refresh(catalogue(n)), IndexCache::Refresh::Built);
            // Built a minute apart, oldest first.
            const utimbuf times{time(nullptr) - 600 + 60 * n, time(nullptr) - 600 + 60 * n};
            for (const QString &name : indexes())
                if (!dated.contains(name)) {
                    QCOMPARE(utime(QFile::encodeName(location.folder() + u'/' + name).constData(), &times), 0);
                    dated << name;
                }
        }
        QCOMPARE(indexes().size(), 3);
        const qint64 one = QFileInfo(location.folder() + u'/' + indexes().constFirst()).size();

        // The folder tables of c0 and c1 beside their indexes.
        const auto tables = [&] { return QDir(location.folder()).entryList({QStringLiteral("*.folders")}, QDir::Files); };
        for (int n = 0; n < 2; ++n)
            QVERIFY(cache.keepFolderTable(CatalogueTree(QFile::decodeName(catalogue(n)))));
        QCOMPARE(tables().size(), 2);

        // c1 deleted: a prune takes its index alone, and its table (which the counts leave out).
        QVERIFY(QFile::remove(QFile::decodeName(catalogue(1))));
        const IndexCache::Pruned pruned = cache.prune();
        QCOMPARE(pruned.removed, 1);
        QCOMPARE(pruned.kept, 2);
        QCOMPARE(tables().size(), 1);

        // Room for two: building a fourth removes the oldest, c0's.
        cache.setSizeBound(2 * one + one / 2);
        QVERIFY(testing::writeAll(QFile::decodeName(catalogue(3)), content));
        QCOMPARE(cache.refresh(catalogue(3)), IndexCache::Refresh::Built);
        QCOMPARE(indexes().size(), 2);
        QCOMPARE(cache.refresh(catalogue(2)), IndexCache::Refresh::Current);
        QCOMPARE(cache.refresh(catalogue(3)), IndexCache::Refresh::Current);
    }
};

QTEST_GUILESS_MAIN(TestIndexCacheSweep)
#include "test_index_cache_sweep.moc"
