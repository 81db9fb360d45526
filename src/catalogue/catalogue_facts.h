// The facts beside a catalogue: what its lines cannot hold, kept in a hidden folder beside it
// (<catalogue folder>/.kestrova/<catalogue name>.facts), so that the catalogue stays byte for
// byte as ever and the search, which reads the files of the folder only, never reads them.
// For every file line, in the same order: the file's size and last modification time. For the
// run: the volume the root lives on (label, UUID, file system, capacity, free space, device,
// mount point and the folder of the volume mounted there), the root, when the run started and
// ended, the program's version, the number of entries and their total size, and how its dates
// are written (locale, patterns, AM/PM texts).
//
// Facts are the user's alone: they are written only into a .kestrova folder of the user's that
// nobody else may write to (made readable by the user alone), and read only from such a folder
// and from files of the user's that nobody else may write to; they are never more readable than
// what they tell of. Facts are bound to the exact bytes of their catalogue (its size and a checksum made while it
// was written): facts that are missing, damaged, of another version, or of other bytes are no
// facts, and a catalogue without facts has sizes that are not known, never wrong. Whether the
// catalogue is still the one described is told by its size, times, inode and device, as for
// the search index; where those cannot tell (a copy, or a change within the file system's
// timestamp granularity) its bytes are read once and summed.
#pragma once

#include "facts_format.h"
#include "run_facts.h"

#include "platform/files/file_system.h"
#include "platform/files/text_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace kestrova {

// What the facts beside the catalogue at cataloguePath say of its run: empty when there are no
// facts, or they or the catalogue cannot be read.
RunFacts runFactsOf(const QString &cataloguePath);

// The run facts of the catalogues of one folder, each read once, for a list of hits from them.
class RunFactsByCatalogue
{
public:
    // folder: the folder of catalogues the hits come from.
    void reset(const QString &folder)
    {
        m_folder = folder;
        m_runs.clear();
    }
    const QString &folder() const { return m_folder; }
    // catalogue: a file name in the folder.
    const RunFacts &of(const QString &catalogue)
    {
        auto known = m_runs.find(catalogue);
        if (known == m_runs.end())
            known = m_runs.insert(catalogue, runFactsOf(QDir(m_folder).filePath(catalogue)));
        return *known;
    }

private:
    QString m_folder;
    QHash<QString, RunFacts> m_runs;
};

struct EntryFacts
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
};

// The place of the facts of the catalogue at cataloguePath, and the folder it is in.
QString factsPathFor(const QString &cataloguePath);
QString factsFolderFor(const QString &cataloguePath);

// What is said, once, of a .kestrova folder (factsFolder) whose facts are left aside because it
// is not the user's alone (CatalogueFacts::Absence::Refused).
QString refusedFactsNotice(const QString &factsFolder);

// Removes the facts of the catalogue at cataloguePath, before it is written anew: facts of an
// earlier run must never be read as the next one's (its lines could be the same bytes).
void forgetFacts(const QString &cataloguePath);

// Collects the facts of a run as the generator writes the catalogue, and writes them whole
// once the catalogue is complete. Holds one block of entries at a time.
class FactsWriter
{
public:
    // run: what is known before the walk (volume, root, started, version).
    FactsWriter(const QString &cataloguePath, RunFacts run);
    ~FactsWriter();
    FactsWriter(const FactsWriter &) = delete;
    FactsWriter &operator=(const FactsWriter &) = delete;

    // The conventions the catalogue's dates are written with.
    void noteDates(const DateWriting &dates);
    // A file line at lineOffset of the catalogue, and what was known of its file.
    void add(qint64 lineOffset, const FileStat &stat);
    // The catalogue is complete: its size and the checksum of its bytes. Writes the facts; false
    // when they could not be written (the catalogue is as good without them).
    bool finish(qint64 catalogueSize, quint64 catalogueChecksum);
    // The .kestrova folder not used because it is not the user's alone; empty when it was.
    QString refusedFolder() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

class CatalogueFacts
{
public:
    enum class Absence { None, Missing, Unreadable, Stale, Refused };
    // The facts of the catalogue at cataloguePath, as open in catalogue, when they are there and
    // describe its bytes; null otherwise, with why in absence (Unreadable: there but damaged, of
    // another version, huge or no regular file; Stale: of other bytes; Refused: in a folder or
    // file that is not the user's alone). Memory is bounded by the catalogue's size, whatever
    // the facts claim: a small part of the block table is held at a time.
    static std::unique_ptr<CatalogueFacts> open(const QString &cataloguePath, const FileReader &catalogue,
                                                Absence *absence = nullptr);
    ~CatalogueFacts();

    const RunFacts &run() const { return m_run; }
    quint64 entryCount() const { return m_entryCount; }

    // The facts of the file whose line starts at lineOffset of the catalogue; nothing when no
    // file line starts there or a block does not check. Quickest asked in the catalogue's order.
    std::optional<EntryFacts> atLine(qint64 lineOffset);
    // The facts of the index-th file line.
    std::optional<EntryFacts> atIndex(quint64 index);

private:
    CatalogueFacts() = default;
    // The table's entry of a block, read as far as kTableWindow around it; false when it
    // cannot be read or does not fit the file.
    bool tableEntry(size_t block, facts_format::BlockEntry &entry);
    bool loadBlock(size_t block);
    // Decodes the loaded block's entries until one starts at or past lineOffset, or until
    // there are count of them; false when the block's bytes do not decode.
    bool decodeUntil(qint64 lineOffset, size_t count);

    std::unique_ptr<FileReader> m_file;
    RunFacts m_run;
    quint64 m_entryCount = 0;
    facts_format::Header m_header{};
    std::vector<qint64> m_firstOffsets; // per block, for the search by offset
    QByteArray m_table; // a part of the block table, from block m_tableFirst on
    size_t m_tableFirst = 0;
    // The part of the file read last, and the block being decoded: its entries are decoded as
    // far as they have been asked for.
    QByteArray m_window;
    qint64 m_windowAt = 0;
    size_t m_loaded = size_t(-1);
    quint32 m_blockEntries = 0;
    quint32 m_decoded = 0;
    qint64 m_firstLine = 0; // the catalogue offset the block's first delta counts from
    const uchar *m_next = nullptr; // the next entry's bytes, in m_window
    const uchar *m_end = nullptr;
    qint64 m_modified = 0; // of the last entry decoded
    std::array<qint64, facts_format::kBlockEntries> m_offsets{};
    std::array<EntryFacts, facts_format::kBlockEntries> m_entries{};
};

} // namespace kestrova
