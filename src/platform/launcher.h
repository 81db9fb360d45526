// Opening documents with the desktop's associated application.
#pragma once

#include "error.h"

#include <QString>

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
    // Opens file in its associated application, started in workingFolder (may be empty).
    // Gives the launch result; raises an Error when the launcher cannot be called at all.
    virtual int open(const QString &file, const QString &workingFolder) = 0;
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
