// Folder chains deeper than PATH_MAX, made and removed through folder handles, since no call
// that takes a whole path can reach their lower levels.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova::testing {

// Makes depth nested folders named name under root, with one file "leaf.txt" at the bottom.
// Answers whether every step worked.
inline bool makeFolderChain(const QByteArray &root, const QByteArray &name, int depth)
{
    int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; fd >= 0 && level < depth; ++level) {
        const int next = mkdirat(fd, name.constData(), 0755) == 0
                             ? openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                             : -1;
        ::close(fd);
        fd = next;
    }
    if (fd < 0)
        return false;
    const int leaf = openat(fd, "leaf.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ::close(fd);
    return leaf >= 0 && ::close(leaf) == 0;
}

// Removes everything in the folder of fd, however deep; closes fd.
inline void removeContentsAt(int fd)
{
    DIR *dir = fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    while (const dirent *entry = readdir(dir)) {
        const char *n = entry->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        if (unlinkat(dirfd(dir), n, 0) == 0)
            continue;
        const int sub = openat(dirfd(dir), n, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub >= 0)
            removeContentsAt(sub);
        unlinkat(dirfd(dir), n, AT_REMOVEDIR);
        rewinddir(dir);
    }
    closedir(dir);
}

// A temporary folder removed whole, whatever its names hold: QTemporaryDir leaves behind the
// names that are not UTF-8, which it cannot name.
class TemporaryFolder : public QTemporaryDir
{
public:
    TemporaryFolder() = default;
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;
    ~TemporaryFolder()
    {
        if (isValid())
            removeContentsAt(::open(QFile::encodeName(path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
};

} // namespace kestrova::testing
