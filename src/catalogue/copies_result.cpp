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
    const std::optional<copies::RowView> row = d->runs.next();
    std::swap(d->previous, d->current);
    d->before = d->row ? std::optional(copies::RowView::at(d->previous.constData())) : std::nullopt;
    d->row.reset();
    if (!row)
        return false;
    // The row's bytes are the merge's until the next call: kept here while it is the current one.
    d->current.resize(0);
    d->current.append(reinterpret_cast<const char *>(&row->head), sizeof row->head).append(row->name).append(row->type).append(row->folder);
    d->row = copies::RowView::at(d->current.constData());
    return true;
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
