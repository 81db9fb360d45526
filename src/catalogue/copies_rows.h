// What the copies report keeps of its catalogues and rows, shared by the report (copies.cpp)
// and its result (copies_result.cpp): each catalogue's names, folders and types in bytes of its
// own, and a small record per row.
#pragma once

#include "copies.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestrova::copies {

constexpr quint32 kByType = 0x80000000u; // Row::copies: grouped by name and type
constexpr int kNameLengthBits = 24;      // a name is shorter than a catalogue line (1 MiB)

struct Span
{
    quint64 at;
    quint32 length;
};

// One catalogue of the folder, and what the second reading listed of it: its names, folders
// and types, each kept once, in bytes of its own.
struct CopiesSource
{
    QString path;
    QString name;
    bool hasFacts = false;
    bool failed = false; // could not be read: named once, and read no more
    // A block of its facts did not check: the sizes of some of its files are not known, and
    // those files count by name and type. Set while counting, by the thread reading it.
    bool damaged = false;
    qint64 bytes = 0;
    quint32 drive = 0;
    // The folders of it a newer catalogue of the same drive covers: their entries are history.
    std::vector<QByteArray> history;
    bool allHistory = false;
    QByteArray arena;
    std::vector<Span> folders;
    std::vector<Span> types;

    QByteArrayView text(quint64 at, quint32 length) const { return QByteArrayView(arena.constData() + at, length); }
    QByteArrayView text(const Span &span) const { return text(span.at, span.length); }
};

struct CopiesRow
{
    qint64 size;     // -1: not known
    qint64 modifiedNs;
    quint64 name;    // where in its source's arena << 24 | its length
    quint32 folder;  // in its source's folders
    quint32 type;    // in its source's types
    quint32 copies;  // with kByType
    quint32 source;
};

} // namespace kestrova::copies

namespace kestrova {

struct CopiesResult::Data
{
    std::vector<copies::CopiesSource> sources;
    std::vector<copies::CopiesRow> rows;
    std::vector<bool> groupStarts;

    QByteArrayView name(const copies::CopiesRow &row) const
    {
        return sources[row.source].text(row.name >> copies::kNameLengthBits, quint32(row.name & ((1u << copies::kNameLengthBits) - 1)));
    }
    QByteArrayView type(const copies::CopiesRow &row) const { return sources[row.source].text(sources[row.source].types[row.type]); }
    QByteArrayView folder(const copies::CopiesRow &row) const
    {
        return sources[row.source].text(sources[row.source].folders[row.folder]);
    }
};


} // namespace kestrova
