#include "fuzz_targets.h"

#include <cstdio>
#include <cstdlib>

namespace kestrova::fuzz {

QString criteriaFrom(const std::uint8_t *data, std::size_t length)
{
    static const char16_t alphabet[] = u"aAbBfF;/ .=eE\u0130iIkK\u212A\u00e9\u00c9Fol";
    QString criteria;
    for (std::size_t i = 0; i < length; ++i)
        criteria += QChar(alphabet[data[i] % (sizeof alphabet / sizeof alphabet[0] - 1)]);
    return criteria;
}

void fail(const char *target, const char *what)
{
    std::fprintf(stderr, "fuzz target %s: %s\n", target, what);
    std::abort();
}

} // namespace kestrova::fuzz
