// The user's locale conventions for dates, as catalogues write them and searches read them back.
// Every writer and reader of a catalogue goes through this one class, so that a date written
// under a locale reads back as the same date-time under that locale.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace kestrova {

// A wall-clock date and time of the local time zone, to the second. Catalogues hold such
// values, with no zone; they are compared as they stand.
struct LocalDateTime
{
    QDate date;
    QTime time;

    friend bool operator==(const LocalDateTime &a, const LocalDateTime &b)
    {
        return a.date == b.date && a.time == b.time;
    }
    friend bool operator<(const LocalDateTime &a, const LocalDateTime &b)
    {
        return a.date < b.date || (a.date == b.date && a.time < b.time);
    }
};

class DateTextParser;

// How dates were written, as a catalogue's facts record it, so that they read back under any
// locale: the locale's name (for its digits and names), the two patterns, and the AM and PM
// texts as the time pattern writes them (empty without an AM/PM field).
struct DateWriting
{
    QString locale;
    QString datePattern;
    QString timePattern;
    QString am;
    QString pm;

    bool isEmpty() const { return datePattern.isEmpty(); }
    friend bool operator==(const DateWriting &, const DateWriting &) = default;
};

class DateConventions
{
public:
    explicit DateConventions(const QLocale &locale = QLocale::system());
    // The conventions dates were written with elsewhere (writing not empty).
    explicit DateConventions(const DateWriting &writing);
    const QLocale &locale() const { return m_locale; }
    ~DateConventions();
    DateConventions(const DateConventions &) = delete;
    DateConventions &operator=(const DateConventions &) = delete;

    // The locale's short date pattern with a two-digit year widened to four digits.
    const QString &shortDatePattern() const { return m_shortDate; }
    // The locale's long time pattern without any time-zone part.
    const QString &longTimePattern() const { return m_longTime; }
    // What a reader needs to read these dates back anywhere.
    DateWriting writing() const;

    // The distinct conventions of every locale there is, the same texts for the same dates
    // counting once; built at the first call (thread-safe), kept for the program's life.
    static const std::vector<std::unique_ptr<const DateConventions>> &everyLocale();

    QString shortDate(QDate date) const;
    // The general form: short date, a blank, long time; the short date alone at exactly
    // midnight. Seconds are the finest unit written.
    QString general(const QDateTime &dateTime) const;
    QString general(LocalDateTime dateTime) const;

    // Reads the general form or a short date alone (then at midnight), exactly as written
    // under this locale, blanks around it aside. Empty when the text is neither. The value is
    // a wall-clock time: one that the local zone skips (a daylight-saving gap) still reads.
    std::optional<LocalDateTime> parse(QStringView text) const;
    std::optional<LocalDateTime> parse(QByteArrayView utf8) const;
    std::optional<QDate> parseShortDate(QStringView text) const;

private:
    QLocale m_locale;
    QString m_shortDate;
    QString m_longTime;
    std::unique_ptr<DateTextParser> m_generalParser;
    std::unique_ptr<DateTextParser> m_shortDateParser;
    // Files of one folder often share a day: the last day written is kept with its text.
    mutable QDate m_lastDate;
    mutable QString m_lastDateText;
    mutable std::vector<QString> m_timeTexts; // by second of the day, filled as needed
};

} // namespace kestrova
