#include "result_order.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

namespace kestrova {
namespace {
constexpr size_t kBlockBytes = 4 << 20;
}

char *ResultTable::reserve(size_t bytes)
{
    if (m_blocks.empty() || m_blockUsed + bytes > m_blockSize) {
        m_blockSize = std::max(kBlockBytes, bytes);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_blockSize));
        m_blockUsed = 0;
    }
    char *out = m_blocks.back().get() + m_blockUsed;
    m_blockUsed += bytes;
    return out;
}

void ResultTable::append(const RowTexts &row)
{
    const QByteArrayView texts[kColumns] = {row.filePath, row.fileType, row.created, row.catalogueFile};
    size_t total = 0;
    for (const QByteArrayView &text : texts)
        total += size_t(text.size());
    char *out = reserve(total);
    Row stored{out, {}};
    for (int i = 0; i < kColumns; ++i) {
        if (!texts[i].isEmpty())
            std::memcpy(out, texts[i].data(), size_t(texts[i].size()));
        out += texts[i].size();
        stored.lengths[i] = quint32(texts[i].size());
    }
    m_rows.push_back(stored);
}

void ResultTable::clear()
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_blocks.clear();
    m_blockUsed = m_blockSize = 0;
}

QByteArrayView ResultTable::text(qsizetype row, int column) const
{
    const Row &stored = m_rows[size_t(row)];
    const char *start = stored.texts;
    for (int i = 0; i < column; ++i)
        start += stored.lengths[i];
    return QByteArrayView(start, stored.lengths[column]);
}

namespace {

struct SortEntry
{
    const uchar *key;
    quint32 length;
    quint32 row; // the arrival order, which breaks ties
};

// The key's byte at depth, or -1 past its end (a key sorts before its extensions).
inline int byteAt(const SortEntry &entry, size_t depth)
{
    return depth < entry.length ? entry.key[depth] : -1;
}

bool lessFrom(const SortEntry &a, const SortEntry &b, size_t depth)
{
    const size_t common = std::min(a.length, b.length);
    if (depth < common) {
        if (const int c = std::memcmp(a.key + depth, b.key + depth, common - depth))
            return c < 0;
    }
    if (a.length != b.length)
        return a.length < b.length;
    return a.row < b.row;
}

// Multikey quicksort: partitions by one byte at a time, so keys that share long beginnings
// (paths of one folder) are not compared from their start again and again. Keys that are
// equal end up ordered by arrival, which makes the sort stable.
void multikeySort(SortEntry *begin, SortEntry *end, size_t depth)
{
    while (end - begin > 16) {
        const int pivot = byteAt(begin[(end - begin) / 2], depth);
        SortEntry *less = begin;
        SortEntry *greater = end;
        for (SortEntry *p = begin; p < greater;) {
            const int c = byteAt(*p, depth);
            if (c < pivot)
                std::swap(*less++, *p++);
            else if (c > pivot)
                std::swap(*p, *--greater);
            else
                ++p;
        }
        multikeySort(begin, less, depth);
        multikeySort(greater, end, depth);
        if (pivot < 0) {
            // Every key of the middle part has ended: they are equal.
            std::sort(less, greater, [](const SortEntry &a, const SortEntry &b) { return a.row < b.row; });
            return;
        }
        begin = less;
        end = greater;
        ++depth;
    }
    std::sort(begin, end, [depth](const SortEntry &a, const SortEntry &b) { return lessFrom(a, b, depth); });
}

} // namespace

void ResultTable::sortBy(int column)
{
    // Each row's key is its text case-folded, as UTF-8, all in one block: folding happens once
    // per row, and keys compare as bytes, which is the order of their code points.
    std::string keys;
    size_t total = 0;
    for (const Row &row : m_rows)
        total += row.lengths[column];
    keys.reserve(total + total / 8);
    std::vector<std::pair<size_t, size_t>> spans(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const QByteArrayView value = text(qsizetype(i), column);
        const size_t start = keys.size();
        if (std::all_of(value.begin(), value.end(), [](char c) { return uchar(c) < 0x80; })) {
            keys.append(value.data(), size_t(value.size()));
            for (size_t k = start; k < keys.size(); ++k)
                if (keys[k] >= 'A' && keys[k] <= 'Z')
                    keys[k] = char(keys[k] + ('a' - 'A'));
        } else {
            const QByteArray folded = QString::fromUtf8(value).toCaseFolded().toUtf8();
            keys.append(folded.constData(), size_t(folded.size()));
        }
        spans[i] = {start, keys.size() - start};
    }
    std::vector<SortEntry> entries(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        entries[i] = {reinterpret_cast<const uchar *>(keys.data()) + spans[i].first, quint32(spans[i].second),
                      quint32(i)};
    multikeySort(entries.data(), entries.data() + entries.size(), 0);
    std::vector<Row> sorted(m_rows.size());
    for (size_t i = 0; i < entries.size(); ++i)
        sorted[i] = m_rows[entries[i].row];
    m_rows = std::move(sorted);
}

} // namespace kestrova
