// The search criteria made ready for scanning: built once per criteria and case mode, then
// used to find candidate lines in large blocks of catalogue text without looking at every
// line. Case-insensitive matching lower-cases line and criteria as Unicode text; bytes that are
// not UTF-8 have no case and stay themselves, and a U+FFFD in such criteria (how names show
// those bytes) matches any one of them as well as itself.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace kestrova {

// Finds a byte string, optionally without regard to the case of its ASCII letters. Two of its
// least common bytes are tested for sixteen places at once; only places where both agree are
// compared whole.
class BytesFinder
{
public:
    BytesFinder() = default;
    // foldAsciiCase: literal must then be in lower case.
    BytesFinder(QByteArray literal, bool foldAsciiCase);

    qsizetype size() const { return m_literal.size(); }
    // The first place in [from, end) where the literal starts; end when there is none.
    const char *find(const char *from, const char *end) const;

private:
    bool equalsAt(const char *at) const;
    const char *findWide(const char *&p, const char *lastStart) const;
    const char *findWidest(const char *&p, const char *lastStart) const;

    QByteArray m_literal;
    QByteArray m_foldMask;     // per byte: 0x20 where an ASCII letter folds, else 0
    qsizetype m_first = 0;     // the least common byte
    qsizetype m_second = 0;    // the next least common, tested beside it
};

class Needle
{
public:
    Needle(const QString &criteria, bool caseSensitive);

    // The first place in [from, end) where the criteria occur as bytes (without regard to
    // ASCII case when case-insensitive); end when there is none. With empty criteria every
    // non-empty line matches, so this is the first byte that is not a line end.
    const char *findExact(const char *from, const char *end) const;

    // Whether lines can hold a match that findExact() does not see: case-insensitive criteria
    // that are not ASCII, or characters like U+0130 whose lower case is partly ASCII.
    bool needsTriggers() const { return m_anyNonAscii || !m_triggers.empty(); }
    // The first place in [from, end) of a line that may match without an exact find: such a
    // line must be checked with lineMatches().
    const char *findTrigger(const char *from, const char *end) const;
    // The full test of one line (no line end in it).
    bool lineMatches(QByteArrayView line) const;

    // Criteria that no line can hold (they contain a line end).
    bool impossible() const { return m_impossible; }

private:
    bool m_caseSensitive;
    bool m_impossible = false;
    bool m_empty = false;
    QString m_lowered;           // case-insensitive: the criteria lower-cased
    BytesFinder m_literal;       // what findExact() looks for
    bool m_anyNonAscii = false;  // non-ASCII criteria: every line with a non-ASCII byte
    bool m_hasByteEscapes = false; // criteria hold bytes that are not UTF-8 (file_names.h)
    bool m_wildcards = false;    // criteria hold U+FFFD, which matches any such byte too
    std::vector<BytesFinder> m_triggers;
};

} // namespace kestrova
