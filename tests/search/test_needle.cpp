#include "platform/files/file_names.h"
#include "search/needle.h"
#include "support/reference_search.h"

#include <QTest>

using namespace kestrova;

namespace {

bool found(const Needle &needle, QByteArrayView text)
{
    return needle.findExact(text.begin(), text.end()) != text.end();
}

} // namespace

class TestNeedle : public QObject
{
    Q_OBJECT

private slots:
    void findsWithAndWithoutCase()
    {
        const QByteArray line = "README.TXT;Text Document;3/1/2024 9:15:00 AM";
        QVERIFY(found(Needle(QStringLiteral("readme"), false), line));
        QVERIFY(!found(Needle(QStringLiteral("readme"), true), line));
        QVERIFY(found(Needle(QStringLiteral("README"), true), line));
        QVERIFY(found(Needle(QStringLiteral("txt;text"), false), line));
        QVERIFY(found(Needle(QStringLiteral("9:15:00 AM"), true), line));
        QVERIFY(!found(Needle(QStringLiteral("9:15:00 AMX"), true), line));
        // Folding is for letters only: "@" is not "`".
        QVERIFY(!found(Needle(QStringLiteral("a@"), false), QByteArrayView("A`")));
        QVERIFY(found(Needle(QStringLiteral("a@"), false), QByteArrayView("xA@")));
    }

    // Every position of the rare byte near block edges: the vector loop and its tail agree.
    void findsAtEveryOffset()
    {
        const Needle needle(QStringLiteral("qz"), false);
        for (int length = 2; length < 80; ++length) {
            for (int at = 0; at + 2 <= length; ++at) {
                QByteArray text(length, 'a');
                text[at] = 'Q';
                text[at + 1] = 'z';
                const char *hit = needle.findExact(text.cbegin(), text.cend());
                QCOMPARE(hit - text.cbegin(), qsizetype(at));
            }
        }
    }

    void unicodeCaseFolding()
    {
        const Needle accented(QStringLiteral("é"), false);
        QVERIFY(accented.needsTriggers());
        QVERIFY(accented.lineMatches(QByteArrayView("CAFÉ.TXT;Text;1/1/2024")));
        QVERIFY(!accented.lineMatches(QByteArrayView("CAFE.TXT;Text;1/1/2024")));
        const QByteArray line = "CAFÉ.TXT";
        QVERIFY(accented.findTrigger(line.cbegin(), line.cend()) != line.cend());

        // The Kelvin sign lower-cases to an ASCII "k": a line holding it must be looked at.
        const Needle kilo(QStringLiteral("k.bin"), false);
        const QByteArray kelvin = "\xe2\x84\xaa.BIN";
        QVERIFY(!found(kilo, kelvin));
        QVERIFY(kilo.findTrigger(kelvin.cbegin(), kelvin.cend()) == kelvin.cbegin());
        QVERIFY(kilo.lineMatches(kelvin));
        // Criteria without an i or a k need no such look.
        QVERIFY(!Needle(QStringLiteral("txt"), false).needsTriggers());
        // U+0130 lowers to "i" and a combining dot: it can end a match, never lie inside one.
        const QByteArray dotted = "ZEBRAF\xc4\xb0NCH.TXT";
        for (const QString &criteria : {QStringLiteral("zebrafi"), QStringLiteral("i\u0307nch"), QStringLiteral("zebrafinch")}) {
            const Needle needle(criteria, false);
            const bool matches = QString::fromUtf8(dotted).toLower().contains(criteria);
            QCOMPARE(needle.lineMatches(dotted), matches);
            QCOMPARE(needle.findTrigger(dotted.cbegin(), dotted.cend()) != dotted.cend() || found(needle, dotted), matches);
        }
        QVERIFY(!Needle(QStringLiteral("zebrafinch"), false).needsTriggers());

        QVERIFY(Needle(QStringLiteral("É"), true).lineMatches(QByteArrayView("CAFÉ")));
        QVERIFY(!Needle(QStringLiteral("é"), true).lineMatches(QByteArrayView("CAFÉ")));
    }

    void oddCriteriaAndLines()
    {
        const Needle empty(QString(), false);
        QVERIFY(empty.lineMatches(QByteArrayView("x")));
        QVERIFY(!empty.lineMatches(QByteArrayView("")));
        const QByteArray blankLines = "\r\n\r\nx";
        QCOMPARE(empty.findExact(blankLines.cbegin(), blankLines.cend()) - blankLines.cbegin(), 4);

        const Needle lineBreak(QStringLiteral("a\nb"), true);
        QVERIFY(lineBreak.impossible());
        QVERIFY(!found(lineBreak, QByteArrayView("a\nb")));

        // Bytes that are not UTF-8, and NULs, are text like any other.
        const QByteArray binary("\xff\xfe\x00zip\x00\x80", 8);
        QVERIFY(found(Needle(QStringLiteral("ZIP"), false), binary));
        QVERIFY(Needle(QStringLiteral("ZIP"), false).lineMatches(binary));
        QVERIFY(!Needle(QStringLiteral("é"), false).lineMatches(binary));
    }

    // Bytes that are not UTF-8 have no letter case: criteria naming them find those very bytes
    // with or without a letter before them, and U+FFFD, as names show such a byte, finds any one.
    void bytesThatAreNotUtf8HaveNoCase()
    {
        const QList<QByteArray> lines = {"Xname\xff.txt", "Aname\xfe.txt", "aname\xef\xbf\xbd.txt",
                                         "NAME\xfe\xfe.TXT", "name\xc3\xa9.txt", "\xf0\x90\x82\xbf"};
        const QList<std::pair<QString, QList<bool>>> cases = {
            {decodeFileName("name\xff"), {true, false, false, false, false, false}},
            {decodeFileName("Aname\xff"), {false, false, false, false, false, false}},
            {decodeFileName("\xbf"), {false, false, false, false, false, false}},
            {QStringLiteral("NAME\uFFFD.txt"), {true, true, true, false, false, false}},
            {QStringLiteral("\uFFFD\uFFFD"), {false, false, false, true, false, false}},
        };
        for (const auto &[criteria, expected] : cases) {
            const Needle needle(criteria, false);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                QCOMPARE(needle.lineMatches(lines[i]), expected[i]);
                QCOMPARE(testing::referenceHolds(lines[i], criteria, false), expected[i]);
            }
        }
        // Case-sensitive criteria are bytes: there U+FFFD is the bytes of U+FFFD.
        QVERIFY(!Needle(QStringLiteral("name\uFFFD"), true).lineMatches(QByteArrayView("name\xfe")));
    }
};

QTEST_GUILESS_MAIN(TestNeedle)
#include "test_needle.moc"
