// The launcher declarations the windows share.
#pragma once

#include "platform/launcher.h"
#include "platform/message_service.h"

namespace kestrova {

// Opens DocName with its associated application, started in workingFolder. Gives the launch
// result; when the launcher itself fails, reports that in number style and gives 0.
int StartDoc(DocumentLauncher &launcher, MessageService &messages, const QString &DocName,
             const QString &workingFolder);

} // namespace kestrova
