// The plain model of the query matcher: every field decoded to text and lower-cased with Qt,
// wildcards turned into a regular expression (a byte that is not UTF-8 one U+FFFD), nothing kept
// between entries. Slow on purpose;
// the tests hold QueryMatcher to it.
#pragma once

#include "query_matcher.h"

namespace kestrova {

bool referenceMatches(const Query &query, const QueryEntry &entry, CreatedDates &created);

} // namespace kestrova
