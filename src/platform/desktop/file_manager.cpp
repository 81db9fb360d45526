#include "file_manager.h"

#include "platform/files/file_names.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>

namespace kestrova {

bool DBusFileManager::showItem(const QString &path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    // A file manager may be running, or be started by the bus when asked.
    QDBusConnectionInterface *names = bus.interface();
    if (!names || (!names->isServiceRegistered(service).value()
                   && !names->activatableServiceNames().value().contains(service)))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                                       service, QStringLiteral("ShowItems"));
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    call << QStringList{QString::fromLatin1(fileUrl(absolute))} << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace kestrova
