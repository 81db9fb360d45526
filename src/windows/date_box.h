// The search window's date box: a date edit that takes a whole date typed in the locale's short
// form, wherever the focus lands in it (the first section, the last after Shift+Tab, all of it
// after Ctrl+A), as well as a single section typed over.
#pragma once

#include <QDateEdit>

namespace kestrova {

class DateBox : public QDateEdit
{
    Q_OBJECT

public:
    using QDateEdit::QDateEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The date the typed characters read as in the display format, if they are a whole date.
    QDate typedDate() const;

    QString m_typed; // digits and separators typed since the focus came or another key was pressed
};

} // namespace kestrova
