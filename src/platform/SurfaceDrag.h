#pragma once

#include <QPoint>

class QWidget;

// Moves a borderless window by dragging its surface with any mouse button: the point
// grabbed stays under the pointer. Positions are in the window's client coordinates.
class SurfaceDrag {
public:
    void Press(QPoint at)
    {
        dragging_ = true;
        grab_ = at;
    }
    void Move(QWidget *window, QPoint at) const;
    void Release() { dragging_ = false; }
    bool Active() const { return dragging_; }

private:
    bool dragging_ = false;
    QPoint grab_;
};
