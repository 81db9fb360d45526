// kestrova-cli ls and du: a catalogue's folders listed and totalled in every output form.
#include "cli_common.h"
#include "support/cli_run.h"
#include "support/files.h"
#include "support/temporary_cache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace kestrova;

namespace {

using Run = testing::CliRun;
using testing::runCli;

// A tree with a.txt (10 bytes) and sub/b.jpg (1536) and sub/deeper/c (123456), each last
// modified at 2020-09-13T12:26:40Z, catalogued as drive.txt (with facts) and bare.txt (without).
struct Catalogued
{
    Catalogued()
    {
        const QDir root(tree.path());
        QVERIFY(root.mkpath(QStringLiteral("sub/deeper")));
        for (const auto &[name, size] : {std::pair{"a.txt", 10}, std::pair{"sub/b.jpg", 1536}, std::pair{"sub/deeper/c", 123456}}) {
            const QString path = root.filePath(QString::fromUtf8(name));
            QVERIFY(testing::writeAll(path, QByteArray(size, 'x')));
            const timespec times[2] = {{1'600'000'000, 0}, {1'600'000'000, 0}};
            QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        }
        QCOMPARE(runCli({QStringLiteral("generate"), tree.path(), catalogue}).status, cli::Exit::Ok);
        QCOMPARE(runCli({QStringLiteral("generate"), QStringLiteral("--no-facts"), tree.path(), bare}).status, cli::Exit::Ok);
    }
    QTemporaryDir tree, cats;
    QString catalogue = cats.filePath(QStringLiteral("drive.txt"));
    QString bare = cats.filePath(QStringLiteral("bare.txt"));
};

} // namespace

class TestCliTree : public QObject
{
    Q_OBJECT

private slots:
    void lsListsFoldersThenFilesInEveryForm()
    {
        Catalogued c;
        const QString root = c.tree.path();
        const Run plain = runCli({QStringLiteral("ls"), c.catalogue});
        QCOMPARE(plain.status, cli::Exit::Ok);
        QCOMPARE(plain.out, QStringLiteral("sub\na.txt\n"));
        const Run sub = runCli({QStringLiteral("ls"), c.catalogue, root + QStringLiteral("/sub/"), QStringLiteral("--long")});
        const QStringList lines = sub.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("deeper\tFolder\t\t123456\t"));
        QVERIFY2(lines[1].startsWith(QStringLiteral("b.jpg\t")) && !lines[1].section(u'\t', 1, 1).isEmpty(), qPrintable(lines[1]));
        QVERIFY(lines[1].endsWith(QStringLiteral("\t1536\t2020-09-13T12:26:40Z")));
        const Run csv = runCli({QStringLiteral("ls"), c.catalogue, QStringLiteral("--format"), QStringLiteral("csv")});
        QVERIFY2(csv.out.startsWith(QStringLiteral("name,path,type,created,size,modified\r\nsub,") + root + QStringLiteral("/sub,Folder,,124992,\r\n")),
                 qPrintable(csv.out));
        const Run json = runCli({QStringLiteral("ls"), c.bare, QStringLiteral("--format"), QStringLiteral("json")});
        const QJsonObject file = QJsonDocument::fromJson(json.out.split(u'\n').value(1).toUtf8()).object();
        QCOMPARE(file.value(QStringLiteral("name")).toString(), QStringLiteral("a.txt"));
        QCOMPARE(file.value(QStringLiteral("path")).toString(), root + QStringLiteral("/a.txt"));
        QVERIFY(!file.value(QStringLiteral("created")).toString().isEmpty());
        // Without facts a size is not known: null, never 0.
        QVERIFY(file.value(QStringLiteral("size")).isNull());
        QVERIFY(file.value(QStringLiteral("modified")).isNull());
        const Run missing = runCli({QStringLiteral("ls"), c.catalogue, QStringLiteral("/no/such")});
        QCOMPARE(missing.status, cli::Exit::Failed);
        QVERIFY2(missing.err.contains(QStringLiteral("holds no folder /no/such")), qPrintable(missing.err));
        QCOMPARE(runCli({QStringLiteral("ls"), c.cats.filePath(QStringLiteral("none.txt"))}).status, cli::Exit::Failed);
        QCOMPARE(runCli({QStringLiteral("ls"), c.catalogue, QStringLiteral("/"), QStringLiteral("extra")}).status, cli::Exit::Failed);
    }

    void duTotalsLargestFirstInEveryForm()
    {
        Catalogued c;
        const QString root = c.tree.path();
        const Run deep = runCli({QStringLiteral("du"), c.catalogue, QStringLiteral("--depth"), QStringLiteral("2")});
        QCOMPARE(deep.status, cli::Exit::Ok);
        QCOMPARE(deep.out, QStringLiteral("124992\t2\t0\t%1/sub\n123456\t1\t0\t%1/sub/deeper\n125002\t3\t0\t%1\n").arg(root));
        QCOMPARE(runCli({QStringLiteral("du"), c.catalogue, QStringLiteral("-h")}).out,
                 QStringLiteral("123K\t2\t0\t%1/sub\n123K\t3\t0\t%1\n").arg(root));
        QCOMPARE(runCli({QStringLiteral("du"), c.catalogue, root + QStringLiteral("/sub/deeper"), QStringLiteral("--depth"),
                         QStringLiteral("0"), QStringLiteral("--format"), QStringLiteral("csv")}).out,
                 QStringLiteral("size,files,unknown,path\r\n123456,1,0,%1/sub/deeper\r\n").arg(root));
        const Run json = runCli({QStringLiteral("du"), c.bare, QStringLiteral("--format"), QStringLiteral("json")});
        const QJsonObject total = QJsonDocument::fromJson(json.out.split(u'\n').value(1).toUtf8()).object();
        QCOMPARE(total.value(QStringLiteral("path")).toString(), root);
        QVERIFY(total.value(QStringLiteral("size")).isNull());
        QCOMPARE(total.value(QStringLiteral("files")).toInt(), 3);
        QCOMPARE(total.value(QStringLiteral("unknown")).toInt(), 3);
        QCOMPARE(runCli({QStringLiteral("du"), c.catalogue, QStringLiteral("--depth"), QStringLiteral("-1")}).status, cli::Exit::Failed);
    }

    // After a first reading, ls and du answer from the folder table beside the index: the same
    // output, and a table that is damaged, another catalogue's or older than the catalogue is
    // never taken for it.
    void lsAndDuThroughTheFolderTable()
    {
        Catalogued c;
        const QString sub = c.tree.path() + QStringLiteral("/sub");
        const QList<QStringList> commands{{QStringLiteral("ls"), c.catalogue, sub, QStringLiteral("--format"), QStringLiteral("json")},
                                          {QStringLiteral("ls"), c.catalogue, QStringLiteral("--long")},
                                          {QStringLiteral("du"), c.catalogue, QStringLiteral("--depth"), QStringLiteral("3")}};
        QStringList whole;
        for (const QStringList &command : commands)
            whole << runCli(command).out;
        // Named as the catalogue's index is, ".folders" for ".index".
        const auto tableOf = [&](const QString &catalogue) {
            return m_cache.path() + QStringLiteral("/kestrova/")
                   + QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(catalogue), QCryptographicHash::Sha1).toHex())
                   + QStringLiteral(".folders");
        };
        const QString table = tableOf(c.catalogue);
        QVERIFY(QFile::exists(table));
        QCOMPARE(QFileInfo(table).permissions() & 0x0077, QFileDevice::Permissions());
        const auto same = [&] {
            for (qsizetype i = 0; i < commands.size(); ++i)
                QCOMPARE(runCli(commands[i]).out, whole[i]);
        };
        same();
        // Damaged: a byte changed in its folders.
        QByteArray bytes = testing::readAll(table);
        bytes[bytes.size() - 20] = char(bytes[bytes.size() - 20] ^ 0x55);
        QVERIFY(testing::writeAll(table, bytes));
        same();
        // Another catalogue's table in its place (the bare catalogue's files have no sizes).
        QCOMPARE(runCli({QStringLiteral("ls"), c.bare}).status, cli::Exit::Ok);
        const QString other = tableOf(c.bare);
        QVERIFY(QFile::remove(table) && QFile::copy(other, table));
        same();
        // The catalogue written again over a changed tree.
        QVERIFY(testing::writeAll(sub + QStringLiteral("/new.txt"), "12345"));
        QCOMPARE(runCli({QStringLiteral("generate"), c.tree.path(), c.catalogue}).status, cli::Exit::Ok);
        QCOMPARE(runCli(commands[0]).out.count(QStringLiteral("new.txt")), 2); // its name and its path
    }

    // The entries before any heading are the folder "(before any folder)", as the window shows them.
    void entriesBeforeAnyHeadingAreReached()
    {
        QTemporaryDir cats;
        const QString catalogue = cats.filePath(QStringLiteral("odd.txt"));
        const QByteArray rule = "============================================\r\n";
        QVERIFY(testing::writeAll(catalogue, "CATALOGUE Date: x\r\nloose;T;1\r\n" + rule + "Folder  /d\r\n" + rule + "a;T;1\r\n"));
        for (int reading = 0; reading < 2; ++reading) { // whole, then through the table
            QCOMPARE(runCli({QStringLiteral("ls"), catalogue, QStringLiteral("(before any folder)")}).out, QStringLiteral("loose\n"));
            QCOMPARE(runCli({QStringLiteral("du"), catalogue, QStringLiteral("(before any folder)")}).out,
                     QStringLiteral("\t1\t1\t(before any folder)\n"));
            QCOMPARE(runCli({QStringLiteral("ls"), catalogue}).out, QStringLiteral("a\n"));
        }
    }

private:
    testing::TemporaryCacheHome m_cache; // generate keeps its indexes here
};

QTEST_GUILESS_MAIN(TestCliTree)
#include "test_cli_tree.moc"
