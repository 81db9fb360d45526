// The copies report's result: its rows read back from their sorted runs, one at a time.
#include "copies_rows.h"

namespace kestrova {

CopiesResult::CopiesResult() : d(std::make_unique<Data>()) {}
CopiesResult::~CopiesResult() = default;
CopiesResult::CopiesResult(CopiesResult &&) noexcept = default;
CopiesResult &CopiesResult::operator=(CopiesResult &&) noexcept = default;

qsizetype CopiesResult::size() const
{
    return qsizetype(d->runs.rows());
}

bool CopiesResult::next()
{
    // The row before stays readable beside the new one (RowRuns::next): none is copied.
    d->before = d->row;
    d->row = d->runs.next();
    return d->row.has_value();
}

QByteArray CopiesResult::path() const
{
    QByteArray path = d->row->folder.toByteArray();
    if (!path.endsWith('/'))
        path += '/';
    return path.append(d->row->name);
}

QByteArrayView CopiesResult::name() const
{
    return d->row->name;
}

QByteArrayView CopiesResult::type() const
{
    return d->row->type;
}

qint64 CopiesResult::fileSize() const
{
    return d->row->head.size;
}

qint64 CopiesResult::modifiedNs() const
{
    return d->row->head.modifiedNs;
}

const QString &CopiesResult::catalogue() const
{
    return d->sources[d->row->head.source].name;
}

quint32 CopiesResult::copies() const
{
    return d->row->head.copies & ~copies::kByType;
}

bool CopiesResult::sizeUnknownGroup() const
{
    return d->row->byType();
}

bool CopiesResult::startsGroup() const
{
    return !d->before || copies::startsGroup(*d->before, *d->row);
}

} // namespace kestrova
