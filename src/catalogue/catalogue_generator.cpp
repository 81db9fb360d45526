#include "catalogue_generator.h"

#include "catalogue_format.h"
#include "platform/text_file.h"

namespace kestrova {
namespace {

// A write that failed ends the whole run: a catalogue with a hole in it is not a catalogue.
// Kept apart from Error so that the per-folder handler lets it through.
struct WriteFailure
{
    Error error;
};

} // namespace

CatalogueGenerator::CatalogueGenerator(FileSystem &fileSystem, const DateConventions &dates)
    : m_fileSystem(fileSystem), m_dates(dates)
{
}

GenerationTotals CatalogueGenerator::WriteCatalogue(const QByteArray &root,
                                                    const QString &catalogueFile,
                                                    GenerationSink &sink, QDate today)
{
    m_totals = {};
    m_rootHeaderWritten = false;
    m_sink = &sink;
    TextFileWriter out(catalogueFile, TextFileWriter::Mode::Truncate);
    m_out = &out;
    struct RunEnd
    {
        CatalogueGenerator &generator;
        ~RunEnd()
        {
            generator.m_out = nullptr;
            generator.m_sink = nullptr;
        }
    } runEnd{*this};

    try {
        write(catalogue::kHeaderPrefix + m_dates.shortDate(today).toUtf8());
        write(catalogue::kRule);
        ScanFolder(root);
        sink.scanFinished();
        sink.currentFile(catalogue::kFinished);
        write("");
        write("");
        write(catalogue::kEndMarker);
        write(catalogue::kFolderTotalPrefix + catalogue::formatTotal(m_totals.folders));
        write(catalogue::kFileTotalPrefix + catalogue::formatTotal(m_totals.files));
        out.close();
    } catch (const WriteFailure &failure) {
        throw failure.error;
    }
    return m_totals;
}

void CatalogueGenerator::ScanFolder(const QByteArray &thisitem)
{
    m_sink->folderStarting();
    std::vector<QByteArray> subFolders;
    try {
        const std::unique_ptr<Folder> folder = m_fileSystem.GetFolder(thisitem);
        if (!m_rootHeaderWritten) {
            writeFrame(thisitem);
            m_rootHeaderWritten = true;
        }
        for (const QByteArray &name : folder->Files()) {
            m_line = catalogue::lineSafe(name);
            m_line += catalogue::kFieldSeparator;
            m_line += folder->Type(name).toUtf8();
            m_line += catalogue::kFieldSeparator;
            m_line += m_dates.general(folder->DateCreated(name)).toUtf8();
            m_sink->currentFile(m_line);
            write(m_line);
            ++m_totals.files;
        }
        subFolders = folder->SubFolders();
    } catch (const Error &error) {
        ++m_totals.failures;
        m_sink->failure(error, thisitem);
        return;
    }
    // The folder is closed before the walk goes down, so open handles do not pile up with
    // the depth of the tree.
    for (const QByteArray &path : subFolders) {
        writeFrame(path);
        ScanFolder(path);
        ++m_totals.folders;
    }
}

void CatalogueGenerator::writeFrame(const QByteArray &folderPath)
{
    write(catalogue::kRule);
    write(catalogue::kFolderPrefix + catalogue::lineSafe(folderPath));
    write(catalogue::kRule);
}

void CatalogueGenerator::write(QByteArrayView line)
{
    try {
        m_out->writeLine(line);
    } catch (const Error &error) {
        throw WriteFailure{error};
    }
}

} // namespace kestrova
