// The totals' number form for any count: digits alone below 10,000,000; above, a mantissa of
// at most seven significant digits without trailing zeros, whose value is the count's to
// within half a unit of the seventh digit.
#include "fuzz_targets.h"

#include "catalogue/catalogue_format.h"

#include <cmath>
#include <cstring>

namespace kestrova::fuzz {

int totals(const std::uint8_t *data, std::size_t size)
{
    quint64 count = 0;
    std::memcpy(&count, data, std::min(size, sizeof count));
    const QByteArray text = catalogue::formatTotal(count);
    if (count < 10'000'000) {
        if (text != QByteArray::number(count))
            fail("totals", "a small count is not written as its digits");
        return 0;
    }
    const qsizetype exponent = text.indexOf("E+");
    if (exponent < 1)
        fail("totals", "a large count has no exponent");
    const QByteArray mantissa = text.left(exponent);
    if (mantissa.endsWith('0') || mantissa.endsWith('.') || mantissa.size() > 8)
        fail("totals", "the mantissa is not in its shortest form");
    bool ok = false;
    const double value = text.toDouble(&ok);
    const double unit = std::pow(10.0, std::floor(std::log10(double(count))) - 6);
    if (!ok || std::fabs(value - double(count)) > unit / 2 * (1 + 1e-9))
        fail("totals", "the written value is not the count's");
    return 0;
}

} // namespace kestrova::fuzz
