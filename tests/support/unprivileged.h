// Runs a piece of a test as an unprivileged user, for checks that root would pass anyway
// (root reads folders that deny access).
#pragma once

#include <QDir>
#include <QFile>

#include <functional>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrova::testing {

inline constexpr uid_t kNobody = 65534;

// Runs body in a child process under the user "nobody" when this process is root, or here when
// it is not. Gives body's result, or -1 when the child could not drop its privileges.
inline int runUnprivileged(const std::function<int()> &body)
{
    if (geteuid() != 0)
        return body();
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(255);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

// Opens a test folder to everyone, so that the unprivileged child can work in it.
inline void openToEveryone(const QString &path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                    | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                    | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                    | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

} // namespace kestrova::testing
