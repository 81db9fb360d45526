// The search index narrows the reading and never changes what a search finds: indexed and
// whole readings compared over generated catalogues, a stale or damaged index, criteria changed
// during a search, a cache that cannot be written, and catalogues read on several threads.
#include "search/catalogue_search.h"
#include "search/index_cache.h"
#include "search/search_index_format.h"

#include "platform/files/posix_file_system.h"
#include "support/recording_search_view.h"
#include "support/temporary_cache.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrova;
using testing::RecordingSearchView;
using testing::TemporaryCache;

namespace {

const QByteArray kRule(44, '=');

// Lines a catalogue may hold, odd ones included: names with ";", letters whose lower case is
// partly ASCII (U+0130, U+212A KELVIN SIGN), a file named like a heading right after a rule,
// rule lines that close frames, bytes that are not UTF-8, lone CR and LF line ends.
QByteArray generatedCatalogue(QRandomGenerator &random, int folders, const QByteArray &drive)
{
    static const QList<QByteArray> words = {"report", "Photo", "INVOICE", "caf\xc3\xa9", "\xc3\x89t\xc3\xa9",
                                            "\xc4\xb0" "stanbul", "\xe2\x84\xaa" "elvin", "stra\xc3\x9f" "e", "a;b",
                                            "Folders", "zebra", "Zebrafinch", "\xff\xfe" "odd", "notes"};
    static const QList<QByteArray> types = {"JPEG image", "plain text document", "PDF document", "File", ""};
    static const QList<QByteArray> ends = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
    QByteArray out = "CATALOGUE Date: 12/6/2026\r\n" + kRule + "\r\n";
    const auto line = [&](const QByteArray &text) {
        out += text + ends[random.bounded(qsizetype(ends.size()))];
    };
    for (int f = 0; f < folders; ++f) {
        line(kRule);
        line("Folder  /media/" + drive + "/" + words[random.bounded(qsizetype(words.size()))] + QByteArray::number(f));
        line(kRule);
        // Now and then a folder longer than a block of the index.
        const int files = random.bounded(300) == 0 ? 3000 : random.bounded(40);
        for (int i = 0; i < files; ++i) {
            QByteArray name = words[random.bounded(qsizetype(words.size()))] + "_";
            for (int letter = 0; letter < 6; ++letter)
                name += char('a' + random.bounded(26));
            if (i == 0 && random.bounded(8) == 0)
                name = "Folders.txt"; // right after the closing rule: a file, not a heading
            line(name + ";" + types[random.bounded(qsizetype(types.size()))] + ";" + QByteArray::number(random.bounded(12) + 1)
                 + "/" + QByteArray::number(random.bounded(28) + 1) + "/20" + QByteArray::number(10 + random.bounded(15))
                 + " 9:15:00 AM");
        }
        if (random.bounded(50) == 0)
            line(kRule); // a frame that closes twice
    }
    line("");
    line("=============== END OF CATALOGUE =============================");
    line("TOTAL FODERS SCANNED: " + QByteArray::number(folders));
    return out;
}

// A folder of catalogues searched twice: once with the index, once reading every file whole.
struct Fixture
{
    Fixture()
        : cache(cacheFolder.path() + QStringLiteral("/cache")),
          search(session, view, dates, [this] { return folder.path(); },
                 [] { return std::make_unique<PosixFileSystem>(); }),
          plainSearch(plainSession, plainView, dates, [this] { return folder.path(); },
                      [] { return std::make_unique<PosixFileSystem>(); })
    {
        search.setIndex(&index);
    }

    void write(const QString &name, const QByteArray &content)
    {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    // Both searches with the same criteria; their rows, counts and folders must agree.
    void compare(const QString &criteria, bool caseSensitive, bool dateFilter = false)
    {
        for (RecordingSearchView *each : {&view, &plainView}) {
            each->criteria = criteria;
            each->caseSensitiveOn = caseSensitive;
            each->dateFilter = dateFilter;
            each->sortColumn = 3;
        }
        session.FilterDateText = plainSession.FilterDateText = QStringLiteral("6/1/2017");
        search.cmdSearch_Click();
        plainSearch.cmdSearch_Click();
        const QString what = QStringLiteral("criteria \"%1\", case %2").arg(criteria).arg(caseSensitive);
        QVERIFY2(view.paths() == plainView.paths(), qPrintable(what));
        QVERIFY2(session.MatchCount == plainSession.MatchCount, qPrintable(what));
        QVERIFY2(session.CurrentFolder == plainSession.CurrentFolder, qPrintable(what));
        for (qsizetype i = 0; i < view.table.size(); ++i)
            for (int column = 1; column < 4; ++column)
                QVERIFY2(view.table.text(i, column) == plainView.table.text(i, column), qPrintable(what));
    }

    QStringList indexFiles() const
    {
        return QDir(cacheFolder.path() + QStringLiteral("/cache")).entryList(QDir::Files);
    }

    QString indexPath() const { return cacheFolder.path() + QStringLiteral("/cache/") + indexFiles().first(); }

    QTemporaryDir folder;
    QTemporaryDir cacheFolder;
    TemporaryCache cache;
    IndexCache index{cache, IndexCache::Builds::Inline};
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    SearchSession session, plainSession;
    RecordingSearchView view, plainView;
    CatalogueSearch search, plainSearch;
};

// A name few lines of content hold, so that the index narrows a search for it to a few blocks.
QString rareName(const QByteArray &content)
{
    return QString::fromUtf8(content.mid(content.indexOf("Zebrafinch_", content.size() / 3), 17));
}

// Criteria cut from the catalogue itself, so that most of them match somewhere.
QString criteriaFrom(const QByteArray &content, QRandomGenerator &random)
{
    for (;;) {
        qsizetype at = random.bounded(content.size() - 20);
        // Mostly around a file's number, which few lines share.
        if (random.bounded(4) != 0)
            at = std::max<qsizetype>(0, content.indexOf('_', at) - random.bounded(4));
        QString text = QString::fromUtf8(content.mid(at, 1 + random.bounded(16)));
        if (text.contains(u'\r') || text.contains(u'\n') || text.isEmpty())
            continue;
        if (random.bounded(3) == 0)
            text = text.toUpper();
        return text;
    }
}

// The index file's header and block table, to be changed the way a damaged or forged index
// would be, with its checksums made to fit again.
struct IndexFile
{
    explicit IndexFile(const QString &path) : file(path)
    {
        QVERIFY(file.open(QIODevice::ReadWrite));
        QCOMPARE(file.read(reinterpret_cast<char *>(&header), sizeof header), qint64(sizeof header));
        path_ = file.read(header.pathLength);
        tableOffset = file.size() - qint64(header.blockCount) * qint64(sizeof(IndexedBlock));
        file.seek(tableOffset);
        blocks.resize(header.blockCount);
        file.read(reinterpret_cast<char *>(blocks.data()), qint64(blocks.size() * sizeof(IndexedBlock)));
    }
    void save()
    {
        using namespace index_format;
        header.blockTableChecksum = checksum(reinterpret_cast<const char *>(blocks.data()), qsizetype(blocks.size() * sizeof(IndexedBlock)));
        header.headerChecksum = headerChecksum(header, path_);
        file.seek(0);
        file.write(reinterpret_cast<const char *>(&header), sizeof header);
        file.seek(tableOffset);
        file.write(reinterpret_cast<const char *>(blocks.data()), qint64(blocks.size() * sizeof(IndexedBlock)));
        file.close();
    }
    QFile file;
    index_format::Header header{};
    QByteArray path_;
    qint64 tableOffset = 0;
    std::vector<IndexedBlock> blocks;
};

// The index file at path with the header fields that tell when and how it was built (time,
// whether the content was summed, its sum, the header's checksum) blanked.
QByteArray withoutBuildTime(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    index_format::Header header{};
    std::memcpy(&header, bytes.constData(), sizeof header);
    header.builtAtNs = 0;
    header.flags &= ~index_format::kContentChecked;
    header.contentChecksum = 0;
    header.headerChecksum = 0;
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    stat(QFile::encodeName(path).constData(), &info);
    return info.st_ino;
}

mode_t modeOf(const QString &path)
{
    struct stat info {};
    stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

} // namespace

class TestSearchIndex : public QObject
{
    Q_OBJECT

private slots:
    void indexedSearchFindsWhatTheWholeReadingFinds()
    {
        Fixture fixture;
        QRandomGenerator random(20261207);
        // The first catalogue starts without a heading: its rows take the folder the one
        // before left.
        const QByteArray content = generatedCatalogue(random, 9000, "a");
        fixture.write(QStringLiteral("a.txt"), "loose.txt;File;1/1/2020 9:15:00 AM\r\n" + content);
        fixture.write(QStringLiteral("b.txt"), generatedCatalogue(random, 7000, "b"));
        fixture.write(QStringLiteral("small.txt"), generatedCatalogue(random, 20, "s"));
        fixture.compare(QStringLiteral("Zebrafinch"), true); // builds the indexes
        QCOMPARE(fixture.indexFiles().size(), 3);
        const QStringList fixed = {QStringLiteral("zebrafinch"), QStringLiteral("Folder"), QStringLiteral("Folders.txt"),
                                   QStringLiteral("TOTAL FODERS"), QStringLiteral("caf\u00c9_"), QStringLiteral("\u0130stan"),
                                   QStringLiteral("kelvin_"), QStringLiteral("STRASSE"), QStringLiteral("a;b_"),
                                   QStringLiteral("e"), QStringLiteral("zz"), QStringLiteral("txt;File;"),
                                   QStringLiteral("END OF CAT"), QStringLiteral("\u00e9t\u00e9_1"), QStringLiteral("===="),
                                   QStringLiteral("\uFFFD\uFFFDodd_")};
        for (const QString &criteria : fixed)
            for (const bool caseSensitive : {false, true})
                fixture.compare(criteria, caseSensitive);
        for (int i = 0; i < 80; ++i)
            fixture.compare(criteriaFrom(content, random), random.bounded(2), random.bounded(4) == 0);
        QVERIFY2(fixture.index.narrowedReadings() > 40, // most of them read only a few blocks
                 qPrintable(QString::number(fixture.index.narrowedReadings())));
    }

    void staleOrDamagedIndexIsNeverUsed()
    {
        Fixture fixture;
        QRandomGenerator random(7);
        fixture.write(QStringLiteral("a.txt"), generatedCatalogue(random, 9000, "a"));
        fixture.compare(QStringLiteral("notes_"), false);
        QCOMPARE(fixture.indexFiles().size(), 1);
        const QString indexPath = fixture.cacheFolder.path() + QStringLiteral("/cache/") + fixture.indexFiles().first();

        // A catalogue written again: the new lines are found, and the index made again.
        QFile catalogue(fixture.folder.filePath(QStringLiteral("a.txt")));
        QVERIFY(catalogue.open(QIODevice::Append));
        catalogue.write(kRule + "\r\nFolder  /media/late\r\n" + kRule + "\r\nhoopoe.txt;File;1/1/2020\r\n");
        catalogue.close();
        fixture.compare(QStringLiteral("hoopoe"), false);
        QCOMPARE(fixture.view.paths(), QStringList{QStringLiteral("/media/late/hoopoe.txt")});

        // Damaged bits anywhere past the header: still the same rows.
        QFile index(indexPath);
        const qint64 size = index.size();
        for (const qint64 at : {qint64(200), size / 3, size / 2, size - 10}) {
            QVERIFY(index.open(QIODevice::ReadWrite));
            index.seek(at);
            char byte = 0;
            index.getChar(&byte);
            index.seek(at);
            index.putChar(char(byte ^ 0x5a));
            index.close();
            fixture.compare(QStringLiteral("hoopoe"), false);
            fixture.compare(QStringLiteral("Zebrafinch_"), true);
        }
        // Cut short.
        QVERIFY(index.resize(size / 2));
        fixture.compare(QStringLiteral("hoopoe"), false);
    }

    void blockBoundInsideTheLastLineOfARead()
    {
        // The index is built reading 1 MiB at a time. A 66 KB line that ends the last whole line
        // of the first read holds the bound of a block far from its end; the lines around it
        // are 161 bytes long. Building that index once read memory no longer held.
        Fixture fixture;
        QByteArray content = "CATALOGUE Date: 12/6/2026\r\n" + kRule + "\r\n" + kRule + "\r\nFolder  /m\r\n" + kRule + "\r\n";
        const auto fileLine = [](int i) {
            const QByteArray name = "file" + QByteArray::number(i).rightJustified(6, '0');
            return name + ";" + QByteArray(161 - 2 - name.size() - 16, 't') + ";1/1/2020 9:15 AM\r\n";
        };
        int i = 0;
        while (content.size() < (1 << 20) - 66 * 1024 - 300)
            content += fileLine(i++);
        // Ending 100 bytes before the first read's end: the next line reaches past it.
        content += "wide;" + QByteArray((1 << 20) - 100 - content.size() - 16, 'w') + ";1/1/2020\r\n";
        QCOMPARE(content.size(), (1 << 20) - 100);
        while (content.size() < 3 * (1 << 20))
            content += fileLine(i++);
        fixture.write(QStringLiteral("a.txt"), content);
        for (const QString &criteria : {QStringLiteral("file000123"), QStringLiteral("file012345"), QStringLiteral("wide;")}) {
            fixture.compare(criteria, false);
            QCOMPARE(fixture.view.paths().size(), 1);
        }
        QVERIFY(fixture.index.narrowedReadings() > 0);
    }

    void catalogueRewrittenInPlaceIsNotTakenForTheOneIndexed()
    {
        Fixture fixture;
        QRandomGenerator random(19);
        const QByteArray content = generatedCatalogue(random, 9000, "a");
        fixture.write(QStringLiteral("a.txt"), content);
        fixture.compare(QStringLiteral("notes_"), false);
        const QString catalogue = fixture.folder.filePath(QStringLiteral("a.txt"));
        const qsizetype at = content.indexOf("notes_", content.size() / 2);
        const auto rewrite = [&] {
            // 11 bytes changed in place, the modification time put back as "touch -r" does.
            struct stat before {};
            stat(QFile::encodeName(catalogue).constData(), &before);
            QFile file(catalogue);
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.seek(at);
            file.write("hoopoe_abcd");
            file.close();
            const timespec times[2] = {before.st_atim, before.st_mtim};
            QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(catalogue).constData(), times, 0), 0);
        };
        rewrite();
        fixture.compare(QStringLiteral("hoopoe_abcd"), false);
        QCOMPARE(fixture.view.paths().size(), 1);

        // Where the file system's clock is too coarse to tell the two writes apart, they look
        // the same: the index was built within that time of the catalogue's change, and is used
        // only when the catalogue's bytes are those it was built from.
        fixture.compare(QStringLiteral("notes_"), false);
        const QString indexPath = fixture.indexPath();
        const QString kept = fixture.cacheFolder.filePath(QStringLiteral("kept"));
        QVERIFY(QFile::copy(indexPath, kept));
        QVERIFY(QFile::remove(catalogue));
        fixture.write(QStringLiteral("a.txt"), content.left(at) + "kingfisher_" + content.mid(at + 11));
        fixture.compare(QStringLiteral("notes_"), false); // an index of the new bytes
        IndexFile index(indexPath);
        const index_format::Header current = index.header;
        index.file.close();
        QVERIFY(QFile::remove(indexPath));
        QVERIFY(QFile::rename(kept, indexPath));
        IndexFile older(indexPath); // the bytes before, under the file's state now
        older.header.modifiedNs = current.modifiedNs;
        older.header.changedNs = current.changedNs;
        older.header.inode = current.inode;
        older.save();
        fixture.compare(QStringLiteral("kingfisher_"), false);
        QCOMPARE(fixture.view.paths().size(), 1);
    }

    void indexesAreTheUsersAlone()
    {
        const mode_t saved = umask(022);
        Fixture fixture;
        QRandomGenerator random(23);
        fixture.write(QStringLiteral("a.txt"), generatedCatalogue(random, 9000, "a"));
        const QString home = fixture.cacheFolder.path() + QStringLiteral("/home");
        TemporaryCache nested(home + QStringLiteral("/.cache/kestrova"));
        {
            IndexCache index(nested, IndexCache::Builds::Inline);
            fixture.search.setIndex(&index);
            fixture.compare(QStringLiteral("notes_"), false);
            fixture.search.setIndex(nullptr);
        }
        umask(saved);
        const QStringList files = QDir(nested.folder()).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QCOMPARE(modeOf(home + QStringLiteral("/.cache")), mode_t(0700));
        QCOMPARE(modeOf(nested.folder()), mode_t(0700));
        QCOMPARE(modeOf(nested.folder() + u'/' + files.first()), mode_t(0600));

        // A cache folder others may write to is not used; an index others may write is not read.
        QVERIFY(QFile::setPermissions(nested.folder(), QFileDevice::Permissions(0x7777)));
        IndexCache shared(nested, IndexCache::Builds::Inline);
        QVERIFY(shared.folderRefused());
        fixture.search.setIndex(&shared);
        fixture.compare(QStringLiteral("notes_"), false);
        QCOMPARE(shared.narrowedReadings(), quint64(0));
        QVERIFY(QFile::setPermissions(nested.folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        const QString indexFile = nested.folder() + u'/' + files.first();
        QVERIFY(QFile::setPermissions(indexFile, QFileDevice::Permissions(0x6666)));
        IndexCache writable(nested, IndexCache::Builds::Inline);
        fixture.search.setIndex(&writable);
        fixture.compare(QStringLiteral("notes_"), false);
        QCOMPARE(writable.narrowedReadings(), quint64(0));
        QCOMPARE(modeOf(indexFile), mode_t(0600)); // built again, the user's alone
        fixture.search.setIndex(&fixture.index);
    }

    void damagedBucketRowsAreBuiltAgain()
    {
        Fixture fixture;
        QRandomGenerator random(29);
        const QByteArray content = generatedCatalogue(random, 9000, "a");
        fixture.write(QStringLiteral("a.txt"), content);
        const QString rare = rareName(content);
        fixture.compare(QStringLiteral("notes_"), false);
        const QString catalogue = fixture.folder.filePath(QStringLiteral("a.txt"));
        const auto damageRows = [&] {
            IndexFile index(fixture.indexPath());
            const qint64 rows = qint64(sizeof index.header) + index_format::alignedPathLength(index.header.pathLength)
                                + index_format::kGroupChecksumBytes;
            QFile file(fixture.indexPath());
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.seek(rows);
            QByteArray bytes = file.read(index_format::kGroupChecksumBytes * 64);
            for (char &byte : bytes)
                byte = char(~byte);
            file.seek(rows);
            file.write(bytes);
        };
        damageRows();
        QCOMPARE(fixture.index.refresh(QFile::encodeName(catalogue)), IndexCache::Refresh::Built);
        QCOMPARE(fixture.index.refresh(QFile::encodeName(catalogue)), IndexCache::Refresh::Current);
        // An index of the format before, whole and checking, is never read but built again.
        {
            IndexFile older(fixture.indexPath());
            older.header.version = index_format::kVersion - 1;
            older.save();
        }
        const quint64 beforeOlder = fixture.index.narrowedReadings();
        fixture.compare(rare, true);
        QCOMPARE(fixture.index.narrowedReadings(), beforeOlder);
        QCOMPARE(fixture.index.refresh(QFile::encodeName(catalogue)), IndexCache::Refresh::Current);
        damageRows();
        const ino_t damaged = inodeOf(fixture.indexPath());
        const quint64 narrowed = fixture.index.narrowedReadings();
        fixture.compare(rare, true);
        QCOMPARE(fixture.index.narrowedReadings(), narrowed);
        QVERIFY(inodeOf(fixture.indexPath()) != damaged);
        fixture.compare(rare, true);
        QCOMPARE(fixture.index.narrowedReadings(), narrowed + 1);
    }

    void forgedNumbersNearTheirLimitsAreRefused()
    {
        Fixture fixture;
        QRandomGenerator random(31);
        const QByteArray content = generatedCatalogue(random, 9000, "a");
        fixture.write(QStringLiteral("a.txt"), content);
        const QString rare = rareName(content);
        fixture.compare(rare, true);
        fixture.compare(rare, true);
        QVERIFY(fixture.index.narrowedReadings() > 0);
        for (const auto &[offset, length] : {std::pair{std::numeric_limits<qint64>::max() - 4, 10},
                                             std::pair{qint64(-2), 0}, std::pair{qint64(0), std::numeric_limits<qint32>::max()}}) {
            IndexFile index(fixture.indexPath());
            for (IndexedBlock &block : index.blocks) {
                block.headingOffset = offset;
                block.headingLength = length;
            }
            index.save();
            const quint64 narrowed = fixture.index.narrowedReadings();
            fixture.compare(rare, true);
            QCOMPARE(fixture.index.narrowedReadings(), narrowed);
        }
        IndexFile index(fixture.indexPath());
        index.header.finalHeadingOffset = std::numeric_limits<qint64>::max() - 4;
        index.header.finalHeadingLength = 10;
        index.save();
        const quint64 narrowed = fixture.index.narrowedReadings();
        fixture.compare(rare, true);
        QCOMPARE(fixture.index.narrowedReadings(), narrowed);
    }

    void criteriaChangedDuringSearchAreLookedForInTheRest()
    {
        Fixture fixture;
        QRandomGenerator random(11);
        const QByteArray content = generatedCatalogue(random, 9000, "a");
        fixture.write(QStringLiteral("a.txt"), content);
        fixture.write(QStringLiteral("b.txt"), generatedCatalogue(random, 9000, "b"));
        const QString rare = rareName(content);
        fixture.compare(rare, true);
        fixture.compare(rare, true);
        fixture.compare(rare, true);
        QVERIFY(fixture.index.narrowedReadings() > 0);
        // Changed at the first hit's yield: the rest of a.txt is read for the new criteria.
        for (RecordingSearchView *view : {&fixture.view, &fixture.plainView}) {
            const int start = view->yields;
            view->onYield = [view, start] {
                if (view->yields == start + 3)
                    view->criteria = QStringLiteral("Photo_");
            };
        }
        fixture.compare(rare, true);
        QCOMPARE(fixture.view.paths().first().section(u'/', 2, 2), QStringLiteral("a"));
        QVERIFY(fixture.view.paths().size() > 50);
    }

    void lineTooLongFoundLateLeavesAnIndexThatSaysReadWhole()
    {
        Fixture fixture;
        QRandomGenerator random(17);
        // Blocks enough to fill a group of the index before the overlong line turns up.
        fixture.write(QStringLiteral("a.txt"), generatedCatalogue(random, 20000, "a") + QByteArray(600 * 1024, 'x') + "\r\n");
        fixture.compare(QStringLiteral("notes_"), false);
        QCOMPARE(fixture.indexFiles().size(), 1);
        const QByteArray index = QFile::encodeName(fixture.cacheFolder.path() + QStringLiteral("/cache/")
                                                   + fixture.indexFiles().first());
        struct stat before {};
        QVERIFY(stat(index.constData(), &before) == 0);
        QVERIFY2(before.st_size < 4096, qPrintable(QString::number(before.st_size)));
        // It is current: the next search does not build it again.
        fixture.compare(QStringLiteral("notes_"), false);
        struct stat after {};
        QVERIFY(stat(index.constData(), &after) == 0);
        QCOMPARE(after.st_ino, before.st_ino);
    }

    void cacheThatCannotBeWrittenOnlyMeansNoIndex()
    {
        QTemporaryDir folder;
        QFile blocker(folder.filePath(QStringLiteral("cache")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        Fixture fixture;
        QRandomGenerator random(3);
        fixture.write(QStringLiteral("a.txt"), generatedCatalogue(random, 9000, "a"));
        TemporaryCache blocked(folder.filePath(QStringLiteral("cache")));
        IndexCache index(blocked, IndexCache::Builds::Inline);
        fixture.search.setIndex(&index);
        fixture.compare(QStringLiteral("notes_"), false);
        QVERIFY(!fixture.view.paths().isEmpty());
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("cache"))).isFile());
    }

    void backgroundBuildsLeaveTheSearchAtOnce()
    {
        Fixture fixture;
        QRandomGenerator random(5);
        fixture.write(QStringLiteral("a.txt"), generatedCatalogue(random, 9000, "a"));
        IndexCache background(fixture.cache, IndexCache::Builds::Background);
        fixture.search.setIndex(&background);
        fixture.compare(QStringLiteral("notes_"), false);
        background.waitForBuilds();
        QCOMPARE(fixture.indexFiles().size(), 1);
        fixture.compare(QStringLiteral("notes_"), false);
    }

    void indexesBuiltAsTheCatalogueIsReadOrWrittenAreThoseOfAReadingOfTheirOwn()
    {
        Fixture fixture;
        QRandomGenerator random(26);
        const QByteArray content = generatedCatalogue(random, 6000, "a");
        fixture.write(QStringLiteral("a.txt"), content);
        const QByteArray path = QFile::encodeName(fixture.folder.filePath(QStringLiteral("a.txt")));

        // A search that finds no index leaves one, from the same reading; the index command
        // finds it current, and its bytes are those a reading of its own writes.
        fixture.compare(rareName(content), false);
        QCOMPARE(fixture.indexFiles().size(), 1);
        const QByteArray fromSearch = withoutBuildTime(fixture.indexPath());
        QCOMPARE(fixture.index.refresh(path), IndexCache::Refresh::Current);
        QFile::remove(fixture.indexPath());
        QCOMPARE(fixture.index.refresh(path), IndexCache::Refresh::Built);
        const QByteArray fromCommand = withoutBuildTime(fixture.indexPath());
        QVERIFY(!fromCommand.isEmpty());
        QVERIFY(fromSearch == fromCommand);

        // The bytes handed over in pieces of any size, as generation writes them.
        QFile::remove(fixture.indexPath());
        {
            const std::unique_ptr<CatalogueTap> tap = fixture.index.buildWhileWriting(path);
            QVERIFY(tap);
            for (qsizetype at = 0, piece; at < content.size(); at += piece) {
                piece = std::min<qsizetype>(content.size() - at, 1 + random.bounded(random.bounded(2) ? 40 : 70000));
                tap->feed(QByteArrayView(content).sliced(at, piece));
            }
            QVERIFY(tap->finish());
        }
        QVERIFY(withoutBuildTime(fixture.indexPath()) == fromCommand);
        // Written just now, it is trusted once the catalogue is found to hold the bytes fed.
        fixture.compare(rareName(content), false);
        QCOMPARE(fixture.index.narrowedReadings(), quint64(1));

        // Bytes that are not the catalogue's, a write cut short, leave no index.
        QFile::remove(fixture.indexPath());
        {
            const std::unique_ptr<CatalogueTap> tap = fixture.index.buildWhileWriting(path);
            tap->feed(QByteArrayView(content).first(content.size() / 2));
            QVERIFY(!tap->finish());
        }
        QVERIFY(fixture.indexFiles().isEmpty());

        // A path as typed, with "." and "..", names the catalogue the search finds.
        QCOMPARE(absoluteCataloguePath("./cats/../cats/a.txt"), absoluteCataloguePath("cats/a.txt"));
        QCOMPARE(absoluteCataloguePath("/x/./y/../a.txt"), QByteArray("/x/a.txt"));
    }

    void severalThreadsHandTheHitsOverInFileOrder()
    {
        Fixture fixture;
        QRandomGenerator random(13);
        fixture.write(QStringLiteral("a.txt"), generatedCatalogue(random, 3000, "a"));
        fixture.write(QStringLiteral("b.txt"), "loose.txt;File;1/1/2020 9:15:00 AM\r\n" + generatedCatalogue(random, 50, "b"));
        fixture.write(QStringLiteral("c.txt"), "no headings here;File;1/1/2020\r\n");
        fixture.write(QStringLiteral("d.txt"), "loose.txt;File;1/1/2021 9:15:00 AM\r\n");
        fixture.write(QStringLiteral("e.txt"), generatedCatalogue(random, 4000, "e"));
        fixture.search.setIndex(nullptr);
        fixture.search.setThreads(3);
        for (const QString &criteria : {QStringLiteral("txt"), QStringLiteral("Zebrafinch"), QStringLiteral("FILE;")}) {
            fixture.compare(criteria, false);
            fixture.compare(criteria, true, true);
        }
    }
};

QTEST_GUILESS_MAIN(TestSearchIndex)
#include "test_search_index.moc"
