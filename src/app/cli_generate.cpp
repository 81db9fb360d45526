// kestrova-cli generate ROOT CATALOGUE: the same run as the main window's Generate Catalogue.
#include "cli_common.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/catalogue_format.h"
#include "catalogue/catalogue_generator.h"
#include "platform/files/file_names.h"
#include "platform/files/parallel_walk.h"
#include "platform/files/posix_file_system.h"
#include "search/index_cache.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <optional>

#include <sys/stat.h>

namespace kestrova::cli {
namespace {

class CliGenerationSink final : public GenerationSink
{
public:
    explicit CliGenerationSink(Io &io) : m_io(io) { m_clock.start(); }

    void folderStarting() override
    {
        ++m_folders;
        if (m_io.errIsTerminal && m_clock.elapsed() - m_lastDrawn >= 100)
            drawProgress();
    }
    void currentFile(QByteArrayView) override { ++m_files; }
    void scanFinished() override { clearProgress(); }
    void failure(const Error &error, const QByteArray &path) override
    {
        clearProgress();
        m_io.err << QString::fromUtf8(path) << QStringLiteral(": ") << error.numberStyle()
                 << Qt::endl;
    }

    // Leaves the terminal line empty, so that what follows starts clean.
    void clearProgress()
    {
        if (m_drawn) {
            m_io.err << QStringLiteral("\r\x1b[K") << Qt::flush;
            m_drawn = false;
        }
    }

private:
    void drawProgress()
    {
        m_lastDrawn = m_clock.elapsed();
        const double seconds = std::max<qint64>(m_lastDrawn, 1) / 1000.0;
        m_io.err << QStringLiteral("\r%1 folders, %2 files, %3 files/s\x1b[K")
                        .arg(m_folders)
                        .arg(m_files)
                        .arg(qRound64(double(m_files) / seconds))
                 << Qt::flush;
        m_drawn = true;
    }

    Io &m_io;
    QElapsedTimer m_clock;
    qint64 m_lastDrawn = 0;
    quint64 m_folders = 0;
    quint64 m_files = 0;
    bool m_drawn = false;
};

} // namespace

int runGenerate(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the catalogue of the folder tree at ROOT into CATALOGUE (\".txt\" is appended "
        "unless the name ends in it).\n"
        "Exit status: 0 complete, 1 complete but some folders could not be read, 2 failed."));
    const QCommandLineOption jobs(QStringLiteral("jobs"),
                                  QStringLiteral("List and read N folders at once, ahead of the writing (default: the "
                                                 "machine's cores, at least 2); 1 walks one folder at a time. The "
                                                 "catalogue is the same either way."),
                                  QStringLiteral("N"));
    const QCommandLineOption noFacts(QStringLiteral("no-facts"),
                                     QStringLiteral("Write no facts beside the catalogue (the files' sizes and "
                                                    "modification times, the drive's identity, in "
                                                    ".kestrova/CATALOGUE.facts beside it)."));
    const QCommandLineOption noIndex(QStringLiteral("no-index"),
                                     QStringLiteral("Write no search index with the catalogue (the first search "
                                                    "then reads it whole and indexes it)."));
    parser.addOptions({jobs, noFacts, noIndex});
    parser.addPositionalArgument(QStringLiteral("ROOT"), QStringLiteral("The folder to catalogue."));
    parser.addPositionalArgument(QStringLiteral("CATALOGUE"),
                                 QStringLiteral("The catalogue file to write."));
    if (const auto status = parseCommandLine(parser, QStringLiteral("generate"), arguments, 2, io))
        return *status;
    const QStringList positional = parser.positionalArguments();
    const std::optional<int> workers =
        jobsValue(parser, jobs, QStringLiteral("generate"), ParallelFileSystem::defaultWorkers(), io);
    if (!workers)
        return Exit::Failed;
    if (positional[0].isEmpty() || positional[1].isEmpty()) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli generate: ROOT and CATALOGUE must not be empty") << Qt::endl;
        return Exit::Failed;
    }

    const QString root = QDir::cleanPath(QDir::current().absoluteFilePath(positional[0]));
    const QString chosen = positional[1];
    struct stat info;
    if (chosen.endsWith(u'/') || (stat(encodeFileName(chosen).constData(), &info) == 0 && S_ISDIR(info.st_mode))) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli generate: %1 is a folder; name a catalogue file")
                      .arg(chosen)
               << Qt::endl;
        return Exit::Failed;
    }
    const QString catalogueFile = catalogue::catalogueFileName(chosen);

    std::unique_ptr<FileSystem> fileSystem;
    if (*workers == 1)
        fileSystem = std::make_unique<PosixFileSystem>();
    else
        fileSystem = std::make_unique<ParallelFileSystem>(*workers);
    const DateConventions dates;
    CatalogueGenerator generator(*fileSystem, dates);
    CliGenerationSink sink(io);
    // The facts beside the catalogue: what its lines cannot hold.
    std::optional<FactsWriter> facts;
    if (!parser.isSet(noFacts))
        facts.emplace(catalogueFile, startingRun(root, volumeOf(root)));
    // Its search index, from the bytes as they are written: the first search finds it there.
    const UserCacheLocation cacheLocation;
    const IndexCache cache(cacheLocation, IndexCache::Builds::Inline);
    const std::unique_ptr<CatalogueTap> index =
        parser.isSet(noIndex) ? nullptr : cache.buildWhileWriting(encodeFileName(catalogueFile));
    try {
        const GenerationTotals totals = generator.WriteCatalogue(encodeFileName(root), catalogueFile, sink,
                                                                 QDate::currentDate(), facts ? &*facts : nullptr, index.get());
        if (totals.catalogueKept) {
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli generate: the folder %1 could not be opened; %2 is left as it was")
                          .arg(root, catalogueFile)
                   << Qt::endl;
            return Exit::Failed;
        }
        if (facts && !facts->refusedFolder().isEmpty())
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli generate: %1 is not yours alone (a link, another user's, or others may write to it), so no facts are kept in it: sizes will not be known")
                          .arg(facts->refusedFolder())
                   << Qt::endl;
        else if (facts && !totals.factsWritten)
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli generate: the facts beside %1 could not be written (%2): sizes will "
                                     "not be known")
                          .arg(catalogueFile, factsPathFor(catalogueFile))
                   << Qt::endl;
        return totals.failures == 0 ? Exit::Ok : Exit::Partial;
    } catch (const Error &error) {
        sink.clearProgress();
        io.err << catalogueFile << QStringLiteral(": ") << error.numberStyle() << Qt::endl;
        return Exit::Failed;
    }
}

} // namespace kestrova::cli
