#include "EditLock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int editLockFd = -1; // held open for the whole run: closing it would drop the lock
QByteArray editLockPath; // absolute: a file dialog may have moved the current folder since

// True while the name leads to the open file.
bool NamesOpenFile(const QByteArray &path, int fd)
{
    struct stat open, named;
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}

} // namespace

EditLock TakeEditLock(const QString &lockFileName)
{
    ReleaseEditLock();
    const QByteArray path = QFile::encodeName(QFileInfo(lockFileName).absoluteFilePath());
    // An editor that ends unlinks the lock file while it still holds it. Whoever opened the
    // file before that and locks it after holds a name no longer in the folder: that lock
    // counts for nothing, and the file the name now leads to is locked afresh.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return EditLock::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            return busy ? EditLock::Busy : EditLock::Unavailable;
        }
        if (NamesOpenFile(path, fd)) {
            editLockFd = fd;
            editLockPath = path;
            return EditLock::Taken;
        }
        ::close(fd);
    }
    return EditLock::Unavailable;
}

void ReleaseEditLock()
{
    if (editLockFd >= 0) {
        // Unlinked while still held, and only while the name still leads to this file, so no
        // editor ever locks a file that has left the folder and believes it holds it.
        if (NamesOpenFile(editLockPath, editLockFd))
            ::unlink(editLockPath.constData());
        ::close(editLockFd);
    }
    editLockFd = -1;
    editLockPath.clear();
}
