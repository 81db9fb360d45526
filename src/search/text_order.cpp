#include "text_order.h"

#include "result_texts.h"

#include "platform/memory/large_blocks.h"

#include <QCollator>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <future>
#include <mutex>
#include <numeric>
#include <thread>

namespace kestrova::text_order {
namespace {

// Runs work(from, to) over [0, count) in as many parts as there are cores (at most eight).
void inParallel(size_t count, const std::function<void(size_t, size_t)> &work)
{
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    const size_t chunk = std::max<size_t>(1, (count + threads - 1) / threads);
    std::vector<std::thread> helpers;
    for (size_t from = chunk; from < count; from += chunk)
        helpers.emplace_back(work, from, std::min(count, from + chunk));
    work(0, std::min(count, chunk));
    for (std::thread &helper : helpers)
        helper.join();
}

// ---- The locale's collation

// Texts sorted together by keys held at the same time: a bucket's, or all of them when few.
constexpr size_t kBucketTexts = 4096;
constexpr size_t kMostBuckets = 4096;
constexpr size_t kSamplePerBucket = 16; // texts sampled per bucket, from which the bounds are chosen

QCollator collatorFor(const QLocale &locale)
{
    QCollator collator(locale); // one each: a collator is not shared between threads
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

QCollatorSortKey keyOf(const QCollator &collator, QByteArrayView text)
{
    return collator.sortKey(QString::fromUtf8(text));
}

// Sorts the positions [first, last), which begin at the order's place at, by keys made for them
// alone.
void sortByKeys(quint32 *first, quint32 *last, size_t at, const TextAt &textAt, const QCollator &collator,
                std::vector<quint8> *same)
{
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(last - first));
    for (const quint32 *p = first; p < last; ++p)
        keys.push_back(keyOf(collator, textAt(*p)));
    struct Keyed
    {
        const QCollatorSortKey *key;
        quint32 position;
    };
    std::vector<Keyed> entries(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        entries[i] = {&keys[i], first[i]};
    std::sort(entries.begin(), entries.end(), [](const Keyed &a, const Keyed &b) {
        const int c = a.key->compare(*b.key);
        return c < 0 || (c == 0 && a.position < b.position);
    });
    for (size_t i = 0; i < entries.size(); ++i) {
        first[i] = entries[i].position;
        if (same && i > 0)
            (*same)[at + i] = entries[i].key->compare(*entries[i - 1].key) == 0;
    }
}

} // namespace

std::vector<quint32> collated(quint32 count, const TextAt &textAt, const QLocale &locale, std::vector<quint8> *same)
{
    std::vector<quint32> order(count);
    std::iota(order.begin(), order.end(), 0);
    if (same)
        same->assign(count, 0);
    const size_t buckets = std::min(kMostBuckets, count / kBucketTexts);
    if (buckets < 2) {
        sortByKeys(order.data(), order.data() + count, 0, textAt, collatorFor(locale), same);
        return order;
    }
    // Many texts: each goes to a bucket between bounds chosen from an evenly spread sample, so
    // that the buckets follow one another in the order (comparing a text with a few bounds costs
    // less than making its key); then each bucket is sorted with keys of its own. A text equal
    // to a bound goes to that bound's own bucket, between the two around it, which needs no
    // keys at all: its texts are equal and keep the order of their positions. So a text that
    // fills much of the list (a million equal paths) never makes one bucket of them all.
    const auto comparing = [](const QCollator &collator) {
        return [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; };
    };
    std::vector<QString> bounds;
    {
        const QCollator collator = collatorFor(locale);
        std::vector<QString> sample(buckets * kSamplePerBucket);
        for (size_t i = 0; i < sample.size(); ++i)
            sample[i] = QString::fromUtf8(textAt(quint32(i * count / sample.size())));
        std::sort(sample.begin(), sample.end(), comparing(collator));
        for (size_t b = 1; b < buckets; ++b)
            bounds.push_back(sample[b * kSamplePerBucket]);
    }
    // Bucket 2b: the texts between bounds b - 1 and b; bucket 2b + 1: those equal to bound b.
    const size_t bucketCount = 2 * buckets - 1;
    std::vector<quint16> bucketOf(count);
    inParallel(count, [&](size_t from, size_t to) {
        const QCollator collator = collatorFor(locale);
        for (size_t i = from; i < to; ++i) {
            const QString text = QString::fromUtf8(textAt(quint32(i)));
            const auto bound = std::lower_bound(bounds.begin(), bounds.end(), text, comparing(collator));
            const size_t b = size_t(bound - bounds.begin());
            bucketOf[i] = quint16(2 * b + (bound != bounds.end() && collator.compare(text, *bound) == 0 ? 1 : 0));
        }
    });
    std::vector<quint32> starts(bucketCount + 1, 0);
    for (const quint16 bucket : bucketOf)
        ++starts[bucket + 1];
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    {
        std::vector<quint32> next(starts.begin(), starts.end() - 1);
        for (quint32 i = 0; i < count; ++i)
            order[next[bucketOf[i]]++] = i;
    }
    bucketOf = {};
    std::atomic<size_t> nextBucket = 0;
    inParallel(std::thread::hardware_concurrency(), [&](size_t, size_t) {
        const QCollator collator = collatorFor(locale);
        for (size_t b; (b = nextBucket++) < bucketCount;) {
            if (b % 2 == 0) {
                sortByKeys(order.data() + starts[b], order.data() + starts[b + 1], starts[b], textAt, collator, same);
            } else if (same) {
                for (size_t i = size_t(starts[b]) + 1; i < starts[b + 1]; ++i)
                    (*same)[i] = 1;
            }
        }
    });
    return order;
}

// ---- Case-folded characters

namespace {

constexpr std::array<uchar, 256> kFold = [] {
    std::array<uchar, 256> fold{};
    for (int c = 0; c < 256; ++c)
        fold[size_t(c)] = uchar(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    return fold;
}();

// A text's bytes, whose ASCII letters compare as small ones: the text itself when it is ASCII,
// otherwise its case-folded copy. Keys compare as bytes, which is the order of code points.
// Each entry holds eight of its key's bytes, from the depth being sorted on, as one number: the
// sort reads the keys themselves (which lie all over memory) once for eight bytes, not once a
// byte.
struct SortEntry
{
    const uchar *key;
    quint32 length;
    quint32 position; // breaks ties
    quint64 word;     // the folded bytes [depth, depth + 8), the first highest; 0 past the key's end
};

bool isAscii(QByteArrayView text)
{
    // No early return: the loop is one the compiler turns into vector instructions.
    uchar any = 0;
    for (const char c : text)
        any |= uchar(c);
    return any < 0x80;
}

// ASCII capitals of eight bytes to small letters; other bytes as they are.
inline quint64 foldWord(quint64 bytes)
{
    constexpr quint64 kLow7 = 0x7f7f7f7f7f7f7f7full;
    constexpr quint64 kHigh = 0x8080808080808080ull;
    const quint64 low = bytes & kLow7;
    const quint64 fromA = low + 0x3f3f3f3f3f3f3f3full;   // high bit: low >= 'A'
    const quint64 pastZ = low + 0x2525252525252525ull;   // high bit: low > 'Z'
    const quint64 capital = fromA & ~pastZ & ~bytes & kHigh;
    return bytes | (capital >> 2);
}

// The bytes of entry's key in its word at depth: 0 to 8.
inline quint32 bytesIn(const SortEntry &entry, size_t depth)
{
    return entry.length > depth ? quint32(std::min<size_t>(entry.length - depth, 8)) : 0;
}

inline void fillWord(SortEntry &entry, size_t depth)
{
    const quint32 n = bytesIn(entry, depth);
    quint64 bytes = 0;
    if (n == 8)
        std::memcpy(&bytes, entry.key + depth, 8);
    else if (n > 0)
        std::memcpy(&bytes, entry.key + depth, n);
    entry.word = qFromBigEndian(foldWord(bytes));
}

// How a and b compare from depth on.
int compareFrom(const SortEntry &a, const SortEntry &b, size_t depth)
{
    const size_t common = std::min(a.length, b.length);
    for (size_t i = depth; i < common; ++i) {
        if (const int c = int(kFold[a.key[i]]) - int(kFold[b.key[i]]))
            return c;
    }
    return a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
}

bool lessFrom(const SortEntry &a, const SortEntry &b, size_t depth)
{
    const int c = compareFrom(a, b, depth);
    return c < 0 || (c == 0 && a.position < b.position);
}

// Multikey quicksort, eight bytes at a time: partitions by the words at one depth, so keys that
// share long beginnings (paths of one folder) are not compared from their start again and
// again. Words compare as their bytes do, a key's end (padded with 0) before any byte; equal
// words with fewer of a key's bytes belong to the shorter key. A large part before the pivot is
// sorted on another core meanwhile, while helpers (the budget) are free.
void multikeySort(SortEntry *begin, SortEntry *end, size_t depth, std::atomic<int> &helpers)
{
    constexpr std::ptrdiff_t kShared = 1 << 14; // entries worth a helper
    std::vector<std::future<void>> helped;
    while (end - begin > 16) {
        const SortEntry &middle = begin[(end - begin) / 2];
        const quint64 pivot = middle.word;
        const quint32 pivotBytes = bytesIn(middle, depth);
        SortEntry *less = begin;
        SortEntry *greater = end;
        for (SortEntry *p = begin; p < greater;) {
            const quint32 n = bytesIn(*p, depth);
            if (p->word < pivot || (p->word == pivot && n < pivotBytes))
                std::swap(*less++, *p++);
            else if (p->word > pivot || n > pivotBytes)
                std::swap(*p, *--greater);
            else
                ++p;
        }
        if (less - begin > kShared && helpers.fetch_sub(1) > 0) {
            helped.push_back(std::async(std::launch::async, [begin, less, depth, &helpers] {
                multikeySort(begin, less, depth, helpers);
                helpers.fetch_add(1);
            }));
        } else {
            if (less - begin > kShared)
                helpers.fetch_add(1); // none was free
            multikeySort(begin, less, depth, helpers);
        }
        multikeySort(greater, end, depth, helpers);
        if (pivotBytes < 8) {
            // Every key of the middle part has ended: they are equal.
            std::sort(less, greater, [](const SortEntry &a, const SortEntry &b) { return a.position < b.position; });
            begin = end = less;
            break;
        }
        begin = less;
        end = greater;
        depth += 8;
        for (SortEntry *p = begin; p < end; ++p)
            fillWord(*p, depth);
    }
    std::sort(begin, end, [depth](const SortEntry &a, const SortEntry &b) {
        if (a.word != b.word)
            return a.word < b.word;
        return lessFrom(a, b, depth);
    });
    for (std::future<void> &part : helped)
        part.get();
}

} // namespace

std::vector<quint32> folded(quint32 count, const TextAt &textAt, std::vector<quint8> *same)
{
    // Every entry is written below, by one thread or another.
    const LargeBlock entryMemory = takeLargeBlock(sizeof(SortEntry) * count);
    SortEntry *const entries = reinterpret_cast<SortEntry *>(entryMemory.get());
    std::mutex copiesMutex;
    std::vector<TextBlocks> copies; // of the texts that are not ASCII, case-folded
    inParallel(count, [&](size_t from, size_t to) {
        TextBlocks mine;
        for (size_t i = from; i < to; ++i) {
            QByteArrayView text = textAt(quint32(i));
            if (!isAscii(text)) {
                const QByteArray caseFolded = QString::fromUtf8(text).toCaseFolded().toUtf8();
                text = QByteArrayView(mine.keep(caseFolded), caseFolded.size());
            }
            entries[i] = {reinterpret_cast<const uchar *>(text.data()), quint32(text.size()), quint32(i), 0};
            fillWord(entries[i], 0);
        }
        const std::lock_guard lock(copiesMutex);
        copies.push_back(std::move(mine));
    });
    std::atomic<int> helpers = int(std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, 8)) - 1;
    multikeySort(entries, entries + count, 0, helpers);
    std::vector<quint32> order(count);
    if (same)
        same->assign(count, 0);
    for (size_t i = 0; i < count; ++i) {
        order[i] = entries[i].position;
        if (same && i > 0)
            (*same)[i] = compareFrom(entries[i - 1], entries[i], 0) == 0;
    }
    return order;
}

} // namespace kestrova::text_order
