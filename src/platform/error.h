// Failures as the whole program reports them: a number and a description.
// Raised by the platform layer, caught and shown by whoever started the operation.
#pragma once

#include <QString>

#include <exception>

namespace kestrova {

// Error numbers that callers test for. Numbers for other system errors are 1000 plus the
// system's error code, so each keeps a number of its own.
namespace ErrorNumber {
inline constexpr int InvalidArgument = 5;   // "Invalid procedure call or argument"
inline constexpr int OutOfMemory = 7;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIO = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEnd = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int Cancelled = 32755;     // a dialog the user cancelled
inline constexpr int SystemBase = 1000;
} // namespace ErrorNumber

class Error : public std::exception
{
public:
    Error(int number, QString description);

    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    // The number style of reports: the number, two blanks, the description.
    QString numberStyle() const;

    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

// A failure of one named file or folder: the error as ever, and the path of what failed, for
// messages that say which.
class FileError : public Error
{
public:
    FileError(const Error &error, QString path) : Error(error), m_path(std::move(path)) {}
    const QString &path() const noexcept { return m_path; }

private:
    QString m_path;
};

// What a failed system call was about; the same errno reads differently for each
// (a missing file is "File not found", a missing folder "Path not found").
enum class ErrnoSubject { Folder, File };

Error errorFromErrno(int err, ErrnoSubject subject);

Error invalidArgumentError();
Error outOfMemoryError();

} // namespace kestrova
