#include "decoration.h"

#include <QEvent>
#include <QPainter>
#include <QSpacerItem>
#include <QWidget>

namespace kestrova {

Decoration::Decoration(QWidget *parent, const QPixmap &picture, const QRect &geometry)
    : QObject(parent), m_parent(parent), m_picture(picture), m_geometry(geometry)
{
    parent->installEventFilter(this);
}

Decoration::Decoration(QWidget *parent, const QPixmap &picture, QSpacerItem *place)
    : Decoration(parent, picture, QRect())
{
    m_place = place;
    place->changeSize(int(picture.deviceIndependentSize().width()), int(picture.deviceIndependentSize().height()),
                      QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Decoration::move(const QPoint &to)
{
    m_parent->update(m_geometry);
    m_geometry.moveTopLeft(to);
    m_parent->update(m_geometry);
}

bool Decoration::eventFilter(QObject *watched, QEvent *event)
{
    // Drawn before the parent paints itself: a frame's border and title never reach a picture
    // placed inside it.
    if (watched == m_parent && event->type() == QEvent::Paint) {
        QPainter painter(m_parent);
        // At its own size (its pixel ratio kept).
        painter.drawPixmap(m_place ? m_place->geometry().topLeft() : m_geometry.topLeft(), m_picture);
    }
    return false;
}

} // namespace kestrova
