#include "text_file.h"

#include "file_names.h"
#include "file_system.h"
#include "pseudo_file_systems.h"
#include "unnamed_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {
namespace {

constexpr qsizetype kBufferSize = 256 * 1024;

// Every writer that is open, so that ending the program at once can still flush them.
// The program writes on one thread only.
TextFileWriter *g_firstOpen = nullptr;

void writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw errorFromErrno(errno, ErrnoSubject::File);
        }
        data += written;
        size -= written;
    }
}

Error notRegularFileError(mode_t mode)
{
    if (S_ISDIR(mode))
        return errorFromErrno(EISDIR, ErrnoSubject::File);
    return Error(ErrorNumber::PathFileAccess, QStringLiteral("Not a regular file"));
}

} // namespace

TextFileWriter::TextFileWriter(const QString &path, Mode mode)
{
    if (path.isEmpty())
        throw invalidArgumentError();
    const QByteArray name = encodeFileName(path);
    // Only a regular file is ever written: opening a pipe for writing waits for a reader, and
    // a device or socket is no catalogue. Checked before opening and again on the handle, and
    // the open itself never waits.
    struct stat info;
    const bool there = stat(name.constData(), &info) == 0;
    if (there && !S_ISREG(info.st_mode))
        throw notRegularFileError(info.st_mode);
    if (there && mode == Mode::Replace) {
        // The file a link leads to is the one replaced, as it is the one a truncation empties.
        char *target = realpath(name.constData(), nullptr);
        if (!target)
            throw errorFromErrno(errno, ErrnoSubject::File);
        const QByteArray place(target);
        std::free(target);
        m_replacement = std::make_unique<UnnamedFile>(place, 0600);
        // A folder where no new file can be made, though the file may be written: it is
        // written in place, as a truncation would.
        if (!m_replacement->isOpen())
            m_replacement.reset();
    }
    if (m_replacement) {
        const int fd = m_replacement->descriptor();
        // Nobody may read the new file who could not read the old one.
        if ((geteuid() == 0 && fchown(fd, info.st_uid, info.st_gid) != 0) || fchmod(fd, info.st_mode & 07777) != 0
            || (m_fd = dup(fd)) < 0)
            throw errorFromErrno(errno, ErrnoSubject::File);
    } else {
        const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | (mode == Mode::Append ? O_APPEND : 0);
        m_fd = open(name.constData(), flags, 0666);
        // With O_CREAT a missing entry can only be a folder on the way.
        if (m_fd < 0)
            throw errorFromErrno(errno, ErrnoSubject::Folder);
        if (fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            const Error error = notRegularFileError(info.st_mode);
            ::close(std::exchange(m_fd, -1));
            throw error;
        }
        if (mode != Mode::Append && ftruncate(m_fd, 0) != 0) {
            const Error error = errorFromErrno(errno, ErrnoSubject::File);
            ::close(std::exchange(m_fd, -1));
            throw error;
        }
    }
    m_buffer.resize(kBufferSize);
    m_nextOpen = g_firstOpen;
    if (g_firstOpen)
        g_firstOpen->m_previousOpen = this;
    g_firstOpen = this;
}

void TextFileWriter::commit()
{
    close();
    if (m_replacement && !m_replacement->putInPlace())
        throw errorFromErrno(errno, ErrnoSubject::File);
    m_replacement.reset();
}

TextFileWriter::~TextFileWriter()
{
    try {
        close();
    } catch (const Error &) {
        // The caller that wanted to know called close() itself.
    }
}

void TextFileWriter::writeLine(QByteArrayView text)
{
    if (m_fd < 0)
        throw Error(ErrorNumber::SystemBase + EBADF, QString::fromLocal8Bit(std::strerror(EBADF)));
    if (m_used + text.size() + 2 > m_buffer.size()) {
        flush();
        if (text.size() + 2 > m_buffer.size()) {
            writeAll(m_fd, text.data(), text.size());
            writeAll(m_fd, "\r\n", 2);
            return;
        }
    }
    char *out = m_buffer.data() + m_used;
    std::memcpy(out, text.data(), size_t(text.size()));
    out[text.size()] = '\r';
    out[text.size() + 1] = '\n';
    m_used += text.size() + 2;
}

void TextFileWriter::flush()
{
    // What could not be written is dropped, so that a later flush does not repeat it.
    writeAll(m_fd, m_buffer.constData(), std::exchange(m_used, 0));
}

void TextFileWriter::close()
{
    if (m_fd < 0)
        return;
    if (m_previousOpen)
        m_previousOpen->m_nextOpen = m_nextOpen;
    else
        g_firstOpen = m_nextOpen;
    if (m_nextOpen)
        m_nextOpen->m_previousOpen = m_previousOpen;
    m_nextOpen = m_previousOpen = nullptr;

    const int fd = std::exchange(m_fd, -1);
    std::optional<Error> failure;
    try {
        writeAll(fd, m_buffer.constData(), std::exchange(m_used, 0));
    } catch (const Error &error) {
        failure = error;
    }
    if (::close(fd) != 0 && errno != EINTR && !failure)
        failure = errorFromErrno(errno, ErrnoSubject::File);
    if (failure)
        throw *failure;
}

namespace {

FileIdentity identityOf(const struct stat &info)
{
    return {qint64(info.st_size), fileTimeNs(info.st_mtim.tv_sec, info.st_mtim.tv_nsec),
            fileTimeNs(info.st_ctim.tv_sec, info.st_ctim.tv_nsec), quint64(info.st_ino),
            quint64(info.st_dev)};
}

} // namespace

FileReader::FileReader(const QByteArray &path)
{
    if (path.isEmpty())
        throw invalidArgumentError();
    m_fd = open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    struct stat info;
    m_regular = fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode) && !isPseudoFileSystemDevice(info.st_dev);
    if (m_regular) {
        m_left = info.st_size;
        m_identity = identityOf(info);
        posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
}

FileIdentity FileReader::identityNow() const
{
    struct stat info;
    if (!m_regular || fstat(m_fd, &info) != 0)
        return {};
    return identityOf(info);
}

bool FileReader::isPrivate() const
{
    struct stat info;
    return m_regular && fstat(m_fd, &info) == 0 && info.st_uid == geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

void FileReader::seek(qint64 offset)
{
    if (!m_regular)
        return;
    offset = std::clamp<qint64>(offset, 0, m_identity.size);
    m_next = offset;
    m_left = m_identity.size - offset;
}

qsizetype FileReader::readAt(qint64 offset, char *data, qsizetype size) const
{
    if (!m_regular || offset < 0 || offset >= m_identity.size)
        return 0;
    size = qsizetype(std::min<qint64>(size, m_identity.size - offset));
    qsizetype done = 0;
    while (done < size) {
        const ssize_t got = ::pread(m_fd, data + done, size_t(size - done), off_t(offset + done));
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw errorFromErrno(errno, ErrnoSubject::File);
        }
        done += got;
    }
    return done;
}

FileReader::~FileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qsizetype FileReader::read(char *data, qsizetype size)
{
    if (!m_regular || m_left <= 0)
        return 0;
    size = qsizetype(std::min<qint64>(size, m_left));
    for (;;) {
        const ssize_t got = ::pread(m_fd, data, size_t(size), off_t(m_next));
        if (got >= 0) {
            m_next += got;
            m_left = got == 0 ? 0 : m_left - got; // a file that shrank ends where it ends now
            return got;
        }
        if (errno != EINTR)
            throw errorFromErrno(errno, ErrnoSubject::File);
    }
}

void TextFileWriter::flushAllOpen() noexcept
{
    while (g_firstOpen) {
        try {
            g_firstOpen->close();
        } catch (const Error &) {
            // Nothing more can be done for this file at program end.
        }
    }
}

} // namespace kestrova
