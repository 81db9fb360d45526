// Opening documents with the desktop's associated application.
#pragma once

#include "platform/error.h"

#include <QString>

#include <functional>

namespace kestrova {

// A launch result keeps the classic convention: greater than 32 is success, 32 and below
// name the failure (2 file not found, 3 folder not found, 5 access denied, 31 no application
// associated or the launch failed).
namespace LaunchResult {
inline constexpr int Success = 42;
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int NoAssociation = 31;
} // namespace LaunchResult

class DocumentLauncher
{
public:
    virtual ~DocumentLauncher() = default;
    // Opens file in its associated application, started in workingFolder (may be empty), and
    // returns without waiting for it. Gives the launch result as far as it is known at once
    // (the file's checks, the start of the desktop's launcher); a failure that the launcher
    // reports later goes to lateFailure with its result, in the user-interface thread.
    // Raises an Error when the launcher cannot be called at all. Paths carry bytes that are
    // not UTF-8 as file_names.h escapes them.
    virtual int open(const QString &file, const QString &workingFolder,
                     std::function<void(int result)> lateFailure = {}) = 0;
};

// Ends the program at once: no further event runs; catalogues being written keep what was
// written so far.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    virtual void endNow() = 0;
};

} // namespace kestrova
