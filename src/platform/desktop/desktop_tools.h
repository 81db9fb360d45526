// Starting a path as a program, and the clipboard.
#pragma once

#include "platform/error.h"

#include <QString>
#include <QStringList>

namespace kestrova {

class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;
    // Starts path as a program, in its own folder, without waiting for it; raises an Error
    // when it cannot be started as one (it is not an executable file the user may run, or it
    // does not exist). The path carries bytes that are not UTF-8 as file_names.h escapes them.
    virtual void start(const QString &path) = 0;
};

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString &text) = 0;
    // Files' paths, one a line: as text (bytes that are not UTF-8 shown as U+FFFD) and as file
    // URLs in text/uri-list, whose percent-encoded bytes name the files exactly.
    virtual void setPaths(const QStringList &paths) = 0;
};

} // namespace kestrova
