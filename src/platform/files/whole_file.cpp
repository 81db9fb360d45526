#include "whole_file.h"

#include "file_names.h"

#include <QFileInfo>

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {

WholeFile::WholeFile(const QString &path) : m_path(encodeFileName(path))
{
    // The folder itself, never the folders above it: those are the caller's to have.
    const QByteArray folder = encodeFileName(QFileInfo(path).absolutePath());
    if (mkdir(folder.constData(), 0777) != 0 && errno != EEXIST) {
        m_failed = true;
        return;
    }
    // Named for this process and this file, so that two writers never share one.
    static std::atomic<quint64> files{0};
    m_temporary = m_path + ".new-" + QByteArray::number(qint64(getpid())) + '-' + QByteArray::number(++files);
    const int fd = ::open(m_temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    m_failed = fd < 0 || !m_file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle);
    if (m_failed && fd >= 0)
        ::close(fd);
}

WholeFile::~WholeFile()
{
    if (!m_committed && !m_temporary.isEmpty()) {
        m_file.close();
        ::unlink(m_temporary.constData());
    }
}

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
    if (m_failed || ::rename(m_temporary.constData(), m_path.constData()) != 0)
        return false;
    m_committed = true;
    return true;
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

} // namespace kestrova
