#include "mount_watch.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace kestrova {

ProcMountWatch::ProcMountWatch(QObject *parent) : MountWatch(parent)
{
    m_fd = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    // The file is always readable; a change shows as POLLPRI (with POLLERR), which poll() itself
    // acknowledges, so nothing needs reading.
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &MountWatch::mountsChanged);
}

ProcMountWatch::~ProcMountWatch()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace kestrova
