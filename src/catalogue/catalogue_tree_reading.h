// How CatalogueTree reads its catalogue's lines: one pass in blocks through the frame rule of
// headings and the entry-field rule, whole or one folder's stretch at a time. Used by
// catalogue_tree.cpp and catalogue_tree_table.cpp alone.
#pragma once

#include "catalogue_format.h"
#include "catalogue_tree.h"
#include "line_bounds.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kestrova {

inline constexpr qsizetype kTreeReadBlock = 1 << 20;


// One pass over the catalogue's lines, in blocks, through the frame rule.
class CatalogueTree::Reading
{
public:
    Reading(CatalogueTree &tree, FileReader &file, CatalogueFacts *facts) : m_tree(tree), m_file(file), m_facts(facts)
    {
        m_buffer.resize(kTreeReadBlock * 2);
    }

    // Reads one stretch of the catalogue only: from the heading of folder at offset (whose line
    // before was a heading or not), or from the start for the entries before any heading, up to
    // the next heading. The lines are judged as a reading from the start judges them there.
    void resumeAt(qint64 offset, quint32 folder, bool afterHeading)
    {
        m_stopAtHeading = true;
        m_file.seek(std::max<qint64>(0, offset));
        if (offset <= 0)
            return;
        m_bufferAt = offset;
        m_lines = 1; // past the header line
        m_resumeFolder = folder;
        m_resumeAfterHeading = afterHeading;
    }

    void run()
    {
        bool skipping = false; // inside a line too long to be a catalogue line
        while (!m_stopped) {
            const char *data = m_buffer.constData();
            const char *end = data + m_end;
            const char *stop = findLineEnd(data + m_begin, end);
            // A CR last in what was read may yet be followed by its LF.
            if (stop < end && !(*stop == '\r' && stop + 1 == end && !m_atEnd)) {
                const qsizetype start = std::exchange(m_begin, pastLineEnd(stop, end) - data);
                const qsizetype length = (stop - data) - start;
                if (std::exchange(skipping, false) || length > catalogue::kLongestLine)
                    take({}, -1, 0);
                else
                    take(QByteArrayView(data + start, length), m_bufferAt + start, length);
                continue;
            }
            if (m_atEnd) {
                // The last line, without its line end.
                if (m_begin < m_end && !skipping && m_end - m_begin <= catalogue::kLongestLine)
                    take(QByteArrayView(data + m_begin, m_end - m_begin), m_bufferAt + m_begin, m_end - m_begin);
                return;
            }
            if (m_end - m_begin > catalogue::kLongestLine) {
                // No catalogue line is this long: what was read of it goes (a CR last may be
                // followed by its LF, so it stays), the rest is passed over.
                skipping = true;
                m_begin = m_end - (data[m_end - 1] == '\r' ? 1 : 0);
            }
            fill();
        }
    }

    bool sawHeader() const { return m_sawHeader; }
    QByteArray headerDate() const { return m_headerDate; }

private:
    void fill()
    {
        if (m_begin > 0) {
            std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(m_end - m_begin));
            m_bufferAt += m_begin;
            m_end -= m_begin;
            m_begin = 0;
        }
        if (m_buffer.size() - m_end < kTreeReadBlock)
            m_buffer.resize(m_end + kTreeReadBlock);
        const qsizetype got = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        m_atEnd = got == 0;
        m_end += got;
    }

    // One line (empty, offset -1, for one passed over).
    void take(QByteArrayView line, qint64 offset, qsizetype length)
    {
        if (m_lines++ == 0) {
            m_sawHeader = line.startsWith(QByteArrayView(catalogue::kHeaderPrefix));
            if (m_sawHeader)
                m_headerDate = line.sliced(qstrlen(catalogue::kHeaderPrefix)).toByteArray();
        }
        const QByteArrayView rule(catalogue::kRule);
        if (m_resumeFolder != kNone) {
            // The heading a stretch starts at, known from the reading that found it.
            m_folder = std::exchange(m_resumeFolder, kNone);
            m_headingBeforePrevious = m_resumeAfterHeading;
            m_previousIsHeading = true;
            m_previousIsRule = line == rule;
            return;
        }
        const bool heading = catalogue::isFolderHeading(line, m_previousIsRule ? rule : QByteArrayView(), m_headingBeforePrevious);
        if (heading && m_stopAtHeading) {
            m_stopped = true;
            return;
        }
        if (heading && m_previousIsHeading)
            m_tree.m_headingsAfterHeading.push_back(offset);
        m_headingBeforePrevious = m_previousIsHeading;
        m_previousIsHeading = heading;
        m_previousIsRule = line == rule;
        if (heading) {
            m_folder = m_tree.folderFor(catalogue::headingFolder(line), offset);
            return;
        }
        if (offset < 0)
            return;
        const catalogue::EntryFields fields = catalogue::entryFields(line);
        if (fields.type.isEmpty())
            return; // the search shows no row for it
        if (m_folder == kNone) {
            if (m_stopAtHeading && m_tree.m_beforeAny == kNone)
                return; // a stretch of a folder only
            if (m_tree.m_beforeAny == kNone)
                m_tree.m_beforeAny = m_tree.addFolder({}, 0, kNone);
            m_folder = m_tree.m_beforeAny;
        }
        m_tree.addFile(m_folder, fields.name, offset, length, m_facts ? m_facts->atLine(offset) : std::nullopt);
    }

    CatalogueTree &m_tree;
    FileReader &m_file;
    CatalogueFacts *m_facts;
    QByteArray m_buffer;
    qsizetype m_begin = 0; // the unread part of the buffer: [m_begin, m_end)
    qsizetype m_end = 0;
    qint64 m_bufferAt = 0; // the file offset of m_buffer[0]
    bool m_atEnd = false;
    quint64 m_lines = 0;
    bool m_sawHeader = false;
    QByteArray m_headerDate;
    bool m_previousIsRule = false;
    bool m_previousIsHeading = false;
    bool m_headingBeforePrevious = false;
    quint32 m_folder = kNone; // of the latest heading
    bool m_stopAtHeading = false;
    bool m_stopped = false;
    quint32 m_resumeFolder = kNone;
    bool m_resumeAfterHeading = false;
};

} // namespace kestrova
