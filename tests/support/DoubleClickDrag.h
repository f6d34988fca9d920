#pragma once

#include <QTest>
#include <QWindow>

// A double-click whose second press is held and moved by `by` before it is let go, fed
// through the window system as a pointer would (the second press arrives as a double-click).
inline void DragWithSecondPress(QWindow *window, QPoint at, QPoint by)
{
    const QPoint origin = window->mapToGlobal(QPoint(0, 0)); // the pointer's points stay put as the window moves
    const auto send = [window, origin](QPoint p, Qt::MouseButtons held, QEvent::Type type) {
        const QPoint global = origin + p;
        qt_handleMouseEvent(window, window->mapFromGlobal(global), global, held, Qt::LeftButton, type,
                            Qt::NoModifier, ++QTest::lastMouseTimestamp);
    };
    send(at, Qt::LeftButton, QEvent::MouseButtonPress);
    send(at, Qt::NoButton, QEvent::MouseButtonRelease);
    send(at, Qt::LeftButton, QEvent::MouseButtonPress);
    send(at + by, Qt::LeftButton, QEvent::MouseMove);
    send(at + by, Qt::NoButton, QEvent::MouseButtonRelease);
    QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval; // no double-click with what follows
}
