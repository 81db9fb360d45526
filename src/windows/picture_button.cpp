#include "picture_button.h"

#include <QIcon>
#include <QStyleOptionButton>
#include <QStylePainter>

// The icon's resources live in a static library: they are registered when first asked for.
static void initIconResources()
{
    Q_INIT_RESOURCE(kestrova_icons);
}

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
    initIconResources();
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/io.github.kestrova.Kestrova.png").arg(size), QSize(size, size));
    return icon;
}

QIcon windowPicture(const QString &name)
{
    initIconResources();
    QIcon icon;
    for (const int size : {32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/windows/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

} // namespace kestrova
