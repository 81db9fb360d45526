#include "picture_button.h"

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

} // namespace kestrova
