// The catalogues of a folder read on several threads at once, for kestrova-cli. Each thread
// reads whole catalogues with a search of its own and keeps what it found; the hits, the count
// and the failures reach the view in the order of the files, exactly as a reading on one
// thread would give them. The folder in force before a catalogue's first heading is the one the
// catalogue before it left, so rows found there get their folder when they are handed over.
#pragma once

#include "search_session.h"
#include "search_view.h"

#include <QByteArray>
#include <QLocale>

#include <vector>

namespace kestrova {

class IndexCache;

void searchInParallel(SearchSession &session, SearchView &view, const QLocale &locale,
                      IndexCache *index, const QByteArray &folderPath, const std::vector<QByteArray> &names,
                      int threads);

} // namespace kestrova
