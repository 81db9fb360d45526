#include "fuzz_targets.h"

#include <cstdio>
#include <cstdlib>

namespace kestrova::fuzz {

void fail(const char *target, const char *what)
{
    std::fprintf(stderr, "fuzz target %s: %s\n", target, what);
    std::abort();
}

} // namespace kestrova::fuzz
