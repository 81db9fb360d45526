// The desktop's file manager, asked to show a file in its folder with the file selected.
#pragma once

#include <QString>

namespace kestrova {

class FileManager
{
public:
    virtual ~FileManager() = default;
    // Asks the file manager to open the folder of path with path selected. Answers whether a
    // file manager took the request; without one the caller opens the folder itself. The path
    // carries bytes that are not UTF-8 as file_names.h escapes them.
    virtual bool showItem(const QString &path) = 0;
};

// The freedesktop.org file manager interface, org.freedesktop.FileManager1.ShowItems, on the
// session bus (Dolphin, Nautilus, Nemo, Thunar, PCManFM and others offer it).
class DBusFileManager final : public FileManager
{
public:
    bool showItem(const QString &path) override;
};

} // namespace kestrova
