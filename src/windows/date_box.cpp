#include "date_box.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace kestrova {

namespace {

bool isDateCharacter(QChar c)
{
    return c.isDigit() || (c.isPrint() && !c.isLetter() && !c.isSpace());
}

} // namespace

void DateBox::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() != 1 || !isDateCharacter(text.front())
        || (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        m_typed.clear();
        QDateEdit::keyPressEvent(event);
        return;
    }
    // Typing over the whole text (after Ctrl+A) starts in the first section, as reading does.
    if (m_typed.isEmpty() && lineEdit()->selectedText().size() > sectionText(currentSection()).size())
        setSelectedSection(sectionAt(0));
    m_typed += text;
    QDateEdit::keyPressEvent(event);
    // The sections take the characters one by one and may have taken some into the wrong one
    // (typing started in another section than the first): a whole date typed is the date meant.
    if (const QDate typed = typedDate(); typed.isValid() && typed != date()) {
        setDate(typed);
        setSelectedSection(sectionAt(sectionCount() - 1));
    }
}

void DateBox::focusInEvent(QFocusEvent *event)
{
    m_typed.clear();
    QDateEdit::focusInEvent(event);
}

void DateBox::mousePressEvent(QMouseEvent *event)
{
    m_typed.clear();
    QDateEdit::mousePressEvent(event);
}

QDate DateBox::typedDate() const
{
    // Day and month may be typed with one digit or two; the year whole.
    QString relaxed = displayFormat();
    relaxed.replace(QStringLiteral("dd"), QStringLiteral("d")).replace(QStringLiteral("MM"), QStringLiteral("M"));
    for (const QString &format : {displayFormat(), relaxed})
        if (const QDate typed = QDate::fromString(m_typed, format);
            typed.isValid() && typed >= minimumDate() && typed <= maximumDate())
            return typed;
    return {};
}

} // namespace kestrova
