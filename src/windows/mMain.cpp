#include "mMain.h"

#include "picture_button.h"

#include <QApplication>

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

int StartDoc(DocumentLauncher &launcher, MessageService &messages, const QString &DocName,
             const QString &workingFolder, std::function<void(int result)> lateFailure)
{
    try {
        return launcher.open(DocName, workingFolder, std::move(lateFailure));
    } catch (const Error &error) {
        messages.reportNumberStyle(error);
        return 0;
    }
}

} // namespace kestrova
