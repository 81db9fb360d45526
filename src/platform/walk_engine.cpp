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
// Entries listed ahead of the writer at most; folder handles kept open at most.
constexpr qsizetype kMaxAhead = 1 << 16;
constexpr size_t kMaxHandles = 128;

} // namespace

WalkEngine::WalkEngine(int workers) : m_workerCount(std::max(1, workers)) {}

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
    node.created = {};
    node.fileFailures = {};
    const bool allTaken = std::all_of(node.children.begin(), node.children.end(),
                                      [](const auto &child) { return child->state == WalkNode::State::Taken; });
    if (allTaken) {
        for (const auto &child : node.children)
            forget(*child);
        node.children.clear();
    }
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
            fd = openChild(*node);
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
    }
    lock.unlock();
    std::vector<QByteArray> subFolders;
    std::optional<Error> failure;
    try {
        listFolder(fd, node->files, subFolders, node->dev, node->inode);
        node->created.resize(node->files.size());
        node->fileFailures.resize(node->files.size());
        for (size_t i = 0; i < node->files.size(); ++i) {
            try {
                node->created[i] = entryCreated(fd, node->files[i]);
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

int WalkEngine::openChild(WalkNode &node)
{
    const int parentFd = handleOf(*node.parent);
    const int fd = openat(parentFd, node.name.constData(), kFolderFlags | O_NOFOLLOW);
    if (fd < 0)
        throw errorFromErrno(errno == ELOOP ? ENOTDIR : errno, ErrnoSubject::Folder);
    return fd;
}

int WalkEngine::handleOf(WalkNode &node)
{
    if (node.fd >= 0)
        return node.fd;
    const int parentFd = handleOf(*node.parent); // the root's handle is never given back
    const int fd = openat(parentFd, node.name.constData(), kFolderFlags | O_NOFOLLOW);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_dev != node.dev || info.st_ino != node.inode) {
        if (fd >= 0)
            ::close(fd);
        throw errorFromErrno(ENOENT, ErrnoSubject::Folder);
    }
    node.fd = fd;
    keepHandle(node);
    return fd;
}

void WalkEngine::keepHandle(WalkNode &node)
{
    m_open.push_back(&node);
    while (m_open.size() > kMaxHandles)
        closeHandle(*m_open.front());
}

void WalkEngine::closeHandle(WalkNode &node)
{
    const auto found = std::find(m_open.begin(), m_open.end(), &node);
    if (found != m_open.end())
        m_open.erase(found);
    if (node.fd >= 0)
        ::close(std::exchange(node.fd, -1));
}

void WalkEngine::forget(WalkNode &node)
{
    for (const auto &child : node.children)
        forget(*child);
    if (node.fd >= 0)
        closeHandle(node);
}

} // namespace kestrova
