#include "platform/text/date_conventions.h"

#include <QTest>

#include <ctime>

using namespace kestrova;

class TestDateConventions : public QObject
{
    Q_OBJECT

private slots:
    void writesTheLocalesForms_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("general");
        QTest::addColumn<QString>("shortDate");
        QTest::newRow("en_US") << "en_US" << "3/1/2024 9:15:00 AM" << "12/6/2026";
        QTest::newRow("en_GB") << "en_GB" << "01/03/2024 09:15:00" << "06/12/2026";
        QTest::newRow("de_DE") << "de_DE" << "01.03.2024 09:15:00" << "06.12.2026";
        QTest::newRow("C") << "C" << "1 Mar 2024 09:15:00" << "6 Dec 2026";
    }
    void writesTheLocalesForms()
    {
        QFETCH(QString, locale);
        QFETCH(QString, general);
        QFETCH(QString, shortDate);
        const DateConventions dates{QLocale(locale)};
        QCOMPARE(dates.general(QDateTime(QDate(2024, 3, 1), QTime(9, 15))), general);
        QCOMPARE(dates.shortDate(QDate(2026, 12, 6)), shortDate);
        QVERIFY2(!dates.longTimePattern().contains(u't'), qPrintable(dates.longTimePattern()));
    }

    void writesMidnightAsTheDateAlone()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        QCOMPARE(dates.general(QDateTime(QDate(2024, 2, 14), QTime(0, 0))), QStringLiteral("2/14/2024"));
        QCOMPARE(dates.general(QDateTime(QDate(2024, 2, 14), QTime(0, 0, 0, 500))),
                 QStringLiteral("2/14/2024"));
        QCOMPARE(dates.general(QDateTime(QDate(2024, 2, 14), QTime(0, 0, 1))),
                 QStringLiteral("2/14/2024 12:00:01 AM"));
        QCOMPARE(dates.general(QDateTime(QDate(2024, 2, 14), QTime(20, 0))),
                 QStringLiteral("2/14/2024 8:00:00 PM"));
    }

    void readsBackWhatItWrote_data()
    {
        QTest::addColumn<QString>("locale");
        for (const char *name : {"en_US", "en_GB", "de_DE", "C", "ja_JP", "fr_CA", "ko_KR", "ar_EG", "hu_HU"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void readsBackWhatItWrote()
    {
        QFETCH(QString, locale);
        const DateConventions dates{QLocale(locale)};
        const QList<QDateTime> samples = {
            QDateTime(QDate(2024, 3, 1), QTime(9, 15)),
            QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)),
            QDateTime(QDate(2024, 2, 14), QTime(12, 0)),
            QDateTime(QDate(2003, 6, 14), QTime(0, 0)),
            QDateTime(QDate(2010, 7, 4), QTime(0, 0, 1)),
        };
        for (const QDateTime &sample : samples) {
            const QString text = dates.general(sample);
            const auto back = dates.parse(text);
            QVERIFY2(back.has_value(), qPrintable(text));
            QCOMPARE(back->date, sample.date());
            QCOMPARE(back->time, sample.time());
        }
        QCOMPARE(dates.parseShortDate(dates.shortDate(QDate(2003, 6, 14))), QDate(2003, 6, 14));
    }

    void everyLocaleReadsBackWhatItWrote()
    {
        // Written under each of Qt's locales, at the times of day where locales differ most
        // (morning and afternoon texts, noon, midnight, the second after it), every text
        // reads back as the same wall-clock time.
        const QList<QLocale> locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(locales.size() > 100);
        const QList<QDate> days = {QDate(2024, 3, 31), QDate(1999, 12, 31), QDate(2003, 6, 14)};
        const QList<QTime> times = {QTime(0, 0), QTime(0, 0, 1), QTime(9, 5, 7), QTime(12, 0),
                                    QTime(12, 30, 45), QTime(15, 5, 7), QTime(23, 59, 59)};
        QStringList failures;
        for (const QLocale &locale : locales) {
            const DateConventions dates{locale};
            for (const QDate &day : days) {
                if (dates.parseShortDate(dates.shortDate(day)) != day)
                    failures << locale.name() + QStringLiteral(": ") + dates.shortDate(day);
                for (const QTime &time : times) {
                    const QString text = dates.general(LocalDateTime{day, time});
                    const auto back = dates.parse(text);
                    if (!back || back->date != day || back->time != time)
                        failures << locale.name() + QStringLiteral(": ") + text;
                }
            }
        }
        QCOMPARE(failures.mid(0, 10), QStringList());
    }

    void aTimeInADaylightSavingGapStillReads()
    {
        // 2:30 on the last Sunday of March does not exist in Berlin; a catalogue holds it all
        // the same (a file made elsewhere, or a clock changed), and it compares as written.
        const QByteArray savedZone = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        const auto gap = dates.parse(u"3/31/2024 2:30:00 AM");
        const auto before = dates.parse(u"3/31/2024");
        if (savedZone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", savedZone);
        tzset();
        QVERIFY(gap.has_value());
        QCOMPARE(gap->time, QTime(2, 30));
        QVERIFY(before.has_value());
        QVERIFY(*before < *gap);
    }

    void rejectsTextThatIsNoDate()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        QVERIFY(!dates.parse(u"Text Document").has_value());
        QVERIFY(!dates.parse(u"").has_value());
        QVERIFY(!dates.parse(u"13/45/2024").has_value());
        QVERIFY(!dates.parseShortDate(u"yesterday").has_value());
        QVERIFY(!dates.parse(u"3/1/2024 13:00:00 PM").has_value());
        QVERIFY(!dates.parse(u"3/1/2024 1:00:00 AM trailing").has_value());
        QVERIFY(!dates.parse(u"2/30/2024").has_value());
    }
};

QTEST_GUILESS_MAIN(TestDateConventions)
#include "test_date_conventions.moc"
