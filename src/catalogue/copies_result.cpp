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
    Data &d = *this->d;
    std::sort(d.rows.begin(), d.rows.end(), [&d](const CopiesRow &a, const CopiesRow &b) {
        const bool byTypeA = a.copies & kByType;
        const bool byTypeB = b.copies & kByType;
        if (byTypeA != byTypeB)
            return byTypeB;
        if (!byTypeA && a.size != b.size)
            return a.size > b.size;
        if (const int order = d.name(a).compare(d.name(b)); order != 0)
            return order < 0;
        if (byTypeA)
            if (const int order = d.type(a).compare(d.type(b)); order != 0)
                return order < 0;
        if (a.source != b.source)
            return a.source < b.source;
        return d.folder(a).compare(d.folder(b)) < 0;
    });
    d.groupStarts.resize(d.rows.size());
    for (size_t i = 0; i < d.rows.size(); ++i) {
        const CopiesRow &row = d.rows[i];
        const CopiesRow *previous = i > 0 ? &d.rows[i - 1] : nullptr;
        d.groupStarts[i] = !previous || (previous->copies & kByType) != (row.copies & kByType)
                           || d.name(*previous) != d.name(row)
                           || ((row.copies & kByType) ? d.type(*previous) != d.type(row) : previous->size != row.size);
    }
}

} // namespace kestrova
