#include "platform/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void endsEveryLineWithCrLfAndKeepsLongLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        const QByteArray huge(600 * 1024, 'x');
        {
            TextFileWriter out(path, TextFileWriter::Mode::Truncate);
            out.writeLine("first");
            out.writeLine("");
            out.writeLine(huge);
            out.writeLine("last");
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "first\r\n\r\n" + huge + "\r\nlast\r\n");
    }

    void truncatesOrAppends()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        TextFileWriter(path, TextFileWriter::Mode::Truncate).writeLine("one");
        TextFileWriter(path, TextFileWriter::Mode::Append).writeLine("two");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("one\r\ntwo\r\n"));
        TextFileWriter(path, TextFileWriter::Mode::Truncate).writeLine("three");
        file.seek(0);
        QCOMPARE(file.readAll(), QByteArray("three\r\n"));
    }

    void flushAllOpenKeepsWhatWasWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        TextFileWriter out(path, TextFileWriter::Mode::Truncate);
        out.writeLine("kept");
        TextFileWriter::flushAllOpen();
        QVERIFY(!out.isOpen());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("kept\r\n"));
    }

    void reportsFailuresWithNumbers()
    {
        QTemporaryDir dir;
        try {
            TextFileWriter out(dir.filePath(QStringLiteral("missing/out.txt")), TextFileWriter::Mode::Truncate);
            QFAIL("opened a file in a missing folder");
        } catch (const Error &error) {
            QCOMPARE(error.numberStyle(), QStringLiteral("76  Path not found"));
        }
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        TextFileWriter full(QStringLiteral("/dev/full"), TextFileWriter::Mode::Truncate);
        full.writeLine("no room");
        try {
            full.close();
            QFAIL("a full device took the line");
        } catch (const Error &error) {
            QCOMPARE(error.numberStyle(), QStringLiteral("61  Disk full"));
        }
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
