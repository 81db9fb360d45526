#include "query_values.h"

#include <algorithm>
#include <cmath>

namespace kestrova {
namespace {

// A comparison before a value: >, >=, <, <=, =, or a range with "..".
struct Bounds
{
    enum class Op
    {
        Equal,
        Greater,
        GreaterEqual,
        Less,
        LessEqual,
        Range
    } op = Op::Equal;
    QStringView from; // the value, or a range's first end (empty: open)
    QStringView to;   // a range's last end (empty: open)
};

std::optional<Bounds> readBounds(QStringView value)
{
    Bounds bounds;
    if (const qsizetype dots = value.indexOf(u".."); dots >= 0) {
        bounds.op = Bounds::Op::Range;
        bounds.from = value.first(dots).trimmed();
        bounds.to = value.sliced(dots + 2).trimmed();
        if (bounds.from.isEmpty() && bounds.to.isEmpty())
            return std::nullopt;
        return bounds;
    }
    static const std::pair<const char16_t *, Bounds::Op> ops[] = {{u">=", Bounds::Op::GreaterEqual},
                                                                  {u"<=", Bounds::Op::LessEqual},
                                                                  {u">", Bounds::Op::Greater},
                                                                  {u"<", Bounds::Op::Less},
                                                                  {u"=", Bounds::Op::Equal}};
    for (const auto &[text, op] : ops) {
        if (value.startsWith(QStringView(text))) {
            bounds.op = op;
            value = value.sliced(QStringView(text).size());
            break;
        }
    }
    bounds.from = value.trimmed();
    if (bounds.from.isEmpty())
        return std::nullopt;
    return bounds;
}

// A year, a month or a day: YYYY, YYYY-MM or YYYY-MM-DD.
std::optional<DayRange> readDays(QStringView text)
{
    const QList<QStringView> parts = text.split(u'-');
    if (parts.size() > 3 || parts[0].size() != 4)
        return std::nullopt;
    int numbers[3] = {0, 1, 1};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        if ((i > 0 && parts[i].size() != 2) ||
            !std::all_of(parts[i].begin(), parts[i].end(),
                         [](QChar c) { return c.isDigit() && c.unicode() < 128; }))
            return std::nullopt;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QDate first(numbers[0], numbers[1], numbers[2]);
    if (!first.isValid())
        return std::nullopt;
    const QDate last = parts.size() == 1   ? QDate(numbers[0], 12, 31)
                       : parts.size() == 2 ? QDate(numbers[0], numbers[1], first.daysInMonth())
                                           : first;
    return DayRange{first, last};
}

} // namespace

std::optional<SizeRange> readSizes(QStringView value)
{
    const std::optional<Bounds> bounds = readBounds(value);
    if (!bounds)
        return std::nullopt;
    const std::optional<qint64> from =
        bounds->from.isEmpty() ? std::optional<qint64>(0) : sizeFromText(bounds->from);
    if (!from)
        return std::nullopt;
    SizeRange sizes;
    switch (bounds->op) {
    case Bounds::Op::Equal:
        sizes = {*from, *from};
        break;
    case Bounds::Op::Greater:
        sizes.least = *from + 1;
        break; // sizes stop well short of the type's end
    case Bounds::Op::GreaterEqual:
        sizes.least = *from;
        break;
    case Bounds::Op::Less:
        sizes.most = *from - 1;
        break;
    case Bounds::Op::LessEqual:
        sizes.most = *from;
        break;
    case Bounds::Op::Range: {
        sizes.least = *from;
        if (!bounds->to.isEmpty()) {
            const std::optional<qint64> to = sizeFromText(bounds->to);
            if (!to)
                return std::nullopt;
            sizes.most = *to;
        }
        break;
    }
    }
    return sizes;
}

std::optional<DayRange> readDayBounds(QStringView value)
{
    const std::optional<Bounds> bounds = readBounds(value);
    if (!bounds)
        return std::nullopt;
    std::optional<DayRange> from =
        bounds->from.isEmpty() ? std::optional<DayRange>(DayRange{}) : readDays(bounds->from);
    if (!from)
        return std::nullopt;
    switch (bounds->op) {
    case Bounds::Op::Equal:
        return from;
    case Bounds::Op::Greater:
        return DayRange{from->last.addDays(1), {}};
    case Bounds::Op::GreaterEqual:
        return DayRange{from->first, {}};
    case Bounds::Op::Less:
        return DayRange{{}, from->first.addDays(-1)};
    case Bounds::Op::LessEqual:
        return DayRange{{}, from->last};
    case Bounds::Op::Range:
        break;
    }
    if (bounds->to.isEmpty())
        return DayRange{from->first, {}};
    const std::optional<DayRange> to = readDays(bounds->to);
    if (!to)
        return std::nullopt;
    return DayRange{from->first, to->last};
}

std::optional<qint64> sizeFromText(QStringView text)
{
    QString number = text.trimmed().toString().toUpper();
    if (number.endsWith(u"IB"))
        number.chop(2);
    else if (number.endsWith(u'B') && number.size() > 1 && !number.at(number.size() - 2).isDigit())
        number.chop(1);
    double unit = 1;
    for (const auto &[suffix, scale] :
         {std::pair{u'K', 1024.0}, std::pair{u'M', 1024.0 * 1024},
          std::pair{u'G', 1024.0 * 1024 * 1024}, std::pair{u'T', 1024.0 * 1024 * 1024 * 1024}}) {
        if (number.endsWith(suffix)) {
            number.chop(1);
            unit = scale;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok) * unit;
    // Whole bytes only: "nan", "19.5" and "0.1K" are no sizes (and a NaN has no qint64).
    if (!ok || !(value >= 0 && value <= 9.0e18) || value != std::floor(value))
        return std::nullopt;
    return qint64(value);
}

} // namespace kestrova
