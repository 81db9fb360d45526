// Who the program is to the desktop: its name, version and desktop entry (which docks and
// window lists use to group its windows under its icon), and the pictures it shows, rendered
// at build time from the drawings in data/icons.
#pragma once

#include <QIcon>
#include <QString>

namespace kestrova {

// Set once as the program starts. No display name: on X11 Qt would add it to every caption
// ("Search — Kestrova").
void setApplicationIdentity();
inline const QString kDesktopFileName = QStringLiteral("io.github.kestrova.Kestrova");

// The program's icon: a drive with a catalogue card.
QIcon applicationIcon();
// One of the windows' pictures (data/icons/windows), by name, at every size it was drawn at.
QIcon windowPicture(const QString &name);

} // namespace kestrova
