// A walk that lists folders ahead of its reader on worker threads: each folder is opened
// relative to its parent's handle, listed, and its entries' creation times read, while the
// writer of the catalogue is still at an earlier folder. The writer asks for the folders in
// the order of the sequential walk and gets exactly what that walk would give, failures
// included, at the same places; it never waits for a folder nobody is listing (it lists
// that one itself). At most a fixed number of entries are listed ahead, and a fixed number
// of folder handles kept open (others are opened again by name from an open ancestor, and
// checked to be the folder listed before), so memory and handles do not grow with the tree.
#pragma once

#include "file_system.h"
#include "platform/text/file_types.h"

#include <memory>

namespace kestrova {

class WalkEngine;

class ParallelFileSystem final : public FileSystem
{
public:
    // workers: the threads that list ahead (at least 1).
    explicit ParallelFileSystem(int workers);
    ~ParallelFileSystem() override;

    // The root of a walk: its sub-folders are listed ahead as soon as it is open. One walk at
    // a time; the next GetFolder() starts a new one.
    std::unique_ptr<Folder> GetFolder(const QByteArray &path) override;
    bool FileExists(const QString &path) override;
    void DeleteFile(const QString &path) override;

    // How many requests are kept in flight by default: the machine's cores, at least two.
    static int defaultWorkers();

private:
    int m_workers;
    std::shared_ptr<WalkEngine> m_engine;
    std::unique_ptr<FileTypes> m_types; // built at the first walk: the MIME database takes a moment
};

} // namespace kestrova
