// Reading a query: the text cut into tokens (words, quoted words, "(", ")", "|", "!"), then
// read by precedence: NOT binds closest, then the blanks between terms (all must match), then
// OR.
#include "query.h"
#include "query_values.h"

#include <QCoreApplication>

namespace kestrova {
namespace {

struct Token
{
    enum class Kind
    {
        Word,
        Open,
        Close,
        Or,
        Not,
        End
    };
    Kind kind = Kind::End;
    QString field;       // a word's field name, in lower case; empty for a plain term
    QString value;       // the word without its quotes (a field's: after the colon)
    bool quoted = false; // a quote in the word: it is taken literally
    int position = 0;    // from 1
};

struct Failure
{
    QString message;
    int position;
};

bool isBlank(QChar c)
{
    return c.isSpace();
}

bool endsWord(QChar c)
{
    return isBlank(c) || c == u'(' || c == u')' || c == u'|';
}

const QStringList &fieldNames()
{
    static const QStringList names{
        QStringLiteral("path"),    QStringLiteral("ext"),   QStringLiteral("type"),
        QStringLiteral("drive"),   QStringLiteral("size"),  QStringLiteral("modified"),
        QStringLiteral("created"), QStringLiteral("regex"), QStringLiteral("case")};
    return names;
}

std::vector<Token> tokenize(QStringView text)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        const int position = int(i) + 1;
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == u'(' || c == u')' || c == u'|') {
            tokens.push_back({c == u'('   ? Token::Kind::Open
                              : c == u')' ? Token::Kind::Close
                                          : Token::Kind::Or,
                              {},
                              QString(c),
                              false,
                              position});
            ++i;
            continue;
        }
        if (c == u'!') {
            tokens.push_back({Token::Kind::Not, {}, QStringLiteral("!"), false, position});
            ++i;
            continue;
        }
        Token word{Token::Kind::Word, {}, {}, false, position};
        // A field: two or more letters and a colon, unquoted, at the start of the word.
        qsizetype letters = i;
        while (letters < text.size() && text[letters].isLetter() && text[letters].unicode() < 128)
            ++letters;
        if (letters - i >= 2 && letters < text.size() && text[letters] == u':') {
            word.field = text.sliced(i, letters - i).toString().toLower();
            i = letters + 1;
        }
        // A regular expression holds parentheses and "|" of its own: it runs to the next blank,
        // or to a ")" that closes a group of the query.
        const bool regex = word.field == u"regex";
        int depth = 0;
        while (i < text.size() && (regex ? !isBlank(text[i]) && !(text[i] == u')' && depth == 0)
                                         : !endsWord(text[i]))) {
            if (regex && text[i] == u'\\' && i + 1 < text.size()) {
                word.value += text.sliced(i, 2);
                i += 2;
                continue;
            }
            if (regex && text[i] == u'(')
                ++depth;
            else if (regex && text[i] == u')')
                --depth;
            if (text[i] == u'"') {
                const qsizetype close = text.indexOf(u'"', i + 1);
                if (close < 0)
                    throw Failure{QCoreApplication::translate(
                                      "Query", "the query has \" at %1 without its closing \"")
                                      .arg(i + 1),
                                  int(i) + 1};
                word.value += text.sliced(i + 1, close - i - 1);
                word.quoted = true;
                i = close + 1;
            } else {
                word.value += text[i++];
            }
        }
        if (word.field.isEmpty() && !word.quoted && (word.value == u"OR" || word.value == u"NOT"))
            word.kind = word.value == u"OR" ? Token::Kind::Or : Token::Kind::Not;
        tokens.push_back(std::move(word));
    }
    tokens.push_back({Token::Kind::End, {}, {}, false, int(text.size()) + 1});
    return tokens;
}

class Parser
{
public:
    Parser(std::vector<Token> tokens, bool caseSensitive)
        : m_tokens(std::move(tokens)), m_caseSensitive(caseSensitive)
    {
        // case: is a switch for the whole query, wherever it stands.
        std::erase_if(m_tokens, [this](const Token &token) {
            if (token.kind != Token::Kind::Word || token.field != u"case")
                return false;
            if (!token.value.isEmpty())
                throw Failure{
                    QCoreApplication::translate(
                        "Query", "the query has \"case:\" at %1 with a value; it takes none")
                        .arg(token.position),
                    token.position};
            m_caseSensitive = true;
            return true;
        });
    }

    Query read()
    {
        if (peek().kind == Token::Kind::End)
            throw Failure{QCoreApplication::translate("Query", "the query is empty"), 1};
        Query query{readAny(), m_caseSensitive};
        if (peek().kind == Token::Kind::Close)
            throw Failure{
                QCoreApplication::translate("Query", "the query has \")\" at %1 without its \"(\"")
                    .arg(peek().position),
                peek().position};
        compileRegexes(query.root);
        return query;
    }

private:
    const Token &peek() const { return m_tokens[m_next]; }
    const Token &take() { return m_tokens[m_next++]; }

    QueryTerm readAny()
    {
        QueryTerm first = readAll();
        if (peek().kind != Token::Kind::Or)
            return first;
        QueryTerm any;
        any.kind = QueryTerm::Kind::Any;
        any.position = first.position;
        any.children.push_back(std::move(first));
        while (peek().kind == Token::Kind::Or) {
            const Token &op = take();
            if (!startsTerm(peek().kind))
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has \"%1\" at %2 with nothing after it")
                                  .arg(op.value)
                                  .arg(op.position),
                              op.position};
            any.children.push_back(readAll());
        }
        return any;
    }

    QueryTerm readAll()
    {
        if (!startsTerm(peek().kind)) {
            const Token &token = peek();
            if (token.kind == Token::Kind::Or)
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has \"%1\" at %2 with nothing before it")
                                  .arg(token.value)
                                  .arg(token.position),
                              token.position};
            throw Failure{
                QCoreApplication::translate("Query", "the query has \")\" at %1 without its \"(\"")
                    .arg(token.position),
                token.position};
        }
        QueryTerm all;
        all.kind = QueryTerm::Kind::All;
        all.position = peek().position;
        while (startsTerm(peek().kind))
            all.children.push_back(readOne());
        if (all.children.size() == 1)
            return std::move(all.children.front());
        return all;
    }

    static bool startsTerm(Token::Kind kind)
    {
        return kind == Token::Kind::Word || kind == Token::Kind::Open || kind == Token::Kind::Not;
    }

    QueryTerm readOne()
    {
        const Token &token = take();
        if (token.kind == Token::Kind::Not) {
            if (!startsTerm(peek().kind))
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has \"%1\" at %2 with nothing after it")
                                  .arg(token.value)
                                  .arg(token.position),
                              token.position};
            QueryTerm negated;
            negated.kind = QueryTerm::Kind::Not;
            negated.position = token.position;
            negated.children.push_back(readOne());
            return negated;
        }
        if (token.kind == Token::Kind::Open) {
            if (peek().kind == Token::Kind::End)
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has \"(\" at %1 without its \")\"")
                                  .arg(token.position),
                              token.position};
            if (peek().kind == Token::Kind::Close)
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has \"(\" at %1 with nothing after it")
                                  .arg(token.position),
                              token.position};
            QueryTerm group = readAny();
            if (peek().kind != Token::Kind::Close)
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has \"(\" at %1 without its \")\"")
                                  .arg(token.position),
                              token.position};
            take();
            return group;
        }
        return word(token);
    }

    QueryTerm word(const Token &token)
    {
        QueryTerm term;
        term.position = token.position;
        term.text = token.value;
        if (token.field.isEmpty()) {
            term.kind = !token.quoted && (token.value.contains(u'*') || token.value.contains(u'?'))
                            ? QueryTerm::Kind::Wildcard
                            : QueryTerm::Kind::Name;
            return term;
        }
        if (!fieldNames().contains(token.field))
            throw Failure{
                QCoreApplication::translate("Query", "the query has an unknown field \"%1:\" at %2")
                    .arg(token.field)
                    .arg(token.position),
                token.position};
        if (token.value.isEmpty())
            throw Failure{
                QCoreApplication::translate("Query", "the query has \"%1:\" at %2 without a value")
                    .arg(token.field)
                    .arg(token.position),
                token.position};
        if (token.field == u"path") {
            term.kind = QueryTerm::Kind::Path;
        } else if (token.field == u"type") {
            term.kind = QueryTerm::Kind::Type;
        } else if (token.field == u"drive") {
            term.kind = QueryTerm::Kind::Drive;
        } else if (token.field == u"regex") {
            term.kind = QueryTerm::Kind::Regex;
        } else if (token.field == u"ext") {
            term.kind = QueryTerm::Kind::Ext;
            for (QString extension : token.value.split(u';', Qt::SkipEmptyParts)) {
                if (extension.startsWith(u'.'))
                    extension.remove(0, 1);
                if (!extension.isEmpty())
                    term.extensions.append(extension);
            }
            if (term.extensions.isEmpty())
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has \"%1:\" at %2 without a value")
                                  .arg(token.field)
                                  .arg(token.position),
                              token.position};
        } else if (token.field == u"size") {
            term.kind = QueryTerm::Kind::Size;
            const std::optional<SizeRange> sizes = readSizes(token.value);
            if (!sizes)
                throw Failure{QCoreApplication::translate(
                                  "Query", "the query has a size \"%1\" at %2 that does not read "
                                           "(sizes read like 0, 4096, <1K, >100M or 1M..4G)")
                                  .arg(token.value)
                                  .arg(token.position),
                              token.position};
            term.sizes = *sizes;
        } else {
            term.kind =
                token.field == u"modified" ? QueryTerm::Kind::Modified : QueryTerm::Kind::Created;
            const std::optional<DayRange> days = readDayBounds(token.value);
            if (!days)
                throw Failure{
                    QCoreApplication::translate(
                        "Query", "the query has a date \"%1\" at %2 that does not read (dates read "
                                 "like 2024, 2024-06, >2024-06-01 or 2024-01..2024-03)")
                        .arg(token.value)
                        .arg(token.position),
                    token.position};
            term.days = *days;
        }
        return term;
    }

    // Regular expressions compile once the case mode of the whole query is known.
    void compileRegexes(QueryTerm &term)
    {
        for (QueryTerm &child : term.children)
            compileRegexes(child);
        if (term.kind != QueryTerm::Kind::Regex)
            return;
        // The engine's own limit on the steps of one match, set in the pattern: it can only
        // lower what the engine allows.
        term.regex.setPattern(QStringLiteral("(*LIMIT_MATCH=%1)").arg(kRegexMatchLimit) +
                              term.text);
        term.regex.setPatternOptions(m_caseSensitive ? QRegularExpression::NoPatternOption
                                                     : QRegularExpression::CaseInsensitiveOption);
        if (!term.regex.isValid())
            throw Failure{
                QCoreApplication::translate(
                    "Query",
                    "the query has a regular expression \"%1\" at %2 that does not compile: %3")
                    .arg(term.text)
                    .arg(term.position)
                    .arg(term.regex.errorString()),
                term.position};
        term.regex.optimize();
    }

    std::vector<Token> m_tokens;
    std::size_t m_next = 0;
    bool m_caseSensitive;
};

} // namespace

QueryParse parseQuery(QStringView text, bool caseSensitive)
{
    try {
        return {Parser(tokenize(text), caseSensitive).read(), {}, 0};
    } catch (const Failure &failure) {
        return {std::nullopt, failure.message, failure.position};
    }
}

} // namespace kestrova
