// A label for a path that may not fit: the middle of a long path gives way to an ellipsis, so
// that its beginning (the drive) and its end (the folder) stay readable, and the whole path is
// its tool tip. text() stays the whole path.
#pragma once

#include <QLabel>

namespace kestrova {

class PathLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PathLabel(QWidget *parent = nullptr);

    void setPath(const QString &path);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kestrova
