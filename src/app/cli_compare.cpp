// kestrova-cli compare OLD NEW: what changed between two catalogues of a drive.
#include "cli_common.h"

#include "catalogue/catalogue_comparison.h"
#include "platform/files/file_names.h"
#include "platform/files/file_time.h"
#include "search/result_export.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIODevice>

namespace kestrova::cli {
namespace {

QByteArray changeMark(Difference::Kind kind)
{
    switch (kind) {
    case Difference::Kind::Added:
    case Difference::Kind::FolderAdded: return "+";
    case Difference::Kind::Removed:
    case Difference::Kind::FolderRemoved: return "-";
    case Difference::Kind::Changed: return "~";
    case Difference::Kind::CreatedOnly: return "=";
    }
    return "?";
}

// Writes each difference as it comes: "+ PATH", "- PATH", "~ PATH" and for a change the old
// and new type and created texts after TABs, then the sizes where known, then why it changed;
// folders end in "/"; "= PATH" (with --created) a file whose created time alone differs. Or as
// rows of the tabular forms: Change, File Path, Old, New (the type, created text and size
// joined by ";"), Why; in JSON one object a side, with the keys of search's rows.
class CliDifferenceSink final : public DifferenceSink
{
public:
    CliDifferenceSink(Io &io, std::optional<ExportFormat> format, bool createdOnly)
        : m_device(io.out.device()), m_io(io), m_format(format), m_createdOnly(createdOnly),
          m_writer(format.value_or(ExportFormat::Tsv), format == ExportFormat::JsonLines
                                                           ? QList<QByteArray>{"change", "path", "old", "new", "why"}
                                                           : QList<QByteArray>{"Change", "File Path", "Old", "New", "Why"}),
          m_side(ExportFormat::JsonLines, {"type", "created", "size", "modified"})
    {
        if (m_format)
            m_block = m_writer.begin();
    }

    void difference(const Difference &d) override
    {
        if (d.kind == Difference::Kind::CreatedOnly && !m_createdOnly)
            return;
        const bool folder = d.kind == Difference::Kind::FolderAdded || d.kind == Difference::Kind::FolderRemoved;
        const bool change = d.kind == Difference::Kind::Changed || d.kind == Difference::Kind::CreatedOnly;
        const QByteArray path = folder && !d.path.endsWith('/') ? d.path + '/' : d.path;
        const QByteArray why = reasonsText(d);
        using Field = RecordWriter::Field;
        if (!m_format) {
            m_block += changeMark(d.kind) + ' ' + path;
            if (change)
                m_block += '\t' + d.oldType + '\t' + d.oldCreated + '\t' + d.newType + '\t' + d.newCreated;
            // The sizes where the facts beside both catalogues give them.
            if (change && d.oldSize >= 0)
                m_block += '\t' + QByteArray::number(d.oldSize) + '\t' + QByteArray::number(d.newSize);
            if (change)
                m_block += '\t' + why;
            m_block += '\n';
        } else if (m_format == ExportFormat::JsonLines) {
            const auto side = [&](const QByteArray &type, const QByteArray &created, qint64 size, qint64 modifiedNs,
                                  bool present) {
                if (!present)
                    return QByteArray("null");
                QByteArray object;
                m_side.appendRecord(object, {Field::text(type), Field::text(created), Field::number(size),
                                             size >= 0 && fileTimeKnown(modifiedNs) ? Field::text(modifiedText(modifiedNs)) : Field::none()});
                object.chop(1); // its line end
                return object;
            };
            const bool removed = d.kind == Difference::Kind::Removed || d.kind == Difference::Kind::FolderRemoved;
            const bool added = d.kind == Difference::Kind::Added || d.kind == Difference::Kind::FolderAdded;
            m_writer.appendRecord(m_block, {Field::text(changeMark(d.kind)), Field::text(path),
                                            Field::json(side(d.oldType, d.oldCreated, d.oldSize, d.oldModifiedNs, !added && !folder)),
                                            Field::json(side(d.newType, d.newCreated, d.newSize, d.newModifiedNs, !removed && !folder)),
                                            change ? Field::text(why) : Field::none()});
        } else {
            const auto side = [](const QByteArray &type, const QByteArray &created, qint64 size) {
                if (type.isEmpty() && created.isEmpty())
                    return QByteArray();
                return type + ';' + created + (size >= 0 ? ';' + QByteArray::number(size) : QByteArray());
            };
            m_writer.appendRecord(m_block, {Field::text(changeMark(d.kind)), Field::text(path),
                                            Field::text(side(d.oldType, d.oldCreated, d.oldSize)),
                                            Field::text(side(d.newType, d.newCreated, d.newSize)), Field::text(why)});
        }
        if (m_block.size() >= (1 << 16))
            flush();
    }

    void flush()
    {
        if (m_device)
            m_device->write(m_block); // a failure is reported when the program ends
        else
            m_io.out << QString::fromUtf8(m_block);
        m_block.clear();
    }

private:
    QIODevice *m_device;
    Io &m_io;
    std::optional<ExportFormat> m_format;
    bool m_createdOnly;
    RecordWriter m_writer;
    RecordWriter m_side; // a side of a difference, as a JSON object
    QByteArray m_block;
};

QString summaryText(const ComparisonResult &result)
{
    QStringList parts = {QStringLiteral("%1 added").arg(result.added), QStringLiteral("%1 removed").arg(result.removed),
                         QStringLiteral("%1 changed").arg(result.changed)};
    if (result.createdOnly)
        parts << QStringLiteral("%1 with only the created time changed (not counted as changes)").arg(result.createdOnly);
    if (result.foldersAdded)
        parts << QStringLiteral("%1 %2").arg(result.foldersAdded).arg(result.foldersAdded == 1 ? QStringLiteral("folder added")
                                                                                                 : QStringLiteral("folders added"));
    if (result.foldersRemoved)
        parts << QStringLiteral("%1 %2").arg(result.foldersRemoved).arg(result.foldersRemoved == 1 ? QStringLiteral("folder removed")
                                                                                                     : QStringLiteral("folders removed"));
    return parts.join(QStringLiteral(", "));
}

} // namespace

int runCompare(const QStringList &arguments, Io &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compares two catalogues of a drive and prints one line per difference: \"+ PATH\" added,\n"
        "\"- PATH\" removed, \"~ PATH\" changed (then, after TABs, the old and the new type and created\n"
        "texts, where the facts beside both catalogues give them the old and the new size, then why it\n"
        "changed: \"size A → B\", \"modified A → B\", \"created A → B\", \"type A → B\"); folders end in\n"
        "\"/\". Where both catalogues have facts, a file has changed when its size, modification time or\n"
        "type differs: a created time that alone differs (a copy made with cp -a) is counted on a line of\n"
        "its own, and listed as \"= PATH\" with --created. Folders are matched by their path below each\n"
        "catalogue's root.\n"
        "A summary goes to standard error.\n"
        "Exit status: 0 no difference, 1 differences, 2 a file could not be read or is no catalogue,\n"
        "or the command line was wrong."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Write the differences as rows of FORMAT instead: tsv, csv or json, "
                                                   "with the columns Change, File Path, Old, New and Why; in json, each "
                                                   "side an object with the keys of search's rows (type, created, size, "
                                                   "modified)."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption rootAs(QStringLiteral("root-as"),
                                    QStringLiteral("Match OLD_ROOT in the old catalogue with NEW_ROOT in the new one (a "
                                                   "drive mounted elsewhere); by default each catalogue's own root."),
                                    QStringLiteral("OLD_ROOT=NEW_ROOT"));
    const QCommandLineOption created(QStringLiteral("created"),
                                     QStringLiteral("Also list the files whose created time alone differs (\"=\")."));
    parser.addOptions({format, rootAs, created});
    parser.addPositionalArgument(QStringLiteral("OLD"), QStringLiteral("The earlier catalogue."));
    parser.addPositionalArgument(QStringLiteral("NEW"), QStringLiteral("The later catalogue."));
    if (const auto status = parseCommandLine(parser, QStringLiteral("compare"), arguments, 2, io))
        return *status;
    std::optional<ExportFormat> outputFormat;
    if (parser.isSet(format)) {
        outputFormat = exportFormatNamed(parser.value(format));
        if (!outputFormat) {
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli compare: --format takes tsv, csv or json") << Qt::endl;
            return Exit::Failed;
        }
    }
    std::optional<ComparisonRoots> roots;
    if (parser.isSet(rootAs)) {
        const QByteArray value = encodeFileName(parser.value(rootAs));
        const qsizetype equals = value.indexOf('=');
        if (equals <= 0 || equals + 1 == value.size()) {
            io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli compare: --root-as takes OLD_ROOT=NEW_ROOT") << Qt::endl;
            return Exit::Failed;
        }
        roots = ComparisonRoots{value.left(equals), value.mid(equals + 1)};
    }
    const QStringList positional = parser.positionalArguments();
    CliDifferenceSink sink(io, outputFormat, parser.isSet(created));
    try {
        const ComparisonResult result = compareCatalogues(positional[0], positional[1], sink, roots);
        sink.flush();
        io.out.flush();
        for (const auto &[name, summary] : {std::pair{positional[0], result.oldCatalogue}, std::pair{positional[1], result.newCatalogue}})
            if (!summary.complete)
                io.err << QCoreApplication::translate("kestrova-cli", "kestrova-cli compare: %1 ends part-way (its run was ended early)").arg(name) << Qt::endl;
        io.err << summaryText(result) << Qt::endl;
        return result.any() ? Exit::Partial : Exit::Ok;
    } catch (const FileError &error) {
        sink.flush();
        io.err << QStringLiteral("kestrova-cli compare: ") << error.path() << QStringLiteral(": ") << error.numberStyle()
               << Qt::endl;
        return Exit::Failed;
    } catch (const Error &error) {
        sink.flush();
        io.err << QStringLiteral("kestrova-cli compare: ") << error.numberStyle() << Qt::endl;
        return Exit::Failed;
    }
}

} // namespace kestrova::cli
