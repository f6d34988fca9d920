#include "SurfaceDrag.h"

#include <QMouseEvent>
#include <QWidget>

SurfaceDrag::SurfaceDrag(QWidget *window) : QObject(window), window_(window)
{
    window->installEventFilter(this);
}

bool SurfaceDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // the second press of a double-click is a press too
        dragging_ = true;
        grab_ = static_cast<QMouseEvent *>(event)->position().toPoint();
        return true;
    case QEvent::MouseMove:
        if (dragging_)
            window_->move(window_->pos() + static_cast<QMouseEvent *>(event)->position().toPoint() - grab_);
        return dragging_;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return true;
    default:
        return false;
    }
}
