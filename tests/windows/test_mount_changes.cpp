#include "support/window_services.h"
#include "windows/drive_folder_lists.h"
#include "windows/main_window.h"
#include "windows/search_window.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrova;
using testing::WindowServices;

namespace {

Volume usbDrive(const QString &root)
{
    return Volume{root, QStringLiteral("PHOTOS-USB"), QStringLiteral("/dev/sdb1"), QStringLiteral("vfat"), true};
}

QStringList shownDrives(const DriveList &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

} // namespace

class TestMountChanges : public QObject
{
    Q_OBJECT

private slots:
    // A drive unplugged leaves the main window's and the search window's lists; a folder on it
    // gives way to the drive shown now. A drive plugged in joins them, the choice kept.
    void driveListsFollowTheMountTable()
    {
        WindowServices env;
        QTemporaryDir usb;
        QVERIFY(QDir(usb.path()).mkpath(QStringLiteral("2024/holiday")));
        const QString holiday = usb.filePath(QStringLiteral("2024/holiday"));
        env.drives << usbDrive(usb.path());
        MainWindow main(env.services);
        main.Form_Load();
        main.Dir1->setPath(holiday);
        main.Drive1->setDrives(env.drives, holiday);
        SearchWindow search(env.services);
        search.Form_Load();
        search.Dir1->setPath(holiday);
        search.Drive1->setDrives(env.drives, holiday);
        QCOMPARE(main.Drive1->currentText(), usb.path() + QStringLiteral(" [PHOTOS-USB]"));

        env.drives.removeLast();
        env.mounts.change();
        for (const auto &[drives, folders] : {std::pair{main.Drive1, main.Dir1}, std::pair{search.Drive1, search.Dir1}}) {
            QCOMPARE(shownDrives(*drives), QStringList{QStringLiteral("/")});
            QCOMPARE(folders->path(), QStringLiteral("/"));
        }
        QCOMPARE(main.lblFolder->text(), QStringLiteral("/"));
        QCOMPARE(env.paths.CurrentPath, QStringLiteral("/"));

        env.drives << usbDrive(usb.path());
        env.mounts.change();
        QCOMPARE(shownDrives(*main.Drive1), (QStringList{QStringLiteral("/"), usb.path() + QStringLiteral(" [PHOTOS-USB]")}));
        QCOMPARE(main.Drive1->currentText(), QStringLiteral("/"));
        QCOMPARE(main.Dir1->path(), QStringLiteral("/"));
    }
};

QTEST_MAIN(TestMountChanges)
#include "test_mount_changes.moc"
