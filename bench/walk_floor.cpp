// The floor of a one-core walk: readdir and statx of every entry, depth first, nothing else
// (no types, no dates, no output). generate_bench.py prints its time beside the others.
//
//   build/bench/walk_floor TREE
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long long g_entries = 0;

void walk(int fd)
{
    DIR *dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return;
    }
    std::vector<std::string> folders;
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        ++g_entries;
        if (entry->d_type == DT_DIR) {
            folders.emplace_back(name);
        } else {
            struct statx info;
            statx(dirfd(dir), name, AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME, &info);
        }
    }
    const int self = dup(dirfd(dir));
    closedir(dir);
    for (const std::string &name : folders) {
        const int sub = openat(self, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub >= 0)
            walk(sub);
    }
    close(self);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: walk_floor TREE\n");
        return 2;
    }
    walk(open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::printf("%lld entries\n", g_entries);
    return 0;
}
