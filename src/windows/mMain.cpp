#include "mMain.h"

namespace kestrova {

int StartDoc(DocumentLauncher &launcher, MessageService &messages, const QString &DocName,
             const QString &workingFolder)
{
    try {
        return launcher.open(DocName, workingFolder);
    } catch (const Error &error) {
        messages.reportNumberStyle(error);
        return 0;
    }
}

} // namespace kestrova
