// The search index narrows the reading and never changes what a search finds: indexed and
// whole readings compared over generated catalogues, a stale or damaged index, criteria changed
// during a search, a cache that cannot be written, and catalogues read on several threads.
#include "search/catalogue_search.h"
#include "search/index_cache.h"

#include "platform/posix_file_system.h"
#include "support/recording_search_view.h"
#include "support/temporary_cache.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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

    QTemporaryDir folder;
    QTemporaryDir cacheFolder;
    TemporaryCache cache;
    IndexCache index{cache, IndexCache::Builds::Inline};
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    SearchSession session, plainSession;
    RecordingSearchView view, plainView;
    CatalogueSearch search, plainSearch;
};

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
                                   QStringLiteral("END OF CAT"), QStringLiteral("\u00e9t\u00e9_1"), QStringLiteral("====")};
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

    void criteriaChangedDuringSearchAreLookedForInTheRest()
    {
        Fixture fixture;
        QRandomGenerator random(11);
        const QByteArray content = generatedCatalogue(random, 9000, "a");
        fixture.write(QStringLiteral("a.txt"), content);
        fixture.write(QStringLiteral("b.txt"), generatedCatalogue(random, 9000, "b"));
        // A name few lines hold, so that the index narrows the reading to a few blocks.
        const qsizetype at = content.indexOf("Zebrafinch_", content.size() / 3);
        const QString rare = QString::fromUtf8(content.mid(at, 17));
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
