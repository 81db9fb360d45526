#include "drawn_icons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace kestrova {
namespace {

enum class Shape { Square, Cross };

class DrawnIcon final : public QIconEngine
{
public:
    explicit DrawnIcon(Shape shape) : m_shape(shape) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette palette = QGuiApplication::palette();
        const QColor colour = palette.color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active,
                                            mode == QIcon::Selected ? QPalette::HighlightedText : QPalette::ButtonText);
        const qreal side = std::min(rect.width(), rect.height());
        const QRectF area(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (m_shape == Shape::Square) {
            const QRectF square = area.adjusted(side * 0.25, side * 0.25, -side * 0.25, -side * 0.25);
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour);
            painter->drawRoundedRect(square, side * 0.05, side * 0.05);
        } else {
            painter->setPen(QPen(colour, std::max(1.5, side / 8), Qt::SolidLine, Qt::RoundCap));
            const QRectF cross = area.adjusted(side * 0.25, side * 0.25, -side * 0.25, -side * 0.25);
            painter->drawLine(cross.topLeft(), cross.bottomRight());
            painter->drawLine(cross.topRight(), cross.bottomLeft());
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new DrawnIcon(m_shape); }

private:
    Shape m_shape;
};

} // namespace

QIcon stopIcon()
{
    return QIcon(new DrawnIcon(Shape::Square));
}

QIcon closeIcon()
{
    return QIcon(new DrawnIcon(Shape::Cross));
}

} // namespace kestrova
