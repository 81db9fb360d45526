#include "date_text_parser.h"

#include <QDate>
#include <QTime>

#include <algorithm>

namespace kestrova {
namespace {

// How many times c repeats at pattern[i].
qsizetype repeatAt(const QString &pattern, qsizetype i)
{
    qsizetype j = i;
    while (j < pattern.size() && pattern.at(j) == pattern.at(i))
        ++j;
    return j - i;
}

// Whether a pattern holds an AM/PM field outside quotes: then "h" counts hours 1 to 12.
bool hasAmPm(const QString &pattern)
{
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'a' || c == u'A'))
            return true;
    }
    return false;
}

} // namespace

DateTextParser::DateTextParser(const QLocale &locale, const QString &datePattern, const QString &timePattern,
                               const QStringList &amPm)
{
    const QString zero = locale.zeroDigit();
    const char32_t zeroValue = zero.size() == 2 ? QChar::surrogateToUcs4(zero.at(0), zero.at(1))
                                                : zero.isEmpty() ? U'0' : char32_t(zero.at(0).unicode());
    for (int d = 0; d < 10; ++d) {
        const char32_t digit = zeroValue + char32_t(d);
        m_digits[d] = QString::fromUcs4(&digit, 1).toUtf8();
    }
    addPattern(locale, datePattern);
    if (!timePattern.isEmpty()) {
        addLiteral(QStringLiteral(" "));
        const bool twelveHours = hasAmPm(timePattern);
        const size_t first = m_tokens.size();
        addPattern(locale, timePattern, amPm);
        if (!twelveHours)
            for (size_t i = first; i < m_tokens.size(); ++i)
                if (m_tokens[i].field == Field::Hour12)
                    m_tokens[i].field = Field::Hour24;
    }
}

void DateTextParser::addLiteral(const QString &text)
{
    if (text.isEmpty())
        return;
    if (m_tokens.empty() || m_tokens.back().field != Field::Literal)
        m_tokens.push_back({});
    m_tokens.back().literal += text.toUtf8();
}

// Splits the pattern the way QLocale::toString() reads it, so that every field covers exactly
// the letters it covers there.
QStringList DateTextParser::amPmTexts() const
{
    for (const Token &token : m_tokens)
        if (token.field == Field::AmPm)
            return {QString::fromUtf8(token.names[0]), QString::fromUtf8(token.names[1])};
    return {};
}

void DateTextParser::addPattern(const QLocale &locale, const QString &pattern, const QStringList &amPm)
{
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            // A quoted literal runs to the next lone quote; '' stands for a quote.
            qsizetype j = i + 1;
            if (j < pattern.size() && pattern.at(j) == u'\'') {
                addLiteral(QStringLiteral("'"));
                i = j + 1;
                continue;
            }
            QString text;
            while (j < pattern.size()) {
                if (pattern.at(j) == u'\'') {
                    if (j + 1 < pattern.size() && pattern.at(j + 1) == u'\'') {
                        text += u'\'';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                text += pattern.at(j++);
            }
            addLiteral(text);
            i = j;
            continue;
        }
        const qsizetype repeat = repeatAt(pattern, i);
        Token token;
        qsizetype used = 0;
        switch (c.unicode()) {
        case 'y':
            if (repeat >= 4) {
                token = {Field::Year4, 4, 4, {}, {}};
                used = 4;
            } else if (repeat >= 2) {
                token = {Field::Year2, 2, 2, {}, {}};
                used = 2;
            }
            break;
        case 'M':
        case 'd': {
            used = std::min<qsizetype>(repeat, 4);
            const bool month = c == u'M';
            if (used <= 2) {
                token = {month ? Field::Month : Field::Day, int(used), 2, {}, {}};
                break;
            }
            token.field = month ? Field::MonthName : Field::DayName;
            const QString format(used, c);
            for (int n = 1; n <= (month ? 12 : 7); ++n) {
                // 2024-01-01 is a Monday, day of the week 1.
                const QDate date = month ? QDate(2024, n, 1) : QDate(2024, 1, n);
                token.names.push_back(locale.toString(date, format).toUtf8());
            }
            break;
        }
        case 'h':
        case 'H':
        case 'm':
        case 's': {
            used = std::min<qsizetype>(repeat, 2);
            const Field field = c == u'h' ? Field::Hour12 : c == u'H' ? Field::Hour24
                                : c == u'm'             ? Field::Minute
                                                        : Field::Second;
            token = {field, int(used), 2, {}, {}};
            break;
        }
        case 'z':
            used = repeat >= 3 ? 3 : 1;
            token = {Field::Millisecond, 1, 3, {}, {}};
            break;
        case 'a':
        case 'A': {
            // "ap" and "AP" (and "a", "A") are one field; its texts come from the locale.
            used = (i + 1 < pattern.size() && pattern.at(i + 1).toLower() == u'p') ? 2 : 1;
            const QString format = pattern.mid(i, used);
            token.field = Field::AmPm;
            token.names = amPm.size() == 2 ? std::vector<QByteArray>{amPm[0].toUtf8(), amPm[1].toUtf8()}
                                           : std::vector<QByteArray>{locale.toString(QTime(1, 0), format).toUtf8(),
                                                                     locale.toString(QTime(13, 0), format).toUtf8()};
            break;
        }
        default:
            break;
        }
        if (used == 0) {
            addLiteral(QString(c));
            ++i;
            continue;
        }
        m_tokens.push_back(std::move(token));
        i += used;
    }
}

bool DateTextParser::readNumber(QByteArrayView text, qsizetype &pos, const Token &token, int &value) const
{
    value = 0;
    int digits = 0;
    while (digits < token.maxDigits && pos < text.size()) {
        const char byte = text[pos];
        int digit = -1;
        qsizetype length = 1;
        if (byte >= '0' && byte <= '9') {
            digit = byte - '0';
        } else {
            for (int d = 0; d < 10; ++d) {
                if (text.sliced(pos).startsWith(m_digits[d])) {
                    digit = d;
                    length = m_digits[d].size();
                    break;
                }
            }
        }
        if (digit < 0)
            break;
        value = value * 10 + digit;
        pos += length;
        ++digits;
    }
    return digits >= token.minDigits;
}

bool DateTextParser::readName(QByteArrayView text, qsizetype &pos, const Token &token, int &value)
{
    // The longest name that fits, so that "June" is not read as "Jun" followed by "e".
    qsizetype best = 0;
    for (size_t n = 0; n < token.names.size(); ++n) {
        const QByteArray &name = token.names[n];
        if (!name.isEmpty() && name.size() > best && text.sliced(pos).startsWith(name)) {
            best = name.size();
            value = int(n) + 1;
        }
    }
    if (best == 0) {
        // A field whose text is empty (a locale without AM/PM texts) reads as nothing.
        const auto empty = std::find_if(token.names.begin(), token.names.end(),
                                        [](const QByteArray &name) { return name.isEmpty(); });
        if (empty == token.names.end())
            return false;
        value = int(empty - token.names.begin()) + 1;
        return true;
    }
    pos += best;
    return true;
}

std::optional<LocalDateTime> DateTextParser::parse(QByteArrayView text) const
{
    int year = -1, month = -1, day = -1, hour = 0, minute = 0, second = 0;
    int amPm = 0; // 0 none, 1 am, 2 pm
    bool hour12 = false;
    qsizetype pos = 0;
    for (const Token &token : m_tokens) {
        int value = 0;
        bool ok = true;
        switch (token.field) {
        case Field::Literal:
            ok = text.sliced(pos).startsWith(token.literal);
            pos += ok ? token.literal.size() : 0;
            break;
        case Field::DayName:
            ok = readName(text, pos, token, value);
            break;
        case Field::MonthName:
            ok = readName(text, pos, token, value);
            month = value;
            break;
        case Field::AmPm:
            ok = readName(text, pos, token, value);
            amPm = value;
            break;
        default:
            ok = readNumber(text, pos, token, value);
            switch (token.field) {
            case Field::Day: day = value; break;
            case Field::Month: month = value; break;
            case Field::Year4: year = value; break;
            case Field::Year2: year = 1900 + value; break;
            case Field::Hour12: hour = value; hour12 = true; break;
            case Field::Hour24: hour = value; break;
            case Field::Minute: minute = value; break;
            case Field::Second: second = value; break;
            default: break;
            }
        }
        if (!ok)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    if (hour12) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        if (amPm == 2 && hour < 12)
            hour += 12;
        else if (amPm == 1 && hour == 12)
            hour = 0;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    return LocalDateTime{date, QTime(hour, minute, second)};
}

} // namespace kestrova
