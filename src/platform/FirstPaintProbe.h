#pragma once

// For timing the start-up from outside: when SPIELDEX_FIRST_PAINT_FD names an open file
// descriptor, one byte is written to it once `window` has been painted and its picture
// handed to the window system, and the descriptor is closed. Without the variable nothing
// happens. Header only, so that the bare window of the start-up benchmark shares it.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <utility>

#include <unistd.h>

inline void ReportFirstPaint(QWidget *window)
{
    const char *named = std::getenv("SPIELDEX_FIRST_PAINT_FD");
    if (!named || !*named)
        return;
    class Probe : public QObject {
    public:
        Probe(QWidget *window, int fd) : QObject(window), fd_(fd) { window->installEventFilter(this); }
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && fd_ >= 0) {
                // The picture goes to the window system at the end of this update: report
                // on the next turn of the event loop.
                QTimer::singleShot(0, [fd = std::exchange(fd_, -1)] {
                    const char done = 1;
                    [[maybe_unused]] const auto written = ::write(fd, &done, 1);
                    ::close(fd);
                });
            }
            return false;
        }

    private:
        int fd_;
    };
    new Probe(window, std::atoi(named));
}
