// A query matched against one entry: built once from the query's tree, its texts folded to the
// query's case mode once; matches() then folds each field of the entry it needs at most once.
// query_reference.h holds the plain model it is tested against.
#pragma once

#include "query.h"

#include "platform/text/date_conventions.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QByteArrayView>

#include <memory>
#include <optional>
#include <vector>

namespace kestrova {

class CatalogueDates;

// The fields of one entry, as UTF-8 (names as the catalogue holds their bytes).
struct QueryEntry
{
    QByteArrayView name;
    QByteArrayView path; // folder and name
    QByteArrayView type;
    QByteArrayView created;
    QByteArrayView catalogue;  // the catalogue's file name
    QByteArrayView driveLabel; // the label of the drive the catalogue describes; empty: not known
    qint64 size = -1;          // from the facts; -1: not known
    qint64 modifiedNs = 0;     // from the facts, when the size is known
};

// Reads the created texts of catalogues as dates, each with the date conventions of the
// catalogue it comes from: those its facts record, else those its header and first lines can
// only have been written with (CatalogueDates). Without a folder every text is read with the
// conventions given. A catalogue whose dates cannot be told yields no dates.
class CreatedDates
{
public:
    explicit CreatedDates(const DateConventions &dates);
    ~CreatedDates();
    CreatedDates(const CreatedDates &) = delete;
    CreatedDates &operator=(const CreatedDates &) = delete;

    // folder: the folder of catalogues the entries come from; empty: read every text with the
    // conventions given.
    void readCataloguesIn(const QString &folder);
    std::optional<QDate> dateOf(QByteArrayView created, QByteArrayView catalogue);

private:
    const DateConventions *conventionsOf(QByteArrayView catalogue);

    const DateConventions &m_dates;
    QString m_folder;
    std::unique_ptr<CatalogueDates> m_catalogueDates;
    QHash<QByteArray, const DateConventions *> m_byCatalogue;
    // Files of one folder often share a created text: the last one read is kept.
    QByteArray m_lastCatalogue;
    QByteArray m_lastText;
    std::optional<QDate> m_lastDate;
};

// The local date of a modification time in nanoseconds since the epoch.
QDate modifiedDay(qint64 modifiedNs);

// Text folded as the query compares it: bytes as they are when case matters, otherwise lower
// case (Unicode; bytes that are not UTF-8 kept as they are).
QByteArray foldedText(QByteArrayView text, bool caseSensitive);

class QueryMatcher
{
public:
    // created must outlive the matcher. Not for use on two threads at once.
    QueryMatcher(const Query &query, CreatedDates &created);
    ~QueryMatcher();
    QueryMatcher(const QueryMatcher &) = delete;
    QueryMatcher &operator=(const QueryMatcher &) = delete;

    bool matches(const QueryEntry &entry);

    bool caseSensitive() const { return m_caseSensitive; }
    // Whether the query looks at sizes or modification times (the facts), or at drive labels.
    bool needsFacts() const { return m_needsFacts; }
    bool needsDriveLabel() const { return m_needsDriveLabel; }

private:
    struct Node;
    int compile(const QueryTerm &term);
    bool evaluate(int node, const QueryEntry &entry);
    // The entry's field folded, once per entry.
    const QByteArray &folded(int field, QByteArrayView text);

    std::vector<Node> m_nodes;
    bool m_caseSensitive;
    bool m_needsFacts = false;
    bool m_needsDriveLabel = false;
    CreatedDates &m_created;
    QByteArray m_folded[5];
    bool m_foldedValid[5] = {};
};

// Whether text from the pattern's start matches the whole of the wildcard pattern ("*" any run
// of characters, "?" one character; a byte that is no part of a UTF-8 character counts as one).
bool wildcardMatches(QByteArrayView pattern, QByteArrayView text);

} // namespace kestrova
