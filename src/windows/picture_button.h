// A push button with its picture above a caption that wraps onto a second line, for buttons
// too narrow for their caption on one line. The caption keeps its access key.
#pragma once

#include <QPushButton>

namespace kestrova {

class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QIcon &icon, const QString &caption, QWidget *parent = nullptr);

    // Where the caption is painted, below the picture.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kestrova
