#include "search/result_order.h"
#include "search/text_order.h"

#include <QCollator>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <numeric>

using namespace kestrova;

class TestResultOrder : public QObject
{
    Q_OBJECT

private slots:
    void sortsByColumnTextIgnoringCaseAndKeepsArrivalOrder()
    {
        ResultTable table;
        table.append({"/b", "Text", "15/12/2003", "one"});
        table.append({"/A", "text", "02/01/2004", "two"});
        table.append({"/a", "TEXT", "01/01/2004", "three"});
        table.append({"/C", "Image", "02/01/2004", "four"});
        auto catalogues = [&] {
            QStringList result;
            for (qsizetype i = 0; i < table.size(); ++i)
                result << table.string(i, 3);
            return result;
        };
        table.sortBy(0);
        QCOMPARE(catalogues(), (QStringList{"two", "three", "one", "four"}));
        table.sortBy(1); // equal types keep the order they had
        QCOMPARE(catalogues(), (QStringList{"four", "two", "three", "one"}));
        table.sortBy(2); // dates sort as text: 02/01/2004 before 15/12/2003
        QCOMPARE(catalogues(), (QStringList{"three", "four", "two", "one"}));
        table.sortBy(2); // the same column again keeps ascending order
        QCOMPARE(catalogues(), (QStringList{"three", "four", "two", "one"}));
        QCOMPARE(table.string(0, 0), QStringLiteral("/a"));
    }

    void foldsNonAsciiCaseAndKeepsEmptyTexts()
    {
        ResultTable table;
        table.append({"/Éa", "", "", "x"});
        table.append({"/éB", "t", "", "y"});
        table.append({"/EZ", "t", "", "z"});
        table.sortBy(0);
        QCOMPARE(table.string(0, 3), QStringLiteral("z")); // E before É
        QCOMPARE(table.string(1, 3), QStringLiteral("x"));
        QCOMPARE(table.string(2, 3), QStringLiteral("y"));
        QCOMPARE(table.text(1, 1), QByteArrayView(""));
        table.clear();
        QVERIFY(table.isEmpty());
    }

    void namesSortAsTheLocaleCollatesThem()
    {
        ResultTable table;
        for (const char *path : {"/src", "/\xc3\x84rzte", "/zebra", "/apfel", "/\xc3\xa4rger"})
            table.append({path, "t", "", ""});
        table.sortBy(0, ResultTable::Order::Collated, QLocale(QStringLiteral("de_DE")));
        QStringList paths;
        for (qsizetype i = 0; i < table.size(); ++i)
            paths << table.string(i, 0);
        QCOMPARE(paths, (QStringList{"/apfel", "/\u00e4rger", "/\u00c4rzte", "/src", "/zebra"}));
    }

    // Enough rows for the collated sort to work in buckets, and texts that are equal without
    // regard to case: every order must be the one a plain stable sort gives, column after column.
    void manyRowsSortAsAPlainStableSortWould()
    {
        const QLocale locale(QStringLiteral("de_DE"));
        QCollator collator(locale);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        const QStringList words{"\u00c4pfel", "apfel", "Zebra", "zebra", "\u00e9clair", "Eclair", "stra\u00dfe",
                                "STRASSE", "\u03a9", "10", "9"};
        ResultTable table;
        std::vector<QStringList> rows; // path, type, catalogue
        for (int i = 0; i < 20000; ++i) {
            const QString path = '/' + words[(i * 7) % words.size()] + '/' + QString::number((i * 7919) % 1009);
            rows.push_back({path, words[i % words.size()], QString::number(i)});
            table.append({path.toUtf8(), rows.back()[1].toUtf8(), "", rows.back()[2].toUtf8()});
        }
        const auto check = [&](int column, ResultTable::Order order, const QLocale &in) {
            std::stable_sort(rows.begin(), rows.end(), [&](const QStringList &a, const QStringList &b) {
                const int field = column == 0 ? 0 : 1;
                if (order == ResultTable::Order::Text)
                    return a[field].toCaseFolded() < b[field].toCaseFolded();
                return collator.compare(a[field], b[field]) < 0;
            });
            table.sortBy(column, order, in);
            for (qsizetype i = 0; i < table.size(); ++i) {
                if (table.string(i, 3) != rows[size_t(i)][2] || table.string(i, 1) != rows[size_t(i)][1])
                    QFAIL(qPrintable(QStringLiteral("column %1: row %2 differs").arg(column).arg(i)));
            }
        };
        check(0, ResultTable::Order::Collated, locale);
        check(1, ResultTable::Order::Collated, locale);
        check(0, ResultTable::Order::Text, locale);
        check(1, ResultTable::Order::Text, locale);
        check(0, ResultTable::Order::Collated, locale);
    }

    // Keys that share beginnings of every length, end inside or at the edge of eight bytes, and
    // hold the bytes around the capitals and NUL: the order is that of their bytes, capitals
    // as small letters, a key before its extensions, equal keys as they came.
    void foldedOrderIsThatOfTheBytes()
    {
        const QByteArray alphabet("aAzZ@[`{/\0", 11);
        std::vector<QByteArray> keys;
        quint32 state = 12345;
        const auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
        for (int i = 0; i < 40000; ++i) { // enough for a second core to sort a part
            // Most keys begin as an earlier one does, cut anywhere in its first 24 bytes.
            QByteArray key;
            if (i > 0 && next() % 3)
                key = keys[next() % keys.size()].left(qsizetype(next() % 24));
            for (quint32 extra = next() % 12; extra > 0; --extra)
                key += alphabet[qsizetype(next() % alphabet.size())];
            keys.push_back(key);
        }
        std::vector<QByteArray> lowered;
        for (const QByteArray &key : keys)
            lowered.push_back(key.toLower());
        std::vector<quint32> expected(keys.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](quint32 a, quint32 b) { return lowered[a] < lowered[b]; });
        const std::vector<quint32> order =
            text_order::folded(quint32(keys.size()), [&](quint32 i) { return QByteArrayView(keys[i]); });
        QCOMPARE(order, expected);
    }

    void equalTextsNeedNoKeys()
    {
        // A list of one path many times over: every text equal to a bucket's bound goes to that
        // bound's own bucket, which keeps the order of arrival without a key made for each.
        constexpr quint32 kCount = 50000;
        std::atomic<quint64> asked = 0;
        const QByteArray path = "/media/usb/Photos/same name.jpg";
        std::vector<quint8> same;
        const std::vector<quint32> order = text_order::collated(kCount, [&](quint32) {
            ++asked;
            return QByteArrayView(path);
        }, QLocale(QStringLiteral("en_US")), &same);
        QVERIFY(std::is_sorted(order.begin(), order.end()));
        QCOMPARE(std::count(same.begin(), same.end(), 1), qsizetype(kCount - 1));
        QVERIFY2(asked < kCount * 3 / 2, qPrintable(QString::number(asked))); // read to bucket it, not again for a key
    }

    void sizesAndTimesSortUnknownFirstAndTheirTextsGoWithThem()
    {
        ResultTable table;
        const qint64 sizes[] = {30, -1, 10, 30, -1, 20};
        const qint64 times[] = {5, 0, 9, 1, 0, 9};
        for (int i = 0; i < 6; ++i)
            table.append({"/" + QByteArray::number(i), "t", "", QByteArray::number(i), sizes[i], times[i]});
        const auto catalogues = [&] {
            QString result;
            for (qsizetype i = 0; i < table.size(); ++i)
                result += table.string(i, 3);
            return result;
        };
        table.sortBy(ResultTable::kSizeColumn);
        QCOMPARE(catalogues(), QStringLiteral("142503"));
        QCOMPARE(table.size(4), qint64(30));
        QCOMPARE(table.modifiedNs(4), qint64(5));
        table.sortBy(ResultTable::kModifiedColumn); // equal times keep the order by size
        QCOMPARE(catalogues(), QStringLiteral("143025"));
        QCOMPARE(table.string(5, 0), QStringLiteral("/5"));
    }

    // The comparison keeps its paths in the second column.
    void aPathInAnotherColumnKeepsEveryText()
    {
        ResultTable table(1);
        table.append({"added", "/b", "T;1", "U;2"});
        table.append({"removed", "/A", "", "V;3"});
        table.sortBy(1, ResultTable::Order::Text);
        QCOMPARE(table.string(0, 0), QStringLiteral("removed"));
        QCOMPARE(table.string(0, 1), QStringLiteral("/A"));
        QCOMPARE(table.string(0, 3), QStringLiteral("V;3"));
        QCOMPARE(table.string(1, 2), QStringLiteral("T;1"));
        table.sortBy(0);
        QCOMPARE(table.string(0, 1), QStringLiteral("/b"));
    }
};

QTEST_GUILESS_MAIN(TestResultOrder)
#include "test_result_order.moc"
