#include "WorkProgress.h"

#include <QApplication>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

TEST(WorkProgress, HandlesTheWindowSystemsEventsWhileTheWorkReports)
{
    QWidget owner;
    WorkProgress progress(&owner, QStringLiteral("Die Datei wird importiert …"));
    const TabTextProgress report = progress.Callback();
    int handled = 0;
    QTimer::singleShot(0, &owner, [&handled] { ++handled; });

    report(1, 100); // at once: the work goes on undisturbed
    EXPECT_EQ(handled, 0);
    QThread::msleep(60);
    report(2, 100);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(owner.findChild<QProgressDialog *>(), nullptr); // short work shows no window

    QThread::msleep(350);
    report(50, 100);
    auto *window = owner.findChild<QProgressDialog *>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->value(), 500);
}
