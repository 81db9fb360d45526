// Pictures drawn in the colour of the buttons' text when they are painted: they read on light
// and dark colour schemes alike, follow a scheme changed while the program runs, and stay sharp
// at any scale. The Stop square and the Close cross, whose stock pictures are black.
#pragma once

#include <QIcon>

namespace kestrova {

QIcon stopIcon();
QIcon closeIcon();

} // namespace kestrova
