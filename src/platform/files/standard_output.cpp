#include "standard_output.h"

#include <cerrno>
#include <csignal>

#include <unistd.h>

namespace kestrova {

StandardOutput::StandardOutput(int fd) : m_fd(fd)
{
    std::signal(SIGPIPE, SIG_IGN);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool StandardOutput::readerWentAway() const
{
    return m_failure == EPIPE;
}

qint64 StandardOutput::readData(char *, qint64)
{
    return -1;
}

qint64 StandardOutput::writeData(const char *data, qint64 size)
{
    // After a failure nothing more is written: the rest would be lost the same way.
    if (m_failure != 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t written = ::write(m_fd, data + done, size_t(size - done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            m_failure = errno;
            setErrorString(QString::fromLocal8Bit(strerror(errno)));
            return -1;
        }
        done += written;
    }
    return done;
}

} // namespace kestrova
