// The search index of one catalogue file. The file's lines are cut into blocks of about
// 44 KiB. For every block the index records the four-byte sequences its lines hold where they
// start at an even offset of the file (hashed into 32,768 buckets, letters folded to lower
// case), every sequence of a line with other than ASCII characters as the matcher lowers it,
// and the heading in force where the block starts. Four bytes tell the digits of names apart
// (the three-byte sequences of five-digit numbers are in every block).
//
// The blocks that hold every sequence of the criteria are the only ones that can hold a match:
// the scan reads those, and the matcher decides.
//
// The bits of a bucket for 64 blocks lie side by side, so that a query reads a stripe of 512
// bytes per bucket and 2.75 MiB of catalogue. Every part carries a checksum; an index that does
// not fit the catalogue as it is now, or whose parts do not check, is never used.
//
// An index fits its catalogue when the catalogue's size, times, inode and device are those it
// was read with. A catalogue changed less than the file system's timestamp granularity before
// its index was built may have changed again unseen: such an index is "racy", like a racily
// clean file in a version-control system, and is used only after the catalogue's bytes are
// found to be those it was built from (their checksum is kept for that).
#pragma once

#include "catalogue_scan.h"
#include "search_index_format.h"

#include "platform/files/text_file.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace kestrova {

struct IndexedBlock
{
    qint64 start = 0;
    qint64 headingOffset = -1; // the latest heading line before start, -1 when none
    qint32 headingLength = 0;
    qint32 reserved = 0;
    qint64 lastHeadingNext = -1;
};
static_assert(sizeof(IndexedBlock) == 32);

// Builds the index of a catalogue from its bytes as they come, in order from its start: as a
// search reads them, or as generation writes them. The index goes to out, an empty file, as
// it grows; finish() completes it. Raises an Error when out fails.
class SearchIndexBuilder
{
public:
    // path: the catalogue's absolute path, recorded in the index. sumContent: the bytes are
    // summed, for a catalogue changed within the timestamps' granularity of its reading (the
    // index is then used only once the catalogue is found to hold those bytes).
    SearchIndexBuilder(const QByteArray &path, QFileDevice &out, bool sumContent, const index_format::Sizes &sizes = {});
    ~SearchIndexBuilder();
    SearchIndexBuilder(const SearchIndexBuilder &) = delete;
    SearchIndexBuilder &operator=(const SearchIndexBuilder &) = delete;

    // The catalogue's next bytes.
    void feed(QByteArrayView bytes);
    // Reads the catalogue's next bytes from file and takes them as feed() does, without a copy;
    // 0 at the end of the file.
    qsizetype readFrom(FileReader &file);
    // The catalogue is to be read whole: none of its bytes are fed.
    void readWhole();
    // All of the catalogue's bytes were fed; identity is the catalogue's state with them, and
    // readingStartedNs when its first byte was read or written. False when the index cannot
    // be trusted (the bytes fed are not identity's, or a catalogue changed within the
    // timestamps' granularity was not summed): out is then no index.
    bool finish(const FileIdentity &identity, qint64 readingStartedNs);

private:
    class Writer;
    std::unique_ptr<Writer> m_writer;
};

// Writes the index of the catalogue open in catalogue (read from its start; path is its
// absolute path, recorded in the index) to out, an empty file. A catalogue too
// small to gain from an index, or holding a line too long to be a catalogue line, gets an
// index that says so, and is always read whole. False when cancel was set; raises an Error
// when the catalogue or out fail.
bool writeSearchIndex(FileReader &catalogue, const QByteArray &path, QFileDevice &out,
                      const std::atomic<bool> *cancel = nullptr, const index_format::Sizes &sizes = {});

// The wall clock in nanoseconds since the epoch, as file times count.
qint64 nowNs();

class SearchIndex
{
public:
    // The index at indexPath when it belongs to the catalogue at path as open in catalogue, and
    // its header and block table check; null otherwise. Only a file of the user's own that
    // nobody else may write is read.
    static std::unique_ptr<SearchIndex> open(const QByteArray &indexPath, const QByteArray &path,
                                             const FileReader &catalogue, const index_format::Sizes &sizes = {});

    enum class Plan {
        Narrowed,  // only the parts of the plan can hold the criteria
        ReadWhole, // the whole file has to be read (short criteria, sequences in most blocks)
        Damaged,   // a part of the index does not check: read whole, and build it again
    };
    Plan plan(const QString &criteria, bool caseSensitive, ScanPlan &plan) const;

    bool readsWhole() const { return m_blocks.empty(); }

    // Whether the catalogue may have changed unseen after the index was read from it (see
    // above). A racy index is used once contentMatches() says so.
    bool racy() const;
    // Reads the catalogue whole and answers whether its bytes are those the index was built
    // from. When they are, and the catalogue's last change lies far enough back now, the index
    // is marked as read after it, so that it is racy no more.
    bool contentMatches(const FileReader &catalogue);

    // Whether every part of the index checks (what plan() reads only in part).
    bool wholeIndexChecks() const;

private:
    SearchIndex() = default;
    // The blocks whose bits are set in every bucket of even, or in every bucket of odd; false
    // when a part does not check.
    bool candidates(const std::vector<quint32> &even, const std::vector<quint32> &odd,
                    std::vector<bool> &found) const;
    qint64 groupOffset(qint64 group) const;

    QByteArray m_indexPath;
    std::unique_ptr<FileReader> m_file;
    index_format::Header m_header{};
    QByteArray m_path;
    std::vector<IndexedBlock> m_blocks;
    qint64 m_groupsOffset = 0;
};

// The buckets of the four-byte sequences of text starting at first, first + step, ...
std::vector<quint32> indexBuckets(QByteArrayView text, qsizetype first, qsizetype step);

// The checksum of a catalogue's bytes as they are now (ContentChecksum, read whole), as the
// index and the table of folders record it.
quint64 catalogueContentChecksum(const FileReader &catalogue);

} // namespace kestrova
