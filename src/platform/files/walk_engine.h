// The engine of the parallel walk: a tree of folders listed by worker threads ahead of the
// writer, which takes them in the order of the sequential walk. Budgets bound what is listed
// ahead and the folder handles held (sized from the limit on open files); a handle given back
// is opened again by name from an open ancestor, checked to be the folder listed before. No
// step recurses along the depth of the tree, so the depth is limited by nothing but memory,
// which grows linearly with it.
#pragma once

#include "file_system.h"
#include "platform/error.h"
#include "platform/text/date_conventions.h"

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <sys/types.h>

namespace kestrova {

// One folder of the walk: where it is, what its listing gave, and how far its writer and its
// sub-folders have got. Listing results are written by one thread and read after the state
// says Listed, under the engine's lock.
struct WalkNode
{
    enum class State { Pending, Listing, Listed, Taken };

    WalkNode *parent = nullptr;
    QByteArray name;     // a sub-folder's name; the root has its path instead
    QByteArray rootPath;
    int fd = -1;
    dev_t dev = 0;
    ino_t inode = 0;
    State state = State::Pending;
    std::optional<Error> failure; // the folder could not be opened or listed
    std::vector<QByteArray> files;
    std::vector<FileStat> stats;                       // per file; where it failed, fileFailures says why
    std::vector<std::optional<Error>> fileFailures;    // per file
    std::vector<std::shared_ptr<WalkNode>> children;
    size_t childrenToOpen = 0;
    qsizetype weight = 0; // entries counted against the budget until the writer takes them
};

class WalkEngine
{
public:
    explicit WalkEngine(int workers);
    ~WalkEngine();
    // Opens and lists the root here; the workers then list ahead.
    std::shared_ptr<WalkNode> start(const QByteArray &path);
    // The writer's turn at node: listed by a worker, waited for, or listed here.
    void take(const std::shared_ptr<WalkNode> &node);
    // The writer is done with node and everything below it.
    void release(WalkNode &node);
    // The folder's full path, made when asked.
    QByteArray pathOf(const WalkNode &node) const;
    // The names of the folder's sub-folders, in listing order.
    std::vector<QByteArray> childNames(const WalkNode &node) const;

private:
    void work();
    // Opens, lists and reads node; called and returning with the lock held, which is let go
    // around the system calls of the listing.
    void list(const std::shared_ptr<WalkNode> &node, std::unique_lock<std::mutex> &lock, bool isRoot);
    void finish(const std::shared_ptr<WalkNode> &node);
    // Opens a sub-folder relative to its parent's handle, never through a link; the parent's
    // handle is opened again when it was given back. For want of a handle, one is spared and
    // the open tried again. Called with the lock held.
    int openChild(WalkNode &node, std::unique_lock<std::mutex> &lock);
    int openFolderAt(WalkNode &node, std::unique_lock<std::mutex> &lock, bool again);
    int handleOf(WalkNode &node, std::unique_lock<std::mutex> &lock);
    // Makes a handle free: gives back a kept one other than keep's, or waits for a listing to
    // end; false when neither can be.
    bool handleToSpare(const WalkNode *keep, std::unique_lock<std::mutex> &lock);
    void keepHandle(WalkNode &node);
    void closeHandle(WalkNode &node);
    // A node that goes: its handle, and its children's, are given back.
    void forget(WalkNode &node);

    const int m_workerCount;
    const size_t m_maxHandles;
    std::mutex m_mutex;
    std::condition_variable m_workAvailable;
    std::condition_variable m_listed;
    std::condition_variable m_handleFreed;
    qsizetype m_listings = 0;   // sub-folders being listed, each through a handle of its own
    quint64 m_handlesFreed = 0; // handles given back so far
    std::vector<std::shared_ptr<WalkNode>> m_pending; // to list, the next on top
    std::deque<WalkNode *> m_open;                    // sub-folders holding a handle, oldest first
    qsizetype m_ahead = 0;
    bool m_stopping = false;
    bool m_noWorkers = false;
    std::shared_ptr<WalkNode> m_root;
    std::vector<std::thread> m_workers;
};

} // namespace kestrova
