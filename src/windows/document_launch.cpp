#include "document_launch.h"

namespace kestrova {

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
