// The date text parser on any bytes, under locales with different scripts, digits and AM/PM
// texts: it never reads outside its input (the sanitizers watch), and whatever it accepts is a
// real date-time that the writer writes back to a text reading the same.
#include "fuzz_targets.h"

#include "platform/text/date_conventions.h"

#include <array>
#include <memory>

namespace kestrova::fuzz {

int dateText(const std::uint8_t *data, std::size_t size)
{
    static const std::array<std::unique_ptr<DateConventions>, 6> conventions = {
        std::make_unique<DateConventions>(QLocale(QStringLiteral("en_US"))),
        std::make_unique<DateConventions>(QLocale(QStringLiteral("de_DE"))),
        std::make_unique<DateConventions>(QLocale(QStringLiteral("ee_GH"))),
        std::make_unique<DateConventions>(QLocale(QStringLiteral("ar_EG"))),
        std::make_unique<DateConventions>(QLocale(QStringLiteral("ccp_BD"))),
        std::make_unique<DateConventions>(QLocale(QStringLiteral("sq_AL"))),
    };
    if (size < 1)
        return 0;
    const DateConventions &dates = *conventions[data[0] % conventions.size()];
    const QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const std::optional<LocalDateTime> value = dates.parse(QByteArrayView(text));
    if (!value)
        return 0;
    if (!value->date.isValid() || !value->time.isValid())
        fail("dateText", "accepted a date-time that does not exist");
    const std::optional<LocalDateTime> again = dates.parse(QStringView(dates.general(*value)));
    if (!again || !(*again == *value))
        fail("dateText", "what was accepted does not read back after writing");
    return 0;
}

} // namespace kestrova::fuzz
