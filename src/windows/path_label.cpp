#include "path_label.h"

#include <QPainter>
#include <QStyle>

namespace kestrova {

PathLabel::PathLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void PathLabel::setPath(const QString &path)
{
    setText(path);
    setToolTip(fontMetrics().horizontalAdvance(path) > contentsRect().width() ? path : QString());
}

QSize PathLabel::minimumSizeHint() const
{
    // A path never widens what holds it: it is elided instead.
    return {0, QLabel::minimumSizeHint().height()};
}

void PathLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

} // namespace kestrova
