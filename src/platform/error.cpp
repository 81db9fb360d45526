#include "error.h"

#include <QCoreApplication>

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
    return Error(ErrorNumber::InvalidArgument, QCoreApplication::translate("Error", "Invalid procedure call or argument"));
}

Error outOfMemoryError()
{
    return Error(ErrorNumber::OutOfMemory, QCoreApplication::translate("Error", "Out of memory"));
}

Error errorFromErrno(int err, ErrnoSubject subject)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return Error(ErrorNumber::PermissionDenied, QCoreApplication::translate("Error", "Permission denied"));
    case ENOENT:
    case ENOTDIR:
        if (subject == ErrnoSubject::File)
            return Error(ErrorNumber::FileNotFound, QCoreApplication::translate("Error", "File not found"));
        return Error(ErrorNumber::PathNotFound, QCoreApplication::translate("Error", "Path not found"));
    case ENOSPC:
    case EDQUOT:
        return Error(ErrorNumber::DiskFull, QCoreApplication::translate("Error", "Disk full"));
    case EIO:
        return Error(ErrorNumber::DeviceIO, QCoreApplication::translate("Error", "Device I/O error"));
    case ENOMEDIUM:
        return Error(ErrorNumber::DiskNotReady, QCoreApplication::translate("Error", "Disk not ready"));
    default:
        return Error(ErrorNumber::SystemBase + err, QString::fromLocal8Bit(std::strerror(err)));
    }
}

} // namespace kestrova
