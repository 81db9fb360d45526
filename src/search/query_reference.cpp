#include "query_reference.h"

#include "platform/files/file_names.h"

#include <QRegularExpression>

namespace kestrova {
namespace {

QString text(QByteArrayView bytes, bool caseSensitive)
{
    const QString decoded = decodeFileName(bytes);
    return caseSensitive ? decoded : decoded.toLower();
}

bool wildcard(const QString &pattern, const QString &name)
{
    QString expression;
    for (const QChar c : pattern)
        expression += c == u'*'   ? QStringLiteral(".*")
                      : c == u'?' ? QStringLiteral(".")
                                  : QRegularExpression::escape(c);
    const QRegularExpression whole(QRegularExpression::anchoredPattern(expression),
                                   QRegularExpression::DotMatchesEverythingOption);
    return whole.match(name).hasMatch();
}

bool matches(const QueryTerm &term, const QueryEntry &entry, bool cs, CreatedDates &created)
{
    const auto folded = [cs](const QString &value) { return cs ? value : value.toLower(); };
    switch (term.kind) {
    case QueryTerm::Kind::Name:
        return text(entry.name, cs).contains(folded(term.text));
    case QueryTerm::Kind::Wildcard:
        return wildcard(folded(term.text), displayFileName(text(entry.name, cs)));
    case QueryTerm::Kind::Path:
        return text(entry.path, cs).contains(folded(term.text));
    case QueryTerm::Kind::Type:
        return text(entry.type, cs).contains(folded(term.text));
    case QueryTerm::Kind::Drive:
        return text(entry.catalogue, cs).contains(folded(term.text)) ||
               text(entry.driveLabel, cs).contains(folded(term.text));
    case QueryTerm::Kind::Ext: {
        const QString name = text(entry.name, cs);
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot <= 0)
            return false;
        for (const QString &extension : term.extensions) {
            if (name.mid(dot + 1) == folded(extension))
                return true;
        }
        return false;
    }
    case QueryTerm::Kind::Size:
        return entry.size >= 0 && entry.size >= term.sizes.least && entry.size <= term.sizes.most;
    case QueryTerm::Kind::Modified:
        return entry.size >= 0 && term.days.holds(modifiedDay(entry.modifiedNs));
    case QueryTerm::Kind::Created: {
        const std::optional<QDate> day = created.dateOf(entry.created, entry.catalogue);
        return day && term.days.holds(*day);
    }
    case QueryTerm::Kind::Regex:
        return term.regex.match(displayFileName(decodeFileName(entry.name))).hasMatch();
    case QueryTerm::Kind::All:
        for (const QueryTerm &child : term.children) {
            if (!matches(child, entry, cs, created))
                return false;
        }
        return true;
    case QueryTerm::Kind::Any:
        for (const QueryTerm &child : term.children) {
            if (matches(child, entry, cs, created))
                return true;
        }
        return false;
    case QueryTerm::Kind::Not:
        return !matches(term.children.front(), entry, cs, created);
    }
    return false;
}

} // namespace

bool referenceMatches(const Query &query, const QueryEntry &entry, CreatedDates &created)
{
    return matches(query.root, entry, query.caseSensitive, created);
}

} // namespace kestrova
