// A catalogue read as a tree of folders, for browsing a drive that is not plugged in: every
// folder with its sub-folders, its files and the totals of everything under it.
//
// What is a heading and what is an entry is decided as the search decides it: the frame rule of
// headings and the fields of an entry line from catalogue_format.h, lines cut at CR, LF or
// CR LF, a line longer than catalogue::kLongestLine passed over (never a heading, never an
// entry), and an entry being a line that is no heading and whose type field is not empty. Lines
// after the end marker count as the search counts them.
//
// A heading that repeats adds to the folder it named before; entries before any heading belong
// to a folder of their own (beforeAnyFolder()); a folder whose parent has no heading gets that
// parent made up. Folders are one folder when their paths have the same parts ("/a//b/" is
// "/a/b"); each keeps the path its first heading wrote.
//
// Sizes and modification times come from the facts beside the catalogue when they describe its
// bytes; otherwise a file's size is not known (-1), never 0, and totals count such files.
//
// A tree can also be made from a folder table (folderTable(), kept beside the search index): its
// folders and totals as a reading found them, without its files, which readFiles() then reads
// for the folders asked for, from their headings on, through the same rules.
//
// Memory: the names' bytes and the folders' paths, 44 bytes a file (a 40-byte record and its
// place in its folder's list) and about 100 a folder; type and created texts stay in the
// catalogue and are read back for the files asked for (fileTexts()).
#pragma once

#include "catalogue_facts.h"

#include "platform/files/text_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace kestrova {

class CatalogueTree
{
public:
    static constexpr quint32 kNone = 0xffffffff;
    // What names the folder of the entries before any heading where a folder is typed.
    static constexpr char kBeforeAnyFolderName[] = "(before any folder)";

    // Everything under a folder (its own files included).
    struct Totals
    {
        quint64 bytes = 0;       // of the files whose size is known
        quint64 files = 0;       // every file, size known or not
        quint64 unknownSizes = 0; // files whose size is not known
        quint64 folders = 0;     // sub-folders at any depth
        // The total size, or -1 when no file under it has a known size but some file has none.
        qint64 size() const { return files > 0 && unknownSizes == files ? -1 : qint64(bytes); }
    };

    // The type and created texts of a file line, as the catalogue holds them.
    struct FileTexts
    {
        QByteArray type;
        QByteArray created;
    };

    // Reads the catalogue at path. Raises an Error when it cannot be read or its first line is
    // no catalogue header.
    explicit CatalogueTree(const QString &path);
    ~CatalogueTree();
    CatalogueTree(const CatalogueTree &) = delete;
    CatalogueTree &operator=(const CatalogueTree &) = delete;

    const QString &path() const { return m_path; }
    // The catalogue as it was read.
    const FileIdentity &identity() const { return m_identity; }
    QByteArrayView headerDate() const { return m_headerDate; }
    // What the facts say of the run; empty when there are none.
    const RunFacts &run() const { return m_run; }
    bool hasFacts() const { return m_hasFacts; }

    // The folder the tree is shown from: the catalogue's root, or a made-up folder above the
    // roots of a catalogue of several trees.
    quint32 top() const { return m_top; }
    // The folder of the entries before any heading; kNone when there are none.
    quint32 beforeAnyFolder() const { return m_beforeAny; }
    quint32 folderCount() const { return quint32(m_folders.size()); }
    quint64 fileCount() const { return m_files.size(); }

    // A folder's path: as its first heading wrote it; built from its parent's for a made-up
    // one; empty for the folder before any heading.
    QByteArrayView folderPath(quint32 folder) const
    {
        return QByteArrayView(m_paths.constData() + m_folders[folder].pathAt, m_folders[folder].pathLength);
    }
    // Its last part (the whole path for "/" and for a path of no parts).
    QByteArrayView folderName(quint32 folder) const;
    quint32 parent(quint32 folder) const { return m_folders[folder].parent; }
    bool madeUp(quint32 folder) const { return m_folders[folder].madeUp; }
    // Sub-folders in the order their first headings come in the catalogue.
    std::span<const quint32> children(quint32 folder) const;
    // The files right in the folder, in the catalogue's order.
    std::span<const quint32> files(quint32 folder) const;
    const Totals &totals(quint32 folder) const { return m_folders[folder].totals; }
    // Where the folder's entries come in the catalogue: the offsets of its headings (a folder
    // named again has several; a made-up folder none).
    std::vector<qint64> headingOffsets(quint32 folder) const;
    // The folder a typed path names (its parts as the tree holds them); kNone when none does.
    quint32 folderAt(QByteArrayView path) const;
    // The folder a typed path names, kBeforeAnyFolderName included (a folder of that name in
    // the catalogue stays reachable as "/(before any folder)"); kNone when none does.
    quint32 folderNamed(QByteArrayView typed) const;
    // The depth of folder below top() (top() is 0; the folder before any heading is 1).
    int depth(quint32 folder) const;

    QByteArrayView fileName(quint64 file) const;
    quint32 fileFolder(quint64 file) const { return m_files[file].folder; }
    qint64 fileSize(quint64 file) const { return m_files[file].size; } // -1: not known
    qint64 fileModifiedNs(quint64 file) const { return m_files[file].modifiedNs; }
    qint64 fileLineOffset(quint64 file) const { return m_files[file].line; }
    // A file's path as the search gives it: its folder's path, one "/", its name.
    QByteArray filePath(quint64 file) const;

    // The type and created texts of files, read back from the catalogue, in the order asked.
    // Raises an Error when the catalogue cannot be read or has changed since it was read.
    std::vector<FileTexts> fileTexts(std::span<const quint32> files) const;

    // The folders of the tree, for a table: bytes that fromFolderTable() reads back.
    QByteArray folderTable() const;
    // The tree whose folderTable() source gives (size bytes, read in order; false when they
    // cannot be read), of the catalogue at path as it is now (identity); nothing when the table
    // does not hold a tree (damage beyond that is for the checksum of whoever kept it). It holds no file until readFiles() reads some, and no
    // run facts (hasFacts() says whether its totals came with facts).
    static std::unique_ptr<CatalogueTree> fromFolderTable(const QString &path, const FileIdentity &identity,
                                                          const std::function<bool(char *, qsizetype)> &source,
                                                          quint64 size);
    // Whether the tree holds every file of the catalogue (read whole), or only those readFiles()
    // read.
    bool holdsAllFiles() const { return m_holdsAllFiles; }
    // Reads the files right in folder, and no other, from the catalogue: its headings' stretches
    // only. Raises an Error when the catalogue cannot be read or has changed.
    void readFiles(quint32 folder);

private:
    CatalogueTree() = default;
    // Plain numbers, so that a table holds them as they are.
    struct Folder
    {
        qint64 pathAt = 0; // in m_paths
        quint32 pathLength = 0;
        quint32 nameStart = 0; // of its last part, in its path
        quint32 parent = kNone;
        quint32 childBegin = 0, childEnd = 0; // in m_childOrder
        quint32 fileBegin = 0, fileEnd = 0;   // in m_fileOrder
        quint32 madeUp = 1;
        qint64 headingAt = -1;                // the first heading; repeats in m_repeatedHeadings
        Totals totals;
    };
    struct File
    {
        quint64 name; // where its bytes are in the name blocks (40 bits), and their length (24 bits)
        qint64 line;
        qint64 size;
        qint64 modifiedNs;
        quint32 lineLength;
        quint32 folder;
    };
    class Reading;
    friend class Reading;

    quint32 folderFor(QByteArrayView headingText, qint64 headingAt);
    quint32 childFor(quint32 parent, QByteArrayView part);
    quint32 addFolder(QByteArrayView path, quint32 nameStart, quint32 parent);
    // Keeps path, then "/" and part when part is not empty, as folder's path in m_paths.
    void keepPath(Folder &folder, QByteArrayView path, QByteArrayView part);
    void addFile(quint32 folder, QByteArrayView name, qint64 line, qint64 lineLength, const std::optional<EntryFacts> &facts);
    quint32 childNamed(quint32 parent, QByteArrayView part) const; // kNone when none
    // Adds folder to m_partSlots; false when a folder of its parent and part is there already.
    bool indexFolder(quint32 folder);
    void finish();
    void arrange(); // files and sub-folders grouped by folder

    QString m_path;
    FileIdentity m_identity;
    QByteArray m_headerDate;
    RunFacts m_run;
    bool m_hasFacts = false;
    std::vector<Folder> m_folders;
    QByteArray m_paths; // the folders' paths, one after the other
    // The files in blocks that never move, so that growing copies none and frees none.
    class Files
    {
    public:
        static constexpr size_t kPerBlock = 1 << 14;
        void push_back(const File &file)
        {
            if (m_size % kPerBlock == 0 && m_size / kPerBlock == m_blocks.size())
                m_blocks.push_back(std::make_unique_for_overwrite<File[]>(kPerBlock));
            m_blocks[m_size / kPerBlock][m_size % kPerBlock] = file;
            ++m_size;
        }
        const File &operator[](size_t i) const { return m_blocks[i / kPerBlock][i % kPerBlock]; }
        size_t size() const { return m_size; }
        void clear()
        {
            m_blocks.clear();
            m_size = 0;
        }

    private:
        std::vector<std::unique_ptr<File[]>> m_blocks;
        size_t m_size = 0;
    };
    Files m_files;
    // The names' bytes in blocks that never move; a name never spans two.
    std::vector<std::unique_ptr<char[]>> m_nameBlocks;
    qint64 m_nameUsed = 0; // in the last block
    std::vector<quint32> m_fileOrder;
    std::vector<quint32> m_childOrder;
    // The folders by their parent and last part: open addressing over folder numbers (kNone
    // free), at most half full, so that finding a folder costs no copy of its key.
    std::vector<quint32> m_partSlots;
    quint32 m_partCount = 0;
    std::vector<std::pair<quint32, qint64>> m_repeatedHeadings;
    // The latest heading's parts while reading, each with its folder.
    struct PartSeen
    {
        qsizetype at, size;
        quint32 folder;
    };
    QByteArray m_previousHeading;
    std::vector<PartSeen> m_previousParts;
    std::vector<qint64> m_headingsAfterHeading; // headings whose line before was a heading too
    bool m_holdsAllFiles = true;
    quint32 m_top = 0;
    quint32 m_beforeAny = kNone;
};

} // namespace kestrova
