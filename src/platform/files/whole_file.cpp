#include "whole_file.h"

#include "file_names.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {

WholeFile::WholeFile(const QString &path, mode_t mode) : m_unnamed(encodeFileName(path), mode)
{
    m_failed = !m_unnamed.isOpen()
               || !m_file.open(m_unnamed.descriptor(), QIODevice::ReadWrite, QFileDevice::DontCloseHandle);
}

WholeFile::~WholeFile() = default;

bool WholeFile::write(QByteArrayView bytes)
{
    m_failed = m_failed || m_file.write(bytes.data(), bytes.size()) != bytes.size();
    m_size += bytes.size();
    return !m_failed;
}

bool WholeFile::writeAt(qint64 offset, QByteArrayView bytes)
{
    m_failed = m_failed || !m_file.seek(offset) || m_file.write(bytes.data(), bytes.size()) != bytes.size()
               || !m_file.seek(m_size);
    return !m_failed;
}

bool WholeFile::commit()
{
    m_failed = m_failed || !m_file.flush();
    m_file.close();
    return !m_failed && m_unnamed.putInPlace();
}

bool overwriteFileStart(const QString &path, QByteArrayView bytes)
{
    const int fd = ::open(encodeFileName(path).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info;
    const bool done = fstat(fd, &info) == 0 && S_ISREG(info.st_mode)
                      && ::pwrite(fd, bytes.data(), size_t(bytes.size()), 0) == bytes.size();
    ::close(fd);
    return done;
}

bool discardFile(const QString &path, qint64 headerBytes)
{
    if (::unlink(encodeFileName(path).constData()) == 0 || errno == ENOENT)
        return true;
    return overwriteFileStart(path, QByteArray(headerBytes, '\0'));
}

} // namespace kestrova
