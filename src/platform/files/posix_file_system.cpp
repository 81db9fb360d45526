#include "posix_file_system.h"

#include "file_names.h"
#include "folder_listing.h"
#include "platform/text/name_order.h"
#include "pseudo_file_systems.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {

QByteArray joinPath(const QByteArray &folder, const QByteArray &name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

std::vector<QByteArray> Folder::SubFolderTails() const
{
    const qsizetype pathLength = Path().size();
    std::vector<QByteArray> tails = SubFolders();
    for (QByteArray &tail : tails)
        tail = QByteArray(tail.constData() + pathLength, tail.size() - pathLength); // a copy of the tail alone
    return tails;
}

std::vector<QByteArray> subFolderTails(bool pathEndsInSeparator, const std::vector<QByteArray> &names)
{
    std::vector<QByteArray> tails;
    tails.reserve(names.size());
    for (const QByteArray &name : names)
        tails.push_back(pathEndsInSeparator ? name : '/' + name);
    return tails;
}

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
// Handles a process needs besides a walk's folders: its standard streams, the catalogue being
// written, what its libraries hold open.
constexpr int kHandlesForTheRest = 24;

// A folder is a real directory; a symbolic link to one is a file and is never followed.
bool isFolder(int fd, const char *name, unsigned char type)
{
    if (type != DT_UNKNOWN)
        return type == DT_DIR;
    struct stat info;
    if (fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    return S_ISDIR(info.st_mode);
}

} // namespace

bool isOutOfHandles(int err)
{
    return err == EMFILE || err == ENFILE;
}

int folderHandleBudget(int wanted, int listings)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::max(1, wanted);
    // Half of what is left: the rest of the program may open files too.
    const qint64 spare = (qint64(limit.rlim_cur) - kHandlesForTheRest - listings) / 2;
    return int(std::clamp<qint64>(spare, 1, std::max(1, wanted)));
}

void raiseOpenFileLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

void listFolder(int fd, std::vector<QByteArray> &files, std::vector<QByteArray> &subFolders, dev_t &dev,
                ino_t &inode)
{
    struct stat info;
    if (fstat(fd, &info) != 0)
        throw errorFromErrno(errno, ErrnoSubject::Folder);
    dev = info.st_dev;
    inode = info.st_ino;
    if (isPseudoFileSystemDevice(info.st_dev))
        return;
    // Read through the folder's own handle: a second one (as opendir would take) could be more
    // than the process may open.
    if (lseek(fd, 0, SEEK_SET) < 0)
        throw errorFromErrno(errno, ErrnoSubject::Folder);
    // Off the stack: worker threads may have small ones.
    thread_local std::vector<char> entries(32 * 1024);
    char *buffer = entries.data();
    for (;;) {
        const ssize_t got = getdents64(fd, buffer, entries.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw errorFromErrno(errno, ErrnoSubject::Folder);
        }
        if (got == 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto *entry = reinterpret_cast<const dirent64 *>(buffer + at);
            at += entry->d_reclen;
            const char *name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (isFolder(fd, name, entry->d_type))
                subFolders.emplace_back(name);
            else
                files.emplace_back(name);
        }
    }
    sortNames(files);
    sortNames(subFolders);
}

FileStat entryStat(int fd, const QByteArray &name)
{
    struct statx info;
    if (statx(fd, name.constData(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_BTIME | STATX_MTIME | STATX_SIZE,
              &info)
        != 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    // Some file systems report a birth time of zero where they keep none.
    const bool born = (info.stx_mask & STATX_BTIME) && (info.stx_btime.tv_sec != 0 || info.stx_btime.tv_nsec != 0);
    const statx_timestamp &stamp = born ? info.stx_btime : info.stx_mtime;
    // localtime_r rather than QDateTime: Qt re-reads the zone database on every local
    // conversion, which costs more than the rest of a file's work.
    const time_t seconds = time_t(stamp.tv_sec);
    tm local{};
    if (!localtime_r(&seconds, &local))
        throw Error(ErrorNumber::SystemBase + EOVERFLOW, QString::fromLocal8Bit(std::strerror(EOVERFLOW)));
    return {{QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
             QTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59))},
            (info.stx_mask & STATX_SIZE) ? qint64(info.stx_size) : -1,
            fileTimeNs(info.stx_mtime.tv_sec, info.stx_mtime.tv_nsec)};
}

class PosixFolder final : public Folder
{
public:
    // Takes fd, an open handle of the folder; a walk's root has a path and no parent, the
    // others a parent and a name.
    PosixFolder(PosixFileSystem &fileSystem, PosixFolder *parent, QByteArray path, QByteArray name, int fd)
        : m_fileSystem(fileSystem), m_parent(parent), m_path(std::move(path)), m_name(std::move(name)),
          m_fd(fd)
    {
    }
    PosixFolder(const PosixFolder &) = delete;
    PosixFolder &operator=(const PosixFolder &) = delete;
    ~PosixFolder() override { closeHandle(); }

    // Reads the identity of the handle and lists the folder.
    void open()
    {
        if (m_parent)
            m_fileSystem.opened(this);
        listFolder(m_fd, m_files, m_subFolders, m_device, m_inode);
    }

    QByteArray Path() const override
    {
        if (!m_parent)
            return m_path;
        // Built from the root down in one buffer: deep in a tree a path is long.
        std::vector<const PosixFolder *> chain;
        qsizetype size = 0;
        for (const PosixFolder *folder = this; folder; folder = folder->m_parent) {
            chain.push_back(folder);
            size += (folder->m_parent ? folder->m_name.size() : folder->m_path.size()) + 1;
        }
        QByteArray path;
        path.reserve(size);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            if ((*it)->m_parent) {
                if (!path.endsWith('/'))
                    path += '/';
                path += (*it)->m_name;
            } else {
                path = (*it)->m_path;
            }
        }
        return path;
    }
    const std::vector<QByteArray> &Files() const override { return m_files; }
    std::vector<QByteArray> SubFolderTails() const override
    {
        return subFolderTails(!m_parent && m_path.endsWith('/'), m_subFolders);
    }
    std::vector<QByteArray> SubFolders() const override
    {
        const QByteArray path = Path();
        std::vector<QByteArray> paths;
        paths.reserve(m_subFolders.size());
        for (const QByteArray &name : m_subFolders)
            paths.push_back(joinPath(path, name));
        return paths;
    }

    std::unique_ptr<Folder> OpenSubFolder(const QByteArray &subFolderPath) override
    {
        const qsizetype slash = subFolderPath.lastIndexOf('/');
        QByteArray name = subFolderPath.mid(slash + 1);
        const int fd = openatFolder(*this, name);
        auto folder = std::make_unique<PosixFolder>(m_fileSystem, this, QByteArray(), std::move(name), fd);
        folder->open();
        return folder;
    }

    QString Type(const QByteArray &fileName) override { return m_fileSystem.types().describe(fileName); }

    LocalDateTime DateCreated(const QByteArray &fileName) override { return entryStat(handle(), fileName).created; }
    FileStat Stat(const QByteArray &fileName) override { return entryStat(handle(), fileName); }

    // Gives the handle back to the system; handle() opens it again when needed.
    void closeHandle()
    {
        if (m_fd < 0)
            return;
        if (m_parent)
            m_fileSystem.closed(this);
        ::close(m_fd);
        m_fd = -1;
    }

private:
    // Opens name in the folder parent as a folder, never through a link. For want of a handle,
    // one kept for an ancestor is given back and the open tried again.
    int openatFolder(PosixFolder &parent, const QByteArray &name)
    {
        for (;;) {
            const int fd = openat(parent.handle(), name.constData(), kFolderFlags | O_NOFOLLOW);
            if (fd >= 0)
                return fd;
            const int err = errno;
            if (!isOutOfHandles(err) || !m_fileSystem.giveBackHandle(&parent))
                throw errorFromErrno(err == ELOOP ? ENOTDIR : err, ErrnoSubject::Folder);
        }
    }

    // The open handle of this folder. A closed one is opened again by name from the nearest
    // open ancestor, checking that each folder on the way is still the one listed before.
    int handle()
    {
        if (m_fd >= 0)
            return m_fd;
        std::vector<PosixFolder *> closedChain;
        PosixFolder *open = this;
        while (open->m_fd < 0) {
            closedChain.push_back(open);
            open = open->m_parent; // the root keeps its handle for the whole walk
        }
        for (auto it = closedChain.rbegin(); it != closedChain.rend(); ++it) {
            PosixFolder &folder = **it;
            const int fd = openatFolder(*folder.m_parent, folder.m_name); // its parent is open now
            struct stat info;
            if (fstat(fd, &info) != 0 || info.st_dev != folder.m_device || info.st_ino != folder.m_inode) {
                ::close(fd);
                throw errorFromErrno(ENOENT, ErrnoSubject::Folder);
            }
            folder.m_fd = fd;
            m_fileSystem.opened(&folder);
        }
        return m_fd;
    }

    PosixFileSystem &m_fileSystem;
    PosixFolder *m_parent;
    QByteArray m_path; // a walk's root only; the others know their name and their parent
    QByteArray m_name; // the last part of the path, as the parent lists it
    int m_fd;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    std::vector<QByteArray> m_files;
    std::vector<QByteArray> m_subFolders; // names
};

PosixFileSystem::PosixFileSystem(int maxOpenFolders)
    : m_maxOpenFolders(maxOpenFolders > 0 ? maxOpenFolders : folderHandleBudget(kDefaultOpenFolders, 1))
{
}

PosixFileSystem::~PosixFileSystem() = default;

std::unique_ptr<Folder> PosixFileSystem::GetFolder(const QByteArray &path)
{
    if (path.isEmpty())
        throw invalidArgumentError();
    const int fd = ::open(path.constData(), kFolderFlags);
    if (fd < 0)
        throw errorFromErrno(errno, ErrnoSubject::Folder);
    auto folder = std::make_unique<PosixFolder>(*this, nullptr, path, QByteArray(), fd);
    folder->open();
    return folder;
}

void PosixFileSystem::opened(PosixFolder *folder)
{
    m_open.push_back(folder);
    if (int(m_open.size()) > m_maxOpenFolders)
        m_open.front()->closeHandle(); // calls closed(), which takes it off the list
}

bool PosixFileSystem::giveBackHandle(const PosixFolder *keep)
{
    for (PosixFolder *folder : m_open) {
        if (folder != keep) {
            folder->closeHandle(); // calls closed(), which takes it off the list
            return true;
        }
    }
    return false;
}

void PosixFileSystem::closed(PosixFolder *folder)
{
    // Looked for from the newest: a folder is mostly closed soon after it was opened.
    const auto found = std::find(m_open.rbegin(), m_open.rend(), folder);
    if (found != m_open.rend())
        m_open.erase(std::next(found).base());
}

FileTypes &PosixFileSystem::types()
{
    if (!m_types)
        m_types = std::make_unique<FileTypes>();
    return *m_types;
}

bool PosixFileSystem::FileExists(const QString &path)
{
    struct stat info;
    return !path.isEmpty() && stat(encodeFileName(path).constData(), &info) == 0
           && !S_ISDIR(info.st_mode);
}

void PosixFileSystem::DeleteFile(const QString &path)
{
    if (path.isEmpty())
        throw invalidArgumentError();
    const QByteArray name = encodeFileName(path);
    // A file nobody may write is read-only and is not forced away, whatever its folder allows.
    struct stat info;
    if (lstat(name.constData(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0)
        throw errorFromErrno(EACCES, ErrnoSubject::File);
    if (unlink(name.constData()) != 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
}

} // namespace kestrova
