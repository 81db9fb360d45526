// Window layouts are given in twips, 15 to a logical pixel at the usual 9-point desktop font;
// Qt scales logical pixels for high-density screens.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace kestrova {

// How much larger the desktop's font is than the usual 9 points (1 at 9 points or less). The
// places of the controls and the fonts of labels and buttons grow by it together, so that a
// larger desktop font is never cut off by a place sized for the usual one.
inline double fontScale()
{
    const double desktop = QApplication::font().pointSizeF();
    return desktop > 9 ? desktop / 9 : 1.0;
}

inline int twips(double value)
{
    return int(value * fontScale() / 15.0 + 0.5);
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

// size made no larger than the available area of the screen window opens on, less the window
// manager's title bar and borders: a window never opens larger than the screen, whatever its
// designed size, the font and the scale.
inline QSize fitScreen(const QWidget *window, QSize size)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return size;
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const int border = 4;
    return size.boundedTo(screen->availableGeometry().size() - QSize(2 * border, titleBar + 2 * border));
}

// Labels and buttons are bold at 8.25 points, frame titles bold at 9.75, in the desktop's font
// family. On a desktop whose font is larger than the usual 9 points they grow with it, as the
// lists and boxes do, so that no text stays small beside them.
inline QFont boldFont(double points)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points * fontScale());
    font.setBold(true);
    return font;
}

// A bold label whose text wraps within its place.
inline QLabel *boldLabel(const QString &text, QWidget *parent, int left, int top, int width, int height)
{
    auto *label = new QLabel(text, parent);
    label->setFont(boldFont(8.25));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, left, top, width, height);
    return label;
}

// Fills a label's background with colour.
inline void setBackgroundColour(QLabel *label, const QColor &colour)
{
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
}

// A sunken rule, horizontal (QFrame::HLine) or vertical (QFrame::VLine), in pixels.
inline QFrame *rule(QWidget *parent, QFrame::Shape shape, const QRect &geometry)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(geometry);
    return line;
}

} // namespace kestrova
