// The launcher declarations the windows share.
#pragma once

#include "platform/launcher.h"
#include "platform/message_service.h"

namespace kestrova {

// The program's identity for the desktop, set once as the program starts: its name, version
// and desktop file (which docks and window lists use to group its windows under its icon).
// No display name: on X11 Qt would add it to every caption ("Search — Kestrova").
void setApplicationIdentity();
inline const QString kDesktopFileName = QStringLiteral("io.github.kestrova.Kestrova");

// Opens DocName with its associated application, started in workingFolder, without waiting
// for it. Gives the launch result as far as it is known at once; a failure the launcher
// reports later goes to lateFailure. When the launcher itself fails, reports that in number
// style and gives 0.
int StartDoc(DocumentLauncher &launcher, MessageService &messages, const QString &DocName,
             const QString &workingFolder, std::function<void(int result)> lateFailure = {});

} // namespace kestrova
