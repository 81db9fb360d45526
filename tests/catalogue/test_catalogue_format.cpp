#include "catalogue/catalogue_format.h"

#include <QTest>

using namespace kestrova;

class TestCatalogueFormat : public QObject
{
    Q_OBJECT

private slots:
    void totalsSwitchToScientificFormAtTenMillion_data()
    {
        QTest::addColumn<quint64>("count");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("zero") << quint64(0) << QByteArray("0");
        QTest::newRow("small") << quint64(17) << QByteArray("17");
        QTest::newRow("largest plain") << quint64(9'999'999) << QByteArray("9999999");
        QTest::newRow("ten million") << quint64(10'000'000) << QByteArray("1E+07");
        QTest::newRow("seven digits") << quint64(12'345'678) << QByteArray("1.234568E+07");
        QTest::newRow("trailing zeros") << quint64(12'500'000) << QByteArray("1.25E+07");
        QTest::newRow("past single precision") << quint64(16'777'217) << QByteArray("1.677722E+07");
        QTest::newRow("rounds up a decade") << quint64(99'999'999) << QByteArray("1E+08");
        QTest::newRow("billions") << quint64(4'294'967'296) << QByteArray("4.294967E+09");
    }
    void totalsSwitchToScientificFormAtTenMillion()
    {
        QFETCH(quint64, count);
        QFETCH(QByteArray, text);
        QCOMPARE(catalogue::formatTotal(count), text);
    }

    void catalogueNamesEndInTxt()
    {
        QCOMPARE(catalogue::catalogueFileName(QStringLiteral("report")), QStringLiteral("report.txt"));
        QCOMPARE(catalogue::catalogueFileName(QStringLiteral("report.txt")), QStringLiteral("report.txt"));
        QCOMPARE(catalogue::catalogueFileName(QStringLiteral("report.TXT")), QStringLiteral("report.TXT.txt"));
        QCOMPARE(catalogue::catalogueFileName(QStringLiteral("/a.txt/b")), QStringLiteral("/a.txt/b.txt"));
    }

    void lineBreaksInNamesBecomeQuestionMarks()
    {
        QCOMPARE(catalogue::lineSafe("a\nb\rc\r\n"), QByteArray("a?b?c??"));
        QCOMPARE(catalogue::lineSafe("plain;name"), QByteArray("plain;name"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueFormat)
#include "test_catalogue_format.moc"
