#include "name_order.h"

#include <algorithm>

namespace kestrova {

NameSortKey::NameSortKey(QByteArray bytes)
    : name(std::move(bytes)), folded(QString::fromUtf8(name).toCaseFolded())
{
}

bool operator<(const NameSortKey &a, const NameSortKey &b)
{
    if (const int c = QString::compare(a.folded, b.folded, Qt::CaseSensitive); c != 0)
        return c < 0;
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
