// What a file time the file system gave (fileTimeNs, file_system.h) may be shown as.
#pragma once

#include <QtGlobal>

#include <limits>

namespace kestrova {

// Whether a file time is the file's own: fileTimeNs holds a time beyond what 64-bit nanoseconds
// reach (before 1677, after 2262) at either end, which stands for any time beyond it. Such a time
// is shown as not known, never as that end's date.
inline bool fileTimeKnown(qint64 ns)
{
    return ns != std::numeric_limits<qint64>::min() && ns != std::numeric_limits<qint64>::max();
}

} // namespace kestrova
