// What the copies report keeps of its catalogues and rows, shared by the report (copies.cpp)
// and its result (copies_result.cpp).
//
// The rows are never all held in memory: each is a record of a few numbers and its texts (name,
// type, folder); records gather in a buffer of at most kRunBytes, which is sorted in the report's
// order and written as one run to a scratch file. The result merges the runs as it is read, so
// memory stays at one buffer while reading and a small window of each run while writing.
#pragma once

#include "copies.h"

#include "platform/files/scratch_file.h"

#include <QByteArray>
#include <QString>

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

    static RowView at(const char *record);
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
    static constexpr qsizetype kRunBytes = 8 << 20;
    explicit RowRuns(qsizetype runBytes = kRunBytes) : m_runBytes(runBytes) {}

    // Takes the records (appended with appendRow), writing a run when the buffer is full. Safe
    // from several threads; raises ScratchFailure.
    void add(const QByteArray &records, quint64 rows);
    // Writes what is left as the last run.
    void finish();
    quint64 rows() const { return m_rows; }

    // The rows in order, the next one each time; nullopt past the last. Raises an Error.
    std::optional<RowView> next();

private:
    struct Run
    {
        qint64 at, end;       // in the scratch file, what is left of it
        QByteArray window;    // the bytes read and not yet passed
        qsizetype used = 0;   // of the window, passed
        bool ensure(const ScratchFile &file, qsizetype bytes); // false: the run is over
    };
    void writeRun(); // with m_lock held
    bool before(size_t a, size_t b) const;

    const qsizetype m_runBytes; // a run is written once the buffer holds this many bytes
    std::mutex m_lock;
    QByteArray m_buffer;
    std::vector<qsizetype> m_starts; // of the records in the buffer
    std::unique_ptr<ScratchFile> m_file;
    std::vector<Run> m_runs;
    std::vector<size_t> m_heap; // the runs still going, the next row's first
    std::vector<RowView> m_heads;  // each run's next row
    bool m_merging = false;
    size_t m_passed = SIZE_MAX; // the run whose row was given last, moved on at the next call
    quint64 m_rows = 0;
};

} // namespace kestrova::copies

namespace kestrova {

struct CopiesResult::Data
{
    std::vector<copies::CopiesSource> sources;
    copies::RowRuns runs;
    QByteArray current, previous; // the records of the row read last and the one before
    std::optional<copies::RowView> row, before;
};

} // namespace kestrova
