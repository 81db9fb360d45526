#include "date_conventions.h"

#include "date_text_parser.h"

#include <QSet>

namespace kestrova {
namespace {

// A date/time format pattern split into its runs: a quoted literal, a run of one pattern
// letter, or other literal characters.
struct PatternRun
{
    QString text;
    QChar letter; // the repeated letter of a field run, null for literal text
};

QList<PatternRun> splitPattern(const QString &pattern)
{
    QList<PatternRun> runs;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        qsizetype j = i + 1;
        if (c == u'\'') {
            // A quoted literal runs to the next lone quote; '' inside stands for a quote.
            while (j < pattern.size()) {
                if (pattern.at(j) == u'\'') {
                    if (j + 1 < pattern.size() && pattern.at(j + 1) == u'\'') {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            runs.append({pattern.mid(i, j - i), QChar()});
        } else if (c.isLetter()) {
            while (j < pattern.size() && pattern.at(j) == c)
                ++j;
            runs.append({pattern.mid(i, j - i), c});
        } else {
            while (j < pattern.size() && pattern.at(j) != u'\'' && !pattern.at(j).isLetter())
                ++j;
            runs.append({pattern.mid(i, j - i), QChar()});
        }
        i = j;
    }
    return runs;
}

QString widenYear(const QString &pattern)
{
    QString out;
    for (const PatternRun &run : splitPattern(pattern))
        out += (run.letter == u'y' && run.text.size() == 2) ? QStringLiteral("yyyy") : run.text;
    return out;
}

// Drops the time-zone fields and the blanks that only separated them.
QString withoutTimeZone(const QString &pattern)
{
    QList<PatternRun> runs = splitPattern(pattern);
    QList<PatternRun> kept;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (runs[i].letter != u't') {
            kept.append(runs[i]);
            continue;
        }
        // Remove a whitespace-only separator on one side of the zone, preferring the left.
        if (!kept.isEmpty() && kept.last().letter.isNull() && kept.last().text.trimmed().isEmpty()
            && !kept.last().text.startsWith(u'\''))
            kept.removeLast();
        else if (i + 1 < runs.size() && runs[i + 1].letter.isNull()
                 && runs[i + 1].text.trimmed().isEmpty() && !runs[i + 1].text.startsWith(u'\''))
            ++i;
    }
    QString out;
    for (const PatternRun &run : kept)
        out += run.text;
    return out.trimmed();
}

} // namespace

DateConventions::DateConventions(const QLocale &locale)
    : m_locale(locale),
      m_shortDate(widenYear(locale.dateFormat(QLocale::ShortFormat))),
      m_longTime(withoutTimeZone(locale.timeFormat(QLocale::LongFormat))),
      m_generalParser(std::make_unique<DateTextParser>(m_locale, m_shortDate, m_longTime)),
      m_shortDateParser(std::make_unique<DateTextParser>(m_locale, m_shortDate, QString()))
{
}

DateConventions::DateConventions(const DateWriting &writing)
    : m_locale(writing.locale),
      m_shortDate(writing.datePattern),
      m_longTime(writing.timePattern),
      m_generalParser(std::make_unique<DateTextParser>(
          m_locale, m_shortDate, m_longTime,
          writing.am.isEmpty() && writing.pm.isEmpty() ? QStringList() : QStringList{writing.am, writing.pm})),
      m_shortDateParser(std::make_unique<DateTextParser>(m_locale, m_shortDate, QString()))
{
}

DateConventions::~DateConventions() = default;

DateWriting DateConventions::writing() const
{
    const QStringList amPm = m_generalParser->amPmTexts();
    return {m_locale.name(), m_shortDate, m_longTime, amPm.value(0), amPm.value(1)};
}

const std::vector<std::unique_ptr<const DateConventions>> &DateConventions::everyLocale()
{
    static const std::vector<std::unique_ptr<const DateConventions>> all = [] {
        std::vector<std::unique_ptr<const DateConventions>> distinct;
        QSet<QString> seen;
        for (const QLocale &locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            auto conventions = std::make_unique<const DateConventions>(locale);
            // Twelve dates, one in each month, at hours before and after noon: conventions that
            // write them alike write every date alike (digits, names, order, AM/PM texts).
            QString texts;
            for (int month = 1; month <= 12; ++month)
                texts += locale.toString(QDate(2024, month, month + 10), conventions->m_shortDate) + u' '
                         + locale.toString(QTime((month * 2 + 1) % 24, month, month), conventions->m_longTime) + u'|';
            if (!seen.contains(texts)) {
                seen.insert(texts);
                distinct.push_back(std::move(conventions));
            }
        }
        return distinct;
    }();
    return all;
}

QString DateConventions::shortDate(QDate date) const
{
    if (date != m_lastDate || m_lastDateText.isNull()) {
        m_lastDateText = m_locale.toString(date, m_shortDate);
        m_lastDate = date;
    }
    return m_lastDateText;
}

QString DateConventions::general(LocalDateTime dateTime) const
{
    const QTime &time = dateTime.time;
    const QTime seconds(time.hour(), time.minute(), time.second());
    if (seconds == QTime(0, 0))
        return shortDate(dateTime.date);
    // A day has only 86,400 seconds: each time of day is formatted once.
    if (m_timeTexts.empty())
        m_timeTexts.resize(24 * 60 * 60);
    QString &timeText = m_timeTexts[size_t(seconds.msecsSinceStartOfDay() / 1000)];
    if (timeText.isNull())
        timeText = m_locale.toString(seconds, m_longTime);
    return shortDate(dateTime.date) + u' ' + timeText;
}

QString DateConventions::general(const QDateTime &dateTime) const
{
    return general(LocalDateTime{dateTime.date(), dateTime.time()});
}

std::optional<QDate> DateConventions::parseShortDate(QStringView text) const
{
    const std::optional<LocalDateTime> date = m_shortDateParser->parse(text.trimmed().toUtf8());
    if (!date)
        return std::nullopt;
    return date->date;
}

std::optional<LocalDateTime> DateConventions::parse(QByteArrayView utf8) const
{
    while (!utf8.isEmpty() && (utf8.front() == ' ' || utf8.front() == '\t'))
        utf8 = utf8.sliced(1);
    while (!utf8.isEmpty() && (utf8.back() == ' ' || utf8.back() == '\t'))
        utf8.chop(1);
    if (auto dateTime = m_generalParser->parse(utf8))
        return dateTime;
    return m_shortDateParser->parse(utf8);
}

std::optional<LocalDateTime> DateConventions::parse(QStringView text) const
{
    return parse(QByteArrayView(text.trimmed().toUtf8()));
}

} // namespace kestrova
