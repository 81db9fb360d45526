// A file made without a name, that takes its place only once it is complete: opened with
// O_TMPFILE in the folder of its place, it has no name while it is written, so that no listing
// of the folder (a catalogue of a tree that holds it) ever sees it and a run that ends part-way,
// however it ends, leaves nothing behind. Where the file system cannot make such files, it is a
// file named beside its place, "<name>.new-<process>-<n>". Such files left by a process that is
// gone (killed between naming and renaming, or by an earlier version) are removed when the next
// one for the same place is made.
#pragma once

#include <QByteArray>

#include <sys/types.h>

namespace kestrova {

class UnnamedFile
{
public:
    // path: where the file goes, as bytes; its folder must be there. mode: the permissions the
    // file is made with (the process's umask applies).
    UnnamedFile(const QByteArray &path, mode_t mode);
    // Without putInPlace(), nothing of the file is left.
    ~UnnamedFile();
    UnnamedFile(const UnnamedFile &) = delete;
    UnnamedFile &operator=(const UnnamedFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // The file's descriptor, for reading and writing; the file keeps it.
    int descriptor() const { return m_fd; }
    // Gives the file its path, in place of what was there; false when it cannot, and then the
    // path is as it was, with errno telling why. The descriptor is closed.
    bool putInPlace();
    // Whether errno tells that the file system cannot make unnamed files.
    static bool lacksUnnamedFiles(int error);

private:
    QByteArray m_path;
    QByteArray m_named; // the named fallback's path; empty for an unnamed file
    int m_fd = -1;
};

} // namespace kestrova
