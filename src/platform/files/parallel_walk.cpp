#include "parallel_walk.h"

#include "folder_listing.h"
#include "posix_file_system.h"
#include "walk_engine.h"

#include <algorithm>
#include <cerrno>
#include <thread>

namespace kestrova {
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
    std::vector<QByteArray> SubFolderTails() const override
    {
        return subFolderTails(!m_node->parent && m_node->rootPath.endsWith('/'), m_engine->childNames(*m_node));
    }
    std::vector<QByteArray> SubFolders() const override
    {
        const QByteArray path = Path();
        std::vector<QByteArray> paths;
        for (const auto &child : m_node->children)
            paths.push_back(joinPath(path, child->name));
        return paths;
    }
    QString Type(const QByteArray &fileName) override { return m_types.describe(fileName); }
    LocalDateTime DateCreated(const QByteArray &fileName) override { return Stat(fileName).created; }
    FileStat Stat(const QByteArray &fileName) override
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
        return m_node->stats[i];
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
