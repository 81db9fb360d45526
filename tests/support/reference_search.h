// What a search over one catalogue must find, read the plain way: the bytes split into lines
// at every CR, LF or CR LF, the heading rule applied line by line, the criteria looked for in
// each line's text. The block scanner and the fuzz targets are checked against it.
#pragma once

#include "platform/files/file_names.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
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

// Whether a line holds the criteria. Case-sensitive: as text. Case-insensitive: both lowered,
// each byte of the line that is not UTF-8 (and each escape of one in the criteria) turned into
// a private-use character of its own, which has no case; a U+FFFD of the criteria stands for
// itself or any such byte.
inline bool referenceHolds(const QByteArray &line, const QString &criteria, bool caseSensitive)
{
    if (caseSensitive)
        return QString::fromUtf8(line).contains(criteria);
    const auto marked = [](const QString &text) {
        QString out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i].unicode();
            if (unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate())) {
                const char32_t mark = 0xF0000 + unit - 0xDC00;
                out += QString::fromUcs4(&mark, 1);
            } else {
                out += text[i];
            }
        }
        return out.toLower();
    };
    QStringList pieces = marked(criteria).split(QChar::ReplacementCharacter);
    for (QString &piece : pieces)
        piece = QRegularExpression::escape(piece);
    const QRegularExpression pattern(pieces.join(QStringLiteral("(?:\\x{FFFD}|[\\x{F0080}-\\x{F00FF}])")));
    return pattern.match(marked(kestrova::decodeFileName(line))).hasMatch();
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
        const bool match = !line.isEmpty() && referenceHolds(line, criteria, caseSensitive);
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
