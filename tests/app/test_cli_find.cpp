// kestrova-cli find: its rows as search writes them, with and without the indexes, its options
// and its exit statuses.
#include "cli_common.h"
#include "support/cli_run.h"
#include "support/files.h"
#include "support/temporary_cache.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;

namespace {

using Run = testing::CliRun;
using testing::runCli;

} // namespace

class TestCliFind : public QObject
{
    Q_OBJECT

private slots:
    void printsWhatSearchPrints();
    void optionsAndExitStatuses();

private:
    testing::TemporaryCacheHome m_cache;
};

void TestCliFind::printsWhatSearchPrints()
{
    QTemporaryDir dir;
    // Large enough to be indexed: 20,000 files in 2,000 folders.
    QByteArray big = "CATALOGUE Date: 12/6/2026\r\n";
    for (int folder = 0; folder < 2000; ++folder) {
        big += QByteArray(44, '=') + "\r\nFolder  /media/d/f" + QByteArray::number(folder) +
               "\r\n" + QByteArray(44, '=') + "\r\n";
        for (int file = 0; file < 10; ++file)
            big += "name" + QByteArray::number(folder * 10 + file) + (file % 2 ? ".txt" : ".jpg") +
                   ";Text Document;1/1/2020\r\n";
    }
    QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("big.txt")), big));
    QVERIFY(testing::writeAll(dir.filePath(QStringLiteral("small.txt")),
                              "name12345.txt;Text Document;2/1/2020\r\n"));
    const QString folder = dir.path();
    QCOMPARE(runCli({QStringLiteral("index"), folder}).status, cli::Exit::Ok);
    for (const QString &index : {QStringLiteral("--no-index"), QStringLiteral("--jobs=1")}) {
        const Run search =
            runCli({QStringLiteral("search"), folder, QStringLiteral("name12345."), index});
        const Run find =
            runCli({QStringLiteral("find"), folder, QStringLiteral("name12345."), index});
        QCOMPARE(find.status, cli::Exit::Ok);
        QCOMPARE(find.out, search.out);
        QCOMPARE(find.out.count(u'\n'), 2);
        QCOMPARE(find.err, QStringLiteral("matched: 2\n"));
        for (const QString &format : {QStringLiteral("csv"), QStringLiteral("json")}) {
            QCOMPARE(runCli({QStringLiteral("find"), folder, QStringLiteral("name12345."),
                             QStringLiteral("--format"), format, index})
                         .out,
                     runCli({QStringLiteral("search"), folder, QStringLiteral("name12345."),
                             QStringLiteral("--format"), format, index})
                         .out);
        }
        // Fields and words together; the words of the query are joined with blanks.
        const Run fields =
            runCli({QStringLiteral("find"), folder, QStringLiteral("name1234?.*"),
                    QStringLiteral("ext:jpg"), QStringLiteral("!drive:small"), index});
        QCOMPARE(fields.out.count(u'\n'), 5);
        QVERIFY(fields.out.contains(
            QStringLiteral("/media/d/f1234/name12348.jpg\tText Document\t1/1/2020\tbig.txt\n")));
        QVERIFY(!fields.out.contains(QStringLiteral(".txt\t")));
    }
}

void TestCliFind::optionsAndExitStatuses()
{
    QTemporaryDir dir;
    QVERIFY(testing::writeAll(
        dir.filePath(QStringLiteral("a.txt")),
        "Folder  /x\r\nb.txt;Text Document;1/1/2020\r\nA.txt;Text Document;1/2/2020\r\n"
        "c.bin;Binary;1/3/2020\r\n"));
    const QString folder = dir.path();
    const Run sorted = runCli({QStringLiteral("find"), folder, QStringLiteral("ext:txt;bin"),
                               QStringLiteral("--sort"), QStringLiteral("type"),
                               QStringLiteral("--limit"), QStringLiteral("2")});
    QCOMPARE(sorted.status, cli::Exit::Ok);
    QCOMPARE(sorted.out,
             QStringLiteral(
                 "/c.bin\tBinary\t1/3/2020\ta.txt\n/b.txt\tText Document\t1/1/2020\ta.txt\n"));
    QCOMPARE(
        runCli({QStringLiteral("find"), folder, QStringLiteral("*.txt"), QStringLiteral("--count")})
            .out,
        QStringLiteral("2\n"));
    // Without an order the hits come as the lines hold them; the limit takes the first found.
    const Run found = runCli({QStringLiteral("find"), folder, QStringLiteral("ext:txt;bin"),
                              QStringLiteral("--sort"), QStringLiteral("none"),
                              QStringLiteral("--limit"), QStringLiteral("2")});
    QCOMPARE(found.status, cli::Exit::Ok);
    QCOMPARE(found.out, QStringLiteral("/b.txt\tText Document\t1/1/2020\ta.txt\n"
                                       "/A.txt\tText Document\t1/2/2020\ta.txt\n"));
    QCOMPARE(found.err, QStringLiteral("matched: 3\n"));
    QCOMPARE(runCli({QStringLiteral("find"), folder, QStringLiteral("*.t?t"),
                     QStringLiteral("--sort"), QStringLiteral("none"), QStringLiteral("--count"),
                     QStringLiteral("--limit"), QStringLiteral("1")})
                 .out,
             QStringLiteral("1\n"));
    QCOMPARE(runCli({QStringLiteral("find"), folder, QStringLiteral("a.txt"),
                     QStringLiteral("--case-sensitive")})
                 .out.count(u'\n'),
             0);

    const Run none = runCli({QStringLiteral("find"), folder, QStringLiteral("zzz")});
    QCOMPARE(none.status, cli::Exit::Partial);
    QCOMPARE(none.err, QStringLiteral("matched: 0\n"));
    const Run wrong =
        runCli({QStringLiteral("find"), folder, QStringLiteral("photo"), QStringLiteral("(beach")});
    QCOMPARE(wrong.status, cli::Exit::Failed);
    QCOMPARE(wrong.err,
             QStringLiteral("kestrova-cli find: the query has \"(\" at 7 without its \")\"\n"));
    QCOMPARE(wrong.out, QString());
    QCOMPARE(runCli({QStringLiteral("find"), folder, QStringLiteral("a"), QStringLiteral("--sort"),
                     QStringLiteral("colour")})
                 .status,
             cli::Exit::Failed);
    QCOMPARE(runCli({QStringLiteral("find"), folder}).status, cli::Exit::Failed);
    // A size that reads as no finite number was once turned into a count of bytes.
    QCOMPARE(runCli({QStringLiteral("search"), folder, QStringLiteral("a"),
                     QStringLiteral("--min-size"), QStringLiteral("nan")})
                 .status,
             cli::Exit::Failed);
    QCOMPARE(runCli({QStringLiteral("find"), dir.filePath(QStringLiteral("missing")),
                     QStringLiteral("a")})
                 .status,
             cli::Exit::Failed);
}

QTEST_GUILESS_MAIN(TestCliFind)
#include "test_cli_find.moc"
