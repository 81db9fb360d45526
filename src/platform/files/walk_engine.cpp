#include "walk_engine.h"

#include "file_system.h"
#include "folder_listing.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
// Entries listed ahead of the writer at most; folder handles kept open at most (fewer when the
// process may not open that many files).
constexpr qsizetype kMaxAhead = 1 << 16;
constexpr int kMaxHandles = 1024;

} // namespace

WalkEngine::WalkEngine(int workers)
    : m_workerCount(std::max(1, workers)),
      // The writer and every worker may be listing a folder at once, each through its handle.
      m_maxHandles(size_t(folderHandleBudget(kMaxHandles, std::max(1, workers) + 1)))
{
}

WalkEngine::~WalkEngine()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workAvailable.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
    for (WalkNode *node : m_open)
        ::close(std::exchange(node->fd, -1));
    if (m_root && m_root->fd >= 0)
        ::close(m_root->fd);
    // Taken apart from the top, so that a deep tree listed ahead and never walked (a run that
    // failed) does not go down in one destructor calling the next.
    std::vector<std::shared_ptr<WalkNode>> parts;
    m_pending.clear();
    if (m_root)
        parts.push_back(std::move(m_root));
    while (!parts.empty()) {
        std::shared_ptr<WalkNode> node = std::move(parts.back());
        parts.pop_back();
        for (auto &child : node->children)
            parts.push_back(std::move(child));
    }
}

std::shared_ptr<WalkNode> WalkEngine::start(const QByteArray &path)
{
    m_root = std::make_shared<WalkNode>();
    m_root->rootPath = path;
    const int fd = ::open(path.constData(), kFolderFlags);
    if (fd < 0)
        throw errorFromErrno(errno, ErrnoSubject::Folder);
    m_root->fd = fd; // held for the whole walk
    std::unique_lock lock(m_mutex);
    m_root->state = WalkNode::State::Listing;
    list(m_root, lock, true);
    m_root->state = WalkNode::State::Taken;
    m_ahead -= m_root->weight;
    if (m_root->failure)
        throw *m_root->failure;
    return m_root;
}

void WalkEngine::take(const std::shared_ptr<WalkNode> &node)
{
    std::unique_lock lock(m_mutex);
    // The workers start with the walk's first descent: a folder only listed (the search's
    // folder of catalogues) has nothing listed ahead.
    if (m_workers.empty() && !m_noWorkers) {
        try {
            for (int i = 0; i < m_workerCount; ++i)
                m_workers.emplace_back([this] { work(); });
        } catch (const std::system_error &) {
            // No thread to be had: the writer lists every folder itself, as it would anyway.
            m_noWorkers = m_workers.empty();
        }
    }
    if (node->state == WalkNode::State::Pending) {
        node->state = WalkNode::State::Listing;
        list(node, lock, false);
    }
    m_listed.wait(lock, [&] { return node->state == WalkNode::State::Listed; });
    node->state = WalkNode::State::Taken;
    m_ahead -= node->weight;
    lock.unlock();
    m_workAvailable.notify_all();
}

void WalkEngine::release(WalkNode &node)
{
    const std::lock_guard lock(m_mutex);
    node.files = {};
    node.stats = {};
    node.fileFailures = {};
    const bool allTaken = std::all_of(node.children.begin(), node.children.end(),
                                      [](const auto &child) { return child->state == WalkNode::State::Taken; });
    if (allTaken) {
        for (const auto &child : node.children)
            forget(*child);
        node.children.clear();
    }
}

std::vector<QByteArray> WalkEngine::childNames(const WalkNode &node) const
{
    std::vector<QByteArray> names;
    names.reserve(node.children.size());
    for (const auto &child : node.children)
        names.push_back(child->name);
    return names;
}

QByteArray WalkEngine::pathOf(const WalkNode &node) const
{
    std::vector<const WalkNode *> chain;
    for (const WalkNode *n = &node; n; n = n->parent)
        chain.push_back(n);
    // Built from the root down in one buffer: deep in a tree a path is long.
    qsizetype size = 0;
    for (const WalkNode *n : chain)
        size += (n->parent ? n->name.size() : n->rootPath.size()) + 1;
    QByteArray path;
    path.reserve(size);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!(*it)->parent) {
            path = (*it)->rootPath;
            continue;
        }
        if (!path.endsWith('/'))
            path += '/';
        path += (*it)->name;
    }
    return path;
}

void WalkEngine::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workAvailable.wait(lock, [&] { return m_stopping || (!m_pending.empty() && m_ahead < kMaxAhead); });
        if (m_stopping)
            return;
        std::shared_ptr<WalkNode> node = std::move(m_pending.back());
        m_pending.pop_back();
        if (node->state != WalkNode::State::Pending)
            continue; // the writer took it first
        node->state = WalkNode::State::Listing;
        list(node, lock, false);
    }
}

void WalkEngine::list(const std::shared_ptr<WalkNode> &node, std::unique_lock<std::mutex> &lock, bool isRoot)
{
    int fd = node->fd;
    if (!isRoot) {
        std::optional<Error> openFailure;
        try {
            fd = openChild(*node, lock);
        } catch (const Error &error) {
            openFailure = error;
        }
        // A parent whose sub-folders are all open needs its handle no more.
        WalkNode &parent = *node->parent;
        if (--parent.childrenToOpen == 0 && parent.parent && parent.fd >= 0)
            closeHandle(parent);
        if (openFailure) {
            node->failure = openFailure;
            finish(node);
            return;
        }
        ++m_listings;
    }
    lock.unlock();
    std::vector<QByteArray> subFolders;
    std::optional<Error> failure;
    try {
        listFolder(fd, node->files, subFolders, node->dev, node->inode);
        node->stats.resize(node->files.size());
        node->fileFailures.resize(node->files.size());
        for (size_t i = 0; i < node->files.size(); ++i) {
            try {
                node->stats[i] = entryStat(fd, node->files[i]);
            } catch (const Error &error) {
                node->fileFailures[i] = error;
            }
        }
    } catch (const Error &error) {
        failure = error;
    } catch (const std::bad_alloc &) {
        failure = outOfMemoryError(); // one folder too large to hold: reported, the walk goes on
    }
    lock.lock();
    if (failure) {
        node->failure = failure;
        node->files.clear();
        subFolders.clear();
    }
    for (QByteArray &name : subFolders) {
        auto child = std::make_shared<WalkNode>();
        child->parent = node.get();
        child->name = std::move(name);
        node->children.push_back(std::move(child));
    }
    node->childrenToOpen = node->children.size();
    if (!isRoot) {
        if (node->children.empty() || failure) {
            ::close(fd);
        } else {
            node->fd = fd;
            keepHandle(*node);
        }
        --m_listings;
        m_handleFreed.notify_all();
    }
    // The first sub-folder on top: the workers go down the tree as the writer will.
    for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
        m_pending.push_back(*it);
    finish(node);
}

void WalkEngine::finish(const std::shared_ptr<WalkNode> &node)
{
    node->weight = qsizetype(node->files.size() + node->children.size()) + 1;
    m_ahead += node->weight;
    node->state = WalkNode::State::Listed;
    m_listed.notify_all();
    m_workAvailable.notify_all();
}

int WalkEngine::openChild(WalkNode &node, std::unique_lock<std::mutex> &lock)
{
    return openFolderAt(node, lock, false);
}

int WalkEngine::openFolderAt(WalkNode &node, std::unique_lock<std::mutex> &lock, bool again)
{
    for (;;) {
        const int parentFd = handleOf(*node.parent, lock);
        const int fd = openat(parentFd, node.name.constData(), kFolderFlags | O_NOFOLLOW);
        if (fd >= 0)
            return fd;
        const int err = errno;
        if (isOutOfHandles(err) && handleToSpare(node.parent, lock))
            continue;
        throw errorFromErrno(again ? ENOENT : err == ELOOP ? ENOTDIR : err, ErrnoSubject::Folder);
    }
}

int WalkEngine::handleOf(WalkNode &node, std::unique_lock<std::mutex> &lock)
{
    // The nearest ancestor with a handle (the root's is never given back), then down from it,
    // each folder opened again by name and checked to be the one listed before.
    std::vector<WalkNode *> closedChain;
    for (WalkNode *n = &node; n->fd < 0; n = n->parent)
        closedChain.push_back(n);
    for (auto it = closedChain.rbegin(); it != closedChain.rend(); ++it) {
        WalkNode &folder = **it;
        const int fd = openFolderAt(folder, lock, true);
        if (folder.fd >= 0) { // opened by another thread while this one waited for a handle
            ::close(fd);
            continue;
        }
        struct stat info;
        if (fstat(fd, &info) != 0 || info.st_dev != folder.dev || info.st_ino != folder.inode) {
            ::close(fd);
            throw errorFromErrno(ENOENT, ErrnoSubject::Folder);
        }
        folder.fd = fd;
        keepHandle(folder);
    }
    return node.fd;
}

bool WalkEngine::handleToSpare(const WalkNode *keep, std::unique_lock<std::mutex> &lock)
{
    // A kept handle other than the one in use is given back; failing that, the listings in
    // progress end soon and give theirs back.
    for (WalkNode *open : m_open) {
        if (open != keep) {
            closeHandle(*open);
            return true;
        }
    }
    if (m_listings == 0)
        return false;
    const qsizetype listings = m_listings;
    const quint64 freed = m_handlesFreed;
    m_handleFreed.wait(lock, [&] { return m_handlesFreed != freed || m_listings < listings; });
    return true;
}

void WalkEngine::keepHandle(WalkNode &node)
{
    m_open.push_back(&node);
    while (m_open.size() > m_maxHandles)
        closeHandle(*m_open.front());
}

void WalkEngine::closeHandle(WalkNode &node)
{
    // Looked for from the newest: a folder is mostly closed soon after it was opened.
    const auto found = std::find(m_open.rbegin(), m_open.rend(), &node);
    if (found != m_open.rend())
        m_open.erase(std::next(found).base());
    if (node.fd >= 0) {
        ::close(std::exchange(node.fd, -1));
        ++m_handlesFreed;
        m_handleFreed.notify_all();
    }
}

void WalkEngine::forget(WalkNode &node)
{
    std::vector<WalkNode *> below{&node};
    while (!below.empty()) {
        WalkNode *next = below.back();
        below.pop_back();
        for (const auto &child : next->children)
            below.push_back(child.get());
        if (next->fd >= 0)
            closeHandle(*next);
    }
}

} // namespace kestrova
