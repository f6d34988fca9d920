#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Moves a borderless window by dragging its surface with any mouse button: the point
// grabbed stays under the pointer. It sees the presses that reach the window itself, that
// is those no button or grid took; pictures that take no input let them through.
class SurfaceDrag : public QObject {
public:
    explicit SurfaceDrag(QWidget *window);
    bool Active() const { return dragging_; }
    void Release() { dragging_ = false; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    bool dragging_ = false;
    QPoint grab_; // client coordinates of the press
};
