// Starting a path as a program, and the clipboard.
#pragma once

#include "error.h"

#include <QString>

namespace kestrova {

class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;
    // Starts path as a program; raises an Error when it cannot be started as one (it is not an
    // executable file the user may run, or it does not exist).
    virtual void start(const QString &path) = 0;
};

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString &text) = 0;
};

} // namespace kestrova
