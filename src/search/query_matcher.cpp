#include "query_matcher.h"

#include "catalogue/catalogue_dates.h"
#include "catalogue/catalogue_facts.h"
#include "platform/error.h"
#include "platform/files/file_names.h"
#include "platform/files/text_file.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <string_view>

namespace kestrova {
namespace {

enum Field
{
    NameField,
    PathField,
    TypeField,
    CatalogueField,
    LabelField
};

std::string_view view(QByteArrayView bytes)
{
    return {bytes.data(), size_t(bytes.size())};
}

bool contains(QByteArrayView text, QByteArrayView part)
{
    return view(text).find(view(part)) != std::string_view::npos;
}

// The length of the UTF-8 character at text[i], or 1 for a byte that starts none.
qsizetype characterLength(QByteArrayView text, qsizetype i)
{
    const auto byte = [&](qsizetype at) { return at < text.size() ? quint8(text[at]) : 0; };
    const quint8 lead = byte(i);
    if (lead < 0x80 || lead < 0xC2 || lead > 0xF4)
        return 1;
    const qsizetype length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const quint8 second = byte(i + 1);
    const quint8 low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const quint8 high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high)
        return 1;
    for (qsizetype k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// The extension of a name: what follows its last ".", unless that dot starts the name.
QByteArrayView extensionOf(QByteArrayView name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.sliced(dot + 1) : QByteArrayView();
}

} // namespace

struct QueryMatcher::Node
{
    QueryTerm::Kind kind;
    QByteArray text;                    // folded
    std::vector<QByteArray> extensions; // folded
    SizeRange sizes;
    DayRange days;
    QRegularExpression regex;
    std::vector<int> children;
};

CreatedDates::CreatedDates(const DateConventions &dates) : m_dates(dates) {}

CreatedDates::~CreatedDates() = default;

void CreatedDates::readCataloguesIn(const QString &folder)
{
    m_folder = folder;
    m_byCatalogue.clear();
    m_lastCatalogue.clear();
    m_lastText = QByteArray();
    m_lastDate.reset();
}

const DateConventions *CreatedDates::conventionsOf(QByteArrayView catalogue)
{
    if (m_folder.isEmpty())
        return &m_dates;
    const QByteArray name = catalogue.toByteArray();
    if (const auto known = m_byCatalogue.constFind(name); known != m_byCatalogue.cend())
        return *known;
    if (!m_catalogueDates)
        m_catalogueDates = std::make_unique<CatalogueDates>(m_dates);
    const QString path = QDir(m_folder).filePath(decodeFileName(name));
    const DateWriting recorded = runFactsOf(path).dates;
    QByteArray head;
    if (recorded.isEmpty()) {
        try {
            const FileReader file(encodeFileName(path));
            head.resize(CatalogueDates::kHeadBytes);
            head.resize(file.readAt(0, head.data(), head.size()));
        } catch (const Error &) {
            head.clear(); // a catalogue gone since it was read: its dates are told from nothing
        }
    }
    const DateConventions *conventions = m_catalogueDates->of(recorded, head);
    m_byCatalogue.insert(name, conventions);
    return conventions;
}

std::optional<QDate> CreatedDates::dateOf(QByteArrayView created, QByteArrayView catalogue)
{
    if (!m_lastText.isNull() && created == m_lastText && catalogue == m_lastCatalogue)
        return m_lastDate;
    m_lastCatalogue = catalogue.toByteArray();
    m_lastText = created.toByteArray();
    if (m_lastText.isNull())
        m_lastText = QByteArray("", 0);
    const DateConventions *conventions = conventionsOf(catalogue);
    const std::optional<LocalDateTime> at = conventions ? conventions->parse(created) : std::nullopt;
    m_lastDate = at ? std::optional(at->date) : std::nullopt;
    return m_lastDate;
}

QDate modifiedDay(qint64 modifiedNs)
{
    return QDateTime::fromMSecsSinceEpoch(modifiedNs / 1000000).date();
}

QByteArray foldedText(QByteArrayView text, bool caseSensitive)
{
    if (caseSensitive)
        return text.toByteArray();
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](char c) { return quint8(c) < 0x80; });
    if (ascii) {
        QByteArray lowered(text.size(), Qt::Uninitialized);
        std::transform(text.begin(), text.end(), lowered.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
        return lowered;
    }
    return encodeFileName(decodeFileName(text).toLower());
}

QueryMatcher::QueryMatcher(const Query &query, CreatedDates &created)
    : m_caseSensitive(query.caseSensitive), m_created(created)
{
    compile(query.root);
}

QueryMatcher::~QueryMatcher() = default;

int QueryMatcher::compile(const QueryTerm &term)
{
    Node node{term.kind, {}, {}, term.sizes, term.days, term.regex, {}};
    if (!term.text.isEmpty())
        node.text = foldedText(encodeFileName(term.text), m_caseSensitive);
    for (const QString &extension : term.extensions)
        node.extensions.push_back(foldedText(encodeFileName(extension), m_caseSensitive));
    m_needsFacts = m_needsFacts || term.kind == QueryTerm::Kind::Size ||
                   term.kind == QueryTerm::Kind::Modified;
    m_needsDriveLabel = m_needsDriveLabel || term.kind == QueryTerm::Kind::Drive;
    for (const QueryTerm &child : term.children)
        node.children.push_back(compile(child));
    m_nodes.push_back(std::move(node));
    return int(m_nodes.size()) - 1;
}

bool QueryMatcher::matches(const QueryEntry &entry)
{
    std::fill(std::begin(m_foldedValid), std::end(m_foldedValid), false);
    return evaluate(int(m_nodes.size()) - 1, entry);
}

const QByteArray &QueryMatcher::folded(int field, QByteArrayView text)
{
    if (!m_foldedValid[field]) {
        m_folded[field] = foldedText(text, m_caseSensitive);
        m_foldedValid[field] = true;
    }
    return m_folded[field];
}

bool QueryMatcher::evaluate(int index, const QueryEntry &entry)
{
    const Node &node = m_nodes[size_t(index)];
    switch (node.kind) {
    case QueryTerm::Kind::Name:
        return contains(folded(NameField, entry.name), node.text);
    case QueryTerm::Kind::Wildcard:
        return wildcardMatches(node.text, folded(NameField, entry.name));
    case QueryTerm::Kind::Path:
        return contains(folded(PathField, entry.path), node.text);
    case QueryTerm::Kind::Type:
        return contains(folded(TypeField, entry.type), node.text);
    case QueryTerm::Kind::Drive:
        return contains(folded(CatalogueField, entry.catalogue), node.text) ||
               contains(folded(LabelField, entry.driveLabel), node.text);
    case QueryTerm::Kind::Ext: {
        const QByteArrayView extension = extensionOf(folded(NameField, entry.name));
        return !extension.isEmpty() &&
               std::any_of(node.extensions.begin(), node.extensions.end(),
                           [&](const QByteArray &wanted) { return extension == wanted; });
    }
    case QueryTerm::Kind::Size:
        return node.sizes.holds(entry.size);
    case QueryTerm::Kind::Modified:
        return entry.size >= 0 && node.days.holds(modifiedDay(entry.modifiedNs));
    case QueryTerm::Kind::Created: {
        const std::optional<QDate> day = m_created.dateOf(entry.created, entry.catalogue);
        return day && node.days.holds(*day);
    }
    case QueryTerm::Kind::Regex:
        // A byte that is not UTF-8 reads as U+FFFD: the engine takes valid text only.
        return node.regex.match(displayFileName(decodeFileName(entry.name))).hasMatch();
    case QueryTerm::Kind::All:
        return std::all_of(node.children.begin(), node.children.end(),
                           [&](int child) { return evaluate(child, entry); });
    case QueryTerm::Kind::Any:
        return std::any_of(node.children.begin(), node.children.end(),
                           [&](int child) { return evaluate(child, entry); });
    case QueryTerm::Kind::Not:
        return !evaluate(node.children.front(), entry);
    }
    return false;
}

bool wildcardMatches(QByteArrayView pattern, QByteArrayView text)
{
    // One star is gone back to at a time: the latest star takes one more character on a
    // mismatch. Time grows with the product of the lengths at worst, never exponentially.
    qsizetype p = 0;
    qsizetype t = 0;
    qsizetype star = -1;
    qsizetype starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '?') {
            t += characterLength(text, t);
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starText = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (star >= 0) {
            p = star + 1;
            starText += characterLength(text, starText);
            t = starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace kestrova
