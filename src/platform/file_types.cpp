#include "file_types.h"

#include <QStringList>

namespace kestrova {
namespace {

bool hasWildcard(QStringView pattern)
{
    return pattern.contains(u'*') || pattern.contains(u'?') || pattern.contains(u'[');
}

} // namespace

// Why the cache is exact: a name that matches no literal pattern and no pattern outside the
// "*.ext" form is typed by the set of "*.ext" patterns it matches. Every such extension is a
// suffix of the name's longest matching one, so two names that share their longest matching
// extension, spelled the same, match the same set and get the same type.
FileTypes::FileTypes()
{
    QStringList others;
    for (const QMimeType &type : m_database.allMimeTypes()) {
        for (const QString &pattern : type.globPatterns()) {
            if (pattern.startsWith(u"*.") && !hasWildcard(QStringView(pattern).mid(2)))
                m_extensions.insert(pattern.mid(2).toLower());
            else if (!hasWildcard(pattern))
                m_literalNames.insert(pattern.toLower());
            else
                others.append(QStringLiteral("(?:%1)").arg(
                    QRegularExpression::wildcardToRegularExpression(pattern)));
        }
    }
    // Matching without regard to case finds a superset of the names these patterns can
    // match; such names simply take the plain lookup.
    m_otherPatterns.setPattern(others.isEmpty() ? QStringLiteral("(?!)") : others.join(u'|'));
    m_otherPatterns.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    m_otherPatterns.optimize();
}

QString FileTypes::commentByLookup(const QString &fileName) const
{
    const QMimeType type = m_database.mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QString() : type.comment();
}

QString FileTypes::fallback(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot + 1 == fileName.size())
        return QStringLiteral("File");
    return fileName.mid(dot + 1).toUpper() + QStringLiteral(" File");
}

QString FileTypes::describeByLookup(const QString &fileName) const
{
    const QString comment = commentByLookup(fileName);
    return comment.isEmpty() ? fallback(fileName) : comment;
}

QString FileTypes::describe(QByteArrayView fileNameBytes)
{
    const QString fileName = QString::fromUtf8(fileNameBytes);
    if (m_literalNames.contains(fileName.toLower())
        || m_otherPatterns.match(fileName).hasMatch())
        return describeByLookup(fileName);

    // The leftmost dot that starts a known extension starts the longest one.
    QString key;
    for (qsizetype dot = fileName.indexOf(u'.'); dot >= 0; dot = fileName.indexOf(u'.', dot + 1)) {
        if (m_extensions.contains(QStringView(fileName).mid(dot + 1).toString().toLower())) {
            key = fileName.mid(dot);
            break;
        }
    }
    auto cached = m_commentByExtension.constFind(key);
    if (cached == m_commentByExtension.constEnd())
        cached = m_commentByExtension.insert(key, commentByLookup(fileName));
    return cached->isEmpty() ? fallback(fileName) : *cached;
}

} // namespace kestrova
