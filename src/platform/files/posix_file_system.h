// The file-system services over the operating system's own calls (openat, readdir, statx).
// Qt's directory iterators drop names that are not valid UTF-8; this walk keeps every entry.
// Sub-folders are opened relative to their parent's handle and never through a link, so the
// walk reaches any depth (paths longer than PATH_MAX included) and a folder swapped for a link
// while the walk runs is not followed.
#pragma once

#include "file_system.h"
#include "platform/text/file_types.h"

#include <deque>
#include <memory>

namespace kestrova {

class PosixFolder;

class PosixFileSystem final : public FileSystem
{
public:
    // maxOpenFolders: how many folder handles below the root a walk keeps open at most (0: 1024,
    // or fewer when the process may not open that many files); the handles of ancestors beyond
    // that are closed and opened again, by name from the nearest open ancestor, when the walk
    // comes back to them. A folder that cannot be opened for want of a handle gets one given
    // back by an ancestor, so that it never fails for that alone.
    explicit PosixFileSystem(int maxOpenFolders = 0);
    ~PosixFileSystem() override;

    std::unique_ptr<Folder> GetFolder(const QByteArray &path) override;
    bool FileExists(const QString &path) override;
    void DeleteFile(const QString &path) override;

    // Built at the first type asked for: loading the MIME database takes a noticeable moment,
    // and a search never needs it.
    FileTypes &types();

    // Folder handles open now (for tests of the bound).
    int openFolderHandles() const { return int(m_open.size()); }

private:
    friend class PosixFolder;
    void opened(PosixFolder *folder);
    void closed(PosixFolder *folder);
    // Closes the handle of the folder open longest, other than keep; false when there is none.
    bool giveBackHandle(const PosixFolder *keep);

    static constexpr int kDefaultOpenFolders = 1024;

    std::unique_ptr<FileTypes> m_types;
    int m_maxOpenFolders;
    std::deque<PosixFolder *> m_open; // sub-folders with an open handle, oldest first
};

} // namespace kestrova
