#include "TerminateSignal.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <windows.h>

namespace {

// Windows asks every program whether the session may end, then ends it. Asked, the program
// agrees and closes its window at once, so that its tables are saved while Windows waits
// for the answer to the next message, which it delivers only when the save is done.
class SessionEnd : public QAbstractNativeEventFilter {
public:
    explicit SessionEnd(QWidget *window) : window_(window) {}

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *result) override
    {
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_QUERYENDSESSION && !(msg->message == WM_ENDSESSION && msg->wParam))
            return false;
        if (window_)
            QMetaObject::invokeMethod(window_, &QWidget::close, Qt::QueuedConnection);
        *result = TRUE;
        return true;
    }

private:
    QPointer<QWidget> window_;
};

} // namespace

void CloseOnTerminateSignal(QWidget *window)
{
    static SessionEnd *filter = nullptr;
    if (filter) {
        QCoreApplication::instance()->removeNativeEventFilter(filter);
        delete filter;
    }
    filter = new SessionEnd(window);
    QCoreApplication::instance()->installNativeEventFilter(filter);
}
