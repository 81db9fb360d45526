// The order of the result list: ascending by one column's text without regard to case, rows
// with equal texts keeping the order in which they arrived. The window and the command line
// sort with this one comparison.
#pragma once

#include "search_view.h"

#include <QString>

#include <functional>
#include <vector>

namespace kestrova {

// The positions 0..count-1 in sorted order, for rows whose text in the sort column is
// text(position).
std::vector<qsizetype> sortedOrder(qsizetype count, const std::function<QString(qsizetype)> &text);

// Sorts rows in place by column (0-3).
void sortRows(std::vector<ResultRow> &rows, int column);

} // namespace kestrova
