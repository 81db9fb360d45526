#include "cli_common.h"

#include "catalogue/catalogue_generator.h"
#include "platform/posix_file_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList &arguments)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    cli::Io io{out, err, false};
    run.status = cli::runCli(QStringList{QStringLiteral("kestrova-cli")} + arguments, io);
    out.flush();
    err.flush();
    return run;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void generateWritesWhatTheGeneratorWrites()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("tree/sub"))));
        QFile file(dir.filePath(QStringLiteral("tree/sub/a.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        // A relative root is made absolute and cleaned; ".txt" is appended to the name.
        QDir::setCurrent(dir.path());
        const Run run = runCli({QStringLiteral("generate"), QStringLiteral("./tree/../tree/"),
                                QStringLiteral("cat")});
        QCOMPARE(run.status, cli::Exit::Ok);
        QCOMPARE(run.err, QString());
        const QByteArray written = readAll(dir.filePath(QStringLiteral("cat.txt")));

        PosixFileSystem fs;
        const DateConventions dates;
        GenerationSink sink;
        CatalogueGenerator(fs, dates).WriteCatalogue(QFile::encodeName(dir.filePath(QStringLiteral("tree"))),
                                                     dir.filePath(QStringLiteral("direct.txt")), sink);
        QCOMPARE(written, readAll(dir.filePath(QStringLiteral("direct.txt"))));
        QVERIFY(written.contains("\r\nFolder  " + QFile::encodeName(dir.filePath(QStringLiteral("tree"))) + "\r\n"));

        const Run upper = runCli({QStringLiteral("generate"), dir.filePath(QStringLiteral("tree")),
                                  dir.filePath(QStringLiteral("report.TXT"))});
        QCOMPARE(upper.status, cli::Exit::Ok);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("report.TXT.txt"))));
    }

    void missingRootGivesACompleteCatalogueAndStatusOne()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("gone"));
        const Run run = runCli({QStringLiteral("generate"), missing, dir.filePath(QStringLiteral("c.txt"))});
        QCOMPARE(run.status, cli::Exit::Partial);
        QCOMPARE(run.err, missing + QStringLiteral(": 76  Path not found\n"));
        QVERIFY(readAll(dir.filePath(QStringLiteral("c.txt")))
                    .endsWith("TOTAL FODERS SCANNED: 0\r\nTOTAL FILES SCANNED: 0\r\n"));
    }

    void badCatalogueNamesFailAndCreateNothing()
    {
        QTemporaryDir dir;
        const QString tree = dir.path();
        const Run inMissingFolder = runCli({QStringLiteral("generate"), tree,
                                            dir.filePath(QStringLiteral("nowhere/c.txt"))});
        QCOMPARE(inMissingFolder.status, cli::Exit::Failed);
        QVERIFY(inMissingFolder.err.contains(QStringLiteral("76  Path not found")));

        QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("folder.txt"))));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString &name : {QStringLiteral("folder.txt"), QStringLiteral("folder.txt/"), QString(tree + u'/')}) {
            const Run run = runCli({QStringLiteral("generate"), tree, name.startsWith(u'/') ? name : dir.filePath(name)});
            QCOMPARE(run.status, cli::Exit::Failed);
            QVERIFY(!run.err.isEmpty());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    void usageErrorsAndInformation()
    {
        QCOMPARE(runCli({}).status, cli::Exit::Failed);
        QCOMPARE(runCli({QStringLiteral("frobnicate")}).status, cli::Exit::Failed);
        QCOMPARE(runCli({QStringLiteral("generate"), QStringLiteral("/only-root")}).status, cli::Exit::Failed);
        const Run version = runCli({QStringLiteral("--version")});
        QCOMPARE(version.status, cli::Exit::Ok);
        QCOMPARE(version.out, QStringLiteral("kestrova-cli 1.2.1\n"));
        const Run help = runCli({QStringLiteral("generate"), QStringLiteral("--help")});
        QCOMPARE(help.status, cli::Exit::Ok);
        QVERIFY(help.out.contains(QStringLiteral("CATALOGUE")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
