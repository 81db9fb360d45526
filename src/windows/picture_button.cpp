#include "picture_button.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kestrova {

PictureButton::PictureButton(const QIcon &icon, const QString &caption, QWidget *parent)
    : QPushButton(icon, caption, parent)
{
    setIconSize(QSize(16, 16));
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect captionArea = captionRect();
    const QSize picture = iconSize();
    const QRect pictureRect(captionArea.center().x() - picture.width() / 2, captionArea.top() - picture.height() - 1,
                            picture.width(), picture.height());
    icon().paint(&painter, pictureRect, Qt::AlignCenter,
                 isEnabled() ? QIcon::Normal : QIcon::Disabled);
    style()->drawItemText(&painter, captionArea,
                          Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                          palette(), isEnabled(), caption, QPalette::ButtonText);
}

QRect PictureButton::captionRect() const
{
    return rect().adjusted(2, 3, -2, -1).adjusted(0, iconSize().height() + 2, 0, 0);
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        // The drive.
        painter.setPen(QPen(QColor(40, 50, 70), 2));
        painter.setBrush(QColor(120, 140, 170));
        painter.drawRoundedRect(QRectF(4, 36, 56, 22), 5, 5);
        painter.setBrush(QColor(90, 220, 120));
        painter.drawEllipse(QPointF(50, 47), 3, 3);
        // The catalogue page with its lines.
        painter.setBrush(QColor(250, 248, 235));
        painter.drawRect(QRectF(14, 4, 30, 38));
        painter.setPen(QPen(QColor(70, 90, 160), 2.5));
        for (const int y : {13, 20, 27, 34})
            painter.drawLine(QPointF(19, y), QPointF(39, y));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kestrova
