// The kernel's pseudo file systems (proc, sysfs, ...): their folders are never listed and their
// files never read, since their contents are made up on demand and some never end
// (/proc/self/pagemap), so cataloguing "/" or searching a folder with a link into /proc ends.
#pragma once

#include <sys/types.h>

namespace kestrova {

// Whether dev is the device of a pseudo file system mounted when the program first asked.
bool isPseudoFileSystemDevice(dev_t dev);

} // namespace kestrova
