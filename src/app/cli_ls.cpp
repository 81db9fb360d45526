// kestrova-cli ls CATALOGUE [FOLDER]: a folder's entries as the catalogue holds them, its
// sub-folders first, then its files, written through the record writer.
#include "cli_tree.h"

#include "search/result_export.h"

#include <QCommandLineParser>

namespace kestrova::cli {

int runLs(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the entries of FOLDER (by default the catalogue's root) as CATALOGUE holds them: its\n"
        "sub-folders in the order the catalogue names them, then its files in the catalogue's order,\n"
        "one a line. FOLDER is a path as the catalogue writes it (/media/photos/2024); \"(before any\n"
        "folder)\" lists the entries that come before any heading.\n"
        "Exit status: 0 entries listed, 1 the folder is empty, 2 the catalogue or the folder could not\n"
        "be read or the command line was wrong."));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("Write the entries as FORMAT: tsv (the default: the name alone, or with --long the name, type, "
                       "created, size and modified, joined by a TAB), csv (a header row; every column) or json (JSON "
                       "Lines: one object an entry with the keys name, path, type, created, size and modified)."),
        QStringLiteral("FORMAT"), QStringLiteral("tsv"));
    const QCommandLineOption long_(QStringLiteral("long"),
                                   QStringLiteral("With type, created, size (bytes; a folder's: the total under it) and "
                                                  "modification time (ISO 8601, UTC), from the facts beside the "
                                                  "catalogue; empty where they are not known. A folder's type is Folder."));
    parser.addOptions({format, long_});
    parser.addPositionalArgument(QStringLiteral("CATALOGUE"), QStringLiteral("The catalogue file."));
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder to list."), QStringLiteral("[FOLDER]"));
    const qsizetype given = positionalCount(parser, QStringLiteral("ls"), arguments);
    if (const auto status = parseCommandLine(parser, QStringLiteral("ls"), arguments, given == 2 ? 2 : 1, io))
        return *status;
    const std::optional<ExportFormat> outputFormat = exportFormatNamed(parser.value(format));
    if (!outputFormat) {
        io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli ls: --format takes tsv, csv or json") << Qt::endl;
        return Exit::Failed;
    }
    const QStringList positional = parser.positionalArguments();
    quint32 folder = 0;
    const std::unique_ptr<CatalogueTree> tree = openTree(QStringLiteral("ls"), positional[0], positional.value(1), folder, true, io);
    if (!tree)
        return Exit::Failed;

    using Field = RecordWriter::Field;
    const bool all = *outputFormat != ExportFormat::Tsv || parser.isSet(long_);
    const RecordWriter writer(*outputFormat, all ? QList<QByteArray>{"name", "path", "type", "created", "size", "modified"}
                                                 : QList<QByteArray>{"name"});
    // The tab-separated long form leaves out the path, which the name and FOLDER give.
    const bool withPath = *outputFormat != ExportFormat::Tsv;
    QByteArray out = writer.begin();
    const auto flush = [&] {
        const bool written = writeRaw(io, out);
        out.resize(0);
        return written;
    };
    for (const quint32 child : tree->children(folder)) {
        const qint64 size = tree->totals(child).size();
        if (!all)
            writer.appendRecord(out, {Field::text(tree->folderName(child))});
        else if (withPath)
            writer.appendRecord(out, {Field::text(tree->folderName(child)), Field::text(tree->folderPath(child)),
                                      Field::text(QByteArrayView("Folder")), Field::text(QByteArrayView()),
                                      Field::number(size), Field::number(-1)});
        else
            writer.appendRecord(out, {Field::text(tree->folderName(child)), Field::text(QByteArrayView("Folder")),
                                      Field::text(QByteArrayView()), Field::number(size), Field::number(-1)});
    }
    // Files in slices, their types and created texts read back from the catalogue slice by slice.
    const std::span<const quint32> files = tree->files(folder);
    constexpr size_t kSlice = 4096;
    try {
        for (size_t from = 0; from < files.size(); from += kSlice) {
            const std::span<const quint32> slice = files.subspan(from, std::min(kSlice, files.size() - from));
            const std::vector<CatalogueTree::FileTexts> texts = all ? tree->fileTexts(slice) : std::vector<CatalogueTree::FileTexts>();
            for (size_t i = 0; i < slice.size(); ++i) {
                const quint32 file = slice[i];
                const qint64 size = tree->fileSize(file);
                const QByteArray modified = size >= 0 ? isoTime(tree->fileModifiedNs(file)) : QByteArray();
                const Field modifiedField = !modified.isEmpty() ? Field::text(modified) : Field::number(-1);
                if (!all)
                    writer.appendRecord(out, {Field::text(tree->fileName(file))});
                else if (withPath)
                    writer.appendRecord(out, {Field::text(tree->fileName(file)), Field::text(tree->filePath(file)),
                                              Field::text(texts[i].type), Field::text(texts[i].created),
                                              Field::number(size), modifiedField});
                else
                    writer.appendRecord(out, {Field::text(tree->fileName(file)), Field::text(texts[i].type),
                                              Field::text(texts[i].created), Field::number(size), modifiedField});
            }
            if (!flush())
                break;
        }
    } catch (const Error &error) {
        flush();
        io.err << QStringLiteral("kestrova-cli ls: %1: %2").arg(positional[0], error.numberStyle()) << Qt::endl;
        return Exit::Failed;
    }
    flush();
    return tree->children(folder).empty() && files.empty() ? Exit::Partial : Exit::Ok;
}

} // namespace kestrova::cli
