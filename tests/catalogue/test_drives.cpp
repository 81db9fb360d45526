// The drives of a folder of catalogues: a drive's catalogues together, newest first, with how
// many older ones it has; the file total only from the closing lines.
#include "catalogue/catalogue_facts.h"
#include "catalogue/content_checksum.h"
#include "catalogue/drives.h"
#include "platform/files/posix_file_system.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;

class TestDrives : public QObject
{
    Q_OBJECT

private slots:
    void aDrivesCataloguesGoTogetherNewestFirst()
    {
        QTemporaryDir cats;
        const QByteArray head =
            "CATALOGUE Date: 1/1/2026\r\n============================================\r\n"
            "============================================\r\nFolder  ";
        const QByteArray rule = "\r\n============================================\r\n";
        const QByteArray end =
            "\r\n\r\n=============== END OF CATALOGUE =============================\r\n";
        const auto write = [&](const char *name, const QByteArray &text, const QString &uuid = {},
                               int month = 0) {
            const QString path = cats.filePath(QString::fromLatin1(name));
            QVERIFY(testing::writeAll(path, text));
            if (uuid.isEmpty())
                return;
            RunFacts run;
            run.uuid = uuid;
            run.started = QDateTime(QDate(2026, month, 1), QTime(9, 0), Qt::UTC);
            FactsWriter facts(path, run);
            ContentChecksum sum;
            sum.add(text.constData(), text.size());
            QVERIFY(facts.finish(text.size(), sum.value()));
        };
        // One drive by its UUID, mounted elsewhere the second time; the older first in the folder.
        write("a-first.txt", head + "/media/a" + rule + end + "TOTAL FILES SCANNED: 0\r\n",
              QStringLiteral("ABCD-1"), 1);
        write("a-second.txt", head + "/run/media/a" + rule + end + "TOTAL FILES SCANNED: 0\r\n",
              QStringLiteral("abcd-1"), 2);
        // Without facts, of drive A by its root, and the newest (written now).
        write("a-bare.txt", head + "/run/media/a" + rule + end + "TOTAL FILES SCANNED: 2\r\n");
        // Cut short: a file named like the totals is no total; nor is a count past 63 bits.
        write("b.txt", head + "/b" + rule + "TOTAL FILES SCANNED: 7;File;1/1/2020\r\n");
        write("c.txt", head + "/c" + rule + end + "TOTAL FILES SCANNED: 1e300\r\n");
        PosixFileSystem fs;
        QStringList rows;
        for (const DriveRow &row : drivesOf(fs, cats.path(), {}))
            rows << QStringLiteral("%1 drive %2 older %3 files %4")
                        .arg(row.catalogue)
                        .arg(row.drive)
                        .arg(row.older)
                        .arg(row.files);
        QCOMPARE(rows, QStringList({QStringLiteral("a-bare.txt drive 0 older 2 files 2"),
                                    QStringLiteral("a-second.txt drive 0 older -1 files 0"),
                                    QStringLiteral("a-first.txt drive 0 older -1 files 0"),
                                    QStringLiteral("b.txt drive 1 older 0 files -1"),
                                    QStringLiteral("c.txt drive 2 older 0 files -1")}));
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "test_drives.moc"
