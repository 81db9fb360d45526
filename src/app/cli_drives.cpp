// kestrova-cli drives FOLDER: the drives the catalogues of FOLDER describe, from the facts
// beside them, and whether each is connected now.
#include "cli_common.h"

#include "catalogue/drives.h"
#include "platform/files/posix_file_system.h"
#include "search/result_export.h"

#include <QCommandLineParser>
#include <QDir>
#include <QJsonDocument>
#include <QJsonArray>

namespace kestrova::cli {
namespace {

const QStringList kColumns = {QStringLiteral("catalogue"), QStringLiteral("label"), QStringLiteral("uuid"),
                              QStringLiteral("filesystem"), QStringLiteral("capacity"), QStringLiteral("free"),
                              QStringLiteral("files"), QStringLiteral("total_bytes"), QStringLiteral("catalogued"),
                              QStringLiteral("connected"), QStringLiteral("mounted_at")};

QString number(qint64 value)
{
    return value < 0 ? QString() : QString::number(value);
}

QStringList fieldsOf(const DriveRow &row)
{
    const QString catalogued = row.run.started.isValid() ? row.run.started.toUTC().toString(Qt::ISODate) : row.catalogued;
    return {row.catalogue, row.run.label, row.run.uuid, row.run.fileSystem, number(row.run.capacity),
            number(row.run.free), number(row.files), number(row.run.totalBytes), catalogued,
            row.connected ? QStringLiteral("yes") : row.run.uuid.isEmpty() ? QString() : QStringLiteral("no"),
            row.connected ? row.connected->rootPath : QString()};
}

QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

} // namespace

int runDrives(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the drives the catalogues in FOLDER describe, one a line, from the facts kept beside them:\n"
        "catalogue, label, UUID, file system, capacity and free space (bytes, when catalogued), files,\n"
        "their total size, when it was catalogued, and whether that volume is connected now (and where).\n"
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
        io.err << QStringLiteral("kestrova-cli drives: --format takes tsv, csv or json") << Qt::endl;
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
    if (*outputFormat == ExportFormat::Csv)
        io.out << kColumns.join(u',') << QStringLiteral("\r\n");
    for (const DriveRow &row : rows) {
        const QStringList fields = fieldsOf(row);
        switch (*outputFormat) {
        case ExportFormat::Tsv:
            io.out << QStringList(fields).replaceInStrings(QStringLiteral("\t"), QStringLiteral(" ")).join(u'\t') << u'\n';
            break;
        case ExportFormat::Csv: {
            QStringList quoted;
            for (const QString &field : fields)
                quoted << csvField(field);
            io.out << quoted.join(u',') << QStringLiteral("\r\n");
            break;
        }
        case ExportFormat::JsonLines: {
            // The keys in the columns' order; numbers as numbers, connected as true or false.
            QStringList members;
            for (qsizetype i = 0; i < kColumns.size(); ++i) {
                const bool numeric = i >= 4 && i <= 7;
                QString value = QStringLiteral("null");
                if (!fields[i].isEmpty())
                    value = numeric ? fields[i] : i == 9 ? (fields[i] == u"yes" ? QStringLiteral("true") : QStringLiteral("false"))
                                                         : jsonString(fields[i]);
                members << u'"' + kColumns[i] + QStringLiteral("\":") + value;
            }
            io.out << u'{' << members.join(u',') << QStringLiteral("}\n");
            break;
        }
        }
    }
    return rows.empty() ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
