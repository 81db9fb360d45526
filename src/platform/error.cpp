#include "error.h"

#include <cerrno>
#include <cstring>

namespace kestrova {

Error::Error(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(numberStyle().toUtf8())
{
}

QString Error::numberStyle() const
{
    return QString::number(m_number) + QStringLiteral("  ") + m_description;
}

Error invalidArgumentError()
{
    return Error(ErrorNumber::InvalidArgument, QStringLiteral("Invalid procedure call or argument"));
}

Error outOfMemoryError()
{
    return Error(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
}

Error errorFromErrno(int err, ErrnoSubject subject)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return Error(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied"));
    case ENOENT:
    case ENOTDIR:
        if (subject == ErrnoSubject::File)
            return Error(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
        return Error(ErrorNumber::PathNotFound, QStringLiteral("Path not found"));
    case ENOSPC:
    case EDQUOT:
        return Error(ErrorNumber::DiskFull, QStringLiteral("Disk full"));
    case EIO:
        return Error(ErrorNumber::DeviceIO, QStringLiteral("Device I/O error"));
    case ENOMEDIUM:
        return Error(ErrorNumber::DiskNotReady, QStringLiteral("Disk not ready"));
    default:
        return Error(ErrorNumber::SystemBase + err, QString::fromLocal8Bit(std::strerror(err)));
    }
}

} // namespace kestrova
