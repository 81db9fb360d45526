// kestrova-cli index FOLDER: builds or refreshes the search indexes of the catalogues in
// FOLDER, for scripts (after copying catalogues in, say), so that the first search is fast too.
// kestrova-cli index --prune: removes the indexes of catalogues that are gone.
#include "cli_common.h"

#include "platform/files/cache_location.h"
#include "platform/files/file_names.h"
#include "platform/files/posix_file_system.h"
#include "search/index_cache.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <atomic>
#include <thread>

namespace kestrova::cli {

int runIndex(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Builds the search index of every catalogue in FOLDER whose index is missing or out of date.\n"
        "The indexes are kept in the cache folder ($XDG_CACHE_HOME/kestrova, by default ~/.cache/kestrova);\n"
        "deleting it is always safe: a search then reads the catalogues whole and builds them again.\n"
        "With --prune, no FOLDER: removes the indexes of catalogues that are gone instead (an index whose\n"
        "catalogue's folder is not there now, as on a drive not plugged in, is kept).\n"
        "Exit status: 0 every catalogue has a current index, 1 some could not be indexed, 2 the folder\n"
        "could not be read or the command line was wrong."));
    const QCommandLineOption jobs(QStringLiteral("jobs"),
                                  QStringLiteral("Index N catalogues at once (default: the machine's cores)."),
                                  QStringLiteral("N"));
    parser.addOption(jobs);
    const QCommandLineOption prune(QStringLiteral("prune"),
                                   QStringLiteral("Remove the indexes of catalogues that are gone, and nothing else."));
    parser.addOption(prune);
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder of catalogues."));
    const bool pruning = arguments.contains(QStringLiteral("--prune"));
    if (const auto status = parseCommandLine(parser, QStringLiteral("index"), arguments, pruning ? 0 : 1, io))
        return *status;
    if (parser.isSet(prune)) {
        const UserCacheLocation location;
        IndexCache cache(location, IndexCache::Builds::Inline);
        if (reportRefusedCache(cache, io))
            return Exit::Partial;
        const IndexCache::Pruned pruned = cache.prune();
        io.err << QStringLiteral("indexes: %1 removed, %2 kept; cache: %3").arg(pruned.removed).arg(pruned.kept).arg(location.folder())
               << Qt::endl;
        return Exit::Ok;
    }
    const std::optional<int> jobCount = jobsValue(parser, jobs, QStringLiteral("index"), coreCount(), io);
    if (!jobCount)
        return Exit::Failed;
    const QString given = parser.positionalArguments().constFirst();
    QByteArray folderPath;
    std::vector<QByteArray> names;
    try {
        PosixFileSystem fileSystem;
        const std::unique_ptr<Folder> folder =
            fileSystem.GetFolder(encodeFileName(given.isEmpty() ? given : QDir::current().absoluteFilePath(given)));
        folderPath = folder->Path();
        names = folder->Files();
    } catch (const Error &error) {
        io.err << QStringLiteral("kestrova-cli index: ") << error.numberStyle() << Qt::endl;
        return Exit::Failed;
    }

    const UserCacheLocation location;
    IndexCache cache(location, IndexCache::Builds::Inline);
    if (reportRefusedCache(cache, io))
        return Exit::Partial;
    std::vector<IndexCache::Refresh> outcomes(names.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next++) < names.size();)
            outcomes[i] = cache.refresh(joinPath(folderPath, names[i]));
    };
    const int threads = int(std::min<std::size_t>(std::size_t(*jobCount), std::max<std::size_t>(1, names.size())));
    std::vector<std::thread> workers;
    for (int i = 1; i < threads; ++i)
        workers.emplace_back(work);
    work();
    for (std::thread &worker : workers)
        worker.join();

    int built = 0, current = 0, whole = 0, failed = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        switch (outcomes[i]) {
        case IndexCache::Refresh::Built: ++built; break;
        case IndexCache::Refresh::Current: ++current; break;
        case IndexCache::Refresh::ReadWhole: ++whole; break;
        case IndexCache::Refresh::Failed:
            ++failed;
            io.err << displayFileName(decodeFileName(joinPath(folderPath, names[i]))) << QCoreApplication::translate("kestrova-cli", ": could not be indexed")
                   << Qt::endl;
            break;
        }
    }
    io.err << QStringLiteral("indexes: %1 built, %2 up to date, %3 read whole, %4 failed; cache: %5")
                  .arg(built).arg(current).arg(whole).arg(failed).arg(location.folder())
           << Qt::endl;
    return failed ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
