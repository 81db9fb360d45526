#include "platform/date_conventions.h"

#include <QTest>

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
            QCOMPARE(*back, sample);
        }
        QCOMPARE(dates.parseShortDate(dates.shortDate(QDate(2003, 6, 14))), QDate(2003, 6, 14));
    }

    void rejectsTextThatIsNoDate()
    {
        const DateConventions dates{QLocale(QStringLiteral("en_US"))};
        QVERIFY(!dates.parse(u"Text Document").has_value());
        QVERIFY(!dates.parse(u"").has_value());
        QVERIFY(!dates.parse(u"13/45/2024").has_value());
        QVERIFY(!dates.parseShortDate(u"yesterday").has_value());
    }
};

QTEST_GUILESS_MAIN(TestDateConventions)
#include "test_date_conventions.moc"
