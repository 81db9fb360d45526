// A picture that only decorates: drawn on its parent's surface, no widget of its own, so that a
// screen reader never announces it (a picture label would be read out under a neighbour's name).
#pragma once

#include <QObject>
#include <QPixmap>
#include <QRect>

class QSpacerItem;
class QWidget;

namespace kestrova {

class Decoration : public QObject
{
    Q_OBJECT

public:
    // Owned by parent; drawn in geometry (parent's coordinates).
    Decoration(QWidget *parent, const QPixmap &picture, const QRect &geometry);
    // Owned by parent; drawn at the top left of place, a spacer that keeps the picture's room in
    // a layout (owned by that layout, which moves it).
    Decoration(QWidget *parent, const QPixmap &picture, QSpacerItem *place);

    const QRect &geometry() const { return m_geometry; }
    void move(const QPoint &to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_parent;
    QPixmap m_picture;
    QRect m_geometry;
    QSpacerItem *m_place = nullptr;
};

} // namespace kestrova
