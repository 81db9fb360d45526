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
        m_blocks.push_back(std::make_unique<char[]>(m_blockSize));
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

void ResultTable::sortBy(int column)
{
    // Each row's key is its text case-folded, as UTF-8, all in one block: folding happens once
    // per row, and keys compare as bytes, which is the order of their code points.
    std::string keys;
    std::vector<std::pair<size_t, size_t>> spans(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const QByteArrayView value = text(qsizetype(i), column);
        const size_t start = keys.size();
        if (std::all_of(value.begin(), value.end(), [](char c) { return uchar(c) < 0x80; })) {
            for (const char c : value)
                keys.push_back(c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c);
        } else {
            const QByteArray folded = QString::fromUtf8(value).toCaseFolded().toUtf8();
            keys.append(folded.constData(), size_t(folded.size()));
        }
        spans[i] = {start, keys.size() - start};
    }
    auto key = [&](size_t i) { return std::string_view(keys.data() + spans[i].first, spans[i].second); };
    std::vector<size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (const size_t i : order)
        sorted.push_back(m_rows[i]);
    m_rows = std::move(sorted);
}

} // namespace kestrova
