#include "result_order.h"

#include <QCollator>

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>
#include <optional>
#include <thread>
#include <unordered_map>
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
    Row stored{out, {}, row.size, row.size >= 0 ? row.modifiedNs : 0};
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

void ResultTable::sortCollated(int column, const QLocale &locale)
{
    // Texts that repeat (types, catalogue names) get their key once. The keys are made, and
    // the rows sorted, on every core: a million keys take the collator about a second.
    std::unordered_map<std::string_view, quint32> distinct;
    std::vector<quint32> textOf(m_rows.size());
    std::vector<std::string_view> texts;
    const bool repeats = column != 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const QByteArrayView value = text(qsizetype(i), column);
        const std::string_view view(value.data(), size_t(value.size()));
        if (!repeats) {
            textOf[i] = quint32(texts.size());
            texts.push_back(view);
            continue;
        }
        const auto [at, added] = distinct.try_emplace(view, quint32(texts.size()));
        if (added)
            texts.push_back(view);
        textOf[i] = at->second;
    }
    std::vector<std::optional<QCollatorSortKey>> keys(texts.size());
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    const auto inParallel = [&](size_t count, const std::function<void(size_t, size_t)> &work) {
        std::vector<std::thread> helpers;
        const size_t chunk = (count + threads - 1) / threads;
        for (size_t from = chunk; from < count; from += chunk)
            helpers.emplace_back(work, from, std::min(count, from + chunk));
        work(0, std::min(count, chunk));
        for (std::thread &helper : helpers)
            helper.join();
    };
    inParallel(texts.size(), [&](size_t from, size_t to) {
        QCollator collator(locale); // one each: a collator is not shared between threads
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (size_t i = from; i < to; ++i)
            keys[i].emplace(collator.sortKey(QString::fromUtf8(texts[i].data(), qsizetype(texts[i].size()))));
    });
    std::vector<quint32> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    const auto before = [&](quint32 a, quint32 b) {
        if (textOf[a] == textOf[b])
            return a < b;
        const int c = keys[textOf[a]]->compare(*keys[textOf[b]]);
        return c < 0 || (c == 0 && a < b); // arrival breaks ties: stable
    };
    // Parts sorted on their own threads, then merged.
    const size_t chunk = (order.size() + threads - 1) / std::max<size_t>(threads, 1);
    inParallel(order.size(), [&](size_t from, size_t to) { std::sort(order.begin() + from, order.begin() + to, before); });
    for (size_t width = chunk; width > 0 && width < order.size(); width *= 2)
        for (size_t from = 0; from + width < order.size(); from += 2 * width)
            std::inplace_merge(order.begin() + from, order.begin() + from + width,
                               order.begin() + std::min(order.size(), from + 2 * width), before);
    std::vector<Row> sorted(m_rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = m_rows[order[i]];
    m_rows = std::move(sorted);
}

void ResultTable::sortByFacts(int column)
{
    // Unknown sizes and times first, then by value; equal ones keep their order.
    std::stable_sort(m_rows.begin(), m_rows.end(), [column](const Row &a, const Row &b) {
        const bool knownA = a.size >= 0;
        const bool knownB = b.size >= 0;
        if (knownA != knownB)
            return knownB;
        return column == kSizeColumn ? a.size < b.size : a.modifiedNs < b.modifiedNs;
    });
}

void ResultTable::sortBy(int column, Order order, const QLocale &locale)
{
    if (column == kSizeColumn || column == kModifiedColumn) {
        sortByFacts(column);
        return;
    }
    // Under the C locale the collation is the order of the case-folded characters: the
    // character keys below give it at a fraction of the cost.
    if (order == Order::Collated && locale.language() != QLocale::C) {
        sortCollated(column, locale);
        return;
    }
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
