// The query language of Quick Find and kestrova-cli find, read into a small tree of terms. A
// plain term matches an entry's name (a substring, or with "*" and "?" a pattern of the whole
// name); blanks join terms that must all match, "|" or OR gives either, "!" or NOT negates,
// parentheses group, quotes make one literal term of what they hold. Fields look at other parts
// of the entry: path:, ext:, type:, drive:, size:, modified:, created:, regex:; case: anywhere
// makes every term match letter case exactly.
//
// A query that does not read is an error naming what and where, its position counted in
// characters from 1; nothing of a partly read query is kept.
#pragma once

#include "search_view.h"

#include <QDate>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kestrova {

// Days from first to last, both included; a null end is open.
struct DayRange
{
    QDate first;
    QDate last;
    bool holds(QDate day) const
    {
        return day.isValid() && (first.isNull() || day >= first) && (last.isNull() || day <= last);
    }
};

struct QueryTerm
{
    enum class Kind
    {
        Name,     // text: a substring of the name
        Wildcard, // text: a pattern of the whole name, "*" any run, "?" one character
        Path,     // text: a substring of the full path
        Ext,      // extensions: the name's extension is one of these (no dot)
        Type,     // text: a substring of the type description
        Drive,    // text: a substring of the catalogue's file name or of the drive's label
        Size,     // sizes: the file's size, from the facts
        Modified, // days: the file's last modification, from the facts, in local time
        Created,  // days: the created text, read as a date
        Regex,    // regex: a regular expression found in the name
        All,      // children: every one matches
        Any,      // children: at least one matches
        Not,      // children: the one does not match
    };
    Kind kind = Kind::All;
    QString text;
    QStringList extensions;
    SizeRange sizes;
    DayRange days;
    QRegularExpression regex; // compiled, with the case mode of the query
    std::vector<QueryTerm> children;
    int position = 1; // where the term starts in the query
};

struct Query
{
    QueryTerm root;
    bool caseSensitive = false;
};

struct QueryParse
{
    std::optional<Query> query;
    QString error; // in the user's language, naming what and where
    int errorPosition = 0;
};

// caseSensitive: as if the query held case:.
QueryParse parseQuery(QStringView text, bool caseSensitive = false);

// A size as typed: bytes, or a number with K, M, G or T (powers of 1024, a fraction allowed:
// 1.5G; a trailing B or iB is read too); nothing when it is none.
std::optional<qint64> sizeFromText(QStringView text);

// Matching one name with regex: stops after this many steps of the regular-expression engine
// and counts as no match, so that no pattern hangs a search.
inline constexpr int kRegexMatchLimit = 200000;

} // namespace kestrova
