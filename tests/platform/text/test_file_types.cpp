#include "platform/text/file_types.h"

#include <QMimeDatabase>
#include <QRandomGenerator>
#include <QTest>

using namespace kestrova;

class TestFileTypes : public QObject
{
    Q_OBJECT

private slots:
    void neverEmpty()
    {
        FileTypes types;
        QCOMPARE(types.describe("report.xyzq"), QStringLiteral("XYZQ File"));
        QCOMPARE(types.describe("noextension"), QStringLiteral("File"));
        QCOMPARE(types.describe("trailingdot."), QStringLiteral("File"));
        QCOMPARE(types.describe("two.dots.qqqq"), QStringLiteral("QQQQ File"));
        QVERIFY(!types.describe("a.txt").isEmpty());
        QVERIFY(!types.describe("").isEmpty());
    }

    // The cache must not stop at the last suffix: these names share one but not their type.
    void namesSharingASuffixKeepTheirOwnTypes()
    {
        FileTypes types;
        const QMimeDatabase db;
        for (const char *name : {"notes.txt", "CMakeLists.txt", "a.gz", "archive.tar.gz", "Makefile",
                                 "makefile", "README", "README.md", "x.c", "x.C", "core", "CORE"}) {
            // Warm the cache with a neighbour first, then ask for the name itself.
            types.describe("other.txt");
            types.describe("other.gz");
            QCOMPARE(types.describe(name), types.describeByLookup(QString::fromUtf8(name)));
        }
        QVERIFY(types.describe("CMakeLists.txt") != types.describe("notes.txt"));
        QVERIFY(types.describe("archive.tar.gz") != types.describe("a.gz"));
    }

    // Thousands of varied names, each asked in an order that exercises the cache, give exactly
    // the plain database lookup.
    void fastPathMatchesThePlainLookup()
    {
        FileTypes types;
        QStringList extensions;
        const QMimeDatabase db;
        for (const QMimeType &type : db.allMimeTypes())
            for (const QString &pattern : type.globPatterns())
                extensions << pattern.mid(pattern.indexOf(u'.') + 1);
        extensions << QStringLiteral("xyzq") << QString() << QStringLiteral("TXT")
                   << QStringLiteral("Tar.Gz") << QStringLiteral("so.1") << QStringLiteral("1");
        const QStringList stems = {QStringLiteral("a"), QStringLiteral("README"), QStringLiteral("x.tar"),
                                   QStringLiteral("Makefile"), QStringLiteral(".hidden"),
                                   QStringLiteral("données"), QStringLiteral("core"),
                                   QStringLiteral("lib.so"), QStringLiteral("backup~"),
                                   QStringLiteral("CMakeLists")};
        QRandomGenerator random(20261207);
        int checked = 0;
        for (int i = 0; i < 6000; ++i) {
            const QString &stem = stems[random.bounded(qsizetype(stems.size()))];
            const QString &extension = extensions[random.bounded(qsizetype(extensions.size()))];
            QString name = extension.isEmpty() ? stem : stem + u'.' + extension;
            if (random.bounded(4) == 0)
                name = name.toUpper();
            const QString expected = types.describeByLookup(name);
            const QString actual = types.describe(name.toUtf8());
            if (actual != expected)
                QFAIL(qPrintable(QStringLiteral("%1: fast path gave \"%2\", lookup \"%3\"")
                                     .arg(name, actual, expected)));
            ++checked;
        }
        QCOMPARE(checked, 6000);
    }
};

QTEST_GUILESS_MAIN(TestFileTypes)
#include "test_file_types.moc"
