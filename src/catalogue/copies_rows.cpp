#include "copies_rows.h"

#include <algorithm>
#include <cstring>

namespace kestrova::copies {

RowView RowView::at(const char *record)
{
    RowView row;
    std::memcpy(&row.head, record, sizeof row.head);
    const char *text = record + sizeof row.head;
    row.name = QByteArrayView(text, row.head.nameLength);
    row.type = QByteArrayView(text + row.head.nameLength, row.head.typeLength);
    row.folder = QByteArrayView(text + row.head.nameLength + row.head.typeLength, row.head.folderLength);
    return row;
}

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
    const std::lock_guard held(m_lock);
    for (qsizetype at = 0; at < records.size(); at += RowView::at(records.constData() + at).bytes())
        m_starts.push_back(m_buffer.size() + at);
    m_buffer += records;
    m_rows += rows;
    if (m_buffer.size() >= m_runBytes) {
        try {
            writeRun();
        } catch (const Error &error) {
            throw ScratchFailure{error};
        }
    }
}

void RowRuns::finish()
{
    const std::lock_guard held(m_lock);
    writeRun();
    m_buffer = QByteArray();
    m_starts = {};
}

void RowRuns::writeRun()
{
    if (m_starts.empty())
        return;
    const char *bytes = m_buffer.constData();
    std::sort(m_starts.begin(), m_starts.end(),
              [bytes](qsizetype a, qsizetype b) { return comesBefore(RowView::at(bytes + a), RowView::at(bytes + b)); });
    if (!m_file)
        m_file = std::make_unique<ScratchFile>();
    const qint64 at = m_file->size();
    QByteArray block;
    for (const qsizetype start : m_starts) {
        block.append(bytes + start, RowView::at(bytes + start).bytes());
        if (block.size() >= (1 << 16)) {
            m_file->append(block);
            block.resize(0);
        }
    }
    m_file->append(block);
    m_runs.push_back({at, m_file->size(), {}});
    m_starts.clear();
    m_buffer.resize(0);
}

bool RowRuns::Run::ensure(const ScratchFile &file, qsizetype bytes)
{
    if (window.size() - used >= bytes)
        return true;
    window.remove(0, used);
    used = 0;
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
