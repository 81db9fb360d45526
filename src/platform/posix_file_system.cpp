#include "posix_file_system.h"

#include "name_order.h"

#include <QFile>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kestrova {

QByteArray joinPath(const QByteArray &folder, const QByteArray &name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

namespace {

constexpr std::array kPseudoFileSystems = {
    "proc",     "sysfs",     "devtmpfs", "devpts",   "cgroup",    "cgroup2",     "securityfs",
    "debugfs",  "tracefs",   "pstore",   "bpf",      "configfs",  "fusectl",     "mqueue",
    "hugetlbfs", "binfmt_misc", "efivarfs", "autofs", "nsfs",     "rpc_pipefs",
};

// Reads the device numbers of the pseudo file systems mounted now, from /proc/self/mountinfo
// (fields: id, parent, major:minor, root, mount point, options, optional..., "-", type, ...).
QSet<dev_t> pseudoFileSystemDevices()
{
    QSet<dev_t> devices;
    QFile mountInfo(QStringLiteral("/proc/self/mountinfo"));
    if (!mountInfo.open(QIODevice::ReadOnly))
        return devices;
    const QList<QByteArray> lines = mountInfo.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 0 || dash + 1 >= fields.size())
            continue;
        const QByteArray &type = fields[dash + 1];
        const bool pseudo = std::any_of(kPseudoFileSystems.begin(), kPseudoFileSystems.end(),
                                        [&](const char *name) { return type == name; });
        const QList<QByteArray> majorMinor = fields[2].split(':');
        if (pseudo && majorMinor.size() == 2)
            devices.insert(makedev(majorMinor[0].toUInt(), majorMinor[1].toUInt()));
    }
    return devices;
}

class DirHandle
{
public:
    explicit DirHandle(DIR *dir) : m_dir(dir) {}
    DirHandle(const DirHandle &) = delete;
    DirHandle &operator=(const DirHandle &) = delete;
    ~DirHandle()
    {
        if (m_dir)
            closedir(m_dir);
    }
    DIR *get() const { return m_dir; }
    int fd() const { return dirfd(m_dir); }

private:
    DIR *m_dir;
};

class PosixFolder final : public Folder
{
public:
    PosixFolder(QByteArray path, DIR *dir, PosixFileSystem &fileSystem)
        : m_path(std::move(path)), m_dir(dir), m_fileSystem(fileSystem)
    {
    }

    void list()
    {
        errno = 0;
        while (const dirent *entry = readdir(m_dir.get())) {
            const char *name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (isFolder(*entry))
                m_subFolders.emplace_back(name);
            else
                m_files.emplace_back(name);
            errno = 0;
        }
        if (errno != 0)
            throw errorFromErrno(errno, ErrnoSubject::Folder);
        sortNames(m_files);
        sortNames(m_subFolders);
        for (QByteArray &name : m_subFolders)
            name = joinPath(m_path, name);
    }

    const QByteArray &Path() const override { return m_path; }
    const std::vector<QByteArray> &Files() const override { return m_files; }
    const std::vector<QByteArray> &SubFolders() const override { return m_subFolders; }

    QString Type(const QByteArray &fileName) override { return m_fileSystem.types().describe(fileName); }

    LocalDateTime DateCreated(const QByteArray &fileName) override
    {
        struct statx info;
        if (statx(m_dir.fd(), fileName.constData(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                  STATX_BTIME | STATX_MTIME, &info)
            != 0)
            throw errorFromErrno(errno, ErrnoSubject::File);
        // Some file systems report a birth time of zero where they keep none.
        const bool born = (info.stx_mask & STATX_BTIME)
                          && (info.stx_btime.tv_sec != 0 || info.stx_btime.tv_nsec != 0);
        const statx_timestamp &stamp = born ? info.stx_btime : info.stx_mtime;
        // localtime_r rather than QDateTime: Qt re-reads the zone database on every local
        // conversion, which costs more than the rest of a file's work.
        const time_t seconds = time_t(stamp.tv_sec);
        tm local{};
        if (!localtime_r(&seconds, &local))
            throw Error(ErrorNumber::SystemBase + EOVERFLOW,
                        QString::fromLocal8Bit(std::strerror(EOVERFLOW)));
        return {QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                QTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59))};
    }

private:
    // A folder is a real directory; a symbolic link to one is a file and is never followed.
    bool isFolder(const dirent &entry) const
    {
        if (entry.d_type != DT_UNKNOWN)
            return entry.d_type == DT_DIR;
        struct stat info;
        if (fstatat(m_dir.fd(), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        return S_ISDIR(info.st_mode);
    }

    QByteArray m_path;
    DirHandle m_dir;
    PosixFileSystem &m_fileSystem;
    std::vector<QByteArray> m_files;
    std::vector<QByteArray> m_subFolders;
};

} // namespace

PosixFileSystem::PosixFileSystem() : m_pseudoDevices(pseudoFileSystemDevices()) {}

std::unique_ptr<Folder> PosixFileSystem::GetFolder(const QByteArray &path)
{
    if (path.isEmpty())
        throw invalidArgumentError();
    const int fd = open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw errorFromErrno(errno, ErrnoSubject::Folder);
    DIR *dir = fdopendir(fd);
    if (!dir) {
        const int err = errno;
        close(fd);
        throw errorFromErrno(err, ErrnoSubject::Folder);
    }
    auto folder = std::make_unique<PosixFolder>(path, dir, *this);
    struct stat info;
    const bool pseudo = !m_pseudoDevices.isEmpty() && fstat(fd, &info) == 0
                        && m_pseudoDevices.contains(info.st_dev);
    if (!pseudo)
        folder->list();
    return folder;
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
    return !path.isEmpty() && stat(QFile::encodeName(path).constData(), &info) == 0
           && !S_ISDIR(info.st_mode);
}

void PosixFileSystem::DeleteFile(const QString &path)
{
    if (path.isEmpty())
        throw invalidArgumentError();
    if (unlink(QFile::encodeName(path).constData()) != 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
}

} // namespace kestrova
