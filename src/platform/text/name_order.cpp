#include "name_order.h"

#include <algorithm>

namespace kestrova {

namespace {

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

} // namespace

// Most names are ASCII: their key is the name in lower case, with no detour through UTF-16.
NameSortKey::NameSortKey(QByteArray bytes)
    : name(std::move(bytes)),
      folded(isAscii(name) ? name.toLower() : QString::fromUtf8(name).toCaseFolded().toUtf8())
{
}

bool operator<(const NameSortKey &a, const NameSortKey &b)
{
    if (a.folded != b.folded)
        return a.folded < b.folded;
    return a.name < b.name;
}

void sortNames(std::vector<QByteArray> &names)
{
    std::vector<NameSortKey> keyed;
    keyed.reserve(names.size());
    for (QByteArray &name : names)
        keyed.emplace_back(std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < keyed.size(); ++i)
        names[i] = std::move(keyed[i].name);
}

} // namespace kestrova
