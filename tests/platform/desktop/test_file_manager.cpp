// Show in Folder over the session bus: a file manager of our own, on a private bus that
// dbus-run-session starts for this test, receives the exact file URL. Skipped without a bus.
#include "platform/desktop/file_manager.h"

#include "platform/files/file_names.h"

#include <QDBusConnection>
#include <QMutex>
#include <QMutexLocker>
#include <QTest>
#include <QThread>

using namespace kestrova;

namespace {

class FakeFileManager1 : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList received()
    {
        const QMutexLocker lock(&m_mutex);
        return m_received;
    }

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        Q_UNUSED(startupId);
        const QMutexLocker lock(&m_mutex);
        m_received << uris;
    }

private:
    QMutex m_mutex;
    QStringList m_received;
};

} // namespace

class TestFileManager : public QObject
{
    Q_OBJECT

private slots:
    void showItemsReachesTheFileManagerOnTheBus()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus here");
        DBusFileManager fileManager;
        QVERIFY(!fileManager.showItem(QStringLiteral("/tmp/x.txt"))); // nobody offers it yet

        // The file manager answers from a thread of its own, as another program would.
        QThread thread;
        FakeFileManager1 fake;
        fake.moveToThread(&thread);
        thread.start();
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-file-manager"));
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fake, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));

        const QString odd = decodeFileName("/media/disk/caf\xe9 1.jpg");
        const bool taken = fileManager.showItem(odd);
        bus.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-file-manager"));
        thread.quit();
        thread.wait();
        fake.moveToThread(QThread::currentThread());
        QVERIFY(taken);
        QCOMPARE(fake.received(), QStringList{QStringLiteral("file:///media/disk/caf%E9%201.jpg")});
    }
};

QTEST_GUILESS_MAIN(TestFileManager)
#include "test_file_manager.moc"
