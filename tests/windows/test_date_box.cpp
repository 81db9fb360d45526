#include "windows/date_box.h"

#include <QLineEdit>
#include <QTest>

using namespace kestrova;

class TestDateBox : public QObject
{
    Q_OBJECT

private slots:
    // A whole date typed in the locale's short form is that date, from whichever section the
    // typing starts in: all of the text selected (Ctrl+A), the first section (Tab), the last
    // (Shift+Tab), the middle (a click).
    void wholeDateTypedFromAnySection_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("start"); // the section the focus is in; -1: all selected
        for (int start : {-1, 0, 1, 2}) {
            const QByteArray at = start < 0 ? "all" : "section " + QByteArray::number(start);
            QTest::newRow("en_US " + at) << QStringLiteral("M/d/yyyy") << QStringLiteral("3/27/2026") << start;
            QTest::newRow("de " + at) << QStringLiteral("dd.MM.yyyy") << QStringLiteral("27.03.2026") << start;
            QTest::newRow("fr " + at) << QStringLiteral("dd/MM/yyyy") << QStringLiteral("27/03/2026") << start;
        }
    }
    void wholeDateTypedFromAnySection()
    {
        QFETCH(QString, format);
        QFETCH(QString, typed);
        QFETCH(int, start);
        DateBox box(QDate(2003, 6, 14));
        box.setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
        box.setDisplayFormat(format);
        box.show();
        box.setFocus();
        if (start < 0)
            QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        else
            box.setSelectedSection(box.sectionAt(start));
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.date(), QDate(2026, 3, 27));
    }

    // Typing over one section still changes that section alone.
    void oneSectionTypedOver()
    {
        DateBox box(QDate(2003, 6, 14));
        box.setDisplayFormat(QStringLiteral("M/d/yyyy"));
        box.show();
        box.setSelectedSection(QDateTimeEdit::YearSection);
        QTest::keyClicks(&box, QStringLiteral("2025"));
        QCOMPARE(box.date(), QDate(2025, 6, 14));
    }
};

QTEST_MAIN(TestDateBox)
#include "test_date_box.moc"
