#include "catalogue_scan.h"

#include "needle.h"

#include "catalogue/catalogue_format.h"
#include "platform/text_file.h"

#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrova {
namespace {

constexpr qsizetype kBlockSize = 1 << 20;
// Lines up to this length are read whole; a longer line is no catalogue line and is skipped
// without being held, so that memory stays bounded whatever a file holds.
constexpr qsizetype kMaxLineLength = 1 << 20;
// Bytes kept before the unread lines when the buffer moves on: enough to see the rule line
// (44 "=" and its line end) above a folder heading.
constexpr qsizetype kLookBack = 64;
constexpr QByteArrayView kFolderWord("Folder");
constexpr qsizetype kRuleLength = 44;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The first CR or LF in [from, end), or end.
const char *findLineEnd(const char *from, const char *end)
{
    const char *p = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        if (mask)
            return p + __builtin_ctz(unsigned(mask));
        p += 16;
    }
#endif
    while (p < end && !isLineEnd(*p))
        ++p;
    return p;
}

// One catalogue file read in large blocks. The scan jumps from one place of interest to the
// next (a match of the criteria, a line that may be a folder heading) and finds the bounds of
// a line only there.
class CatalogueScan
{
public:
    CatalogueScan(CatalogueSearch &search, SearchSession &session, SearchView &view,
                  const QByteArray &path, const QString &criteria, bool caseSensitive)
        : m_search(search), m_session(session), m_view(view), m_file(path),
          m_caseSensitive(caseSensitive), m_criteria(criteria),
          m_needle(std::make_unique<Needle>(criteria, caseSensitive))
    {
    }

    void run()
    {
        // The buffer holds [m_base + i] of the file at index i; a look-back area comes first.
        m_buffer.resize(kLookBack + kBlockSize);
        m_base = -kLookBack;
        qsizetype dataEnd = kLookBack;
        qsizetype regionStart = kLookBack;
        qsizetype searchedTo = regionStart; // no line end lies in [regionStart, searchedTo)
        bool skipping = false;              // inside a line too long to be a catalogue line
        for (;;) {
            if (m_buffer.size() < dataEnd + kBlockSize)
                m_buffer.resize(dataEnd + kBlockSize);
            const qsizetype got = m_file.read(m_buffer.data() + dataEnd, kBlockSize);
            const bool atEnd = got == 0;
            dataEnd += got;
            if (skipping) {
                // The long line ends at its first line end; the scan goes on from there.
                const char *b = m_buffer.constData();
                const char *lineEnd = findLineEnd(b + searchedTo, b + dataEnd);
                skipping = lineEnd == b + dataEnd;
                regionStart = searchedTo = lineEnd - b;
            }
            if (!skipping) {
                const qsizetype complete =
                    atEnd ? dataEnd : completeLinesEnd(regionStart, searchedTo, dataEnd);
                if (complete > regionStart && !scan(regionStart, complete))
                    return;
                regionStart = complete;
                // A trailing CR may yet be followed by its LF, so the last byte is searched again.
                searchedTo = std::max(regionStart, dataEnd - 1);
                // A catalogue line is short; one past the cap is not held, only passed over.
                skipping = dataEnd - regionStart > kMaxLineLength;
            }
            if (atEnd)
                return;
            const qsizetype shift = std::max<qsizetype>(0, regionStart - kLookBack);
            if (shift > 0) {
                std::memmove(m_buffer.data(), m_buffer.constData() + shift, size_t(dataEnd - shift));
                m_base += shift;
                dataEnd -= shift;
                regionStart -= shift;
                searchedTo -= shift;
            }
        }
    }

private:
    // The end of the last whole line in [from, dataEnd), or from when there is none yet.
    qsizetype completeLinesEnd(qsizetype from, qsizetype searchedTo, qsizetype dataEnd) const
    {
        const char *b = m_buffer.constData();
        for (qsizetype i = dataEnd - 1; i >= searchedTo && i >= from; --i) {
            if (b[i] == '\n')
                return i + 1;
            if (b[i] == '\r' && i + 1 < dataEnd)
                return i + 1;
        }
        return from;
    }

    // Handles the lines of [from, to); false when the search must stop.
    bool scan(qsizetype from, qsizetype to)
    {
        const char *b = m_buffer.constData();
        const char *end = b + to;
        const char *pos = b + from;
        const char *exact = nullptr;
        const char *trigger = nullptr;
        const char *folder = nullptr;
        while (pos < end) {
            if (!exact || exact < pos)
                exact = m_needle->findExact(pos, end);
            if (!trigger || trigger < pos)
                trigger = m_needle->needsTriggers() ? m_needle->findTrigger(pos, end) : end;
            if (!folder || folder < pos)
                folder = findLineStartingWithFolder(pos, end);
            const char *at = std::min({exact, trigger, folder});
            if (at >= end)
                break;

            const char *lineStart = at;
            while (lineStart > pos && !isLineEnd(lineStart[-1]))
                --lineStart;
            const char *lineEnd = findLineEnd(at, end);
            const char *next = lineEnd;
            if (next < end)
                next += (*next == '\r' && next + 1 < end && next[1] == '\n') ? 2 : 1;
            const QByteArrayView line(lineStart, lineEnd - lineStart);

            if (isFolderHeading(lineStart, line)) {
                // Kept as a view until a hit needs it or the buffer moves on.
                m_heading = line;
                m_lastHeadingNext = offsetOf(next);
            } else if (exact < lineEnd || (trigger < lineEnd && m_needle->lineMatches(line))) {
                takeHeading();
                if (!handleMatch(line))
                    return false;
                if (QString now = m_view.criteriaText(); now != m_criteria) {
                    m_criteria = std::move(now);
                    m_needle = std::make_unique<Needle>(m_criteria, m_caseSensitive);
                    exact = trigger = nullptr;
                }
            }
            pos = next;
        }
        takeHeading();
        return true;
    }

    void takeHeading()
    {
        if (m_heading.isNull())
            return;
        m_session.CurrentFolder = catalogue::headingFolder(m_heading).toByteArray();
        m_heading = QByteArrayView();
    }

    bool handleMatch(QByteArrayView line)
    {
        if (m_search.Tokenize(line)) {
            ++m_session.MatchCount;
            m_view.setCountText(QString::number(m_session.MatchCount));
            m_view.setIndicatorColour(m_view.indicatorColour() == IndicatorColour::Red
                                          ? IndicatorColour::Green
                                          : IndicatorColour::Red);
        }
        return !m_session.StopRequested;
    }

    qint64 offsetOf(const char *p) const { return m_base + (p - m_buffer.constData()); }

    const char *findLineStartingWithFolder(const char *from, const char *end) const
    {
        for (const char *p = from; p < end; ++p) {
            p = m_folderWord.findExact(p, end);
            if (p == end || offsetOf(p) == 0 || isLineEnd(p[-1]))
                return p;
        }
        return end;
    }

    // The frame rule of catalogue_format.h, over the bytes before the line in the buffer (the
    // look-back area keeps enough of them to hold a rule line).
    bool isFolderHeading(const char *lineStart, QByteArrayView line) const
    {
        if (!line.startsWith(kFolderWord) || offsetOf(lineStart) == 0)
            return false;
        const char *previousEnd = lineStart - 1;
        if (*previousEnd == '\n' && offsetOf(previousEnd) > 0 && previousEnd[-1] == '\r')
            --previousEnd;
        // Only a line exactly as long as a rule can be one: it is looked at without walking back.
        const char *previousStart = previousEnd - kRuleLength;
        const bool ruleLong = offsetOf(previousStart) >= 0 && offsetOf(previousStart) >= m_base
                              && (offsetOf(previousStart) == 0 || isLineEnd(previousStart[-1]));
        const QByteArrayView previous = ruleLong ? QByteArrayView(previousStart, kRuleLength) : QByteArrayView();
        return catalogue::isFolderHeading(line, previous, offsetOf(previousStart) == m_lastHeadingNext);
    }

    CatalogueSearch &m_search;
    SearchSession &m_session;
    SearchView &m_view;
    FileReader m_file;
    bool m_caseSensitive;
    QString m_criteria;
    std::unique_ptr<Needle> m_needle;
    QByteArray m_buffer;
    qint64 m_base = 0;
    qint64 m_lastHeadingNext = -1; // where the line after the latest heading starts
    QByteArrayView m_heading;      // the latest heading, not yet taken into CurrentFolder
    const Needle m_folderWord{QStringLiteral("Folder"), true};
};

} // namespace

void scanCatalogue(CatalogueSearch &search, SearchSession &session, SearchView &view, const QByteArray &path,
                   const QString &criteria, bool caseSensitive)
{
    CatalogueScan(search, session, view, path, criteria, caseSensitive).run();
}

} // namespace kestrova
