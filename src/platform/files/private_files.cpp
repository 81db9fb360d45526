#include "private_files.h"

#include "file_names.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {
namespace {

bool isPrivate(const struct stat &info)
{
    return info.st_uid == geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

PrivateFolderState privateFolderState(const QString &folder)
{
    struct stat info;
    if (lstat(encodeFileName(folder).constData(), &info) != 0)
        return errno == ENOENT ? PrivateFolderState::Missing : PrivateFolderState::NotPrivate;
    return S_ISDIR(info.st_mode) && isPrivate(info) ? PrivateFolderState::Private : PrivateFolderState::NotPrivate;
}

bool makePrivateFolder(const QString &folder)
{
    const QByteArray path = encodeFileName(folder);
    // From the top down, each missing folder made readable by the user alone.
    for (qsizetype slash = path.indexOf('/', 1); ; slash = path.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? path : path.left(slash);
        if (!part.isEmpty() && mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash < 0)
            break;
    }
    return privateFolderState(folder) == PrivateFolderState::Private;
}

bool makePrivateFolderHere(const QString &folder)
{
    if (mkdir(encodeFileName(folder).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return privateFolderState(folder) == PrivateFolderState::Private;
}

PrivateFileWriter::PrivateFileWriter(const QByteArray &path) : m_unnamed(path, 0600)
{
    if (m_unnamed.isOpen())
        m_file.open(m_unnamed.descriptor(), QIODevice::ReadWrite, QFileDevice::DontCloseHandle);
}

PrivateFileWriter::~PrivateFileWriter() = default;

bool PrivateFileWriter::commit()
{
    if (!m_file.isOpen())
        return false;
    const bool flushed = m_file.flush();
    m_file.close();
    return flushed && m_unnamed.putInPlace();
}

bool writePrivateFileWhole(const QByteArray &path, const std::function<bool(QFileDevice &)> &write)
{
    PrivateFileWriter writer(path);
    return writer.isOpen() && write(writer.file()) && writer.commit();
}

bool overwritePrivateFileStart(const QByteArray &path, QByteArrayView bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    const bool done = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && isPrivate(info)
                      && ::pwrite(fd, bytes.data(), size_t(bytes.size()), 0) == bytes.size();
    ::close(fd);
    return done;
}

} // namespace kestrova
