// Runs a program with arguments given as raw bytes (QProcess would pass them as text and lose
// bytes that are not UTF-8), its standard output going to a file of the test's choosing.
#pragma once

#include <QByteArray>
#include <QList>

#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrova::testing {

struct ProcessResult
{
    int status = -1; // the exit status, or -1 when the program did not exit normally
    QByteArray err;  // what it wrote on standard error
};

// Limits the program starts under, as "ulimit -s" and "ulimit -n" set them; 0 keeps this
// process's.
struct ProcessLimits
{
    rlim_t stackBytes = 0;
    rlim_t openFiles = 0;
};

inline ProcessResult runProgram(const QList<QByteArray> &argv, const QByteArray &stdoutPath = "/dev/null",
                                ProcessLimits limits = {})
{
    ProcessResult result;
    int errPipe[2];
    if (pipe(errPipe) != 0)
        return result;
    const pid_t child = fork();
    if (child == 0) {
        const int out = ::open(stdoutPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = ::open("/dev/null", O_RDONLY);
        if (out < 0 || in < 0)
            _exit(127);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(errPipe[0]);
        for (const auto &[resource, value] : {std::pair{RLIMIT_STACK, limits.stackBytes},
                                              std::pair{RLIMIT_NOFILE, limits.openFiles}}) {
            const rlimit limit{value, value};
            if (value != 0 && setrlimit(resource, &limit) != 0)
                _exit(126);
        }
        std::vector<char *> args;
        for (const QByteArray &arg : argv)
            args.push_back(const_cast<char *>(arg.constData()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(errPipe[1]);
    char buffer[4096];
    ssize_t got;
    while ((got = read(errPipe[0], buffer, sizeof buffer)) > 0)
        result.err.append(buffer, got);
    close(errPipe[0]);
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

} // namespace kestrova::testing
