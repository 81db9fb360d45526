#include "copy_counts.h"

#include <QHashFunctions>

namespace kestrova {
namespace {

constexpr size_t kNameSalt = 0x243F6A8885A308D3ull;
constexpr size_t kCheckSalt = 0x13198A2E03707344ull;
constexpr size_t kTypeSalt = 0xA4093822299F31D0ull;
constexpr size_t kFirstShardSize = 256;
constexpr size_t kBatch = 256;

// The finalizer of splitmix64: every bit of the result depends on every bit of value.
quint64 mixed(quint64 value)
{
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

quint64 hashOf(QByteArrayView bytes, size_t salt)
{
    return qHashBits(bytes.data(), size_t(bytes.size()), salt);
}

} // namespace

CopyKey copyKeyOf(QByteArrayView name, qint64 size)
{
    return {mixed(hashOf(name, kNameSalt) ^ mixed(quint64(size))),
            quint16(mixed(hashOf(name, kCheckSalt) + quint64(size)) >> 48)};
}

CopyKey copyKeyOf(QByteArrayView name, QByteArrayView type)
{
    // Apart from every key of a size: the type's hash passes through another salt.
    const quint64 typeHash = hashOf(type, kTypeSalt);
    return {mixed(hashOf(name, kNameSalt) ^ mixed(typeHash ^ 0x5555555555555555ull)),
            quint16(mixed(hashOf(name, kCheckSalt) - typeHash) >> 48)};
}

size_t CopyCounts::placeOf(const std::vector<Cell> &cells, const CopyKey &key)
{
    const size_t mask = cells.size() - 1;
    for (size_t at = size_t(key.hash) & mask;; at = (at + 1) & mask) {
        const Cell &cell = cells[at];
        if (cell.count == 0 || (cell.hash == key.hash && cell.check == key.check))
            return at;
    }
}

void CopyCounts::count(Cell &cell, quint32 drive)
{
    if ((cell.count & ~kSeveral) < ~kSeveral)
        ++cell.count;
    if (cell.drive != quint16(drive))
        cell.count |= kSeveral;
}

void CopyCounts::insert(Shard &shard, const CopyKey &key, quint32 drive)
{
    // At most 80% full: a table twice the size takes the cells over.
    if (shard.cells.empty() || (shard.used + 1) * 5 > shard.cells.size() * 4) {
        std::vector<Cell> old(std::max(kFirstShardSize, shard.cells.size() * 2), Cell{});
        old.swap(shard.cells);
        for (const Cell &cell : old)
            if (cell.count != 0)
                shard.cells[placeOf(shard.cells, CopyKey{cell.hash, cell.check})] = cell;
    }
    Cell &cell = shard.cells[placeOf(shard.cells, key)];
    if (cell.count == 0) {
        cell = Cell{key.hash, key.check, quint16(drive), 1};
        ++shard.used;
        return;
    }
    count(cell, drive);
}

void CopyCounts::add(const CopyKey &key, quint32 drive)
{
    Shard &shard = m_shards[shardIndex(key.hash)];
    const std::lock_guard held(shard.lock);
    insert(shard, key, drive);
}

bool CopyCounts::addIfCounted(const CopyKey &key, quint32 drive)
{
    Shard &shard = m_shards[shardIndex(key.hash)];
    const std::lock_guard held(shard.lock);
    if (shard.cells.empty())
        return false;
    Cell &cell = shard.cells[placeOf(shard.cells, key)];
    if (cell.count == 0)
        return false;
    count(cell, drive);
    return true;
}

std::optional<CopyCounts::Count> CopyCounts::find(const CopyKey &key) const
{
    const Shard &shard = m_shards[shardIndex(key.hash)];
    if (shard.cells.empty())
        return std::nullopt;
    const Cell &cell = shard.cells[placeOf(shard.cells, key)];
    if (cell.count == 0)
        return std::nullopt;
    return Count{cell.count & ~kSeveral, (cell.count & kSeveral) != 0};
}

void CopyCounts::clear()
{
    for (Shard &shard : m_shards) {
        std::vector<Cell>().swap(shard.cells);
        shard.used = 0;
    }
}

quint64 CopyCounts::distinct() const
{
    quint64 total = 0;
    for (const Shard &shard : m_shards)
        total += shard.used;
    return total;
}

void CopyCounts::Batch::add(const CopyKey &key, quint32 drive)
{
    std::vector<Pending> &pending = m_pending[shardIndex(key.hash)];
    if (pending.empty())
        pending.reserve(kBatch);
    pending.push_back({key, drive});
    if (pending.size() >= kBatch)
        flush(pending);
}

void CopyCounts::Batch::flush()
{
    for (std::vector<Pending> &pending : m_pending)
        if (!pending.empty())
            flush(pending);
}

void CopyCounts::Batch::flush(std::vector<Pending> &pending)
{
    Shard &shard = m_counts.m_shards[shardIndex(pending.front().key.hash)];
    const std::lock_guard held(shard.lock);
    if (!shard.cells.empty())
        for (const Pending &each : pending)
            __builtin_prefetch(&shard.cells[size_t(each.key.hash) & (shard.cells.size() - 1)], 1);
    for (const Pending &each : pending)
        insert(shard, each.key, each.drive);
    pending.clear();
}

} // namespace kestrova
