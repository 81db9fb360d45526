#include "parallel_walk.h"

#include "folder_listing.h"
#include "posix_file_system.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <new>
#include <system_error>
#include <thread>

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
    std::vector<std::optional<LocalDateTime>> created; // per file; empty where it failed
    std::vector<std::optional<Error>> fileFailures;    // per file
    std::vector<std::shared_ptr<WalkNode>> children;
    size_t childrenToOpen = 0;
    qsizetype weight = 0; // entries counted against the budget until the writer takes them
};

class WalkEngine
{
public:
    explicit WalkEngine(int workers) : m_workerCount(std::max(1, workers)) {}

    ~WalkEngine()
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

    // Opens and lists the root here; the workers then list ahead.
    std::shared_ptr<WalkNode> start(const QByteArray &path)
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

    // The writer's turn at node: listed by a worker, waited for, or listed here.
    void take(const std::shared_ptr<WalkNode> &node)
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

    // The writer is done with node and everything below it.
    void release(WalkNode &node)
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

    QByteArray pathOf(const WalkNode &node) const
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

private:
    void work()
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

    // Opens, lists and reads node; called and returning with the lock held, which is let go
    // around the system calls of the listing.
    void list(const std::shared_ptr<WalkNode> &node, std::unique_lock<std::mutex> &lock, bool isRoot)
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

    void finish(const std::shared_ptr<WalkNode> &node)
    {
        node->weight = qsizetype(node->files.size() + node->children.size()) + 1;
        m_ahead += node->weight;
        node->state = WalkNode::State::Listed;
        m_listed.notify_all();
        m_workAvailable.notify_all();
    }

    // Opens a sub-folder relative to its parent's handle, never through a link; the parent's
    // handle is opened again when it was given back.
    int openChild(WalkNode &node)
    {
        const int parentFd = handleOf(*node.parent);
        const int fd = openat(parentFd, node.name.constData(), kFolderFlags | O_NOFOLLOW);
        if (fd < 0)
            throw errorFromErrno(errno == ELOOP ? ENOTDIR : errno, ErrnoSubject::Folder);
        return fd;
    }

    int handleOf(WalkNode &node)
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

    void keepHandle(WalkNode &node)
    {
        m_open.push_back(&node);
        while (m_open.size() > kMaxHandles)
            closeHandle(*m_open.front());
    }

    void closeHandle(WalkNode &node)
    {
        const auto found = std::find(m_open.begin(), m_open.end(), &node);
        if (found != m_open.end())
            m_open.erase(found);
        if (node.fd >= 0)
            ::close(std::exchange(node.fd, -1));
    }

    // A node that goes: its handle, and its children's, are given back.
    void forget(WalkNode &node)
    {
        for (const auto &child : node.children)
            forget(*child);
        if (node.fd >= 0)
            closeHandle(node);
    }

    const int m_workerCount;
    std::mutex m_mutex;
    std::condition_variable m_workAvailable;
    std::condition_variable m_listed;
    std::vector<std::shared_ptr<WalkNode>> m_pending; // to list, the next on top
    std::deque<WalkNode *> m_open;                    // sub-folders holding a handle, oldest first
    qsizetype m_ahead = 0;
    bool m_stopping = false;
    bool m_noWorkers = false;
    std::shared_ptr<WalkNode> m_root;
    std::vector<std::thread> m_workers;
};

namespace {

class WalkFolder final : public Folder
{
public:
    WalkFolder(std::shared_ptr<WalkEngine> engine, std::shared_ptr<WalkNode> node, FileTypes &types)
        : m_engine(std::move(engine)), m_node(std::move(node)), m_types(types)
    {
    }
    ~WalkFolder() override { m_engine->release(*m_node); }

    QByteArray Path() const override { return m_engine->pathOf(*m_node); }
    const std::vector<QByteArray> &Files() const override { return m_node->files; }
    std::vector<QByteArray> SubFolders() const override
    {
        const QByteArray path = Path();
        std::vector<QByteArray> paths;
        for (const auto &child : m_node->children)
            paths.push_back(joinPath(path, child->name));
        return paths;
    }
    QString Type(const QByteArray &fileName) override { return m_types.describe(fileName); }
    LocalDateTime DateCreated(const QByteArray &fileName) override
    {
        // Asked in listing order: the next file is the one asked for.
        if (m_nextFile >= m_node->files.size() || m_node->files[m_nextFile] != fileName) {
            const auto found = std::find(m_node->files.begin(), m_node->files.end(), fileName);
            if (found == m_node->files.end())
                throw errorFromErrno(ENOENT, ErrnoSubject::File);
            m_nextFile = size_t(found - m_node->files.begin());
        }
        const size_t i = m_nextFile++;
        if (m_node->fileFailures[i])
            throw *m_node->fileFailures[i];
        return *m_node->created[i];
    }
    std::unique_ptr<Folder> OpenSubFolder(const QByteArray &subFolderPath) override
    {
        const QByteArray name = subFolderPath.mid(subFolderPath.lastIndexOf('/') + 1);
        if (m_nextChild >= m_node->children.size() || m_node->children[m_nextChild]->name != name) {
            const auto found = std::find_if(m_node->children.begin(), m_node->children.end(),
                                            [&](const auto &child) { return child->name == name; });
            if (found == m_node->children.end())
                throw errorFromErrno(ENOENT, ErrnoSubject::Folder);
            m_nextChild = size_t(found - m_node->children.begin());
        }
        const std::shared_ptr<WalkNode> child = m_node->children[m_nextChild++];
        m_engine->take(child);
        if (child->failure)
            throw *child->failure;
        return std::make_unique<WalkFolder>(m_engine, child, m_types);
    }

private:
    std::shared_ptr<WalkEngine> m_engine;
    std::shared_ptr<WalkNode> m_node;
    FileTypes &m_types;
    size_t m_nextFile = 0;
    size_t m_nextChild = 0;
};

} // namespace

ParallelFileSystem::ParallelFileSystem(int workers) : m_workers(std::max(1, workers)) {}

ParallelFileSystem::~ParallelFileSystem() = default;

std::unique_ptr<Folder> ParallelFileSystem::GetFolder(const QByteArray &path)
{
    if (path.isEmpty())
        throw invalidArgumentError();
    if (!m_types)
        m_types = std::make_unique<FileTypes>();
    m_engine = std::make_shared<WalkEngine>(m_workers);
    std::shared_ptr<WalkNode> root = m_engine->start(path);
    return std::make_unique<WalkFolder>(m_engine, std::move(root), *m_types);
}

bool ParallelFileSystem::FileExists(const QString &path)
{
    return PosixFileSystem().FileExists(path);
}

void ParallelFileSystem::DeleteFile(const QString &path)
{
    PosixFileSystem().DeleteFile(path);
}

int ParallelFileSystem::defaultWorkers()
{
    return std::max(2, int(std::thread::hardware_concurrency()));
}

} // namespace kestrova
