// The search indexes of catalogue files, kept in the cache folder (never beside the
// catalogues, where every file is read as one): a file per catalogue, named by a hash of the
// catalogue's absolute path. An index is written whole or not at all; a cache folder that
// cannot be written only means that searches read the catalogues whole. The folder and the
// indexes are the user's alone (private_files.h): a folder another user owns or may write to is
// not used at all.
#pragma once

#include "search_index.h"

#include "catalogue/catalogue_tap.h"
#include "catalogue/catalogue_tree.h"

#include "platform/files/cache_location.h"

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace kestrova {

class IndexCache
{
public:
    // Inline: build() makes the index at once, on the caller's thread, and a search builds the
    // index of a catalogue it reads whole. Background: build() hands it to a thread of the
    // cache's own, so that a window goes on at once. OnRequest: a search only uses the indexes
    // there (building one costs more than the reading it would spare once); refresh() and
    // the generation's buildWhileWriting() still build.
    enum class Builds { Inline, Background, OnRequest };

    IndexCache(const CacheLocation &location, Builds builds, const index_format::Sizes &sizes = {});
    ~IndexCache(); // a build in progress is abandoned
    IndexCache(const IndexCache &) = delete;
    IndexCache &operator=(const IndexCache &) = delete;

    struct Answer
    {
        bool current = false;          // an index fits the catalogue as it is
        std::optional<ScanPlan> plan;  // the parts to read; nothing: the whole file
    };
    // What the index of the catalogue at path, as open in catalogue, says of these criteria.
    // Safe to call from several threads.
    Answer find(const QByteArray &path, const FileReader &catalogue, const QString &criteria,
                bool caseSensitive) const;

    // Makes the index of the catalogue at path again.
    void build(const QByteArray &path);

    // Indexes built from a catalogue's bytes as another reads or writes them: kept in the cache
    // only when the catalogue is whole and as it was; dropped otherwise.
    //
    // An index built from the bytes of the catalogue at path, open in catalogue, as a search
    // reads it whole from its start; null when no index can be kept (a cache folder refused or
    // not writable) or builds go to the background. Safe to call from several threads.
    std::unique_ptr<CatalogueTap> buildWhileReading(const QByteArray &path, const FileReader &catalogue) const;
    // An index built from the bytes of the catalogue being written at path, bound at finish()
    // to the file as it is then; null when no index can be kept.
    std::unique_ptr<CatalogueTap> buildWhileWriting(const QByteArray &path) const;

    enum class Refresh { Built, Current, ReadWhole, Failed };
    // Builds the index of the catalogue at path unless a current one is there (kestrova-cli
    // index). ReadWhole: the catalogue is too small or too odd to gain from one.
    Refresh refresh(const QByteArray &path);

    struct Pruned
    {
        int removed = 0;
        int kept = 0;
    };
    // Removes the indexes of catalogues that are gone (and damaged ones); a catalogue in a
    // folder that is not there now, as on a drive not plugged in, keeps its index.
    Pruned prune();
    // Keeps the folder within its bound: past it, prunes, then removes the indexes built longest
    // ago until the rest fits. Every build ends with it.
    void sweep();
    // The bound, in bytes (1 GiB unless set).
    void setSizeBound(qint64 bytes) { m_bound = bytes; }

    // The tree of the catalogue at path, as open in catalogue, from the folder table a reading
    // kept (keepFolderTable()): its folders and totals, its files read folder by folder. Null
    // when there is no table, or it does not fit the catalogue and its facts as they are now, or
    // is damaged. Safe to call from several threads.
    std::unique_ptr<CatalogueTree> openFolderTable(const QByteArray &path, const FileReader &catalogue) const;
    // Keeps the folders of tree (read whole) beside the catalogue's index; false when it cannot.
    bool keepFolderTable(const CatalogueTree &tree) const;

    // How many readings an index narrowed so far.
    quint64 narrowedReadings() const { return m_narrowed; }

    // The cache folder is there but not the user's alone: no index is read or written.
    bool folderRefused() const { return m_refused; }
    QString folder() const { return m_folder; }

    // Waits until the builds handed to the background thread are done.
    void waitForBuilds();

private:
    QByteArray indexPathFor(const QByteArray &absolutePath) const;
    QByteArray folderTablePathFor(const QByteArray &absolutePath) const;
    // Writes the index; the catalogue's state as it was read, or nothing on failure.
    bool buildNow(const QByteArray &absolutePath);
    void runBuilds();

    QString m_folder;
    Builds m_builds;
    index_format::Sizes m_sizes;
    std::atomic<qint64> m_bound{qint64(1) << 30};
    bool m_refused = false;
    std::atomic<bool> m_cancel{false};
    mutable std::atomic<quint64> m_narrowed{0};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_queue;
    bool m_building = false;
    std::thread m_thread;
};

// The catalogue path the folder table at tablePath names; empty when the file is no table of ours.
QByteArray catalogueOfFolderTable(const QString &tablePath);

// path made absolute against the working folder and cleaned of "." and "..", as the index
// of its catalogue is keyed.
QByteArray absoluteCataloguePath(const QByteArray &path);

} // namespace kestrova
