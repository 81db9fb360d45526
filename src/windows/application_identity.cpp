#include "application_identity.h"

#include <QApplication>

// The pictures' resources live in a static library: they are registered when first asked for.
static void initIconResources()
{
    Q_INIT_RESOURCE(kestrova_icons);
}

namespace kestrova {

void setApplicationIdentity()
{
    QGuiApplication::setApplicationName(QStringLiteral("kestrova"));
    QGuiApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                               .arg(KESTROVA_VERSION_MAJOR)
                                               .arg(KESTROVA_VERSION_MINOR)
                                               .arg(KESTROVA_VERSION_PATCH));
    QGuiApplication::setDesktopFileName(kDesktopFileName);
    QGuiApplication::setOrganizationName(QStringLiteral("Kestrova"));
    // Every window carries the icon, also those that set none of their own.
    QApplication::setWindowIcon(applicationIcon());
}

QIcon applicationIcon()
{
    initIconResources();
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/io.github.kestrova.Kestrova.png").arg(size), QSize(size, size));
    return icon;
}

QIcon windowPicture(const QString &name)
{
    initIconResources();
    QIcon icon;
    for (const int size : {32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/windows/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

} // namespace kestrova
