#include "scratch_file.h"

#include "file_names.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace kestrova {

ScratchFile::ScratchFile()
{
    const QByteArray folder = encodeFileName(QDir::tempPath());
    m_fd = open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        // A file system without unnamed files: a named one, unlinked at once.
        QByteArray name = folder + "/kestrova-scratch-XXXXXX";
        m_fd = mkostemp(name.data(), O_CLOEXEC);
        if (m_fd < 0)
            throw errorFromErrno(errno, ErrnoSubject::Folder);
        unlink(name.constData());
    }
}

ScratchFile::~ScratchFile()
{
    if (m_fd >= 0)
        close(m_fd);
}

void ScratchFile::append(QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = pwrite(m_fd, bytes.data() + done, size_t(bytes.size() - done), m_size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw errorFromErrno(written < 0 ? errno : ENOSPC, ErrnoSubject::File);
        done += written;
        m_size += written;
    }
}

qsizetype ScratchFile::readAt(qint64 offset, char *data, qsizetype size) const
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t got = pread(m_fd, data + done, size_t(size - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw errorFromErrno(errno, ErrnoSubject::File);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace kestrova
