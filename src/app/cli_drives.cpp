// kestrova-cli drives FOLDER: the drives the catalogues of FOLDER describe, from the facts
// beside them, and whether each is connected now.
#include "cli_common.h"

#include "catalogue/drives.h"
#include "platform/files/file_names.h"
#include "platform/files/posix_file_system.h"
#include "search/result_export.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace kestrova::cli {
namespace {

const QList<QByteArray> kColumns = {"catalogue", "label", "uuid", "filesystem", "capacity", "free",
                                    "files", "total_bytes", "catalogued", "connected", "mounted_at", "drive", "older"};

void appendRow(QByteArray &out, const RecordWriter &writer, const DriveRow &row)
{
    using Field = RecordWriter::Field;
    const QString catalogued = row.run.started.isValid() ? row.run.started.toUTC().toString(Qt::ISODate) : row.catalogued;
    // Whether the drive is connected is known of a drive whose UUID is, or whose folder is there.
    const std::optional<bool> connected = row.connected         ? std::optional(true)
                                          : row.run.uuid.isEmpty() ? std::nullopt
                                                                   : std::optional(false);
    writer.appendRecord(out, {Field::text(row.catalogue), Field::text(row.run.label), Field::text(row.run.uuid),
            Field::text(row.run.fileSystem), Field::number(row.run.capacity), Field::number(row.run.free),
            Field::number(row.files), Field::number(row.run.totalBytes), Field::text(catalogued),
            Field::answer(connected), Field::text(row.connected ? row.connected->rootPath : QString()),
            Field::number(row.drive + 1), Field::number(row.older)});
}

} // namespace

int runDrives(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the drives the catalogues in FOLDER describe, one a line, from the facts kept beside them:\n"
        "catalogue, label, UUID, file system, capacity and free space (bytes, when catalogued), files,\n"
        "their total size, when it was catalogued, and whether that volume is connected now (and where);\n"
        "then the drive's number and, on the newest of its catalogues, how many older ones it has (empty on\n"
        "those). The catalogues of one drive (the same volume UUID, else the same root folder) follow each\n"
        "other, newest first.\n"
        "Exit status: 0 drives listed, 1 the folder holds no catalogue, 2 the folder could not be read or\n"
        "the command line was wrong."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Write the rows as FORMAT: tsv (the default), csv (with a header row) "
                                                   "or json (JSON Lines)."),
                                    QStringLiteral("FORMAT"), QStringLiteral("tsv"));
    parser.addOption(format);
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder of catalogues."));
    if (const auto status = parseCommandLine(parser, QStringLiteral("drives"), arguments, 1, io))
        return *status;
    const std::optional<ExportFormat> outputFormat = exportFormatNamed(parser.value(format));
    if (!outputFormat) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli drives: --format takes tsv, csv or json") << Qt::endl;
        return Exit::Failed;
    }
    const QString given = parser.positionalArguments().constFirst();
    std::vector<DriveRow> rows;
    try {
        PosixFileSystem fileSystem;
        rows = drivesOf(fileSystem, given.isEmpty() ? given : QDir::current().absoluteFilePath(given), mountedDrives());
    } catch (const Error &error) {
        io.err << QStringLiteral("kestrova-cli drives: %1: %2").arg(given, error.numberStyle()) << Qt::endl;
        return Exit::Failed;
    }
    for (const DriveRow &row : rows)
        if (row.factsDamaged)
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli drives: the facts beside %1 cannot be read and are left aside: %2")
                          .arg(displayFileName(row.catalogue),
                               displayFileName(factsPathFor(QDir(given).absoluteFilePath(row.catalogue))))
                   << Qt::endl;
    // The catalogues of one folder share their .kestrova: it is named once.
    if (std::any_of(rows.begin(), rows.end(), [](const DriveRow &row) { return row.factsRefused; }))
        io.err << QStringLiteral("kestrova-cli drives: ")
               << refusedFactsNotice(factsFolderFor(QDir(given).absoluteFilePath(rows.front().catalogue))) << Qt::endl;
    const RecordWriter writer(*outputFormat, kColumns);
    QByteArray out = writer.begin();
    for (const DriveRow &row : rows)
        appendRow(out, writer, row);
    writeRaw(io, out);
    return rows.empty() ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
