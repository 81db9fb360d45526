// The facts beside a catalogue: written with it, read back by line and by order, bound to its
// bytes (an edited catalogue, another's facts, a copy), and used by the comparison and to find
// a drive mounted elsewhere today.
#include "catalogue/catalogue_comparison.h"
#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_generator.h"
#include "catalogue/content_checksum.h"
#include "catalogue/drives.h"
#include "platform/files/posix_file_system.h"
#include "support/files.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrova;

namespace {

// A file of size bytes, last modified at seconds since the epoch.
void makeFile(const QString &path, qsizetype size, qint64 seconds)
{
    QVERIFY(testing::writeAll(path, QByteArray(size, 'x')));
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

struct Catalogued
{
    explicit Catalogued(const QString &name = QStringLiteral("drive.txt")) : catalogue(cats.filePath(name))
    {
        QVERIFY(QDir(tree.path()).mkpath(QStringLiteral("sub")));
        makeFile(tree.filePath(QStringLiteral("a.txt")), 10, 1'600'000'000);
        makeFile(tree.filePath(QStringLiteral("sub/b.jpg")), 123456, 1'700'000'000);
        generate();
    }
    void generate(bool withFacts = true)
    {
        Volume volume;
        volume.rootPath = QStringLiteral("/media/usb");
        volume.label = QStringLiteral("Holidays");
        volume.uuid = QStringLiteral("1234-ABCD");
        volume.fileSystem = QStringLiteral("vfat");
        volume.capacity = 64'000'000'000;
        volume.mountRoot = QStringLiteral("/photos");
        FactsWriter facts(catalogue, startingRun(tree.path(), volume));
        PosixFileSystem fs;
        GenerationSink sink;
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(tree.path()), catalogue, sink,
                                                     QDate(2026, 12, 7), withFacts ? &facts : nullptr);
    }
    std::unique_ptr<CatalogueFacts> open(CatalogueFacts::Absence *absence = nullptr) const
    {
        const FileReader reader(QFile::encodeName(catalogue));
        return CatalogueFacts::open(catalogue, reader, absence);
    }
    QTemporaryDir tree;
    QTemporaryDir cats;
    QString catalogue;
};

struct Recorded final : DifferenceSink
{
    void difference(const Difference &d) override { changes << d; }
    QList<Difference> changes;
};

} // namespace

class TestCatalogueFacts : public QObject
{
    Q_OBJECT

private slots:
    void writtenWithTheCatalogueAndReadBack()
    {
        Catalogued drive;
        QVERIFY(QFile::exists(drive.cats.filePath(QStringLiteral(".kestrova/drive.txt.facts"))));
        const std::unique_ptr<CatalogueFacts> facts = drive.open();
        QVERIFY(facts);
        QCOMPARE(facts->entryCount(), quint64(2));
        QCOMPARE(facts->atIndex(0)->size, qint64(10));
        QCOMPARE(facts->atIndex(0)->modifiedNs, qint64(1'600'000'000) * 1'000'000'000);
        QCOMPARE(facts->atIndex(1)->size, qint64(123456));
        const QByteArray text = testing::readAll(drive.catalogue);
        QCOMPARE(facts->atLine(text.indexOf("b.jpg;"))->modifiedNs, qint64(1'700'000'000) * 1'000'000'000);
        QVERIFY(!facts->atLine(text.indexOf("b.jpg;") + 1)); // no line starts there
        const RunFacts &run = facts->run();
        QCOMPARE(run.label, QStringLiteral("Holidays"));
        QCOMPARE(run.uuid, QStringLiteral("1234-ABCD"));
        QCOMPARE(run.capacity, qint64(64'000'000'000));
        QCOMPARE(run.free, qint64(-1)); // not known: not recorded
        QCOMPARE(run.root, drive.tree.path());
        QCOMPARE(run.totalBytes, qint64(123466));
        QVERIFY(run.started.isValid() && run.ended >= run.started);
        QCOMPARE(run.mountRoot, QStringLiteral("/photos"));
        QCOMPARE(QStringList({run.dates.locale, run.dates.datePattern, run.dates.timePattern, run.dates.am, run.dates.pm})
                     .join(u'|'),
                 QStringLiteral("en_US|M/d/yyyy|h:mm:ss AP|AM|PM"));
    }

    // Sizes and times of every length a number can take, over several blocks, read back in
    // the catalogue's order, out of it, and by index.
    void everyNumberReadsBack()
    {
        QTemporaryDir cats;
        const QString catalogue = cats.filePath(QStringLiteral("c.txt"));
        constexpr int kFiles = 150;
        QByteArray text;
        QList<qint64> offsets;
        for (int i = 0; i < kFiles; ++i) {
            offsets << text.size();
            text += QByteArray(1 + (i * 37) % 300, 'n') + ";X File;12/7/2026 10:00:00 AM\r\n";
        }
        QVERIFY(testing::writeAll(catalogue, text));
        constexpr qint64 kMost = std::numeric_limits<qint64>::max();
        const auto sizeOf = [](int i) { return i == 7 ? kMost : i % 3 == 0 ? -1 : (qint64(1) << (i % 63)) - (i % 2); };
        const auto modifiedOf = [](int i) {
            return i == 9 ? -kMost - 1 : i == 10 ? kMost : i % 4 == 0 ? -(qint64(1) << (i % 62)) : (qint64(1) << (i % 63)) - 1;
        };
        FactsWriter writer(catalogue, RunFacts{});
        for (int i = 0; i < kFiles; ++i)
            writer.add(offsets[i], FileStat{{}, sizeOf(i), modifiedOf(i)});
        ContentChecksum sum;
        sum.add(text.constData(), text.size());
        QVERIFY(writer.finish(text.size(), sum.value()));

        const FileReader reader(QFile::encodeName(catalogue));
        const std::unique_ptr<CatalogueFacts> facts = CatalogueFacts::open(catalogue, reader);
        QVERIFY(facts);
        for (const int i : {0, 1, 63, 64, 65, 127, 128, 149, 5, 100, 2})
            QCOMPARE(facts->atIndex(quint64(i))->modifiedNs, modifiedOf(i));
        for (int i = 0; i < kFiles; ++i) {
            const std::optional<EntryFacts> entry = facts->atLine(offsets[i]);
            QVERIFY(entry);
            QCOMPARE(entry->size, sizeOf(i));
            QCOMPARE(entry->modifiedNs, modifiedOf(i));
        }
        for (const int i : {149, 3, 64, 63, 0})
            QCOMPARE(facts->atLine(offsets[i])->size, sizeOf(i));
        QVERIFY(!facts->atIndex(kFiles));
        QVERIFY(!facts->atLine(text.size()));
    }

    void factsOfOtherBytesAreNoFacts()
    {
        Catalogued drive;
        CatalogueFacts::Absence absence = CatalogueFacts::Absence::None;
        // Another catalogue's facts copied in.
        Catalogued other(QStringLiteral("other.txt"));
        QFile::remove(drive.cats.filePath(QStringLiteral(".kestrova/drive.txt.facts")));
        QVERIFY(QFile::copy(other.cats.filePath(QStringLiteral(".kestrova/other.txt.facts")),
                            drive.cats.filePath(QStringLiteral(".kestrova/drive.txt.facts"))));
        QVERIFY(!drive.open(&absence));
        QCOMPARE(absence, CatalogueFacts::Absence::Stale);
        // The catalogue edited by hand, keeping its size.
        drive.generate();
        QVERIFY(drive.open());
        QByteArray text = testing::readAll(drive.catalogue);
        text.replace("a.txt;", "A.txt;");
        QVERIFY(testing::writeAll(drive.catalogue, text));
        QVERIFY(!drive.open(&absence));
        QCOMPARE(absence, CatalogueFacts::Absence::Stale);
        // Missing, and damaged.
        QVERIFY(QDir(drive.cats.filePath(QStringLiteral(".kestrova"))).removeRecursively());
        QVERIFY(!drive.open(&absence));
        QCOMPARE(absence, CatalogueFacts::Absence::Missing);
        drive.generate();
        const QString factsPath = drive.cats.filePath(QStringLiteral(".kestrova/drive.txt.facts"));
        QVERIFY(testing::writeAll(factsPath, testing::readAll(factsPath).left(150)));
        QVERIFY(!drive.open(&absence));
        QCOMPARE(absence, CatalogueFacts::Absence::Unreadable);
        // A copy of catalogue and facts elsewhere: the same bytes, so the same facts.
        drive.generate();
        QTemporaryDir copy;
        QVERIFY(QDir(copy.path()).mkdir(QStringLiteral(".kestrova")));
        QVERIFY(QFile::copy(drive.catalogue, copy.filePath(QStringLiteral("drive.txt"))));
        QVERIFY(QFile::copy(factsPath, copy.filePath(QStringLiteral(".kestrova/drive.txt.facts"))));
        const QString copied = copy.filePath(QStringLiteral("drive.txt"));
        const FileReader reader(QFile::encodeName(copied));
        QVERIFY(CatalogueFacts::open(copied, reader));
    }

    // Catalogue lines hold no sizes: a file grown since, with its times kept, gives the same
    // bytes again, and the earlier run's facts must not be read as those of a run that wrote none.
    void factsOfAnEarlierRunAreNotThisRunsFacts()
    {
        Catalogued drive;
        const QByteArray before = testing::readAll(drive.catalogue);
        makeFile(drive.tree.filePath(QStringLiteral("a.txt")), 5000, 1'600'000'000);
        drive.generate(false);
        QCOMPARE(testing::readAll(drive.catalogue), before);
        CatalogueFacts::Absence absence = CatalogueFacts::Absence::None;
        QVERIFY(!drive.open(&absence));
        QCOMPARE(absence, CatalogueFacts::Absence::Missing);
    }

    // Facts are the user's alone: made readable by nobody else, never written into nor read from
    // a .kestrova that is a link or another user's.
    void factsOnlyInAFolderOfTheUsersOwn()
    {
        const mode_t oldMask = umask(022);
        const auto restore = qScopeGuard([&] { umask(oldMask); });
        Catalogued drive;
        const QString folder = drive.cats.filePath(QStringLiteral(".kestrova"));
        struct stat info;
        QCOMPARE(stat(QFile::encodeName(folder + QStringLiteral("/drive.txt.facts")).constData(), &info), 0);
        QCOMPARE(info.st_mode & 077, mode_t(0));
        QCOMPARE(stat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 077, mode_t(0));

        // A link to a folder, even of the user's own, with facts that fit planted in it.
        QTemporaryDir elsewhere;
        const QString planted = elsewhere.filePath(QStringLiteral("drive.txt.facts"));
        QVERIFY(QFile::copy(folder + QStringLiteral("/drive.txt.facts"), planted));
        const QByteArray plantedBytes = testing::readAll(planted);
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(QFile::link(elsewhere.path(), folder));
        drive.generate();
        QCOMPARE(testing::readAll(planted), plantedBytes);
        CatalogueFacts::Absence absence = CatalogueFacts::Absence::None;
        QVERIFY(!drive.open(&absence));
        QCOMPARE(absence, CatalogueFacts::Absence::Refused);
        QVERIFY(QFile::remove(folder));

        if (geteuid() != 0)
            QSKIP("a second user needs root");
        // Another user's .kestrova, open to all, in a folder open to all.
        QVERIFY(QDir().mkdir(folder));
        testing::openToEveryone(folder);
        testing::openToEveryone(drive.cats.path());
        QCOMPARE(chmod(QFile::encodeName(drive.cats.path()).constData(), 01777), 0);
        testing::openToEveryone(drive.tree.path());
        testing::openToEveryone(drive.tree.filePath(QStringLiteral("sub")));
        const QString mine = drive.cats.filePath(QStringLiteral("mine.txt"));
        const int outcome = testing::runUnprivileged([&] {
            FactsWriter facts(mine, RunFacts{});
            PosixFileSystem fs;
            GenerationSink sink;
            const DateConventions dates{QLocale(QStringLiteral("en_US"))};
            CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(drive.tree.path()), mine, sink,
                                                         QDate(2026, 12, 7), &facts);
            if (facts.refusedFolder() != folder || QFile::exists(factsPathFor(mine)))
                return 1;
            const FileReader reader(QFile::encodeName(mine));
            return !CatalogueFacts::open(mine, reader, &absence) && absence == CatalogueFacts::Absence::Refused ? 0 : 2;
        });
        QCOMPARE(outcome, 0);
    }

    // A facts file whose header claims far more than the catalogue beside it can have is left
    // aside before anything it claims is read or held.
    void factsClaimingTheWorldAreLeftAsideAtOnce()
    {
        Catalogued drive;
        const QString path = drive.cats.filePath(QStringLiteral(".kestrova/drive.txt.facts"));
        QByteArray bytes = testing::readAll(path);
        facts_format::Header header;
        std::memcpy(&header, bytes.constData(), sizeof header);
        header.entryCount = quint64(1) << 27;
        header.blockCount = header.entryCount / facts_format::kBlockEntries;
        header.catalogueSize = header.entryCount * 100;
        std::memcpy(bytes.data(), &header, sizeof header);
        QVERIFY(testing::writeAll(path, bytes));
        QVERIFY(QFile::resize(path, qint64(header.tableOffset + header.blockCount * sizeof(facts_format::BlockEntry))));
        CatalogueFacts::Absence absence = CatalogueFacts::Absence::None;
        QVERIFY(!drive.open(&absence));
        QCOMPARE(absence, CatalogueFacts::Absence::Stale);
    }

    // The facts' file has no name until it is whole: a tree that holds its catalogue's folder
    // never lists it. A named one a process that is gone left behind is removed.
    void noSideFileListedNorLeftBehind()
    {
        Catalogued drive;
        const QString cats = drive.tree.filePath(QStringLiteral("cats"));
        QVERIFY(QDir().mkpath(cats + QStringLiteral("/.kestrova")));
        const pid_t gone = fork();
        if (gone == 0)
            _exit(0);
        QCOMPARE(waitpid(gone, nullptr, 0), gone);
        const QString leftover = cats + QStringLiteral("/.kestrova/c.txt.facts.new-%1-1").arg(gone);
        QVERIFY(testing::writeAll(leftover, "half"));
        drive.catalogue = cats + QStringLiteral("/c.txt");
        drive.generate();
        QVERIFY(!testing::readAll(drive.catalogue).contains(".new-"));
        QVERIFY(!QFile::exists(leftover));
        QCOMPARE(QDir(cats + QStringLiteral("/.kestrova")).entryList(QDir::Files), QStringList{QStringLiteral("c.txt.facts")});
    }

    void comparisonSeesChangedSizes()
    {
        Catalogued drive;
        const QString before = drive.cats.filePath(QStringLiteral("before.txt"));
        QVERIFY(QFile::rename(drive.catalogue, before));
        QVERIFY(QFile::rename(drive.cats.filePath(QStringLiteral(".kestrova/drive.txt.facts")),
                              drive.cats.filePath(QStringLiteral(".kestrova/before.txt.facts"))));
        // Rewritten in place: the same name, type and birth time, another size and time.
        QFile file(drive.tree.filePath(QStringLiteral("a.txt")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.write("longer than before");
        file.close();
        drive.generate();
        Recorded sink;
        const ComparisonResult result = compareCatalogues(before, drive.catalogue, sink);
        QCOMPARE(result.changed, quint64(1));
        QCOMPARE(sink.changes.first().oldSize, qint64(10));
        QCOMPARE(sink.changes.first().newSize, qint64(18));
        // Without the facts, nothing tells the two apart.
        QVERIFY(QDir(drive.cats.filePath(QStringLiteral(".kestrova"))).removeRecursively());
        Recorded bare;
        QCOMPARE(compareCatalogues(before, drive.catalogue, bare).changed, quint64(0));
    }

    void aDriveMountedElsewhereIsFoundThere()
    {
        RunFacts run;
        run.uuid = QStringLiteral("1234-ABCD");
        run.label = QStringLiteral("Holidays");
        run.mountPoint = QStringLiteral("/media/usb");
        Volume today;
        today.rootPath = QStringLiteral("/run/media/me/HOLIDAYS");
        today.uuid = QStringLiteral("1234-abcd");
        QCOMPARE(pathToday(QStringLiteral("/media/usb/photos/a.jpg"), run, {today}),
                 QStringLiteral("/run/media/me/HOLIDAYS/photos/a.jpg"));
        QCOMPARE(pathToday(QStringLiteral("/media/usb2/a.jpg"), run, {today}), QStringLiteral("/media/usb2/a.jpg"));
        QCOMPARE(driveToConnect(run, {today}), QString());
        QCOMPARE(pathToday(QStringLiteral("/media/usb/a.jpg"), run, {}), QStringLiteral("/media/usb/a.jpg"));
        QCOMPARE(driveToConnect(run, {}), QStringLiteral("\"Holidays\" (UUID 1234-ABCD)"));
    }

    // Mounts as /proc/self/mountinfo tells them: one btrfs volume mounted as "/" (subvolume @),
    // "/home" (@home) and, bound, "/srv/kim" (@home/kim); a USB drive mounted whole at a path
    // with a blank. Each hit finds its way through the mount that shows its folder of the volume.
    void aVolumeMountedTwiceIsFoundThroughTheRightMount()
    {
        const QList<MountInfo> mounts = parseMountInfo(
            "22 1 0:27 /@ / rw,relatime shared:1 - btrfs /dev/nvme0n1p2 rw,ssd\n"
            "23 22 0:27 /@home /home rw,relatime shared:2 - btrfs /dev/nvme0n1p2 rw,ssd\n"
            "24 22 0:27 /@home/kim /srv/kim rw,relatime - btrfs /dev/nvme0n1p2 rw\n"
            "25 22 8:17 / /media/my\\040usb rw,nosuid - vfat /dev/sdb1 rw\n"
            "broken line\n");
        QCOMPARE(mounts.size(), 4);
        QCOMPARE(mounts[3].mountPoint, QStringLiteral("/media/my usb"));
        QCOMPARE(mounts[3].source, QStringLiteral("/dev/sdb1"));
        QList<Volume> today;
        for (const char *at : {"/", "/home", "/srv/kim", "/media/my usb"}) {
            today.append(Volume{QString::fromUtf8(at), {}, {}, {}, true});
            today.last().uuid = today.size() < 4 ? QStringLiteral("b7f1") : QStringLiteral("1234-ABCD");
        }
        addMountRoots(today, mounts);
        QCOMPARE(today[1].mountRoot, QStringLiteral("/@home"));

        RunFacts home;
        home.uuid = QStringLiteral("b7f1");
        home.mountPoint = QStringLiteral("/home");
        home.mountRoot = QStringLiteral("/@home");
        const QString file = QStringLiteral("/home/kim/a.txt");
        QCOMPARE(pathToday(file, home, today), file); // mounted where it was
        home.mountRoot.clear();                         // facts that do not know the root
        QCOMPARE(pathToday(file, home, today), file);
        home.mountRoot = QStringLiteral("/@home");
        QCOMPARE(pathToday(file, home, {today[0], today[2]}), QStringLiteral("/srv/kim/a.txt"));
        QCOMPARE(pathToday(QStringLiteral("/home/ann/b.txt"), home, {today[0], today[2]}), QStringLiteral("/home/ann/b.txt"));

        // A drive catalogued at "/", mounted elsewhere today: one separator between.
        RunFacts usb;
        usb.uuid = QStringLiteral("1234-abcd");
        usb.mountPoint = QStringLiteral("/");
        QCOMPARE(pathToday(QStringLiteral("/photos/a.jpg"), usb, today), QStringLiteral("/media/my usb/photos/a.jpg"));
        usb.mountPoint = QStringLiteral("/mnt/old");
        QCOMPARE(pathToday(QStringLiteral("/mnt/old"), usb, today), QStringLiteral("/media/my usb"));
    }

    // A folder on a disk without a UUID (or a mounted image, which is no drive) is connected
    // when it is there; a folder of the path on another drive than the facts name is not.
    void aFolderWithoutAKnownDriveIsConnectedWhenThere()
    {
        QTemporaryDir folder;
        RunFacts run;
        run.root = folder.path();
        const std::optional<Volume> connected = connectedVolume(run, {});
        QVERIFY(connected);
        QVERIFY(run.root.startsWith(connected->rootPath));
        run.uuid = QStringLiteral("not-this-drive");
        QVERIFY(!connectedVolume(run, {}));
        run.uuid.clear();
        run.root += QStringLiteral("/gone");
        QVERIFY(!connectedVolume(run, {}));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueFacts)
#include "test_catalogue_facts.moc"
