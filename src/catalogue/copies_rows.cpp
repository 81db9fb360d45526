#include "copies_rows.h"

#include <QScopeGuard>

#include <algorithm>
#include <cstring>
#include <limits>

namespace kestrova::copies {

void appendRow(QByteArray &records, const RowHead &head, QByteArrayView name, QByteArrayView type, QByteArrayView folder)
{
    RowHead written = head;
    written.nameLength = quint32(name.size());
    written.typeLength = quint32(type.size());
    written.folderLength = quint32(folder.size());
    records.append(reinterpret_cast<const char *>(&written), sizeof written);
    records.append(name).append(type).append(folder);
}

bool comesBefore(const RowView &a, const RowView &b)
{
    if (a.byType() != b.byType())
        return b.byType();
    if (!a.byType() && a.head.size != b.head.size)
        return a.head.size > b.head.size;
    if (const int order = a.name.compare(b.name); order != 0)
        return order < 0;
    if (a.byType())
        if (const int order = a.type.compare(b.type); order != 0)
            return order < 0;
    if (a.head.source != b.head.source)
        return a.head.source < b.head.source;
    return a.folder.compare(b.folder) < 0;
}

bool startsGroup(const RowView &a, const RowView &b)
{
    return a.byType() != b.byType() || a.name != b.name || (b.byType() ? a.type != b.type : a.head.size != b.head.size);
}

void RowRuns::add(const QByteArray &records, quint64 rows)
{
    QByteArray full;
    std::vector<qsizetype> starts;
    try {
        std::unique_lock held(m_lock);
        for (qsizetype at = 0; at < records.size(); at += RowView::at(records.constData() + at).bytes())
            m_starts.push_back(m_buffer.size() + at);
        m_buffer += records;
        m_rows += rows;
        if (m_buffer.size() < m_runBytes)
            return;
        if (m_writingAside) {
            // One buffer is aside already: this one is written here, and others wait for it.
            writeRun(m_buffer, m_starts);
            m_buffer.resize(0);
            m_starts.clear();
            return;
        }
        // Sorted and written aside, while the other threads fill the next buffer.
        m_writingAside = true;
        full.swap(m_buffer);
        m_buffer.swap(m_spare);
        starts.swap(m_starts);
        m_starts.swap(m_spareStarts);
        held.unlock();
        const auto aside = qScopeGuard([&] {
            const std::lock_guard again(m_lock);
            m_writingAside = false;
            full.resize(0);
            starts.clear();
            m_spare.swap(full);
            m_spareStarts.swap(starts);
        });
        writeRun(full, starts);
    } catch (const Error &error) {
        throw ScratchFailure{error};
    }
}

void RowRuns::finish()
{
    const std::lock_guard held(m_lock);
    const bool noRun = [this] {
        const std::lock_guard file(m_fileLock);
        return m_runs.empty();
    }();
    if (noRun) {
        sortRecords(m_buffer, m_starts);
        m_inMemory = true;
        return;
    }
    writeRun(m_buffer, m_starts);
    m_buffer = QByteArray();
    m_starts = {};
}

void RowRuns::sortRecords(const QByteArray &buffer, std::vector<qsizetype> &starts)
{
    // Most rows are told apart by their size and the first bytes of their name: those are
    // compared from a small key of their own, and only rows alike in both from their records.
    struct Keyed
    {
        quint64 major; // groups of known size by size, largest first; then those of name and type
        quint64 name;  // the name's first 8 bytes, in the order of their bytes
        qsizetype start;
    };
    const char *bytes = buffer.constData();
    std::vector<Keyed> keyed;
    keyed.reserve(starts.size());
    for (const qsizetype start : starts) {
        const RowView row = RowView::at(bytes + start);
        quint64 name = 0;
        for (qsizetype i = 0; i < 8; ++i)
            name = name << 8 | (i < row.name.size() ? uchar(row.name[i]) : 0);
        // Sizes from the largest down to -1 (not known), as unsigned numbers that wrap: below
        // every group of name and type.
        const quint64 major = row.byType() ? std::numeric_limits<quint64>::max()
                                           : quint64(std::numeric_limits<qint64>::max()) - quint64(row.head.size);
        keyed.push_back({major, name, start});
    }
    std::sort(keyed.begin(), keyed.end(), [bytes](const Keyed &a, const Keyed &b) {
        if (a.major != b.major)
            return a.major < b.major;
        if (a.name != b.name)
            return a.name < b.name;
        return comesBefore(RowView::at(bytes + a.start), RowView::at(bytes + b.start));
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        starts[i] = keyed[i].start;
}

void RowRuns::writeRun(const QByteArray &buffer, std::vector<qsizetype> &starts)
{
    if (starts.empty())
        return;
    sortRecords(buffer, starts);
    const char *bytes = buffer.constData();
    const std::lock_guard held(m_fileLock);
    if (!m_file)
        m_file = std::make_unique<ScratchFile>();
    const qint64 at = m_file->size();
    QByteArray block;
    block.reserve(1 << 16);
    for (const qsizetype start : starts) {
        block.append(bytes + start, RowView::at(bytes + start).bytes());
        if (block.size() >= (1 << 16)) {
            m_file->append(block);
            block.resize(0);
        }
    }
    m_file->append(block);
    m_runs.push_back({at, m_file->size(), {}, 0, {}});
}

bool RowRuns::Run::ensure(const ScratchFile &file, qsizetype bytes)
{
    if (window.size() - used >= bytes)
        return true;
    if (used > 0) {
        // What is left moves to the spare's room, and the window (the row given last may lie in
        // it) is kept as the spare until the next move.
        spare.resize(0);
        spare.append(window.constData() + used, window.size() - used);
        window.swap(spare);
        used = 0;
    }
    const qsizetype wanted = std::max<qsizetype>(bytes - window.size(), 1 << 16);
    const qsizetype reading = qsizetype(std::min<qint64>(wanted, end - at));
    const qsizetype had = window.size();
    window.resize(had + reading);
    const qsizetype got = file.readAt(at, window.data() + had, reading);
    window.resize(had + got);
    at += got;
    return window.size() >= bytes;
}

bool RowRuns::before(size_t a, size_t b) const
{
    return comesBefore(m_heads[a], m_heads[b]);
}

std::optional<RowView> RowRuns::next()
{
    if (m_inMemory) {
        if (m_nextStart == m_starts.size())
            return std::nullopt;
        return RowView::at(m_buffer.constData() + m_starts[m_nextStart++]);
    }
    // A heap whose top is the run with the next row: each pair compared the other way round.
    const auto later = [this](size_t a, size_t b) { return before(b, a); };
    const auto load = [this](size_t index) {
        Run &run = m_runs[index];
        if (!run.ensure(*m_file, sizeof(RowHead)))
            return false;
        const RowView row = RowView::at(run.window.constData() + run.used);
        if (!run.ensure(*m_file, row.bytes()))
            return false;
        m_heads[index] = RowView::at(run.window.constData() + run.used);
        return true;
    };
    if (!m_merging) {
        m_merging = true;
        m_heads.resize(m_runs.size());
        for (size_t i = 0; i < m_runs.size(); ++i)
            if (load(i))
                m_heap.push_back(i);
        std::make_heap(m_heap.begin(), m_heap.end(), later);
    } else if (m_passed != SIZE_MAX) {
        Run &run = m_runs[m_passed];
        run.used += m_heads[m_passed].bytes();
        if (load(m_passed)) {
            m_heap.push_back(m_passed);
            std::push_heap(m_heap.begin(), m_heap.end(), later);
        } else {
            run.window = QByteArray();
        }
        m_passed = SIZE_MAX;
    }
    if (m_heap.empty())
        return std::nullopt;
    std::pop_heap(m_heap.begin(), m_heap.end(), later);
    m_passed = m_heap.back();
    m_heap.pop_back();
    return m_heads[m_passed];
}

} // namespace kestrova::copies
