// Reads back the date and time texts that DateConventions writes, under any locale. Driven by
// the same locale patterns the writer uses: each field's possible texts (digits in the
// locale's own digits, month and day names, the AM and PM texts) are produced by the locale
// itself when the parser is built, so a text reads back exactly when the writer could have
// written it. It reads UTF-8 in place, without allocating, since a search with a date filter
// reads one created text per hit.
#pragma once

#include "date_conventions.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kestrova {

class DateTextParser
{
public:
    // datePattern and timePattern are the locale format patterns of the two parts, joined by
    // one blank; an empty timePattern reads the date alone. amPm: the AM and PM texts exactly as
    // the time pattern's AM/PM field writes them, where they are known otherwise than from the
    // locale (recorded where the text was written); empty: the locale's.
    DateTextParser(const QLocale &locale, const QString &datePattern, const QString &timePattern,
                   const QStringList &amPm = {});

    // The AM and PM texts the time pattern's AM/PM field reads; empty without one.
    QStringList amPmTexts() const;

    // The date-time the whole text stands for (at midnight without a time part), or nothing
    // when the text is not of the pattern or names no real date or time.
    std::optional<LocalDateTime> parse(QByteArrayView text) const;

private:
    enum class Field { Literal, Day, DayName, Month, MonthName, Year4, Year2, Hour12, Hour24,
                       Minute, Second, Millisecond, AmPm };
    struct Token
    {
        Field field = Field::Literal;
        int minDigits = 0;               // number fields: digits read at least ...
        int maxDigits = 0;               // ... and at most
        QByteArray literal;              // Literal: the bytes to match
        std::vector<QByteArray> names;   // name fields: the texts, index = value - 1 (AmPm: 0 am, 1 pm)
    };

    void addPattern(const QLocale &locale, const QString &pattern, const QStringList &amPm = {});
    void addLiteral(const QString &text);
    bool readNumber(QByteArrayView text, qsizetype &pos, const Token &token, int &value) const;
    static bool readName(QByteArrayView text, qsizetype &pos, const Token &token, int &value);

    std::vector<Token> m_tokens;
    QByteArray m_digits[10]; // the locale's digits in UTF-8; ASCII digits are read too
};

} // namespace kestrova
