// What the facts beside a catalogue tell of the run that wrote it (catalogue_facts.h): the
// volume, the root, when it ran, the program, the totals and how its dates are written; kept
// in the facts file as lines of "key=value".
#pragma once

#include "platform/files/volumes.h"
#include "platform/text/date_conventions.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kestrova {

// What the facts say of the run that wrote a catalogue; empty texts and -1 where it was not known.
struct RunFacts
{
    QString label;
    QString uuid;
    QString fileSystem;
    qint64 capacity = -1;
    qint64 free = -1;
    QString device;
    QString mountPoint;
    QString mountRoot; // the folder of the volume mounted at mountPoint ("/" for all of it)
    QString root;
    QDateTime started;
    QDateTime ended;
    QString programVersion;
    quint64 entries = 0;
    qint64 totalBytes = -1;
    DateWriting dates; // how the catalogue's dates are written; empty in facts of older versions

    QByteArray text() const;
    static RunFacts fromText(QByteArrayView text);
};

// What is known of a run as it starts: the volume root lives on, root, the time, the program.
RunFacts startingRun(const QString &root, const Volume &volume);

} // namespace kestrova
