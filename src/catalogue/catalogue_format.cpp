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

bool isFolderHeading(QByteArrayView line, QByteArrayView previousLine, bool previousClosesFrame)
{
    return line.startsWith(QByteArrayView("Folder")) && previousLine == QByteArrayView(kRule) && !previousClosesFrame;
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
