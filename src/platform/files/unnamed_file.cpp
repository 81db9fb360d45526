#include "unnamed_file.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {
namespace {

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// Removes "<name>.new-<process>-<n>" files beside path whose process is gone.
void removeLeftovers(const QByteArray &path)
{
    const QByteArray folder = folderOf(path);
    const QByteArray prefix = path.mid(path.lastIndexOf('/') + 1) + ".new-";
    DIR *listing = opendir(folder.constData());
    if (!listing)
        return;
    while (const dirent *entry = readdir(listing)) {
        const QByteArrayView name(entry->d_name);
        if (!name.startsWith(prefix))
            continue;
        const QByteArrayView rest = name.sliced(prefix.size());
        const qsizetype dash = rest.indexOf('-');
        bool ok = false;
        const qint64 process = dash > 0 ? rest.first(dash).toLongLong(&ok) : 0;
        bool numbered = false;
        if (dash > 0)
            (void)rest.sliced(dash + 1).toULongLong(&numbered);
        if (ok && numbered && process > 0 && process <= 0x7fffffff && kill(pid_t(process), 0) != 0 && errno == ESRCH)
            unlinkat(dirfd(listing), entry->d_name, 0);
    }
    closedir(listing);
}

} // namespace

bool UnnamedFile::lacksUnnamedFiles(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT;
}

UnnamedFile::UnnamedFile(const QByteArray &path, mode_t mode) : m_path(path)
{
    removeLeftovers(path);
    m_fd = ::open(folderOf(path).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (m_fd >= 0 || !lacksUnnamedFiles(errno))
        return;
    // Named for this process and this file, so that two writers never share one.
    static std::atomic<quint64> files{0};
    m_named = path + ".new-" + QByteArray::number(qint64(getpid())) + '-' + QByteArray::number(++files);
    m_fd = ::open(m_named.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

UnnamedFile::~UnnamedFile()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    if (!m_named.isEmpty())
        ::unlink(m_named.constData());
}

bool UnnamedFile::putInPlace()
{
    if (m_fd < 0)
        return false;
    bool done = true;
    if (m_named.isEmpty()) {
        // A name is given beside the place, then moved over it: linkat cannot replace a file.
        static std::atomic<quint64> links{0};
        m_named = m_path + ".new-" + QByteArray::number(qint64(getpid())) + '-' + QByteArray::number(++links);
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        done = linkat(AT_FDCWD, self.constData(), AT_FDCWD, m_named.constData(), AT_SYMLINK_FOLLOW) == 0
               || linkat(m_fd, "", AT_FDCWD, m_named.constData(), AT_EMPTY_PATH) == 0;
        if (!done)
            m_named.clear();
    }
    done = done && ::rename(m_named.constData(), m_path.constData()) == 0;
    const int error = errno;
    ::close(m_fd);
    m_fd = -1;
    if (!done && !m_named.isEmpty())
        ::unlink(m_named.constData());
    errno = error;
    return done;
}

} // namespace kestrova
