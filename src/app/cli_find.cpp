// kestrova-cli find FOLDER QUERY...: the query language over every catalogue of FOLDER (the
// Quick Find window's search), the hits written as kestrova-cli search writes them.
#include "cli_common.h"
#include "cli_rows.h"

#include "platform/files/cache_location.h"
#include "platform/files/posix_file_system.h"
#include "search/index_cache.h"
#include "search/query_search.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace kestrova::cli {
namespace {

class FindView final : public SearchView
{
public:
    // stream: null when the rows are only counted.
    FindView(Io &io, int sortColumn, bool facts, RowOutput *stream)
        : rows(sortColumn, stream), m_io(io), m_facts(facts)
    {
    }

    QString criteriaText() override { return {}; }
    bool caseSensitive() override { return false; }
    bool dateFilterOn() override { return false; }
    bool wantsFacts() override { return m_facts; }
    void appendRow(const RowTexts &row) override { rows.add(row); }
    void clearRows() override { rows.clear(); }
    void setSorted(bool on) override
    {
        if (on)
            rows.sort();
    }
    void setCountText(const QString &) override {}
    void setIndicatorCaption(const QString &) override {}
    IndicatorColour indicatorColour() override { return IndicatorColour::Red; }
    void setIndicatorColour(IndicatorColour) override {}
    void yield() override {}
    void catalogueFailed(const QByteArray &path, const Error &error) override
    {
        m_io.err << QString::fromUtf8(path) << QStringLiteral(": ") << error.numberStyle()
                 << Qt::endl;
    }
    void folderFailed(const QString &folder, const Error &error) override
    {
        m_io.err << QStringLiteral("kestrova-cli find: ") << folder << QStringLiteral(": ")
                 << error.numberStyle() << Qt::endl;
    }
    void inform(const QString &text) override
    {
        for (const QString &line : text.split(u'\r'))
            m_io.err << line << u'\n';
        m_io.err.flush();
    }

    OrderedRows rows;

private:
    Io &m_io;
    bool m_facts;
};

} // namespace

int runFind(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Finds the entries of every catalogue in FOLDER that match QUERY (its words joined by "
        "blanks)\n"
        "and prints them as 'kestrova-cli search' does: File Path, File Type, Created and "
        "Catalogue\n"
        "File (see --format).\n\n"
        "QUERY: words that must all match the entry's name (a substring; with * or ? a pattern of\n"
        "the whole name), A | B or A OR B for either, !A or NOT A for not, ( ) to group, \"two "
        "words\"\n"
        "for one literal term; fields path:TEXT, ext:jpg;png, type:TEXT, drive:TEXT, size:>100M,\n"
        "size:1M..4G, modified:2024-06, modified:>2024-06-01, created:2024-01..2024-03,\n"
        "regex:PATTERN; case: anywhere matches letter case exactly. See man kestrova-cli.\n\n"
        "Exit status: 0 hits printed, 1 none, 2 the query does not read, the folder could not be\n"
        "searched or the command line was wrong."));
    const QCommandLineOption caseSensitive(
        QStringLiteral("case-sensitive"),
        QStringLiteral("Match letter case exactly, as case: in the query does."));
    const QCommandLineOption sort(
        QStringLiteral("sort"),
        QStringLiteral("Sort by COLUMN: path (default), type, created, catalogue, size or "
                       "modified (unknown sizes and times first); or none: each hit is written as "
                       "soon as it is found, in the order of the catalogues' names and of their "
                       "lines, and the hits are not held in memory."),
        QStringLiteral("COLUMN"), QStringLiteral("path"));
    const QCommandLineOption limit(QStringLiteral("limit"),
                                   QStringLiteral("Print at most the first N hits."),
                                   QStringLiteral("N"));
    const QCommandLineOption count(
        QStringLiteral("count"),
        QStringLiteral("Print only the number of hits (at most --limit's N)."));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("Write the hits as FORMAT: tsv (default), csv or json, as "
                       "kestrova-cli search does."),
        QStringLiteral("FORMAT"), QStringLiteral("tsv"));
    const QCommandLineOption noIndex(
        QStringLiteral("no-index"),
        QStringLiteral("Read every catalogue whole instead of narrowing the reading with "
                       "the search indexes. The hits are the same either way."));
    const QCommandLineOption jobs(
        QStringLiteral("jobs"),
        QStringLiteral("Read N catalogues at once (default: the machine's cores)."),
        QStringLiteral("N"));
    parser.addOptions({caseSensitive, sort, limit, count, format, noIndex, jobs});
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The folder of catalogues."));
    parser.addPositionalArgument(QStringLiteral("QUERY"),
                                 QStringLiteral("The query, in one or more words."),
                                 QStringLiteral("QUERY..."));
    if (const auto status = parseCommandLine(parser, QStringLiteral("find"), arguments, -2, io))
        return *status;
    const QStringList positional = parser.positionalArguments();
    const auto fail = [&](const QString &message) {
        io.err << QStringLiteral("kestrova-cli find: ") << message << Qt::endl;
        return Exit::Failed;
    };
    const std::optional<int> sortColumn = sortColumnNamed(parser.value(sort));
    if (!sortColumn)
        return fail(QCoreApplication::translate(
            "kestrova-cli", "--sort takes path, type, created, catalogue, size, modified or none"));
    qint64 most = -1;
    if (parser.isSet(limit)) {
        bool ok = false;
        most = parser.value(limit).toLongLong(&ok);
        if (!ok || most < 0)
            return fail(QCoreApplication::translate("kestrova-cli",
                                                    "--limit takes a number of hits, 0 or more"));
    }
    const std::optional<int> threads =
        jobsValue(parser, jobs, QStringLiteral("find"), coreCount(), io);
    if (!threads)
        return Exit::Failed;
    const std::optional<ExportFormat> outputFormat = exportFormatNamed(parser.value(format));
    if (!outputFormat)
        return fail(QCoreApplication::translate("kestrova-cli", "--format takes tsv, csv or json"));
    const QueryParse parsed = parseQuery(positional.mid(1).join(u' '), parser.isSet(caseSensitive));
    if (!parsed.query)
        return fail(parsed.error);

    const QString folder =
        positional[0].isEmpty() ? QString() : QDir::current().absoluteFilePath(positional[0]);
    // Sizes and times are read beside the catalogues only where they are printed, sorted by or
    // asked for by the query.
    RowOutput output(io, *outputFormat, most);
    // Counted hits need no order and are not held.
    FindView view(io, parser.isSet(count) ? kUnsorted : *sortColumn,
                  !parser.isSet(count) && (*outputFormat != ExportFormat::Tsv || *sortColumn >= 4),
                  parser.isSet(count) ? nullptr : &output);
    const DateConventions dates;
    QuerySearch search(view, dates, [] { return std::make_unique<PosixFileSystem>(); });
    search.setThreads(*threads);
    const UserCacheLocation cacheLocation;
    std::optional<IndexCache> index;
    if (!parser.isSet(noIndex)) {
        index.emplace(cacheLocation, IndexCache::Builds::OnRequest);
        search.setIndex(&*index);
        reportRefusedCache(*index, io);
    }
    const SearchOutcome outcome = search.run(*parsed.query, folder);
    const qint64 shown = most < 0 ? view.rows.count() : std::min(most, view.rows.count());
    if (parser.isSet(count)) {
        io.out << shown << Qt::endl;
    } else {
        view.rows.writeTo(output, shown);
        output.finish();
    }
    io.err << QStringLiteral("matched: ") << search.hits() << Qt::endl;
    if (outcome == SearchOutcome::FolderFailed)
        return Exit::Failed;
    return view.rows.count() == 0 ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
