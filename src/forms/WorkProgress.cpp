#include "WorkProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

constexpr qint64 kShowAfterMs = 300;  // short work shows no window at all
constexpr qint64 kEventsEveryMs = 40; // well inside what a user takes for "answering"

} // namespace

WorkProgress::WorkProgress(QWidget *owner, const QString &label) : owner_(owner), label_(label)
{
    sinceStart_.start();
    sinceEvents_.start();
}

WorkProgress::~WorkProgress() = default;

TabTextProgress WorkProgress::Callback()
{
    return [this](qint64 done, qint64 total) { Report(done, total); };
}

void WorkProgress::Report(qint64 done, qint64 total)
{
    if (sinceEvents_.elapsed() < kEventsEveryMs)
        return;
    if (!dialog_ && sinceStart_.elapsed() >= kShowAfterMs) {
        dialog_ = std::make_unique<QProgressDialog>(label_, QString(), 0, 0, owner_);
        dialog_->setWindowTitle(QStringLiteral("Spieldex"));
        dialog_->setWindowModality(Qt::ApplicationModal); // nothing else may change the table meanwhile
        dialog_->setCancelButton(nullptr);
        dialog_->setMinimumDuration(0);
        dialog_->show();
    }
    if (dialog_ && total > 0) {
        // Scaled to a thousand steps, since files may hold more bytes than an int counts.
        dialog_->setMaximum(1000);
        dialog_->setValue(int(std::min<qint64>(1000, done * 1000 / total)));
    }
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}
