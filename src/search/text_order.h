// The two orders of the result list's texts: the collation of a locale without regard to case,
// the way the desktop sorts text, and the texts' characters case-folded one by one. Each gives
// the order of count texts as their positions (0 .. count - 1); equal texts keep the order of
// their positions. Where same is given, same[i] tells whether the text i-th in the order is
// equal to the one before it.
#pragma once

#include <QByteArrayView>
#include <QLocale>

#include <functional>
#include <vector>

namespace kestrova::text_order {

using TextAt = std::function<QByteArrayView(quint32 position)>;

// Collation keys are made on every core and never held for more than a few thousand texts at
// a time, so that a million paths sort without a second million of keys in memory.
std::vector<quint32> collated(quint32 count, const TextAt &textAt, const QLocale &locale,
                              std::vector<quint8> *same = nullptr);
std::vector<quint32> folded(quint32 count, const TextAt &textAt, std::vector<quint8> *same = nullptr);

} // namespace kestrova::text_order
