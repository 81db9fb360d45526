// Writing the search index of a catalogue: one reading of the file, line by line for its
// headings and block bounds; its sequences (index_sequences) and groups (index_groups) beside.
#include "search_index.h"

#include "index_groups.h"
#include "index_sequences.h"
#include "search_index_format.h"

#include "catalogue/line_bounds.h"

#include <algorithm>
#include <cstring>

namespace kestrova {
namespace {

using namespace index_format;

constexpr qsizetype kLookBack = 64;

} // namespace

// The bytes of a catalogue arrive in pieces of any size; whole lines are taken a chunk at a
// time: their headings, block bounds and sequences. Groups of blocks go to the index file as
// they fill; the header, which names the catalogue's state, is written last.
class SearchIndexBuilder::Writer
{
public:
    Writer(const QByteArray &path, QFileDevice &out, bool sumContent, const Sizes &sizes)
        : m_path(path), m_out(out), m_sizes(sizes), m_sumContent(sumContent)
    {
        m_out.seek(groupsOffset());
        m_blocks.push_back(IndexedBlock{});
    }

    qint64 groupsOffset() const { return qint64(sizeof(Header)) + alignedPathLength(m_path.size()); }

    void feed(const char *data, qsizetype size)
    {
        if (m_sumContent)
            m_content.add(data, size);
        if (m_readsWhole) {
            m_fed += size;
            return;
        }
        // Lines are taken each time another readSize bytes of the catalogue are in, counted
        // from its start, however the bytes come: a sequence across a line end is indexed or
        // not alike, and the index is the same byte for byte.
        while (size > 0) {
            const qsizetype piece = qsizetype(std::min<qint64>(size, m_nextTake - m_fed));
            if (m_buffer.size() < m_dataEnd + piece)
                m_buffer.resize(std::max<qsizetype>(m_dataEnd + piece, kLookBack + m_sizes.readSize));
            std::memcpy(m_buffer.data() + m_dataEnd, data, size_t(piece));
            m_dataEnd += piece;
            m_fed += piece;
            data += piece;
            size -= piece;
            if (m_fed == m_nextTake) {
                m_nextTake += m_sizes.readSize;
                take(false);
                if (m_readsWhole) {
                    m_fed += size;
                    return;
                }
            }
        }
    }

    // Reads the catalogue's next bytes from file straight into the buffer, taken as feed()
    // takes them; 0 at its end.
    qsizetype readFrom(FileReader &file)
    {
        if (m_readsWhole) {
            QByteArray piece(m_sizes.readSize, Qt::Uninitialized);
            const qsizetype got = file.read(piece.data(), piece.size());
            feed(piece.constData(), got);
            return got;
        }
        const qsizetype piece = qsizetype(m_nextTake - m_fed);
        if (m_buffer.size() < m_dataEnd + piece)
            m_buffer.resize(std::max<qsizetype>(m_dataEnd + piece, kLookBack + m_sizes.readSize));
        const qsizetype got = file.read(m_buffer.data() + m_dataEnd, piece);
        if (m_sumContent)
            m_content.add(m_buffer.constData() + m_dataEnd, got);
        m_dataEnd += got;
        m_fed += got;
        if (m_fed == m_nextTake) {
            m_nextTake += m_sizes.readSize;
            take(false);
        }
        return got;
    }

    void readWhole()
    {
        m_readsWhole = true;
        m_unread = true;
    }

    bool finish(const FileIdentity &identity, qint64 readingStartedNs)
    {
        Header header{};
        std::memcpy(header.magic, kMagic, sizeof kMagic);
        header.version = kVersion;
        header.catalogueSize = identity.size;
        header.modifiedNs = identity.modifiedNs;
        header.changedNs = identity.changedNs;
        header.inode = identity.inode;
        header.device = identity.device;
        header.pathLength = quint32(m_path.size());
        header.blockBytes = quint32(m_sizes.blockBytes);
        header.finalHeadingOffset = -1;
        header.builtAtNs = readingStartedNs;
        // A catalogue changed just before its reading may change again unseen: its bytes' sum
        // lets the index be used once they are found the same (search_index.h).
        const bool racy = std::max(identity.modifiedNs, identity.changedNs) > readingStartedNs - kTimestampSlackNs;
        if (!m_unread && identity.size != m_fed)
            return false; // not the bytes of this catalogue
        if (!m_readsWhole)
            take(true);
        if (m_readsWhole || identity.size < m_sizes.smallestIndexed) {
            header.flags = kReadWhole;
            m_out.seek(groupsOffset());
        } else {
            if (racy && !m_sumContent)
                return false; // it could never be trusted
            m_groups.flush();
            put(reinterpret_cast<const char *>(m_blocks.data()), qint64(m_blocks.size() * sizeof(IndexedBlock)));
            header.blockCount = quint32(m_blocks.size());
            header.finalHeadingOffset = m_final.offset;
            header.finalHeadingLength = m_final.length;
            header.blockTableChecksum =
                checksum(reinterpret_cast<const char *>(m_blocks.data()), qsizetype(m_blocks.size() * sizeof(IndexedBlock)));
            if (racy) {
                header.flags |= kContentChecked;
                header.contentChecksum = m_content.value();
            }
        }
        header.indexSize = quint64(m_out.pos());
        // Groups written before a line too long to index turned up are cut off again.
        if (!m_out.resize(qint64(header.indexSize)))
            throw Error(ErrorNumber::DiskFull, m_out.errorString());
        header.headerChecksum = headerChecksum(header, m_path);
        m_out.seek(0);
        put(reinterpret_cast<const char *>(&header), sizeof header);
        put(m_path.constData(), m_path.size());
        put(QByteArray(alignedPathLength(m_path.size()) - m_path.size(), '\0'));
        return true;
    }

private:
    struct Heading
    {
        qint64 offset = -1;
        qint32 length = 0;
        qint64 next = -1;
    };

    // The whole lines held (all that is held at the end): a catalogue holding a line too long
    // to index is read whole, and nothing more of it is taken.
    void take(bool atEnd)
    {
        const char *b = m_buffer.constData();
        const qsizetype complete = atEnd ? m_dataEnd : completeLinesEnd(b, m_regionStart, m_searchedTo, m_dataEnd);
        if (complete > m_regionStart) {
            if (holdsOverlongLine(b + m_regionStart, b + complete)) {
                m_readsWhole = true;
                return;
            }
            takeLines(b + m_regionStart, b + complete);
        }
        m_regionStart = complete;
        // A trailing CR may yet be followed by its LF, so the last byte is searched again.
        m_searchedTo = std::max(m_regionStart, m_dataEnd - 1);
        if (m_dataEnd - m_regionStart > m_sizes.longestLine) {
            m_readsWhole = true;
            return;
        }
        if (atEnd) {
            closeBlock();
            return;
        }
        const qsizetype shift = std::max<qsizetype>(0, m_regionStart - kLookBack);
        std::memmove(m_buffer.data(), m_buffer.constData() + shift, size_t(m_dataEnd - shift));
        m_base += shift;
        m_dataEnd -= shift;
        m_regionStart -= shift;
        m_searchedTo -= shift;
    }

    // Whether the whole lines of [from, to) hold one longer than the longest line. Such a line
    // covers a whole stretch of half that length starting at a multiple of it, which then holds
    // no line end: only there is a line measured.
    bool holdsOverlongLine(const char *from, const char *to) const
    {
        const qint64 stretch = m_sizes.longestLine / 2;
        for (qint64 at = (offsetOf(from) + stretch - 1) / stretch * stretch; at + stretch <= offsetOf(to); at += stretch) {
            const char *p = pointerTo(at);
            if (findLineEnd(p, p + stretch) < p + stretch)
                continue;
            const char *start = p;
            while (start > from && !isLineEnd(start[-1]))
                --start;
            if (findLineEnd(p + stretch, to) - start > m_sizes.longestLine)
                return true;
        }
        return false;
    }

    // The whole lines of [from, to): their headings, block bounds and sequences.
    void takeLines(const char *from, const char *to)
    {
        m_headings.clear();
        if (m_pendingRule >= 0)
            headingAfterRule(m_pendingRule, from, to);
        m_pendingRule = -1;
        for (const char *p = from; (p = static_cast<const char *>(std::memchr(p, '=', size_t(to - p))));) {
            const bool rule = (offsetOf(p) == 0 || isLineEnd(p[-1])) && to - p > kRuleLength
                              && std::memcmp(p, catalogue::kRule, size_t(kRuleLength)) == 0
                              && isLineEnd(p[kRuleLength]);
            if (!rule) {
                ++p;
                continue;
            }
            const char *next = pastLineEnd(p + kRuleLength, to);
            if (next == to)
                m_pendingRule = offsetOf(p);
            else
                headingAfterRule(offsetOf(p), next, to);
            p += kRuleLength;
        }

        std::size_t event = 0;
        const char *hashFrom = from;
        for (;;) {
            const qint64 target = m_blocks.back().start + m_sizes.blockBytes;
            if (target >= offsetOf(to))
                break;
            // The block ends at the first line start at or past its size. When that size fell
            // inside the last line of the lines taken before, that line's end is where these
            // start (the bytes before them are no longer held).
            const char *before = target <= offsetOf(from) ? nullptr : pointerTo(target) - 1;
            const char *bound = nullptr;
            if (!before)
                bound = from;
            else if (*before == '\n')
                bound = before + 1;
            else if (*before == '\r')
                bound = before + 1 < to && before[1] == '\n' ? before + 2 : before + 1;
            else
                bound = pastLineEnd(findLineEnd(before, to), to);
            if (bound >= to)
                break;
            hash(hashFrom, bound);
            hashFrom = bound;
            for (; event < m_headings.size() && m_headings[event].offset < offsetOf(bound); ++event)
                m_latest = m_headings[event];
            closeBlock();
            m_blocks.push_back({offsetOf(bound), m_latest.offset, m_latest.length, 0, m_latest.next});
        }
        hash(hashFrom, to);
        for (; event < m_headings.size(); ++event)
            m_latest = m_headings[event];
        if (!m_headings.empty())
            m_final = m_headings.back();
    }

    // ruleStart: a rule line whose next line starts at line.
    void headingAfterRule(qint64 ruleStart, const char *line, const char *to)
    {
        if (to - line < 6 || std::memcmp(line, "Folder", 6) != 0 || ruleStart == m_lastHeadingNext)
            return;
        const char *lineEnd = findLineEnd(line, to);
        const qint64 next = offsetOf(pastLineEnd(lineEnd, to));
        m_headings.push_back({offsetOf(line), qint32(lineEnd - line), next});
        m_lastHeadingNext = next;
    }

    // The sequences of [from, to), whole lines of the current block.
    void hash(const char *from, const char *to) { m_sequences.add(from, to, offsetOf(from)); }

    void closeBlock() { m_sequences.close(m_groups); }

    void put(QByteArrayView bytes) { putBytes(m_out, bytes); }
    void put(const char *data, qint64 size) { putBytes(m_out, QByteArrayView(data, size)); }

    qint64 offsetOf(const char *p) const { return m_base + (p - m_buffer.constData()); }
    const char *pointerTo(qint64 offset) const { return m_buffer.constData() + (offset - m_base); }

    const QByteArray m_path;
    QFileDevice &m_out;
    const Sizes m_sizes;
    const bool m_sumContent;
    ContentChecksum m_content;
    qint64 m_fed = 0;           // bytes of the catalogue fed so far
    qint64 m_nextTake = m_sizes.readSize; // where the next lines are taken
    bool m_readsWhole = false;  // a line too long to index: the catalogue is read whole
    bool m_unread = false;      // read whole without a look at its bytes
    QByteArray m_buffer;        // [m_base + i] of the catalogue at i, up to m_dataEnd
    qsizetype m_dataEnd = 0;
    qsizetype m_regionStart = 0; // the first line not yet taken
    qsizetype m_searchedTo = 0;  // no line end lies in [m_regionStart, m_searchedTo)
    qint64 m_base = 0;
    std::vector<IndexedBlock> m_blocks;
    BlockSequences m_sequences; // of the current block
    GroupWriter m_groups{m_out};
    std::vector<Heading> m_headings; // found in the lines being taken
    Heading m_latest;                // in force where the next block starts
    Heading m_final;                 // the last of the file
    qint64 m_lastHeadingNext = -1;
    qint64 m_pendingRule = -1;       // a rule line whose next line was not read yet
};

SearchIndexBuilder::SearchIndexBuilder(const QByteArray &path, QFileDevice &out, bool sumContent, const Sizes &sizes)
    : m_writer(std::make_unique<Writer>(path, out, sumContent, sizes))
{
}

SearchIndexBuilder::~SearchIndexBuilder() = default;

void SearchIndexBuilder::feed(QByteArrayView bytes)
{
    m_writer->feed(bytes.data(), bytes.size());
}

qsizetype SearchIndexBuilder::readFrom(FileReader &file)
{
    return m_writer->readFrom(file);
}

void SearchIndexBuilder::readWhole()
{
    m_writer->readWhole();
}

bool SearchIndexBuilder::finish(const FileIdentity &identity, qint64 readingStartedNs)
{
    return m_writer->finish(identity, readingStartedNs);
}

bool writeSearchIndex(FileReader &catalogue, const QByteArray &path, QFileDevice &out, const std::atomic<bool> *cancel,
                      const Sizes &sizes)
{
    const FileIdentity identity = catalogue.identityAtOpening();
    const qint64 started = nowNs();
    const bool racy = std::max(identity.modifiedNs, identity.changedNs) > started - kTimestampSlackNs;
    SearchIndexBuilder builder(path, out, racy, sizes);
    if (identity.size < sizes.smallestIndexed || !catalogue.isRegular()) {
        builder.readWhole(); // too small to gain from an index, or no regular file
    } else {
        while (builder.readFrom(catalogue) > 0) {
            if (cancel && cancel->load(std::memory_order_relaxed))
                return false;
        }
    }
    // A catalogue that changed while it was read gives no index.
    return builder.finish(identity, started) && catalogue.identityNow() == identity;
}

} // namespace kestrova
