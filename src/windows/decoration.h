// A picture that only decorates: drawn on its parent's surface, no widget of its own, so that a
// screen reader never announces it (a picture label would be read out under a neighbour's name).
#pragma once

#include <QObject>
#include <QPixmap>
#include <QRect>

class QWidget;

namespace kestrova {

class Decoration : public QObject
{
    Q_OBJECT

public:
    // Owned by parent; drawn in geometry (parent's coordinates).
    Decoration(QWidget *parent, const QPixmap &picture, const QRect &geometry);

    const QRect &geometry() const { return m_geometry; }
    void move(const QPoint &to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_parent;
    QPixmap m_picture;
    QRect m_geometry;
};

} // namespace kestrova
