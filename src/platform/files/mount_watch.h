// Tells when a drive is mounted or unmounted, so that the windows' drive lists follow the
// drives that come and go. The signal comes on the thread that made the watch, from its event
// loop; it says only that the mount table changed, never what changed (the lists ask again).
#pragma once

#include <QObject>

class QSocketNotifier;

namespace kestrova {

class MountWatch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void mountsChanged();
};

// The kernel's mount table of this process: /proc/self/mounts signals every change to poll() as
// an exceptional condition. Without /proc the watch never signals.
class ProcMountWatch final : public MountWatch
{
    Q_OBJECT

public:
    explicit ProcMountWatch(QObject *parent = nullptr);
    ~ProcMountWatch() override;
    ProcMountWatch(const ProcMountWatch &) = delete;
    ProcMountWatch &operator=(const ProcMountWatch &) = delete;

private:
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr; // owned as a child
};

} // namespace kestrova
