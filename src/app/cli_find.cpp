// kestrova-cli find FOLDER QUERY...: the query language over every catalogue of FOLDER (the
// Quick Find window's search), the hits written as kestrova-cli search writes them.
#include "cli_common.h"

#include "platform/files/cache_location.h"
#include "platform/files/posix_file_system.h"
#include "search/index_cache.h"
#include "search/query_search.h"
#include "search/result_export.h"
#include "search/result_order.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace kestrova::cli {
namespace {

// The columns --sort names, as the result table numbers them.
const QStringList kSortNames{QStringLiteral("path"),    QStringLiteral("type"),
                             QStringLiteral("created"), QStringLiteral("catalogue"),
                             QStringLiteral("size"),    QStringLiteral("modified")};

class FindView final : public SearchView
{
public:
    FindView(Io &io, int sortColumn, bool facts)
        : m_io(io), m_sortColumn(sortColumn), m_facts(facts)
    {
    }

    QString criteriaText() override { return {}; }
    bool caseSensitive() override { return false; }
    bool dateFilterOn() override { return false; }
    bool wantsFacts() override { return m_facts; }
    void appendRow(const RowTexts &row) override { rows.append(row); }
    void clearRows() override { rows.clear(); }
    void setSorted(bool on) override
    {
        if (on)
            rows.sortBy(m_sortColumn, m_sortColumn == 2 ? ResultTable::Order::Text
                                                        : ResultTable::Order::Collated);
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

    ResultTable rows;

private:
    Io &m_io;
    int m_sortColumn;
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
                       "modified (unknown sizes and times first)."),
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
    const int sortColumn = int(kSortNames.indexOf(parser.value(sort)));
    if (sortColumn < 0)
        return fail(QCoreApplication::translate(
            "kestrova-cli", "--sort takes path, type, created, catalogue, size or modified"));
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
    FindView view(io, sortColumn,
                  !parser.isSet(count) && (*outputFormat != ExportFormat::Tsv || sortColumn >= 4));
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
    const qsizetype shown =
        most < 0 ? view.rows.size() : qsizetype(std::min<qint64>(most, view.rows.size()));
    if (parser.isSet(count)) {
        io.out << shown << Qt::endl;
    } else {
        const ResultWriter writer(*outputFormat, *outputFormat == ExportFormat::Csv, {}, true);
        QByteArray block = writer.begin();
        const auto flush = [&] {
            const bool written = writeRaw(io, block);
            block.resize(0);
            return written;
        };
        for (qsizetype i = 0; i < shown; ++i) {
            writer.appendRow(block, view.rows, i);
            if (block.size() >= (1 << 16) && !flush())
                break;
        }
        flush();
    }
    io.err << QStringLiteral("matched: ") << search.hits() << Qt::endl;
    if (outcome == SearchOutcome::FolderFailed)
        return Exit::Failed;
    return view.rows.isEmpty() ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
