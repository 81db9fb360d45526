// kestrova-cli search FOLDER CRITERIA: the search window's search, with its rows on standard
// output and its messages on standard error.
#include "cli_common.h"
#include "cli_rows.h"

#include "platform/files/cache_location.h"
#include "platform/files/posix_file_system.h"
#include "search/catalogue_search.h"
#include "search/index_cache.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace kestrova::cli {
namespace {

class CliSearchView final : public SearchView
{
public:
    CliSearchView(Io &io, QString criteria, bool caseSensitive, bool dateFilter, int sortColumn, bool facts,
                  std::optional<SizeRange> sizes, RowOutput &stream)
        : rows(sortColumn, &stream), m_io(io), m_criteria(std::move(criteria)), m_caseSensitive(caseSensitive),
          m_dateFilter(dateFilter), m_facts(facts), m_sizes(sizes)
    {
    }

    QString criteriaText() override { return m_criteria; }
    bool caseSensitive() override { return m_caseSensitive; }
    bool dateFilterOn() override { return m_dateFilter; }
    bool wantsFacts() override { return m_facts; }
    std::optional<SizeRange> sizeFilter() override { return m_sizes; }
    void appendRow(const RowTexts &row) override { rows.add(row); }
    void clearRows() override { rows.clear(); }
    void setSorted(bool on) override
    {
        if (on)
            rows.sort();
    }
    void setCountText(const QString &) override {}
    void setIndicatorCaption(const QString &) override {}
    IndicatorColour indicatorColour() override { return m_colour; }
    void setIndicatorColour(IndicatorColour colour) override { m_colour = colour; }
    void yield() override {}
    void catalogueFailed(const QByteArray &path, const Error &error) override
    {
        m_io.err << QString::fromUtf8(path) << QStringLiteral(": ") << error.numberStyle() << Qt::endl;
    }
    void folderFailed(const QString &folder, const Error &error) override
    {
        if (folder.isEmpty())
            SearchView::folderFailed(folder, error);
        else
            m_io.err << QStringLiteral("kestrova-cli search: ") << folder << QStringLiteral(": ") << error.numberStyle()
                     << Qt::endl;
    }
    void inform(const QString &text) override
    {
        // A message of two lines (split by a carriage return) is written as two lines.
        for (const QString &line : text.split(u'\r'))
            m_io.err << line << u'\n';
        m_io.err.flush();
    }

    OrderedRows rows;

private:
    Io &m_io;
    QString m_criteria;
    bool m_caseSensitive;
    bool m_dateFilter;
    bool m_facts;
    std::optional<SizeRange> m_sizes;
    IndicatorColour m_colour = IndicatorColour::Red;
};

} // namespace

int runSearch(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Searches every file of FOLDER as a catalogue for lines holding CRITERIA and prints the\n"
        "hits, one per line: File Path, File Type, Created and Catalogue File (see --format).\n"
        "Exit status: 0 rows printed, 1 none, 2 the folder could not be searched or the command\n"
        "line was wrong."));
    const QCommandLineOption caseSensitive(QStringLiteral("case-sensitive"),
                                           QStringLiteral("Match letter case exactly."));
    const QCommandLineOption after(QStringLiteral("after"),
                                   QStringLiteral("Only entries created after DATE (2020-01-31, or the locale's short "
                                                  "date form)."),
                                   QStringLiteral("DATE"));
    const QCommandLineOption sortColumn(QStringLiteral("sort-column"),
                                        QStringLiteral("Sort by column N: 0 path (default), 1 type, 2 created, 3 catalogue."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption sort(
        QStringLiteral("sort"),
        QStringLiteral("Sort by COLUMN: path (the default), type, created, catalogue, size or modified (unknown "
                       "sizes and times first); or none: each hit is written as soon as it is found, in the order "
                       "of the catalogues' names and of their lines, and the hits are not held in memory."),
        QStringLiteral("COLUMN"));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("Write the hits as FORMAT: tsv (the default: the four columns joined by a TAB; a TAB, line "
                       "feed, carriage return or backslash inside a field is written as \\t, \\n, \\r or \\\\), csv (RFC 4180, "
                       "a header row, CR LF) or json (JSON Lines: one object a hit with the keys path, type, created "
                       "and catalogue; a byte of a name that is not UTF-8 is written as the escape \\udc80 to "
                       "\\udcff, which Python reads back with errors='surrogateescape'). CSV and JSON add the file's "
                       "size in bytes and its modification time (ISO 8601, UTC) from the facts beside the catalogue, "
                       "empty (null) where they are not known."),
        QStringLiteral("FORMAT"), QStringLiteral("tsv"));
    const QCommandLineOption noIndex(
        QStringLiteral("no-index"),
        QStringLiteral("Read every catalogue whole instead of narrowing the reading with the search indexes kept in "
                       "the cache folder ($XDG_CACHE_HOME/kestrova, by default ~/.cache/kestrova; deleting it is "
                       "always safe). The hits are the same either way."));
    const QCommandLineOption jobs(QStringLiteral("jobs"),
                                  QStringLiteral("Read N catalogues at once (default: the machine's cores). The hits "
                                                 "come out in the same order either way."),
                                  QStringLiteral("N"));
    const QCommandLineOption minSize(QStringLiteral("min-size"),
                                     QStringLiteral("Only files of at least SIZE (bytes, or with K, M, G or T: 100M, "
                                                    "4G; powers of 1024), as the facts beside the catalogue say; a "
                                                    "file whose size is not known never passes."),
                                     QStringLiteral("SIZE"));
    const QCommandLineOption maxSize(QStringLiteral("max-size"),
                                     QStringLiteral("Only files of at most SIZE (as for --min-size)."), QStringLiteral("SIZE"));
    parser.addOptions({caseSensitive, after, sortColumn, sort, format, noIndex, jobs, minSize, maxSize});
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder of catalogues."));
    parser.addPositionalArgument(QStringLiteral("CRITERIA"), QStringLiteral("The text to look for."));
    if (const auto status = parseCommandLine(parser, QStringLiteral("search"), arguments, 2, io))
        return *status;
    const QStringList positional = parser.positionalArguments();
    if (positional[1].isEmpty()) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli search: CRITERIA must not be empty") << Qt::endl;
        return Exit::Failed;
    }
    bool columnOk = false;
    int column = parser.value(sortColumn).toInt(&columnOk);
    if (!columnOk || column < 0 || column > 3) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli search: --sort-column takes 0, 1, 2 or 3") << Qt::endl;
        return Exit::Failed;
    }
    if (parser.isSet(sort)) {
        if (parser.isSet(sortColumn)) {
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli search: give --sort or --sort-column, not both")
                   << Qt::endl;
            return Exit::Failed;
        }
        const std::optional<int> named = sortColumnNamed(parser.value(sort));
        if (!named) {
            io.err << QCoreApplication::translate(
                          "kestrova-cli", "kestrova-cli search: --sort takes path, type, created, catalogue, size, modified or none")
                   << Qt::endl;
            return Exit::Failed;
        }
        column = *named;
    }
    const std::optional<int> threads = jobsValue(parser, jobs, QStringLiteral("search"), coreCount(), io);
    if (!threads)
        return Exit::Failed;
    const std::optional<ExportFormat> outputFormat = exportFormatNamed(parser.value(format));
    if (!outputFormat) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli search: --format takes tsv, csv or json") << Qt::endl;
        return Exit::Failed;
    }
    std::optional<SizeRange> sizes;
    for (const QCommandLineOption *option : {&minSize, &maxSize}) {
        if (!parser.isSet(*option))
            continue;
        const std::optional<qint64> bytes = sizeValue(parser.value(*option));
        if (!bytes) {
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli search: --%1 takes a size like 4096, 100M or 4G")
                          .arg(option->names().constFirst())
                   << Qt::endl;
            return Exit::Failed;
        }
        if (!sizes)
            sizes.emplace();
        (option == &minSize ? sizes->least : sizes->most) = *bytes;
    }
    const DateConventions dates;
    SearchSession session;
    if (parser.isSet(after)) {
        // ISO 8601 first: a script's dates do not depend on the locale.
        const QDate iso = QDate::fromString(parser.value(after), Qt::ISODate);
        const std::optional<QDate> date = iso.isValid() ? std::optional(iso) : dates.parseShortDate(parser.value(after));
        if (!date) {
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli search: --after takes a date like 2003-06-14 or %1")
                          .arg(dates.shortDate(QDate(2003, 6, 14)))
                   << Qt::endl;
            return Exit::Failed;
        }
        session.FilterDateText = dates.shortDate(*date);
    }

    // FOLDER is used as given (made absolute), so that an empty one is reported as the
    // window reports a search with no folder chosen.
    const QString folder = positional[0].isEmpty() ? QString() : QDir::current().absoluteFilePath(positional[0]);
    // Sizes and times are read beside the catalogues only for the forms that print them or to
    // sort by them.
    RowOutput output(io, *outputFormat);
    CliSearchView view(io, positional[1], parser.isSet(caseSensitive), parser.isSet(after), column,
                       *outputFormat != ExportFormat::Tsv || column >= ResultTable::kColumns, sizes, output);
    CatalogueSearch search(session, view, dates, [&] { return folder; },
                           [] { return std::make_unique<PosixFileSystem>(); });
    search.setThreads(*threads);
    const UserCacheLocation cacheLocation;
    std::optional<IndexCache> index;
    if (!parser.isSet(noIndex)) {
        index.emplace(cacheLocation, IndexCache::Builds::OnRequest);
        search.setIndex(&*index);
        reportRefusedCache(*index, io);
    }
    const SearchOutcome outcome = search.cmdSearch_Click();
    view.rows.writeTo(output);
    output.finish();
    io.err << QStringLiteral("matched: ") << session.MatchCount << Qt::endl;
    if (outcome == SearchOutcome::FolderFailed)
        return Exit::Failed;
    return view.rows.count() == 0 ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
