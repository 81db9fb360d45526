// The query language: every form it reads and every error it names, and the matcher held to
// its plain model (and to the expected hits) over real generated catalogues with facts, read
// whole and narrowed by the search index.
#include "search/index_cache.h"
#include "search/query_reference.h"
#include "search/query_search.h"
#include "search/result_order.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_generator.h"
#include "platform/files/file_names.h"
#include "platform/files/posix_file_system.h"
#include "support/files.h"
#include "support/temporary_cache.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace kestrova;

namespace {

QString describe(const QueryTerm &term)
{
    using K = QueryTerm::Kind;
    const auto day = [](QDate d) {
        return d.isNull() ? QStringLiteral("*") : d.toString(Qt::ISODate);
    };
    QStringList parts;
    for (const QueryTerm &child : term.children)
        parts << describe(child);
    switch (term.kind) {
    case K::All:
        return QStringLiteral("(all ") + parts.join(u' ') + u')';
    case K::Any:
        return QStringLiteral("(any ") + parts.join(u' ') + u')';
    case K::Not:
        return QStringLiteral("(not ") + parts.join(u' ') + u')';
    case K::Name:
        return QStringLiteral("name:") + term.text;
    case K::Wildcard:
        return QStringLiteral("wild:") + term.text;
    case K::Path:
        return QStringLiteral("path:") + term.text;
    case K::Type:
        return QStringLiteral("type:") + term.text;
    case K::Drive:
        return QStringLiteral("drive:") + term.text;
    case K::Regex:
        return QStringLiteral("regex:") + term.text;
    case K::Ext:
        return QStringLiteral("ext:") + term.extensions.join(u',');
    case K::Size:
        return QStringLiteral("size:%1..%2").arg(term.sizes.least).arg(term.sizes.most);
    case K::Modified:
        return QStringLiteral("modified:") + day(term.days.first) + QStringLiteral("..") +
               day(term.days.last);
    case K::Created:
        return QStringLiteral("created:") + day(term.days.first) + QStringLiteral("..") +
               day(term.days.last);
    }
    return {};
}

// A file of size bytes, last modified at a local date and time.
void makeFile(const QString &path, qsizetype size, const QDateTime &modified)
{
    QVERIFY(testing::writeAll(path, QByteArray(size, 'x')));
    const timespec times[2] = {{modified.toSecsSinceEpoch(), 0}, {modified.toSecsSinceEpoch(), 0}};
    QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Every row a reading hands over, in order, with the facts.
class Collecting final : public SearchView
{
public:
    QString criteriaText() override { return criteria; }
    bool caseSensitive() override { return false; }
    bool dateFilterOn() override { return false; }
    bool wantsFacts() override { return true; }
    void appendRow(const RowTexts &row) override { table.append(row); }
    void clearRows() override { table.clear(); }
    void setSorted(bool) override {}
    void setCountText(const QString &) override {}
    void setIndicatorCaption(const QString &) override {}
    IndicatorColour indicatorColour() override { return IndicatorColour::Red; }
    void setIndicatorColour(IndicatorColour) override {}
    void yield() override {}
    void inform(const QString &text) override { messages << text; }
    QString criteria;
    ResultTable table;
    QStringList messages;
};

} // namespace

class TestQuery : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryForm_data();
    void readsEveryForm();
    void namesWhatAndWhere_data();
    void namesWhatAndWhere();
    void matchesAsTheModelDoes_data();
    void matchesAsTheModelDoes();
    void boundsARegexThatBacktracks();
};

void TestQuery::readsEveryForm_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<bool>("caseSensitive");
    QTest::newRow("and") << "a b"
                         << "(all name:a name:b)" << false;
    QTest::newRow("or binds last") << "a | b c"
                                   << "(any name:a (all name:b name:c))" << false;
    QTest::newRow("words") << "a OR NOT b"
                           << "(any name:a (not name:b))" << false;
    QTest::newRow("groups") << "!(a|b) c"
                            << "(all (not (any name:a name:b)) name:c)" << false;
    QTest::newRow("quotes") << "\"two words\" \"*.jpg\" \"OR\""
                            << "(all name:two words name:*.jpg name:OR)" << false;
    QTest::newRow("wildcards") << "*.jpg IMG_20??.*"
                               << "(all wild:*.jpg wild:IMG_20??.*)" << false;
    QTest::newRow("no field") << "12:30 c:x"
                              << "(all name:12:30 name:c:x)" << false;
    QTest::newRow("text fields")
        << "path:include/stdio.h type:\"JPEG image\" Drive:usb regex:^a\\d"
        << "(all path:include/stdio.h type:JPEG image drive:usb regex:^a\\d)" << false;
    QTest::newRow("ext") << "ext:jpg;.PNG;"
                         << "ext:jpg,PNG" << false;
    QTest::newRow("size more") << "size:>100M"
                               << "size:104857601..9223372036854775807" << false;
    QTest::newRow("size less") << "size:<1K"
                               << "size:0..1023" << false;
    QTest::newRow("size range") << "size:1M..4G"
                                << "size:1048576..4294967296" << false;
    QTest::newRow("size exact") << "size:0"
                                << "size:0..0" << false;
    QTest::newRow("size at least") << "size:>=1.5KiB"
                                   << "size:1536..9223372036854775807" << false;
    QTest::newRow("year") << "modified:2024"
                          << "modified:2024-01-01..2024-12-31" << false;
    QTest::newRow("leap month") << "modified:2024-02"
                                << "modified:2024-02-01..2024-02-29" << false;
    QTest::newRow("after day") << "modified:>2024-06-01"
                               << "modified:2024-06-02..*" << false;
    QTest::newRow("after year") << "created:>2024"
                                << "created:2025-01-01..*" << false;
    QTest::newRow("before month") << "created:<2024-03"
                                  << "created:*..2024-02-29" << false;
    QTest::newRow("month range") << "modified:2024-01..2024-03"
                                 << "modified:2024-01-01..2024-03-31" << false;
    QTest::newRow("open range") << "modified:..2023"
                                << "modified:*..2023-12-31" << false;
    QTest::newRow("case anywhere") << "(a | b case:)"
                                   << "(any name:a name:b)" << true;
}

void TestQuery::readsEveryForm()
{
    QFETCH(QString, query);
    const QueryParse parsed = parseQuery(query);
    QVERIFY2(parsed.query, qPrintable(parsed.error));
    QFETCH(QString, tree);
    QCOMPARE(describe(parsed.query->root), tree);
    QFETCH(bool, caseSensitive);
    QCOMPARE(parsed.query->caseSensitive, caseSensitive);
}

void TestQuery::namesWhatAndWhere_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("error");
    QTest::newRow("open") << "photo (beach"
                          << "the query has \"(\" at 7 without its \")\"";
    QTest::newRow("open last") << "photo ("
                               << "the query has \"(\" at 7 without its \")\"";
    QTest::newRow("close") << "a b)"
                           << "the query has \")\" at 4 without its \"(\"";
    QTest::newRow("quote") << "a \"b c"
                           << "the query has \" at 3 without its closing \"";
    QTest::newRow("field") << "a colour:red"
                           << "the query has an unknown field \"colour:\" at 3";
    QTest::newRow("size") << "size:>huge"
                          << "the query has a size \">huge\" at 1 that does not read (sizes read "
                             "like 0, 4096, <1K, >100M or 1M..4G)";
    QTest::newRow("size nan") << "size:nan"
                              << "the query has a size \"nan\" at 1 that does not read (sizes read "
                                 "like 0, 4096, <1K, >100M or 1M..4G)";
    QTest::newRow("month") << "modified:2024-13"
                           << "the query has a date \"2024-13\" at 1 that does not read (dates "
                              "read like 2024, 2024-06, >2024-06-01 or 2024-01..2024-03)";
    QTest::newRow("day") << "x created:2023-02-29"
                         << "the query has a date \"2023-02-29\" at 3 that does not read (dates "
                            "read like 2024, 2024-06, >2024-06-01 or 2024-01..2024-03)";
    QTest::newRow("or last") << "a |"
                             << "the query has \"|\" at 3 with nothing after it";
    QTest::newRow("or first") << "OR a"
                              << "the query has \"OR\" at 1 with nothing before it";
    QTest::newRow("not last") << "a !"
                              << "the query has \"!\" at 3 with nothing after it";
    QTest::newRow("empty group") << "a ()"
                                 << "the query has \"(\" at 3 with nothing after it";
    QTest::newRow("no value") << "ext:;"
                              << "the query has \"ext:\" at 1 without a value";
    QTest::newRow("case value") << "case:yes"
                                << "the query has \"case:\" at 1 with a value; it takes none";
    QTest::newRow("empty") << "  case: "
                           << "the query is empty";
    QTest::newRow("regex") << "regex:(a"
                           << "the query has a regular expression \"(a\" at 1 that does not "
                              "compile: missing closing parenthesis";
}

void TestQuery::namesWhatAndWhere()
{
    QFETCH(QString, query);
    const QueryParse parsed = parseQuery(query);
    QVERIFY(!parsed.query);
    QFETCH(QString, error);
    QCOMPARE(parsed.error, error);
}

void TestQuery::matchesAsTheModelDoes_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("names"); // expected, in any order; empty: the model alone
    const auto names = [](const char *joined) { return QString::fromUtf8(joined).split(u'|'); };
    QTest::newRow("substring") << "holiday" << names("holiday_a.jpg|Holiday_B.JPG");
    QTest::newRow("case") << "case: Holiday" << names("Holiday_B.JPG");
    QTest::newRow("wildcard") << "*.jpg" << names("holiday_a.jpg|Holiday_B.JPG");
    QTest::newRow("question marks") << "IMG_20??.*" << names("IMG_2023.png|IMG_2023.png");
    QTest::newRow("a name not UTF-8") << "bad?*" << names("bad\xef\xbf\xbd name.txt");
    QTest::newRow("two bytes") << "stra?e*" << names("Straße Ünï.txt");
    QTest::newRow("not ascii") << "ÜNÏ" << names("Straße Ünï.txt");
    QTest::newRow("semicolon") << "\"report;final\"" << names("report;final.pdf");
    QTest::newRow("ext") << "ext:jpg;pdf !backup"
                         << names("holiday_a.jpg|Holiday_B.JPG|report;final.pdf");
    QTest::newRow("path") << "path:include/stdio.h" << names("stdio.h|stdio.h");
    QTest::newRow("under 1K") << "size:<1K"
                              << names("holiday_a.jpg|bad\xef\xbf\xbd name.txt|.bashrc|stdio.h");
    QTest::newRow("1K to 1M")
        << "size:1K..1M"
        << names("Holiday_B.JPG|report;final.pdf|Straße Ünï.txt|IMG_2023.png|IMG_20x.png");
    QTest::newRow("empty file") << "size:0" << names("bad\xef\xbf\xbd name.txt");
    QTest::newRow("unknown size") << "!size:0 stdio" << names("stdio.h|stdio.h");
    QTest::newRow("year") << "modified:2024"
                          << names("Holiday_B.JPG|report;final.pdf|bad\xef\xbf\xbd name.txt|Straße "
                                   "Ünï.txt|.bashrc|archive.tar.gz");
    QTest::newRow("leap day") << "modified:2024-02" << names("report;final.pdf");
    QTest::newRow("after a day")
        << "modified:>2024-02-29 !ext:png"
        << names("bad\xef\xbf\xbd name.txt|Straße Ünï.txt|.bashrc|archive.tar.gz|stdio.h");
    QTest::newRow("over new year")
        << "modified:2023-12..2024-01" << names("holiday_a.jpg|Holiday_B.JPG");
    QTest::newRow("regex") << "regex:^IMG_\\d+\\.png$" << names("IMG_2023.png|IMG_2023.png");
    QTest::newRow("regex in a group")
        << "(regex:^(bad|x)\\W | ab)" << names("bad\xef\xbf\xbd name.txt");
    QTest::newRow("label") << "drive:holidays ext:gz" << names("archive.tar.gz");
    QTest::newRow("catalogue") << "drive:backup stdio" << names("stdio.h");
    QTest::newRow("group") << "(holiday | IMG) !ext:png" << names("holiday_a.jpg|Holiday_B.JPG");
    QTest::newRow("none") << "!holiday ext:jpg" << QStringList{QString()};
    QTest::newRow("type") << "type:a | type:text" << QStringList();
    QTest::newRow("created") << "created:>2000 | created:<2000" << QStringList();
    // The German catalogue's dates read as German ones, whatever the reader's locale.
    QTest::newRow("created, German") << "drive:backup created:>2000"
                                     << names("stdio.h|IMG_2023.png|IMG_20x.png");
    QTest::newRow("everything") << "!zzz" << QStringList();
}

void TestQuery::matchesAsTheModelDoes()
{
    QFETCH(QString, query);
    QFETCH(QStringList, names);
    QTemporaryDir tree;
    QTemporaryDir cats;
    QTemporaryDir cacheFolder;
    const QDir root(tree.path());
    QVERIFY(root.mkpath(QStringLiteral("include")));
    const auto at = [](int y, int m, int d, int h = 0, int min = 0, int s = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min, s));
    };
    makeFile(root.filePath(QStringLiteral("holiday_a.jpg")), 1023, at(2023, 12, 31, 23, 59, 59));
    makeFile(root.filePath(QStringLiteral("Holiday_B.JPG")), 1024, at(2024, 1, 1));
    makeFile(root.filePath(QStringLiteral("report;final.pdf")), 1025, at(2024, 2, 29, 12));
    makeFile(decodeFileName(QFile::encodeName(root.path()) + "/bad\xff name.txt"), 0,
             at(2024, 3, 1));
    makeFile(root.filePath(QStringLiteral("Straße Ünï.txt")), 1 << 20, at(2024, 6, 1, 10));
    makeFile(root.filePath(QStringLiteral(".bashrc")), 5, at(2024, 6, 2));
    makeFile(root.filePath(QStringLiteral("archive.tar.gz")), (1 << 20) + 1,
             at(2024, 12, 31, 23, 59, 59));
    makeFile(root.filePath(QStringLiteral("include/stdio.h")), 100, at(2025, 1, 1));
    makeFile(root.filePath(QStringLiteral("include/IMG_2023.png")), 2048, at(2023, 1, 1));
    makeFile(root.filePath(QStringLiteral("include/IMG_20x.png")), 4096, at(2023, 1, 1));
    // Two catalogues of the tree in two locales; the first with facts and a labelled drive.
    PosixFileSystem fs;
    GenerationSink sink;
    Volume volume;
    volume.rootPath = tree.path();
    volume.label = QStringLiteral("Holidays");
    const QString photos = QDir(cats.path()).filePath(QStringLiteral("photos.txt"));
    FactsWriter facts(photos, startingRun(tree.path(), volume));
    const DateConventions american{QLocale(QStringLiteral("en_US"))};
    const DateConventions german{QLocale(QStringLiteral("de_DE"))};
    CatalogueGenerator(fs, american)
        .WriteCatalogue(QFile::encodeName(tree.path()), photos, sink, QDate(2026, 1, 2), &facts);
    CatalogueGenerator(fs, german)
        .WriteCatalogue(QFile::encodeName(root.filePath(QStringLiteral("include"))),
                        QDir(cats.path()).filePath(QStringLiteral("backup.txt")), sink);

    const QueryParse parsed = parseQuery(query);
    QVERIFY2(parsed.query, qPrintable(parsed.error));
    // The model: every row read whole, each held to the plain matcher.
    Collecting all;
    all.criteria = QStringLiteral(";");
    SearchSession session;
    CatalogueSearch every(
        session, all, american, [&] { return cats.path(); },
        [] { return std::make_unique<PosixFileSystem>(); });
    every.cmdSearch_Click();
    QCOMPARE(all.table.size(), 13);
    // The model knows each catalogue's conventions; the search finds them for itself.
    CreatedDates createdAmerican(american);
    CreatedDates createdGerman(german);
    QStringList expected;
    QStringList expectedNames;
    for (qsizetype row = 0; row < all.table.size(); ++row) {
        const QByteArrayView path = all.table.text(row, 0);
        const QueryEntry entry{path.sliced(path.lastIndexOf('/') + 1),
                               path,
                               all.table.text(row, 1),
                               all.table.text(row, 2),
                               all.table.text(row, 3),
                               all.table.text(row, 3) == "photos.txt" ? "Holidays" : "",
                               all.table.size(row),
                               all.table.modifiedNs(row)};
        CreatedDates &created = entry.catalogue == "photos.txt" ? createdAmerican : createdGerman;
        if (referenceMatches(*parsed.query, entry, created)) {
            expected << decodeFileName(path);
            expectedNames << QString::fromUtf8(entry.name);
        }
    }
    if (!names.isEmpty()) {
        expectedNames.sort();
        names.sort();
        QCOMPARE(expectedNames, names == QStringList{QString()} ? QStringList() : names);
    }

    // The query search, whole, on two threads, and narrowed by indexes built in a first run.
    testing::TemporaryCache location(cacheFolder.path());
    index_format::Sizes small;
    small.blockBytes = 64;
    small.smallestIndexed = 0;
    IndexCache index(location, IndexCache::Builds::Inline, small);
    for (int round = 0; round < 4; ++round) {
        Collecting found;
        QuerySearch search(found, american, [] { return std::make_unique<PosixFileSystem>(); });
        search.setThreads(round == 1 ? 2 : 1);
        if (round >= 2)
            search.setIndex(&index);
        QCOMPARE(search.run(*parsed.query, cats.path()), SearchOutcome::Completed);
        QStringList paths;
        for (qsizetype row = 0; row < found.table.size(); ++row)
            paths << decodeFileName(found.table.text(row, 0));
        QCOMPARE(paths, expected);
        QCOMPARE(search.hits(), expected.size());
        QCOMPARE(search.cataloguesRead(), 2);
        QVERIFY2(found.messages.isEmpty(), qPrintable(found.messages.join(u'\n')));
    }
    if (narrowingText(*parsed.query).size() >= index_format::kShortestNarrowed) // shorter texts are read whole
        QVERIFY(index.narrowedReadings() > 0);
}

void TestQuery::boundsARegexThatBacktracks()
{
    const QueryParse parsed = parseQuery(u"regex:^(a+)+$");
    QVERIFY(parsed.query);
    const DateConventions dates;
    CreatedDates created(dates);
    QueryMatcher matcher(*parsed.query, created);
    const QByteArray name = QByteArray(40, 'a') + 'b';
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!matcher.matches({name, name, {}, {}, {}, {}, -1, 0}));
    QVERIFY(matcher.matches({"aaaa", "aaaa", {}, {}, {}, {}, -1, 0}));
    QVERIFY(timer.elapsed() < 5000);
}

QTEST_GUILESS_MAIN(TestQuery)
#include "test_query.moc"
