// Reading one catalogue file for a search: the file in large blocks, the scan jumping from one
// match of the criteria to the next, the frame rule of headings looked at only around a match
// (the heading in force is found by looking back from it), and every accepted line handed to
// Tokenize. Lines longer than 1 MiB are passed over without being held.
#pragma once

#include "catalogue_search.h"

#include "platform/files/text_file.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestrova {

class CatalogueTap;

// A part of a catalogue to read, and what is known where it starts: the latest heading line
// before it (offset -1 when the file has none before it) and where the line after that heading
// starts. A search index gives these; both offsets are line starts.
struct ScanRegion
{
    qint64 begin = 0;
    qint64 end = 0;
    qint64 headingOffset = -1;
    qint32 headingLength = 0;
    qint64 lastHeadingNext = -1;
};

// The parts of a catalogue that can hold a match, and the file's last heading (the folder a
// whole reading would leave in CurrentFolder).
struct ScanPlan
{
    std::vector<ScanRegion> regions;
    qint64 finalHeadingOffset = -1;
    qint32 finalHeadingLength = 0;
};

// Reads the catalogue open in file with the criteria given, re-reading the criteria from the
// view after each hit; plan, when given, names the only parts that can hold a match of these
// criteria. Criteria that change during the reading are looked for in the rest of the file.
// Without a plan, build, when given, is fed every byte read, so that the catalogue's index is
// built in the same reading. Raises an Error when the file cannot be read.
void scanCatalogue(CatalogueSearch &search, SearchSession &session, SearchView &view, FileReader &file,
                   const QString &criteria, bool caseSensitive, const ScanPlan *plan = nullptr,
                   CatalogueTap *build = nullptr);

} // namespace kestrova
