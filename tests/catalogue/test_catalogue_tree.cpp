// The tree of a catalogue: the same headings and entries the search sees, hostile catalogues
// included; folders made up, repeated and before any heading; totals against a real tree.
#include "catalogue/catalogue_generator.h"
#include "catalogue/catalogue_tree.h"
#include "platform/files/posix_file_system.h"
#include "search/catalogue_search.h"
#include "support/files.h"
#include "support/recording_search_view.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace kestrova;

namespace {

const QByteArray kRule = "============================================";
const QByteArray kHeader = "CATALOGUE Date: 12/6/2026\r\n" + kRule + "\r\n";
// A heading in its frame.
QByteArray heading(const QByteArray &folder, const QByteArray &end = "\r\n")
{
    return kRule + end + "Folder  " + folder + end + kRule + end;
}
const QByteArray kEnd = "=============== END OF CATALOGUE =============================\r\n"
                        "TOTAL FODERS SCANNED: 2\r\nTOTAL FILES SCANNED: 4\r\n";

// Every entry as "path|type|created", sorted.
QStringList treeRows(const CatalogueTree &tree)
{
    QStringList rows;
    std::vector<quint32> all;
    for (quint32 f = 0; f < tree.fileCount(); ++f)
        all.push_back(f);
    const std::vector<CatalogueTree::FileTexts> texts = tree.fileTexts(all);
    for (quint32 f = 0; f < tree.fileCount(); ++f) {
        // The search names an entry before any heading under an empty folder.
        const QByteArray path = tree.fileFolder(f) == tree.beforeAnyFolder() ? "/" + tree.fileName(f).toByteArray()
                                                                             : tree.filePath(f);
        rows << QString::fromUtf8(path + '|' + texts[f].type + '|' + texts[f].created);
    }
    rows.sort();
    return rows;
}

// The tree made from tree's folder table, or nothing when the table holds none.
std::unique_ptr<CatalogueTree> fromTable(const CatalogueTree &tree, const QByteArray &table)
{
    qsizetype at = 0;
    const std::function<bool(char *, qsizetype)> source = [&](char *into, qsizetype size) {
        if (size > table.size() - at)
            return false;
        std::memcpy(into, table.constData() + at, size_t(size));
        at += size;
        return true;
    };
    return CatalogueTree::fromFolderTable(tree.path(), tree.identity(), source, quint64(table.size()));
}

// Each folder's files read one folder at a time through the table, in the form of treeRows(),
// and each folder's totals.
QStringList rowsFolderByFolder(CatalogueTree &tree, QList<quint64> &totals)
{
    QStringList rows;
    for (quint32 folder = 0; folder < tree.folderCount(); ++folder) {
        tree.readFiles(folder);
        const std::span<const quint32> files = tree.files(folder);
        const std::vector<CatalogueTree::FileTexts> texts = tree.fileTexts(files);
        for (size_t i = 0; i < files.size(); ++i) {
            const QByteArray path = folder == tree.beforeAnyFolder() ? "/" + tree.fileName(files[i]).toByteArray()
                                                                     : tree.filePath(files[i]);
            rows << QString::fromUtf8(path + '|' + texts[i].type + '|' + texts[i].created);
        }
        totals << tree.totals(folder).files << tree.totals(folder).folders;
    }
    rows.sort();
    return rows;
}

QStringList searchRows(const QString &folder)
{
    SearchSession session;
    testing::RecordingSearchView view;
    view.criteria = QStringLiteral(";");
    const DateConventions dates{QLocale(QStringLiteral("en_US"))};
    CatalogueSearch search(session, view, dates, [&] { return folder; }, [] { return std::make_unique<PosixFileSystem>(); });
    search.cmdSearch_Click();
    QStringList rows;
    for (const auto &row : view.rows())
        rows << row.filePath + u'|' + row.fileType + u'|' + row.created;
    rows.sort();
    return rows;
}

} // namespace

class TestCatalogueTree : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithTheSearch_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray longLine(1 << 20 | 7, 'x');
        QTest::newRow("well formed") << kHeader + heading("/d") + "a.txt;Text;1/1/2024\r\n" + heading("/d/s")
                                            + "b;X File;2/2/2024\r\n" + kEnd;
        QTest::newRow("repeated heading, name with ;") << kHeader + heading("/d") + "a;b.txt;Text;1\r\n" + heading("/d/s")
                                                           + "b;T;2\r\n" + heading("/d") + "c;T;3\r\n" + kEnd;
        QTest::newRow("entries before any heading") << "CATALOGUE Date: x\r\nloose;T;1\r\n" + heading("/d") + "a;T;1\r\n";
        QTest::newRow("Folders.txt first in a folder") << kHeader + heading("/d") + "Folders.txt;T;1\r\n" + kRule + "\r\n"
                                                           + "Folder  not;T;2\r\n";
        QTest::newRow("line over 1 MiB") << kHeader + heading("/d") + longLine + ";T;1\r\n" + kRule + "\r\n"
                                             + "Folder  /after-long\r\n" + kRule + "\r\nk;T;1\r\n" + longLine + "\r\n"
                                             + heading("/e") + "e;T;1";
        QTest::newRow("CR and LF in names, bare line ends") << kHeader + heading("/d", "\n") + "na\rme;T;1\nx\ny;T;2\r"
                                                                + heading("/d/\rs", "\r") + "z;T;3\n";
        QTest::newRow("entries after the end marker, no last line end") << kHeader + heading("/d") + "a;T;1\r\n" + kEnd
                                                                             + "late;T;9";
        QTest::newRow("empty types and heading-shaped entries") << kHeader + heading("/d") + "a;;1\r\nb;\r\nFolder x;T;1\r\n"
                                                                     + kRule + kRule + "\r\nFolder  /q\r\n";
    }
    void agreesWithTheSearch()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("c.txt"));
        QVERIFY(testing::writeAll(path, content));
        const CatalogueTree tree(path);
        QCOMPARE(treeRows(tree), searchRows(folder.path()));

        // Through its folder table, one folder at a time from its headings on, the same files.
        const QByteArray table = tree.folderTable();
        const std::unique_ptr<CatalogueTree> tabled = fromTable(tree, table);
        QVERIFY(tabled);
        QList<quint64> totals, tabledTotals;
        for (quint32 f = 0; f < tree.folderCount(); ++f)
            totals << tree.totals(f).files << tree.totals(f).folders;
        QCOMPARE(rowsFolderByFolder(*tabled, tabledTotals), treeRows(tree));
        QCOMPARE(tabledTotals, totals);
        // A table cut short, or one whose folders' count is wrong, makes no tree.
        QVERIFY(!fromTable(tree, table.first(table.size() - 1)));
        QByteArray miscounted = table;
        miscounted[0] = char(miscounted[0] + 1);
        QVERIFY(!fromTable(tree, miscounted));
    }

    void foldersRepeatedMadeUpAndBeforeAnyHeading()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("c.txt"));
        QVERIFY(testing::writeAll(path, "CATALOGUE Date: x\r\nloose;T;1\r\n" + heading("/m/d") + "a;T;1\r\n"
                                            + heading("/m/d/x/y") + "b;T;1\r\n" + heading("/m/d") + "c;T;1\r\n"
                                            + heading("/m/d/") + "e;T;1\r\n" + heading("//m/d/x") + "f;T;1\r\n"
                                            + heading("/m//d/x/y") + "g;T;1\r\n"));
        const CatalogueTree tree(path);
        QCOMPARE(tree.folderPath(tree.top()), "/m/d");
        QVERIFY(!tree.madeUp(tree.top()));
        // The repeated heading (and its spelling with a "/" more) adds to the same folder.
        QCOMPARE(tree.files(tree.top()).size(), 3u);
        QCOMPARE(tree.headingOffsets(tree.top()).size(), 3u);
        const quint32 x = tree.folderAt("/m/d/x");
        QVERIFY(x != CatalogueTree::kNone);
        QVERIFY(!tree.madeUp(x));
        QCOMPARE(tree.folderPath(x), "//m/d/x"); // its first heading's spelling
        QCOMPARE(tree.folderName(x), "x");
        QCOMPARE(tree.children(x).size(), 1u);
        QCOMPARE(tree.folderPath(tree.children(x)[0]), "/m/d/x/y");
        QCOMPARE(tree.files(tree.children(x)[0]).size(), 2u); // b, and g under another spelling
        QCOMPARE(tree.totals(tree.top()).files, 6u);
        QCOMPARE(tree.totals(tree.top()).folders, 2u);
        // No facts: sizes are not known, and the totals say so.
        QCOMPARE(tree.totals(tree.top()).size(), -1);
        QCOMPARE(tree.totals(tree.top()).unknownSizes, 6u);
        QVERIFY(tree.beforeAnyFolder() != CatalogueTree::kNone);
        QCOMPARE(tree.fileName(tree.files(tree.beforeAnyFolder())[0]), "loose");
        QCOMPARE(tree.depth(tree.beforeAnyFolder()), 1);
        QCOMPARE(tree.folderNamed(CatalogueTree::kBeforeAnyFolderName), tree.beforeAnyFolder());
        QCOMPARE(tree.folderNamed("/m/d/x"), x);
    }

    void refusesWhatIsNoCatalogue()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("c.txt"));
        QVERIFY(testing::writeAll(path, "hello;T;1\r\n"));
        QVERIFY_THROWS_EXCEPTION(Error, CatalogueTree{path});
        QVERIFY_THROWS_EXCEPTION(Error, CatalogueTree{folder.filePath(QStringLiteral("missing.txt"))});
    }

    // The folder totals are what du --apparent-size says of the tree's files, byte for byte.
    void totalsMatchTheRealTree()
    {
        QTemporaryDir tree, cats;
        const QDir root(tree.path());
        int n = 0;
        for (const char *sub : {"a", "a/b", "a/b/c", "d", "e f"}) {
            QVERIFY(root.mkpath(QString::fromUtf8(sub)));
            for (int i = 0; i < 3; ++i, ++n)
                QVERIFY(testing::writeAll(root.filePath(QStringLiteral("%1/f%2").arg(QString::fromUtf8(sub)).arg(i)),
                                          QByteArray(n * 4099 + i, 'x')));
        }
        QVERIFY(testing::writeAll(root.filePath(QStringLiteral("top")), QByteArray(77, 'y')));
        const QString catalogue = cats.filePath(QStringLiteral("drive.txt"));
        FactsWriter facts(catalogue, startingRun(tree.path(), Volume{}));
        PosixFileSystem fs;
        GenerationSink sink;
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(tree.path()), catalogue, sink, QDate(2026, 12, 7), &facts);

        const CatalogueTree read(catalogue);
        QVERIFY(read.hasFacts());
        for (const char *sub : {"", "a", "a/b", "a/b/c", "d", "e f"}) {
            // du counts the folders' own sizes too; find gives them, to take away.
            const QString at = root.filePath(QString::fromUtf8(sub));
            QProcess du, find;
            du.start(QStringLiteral("du"), {QStringLiteral("-s"), QStringLiteral("--apparent-size"), QStringLiteral("-B1"), at});
            find.start(QStringLiteral("find"), {at, QStringLiteral("-type"), QStringLiteral("d"), QStringLiteral("-printf"),
                                                QStringLiteral("%s\n")});
            QVERIFY(du.waitForFinished() && find.waitForFinished());
            qint64 expected = du.readAllStandardOutput().split('\t').value(0).toLongLong();
            for (const QByteArray &line : find.readAllStandardOutput().split('\n'))
                expected -= line.toLongLong();
            const quint32 folder = read.folderAt(QFile::encodeName(QDir::cleanPath(root.filePath(QString::fromUtf8(sub)))));
            QVERIFY2(folder != CatalogueTree::kNone, sub);
            QCOMPARE(qint64(read.totals(folder).bytes), expected);
            QCOMPARE(read.totals(folder).unknownSizes, 0u);
        }
        QCOMPARE(read.totals(read.top()).files, 16u);
    }
};

QTEST_GUILESS_MAIN(TestCatalogueTree)
#include "test_catalogue_tree.moc"
