#pragma once

#include "TabText.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// Keeps the program answering during a long import or export: a progress window appears
// once the work takes longer than a moment, and the window system's events are handled
// every few milliseconds while the work reports its progress.
class WorkProgress {
public:
    WorkProgress(QWidget *owner, const QString &label);
    ~WorkProgress();

    TabTextProgress Callback();

private:
    void Report(qint64 done, qint64 total);

    QWidget *owner_;
    QString label_;
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceStart_;
    QElapsedTimer sinceEvents_;
};
