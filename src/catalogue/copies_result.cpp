#include "copies_rows.h"

#include <algorithm>

namespace kestrova {

using copies::CopiesRow;
using copies::kByType;

CopiesResult::CopiesResult() : d(std::make_unique<Data>()) {}
CopiesResult::~CopiesResult() = default;
CopiesResult::CopiesResult(CopiesResult &&) noexcept = default;
CopiesResult &CopiesResult::operator=(CopiesResult &&) noexcept = default;

qsizetype CopiesResult::size() const
{
    return qsizetype(d->rows.size());
}

QByteArray CopiesResult::path(qsizetype row) const
{
    const CopiesRow &r = d->rows[size_t(row)];
    QByteArray path = d->folder(r).toByteArray();
    if (!path.endsWith('/'))
        path += '/';
    return path.append(d->name(r));
}

QByteArrayView CopiesResult::name(qsizetype row) const
{
    return d->name(d->rows[size_t(row)]);
}

QByteArrayView CopiesResult::type(qsizetype row) const
{
    return d->type(d->rows[size_t(row)]);
}

qint64 CopiesResult::fileSize(qsizetype row) const
{
    return d->rows[size_t(row)].size;
}

qint64 CopiesResult::modifiedNs(qsizetype row) const
{
    return d->rows[size_t(row)].modifiedNs;
}

const QString &CopiesResult::catalogue(qsizetype row) const
{
    return d->sources[d->rows[size_t(row)].source].name;
}

quint32 CopiesResult::copies(qsizetype row) const
{
    return d->rows[size_t(row)].copies & ~kByType;
}

bool CopiesResult::sizeUnknownGroup(qsizetype row) const
{
    return (d->rows[size_t(row)].copies & kByType) != 0;
}

bool CopiesResult::startsGroup(qsizetype row) const
{
    return d->groupStarts[size_t(row)];
}

void CopiesResult::sortRows()
{
    Data &data = *d;
    std::sort(data.rows.begin(), data.rows.end(), [&data](const CopiesRow &a, const CopiesRow &b) {
        const bool byTypeA = a.copies & kByType;
        const bool byTypeB = b.copies & kByType;
        if (byTypeA != byTypeB)
            return byTypeB;
        if (!byTypeA && a.size != b.size)
            return a.size > b.size;
        if (const int order = data.name(a).compare(data.name(b)); order != 0)
            return order < 0;
        if (byTypeA)
            if (const int order = data.type(a).compare(data.type(b)); order != 0)
                return order < 0;
        if (a.source != b.source)
            return a.source < b.source;
        return data.folder(a).compare(data.folder(b)) < 0;
    });
    data.groupStarts.resize(data.rows.size());
    for (size_t i = 0; i < data.rows.size(); ++i) {
        const CopiesRow &row = data.rows[i];
        const CopiesRow *previous = i > 0 ? &data.rows[i - 1] : nullptr;
        data.groupStarts[i] = !previous || (previous->copies & kByType) != (row.copies & kByType)
                           || data.name(*previous) != data.name(row)
                           || ((row.copies & kByType) ? data.type(*previous) != data.type(row) : previous->size != row.size);
    }
}

} // namespace kestrova
