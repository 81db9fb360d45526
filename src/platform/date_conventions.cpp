#include "date_conventions.h"

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
      m_generalPattern(m_shortDate + u' ' + m_longTime)
{
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
    const QDate date = m_locale.toDate(text.toString(), m_shortDate);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDateTime> DateConventions::parse(QStringView text) const
{
    const QString trimmed = text.trimmed().toString();
    const QDateTime dateTime = m_locale.toDateTime(trimmed, m_generalPattern);
    if (dateTime.isValid())
        return dateTime;
    if (const auto date = parseShortDate(trimmed))
        return QDateTime(*date, QTime(0, 0));
    return std::nullopt;
}

} // namespace kestrova
