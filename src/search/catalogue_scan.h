// Reading one catalogue file for a search: the file in large blocks, the scan jumping from one
// place of interest to the next (a match of the criteria, a line that may be a folder
// heading), the frame rule of headings, and every accepted line handed to Tokenize. Lines
// longer than 1 MiB are passed over without being held.
#pragma once

#include "catalogue_search.h"

#include <QByteArray>
#include <QString>

namespace kestrova {

// Reads the catalogue at path with the criteria given, re-reading the criteria from the view
// after each hit. Raises an Error when the file cannot be read.
void scanCatalogue(CatalogueSearch &search, SearchSession &session, SearchView &view, const QByteArray &path,
                   const QString &criteria, bool caseSensitive);

} // namespace kestrova
