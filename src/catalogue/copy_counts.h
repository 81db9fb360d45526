// How often each name and size occurs across drives, and whether on more than one of them: the
// copies report's count. A name and size is known by a 64-bit hash and 16 bits of a second one
// (a mix-up of two of ten million names has a chance of about one in 10^10), with the first
// drive it was seen on and its count: 16 bytes each, in open-addressed tables
// that are at most 80% full. The tables are split into shards by the hash's top bits, each with
// its own lock, so that threads count side by side; they grow one shard at a time.
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <array>
#include <mutex>
#include <optional>
#include <vector>

namespace kestrova {

struct CopyKey
{
    quint64 hash = 0;
    quint16 check = 0;
};

// The key of a file of a known size, and of one whose size is not known (by name and type).
CopyKey copyKeyOf(QByteArrayView name, qint64 size);
CopyKey copyKeyOf(QByteArrayView name, QByteArrayView type);

class CopyCounts
{
public:
    struct Count
    {
        quint32 copies = 0;
        bool onSeveralDrives = false;
    };

    // Counts one file of key, on a drive (numbered below 65,536). Safe
    // from several threads.
    void add(const CopyKey &key, quint32 drive);
    // Counts one file of key when key is counted already; false when it is not.
    bool addIfCounted(const CopyKey &key, quint32 drive);
    // What was counted of key. Not while others add.
    std::optional<Count> find(const CopyKey &key) const;
    // Brings key's cell towards the processor, for a find() a little later: a cell is rarely in
    // the cache, and fetching many at once hides the wait.
    void prefetch(const CopyKey &key) const
    {
        const std::vector<Cell> &cells = m_shards[shardIndex(key.hash)].cells;
        if (!cells.empty())
            __builtin_prefetch(&cells[size_t(key.hash) & (cells.size() - 1)]);
    }

    bool isEmpty() const { return distinct() == 0; }
    // Forgets every count and gives back the room.
    void clear();
    quint64 distinct() const;

    // Adds many keys at once, shard by shard, taking each shard's lock once for a batch; what a
    // thread gives add() one by one costs a lock each.
    class Batch
    {
    public:
        explicit Batch(CopyCounts &counts) : m_counts(counts) {}
        ~Batch() { flush(); }
        void add(const CopyKey &key, quint32 drive);
        void flush();

    private:
        struct Pending
        {
            CopyKey key;
            quint32 drive;
        };
        void flush(std::vector<Pending> &pending); // one shard's
        CopyCounts &m_counts;
        std::array<std::vector<Pending>, 64> m_pending;
    };

private:
    static constexpr int kShardBits = 6;
    struct Cell
    {
        quint64 hash;
        quint16 check;
        quint16 drive; // the first drive the key was counted in
        quint32 count;     // 0: the cell is free; the top bit: counted in several drives
    };
    static_assert(sizeof(Cell) == 16);
    static constexpr quint32 kSeveral = 0x80000000u;

    struct Shard
    {
        std::mutex lock;
        std::vector<Cell> cells;
        quint64 used = 0;
    };
    static size_t shardIndex(quint64 hash) { return size_t(hash >> (64 - kShardBits)); }
    // Where key's cell is in cells, or the free one where it goes (cells not empty).
    static size_t placeOf(const std::vector<Cell> &cells, const CopyKey &key);
    static void count(Cell &cell, quint32 drive);
    static void insert(Shard &shard, const CopyKey &key, quint32 drive);

    std::array<Shard, 64> m_shards;
};

} // namespace kestrova
