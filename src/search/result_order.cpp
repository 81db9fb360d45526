#include "result_order.h"

#include <algorithm>
#include <numeric>

namespace kestrova {

const QString &ResultRow::column(int index) const
{
    switch (index) {
    case 1: return fileType;
    case 2: return created;
    case 3: return catalogueFile;
    default: return filePath;
    }
}

std::vector<qsizetype> sortedOrder(qsizetype count, const std::function<QString(qsizetype)> &text)
{
    // Case is folded once per row, not once per comparison.
    std::vector<QString> keys;
    keys.reserve(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        keys.push_back(text(i).toCaseFolded());
    std::vector<qsizetype> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return QString::compare(keys[size_t(a)], keys[size_t(b)], Qt::CaseSensitive) < 0;
    });
    return order;
}

void sortRows(std::vector<ResultRow> &rows, int column)
{
    const std::vector<qsizetype> order =
        sortedOrder(qsizetype(rows.size()), [&](qsizetype i) { return rows[size_t(i)].column(column); });
    std::vector<ResultRow> sorted;
    sorted.reserve(rows.size());
    for (const qsizetype i : order)
        sorted.push_back(std::move(rows[size_t(i)]));
    rows = std::move(sorted);
}

} // namespace kestrova
