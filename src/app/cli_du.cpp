// kestrova-cli du CATALOGUE [FOLDER]: the total size and count of files under each folder of a
// catalogue, largest first, as a disk-usage tool shows a live disk; written through the record
// writer.
#include "cli_tree.h"

#include "search/result_export.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cmath>

namespace kestrova::cli {
namespace {

// A size as du -h writes it: bytes below 1024, then K, M, G, T, P and E (powers of 1024), one
// decimal below 10, rounded up.
QByteArray humanSize(qint64 bytes)
{
    if (bytes < 1024)
        return QByteArray::number(bytes);
    static constexpr char kUnits[] = "KMGTPE";
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 5) {
        value /= 1024;
        ++unit;
    }
    if (value < 10 && std::ceil(value * 10) < 100)
        return QByteArray::number(std::ceil(value * 10) / 10, 'f', 1) + kUnits[unit];
    if (std::ceil(value) >= 1024 && unit < 5)
        return QByteArray("1.0") + kUnits[unit + 1];
    return QByteArray::number(qint64(std::ceil(value))) + kUnits[unit];
}

// The folders below folder down to depth levels, each once.
void gather(const CatalogueTree &tree, quint32 folder, int depth, std::vector<quint32> &out)
{
    if (depth <= 0)
        return;
    for (const quint32 child : tree.children(folder)) {
        out.push_back(child);
        gather(tree, child, depth - 1, out);
    }
}

} // namespace

int runDu(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the total size in bytes of every file under each folder of FOLDER (by default the\n"
        "catalogue's root) down to --depth levels, with their count, largest first, and last FOLDER's\n"
        "own total: size, files, files whose size is not known, path; one folder a line. Sizes come\n"
        "from the facts beside the catalogue; without them a size is not known and is left empty.\n"
        "FOLDER \"(before any folder)\" totals the entries that come before any heading.\n"
        "Exit status: 0 listed, 2 the catalogue or the folder could not be read or the command line was wrong."));
    const QCommandLineOption depth(QStringLiteral("depth"),
                                   QStringLiteral("Folders down to N levels below FOLDER (default 1; 0: only the total)."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption human(QStringLiteral("human"),
                                   QStringLiteral("(also -h) Sizes as 4.2G: powers of 1024, rounded up, as du -h writes "
                                                  "them; --help is then the only way to this help."));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("Write the folders as FORMAT: tsv (the default), csv (a header row) or json (JSON Lines: one "
                       "object a folder with the keys size, files, unknown and path)."),
        QStringLiteral("FORMAT"), QStringLiteral("tsv"));
    parser.addOptions({depth, human, format});
    parser.addPositionalArgument(QStringLiteral("CATALOGUE"), QStringLiteral("The catalogue file."));
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder to total."), QStringLiteral("[FOLDER]"));
    // -h is --help for every command; du's own -h, as du has it, is taken for --human.
    QStringList given = arguments;
    for (QString &argument : given)
        if (argument == u"-h")
            argument = QStringLiteral("--human");
    const qsizetype count = positionalCount(parser, QStringLiteral("du"), given);
    if (const auto status = parseCommandLine(parser, QStringLiteral("du"), given, count == 2 ? 2 : 1, io))
        return *status;
    bool depthOk = false;
    const int levels = parser.value(depth).toInt(&depthOk);
    if (!depthOk || levels < 0) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli du: --depth takes a number from 0") << Qt::endl;
        return Exit::Failed;
    }
    const std::optional<ExportFormat> outputFormat = exportFormatNamed(parser.value(format));
    if (!outputFormat) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli du: --format takes tsv, csv or json") << Qt::endl;
        return Exit::Failed;
    }
    const QStringList positional = parser.positionalArguments();
    quint32 folder = 0;
    const std::unique_ptr<CatalogueTree> tree = openTree(QStringLiteral("du"), positional[0], positional.value(1), folder, false, io);
    if (!tree)
        return Exit::Failed;

    std::vector<quint32> folders;
    gather(*tree, folder, levels, folders);
    // Largest first (a size not known last); equal sizes in the catalogue's order.
    std::stable_sort(folders.begin(), folders.end(),
                     [&](quint32 a, quint32 b) { return tree->totals(a).size() > tree->totals(b).size(); });
    folders.push_back(folder);

    using Field = RecordWriter::Field;
    const RecordWriter writer(*outputFormat, {"size", "files", "unknown", "path"});
    QByteArray out = writer.begin();
    for (const quint32 each : folders) {
        const CatalogueTree::Totals &totals = tree->totals(each);
        const qint64 size = totals.size();
        const QByteArray sizeText = parser.isSet(human) && size >= 0 ? humanSize(size) : QByteArray();
        writer.appendRecord(out, {sizeText.isNull() ? Field::number(size) : Field::text(sizeText),
                                  Field::number(qint64(totals.files)), Field::number(qint64(totals.unknownSizes)),
                                  Field::text(each == tree->beforeAnyFolder() ? QByteArrayView(CatalogueTree::kBeforeAnyFolderName)
                                                                              : tree->folderPath(each))});
        if (out.size() >= (1 << 16) && !writeRaw(io, std::exchange(out, QByteArray())))
            break;
    }
    writeRaw(io, out);
    return Exit::Ok;
}

} // namespace kestrova::cli
