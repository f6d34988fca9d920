#include "SurfaceDrag.h"

#include <QWidget>

void SurfaceDrag::Move(QWidget *window, QPoint at) const
{
    if (dragging_)
        window->move(window->pos() + (at - grab_));
}
