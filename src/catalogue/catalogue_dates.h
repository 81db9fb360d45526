// The conventions a catalogue's dates were written with, so that each catalogue's created texts
// read as their writer meant them whatever the reader's locale (a date filter over catalogues
// from several languages): the conventions its facts record; for a catalogue without them, the
// ones its header date and the created texts at its start can only have been written with.
// Catalogues are only read, never changed.
#pragma once

#include "platform/text/date_conventions.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

namespace kestrova {

class CatalogueDates
{
public:
    // How much of a catalogue's start is looked at to recognise its conventions.
    static constexpr qsizetype kHeadBytes = 256 * 1024;

    // own: the reader's conventions, taken where a catalogue's texts read alike under them and
    // others, and where they read differently under several of which own is one.
    explicit CatalogueDates(const DateConventions &own);
    ~CatalogueDates();
    CatalogueDates(const CatalogueDates &) = delete;
    CatalogueDates &operator=(const CatalogueDates &) = delete;

    // The conventions of one catalogue: recorded (from its facts; empty when they do not say),
    // else recognised from head, the catalogue's first bytes (up to kHeadBytes). Null when they
    // cannot be told: no conventions read its created texts, or several read them as different
    // dates and own is not among them. Valid as long as this object.
    const DateConventions *of(const DateWriting &recorded, QByteArrayView head);

private:
    const DateConventions *recognised(QByteArrayView head) const;

    const DateConventions &m_own;
    // Built from facts, kept for the next catalogue written the same way.
    std::vector<std::unique_ptr<const DateConventions>> m_recorded;
};

} // namespace kestrova
