// The copies report over a folder of catalogues: copies within one drive and across drives, by
// name and size wherever the folder; a file of the same name but another size is no copy;
// catalogues without facts match by name and type; --under; files that are no catalogues.
#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_generator.h"
#include "catalogue/copies.h"
#include "catalogue/copies_rows.h"
#include "catalogue/drives.h"
#include "platform/files/posix_file_system.h"
#include "support/files.h"

#include <QDir>

#include <limits>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;

namespace {

struct Drives
{
    Drives() { QVERIFY(QDir(cats.path()).exists()); }

    // A drive whose files are the given paths and contents, catalogued with or without facts;
    // as: the catalogue's name when not the drive's, run: the drive's volume and the run's start.
    void catalogue(const QString &drive, const QList<std::pair<QString, QByteArray>> &files, bool useFacts = true,
                   const QString &as = {}, const std::pair<Volume, QDateTime> &run = {})
    {
        const QString root = trees.filePath(drive);
        QDir(root).removeRecursively();
        for (const auto &[path, content] : files) {
            QVERIFY(QDir().mkpath(QFileInfo(root + u'/' + path).path()));
            QVERIFY(testing::writeAll(root + u'/' + path, content));
        }
        const QString catalogueFile = cats.filePath((as.isEmpty() ? drive : as) + QStringLiteral(".txt"));
        std::optional<FactsWriter> writer;
        RunFacts facts = startingRun(root, run.first);
        if (run.second.isValid())
            facts.started = run.second;
        if (useFacts)
            writer.emplace(catalogueFile, facts);
        PosixFileSystem fs;
        GenerationSink quiet;
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(root), catalogueFile, quiet, QDate(2026, 12, 7),
                                                     writer ? &*writer : nullptr);
    }

    CopiesResult report(CopiesOptions::Mode mode, const QByteArray &under = {}, qint64 minimumSize = -1)
    {
        CopiesOptions options;
        options.mode = mode;
        options.under = under;
        options.minimumSize = minimumSize;
        options.threads = 2;
        PosixFileSystem fs;
        return copiesReport(fs, cats.path(), options, sink);
    }

    // Each row as "path (catalogue) copies", paths after the trees' folder; their sizes and
    // where groups start in sizes and starts.
    QStringList rows(CopiesResult &result)
    {
        QStringList out;
        sizes.clear();
        starts.clear();
        byType.clear();
        while (result.next()) {
            out << QStringLiteral("%1 (%2) %3")
                       .arg(QString::fromUtf8(result.path()).mid(trees.path().size() + 1), result.catalogue())
                       .arg(result.copies());
            sizes << result.fileSize();
            starts << result.startsGroup();
            byType << result.sizeUnknownGroup();
        }
        return out;
    }
    QStringList rows(CopiesResult &&result) { return rows(result); }
    QList<qint64> sizes;
    QList<bool> starts;
    QList<bool> byType;

    struct Sink final : CopiesSink
    {
        bool keepGoing(const CopiesProgress &) override { return !stop; }
        void catalogueFailed(const QString &catalogue, const Error &error) override
        {
            failed << QFileInfo(catalogue).fileName() + u' ' + QString::number(error.number());
        }
        QStringList failed;
        bool stop = false;
    } sink;
    QTemporaryDir trees;
    QTemporaryDir cats;
};

} // namespace

class TestCopies : public QObject
{
    Q_OBJECT

private slots:
    void copiesByNameAndSizeWhereverTheyLie()
    {
        Drives drives;
        drives.catalogue(QStringLiteral("one"), {{QStringLiteral("photos/a.jpg"), "123456"},
                                                 {QStringLiteral("photos/b.jpg"), "unique"},
                                                 {QStringLiteral("c.txt"), "x"},
                                                 {QStringLiteral("twice/d.bin"), "dup"},
                                                 {QStringLiteral("d.bin"), "dup"}});
        drives.catalogue(QStringLiteral("two"), {{QStringLiteral("backup/deep/a.jpg"), "654321"},
                                                 {QStringLiteral("c.txt"), "xy"}});
        // On one drive only, largest first: twice on one drive is still one drive.
        CopiesResult single = drives.report(CopiesOptions::Mode::Single);
        QCOMPARE(drives.rows(single), QStringList({QStringLiteral("one/photos/b.jpg (one.txt) 1"),
                                                   QStringLiteral("one/d.bin (one.txt) 2"),
                                                   QStringLiteral("one/twice/d.bin (one.txt) 2"),
                                                   QStringLiteral("two/c.txt (two.txt) 1"),
                                                   QStringLiteral("one/c.txt (one.txt) 1")}));
        QCOMPARE(drives.sizes.first(), qint64(6));
        QCOMPARE(single.entries, quint64(7));
        QVERIFY(single.withoutFacts.isEmpty() && drives.sink.failed.isEmpty());
        // Stored more than once: each copy, its group together.
        CopiesResult duplicates = drives.report(CopiesOptions::Mode::Duplicates);
        QCOMPARE(drives.rows(duplicates), QStringList({QStringLiteral("one/photos/a.jpg (one.txt) 2"),
                                                       QStringLiteral("two/backup/deep/a.jpg (two.txt) 2"),
                                                       QStringLiteral("one/d.bin (one.txt) 2"),
                                                       QStringLiteral("one/twice/d.bin (one.txt) 2")}));
        QCOMPARE(drives.starts, QList<bool>({true, false, true, false}));
        // Only what lies under a folder is listed; its copies are looked for everywhere.
        const QByteArray photos = QFile::encodeName(drives.trees.filePath(QStringLiteral("one/photos")));
        QCOMPARE(drives.rows(drives.report(CopiesOptions::Mode::Single, photos + '/')),
                 QStringList({QStringLiteral("one/photos/b.jpg (one.txt) 1")}));
        QCOMPARE(drives.report(CopiesOptions::Mode::Single, photos.chopped(1)).size(), 0); // ".../photo" is no parent
        QCOMPARE(drives.report(CopiesOptions::Mode::Single, {}, 3).size(), 3);
    }

    void withoutFactsTheNameAndTypeDecide()
    {
        Drives drives;
        drives.catalogue(QStringLiteral("sized"), {{QStringLiteral("a.jpg"), "123"}, {QStringLiteral("b.jpg"), "1"},
                                                   {QStringLiteral("c.txt"), "1"}});
        drives.catalogue(QStringLiteral("bare"), {{QStringLiteral("x/a.jpg"), "other size"}, {QStringLiteral("z.txt"), "z"}},
                         false);
        CopiesResult single = drives.report(CopiesOptions::Mode::Single);
        QCOMPARE(single.withoutFacts, QStringList({QStringLiteral("bare.txt")}));
        QCOMPARE(drives.rows(single), QStringList({QStringLiteral("sized/b.jpg (sized.txt) 1"),
                                                   QStringLiteral("sized/c.txt (sized.txt) 1"),
                                                   QStringLiteral("bare/z.txt (bare.txt) 1")}));
        QCOMPARE(drives.sizes.last(), qint64(-1));
        CopiesResult duplicates = drives.report(CopiesOptions::Mode::Duplicates);
        QCOMPARE(drives.rows(duplicates), QStringList({QStringLiteral("bare/x/a.jpg (bare.txt) 2"),
                                                       QStringLiteral("sized/a.jpg (sized.txt) 2")}));
        QCOMPARE(drives.byType, QList<bool>({true, true}));
        // A size filter leaves out every file whose size is not known.
        QCOMPARE(drives.rows(drives.report(CopiesOptions::Mode::Single, {}, 0)),
                 QStringList({QStringLiteral("sized/a.jpg (sized.txt) 1"), QStringLiteral("sized/b.jpg (sized.txt) 1"),
                              QStringLiteral("sized/c.txt (sized.txt) 1")}));
    }

    void aDriveCataloguedTwiceIsOneDrive()
    {
        Drives drives;
        Volume a;
        a.uuid = QStringLiteral("AAAA-0001");
        a.rootPath = QStringLiteral("/media/a");
        const QDateTime earlier(QDate(2026, 1, 5), QTime(10, 0), Qt::UTC);
        // The later catalogue of drive A first in the folder: its date decides, not its place.
        drives.catalogue(QStringLiteral("a"), {{QStringLiteral("only-a.jpg"), "1"}, {QStringLiteral("both.jpg"), "22"}},
                         true, QStringLiteral("a-later"), {a, earlier.addDays(30)});
        drives.catalogue(QStringLiteral("a"), {{QStringLiteral("only-a.jpg"), "1"}, {QStringLiteral("both.jpg"), "22"},
                                               {QStringLiteral("deleted-since.jpg"), "333"}},
                         true, QStringLiteral("a-photos"), {a, earlier});
        drives.catalogue(QStringLiteral("b"), {{QStringLiteral("both.jpg"), "22"}});
        CopiesResult single = drives.report(CopiesOptions::Mode::Single);
        QCOMPARE(drives.rows(single), QStringList({QStringLiteral("a/only-a.jpg (a-later.txt) 1")}));
        QCOMPARE(single.drives, 2u);
        QCOMPARE(single.catalogues.size(), 3);
        QCOMPARE(single.history, QStringList({QStringLiteral("a-photos.txt")}));
        QCOMPARE(drives.rows(drives.report(CopiesOptions::Mode::Duplicates)),
                 QStringList({QStringLiteral("a/both.jpg (a-later.txt) 2"), QStringLiteral("b/both.jpg (b.txt) 2")}));
    }

    void aDamagedFactsBlockCountsItsFilesByNameAndType()
    {
        Drives drives;
        drives.catalogue(QStringLiteral("one"), {{QStringLiteral("a.jpg"), "123"}, {QStringLiteral("b.txt"), "1"}});
        drives.catalogue(QStringLiteral("two"), {{QStringLiteral("a.jpg"), "123"}});
        // One byte of the first block of one's facts (right after their 128-byte header) flipped.
        QFile facts(factsPathFor(drives.cats.filePath(QStringLiteral("one.txt"))));
        QVERIFY(facts.open(QIODevice::ReadWrite) && facts.seek(128));
        char byte = 0;
        QVERIFY(facts.getChar(&byte) && facts.seek(128) && facts.putChar(char(byte ^ 0x40)));
        facts.close();
        CopiesResult single = drives.report(CopiesOptions::Mode::Single);
        QCOMPARE(drives.rows(single), QStringList({QStringLiteral("one/b.txt (one.txt) 1")}));
        QCOMPARE(drives.sizes.first(), qint64(-1));
        QCOMPARE(single.damagedFacts, QStringList({factsPathFor(drives.cats.filePath(QStringLiteral("one.txt")))}));
        QCOMPARE(drives.rows(drives.report(CopiesOptions::Mode::Duplicates)).size(), 2);
        // Copies of huge sparse files: what the spare copies take saturates.
        QCOMPARE(spareBytes(qint64(1) << 62, 5), std::numeric_limits<qint64>::max());
    }

    // A .kestrova that is a link (even to a folder of the user's own) is left aside and named, in
    // the report and in the drives list alike: its catalogue counts as one without facts.
    void aFactsFolderNotTheUsersAloneIsNamed()
    {
        Drives drives;
        drives.catalogue(QStringLiteral("one"), {{QStringLiteral("a.jpg"), "123"}});
        const QString folder = drives.cats.filePath(QStringLiteral(".kestrova"));
        QTemporaryDir elsewhere;
        QVERIFY(QDir().rename(folder, elsewhere.filePath(QStringLiteral("k"))));
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("k")), folder));
        const CopiesResult result = drives.report(CopiesOptions::Mode::Single);
        QCOMPARE(result.refusedFacts, QStringList({folder}));
        QCOMPARE(result.withoutFacts, QStringList({QStringLiteral("one.txt")}));
        PosixFileSystem fs;
        const std::vector<DriveRow> rows = drivesOf(fs, drives.cats.path(), {});
        QVERIFY(rows.size() == 1 && rows[0].factsRefused && !rows[0].hasFacts);
        QVERIFY(refusedFactsNotice(folder).startsWith(folder + QStringLiteral(" is not yours alone")));
    }

    void whatIsNoCatalogueIsNamedAndTheReportGoesOn()
    {
        Drives drives;
        QCOMPARE(drives.report(CopiesOptions::Mode::Single).size(), 0); // an empty folder
        drives.catalogue(QStringLiteral("one"), {{QStringLiteral("a"), "1"}});
        QVERIFY(testing::writeAll(drives.cats.filePath(QStringLiteral("notes.csv")), "a,b\n"));
        CopiesResult result = drives.report(CopiesOptions::Mode::Single);
        QCOMPARE(result.size(), 1);
        QCOMPARE(drives.sink.failed, QStringList({QStringLiteral("notes.csv 75")}));
        // A missing folder is the report's failure.
        PosixFileSystem fs;
        QVERIFY_THROWS_EXCEPTION(Error, copiesReport(fs, drives.cats.filePath(QStringLiteral("gone")), {}, drives.sink));
        // Stopped: what was found is kept, and said to be partial.
        drives.sink.stop = true;
        QVERIFY(drives.report(CopiesOptions::Mode::Single).stopped);
    }

    // Rows handed over in pieces and written as many small runs come back as one sort would put
    // them; so do rows that fit in one buffer, sorted in memory without a scratch file.
    void rowsMergedFromManyRunsAreInTheSortedOrder_data()
    {
        QTest::addColumn<int>("runBytes");
        QTest::newRow("many runs") << 1000;
        QTest::newRow("in memory") << (1 << 20);
    }
    void rowsMergedFromManyRunsAreInTheSortedOrder()
    {
        QFETCH(int, runBytes);
        copies::RowRuns runs(runBytes);
        QByteArray all;
        std::vector<qsizetype> starts;
        for (int piece = 0; piece < 40; ++piece) {
            QByteArray records;
            for (int i = 0; i < 25; ++i) {
                const int n = (piece * 37 + i * 11) % 97;
                const copies::RowHead head{n % 5 == 0 ? -1 : qint64(n % 7), 0, quint32(n % 3 ? 2 : 2 | copies::kByType),
                                           quint32(n % 4), 0, 0, 0};
                starts.push_back(all.size() + records.size());
                copies::appendRow(records, head, QByteArray::number(n % 13), QByteArray::number(n % 2),
                                  "/f" + QByteArray::number(n));
            }
            all += records;
            runs.add(records, 25);
        }
        runs.finish();
        QCOMPARE(runs.inMemory(), runBytes > all.size());
        std::stable_sort(starts.begin(), starts.end(), [&](qsizetype a, qsizetype b) {
            return copies::comesBefore(copies::RowView::at(all.constData() + a), copies::RowView::at(all.constData() + b));
        });
        QCOMPARE(runs.rows(), quint64(starts.size()));
        std::optional<copies::RowView> before;
        QByteArray beforeFolder;
        for (const qsizetype start : starts) {
            const std::optional<copies::RowView> row = runs.next();
            QVERIFY(row);
            const copies::RowView expected = copies::RowView::at(all.constData() + start);
            QVERIFY(!copies::comesBefore(*row, expected) && !copies::comesBefore(expected, *row));
            // The row before is still readable beside this one (a group's start is told so).
            if (before)
                QCOMPARE(before->folder.toByteArray(), beforeFolder);
            before = row;
            beforeFolder = row->folder.toByteArray();
        }
        QVERIFY(!runs.next());
    }
};

QTEST_MAIN(TestCopies)
#include "test_copies.moc"
