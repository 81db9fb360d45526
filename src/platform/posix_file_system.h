// The file-system services over the operating system's own calls (opendir, readdir, statx).
// Qt's directory iterators drop names that are not valid UTF-8; this walk keeps every entry.
#pragma once

#include "file_system.h"
#include "file_types.h"

#include <QSet>

#include <memory>

#include <sys/types.h>

namespace kestrova {

class PosixFileSystem final : public FileSystem
{
public:
    PosixFileSystem();

    std::unique_ptr<Folder> GetFolder(const QByteArray &path) override;
    bool FileExists(const QString &path) override;
    void DeleteFile(const QString &path) override;

    // Built at the first type asked for: loading the MIME database takes a noticeable moment,
    // and a search never needs it.
    FileTypes &types();

private:
    std::unique_ptr<FileTypes> m_types;
    // Devices of the kernel's pseudo file systems (proc, sysfs, ...): such folders are opened
    // but never listed, so cataloguing "/" does not wander into /proc or /sys.
    QSet<dev_t> m_pseudoDevices;
};

} // namespace kestrova
