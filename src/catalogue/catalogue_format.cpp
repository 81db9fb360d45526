#include "catalogue_format.h"

#include <algorithm>
#include <cstdio>

#include <string.h> // memrchr

namespace kestrova::catalogue {

QByteArray formatTotal(quint64 count)
{
    if (count < 10'000'000)
        return QByteArray::number(count);
    char text[32];
    std::snprintf(text, sizeof text, "%.6E", double(count));
    // "1.234500E+07": drop the mantissa's trailing zeros, and its point when nothing follows.
    QByteArray out(text);
    const qsizetype exponent = out.indexOf('E');
    qsizetype end = exponent;
    while (out.at(end - 1) == '0')
        --end;
    if (out.at(end - 1) == '.')
        --end;
    return out.left(end) + out.mid(exponent);
}

TotalLine totalLine(QByteArrayView line, bool afterEndMarker)
{
    if (!afterEndMarker)
        return {};
    if (line.startsWith(QByteArrayView(kFolderTotalPrefix)))
        return {TotalLine::Kind::Folders, line.sliced(qstrlen(kFolderTotalPrefix))};
    if (line.startsWith(QByteArrayView(kFileTotalPrefix)))
        return {TotalLine::Kind::Files, line.sliced(qstrlen(kFileTotalPrefix))};
    return {};
}

std::optional<QByteArrayView> fileTotalInTail(QByteArrayView tail)
{
    const qsizetype marker = tail.lastIndexOf(QByteArrayView(kEndMarker));
    // The marker is a line of its own: at the start of tail or after a line end.
    if (marker < 0 || (marker > 0 && tail[marker - 1] != '\n' && tail[marker - 1] != '\r'))
        return std::nullopt;
    QByteArrayView rest = tail.sliced(marker + qstrlen(kEndMarker));
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n')
            ++end;
        const TotalLine total = totalLine(rest.first(end), true);
        if (total.kind == TotalLine::Kind::Files)
            return total.value;
        rest = rest.sliced(end);
        while (!rest.isEmpty() && (rest.front() == '\r' || rest.front() == '\n'))
            rest = rest.sliced(1);
    }
    return std::nullopt;
}

std::optional<quint64> totalValue(QByteArrayView text)
{
    bool ok = false;
    const double value = text.trimmed().toByteArray().toDouble(&ok);
    // Checked before the conversion: a double past 2^63 (or not a number) has no qint64.
    if (!ok || !(value >= 0) || value >= 9.2e18)
        return std::nullopt;
    return quint64(value);
}

bool isFolderHeading(QByteArrayView line, QByteArrayView previousLine, bool previousClosesFrame)
{
    return line.startsWith(QByteArrayView("Folder")) && previousLine == QByteArrayView(kRule) && !previousClosesFrame;
}

QByteArray firstHeadingIn(QByteArrayView head)
{
    QByteArrayView previous;
    while (!head.isEmpty()) {
        qsizetype end = 0;
        while (end < head.size() && head[end] != '\r' && head[end] != '\n')
            ++end;
        if (end == head.size())
            break; // a line cut off by the end of head is not read
        const QByteArrayView line = head.first(end);
        if (isFolderHeading(line, previous, false)) // no heading before it whose frame it could close
            return headingFolder(line).toByteArray();
        previous = line;
        head = head.sliced(end + (end + 1 < head.size() && head[end] == '\r' && head[end + 1] == '\n' ? 2 : 1));
    }
    return {};
}

QByteArrayView headingFolder(QByteArrayView heading)
{
    QByteArrayView text = heading.sliced(std::min<qsizetype>(heading.size(), 6)); // "Folder"
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

QByteArray lineSafe(QByteArray text)
{
    if (text.contains('\r') || text.contains('\n')) {
        text.replace('\r', '?');
        text.replace('\n', '?');
    }
    return text;
}

QByteArray fieldSafe(QByteArray text)
{
    for (char &c : text)
        if (c == '\r' || c == '\n' || c == kFieldSeparator)
            c = '?';
    return text;
}

namespace {

// The last field separator in text, or -1; every reader of entries comes here for every line.
qsizetype lastSeparator(QByteArrayView text)
{
    const void *found = text.isEmpty() ? nullptr : memrchr(text.data(), kFieldSeparator, size_t(text.size()));
    return found ? static_cast<const char *>(found) - text.data() : -1;
}

} // namespace

EntryFields entryFields(QByteArrayView line)
{
    const qsizetype last = lastSeparator(line);
    if (last < 0)
        return {line, {}, {}};
    const qsizetype middle = lastSeparator(line.first(last));
    if (middle < 0)
        return {line.first(last), line.sliced(last + 1), {}};
    return {line.first(middle), line.sliced(middle + 1, last - middle - 1), line.sliced(last + 1)};
}

QString catalogueFileName(const QString &chosen)
{
    if (chosen.endsWith(QStringLiteral(".txt"), Qt::CaseSensitive))
        return chosen;
    return chosen + QStringLiteral(".txt");
}

} // namespace kestrova::catalogue
