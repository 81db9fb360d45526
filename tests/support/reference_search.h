// What a search over one catalogue must find, read the plain way: the bytes split into lines
// at every CR, LF or CR LF, the heading rule applied line by line, the criteria looked for in
// each line's text. The block scanner and the fuzz targets are checked against it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kestrova::testing {

inline const QByteArray kReferenceRule = "============================================";
inline constexpr qsizetype kReferenceLongestLine = 1 << 20;

struct ReferenceResult
{
    QStringList paths; // the rows' File Paths, in the order found
    qint64 matches = 0; // lines holding the criteria (rows or not)
};

inline QList<QByteArray> referenceLines(const QByteArray &content)
{
    QList<QByteArray> lines;
    QByteArray current;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n') {
            lines << current;
            current.clear();
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

inline QByteArray trimmedBlanks(QByteArray text)
{
    while (text.startsWith(' '))
        text.remove(0, 1);
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

// folder: the folder in force before the first heading (carried over from an earlier file).
inline ReferenceResult referenceSearch(const QByteArray &content, const QString &criteria, bool caseSensitive,
                                       QByteArray folder = QByteArray())
{
    const QList<QByteArray> lines = referenceLines(content);
    ReferenceResult result;
    int lastHeading = -10;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        // A line longer than 1 MiB is no catalogue line: never a heading, never a hit.
        if (line.size() > kReferenceLongestLine)
            continue;
        // A heading follows a rule line that does not itself close a frame.
        if (line.startsWith("Folder") && i >= 1 && lines[i - 1] == kReferenceRule && lastHeading != i - 2) {
            folder = trimmedBlanks(line.mid(6));
            lastHeading = i;
            continue;
        }
        const QString text = QString::fromUtf8(line);
        const bool match = !line.isEmpty()
                           && (caseSensitive ? text.contains(criteria)
                                             : text.toLower().contains(criteria.toLower()));
        if (!match)
            continue;
        ++result.matches;
        // The created text after the last ";", the type before it, the name all the rest.
        const QList<QByteArray> pieces = line.split(';');
        const qsizetype nameParts = pieces.size() >= 3 ? pieces.size() - 2 : 1;
        if (pieces.size() >= 2 && !pieces[nameParts].isEmpty())
            result.paths << QString::fromUtf8(folder + (folder.endsWith('/') ? "" : "/") + pieces.mid(0, nameParts).join(';'));
    }
    return result;
}

} // namespace kestrova::testing
