#include "catalogue_scan.h"

#include "index_cache.h"
#include "needle.h"

#include "catalogue/catalogue_format.h"
#include "catalogue/line_bounds.h"

#include <cstring>
#include <limits>
#include <memory>


namespace kestrova {
namespace {

constexpr qsizetype kBlockSize = 1 << 18;
// A longer line is no catalogue line, wherever it lies: it is never matched and never a
// heading. One longer than what is held at once is passed over without being held, so that
// memory stays bounded whatever a file holds.
constexpr qsizetype kMaxLineLength = 1 << 20;
// Bytes kept before the unread lines when the buffer moves on: enough to see the rule line
// (44 "=" and its line end) above a folder heading.
constexpr qsizetype kLookBack = 64;
constexpr qsizetype kRuleLength = sizeof catalogue::kRule - 1;
constexpr qint64 kNoEnd = std::numeric_limits<qint64>::max();

static_assert(kLookBack >= kRuleLength + 3);

// One catalogue file read in large blocks. The scan jumps from one match of the criteria to
// the next and finds the bounds of a line only there. Headings are not looked for ahead: at a
// match the latest heading is found by looking back for rule lines, only as far as the place
// up to which headings are already known (m_resolvedTo).
class CatalogueScan
{
public:
    CatalogueScan(CatalogueSearch &search, SearchSession &session, SearchView &view, FileReader &file,
                  const QString &criteria, bool caseSensitive)
        : m_search(search), m_session(session), m_view(view), m_file(file),
          m_caseSensitive(caseSensitive), m_criteria(criteria),
          m_needle(std::make_unique<Needle>(criteria, caseSensitive))
    {
    }

    void run(const ScanPlan *plan, CatalogueTap *build)
    {
        if (!plan) {
            m_build = build;
            if (read(ScanRegion{0, kNoEnd}))
                takeHeading();
            return;
        }
        for (const ScanRegion &region : plan->regions) {
            if (!read(region))
                return;
            if (m_wholeRest) {
                takeHeading();
                return;
            }
        }
        if (plan->finalHeadingOffset >= 0) {
            m_heading = readLine(plan->finalHeadingOffset, plan->finalHeadingLength);
            takeHeading();
        }
    }

private:
    // Reads the lines of region; false when the search must stop.
    bool read(const ScanRegion &region)
    {
        m_end = region.end;
        m_resolvedTo = region.begin;
        m_lastHeadingNext = region.lastHeadingNext;
        m_heading = region.headingOffset >= 0 ? readLine(region.headingOffset, region.headingLength) : QByteArray();
        // The buffer holds [m_base + i] of the file at index i; the look-back area comes first.
        m_base = std::max<qint64>(0, region.begin - kLookBack);
        m_file.seek(m_base);
        m_buffer.resize(kLookBack + kBlockSize);
        qsizetype dataEnd = 0;
        qsizetype regionStart = qsizetype(region.begin - m_base);
        qsizetype searchedTo = regionStart; // no line end lies in [regionStart, searchedTo)
        bool skipping = false;              // inside a line too long to be a catalogue line
        for (;;) {
            if (m_buffer.size() < dataEnd + kBlockSize)
                m_buffer.resize(dataEnd + kBlockSize);
            const qint64 want = std::min<qint64>(kBlockSize, m_end - (m_base + dataEnd));
            const qsizetype got = want > 0 ? m_file.read(m_buffer.data() + dataEnd, qsizetype(want)) : 0;
            if (m_build)
                m_build->feed(QByteArrayView(m_buffer.constData() + dataEnd, got));
            const bool atEnd = got == 0;
            dataEnd += got;
            m_dataEnd = m_buffer.constData() + dataEnd;
            if (skipping) {
                // The long line ends at its first line end (a CR last in the buffer may yet be
                // followed by its LF); the scan goes on after it, and the long line is never
                // taken for a heading.
                const char *b = m_buffer.constData();
                const char *lineEnd = findLineEnd(b + searchedTo, b + dataEnd);
                skipping = lineEnd == b + dataEnd || (!atEnd && *lineEnd == '\r' && lineEnd + 1 == b + dataEnd);
                regionStart = searchedTo = (skipping ? lineEnd : pastLineEnd(lineEnd, b + dataEnd)) - b;
                if (!skipping)
                    m_resolvedTo = offsetOf(b + regionStart);
            }
            if (!skipping) {
                const qsizetype complete =
                    atEnd ? dataEnd : completeLinesEnd(m_buffer.constData(), regionStart, searchedTo, dataEnd);
                if (complete > regionStart && !scan(regionStart, complete))
                    return false;
                regionStart = complete;
                // A trailing CR may yet be followed by its LF, so the last byte is searched again.
                searchedTo = std::max(regionStart, dataEnd - 1);
                // The buffer moves on past these lines: their latest heading is found now.
                resolveTo(m_buffer.constData() + regionStart);
                takeHeading();
                // A catalogue line is short; one past the cap is not held, only passed over.
                skipping = dataEnd - regionStart > kMaxLineLength;
            }
            if (atEnd)
                return true;
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

    // Handles the lines of [from, to); false when the search must stop.
    bool scan(qsizetype from, qsizetype to)
    {
        const char *b = m_buffer.constData();
        const char *end = b + to;
        const char *pos = b + from;
        const char *exact = nullptr;
        const char *trigger = nullptr;
        while (pos < end) {
            if (!exact || exact < pos)
                exact = m_needle->findExact(pos, end);
            if (!trigger || trigger < pos)
                trigger = m_needle->needsTriggers() ? m_needle->findTrigger(pos, end) : end;
            const char *at = std::min(exact, trigger);
            if (at >= end)
                break;

            const char *lineStart = at;
            while (lineStart > pos && !isLineEnd(lineStart[-1]))
                --lineStart;
            const char *lineEnd = findLineEnd(at, end);
            const QByteArrayView line(lineStart, lineEnd - lineStart);
            if (line.size() <= kMaxLineLength && (exact < lineEnd || (trigger < lineEnd && m_needle->lineMatches(line)))
                && !isHeading(lineStart)) {
                resolveTo(lineStart);
                takeHeading();
                if (!handleMatch(line, offsetOf(lineStart)))
                    return false;
                if (QString now = m_view.criteriaText(); now != m_criteria) {
                    m_criteria = std::move(now);
                    m_needle = std::make_unique<Needle>(m_criteria, m_caseSensitive);
                    exact = trigger = nullptr;
                    // Other criteria: whatever told where the old ones could match no longer
                    // holds, so the rest of the file is read.
                    m_end = kNoEnd;
                    m_wholeRest = true;
                }
            }
            pos = pastLineEnd(lineEnd, end);
        }
        return true;
    }

    // Finds the latest heading among the lines that start in [m_resolvedTo, lineStart).
    void resolveTo(const char *lineStart)
    {
        if (offsetOf(lineStart) <= m_resolvedTo)
            return;
        if (const char *heading = lastHeadingBefore(lineStart)) {
            const char *headingEnd = findLineEnd(heading, lineStart);
            m_heading = QByteArray(heading, headingEnd - heading);
            m_lastHeadingNext = offsetOf(pastLineEnd(headingEnd, lineStart));
        }
        m_resolvedTo = offsetOf(lineStart);
    }

    // Looks back from limit for rule lines; the line after one may be a heading.
    const char *lastHeadingBefore(const char *limit) const
    {
        const char *b = m_buffer.constData();
        const char *lowest = std::max(b, pointerTo(m_resolvedTo) - kRuleLength - 2);
        const char *p = limit;
        while (p > lowest) {
            const char *q = static_cast<const char *>(memrchr(lowest, '=', size_t(p - lowest)));
            if (!q)
                return nullptr;
            const char *after = q + 1;
            if (after < limit && isLineEnd(*after)) {
                const char *candidate = pastLineEnd(after, limit);
                if (candidate < limit && offsetOf(candidate) >= m_resolvedTo && isHeading(candidate))
                    return candidate;
            }
            p = q;
            while (p > lowest && p[-1] == '=')
                --p;
        }
        return nullptr;
    }

    // The frame rule: a line beginning "Folder" right after a rule line that does not close the
    // frame of the heading before it, that is, whose own previous line is not a heading. Going
    // back through such alternating lines ends at a line that is none, or at m_resolvedTo,
    // where the latest heading is known.
    bool isHeading(const char *lineStart) const
    {
        bool flipped = false;
        const char *line = lineStart;
        for (;;) {
            const char *rule = ruleBefore(line);
            if (!rule || !headingShaped(line))
                return flipped; // this line is no heading
            if (offsetOf(rule) <= m_resolvedTo)
                return (offsetOf(rule) != m_lastHeadingNext) != flipped;
            // The line before the rule decides: when it is a heading, the rule closes its frame.
            const char *previous = rule - 1;
            if (*previous == '\n' && offsetOf(previous) > 0 && previous[-1] == '\r')
                --previous;
            while (offsetOf(previous) > 0 && !isLineEnd(previous[-1]))
                --previous;
            line = previous;
            flipped = !flipped;
        }
    }

    // Whether the whole line at lineStart begins "Folder" and is not too long to be a line.
    bool headingShaped(const char *lineStart) const
    {
        if (m_dataEnd - lineStart < 6 || std::memcmp(lineStart, "Folder", 6) != 0)
            return false;
        const char *limit = m_dataEnd - lineStart > kMaxLineLength ? lineStart + kMaxLineLength + 1 : m_dataEnd;
        return findLineEnd(lineStart, limit) - lineStart <= kMaxLineLength;
    }

    // The start of the rule line that ends right before lineStart, or null.
    const char *ruleBefore(const char *lineStart) const
    {
        if (offsetOf(lineStart) == 0)
            return nullptr;
        const char *previousEnd = lineStart - 1;
        if (*previousEnd == '\n' && offsetOf(previousEnd) > 0 && previousEnd[-1] == '\r')
            --previousEnd;
        const char *start = previousEnd - kRuleLength;
        if (start < m_buffer.constData() || (offsetOf(start) != 0 && !isLineEnd(start[-1])))
            return nullptr;
        return std::memcmp(start, catalogue::kRule, size_t(kRuleLength)) == 0 ? start : nullptr;
    }

    void takeHeading()
    {
        if (m_heading.isNull())
            return;
        m_session.CurrentFolder = catalogue::headingFolder(m_heading).toByteArray();
        ++m_session.headingsTaken;
        m_heading = QByteArray();
    }

    bool handleMatch(QByteArrayView line, qint64 lineOffset)
    {
        if (m_search.Tokenize(line, lineOffset)) {
            ++m_session.MatchCount;
            m_view.setCountText(QString::number(m_session.MatchCount));
            m_view.setIndicatorColour(m_view.indicatorColour() == IndicatorColour::Red
                                          ? IndicatorColour::Green
                                          : IndicatorColour::Red);
        }
        return !m_session.StopRequested;
    }

    QByteArray readLine(qint64 offset, qint32 length)
    {
        QByteArray line(length, Qt::Uninitialized);
        line.resize(m_file.readAt(offset, line.data(), length));
        return line;
    }

    qint64 offsetOf(const char *p) const { return m_base + (p - m_buffer.constData()); }
    const char *pointerTo(qint64 offset) const { return m_buffer.constData() + (offset - m_base); }

    CatalogueSearch &m_search;
    SearchSession &m_session;
    SearchView &m_view;
    FileReader &m_file;
    bool m_caseSensitive;
    QString m_criteria;
    std::unique_ptr<Needle> m_needle;
    QByteArray m_buffer;
    const char *m_dataEnd = nullptr;
    qint64 m_base = 0;
    qint64 m_end = kNoEnd;          // where the part being read ends
    bool m_wholeRest = false;       // the criteria changed: the rest of the file is read
    qint64 m_resolvedTo = 0;        // headings of the lines before this are known
    qint64 m_lastHeadingNext = -1;  // where the line after the latest heading starts
    QByteArray m_heading;           // the latest heading, not yet taken into CurrentFolder
    CatalogueTap *m_build = nullptr;  // fed every byte of a whole reading
};

} // namespace

void scanCatalogue(CatalogueSearch &search, SearchSession &session, SearchView &view, FileReader &file,
                   const QString &criteria, bool caseSensitive, const ScanPlan *plan, CatalogueTap *build)
{
    CatalogueScan(search, session, view, file, criteria, caseSensitive).run(plan, build);
}

} // namespace kestrova
