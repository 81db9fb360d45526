#include "file_types.h"

#include <QStringList>

namespace kestrova {
namespace {

bool hasWildcard(QStringView pattern)
{
    return pattern.contains(u'*') || pattern.contains(u'?') || pattern.contains(u'[');
}

} // namespace

// Why the cache is exact: the database types a name by the set of its glob patterns that the
// name matches, so names that match the same set get the same type. The cache key pins that
// set down:
// - the "*.ext" patterns a name matches are all suffixes of its longest matching extension, so
//   that extension, spelled as in the name, decides them;
// - for each other wildcard pattern, whether it matches with and without regard to case
//   (patterns may be case-sensitive);
// - a name equal to a literal pattern (Makefile, CMakeLists.txt) is its own key.
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
                others.append(QRegularExpression::wildcardToRegularExpression(pattern));
        }
    }
    for (const QString &expression : others) {
        QRegularExpression anyCase(expression, QRegularExpression::CaseInsensitiveOption);
        anyCase.optimize();
        QRegularExpression exactCase(expression);
        exactCase.optimize();
        m_eachPattern.push_back({anyCase, exactCase});
    }
    for (QString &expression : others)
        expression = QStringLiteral("(?:%1)").arg(expression);
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
    QString key;
    // The leftmost dot that starts a known extension starts the longest one.
    for (qsizetype dot = fileName.indexOf(u'.'); dot >= 0; dot = fileName.indexOf(u'.', dot + 1)) {
        if (m_extensions.contains(QStringView(fileName).mid(dot + 1).toString().toLower())) {
            key = fileName.mid(dot);
            break;
        }
    }
    if (m_literalNames.contains(fileName.toLower())) {
        key = u'\x01' + fileName;
    } else if (m_otherPatterns.match(fileName).hasMatch()) {
        key += u'\x02';
        for (const auto &[anyCase, exactCase] : m_eachPattern)
            key += QChar(u'0' + (anyCase.match(fileName).hasMatch() ? 1 : 0)
                         + (exactCase.match(fileName).hasMatch() ? 2 : 0));
    }
    auto cached = m_commentByKey.constFind(key);
    if (cached == m_commentByKey.constEnd())
        cached = m_commentByKey.insert(key, commentByLookup(fileName));
    return cached->isEmpty() ? fallback(fileName) : *cached;
}

} // namespace kestrova
