#include "catalogue_generator.h"

#include "catalogue_facts.h"
#include "catalogue_format.h"
#include "catalogue_tap.h"
#include "platform/files/text_file.h"

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
                                                    GenerationSink &sink, QDate today, FactsWriter *facts,
                                                    CatalogueTap *tap)
{
    m_totals = {};
    m_rootHeaderWritten = false;
    m_sink = &sink;
    m_facts = facts;
    m_tap = tap;
    m_written = 0;
    m_checksum = ContentChecksum();
    // A catalogue already there is written anew beside it and takes its place only when
    // complete: a run cut short leaves it whole.
    TextFileWriter out(catalogueFile, TextFileWriter::Mode::Replace);
    m_out = &out;
    struct RunEnd
    {
        CatalogueGenerator &generator;
        ~RunEnd()
        {
            generator.m_out = nullptr;
            generator.m_sink = nullptr;
            generator.m_facts = nullptr;
            generator.m_tap = nullptr;
            generator.m_root.reset();
        }
    } runEnd{*this};

    if (out.replaces()) {
        // A root that cannot be opened would make an empty catalogue of a tree that may well
        // be there: the one there is kept, with its facts and index.
        sink.folderStarting();
        try {
            m_root = m_fileSystem.GetFolder(root);
        } catch (const Error &error) {
            ++m_totals.failures;
            sink.failure(error, root);
            m_totals.catalogueKept = true;
            return m_totals;
        }
    } else {
        forgetFacts(catalogueFile);
    }
    try {
        if (m_facts)
            m_facts->noteDates(m_dates.writing());
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
        // The facts of the catalogue replaced are of another run: they go before it does.
        if (out.replaces())
            forgetFacts(catalogueFile);
        out.commit();
        if (m_facts)
            m_totals.factsWritten = m_facts->finish(m_written, m_checksum.value());
        if (m_tap)
            m_tap->finish();
    } catch (const WriteFailure &failure) {
        throw failure.error;
    }
    return m_totals;
}

void CatalogueGenerator::ScanFolder(const QByteArray &thisitem)
{
    // The walk keeps its own stack of open folders rather than recursing, so that the depth
    // of the tree is limited by nothing but the tree. Each level keeps only the part of its
    // sub-folders' paths below it: one buffer holds the path of the folder being written, so memory and time
    // grow with the depth, not with the depth times the length of the paths.
    struct Level
    {
        std::unique_ptr<Folder> folder;
        std::vector<QByteArray> subFolders; // the separator and the name of each
        size_t next = 0;
        qsizetype pathLength = 0;
    };
    std::vector<Level> stack;
    QByteArray path = thisitem;
    const auto enter = [&](Folder *parent) {
        // The root, when opened already, was announced then.
        if (parent || !m_root)
            m_sink->folderStarting();
        try {
            std::unique_ptr<Folder> folder = parent ? parent->OpenSubFolder(path)
                                             : m_root    ? std::move(m_root)
                                                         : m_fileSystem.GetFolder(path);
            if (!m_rootHeaderWritten) {
                writeFrame(path);
                m_rootHeaderWritten = true;
            }
            writeFiles(*folder, path);
            std::vector<QByteArray> subFolders = folder->SubFolderTails();
            stack.push_back({std::move(folder), std::move(subFolders), 0, path.size()});
        } catch (const Error &error) {
            ++m_totals.failures;
            m_sink->failure(error, path);
        }
    };

    enter(nullptr);
    while (!stack.empty()) {
        Level &top = stack.back();
        if (top.next == top.subFolders.size()) {
            stack.pop_back();
            continue;
        }
        path.truncate(top.pathLength);
        path += top.subFolders[top.next];
        top.subFolders[top.next++] = QByteArray(); // what is walked needs no keeping
        writeFrame(path);
        // Counted whether or not the sub-folder can be listed.
        ++m_totals.folders;
        enter(top.folder.get());
    }
}

void CatalogueGenerator::writeFiles(Folder &folder, const QByteArray &folderPath)
{
    for (const QByteArray &name : folder.Files()) {
        FileStat stat;
        try {
            stat = folder.Stat(name);
        } catch (const Error &error) {
            // An entry that vanished since the listing, or whose attributes cannot be read,
            // is left out alone; the rest of its folder is still catalogued.
            ++m_totals.failures;
            m_sink->failure(error, joinPath(folderPath, name));
            continue;
        }
        m_line = catalogue::lineSafe(name);
        m_line += catalogue::kFieldSeparator;
        m_line += catalogue::fieldSafe(folder.Type(name).toUtf8());
        m_line += catalogue::kFieldSeparator;
        m_line += catalogue::fieldSafe(m_dates.general(stat.created).toUtf8());
        m_sink->currentFile(m_line);
        if (m_facts)
            m_facts->add(m_written, stat);
        write(m_line);
        ++m_totals.files;
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
    if (m_facts) {
        m_checksum.add(line.data(), line.size());
        m_checksum.add("\r\n", 2);
    }
    if (m_tap) {
        m_tap->feed(line);
        m_tap->feed("\r\n");
    }
    m_written += line.size() + 2;
}

} // namespace kestrova
