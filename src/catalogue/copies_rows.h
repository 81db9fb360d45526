// What the copies report keeps of its catalogues and rows, shared by the report (copies.cpp)
// and its result (copies_result.cpp).
//
// The rows are never all held in memory: each is a record of a few numbers and its texts (name,
// type, folder); records gather in a buffer of at most kRunBytes, which is sorted in the report's
// order and written as one run to a scratch file. A full buffer is sorted and written aside
// while the next one fills (at most one aside), so that memory holds two buffers at most. The result merges the runs as it is read, so
// memory stays at one buffer while reading and a small window of each run while writing. Rows
// that never fill the buffer are sorted where they are and read from it: no scratch file.
#pragma once

#include "copies.h"

#include "platform/files/scratch_file.h"

#include <QByteArray>
#include <QString>

#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace kestrova::copies {

constexpr quint32 kByType = 0x80000000u; // RowHead::copies: grouped by name and type

// One catalogue of the folder.
struct CopiesSource
{
    QString path;
    QString name;
    bool hasFacts = false;
    bool failed = false; // could not be read: named once, and read no more
    // A block of its facts did not check: the sizes of some of its files are not known, and
    // those files count by name and type. Set while counting, by the thread reading it.
    bool damaged = false;
    qint64 bytes = 0;
    quint32 drive = 0;
    // The folders of it a newer catalogue of the same drive covers: their entries are history.
    std::vector<QByteArray> history;
    bool allHistory = false;
};

// A row's record: this head, then the bytes of its name, type and folder.
struct RowHead
{
    qint64 size;       // -1: not known
    qint64 modifiedNs;
    quint32 copies;    // with kByType
    quint32 source;
    quint32 nameLength;
    quint32 typeLength;
    quint32 folderLength;
    quint32 spare = 0;
};

// A record read in place; its views point into the bytes it was read from.
struct RowView
{
    RowHead head;
    QByteArrayView name, type, folder;

    static RowView at(const char *record)
    {
        RowView row;
        std::memcpy(&row.head, record, sizeof row.head);
        const char *text = record + sizeof row.head;
        row.name = QByteArrayView(text, row.head.nameLength);
        row.type = QByteArrayView(text + row.head.nameLength, row.head.typeLength);
        row.folder = QByteArrayView(text + row.head.nameLength + row.head.typeLength, row.head.folderLength);
        return row;
    }
    qsizetype bytes() const { return qsizetype(sizeof(RowHead)) + name.size() + type.size() + folder.size(); }
    bool byType() const { return head.copies & kByType; }
};
void appendRow(QByteArray &records, const RowHead &head, QByteArrayView name, QByteArrayView type, QByteArrayView folder);

// The report's order: largest first; files of one group together, their catalogues in the
// folder's order; the groups of name and type (sizes not all known) last.
bool comesBefore(const RowView &a, const RowView &b);
// Whether b is of another group than a, the row before it.
bool startsGroup(const RowView &a, const RowView &b);

// A failure to write the rows' scratch file: it ends the report, unlike a catalogue's failure.
struct ScratchFailure
{
    Error error;
};

// The sorted runs of rows, written by the report (from several threads) and merged once.
class RowRuns
{
public:
    static constexpr qsizetype kRunBytes = 4 << 20;
    explicit RowRuns(qsizetype runBytes = kRunBytes) : m_runBytes(runBytes) {}

    // Takes the records (appended with appendRow), writing a run when the buffer is full. Safe
    // from several threads; raises ScratchFailure.
    void add(const QByteArray &records, quint64 rows);
    // Writes what is left as the last run, or, when no run was written, sorts the rows in memory.
    void finish();
    quint64 rows() const { return m_rows; }
    // Whether the rows are read from memory, without a scratch file.
    bool inMemory() const { return m_inMemory; }

    // The rows in order, the next one each time; nullopt past the last. A row given stays where
    // it is until the call after the next: the row before the current one can be read beside it.
    // Raises an Error.
    std::optional<RowView> next();

private:
    struct Run
    {
        qint64 at, end;       // in the scratch file, what is left of it
        QByteArray window;    // the bytes read and not yet passed
        qsizetype used = 0;   // of the window, passed
        QByteArray spare;     // the window before: the row given last may lie in it
        bool ensure(const ScratchFile &file, qsizetype bytes); // false: the run is over
    };
    // The records of bytes at starts, sorted in the report's order.
    static void sortRecords(const QByteArray &bytes, std::vector<qsizetype> &starts);
    // Sorts and writes the records as one run; with m_fileLock free.
    void writeRun(const QByteArray &bytes, std::vector<qsizetype> &starts);
    bool before(size_t a, size_t b) const;

    const qsizetype m_runBytes; // a run is written once the buffer holds this many bytes
    std::mutex m_lock;     // over the buffer and the counts
    std::mutex m_fileLock; // over the file and its runs
    QByteArray m_buffer;
    std::vector<qsizetype> m_starts; // of the records in the buffer
    bool m_writingAside = false;     // a full buffer is being sorted and written outside m_lock
    // A written buffer's room, kept for the next one to fill.
    QByteArray m_spare;
    std::vector<qsizetype> m_spareStarts;
    std::unique_ptr<ScratchFile> m_file;
    std::vector<Run> m_runs;
    std::vector<size_t> m_heap; // the runs still going, the next row's first
    std::vector<RowView> m_heads;  // each run's next row
    bool m_merging = false;
    size_t m_passed = SIZE_MAX; // the run whose row was given last, moved on at the next call
    bool m_inMemory = false;    // no run written: the rows are read from m_buffer
    size_t m_nextStart = 0;     // of m_starts, when in memory
    quint64 m_rows = 0;
};

} // namespace kestrova::copies

namespace kestrova {

struct CopiesResult::Data
{
    std::vector<copies::CopiesSource> sources;
    copies::RowRuns runs;
    std::optional<copies::RowView> row, before; // in the runs' bytes (RowRuns::next)
};

} // namespace kestrova
