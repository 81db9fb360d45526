#include "result_order.h"

#include <algorithm>

namespace kestrova {

void ResultTable::setPathColumn(int column)
{
    Q_ASSERT(m_rows.empty());
    m_pathColumn = column;
}

void ResultTable::append(const RowTexts &row)
{
    const QByteArrayView texts[kColumns] = {row.filePath, row.fileType, row.created, row.catalogueFile};
    const QByteArrayView path = texts[m_pathColumn];
    Row stored{m_paths.keep(path), quint32(path.size()), {}, row.size, row.size >= 0 ? row.modifiedNs : 0};
    for (int column = 0; column < kColumns; ++column) {
        if (column != m_pathColumn)
            stored.texts[repeatingIndex(column)] = m_repeating[repeatingIndex(column)].idOf(texts[column]);
    }
    m_rows.push_back(stored);
}

void ResultTable::clear()
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_paths.clear();
    for (TextDictionary &dictionary : m_repeating)
        dictionary.clear();
}

QByteArrayView ResultTable::text(qsizetype row, int column) const
{
    const Row &stored = m_rows[size_t(row)];
    if (column == m_pathColumn)
        return QByteArrayView(stored.path, stored.pathLength);
    const int index = repeatingIndex(column);
    return m_repeating[index].text(stored.texts[index]);
}

std::vector<quint32> ResultTable::orderByFacts(int column) const
{
    // Unknown sizes and times first, then by value; equal ones keep their order.
    std::vector<quint32> order(m_rows.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this, column](quint32 first, quint32 second) {
        const Row &a = m_rows[first];
        const Row &b = m_rows[second];
        const bool knownA = a.size >= 0;
        const bool knownB = b.size >= 0;
        if (knownA != knownB)
            return knownB;
        return column == kSizeColumn ? a.size < b.size : a.modifiedNs < b.modifiedNs;
    });
    return order;
}

std::vector<quint32> ResultTable::orderByRepeatingText(int column, bool collated, const QLocale &locale) const
{
    // The distinct texts are put in order once; the rows then follow their texts' ranks.
    const TextDictionary &dictionary = m_repeating[repeatingIndex(column)];
    const auto textAt = [&dictionary](quint32 id) { return dictionary.text(id); };
    std::vector<quint8> same;
    const std::vector<quint32> byText = collated ? text_order::collated(dictionary.size(), textAt, locale, &same)
                                                 : text_order::folded(dictionary.size(), textAt, &same);
    std::vector<quint32> rank(byText.size());
    quint32 ranks = 0;
    for (size_t i = 0; i < byText.size(); ++i) {
        if (i > 0 && !same[i])
            ++ranks;
        rank[byText[i]] = ranks;
    }
    // Counting sort by rank: rows of one rank keep their order.
    std::vector<quint32> next(size_t(ranks) + 2, 0);
    const int index = repeatingIndex(column);
    for (const Row &row : m_rows)
        ++next[rank[row.texts[index]] + 1];
    for (size_t r = 1; r < next.size(); ++r)
        next[r] += next[r - 1];
    std::vector<quint32> order(m_rows.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[next[rank[m_rows[i].texts[index]]]++] = i;
    return order;
}

// Puts the row at order[i] in place i, for every i, following each cycle of the permutation
// (order is used up): no second copy of the rows.
void ResultTable::moveRows(std::vector<quint32> &order)
{
    for (quint32 start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        const Row first = m_rows[start];
        quint32 place = start;
        for (;;) {
            const quint32 from = order[place];
            order[place] = place;
            if (from == start) {
                m_rows[place] = first;
                break;
            }
            m_rows[place] = m_rows[from];
            place = from;
        }
    }
}

namespace {

// Under the C locale the collation is the order of the case-folded characters, which is much
// cheaper to find.
bool collatedIn(ResultTable::Order order, const QLocale &locale)
{
    return order == ResultTable::Order::Collated && locale.language() != QLocale::C;
}

} // namespace

std::vector<quint32> orderOfTexts(quint32 count, const text_order::TextAt &textAt, ResultTable::Order order,
                                  const QLocale &locale)
{
    return collatedIn(order, locale) ? text_order::collated(count, textAt, locale) : text_order::folded(count, textAt);
}

void ResultTable::sortBy(int column, Order order, const QLocale &locale)
{
    std::vector<quint32> rows;
    if (column == kSizeColumn || column == kModifiedColumn) {
        rows = orderByFacts(column);
    } else if (column == m_pathColumn) {
        rows = orderOfTexts(quint32(m_rows.size()), [this](quint32 row) { return text(row, m_pathColumn); }, order,
                            locale);
    } else {
        rows = orderByRepeatingText(column, collatedIn(order, locale), locale);
    }
    moveRows(rows);
}

} // namespace kestrova
