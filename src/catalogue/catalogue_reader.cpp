#include "catalogue_reader.h"

#include "catalogue_format.h"
#include "line_bounds.h"
#include "platform/files/file_names.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {
namespace {

constexpr qsizetype kBlock = 1 << 20;
constexpr qsizetype kMaxLine = 1 << 20;

// A line holding a field separator is an entry, read as the search reads it.
std::optional<CatalogueEntry> entryOf(QByteArrayView line, qint64 offset)
{
    if (!line.contains(catalogue::kFieldSeparator))
        return std::nullopt;
    const catalogue::EntryFields fields = catalogue::entryFields(line);
    return CatalogueEntry{fields.name.toByteArray(), fields.type.toByteArray(), fields.created.toByteArray(), offset};
}

} // namespace

CatalogueReader::CatalogueReader(const QString &path) : m_path(path)
{
    m_fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    struct stat info;
    if (fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(m_fd);
        throw Error(ErrorNumber::PathFileAccess, QCoreApplication::translate("Error", "Not a regular file"));
    }
    m_buffer.resize(kBlock * 2);
    QByteArrayView first;
    if (!nextLine(first) || !first.startsWith(QByteArrayView(catalogue::kHeaderPrefix))) {
        ::close(m_fd);
        throw Error(ErrorNumber::PathFileAccess, QCoreApplication::translate("Error", "Not a catalogue: its first line is no catalogue header"));
    }
    m_summary.headerDate = first.sliced(qstrlen(catalogue::kHeaderPrefix)).toByteArray();
}

CatalogueReader::~CatalogueReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void CatalogueReader::fill()
{
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(m_end - m_begin));
        m_bufferAt += m_begin;
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_buffer.size() - m_end < kBlock)
        m_buffer.resize(m_end + kBlock);
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer.data() + m_end, size_t(m_buffer.size() - m_end));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw errorFromErrno(errno, ErrnoSubject::File);
        if (got == 0)
            m_atEnd = true;
        m_end += got;
        return;
    }
}

bool CatalogueReader::nextLine(QByteArrayView &line)
{
    for (;;) {
        const char *data = m_buffer.constData();
        const char *end = data + m_end;
        const char *stop = findLineEnd(data + m_begin, end);
        // A CR at the end of what was read may yet be followed by its LF.
        if (stop < end && !(*stop == '\r' && stop + 1 == end && !m_atEnd)) {
            const qsizetype at = stop - data;
            const qsizetype start = std::exchange(m_begin, pastLineEnd(stop, end) - data);
            m_lineOffset = m_bufferAt + start;
            // A line too long to be a catalogue line reads as an empty one, wherever it lies.
            line = std::exchange(m_skipping, false) || at - start > kMaxLine ? QByteArrayView()
                                                                             : QByteArrayView(data + start, at - start);
            return true;
        }
        if (m_atEnd) {
            // A last line without its line end in a catalogue whose end marker was not read
            // was cut short by a run that ended part-way: it is not trusted.
            if (m_begin == m_end || m_skipping || (!m_summary.complete && m_started))
                return false;
            const qsizetype start = std::exchange(m_begin, m_end);
            m_lineOffset = m_bufferAt + start;
            line = QByteArrayView(data + start, m_end - start);
            return true;
        }
        if (m_end - m_begin > kMaxLine) {
            // No catalogue line is this long: what was read of it goes, the rest is passed over.
            m_skipping = true;
            m_begin = stop ? stop - data : m_end;
        }
        fill();
    }
}

void CatalogueReader::seek(qint64 offset)
{
    m_skipping = false;
    // Folders are mostly read again in the order of the file: what is still in the buffer
    // serves without reading.
    if (offset >= m_bufferAt && offset <= m_bufferAt + m_end) {
        m_begin = qsizetype(offset - m_bufferAt);
        return;
    }
    if (::lseek(m_fd, offset, SEEK_SET) < 0)
        throw errorFromErrno(errno, ErrnoSubject::File);
    m_bufferAt = offset;
    m_begin = m_end = 0;
    m_atEnd = false;
    m_skipping = false;
}

// One line through the frame rule; answers whether it is a heading, and notes what the last
// lines say.
bool CatalogueReader::take(QByteArrayView line)
{
    const QByteArrayView rule(catalogue::kRule);
    const bool heading = catalogue::isFolderHeading(line, m_previousIsRule ? rule : QByteArrayView(), m_headingBeforePrevious);
    m_headingBeforePrevious = m_previousIsHeading;
    m_previousIsHeading = heading;
    m_previousIsRule = line == rule;
    return heading;
}

bool CatalogueReader::noteTotal(QByteArrayView line)
{
    const catalogue::TotalLine total = catalogue::totalLine(line, m_summary.complete);
    if (total.kind == catalogue::TotalLine::Kind::Folders)
        m_summary.folderTotal = total.value.toByteArray();
    else if (total.kind == catalogue::TotalLine::Kind::Files)
        m_summary.fileTotal = total.value.toByteArray();
    return total.kind != catalogue::TotalLine::Kind::None;
}

std::vector<CatalogueEntry> CatalogueReader::readEntries(bool keep)
{
    std::vector<CatalogueEntry> entries;
    QByteArrayView line;
    while (nextLine(line)) {
        if (take(line)) {
            m_pending = CatalogueFolder{catalogue::headingFolder(line).toByteArray(), m_bufferAt + m_begin, {}, m_lineOffset};
            return entries;
        }
        if (line == QByteArrayView(catalogue::kEndMarker))
            m_summary.complete = true;
        else if (noteTotal(line))
            continue;
        else if (keep && !m_summary.complete && line != QByteArrayView(catalogue::kRule))
            if (auto entry = entryOf(line, m_lineOffset))
                entries.push_back(std::move(*entry));
    }
    m_pending.reset();
    return entries;
}

std::optional<CatalogueFolder> CatalogueReader::nextFolder(bool withEntries)
{
    if (!m_started) {
        m_started = true;
        readEntries(false); // the header's rule lines: no entries stand before the first heading
        if (m_pending)
            m_summary.root = m_pending->path;
    }
    if (!m_pending)
        return std::nullopt;
    CatalogueFolder folder = std::move(*m_pending);
    m_pending.reset();
    folder.entries = readEntries(withEntries);
    return folder;
}

std::optional<CatalogueEntryView> CatalogueReader::nextEntry()
{
    QByteArrayView line;
    while (nextLine(line)) {
        if (take(line)) {
            m_folder = catalogue::headingFolder(line).toByteArray();
            if (m_headings++ == 0)
                m_summary.root = m_folder;
        } else if (line == QByteArrayView(catalogue::kEndMarker)) {
            m_summary.complete = true;
        } else if (noteTotal(line)) {
            continue;
        } else if (m_headings > 0 && !m_summary.complete && line != QByteArrayView(catalogue::kRule)
                   && line.contains(catalogue::kFieldSeparator)) {
            const catalogue::EntryFields fields = catalogue::entryFields(line);
            return CatalogueEntryView{m_folder, m_headings, fields.name, fields.type, fields.created, m_lineOffset};
        }
    }
    return std::nullopt;
}

CatalogueFolder CatalogueReader::readHeadingAt(qint64 offset)
{
    seek(offset);
    QByteArrayView line;
    if (!nextLine(line))
        return CatalogueFolder{{}, offset, {}, offset};
    return CatalogueFolder{catalogue::headingFolder(line).toByteArray(), m_bufferAt + m_begin, {}, offset};
}

std::vector<CatalogueEntry> CatalogueReader::readFolderAt(qint64 offset)
{
    seek(offset);
    // Just after a heading: the next line is the rule that closes its frame.
    m_previousIsRule = false;
    m_previousIsHeading = true;
    m_headingBeforePrevious = false;
    const CatalogueSummary kept = m_summary;
    m_summary.complete = false; // entries end at the end marker, which is further on
    std::vector<CatalogueEntry> entries = readEntries(true);
    m_summary = kept;
    return entries;
}

} // namespace kestrova
