#include "index_cache.h"

#include "platform/files/file_names.h"
#include "platform/files/private_files.h"

#include <QCryptographicHash>
#include <QDir>

#include <algorithm>

namespace kestrova {

QByteArray absoluteCataloguePath(const QByteArray &path)
{
    // "." and ".." taken out as the search's folder is, so that ./cats/a.txt and the search
    // name one catalogue alike.
    return encodeFileName(QDir::cleanPath(QDir::current().absoluteFilePath(decodeFileName(path))));
}

IndexCache::IndexCache(const CacheLocation &location, Builds builds, const index_format::Sizes &sizes)
    : m_folder(location.folder()), m_builds(builds), m_sizes(sizes)
{
    m_refused = !m_folder.isEmpty() && privateFolderState(m_folder) == PrivateFolderState::NotPrivate;
}

IndexCache::~IndexCache()
{
    m_cancel = true;
    {
        std::lock_guard lock(m_mutex);
        m_queue.clear();
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

QByteArray IndexCache::indexPathFor(const QByteArray &absolutePath) const
{
    if (m_folder.isEmpty() || m_refused)
        return {};
    return encodeFileName(m_folder) + '/'
           + QCryptographicHash::hash(absolutePath, QCryptographicHash::Sha1).toHex() + ".index";
}

IndexCache::Answer IndexCache::find(const QByteArray &path, const FileReader &catalogue, const QString &criteria,
                                    bool caseSensitive) const
{
    const QByteArray absolute = absoluteCataloguePath(path);
    const QByteArray indexPath = indexPathFor(absolute);
    if (indexPath.isEmpty())
        return {};
    const std::unique_ptr<SearchIndex> index = SearchIndex::open(indexPath, absolute, catalogue, m_sizes);
    if (!index)
        return {};
    Answer answer{true, std::nullopt};
    if (index->readsWhole())
        return answer;
    ScanPlan plan;
    switch (index->plan(criteria, caseSensitive, plan)) {
    case SearchIndex::Plan::Narrowed:
        break;
    case SearchIndex::Plan::ReadWhole:
        return answer;
    case SearchIndex::Plan::Damaged:
        return {};
    }
    if (index->racy() && !index->contentMatches(catalogue))
        return {};
    ++m_narrowed;
    answer.plan = std::move(plan);
    return answer;
}

bool IndexCache::buildNow(const QByteArray &absolutePath)
{
    const QByteArray indexPath = indexPathFor(absolutePath);
    if (indexPath.isEmpty() || !makePrivateFolder(m_folder))
        return false;
    try {
        FileReader catalogue(absolutePath);
        if (!catalogue.isRegular())
            return false;
        const bool written = writePrivateFileWhole(indexPath, [&](QFileDevice &out) {
            return writeSearchIndex(catalogue, absolutePath, out, &m_cancel, m_sizes);
        });
        sweep();
        return written;
    } catch (const Error &) {
        // A disk that is full or read-only only means no index.
        return false;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

namespace {

class RidingBuild final : public CatalogueTap
{
public:
    // catalogue: the catalogue open for the reading, or null while it is being written.
    RidingBuild(const QByteArray &indexPath, const QByteArray &absolutePath, const FileReader *catalogue,
                const index_format::Sizes &sizes)
        : m_absolutePath(absolutePath), m_writer(indexPath), m_started(nowNs())
    {
        if (catalogue)
            m_identity = catalogue->identityAtOpening();
        // A catalogue being written changes until it is complete: its bytes are always summed.
        const bool racy = !catalogue || std::max(m_identity.modifiedNs, m_identity.changedNs)
                                            > m_started - index_format::kTimestampSlackNs;
        if (m_writer.isOpen())
            m_builder = std::make_unique<SearchIndexBuilder>(absolutePath, m_writer.file(), racy, sizes);
    }

    bool isOpen() const { return m_builder != nullptr; }

    void feed(QByteArrayView bytes) override
    {
        if (m_failed)
            return;
        try {
            m_builder->feed(bytes);
        } catch (const Error &) {
            m_failed = true; // a full disk only means no index
        } catch (const std::bad_alloc &) {
            m_failed = true;
        }
    }

    bool finish() override
    {
        if (m_failed)
            return false;
        try {
            // Read: the catalogue must be as it was opened. Written: the index is bound to the
            // file as it is now, and (summed) used only while it holds the bytes fed.
            const FileReader now(m_absolutePath);
            const FileIdentity identity = now.identityAtOpening();
            if (m_identity.size >= 0 && !(identity == m_identity))
                return false;
            return m_builder->finish(identity, m_started) && now.identityNow() == identity && m_writer.commit();
        } catch (const Error &) {
            return false;
        } catch (const std::bad_alloc &) {
            return false;
        }
    }

private:
    QByteArray m_absolutePath;
    PrivateFileWriter m_writer;
    std::unique_ptr<SearchIndexBuilder> m_builder;
    FileIdentity m_identity; // as the reading opened it; size -1 while written
    qint64 m_started;
    bool m_failed = false;
};

// A tap that hands the bytes to a thread of its own in chunks, so that the writer it rides on
// (the generation's, on which the whole run waits) only copies them. At most kChunks wait.
class ThreadedTap final : public CatalogueTap
{
public:
    explicit ThreadedTap(std::unique_ptr<CatalogueTap> inner)
        : m_inner(std::move(inner)), m_thread([this] { run(); })
    {
        m_pending.reserve(kChunkBytes);
    }

    ~ThreadedTap() override { close(); }

    void feed(QByteArrayView bytes) override
    {
        m_pending.append(bytes);
        if (m_pending.size() >= kChunkBytes)
            hand(std::exchange(m_pending, QByteArray()));
    }

    bool finish() override
    {
        if (!m_pending.isEmpty())
            hand(std::exchange(m_pending, QByteArray()));
        close();
        return m_inner->finish();
    }

private:
    static constexpr qsizetype kChunkBytes = 1 << 18;
    static constexpr size_t kChunks = 8;

    // Hands a chunk over; the next one fills the memory of one taken already, when there is one
    // (new memory costs a page fault every four kilobytes).
    void hand(QByteArray chunk)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_chunks.size() < kChunks; });
        m_chunks.push_back(std::move(chunk));
        if (!m_spare.empty()) {
            m_pending = std::move(m_spare.back());
            m_spare.pop_back();
        }
        lock.unlock();
        m_changed.notify_all();
        m_pending.reserve(kChunkBytes);
    }

    void close()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_closed = true;
        }
        m_changed.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_closed || !m_chunks.empty(); });
            if (m_chunks.empty())
                return;
            QByteArray chunk = std::move(m_chunks.front());
            m_chunks.pop_front();
            m_changed.notify_all();
            lock.unlock();
            m_inner->feed(chunk);
            chunk.resize(0); // its memory is kept
            lock.lock();
            m_spare.push_back(std::move(chunk));
        }
    }

    std::unique_ptr<CatalogueTap> m_inner;
    QByteArray m_pending;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_chunks;
    std::vector<QByteArray> m_spare; // fed already, emptied
    bool m_closed = false;
    std::thread m_thread; // last: it starts once the rest is there
};

} // namespace

std::unique_ptr<CatalogueTap> IndexCache::buildWhileReading(const QByteArray &path, const FileReader &catalogue) const
{
    // A window's search leaves the indexing to the cache's thread, so that its hits come as
    // fast as a reading without an index.
    if (m_builds != Builds::Inline)
        return nullptr;
    const QByteArray absolute = absoluteCataloguePath(path);
    const QByteArray indexPath = indexPathFor(absolute);
    if (indexPath.isEmpty() || !catalogue.isRegular() || !makePrivateFolder(m_folder))
        return nullptr;
    auto build = std::make_unique<RidingBuild>(indexPath, absolute, &catalogue, m_sizes);
    return build->isOpen() ? std::move(build) : nullptr;
}

std::unique_ptr<CatalogueTap> IndexCache::buildWhileWriting(const QByteArray &path) const
{
    const QByteArray absolute = absoluteCataloguePath(path);
    const QByteArray indexPath = indexPathFor(absolute);
    if (indexPath.isEmpty() || !makePrivateFolder(m_folder))
        return nullptr;
    auto build = std::make_unique<RidingBuild>(indexPath, absolute, nullptr, m_sizes);
    if (!build->isOpen())
        return nullptr;
    return std::make_unique<ThreadedTap>(std::move(build));
}

void IndexCache::build(const QByteArray &path)
{
    if (m_builds == Builds::OnRequest)
        return;
    const QByteArray absolute = absoluteCataloguePath(path);
    if (m_builds == Builds::Inline) {
        buildNow(absolute);
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        if (std::find(m_queue.begin(), m_queue.end(), absolute) != m_queue.end())
            return;
        m_queue.push_back(absolute);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { runBuilds(); });
    }
    m_changed.notify_all();
}

void IndexCache::runBuilds()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_cancel || !m_queue.empty(); });
        if (m_cancel)
            return;
        const QByteArray path = m_queue.front();
        m_queue.pop_front();
        m_building = true;
        lock.unlock();
        buildNow(path);
        lock.lock();
        m_building = false;
        m_changed.notify_all();
    }
}

void IndexCache::waitForBuilds()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancel || (m_queue.empty() && !m_building); });
}

IndexCache::Refresh IndexCache::refresh(const QByteArray &path)
{
    const QByteArray absolute = absoluteCataloguePath(path);
    try {
        FileReader catalogue(absolute);
        if (!catalogue.isRegular())
            return Refresh::Failed;
        if (const std::unique_ptr<SearchIndex> index = SearchIndex::open(indexPathFor(absolute), absolute, catalogue, m_sizes)) {
            if (index->readsWhole())
                return Refresh::ReadWhole;
            if (index->wholeIndexChecks() && (!index->racy() || index->contentMatches(catalogue)))
                return Refresh::Current;
        }
    } catch (const Error &) {
        return Refresh::Failed;
    }
    if (!buildNow(absolute))
        return Refresh::Failed;
    try {
        FileReader catalogue(absolute);
        const std::unique_ptr<SearchIndex> index = SearchIndex::open(indexPathFor(absolute), absolute, catalogue, m_sizes);
        return !index ? Refresh::Failed : index->readsWhole() ? Refresh::ReadWhole : Refresh::Built;
    } catch (const Error &) {
        return Refresh::Failed;
    }
}

} // namespace kestrova
