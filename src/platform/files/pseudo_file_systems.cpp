#include "pseudo_file_systems.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <array>

#include <sys/sysmacros.h>

namespace kestrova {
namespace {

constexpr std::array kPseudoFileSystems = {
    "proc",     "sysfs",     "devtmpfs", "devpts",   "cgroup",    "cgroup2",     "securityfs",
    "debugfs",  "tracefs",   "pstore",   "bpf",      "configfs",  "fusectl",     "mqueue",
    "hugetlbfs", "binfmt_misc", "efivarfs", "autofs", "nsfs",     "rpc_pipefs",
};

// Reads the device numbers of the pseudo file systems mounted now, from /proc/self/mountinfo
// (fields: id, parent, major:minor, root, mount point, options, optional..., "-", type, ...).
QSet<dev_t> pseudoFileSystemDevices()
{
    QSet<dev_t> devices;
    QFile mountInfo(QStringLiteral("/proc/self/mountinfo"));
    if (!mountInfo.open(QIODevice::ReadOnly))
        return devices;
    const QList<QByteArray> lines = mountInfo.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 0 || dash + 1 >= fields.size())
            continue;
        const QByteArray &type = fields[dash + 1];
        const bool pseudo = std::any_of(kPseudoFileSystems.begin(), kPseudoFileSystems.end(),
                                        [&](const char *name) { return type == name; });
        const QList<QByteArray> majorMinor = fields[2].split(':');
        if (pseudo && majorMinor.size() == 2)
            devices.insert(makedev(majorMinor[0].toUInt(), majorMinor[1].toUInt()));
    }
    return devices;
}

} // namespace

bool isPseudoFileSystemDevice(dev_t dev)
{
    // Read once, also when walker threads ask first.
    static const QSet<dev_t> devices = pseudoFileSystemDevices();
    return devices.contains(dev);
}

} // namespace kestrova
