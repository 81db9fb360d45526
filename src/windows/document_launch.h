// Opening a document with the application the desktop associates with it, and a failed
// launch in words: what View Catalogue, Run and the hit actions share.
#pragma once

#include "platform/desktop/launcher.h"
#include "platform/desktop/message_service.h"

namespace kestrova {

// Opens DocName with its associated application, started in workingFolder, without waiting
// for it. Gives the launch result as far as it is known at once; a failure the launcher
// reports later goes to lateFailure. When the launcher itself fails, reports that in number
// style and gives 0.
int StartDoc(DocumentLauncher &launcher, MessageService &messages, const QString &DocName,
             const QString &workingFolder, std::function<void(int result)> lateFailure = {});

// A launch result of 32 or below in words: as the main window says it (View Catalogue), and as
// the Run/Copy path window says it, before its full stop.
QString launchFailureMessage(int result);
QString runFailureText(int result);

} // namespace kestrova
