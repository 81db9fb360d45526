// The program's standard output as a device that remembers its first failed write, so that a
// command line program can tell "the output could not be written" (a full disk, /dev/full)
// from "the reader went away" (a closed pipe, which ends a filter quietly), and never reports
// success for output that was lost.
#pragma once

#include <QIODevice>

namespace kestrova {

class StandardOutput final : public QIODevice
{
public:
    // Opened for writing on file descriptor fd (1: standard output). A write to a closed pipe
    // fails with EPIPE instead of ending the program.
    explicit StandardOutput(int fd = 1);

    // The error number of the first write that failed, 0 while none has.
    int failure() const { return m_failure; }
    bool readerWentAway() const;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    int m_fd;
    int m_failure = 0;
};

} // namespace kestrova
