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

// The program's icon: a drive with a catalogue card, rendered from data/icons at build time.
QIcon applicationIcon();
// One of the windows' pictures (data/icons/windows), by name, at every size it was drawn at.
QIcon windowPicture(const QString &name);

} // namespace kestrova
