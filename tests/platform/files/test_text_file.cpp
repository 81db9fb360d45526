#include "platform/files/file_system.h"
#include "platform/files/text_file.h"

#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>

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
        {
            const QString path = dir.filePath(QStringLiteral("limited.txt"));
            const testing::FileSizeLimit limit(4);
            TextFileWriter limited(path, TextFileWriter::Mode::Truncate);
            limited.writeLine("no room");
            try {
                limited.close();
                QFAIL("a file past its size limit took the line");
            } catch (const Error &error) {
                QCOMPARE(error.number(), ErrorNumber::SystemBase + EFBIG);
            }
        }
    }

    void readsAFileUpToTheSizeItHadWhenOpened()
    {
        // A file that grows while it is read (a log, a catalogue being written) still ends.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("growing.txt"));
        QVERIFY(testing::writeAll(path, QByteArray(1000, 'a')));
        FileReader reader(QFile::encodeName(path));
        QFile more(path);
        QVERIFY(more.open(QIODevice::Append));
        more.write(QByteArray(5000, 'b'));
        more.flush();
        char buffer[8192];
        qsizetype total = 0;
        while (const qsizetype got = reader.read(buffer, sizeof buffer))
            total += got;
        QCOMPARE(total, qsizetype(1000));
    }

    // Nanoseconds in 64 bits end in 2262: a file of 2400 is not taken for one of 1815.
    void timesBeyondWhatNanosecondsHoldAreNotWrapped()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("future.txt"));
        QVERIFY(testing::writeAll(path, "x"));
        const timespec times[2] = {{13'569'465'600, 0}, {13'569'465'600, 0}};
        QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        struct stat info;
        QCOMPARE(stat(QFile::encodeName(path).constData(), &info), 0);
        if (info.st_mtim.tv_sec < 9'300'000'000)
            QSKIP("this file system cannot keep a time past 2262");
        QCOMPARE(FileReader(QFile::encodeName(path)).identityAtOpening().modifiedNs, std::numeric_limits<qint64>::max());
        QCOMPARE(fileTimeNs(-13'569'465'600, 0), std::numeric_limits<qint64>::min());
    }

    void refusesTargetsThatAreNotRegularFiles()
    {
        // Opening a pipe for writing waits for a reader that never comes; a device is no
        // catalogue. Both are refused at once and never written.
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("fifo.txt")));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        for (const QString &target : {QFile::decodeName(fifo), QStringLiteral("/dev/full")}) {
            try {
                TextFileWriter writer(target, TextFileWriter::Mode::Truncate);
                QFAIL(qPrintable(target + QStringLiteral(" was opened for writing")));
            } catch (const Error &error) {
                QCOMPARE(error.numberStyle(), QStringLiteral("75  Not a regular file"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
