// The values of the query's size: and date fields: a comparison (>, >=, <, <=, =) or a range
// (A..B, either end open) of sizes or of days.
#pragma once

#include "query.h"

#include <optional>

namespace kestrova {

// size:VALUE as sizes a file must have; nothing when VALUE does not read.
std::optional<SizeRange> readSizes(QStringView value);
// modified:VALUE or created:VALUE as days; a year or a month stands for all of its days.
std::optional<DayRange> readDayBounds(QStringView value);

} // namespace kestrova
