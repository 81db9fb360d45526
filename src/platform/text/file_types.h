// Type descriptions of files, from the desktop's shared MIME database, by name alone (a file
// is never opened to find its type). Never empty: a name the database does not know gets its
// extension upper-cased followed by " File", or "File" when it has no extension.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QSet>
#include <QString>

#include <utility>
#include <vector>

namespace kestrova {

class FileTypes
{
public:
    FileTypes();

    // The description for a file name. Gives exactly describeByLookup()'s answer, but most
    // names cost a few hash lookups instead of a full database match.
    QString describe(QByteArrayView fileName);
    // The plain database lookup for one name.
    QString describeByLookup(const QString &fileName) const;

private:
    // The database's comment for a name, or empty text when it knows only the generic type.
    QString commentByLookup(const QString &fileName) const;
    static QString fallback(const QString &fileName);

    QMimeDatabase m_database;
    // From the database's glob patterns: the extensions of "*.ext" patterns (lower case),
    // the literal names (lower case), and the other wildcard patterns, each without and with
    // regard to case, and all together without regard to case for a quick first test.
    QSet<QString> m_extensions;
    QSet<QString> m_literalNames;
    std::vector<std::pair<QRegularExpression, QRegularExpression>> m_eachPattern;
    QRegularExpression m_otherPatterns;
    // The database's comment by cache key (see describe()); empty for the generic type.
    QHash<QString, QString> m_commentByKey;
};

} // namespace kestrova
