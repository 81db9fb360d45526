// kestrova-cli copies FOLDER --single|--duplicates: the files of the catalogues in FOLDER that
// have no second copy on another drive, or the names and sizes stored more than once.
#include "cli_common.h"

#include "catalogue/catalogue_facts.h"
#include "catalogue/copies.h"
#include "platform/files/file_names.h"
#include "platform/files/posix_file_system.h"
#include "search/result_export.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace kestrova::cli {
namespace {

using Field = RecordWriter::Field;

class CliCopiesSink final : public CopiesSink
{
public:
    explicit CliCopiesSink(Io &io) : m_io(io) {}
    void catalogueFailed(const QString &catalogue, const Error &error) override
    {
        m_io.err << QStringLiteral("kestrova-cli copies: %1: %2").arg(displayFileName(catalogue), error.numberStyle())
                 << Qt::endl;
    }

private:
    Io &m_io;
};

// One line a file.
void writeSingles(CopiesResult &result, const RecordWriter &writer, Io &io)
{
    QByteArray block = writer.begin();
    while (result.next()) {
        writer.appendRecord(block, {Field::text(result.path()), Field::text(result.type()), Field::number(result.fileSize()),
                                    Field::text(result.catalogue()), Field::number(result.copies())});
        if (block.size() >= (1 << 16) && !writeRaw(io, std::exchange(block, QByteArray())))
            return;
    }
    writeRaw(io, block);
}

// One line a name and size (or name and type): its copies, the catalogues that hold them, and
// the bytes all copies but one take. A group's line is written once its last row is read.
void writeDuplicates(CopiesResult &result, const RecordWriter &writer, Io &io)
{
    QByteArray block = writer.begin();
    QByteArray name, type;
    qint64 size = -1;
    quint32 copies = 0;
    QStringList drives;
    const auto writeGroup = [&] {
        writer.appendRecord(block, {Field::text(name), Field::number(size), Field::number(copies),
                                    Field::text(drives.join(QStringLiteral(", "))),
                                    Field::number(size >= 0 ? spareBytes(size, copies) : -1), Field::text(type)});
        drives.clear();
        return block.size() < (1 << 16) || writeRaw(io, std::exchange(block, QByteArray()));
    };
    while (result.next()) {
        if (result.startsGroup()) {
            if (!drives.isEmpty() && !writeGroup())
                return;
            name = result.name().toByteArray();
            type = result.type().toByteArray();
            size = result.sizeUnknownGroup() ? -1 : result.fileSize();
            copies = result.copies();
        }
        if (!drives.contains(result.catalogue()))
            drives << result.catalogue();
    }
    if (!drives.isEmpty() && !writeGroup())
        return;
    writeRaw(io, block);
}

} // namespace

int runCopies(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists, across all catalogues in FOLDER, the files that have no second copy on another drive\n"
        "(--single: one line a file) or the names and sizes stored more than once (--duplicates: one line\n"
        "a name and size, with its copies, the catalogues holding them and the bytes all copies but one\n"
        "take), largest first. Two files are copies when they have the same name and size, the sizes from\n"
        "the facts beside the catalogues; where a catalogue has none, the same name and type (its sizes are\n"
        "then empty). Folders play no part. Catalogues of one drive (the same volume UUID in their facts,\n"
        "else the same root folder) count as one drive, and where a newer catalogue of the drive covers\n"
        "a folder, the older ones' files there are history.\n"
        "Exit status: 0 files listed, 1 none, 2 the folder could not be read or the command line was wrong."));
    const QCommandLineOption single(QStringLiteral("single"), QStringLiteral("The files with no copy on another drive."));
    const QCommandLineOption duplicates(QStringLiteral("duplicates"),
                                        QStringLiteral("The names and sizes stored more than once."));
    const QCommandLineOption minSize(QStringLiteral("min-size"),
                                     QStringLiteral("Only files of at least SIZE: bytes, or with K, M, G or T (100M, 4G); "
                                                    "files of unknown size are left out."),
                                     QStringLiteral("SIZE"));
    const QCommandLineOption under(QStringLiteral("under"),
                                   QStringLiteral("With --single: only the files in FOLDER-PATH or below it, as "
                                                  "catalogued (their copies are looked for everywhere)."),
                                   QStringLiteral("FOLDER-PATH"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Write the lines as FORMAT: tsv (the default), csv (with a header row) "
                                                   "or json (JSON Lines)."),
                                    QStringLiteral("FORMAT"), QStringLiteral("tsv"));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Read N catalogues at a time (default: the cores)."),
                                  QStringLiteral("N"));
    parser.addOptions({single, duplicates, minSize, under, format, jobs});
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder of catalogues."));
    if (const auto status = parseCommandLine(parser, QStringLiteral("copies"), arguments, 1, io))
        return *status;
    if (parser.isSet(single) == parser.isSet(duplicates)) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli copies: give one of --single and --duplicates") << Qt::endl;
        return Exit::Failed;
    }
    if (parser.isSet(under) && !parser.isSet(single)) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli copies: --under goes with --single") << Qt::endl;
        return Exit::Failed;
    }
    const std::optional<ExportFormat> outputFormat = exportFormatNamed(parser.value(format));
    if (!outputFormat) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli copies: --format takes tsv, csv or json") << Qt::endl;
        return Exit::Failed;
    }
    CopiesOptions options;
    options.mode = parser.isSet(single) ? CopiesOptions::Mode::Single : CopiesOptions::Mode::Duplicates;
    if (parser.isSet(minSize)) {
        const std::optional<qint64> bytes = sizeValue(parser.value(minSize));
        if (!bytes) {
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli copies: --min-size takes a size like 100M or 4G") << Qt::endl;
            return Exit::Failed;
        }
        options.minimumSize = *bytes;
    }
    options.under = encodeFileName(parser.value(under));
    const std::optional<int> threads = jobsValue(parser, jobs, QStringLiteral("copies"), coreCount(), io);
    if (!threads)
        return Exit::Failed;
    options.threads = *threads;

    const QString given = parser.positionalArguments().constFirst();
    CliCopiesSink sink(io);
    CopiesResult result;
    try {
        PosixFileSystem fileSystem;
        result = copiesReport(fileSystem, given.isEmpty() ? given : QDir::current().absoluteFilePath(given), options, sink);
    } catch (const Error &error) {
        io.err << QStringLiteral("kestrova-cli copies: %1: %2").arg(given, error.numberStyle()) << Qt::endl;
        return Exit::Failed;
    }
    try {
        if (options.mode == CopiesOptions::Mode::Single)
            writeSingles(result, RecordWriter(*outputFormat, {"path", "type", "size", "catalogue", "copies"}), io);
        else
            writeDuplicates(result,
                            RecordWriter(*outputFormat, {"name", "size", "copies", "catalogues", "spare_bytes", "type"}), io);
    } catch (const Error &error) {
        io.err << QStringLiteral("kestrova-cli copies: %1: %2").arg(given, error.numberStyle()) << Qt::endl;
        return Exit::Failed;
    }
    if (!result.withoutFacts.isEmpty())
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli copies: sizes unknown in %1: their files count as copies by name and type")
                      .arg(result.withoutFacts.join(QStringLiteral(", ")))
               << Qt::endl;
    for (const QString &facts : result.damagedFacts)
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli copies: %1 is damaged: the sizes it does not give count as unknown")
                      .arg(displayFileName(facts))
               << Qt::endl;
    for (const QString &folder : result.refusedFacts)
        io.err << QStringLiteral("kestrova-cli copies: ") << refusedFactsNotice(folder) << Qt::endl;
    if (!result.history.isEmpty())
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli copies: older catalogues of a drive catalogued again, read as history: %1")
                      .arg(result.history.join(QStringLiteral(", ")))
               << Qt::endl;
    io.err << QStringLiteral("catalogues: %1, drives: %5, files: %2, distinct names and sizes: %3, listed: %4")
                  .arg(result.catalogues.size())
                  .arg(result.entries)
                  .arg(result.distinct)
                  .arg(result.size())
                  .arg(result.drives)
           << Qt::endl;
    return result.size() == 0 ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
