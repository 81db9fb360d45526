#include "search_index.h"

#include "search_index_format.h"

#include "platform/files/file_names.h"
#include "platform/files/private_files.h"

#include <QStringView>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>

namespace kestrova {

using namespace index_format;

std::vector<quint32> indexBuckets(QByteArrayView text, qsizetype first, qsizetype step)
{
    std::vector<quint32> buckets;
    const uchar *p = reinterpret_cast<const uchar *>(text.data());
    for (qsizetype i = first; i + kSequenceBytes <= text.size(); i += step) {
        const quint32 bucket = bucketOf(quint32(kFold[p[i]]) | quint32(kFold[p[i + 1]]) << 8
                                        | quint32(kFold[p[i + 2]]) << 16 | quint32(kFold[p[i + 3]]) << 24);
        if (std::find(buckets.begin(), buckets.end(), bucket) == buckets.end())
            buckets.push_back(bucket);
    }
    return buckets;
}

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::unique_ptr<SearchIndex> SearchIndex::open(const QByteArray &indexPath, const QByteArray &path,
                                               const FileReader &catalogue, const Sizes &sizes)
{
    std::unique_ptr<SearchIndex> index(new SearchIndex);
    try {
        index->m_indexPath = indexPath;
        index->m_path = path;
        index->m_file = std::make_unique<FileReader>(indexPath);
        FileReader &file = *index->m_file;
        Header &header = index->m_header;
        const FileIdentity identity = catalogue.identityAtOpening();
        if (!file.isRegular() || !file.isPrivate()
            || file.readAt(0, reinterpret_cast<char *>(&header), sizeof header) != sizeof header
            || std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.version != kVersion
            || header.catalogueSize != identity.size || header.modifiedNs != identity.modifiedNs
            || header.changedNs != identity.changedNs || header.inode != identity.inode
            || header.device != identity.device || header.pathLength != quint32(path.size())
            || header.indexSize != quint64(file.identityAtOpening().size)
            || header.blockBytes != quint32(sizes.blockBytes))
            return nullptr;
        QByteArray recordedPath(path.size(), Qt::Uninitialized);
        if (file.readAt(sizeof header, recordedPath.data(), path.size()) != path.size() || recordedPath != path
            || headerChecksum(header, path) != header.headerChecksum)
            return nullptr;
        index->m_groupsOffset = qint64(sizeof header) + alignedPathLength(path.size());
        if (header.flags & kReadWhole)
            return index;
        // Every number is checked before it is used, none of them added to another unchecked:
        // the checksums find damage, not forgery.
        const qint64 blocks = header.blockCount;
        if (blocks <= 0 || blocks > header.catalogueSize / (sizes.blockBytes / 2) + 1)
            return nullptr;
        const qint64 tableOffset = index->groupOffset(blocks / kGroupBlocks)
                                   + (blocks % kGroupBlocks ? groupBytes(blocks % kGroupBlocks) : 0);
        if (tableOffset + blocks * qint64(sizeof(IndexedBlock)) != qint64(header.indexSize))
            return nullptr;
        index->m_blocks.resize(size_t(blocks));
        const qsizetype tableBytes = qsizetype(blocks * qint64(sizeof(IndexedBlock)));
        if (file.readAt(tableOffset, reinterpret_cast<char *>(index->m_blocks.data()), tableBytes) != tableBytes
            || checksum(reinterpret_cast<const char *>(index->m_blocks.data()), tableBytes) != header.blockTableChecksum)
            return nullptr;
        // A heading lies before the place it is in force at, and is no longer than a line.
        const auto headingFits = [&](qint64 offset, qint32 length, qint64 before) {
            return length >= 0 && length <= sizes.longestLine
                   && (offset == -1 || (offset >= 0 && offset <= before - length));
        };
        qint64 previous = -1;
        for (const IndexedBlock &block : index->m_blocks) {
            if (block.start <= previous || block.start >= header.catalogueSize || (previous < 0 && block.start != 0)
                || !headingFits(block.headingOffset, block.headingLength, block.start))
                return nullptr;
            previous = block.start;
        }
        if (!headingFits(header.finalHeadingOffset, header.finalHeadingLength, header.catalogueSize))
            return nullptr;
        return index;
    } catch (const Error &) {
        return nullptr;
    }
}

qint64 SearchIndex::groupOffset(qint64 group) const
{
    return m_groupsOffset + group * groupBytes(kGroupBlocks);
}

bool SearchIndex::racy() const
{
    return !(m_header.flags & kReadWhole)
           && std::max(m_header.modifiedNs, m_header.changedNs) > m_header.builtAtNs - kTimestampSlackNs;
}

quint64 catalogueContentChecksum(const FileReader &catalogue)
{
    ContentChecksum content;
    QByteArray piece(1 << 20, Qt::Uninitialized);
    for (qint64 at = 0;;) {
        const qsizetype got = catalogue.readAt(at, piece.data(), piece.size());
        if (got == 0)
            break;
        content.add(piece.constData(), got);
        at += got;
    }
    return content.value();
}

bool SearchIndex::contentMatches(const FileReader &catalogue)
{
    if (!(m_header.flags & kContentChecked))
        return false;
    const qint64 checkedAt = nowNs();
    if (catalogueContentChecksum(catalogue) != m_header.contentChecksum || catalogue.identityNow() != catalogue.identityAtOpening())
        return false;
    // The bytes read now are those indexed: when the catalogue's last change lies far enough
    // before this reading, the index counts as read after it.
    Header checked = m_header;
    checked.builtAtNs = checkedAt;
    if (std::max(checked.modifiedNs, checked.changedNs) <= checkedAt - kTimestampSlackNs) {
        checked.headerChecksum = headerChecksum(checked, m_path);
        if (overwritePrivateFileStart(m_indexPath, QByteArrayView(reinterpret_cast<const char *>(&checked), sizeof checked)))
            m_header = checked;
    }
    return true;
}

namespace {

// The bucket rows of one group of blocks, each stripe checked against the group's checksums
// (read once, when first needed) before a row of it is used.
class GroupRows
{
public:
    GroupRows(const FileReader &file, qint64 offset, qint64 rowBytes)
        : m_file(file), m_offset(offset), m_rowBytes(rowBytes)
    {
    }

    // The row of bucket, or null when its stripe does not check.
    const uchar *row(quint32 bucket)
    {
        const qint64 stripeBytes = kStripeRows * m_rowBytes;
        const quint32 number = bucket / kStripeRows;
        if (number != m_stripeNumber) {
            m_stripe.resize(qsizetype(stripeBytes));
            const qint64 at = m_offset + kGroupChecksumBytes + number * stripeBytes;
            if (!sumsRead() || m_file.readAt(at, m_stripe.data(), m_stripe.size()) != m_stripe.size()
                || checksum(m_stripe.constData(), m_stripe.size()) != m_sums[number])
                return nullptr;
            m_stripeNumber = number;
        }
        return reinterpret_cast<const uchar *>(m_stripe.constData()) + (bucket % kStripeRows) * m_rowBytes;
    }

    // Whether every stripe checks; the rows are read in one piece.
    bool allCheck()
    {
        const qint64 stripeBytes = kStripeRows * m_rowBytes;
        QByteArray rows(qsizetype(stripeBytes * (kBuckets / kStripeRows)), Qt::Uninitialized);
        if (!sumsRead() || m_file.readAt(m_offset + kGroupChecksumBytes, rows.data(), rows.size()) != rows.size())
            return false;
        for (quint32 number = 0; number < kBuckets / kStripeRows; ++number)
            if (checksum(rows.constData() + number * stripeBytes, qsizetype(stripeBytes)) != m_sums[number])
                return false;
        return true;
    }

private:
    bool sumsRead()
    {
        if (!m_sumsRead)
            m_sumsRead = m_file.readAt(m_offset, reinterpret_cast<char *>(m_sums.data()), kGroupChecksumBytes)
                         == kGroupChecksumBytes;
        return m_sumsRead;
    }

    const FileReader &m_file;
    const qint64 m_offset;
    const qint64 m_rowBytes;
    bool m_sumsRead = false;
    std::array<quint64, kBuckets / kStripeRows> m_sums;
    quint32 m_stripeNumber = kBuckets; // none yet
    QByteArray m_stripe;
};

} // namespace

bool SearchIndex::wholeIndexChecks() const
{
    const qint64 blocks = qint64(m_blocks.size());
    for (qint64 first = 0, group = 0; first < blocks; first += kGroupBlocks, ++group) {
        const qint64 rowBytes = rowBytesFor(std::min<qint64>(kGroupBlocks, blocks - first));
        if (!GroupRows(*m_file, groupOffset(group), rowBytes).allCheck())
            return false;
    }
    return true;
}

bool SearchIndex::candidates(const std::vector<quint32> &even, const std::vector<quint32> &odd,
                             std::vector<bool> &found) const
{
    const qint64 blocks = qint64(m_blocks.size());
    found.assign(m_blocks.size(), false);
    using Row = std::array<uchar, kGroupBlocks / 8>;
    for (qint64 first = 0, group = 0; first < blocks; first += kGroupBlocks, ++group) {
        const qint64 inGroup = std::min<qint64>(kGroupBlocks, blocks - first);
        const qint64 rowBytes = rowBytesFor(inGroup);
        GroupRows rows(*m_file, groupOffset(group), rowBytes);
        // The blocks holding every bucket of a list; the rows left are not read once none is.
        const auto holdingAll = [&](const std::vector<quint32> &buckets, Row &all) {
            all.fill(0xff);
            for (const quint32 bucket : buckets) {
                const uchar *row = rows.row(bucket);
                if (!row)
                    return false;
                uchar any = 0;
                for (qint64 i = 0; i < rowBytes; ++i)
                    any |= all[size_t(i)] &= row[i];
                if (!any)
                    break;
            }
            return true;
        };
        Row atEven, atOdd;
        if (!holdingAll(even, atEven) || !holdingAll(odd, atOdd))
            return false;
        for (qint64 i = 0; i < inGroup; ++i)
            found[size_t(first + i)] = (atEven[size_t(i / 8)] | atOdd[size_t(i / 8)]) & (1 << (i % 8));
    }
    return true;
}

SearchIndex::Plan SearchIndex::plan(const QString &criteria, bool caseSensitive, ScanPlan &plan) const
{
    if (m_blocks.empty())
        return Plan::ReadWhole;
    QByteArray text;
    if (caseSensitive) {
        text = encodeFileName(criteria);
    } else {
        // Criteria holding bytes that are not UTF-8, or U+FFFD that stands for any of them, are
        // matched on text the index does not hold.
        if (!QStringView(criteria).isValidUtf16() || criteria.contains(QChar::ReplacementCharacter))
            return Plan::ReadWhole;
        text = criteria.toLower().toUtf8();
    }
    // The file's sequences are recorded where they start at an even offset: a match starting
    // at an even offset holds those of the criteria at even places, one at an odd offset those
    // at odd places. Shorter criteria have no sequence at an odd place.
    if (text.size() < kShortestNarrowed)
        return Plan::ReadWhole;
    std::vector<bool> found;
    if (!candidates(indexBuckets(text, 0, 2), indexBuckets(text, 1, 2), found))
        return Plan::Damaged;
    const std::size_t count = std::size_t(std::count(found.begin(), found.end(), true));
    // Reading most of the blocks is no faster than reading the file.
    if (count * 2 > found.size())
        return Plan::ReadWhole;
    plan = ScanPlan();
    for (std::size_t i = 0; i < found.size();) {
        if (!found[i]) {
            ++i;
            continue;
        }
        std::size_t last = i;
        while (last + 1 < found.size() && found[last + 1])
            ++last;
        const IndexedBlock &block = m_blocks[i];
        const qint64 end = last + 1 < m_blocks.size() ? m_blocks[last + 1].start : m_header.catalogueSize;
        plan.regions.push_back({block.start, end, block.headingOffset, block.headingLength, block.lastHeadingNext});
        i = last + 1;
    }
    plan.finalHeadingOffset = m_header.finalHeadingOffset;
    plan.finalHeadingLength = m_header.finalHeadingLength;
    return Plan::Narrowed;
}

} // namespace kestrova
