// The search index of one catalogue file. The file's lines are cut into blocks of about
// 64 KiB. For every block the index records the three-byte sequences its lines hold where they
// start at an even offset of the file (hashed into 65,536 buckets, letters folded to lower
// case), every sequence of a line with other than ASCII characters as the matcher lowers it,
// and the heading in force where the block starts. The blocks that hold every sequence of the
// criteria are the only ones that can hold a match: the scan reads those, and the matcher
// decides.
//
// The bits of a bucket for 64 blocks lie side by side, so that a query reads a stripe of 512
// bytes per bucket and 4 MiB of catalogue. Every part carries a checksum; an index that does
// not fit the catalogue as it is now, or whose parts do not check, is never used.
#pragma once

#include "catalogue_scan.h"

#include "platform/text_file.h"

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

// Writes the index of the catalogue open in catalogue (read from its start; path is its
// absolute path, recorded in the index) to out, an empty file. A catalogue too
// small to gain from an index, or holding a line too long to be a catalogue line, gets an
// index that says so, and is always read whole. False when cancel was set; raises an Error
// when the catalogue or out fail.
bool writeSearchIndex(FileReader &catalogue, const QByteArray &path, QFileDevice &out,
                      const std::atomic<bool> *cancel = nullptr);

class SearchIndex
{
public:
    // The index at indexPath when it belongs to the catalogue at path as open in catalogue, and
    // its header and block table check; null otherwise.
    static std::unique_ptr<SearchIndex> open(const QByteArray &indexPath, const QByteArray &path,
                                             const FileReader &catalogue);

    // The parts of the catalogue that can hold the criteria; nothing when the whole file has to
    // be read (criteria of fewer than three bytes, sequences found in most blocks, a part of
    // the index that does not check).
    std::optional<ScanPlan> plan(const QString &criteria, bool caseSensitive) const;

    bool readsWhole() const { return m_blocks.empty(); }

private:
    SearchIndex() = default;
    // The blocks whose bits are set in every bucket of even, or in every bucket of odd; false
    // when a part does not check.
    bool candidates(const std::vector<quint32> &even, const std::vector<quint32> &odd,
                    std::vector<bool> &found) const;

    std::unique_ptr<FileReader> m_file;
    std::vector<IndexedBlock> m_blocks;
    qint64 m_catalogueSize = 0;
    qint64 m_groupsOffset = 0;
    qint64 m_finalHeadingOffset = -1;
    qint32 m_finalHeadingLength = 0;
};

// The buckets of the three-byte sequences of text starting at first, first + step, ...
std::vector<quint32> indexBuckets(QByteArrayView text, qsizetype first, qsizetype step);

} // namespace kestrova
