// The floor of the start-up benchmark: a bare Qt program that shows an empty frameless
// 640 x 480 window, reporting its first paint the way Spieldex does.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(640, 480);
    ReportFirstPaint(&window);
    window.show();
    return app.exec();
}
