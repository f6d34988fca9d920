#include "EditLock.h"
#include "RegisteredOwner.h"
#include "TableSchemas.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Takes and ends edit mode until it has held the lock `holds` times; while it holds the lock
// it claims a marker file that only one holder at a time can make. 1 when the marker was
// already there: two held the lock at once; 2 when the other run kept it from ever getting
// there.
int TakeAndEndInTurns(const QString &lockFile, const QByteArray &marker, int holds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int taken = 0;
    while (taken < holds) {
        if (std::chrono::steady_clock::now() > deadline)
            return 2;
        if (TakeEditLock(lockFile) != EditLock::Taken) {
            sched_yield(); // the holder gets on with it
            continue;
        }
        ++taken;
        const int fd = ::open(marker.constData(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0)
            return 1;
        ::close(fd);
        sched_yield(); // the other runs meanwhile
        ::unlink(marker.constData());
        ReleaseEditLock();
    }
    return 0;
}

} // namespace

TEST(EditLock, TwoRunsTakingAndEndingNeverHoldItAtOnceAndLeaveNoFile)
{
    QTemporaryDir dir;
    const QString lockFile = dir.filePath(kEditLockFile);
    const QByteArray marker = QFile::encodeName(dir.filePath(u"gehalten"_s));
    pid_t runs[2];
    for (pid_t &run : runs) {
        run = ::fork();
        ASSERT_GE(run, 0);
        if (run == 0)
            ::_exit(TakeAndEndInTurns(lockFile, marker, 5000));
    }
    for (pid_t run : runs) {
        int status = 0;
        ASSERT_EQ(::waitpid(run, &status, 0), run);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_NE(WEXITSTATUS(status), 1) << "both runs held the lock at once";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "a run was kept from the lock";
    }
    EXPECT_FALSE(QFile::exists(lockFile));
}

TEST(EditLock, AFileLeftByAKilledRunIsTakenOverAndRemovedAtTheEnd)
{
    QTemporaryDir dir;
    const QString lockFile = dir.filePath(kEditLockFile);
    QFile left(lockFile);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly)); // unlocked: its run is gone
    left.close();
    ASSERT_EQ(TakeEditLock(lockFile), EditLock::Taken);
    ReleaseEditLock();
    EXPECT_FALSE(QFile::exists(lockFile));
}

TEST(RegisteredOwner, TheFullNameIsTheGecosFieldBeforeItsFirstComma)
{
    EXPECT_EQ(OwnerFromGecos("Jörg Muster,Raum 4,0123,"), u"Jörg Muster"_s);
    EXPECT_EQ(OwnerFromGecos("Ada"), u"Ada"_s);
    EXPECT_EQ(OwnerFromGecos(",Raum 4,,"), std::nullopt);
    EXPECT_EQ(OwnerFromGecos(""), std::nullopt);
    EXPECT_EQ(OwnerFromGecos(nullptr), std::nullopt);
}
