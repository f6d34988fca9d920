#include "FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

int editLockFd = -1; // held open for the whole run: closing it would drop the lock
QByteArray editLockPath; // absolute: a file dialog may have moved the current folder since

#ifdef Q_OS_UNIX
// True while the name leads to the open file.
bool NamesOpenFile(const QByteArray &path, int fd)
{
    struct stat open, named;
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}
#endif

} // namespace

QString RunningProgramPath()
{
#ifdef Q_OS_LINUX
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty())
        return self;
#endif
    return QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
}

bool MakeFileWritable(const QString &fileName)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(fileName);
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & S_IWUSR) == 0 && ::chmod(path.constData(), st.st_mode | S_IWUSR) != 0)
        return false;
    // A read-only medium refuses here even where the mode says writable.
    const int fd = ::open(path.constData(), O_WRONLY);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
#else
    if (!QFileInfo(fileName).isFile())
        return false;
    QFile::setPermissions(fileName, QFile::permissions(fileName) | QFile::WriteOwner | QFile::WriteUser);
    QFile file(fileName);
    return file.open(QIODevice::ReadWrite);
#endif
}

EditLock TakeEditLock(const QString &lockFileName)
{
    ReleaseEditLock();
#ifdef Q_OS_UNIX
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
#else
    Q_UNUSED(lockFileName);
    return EditLock::Unavailable;
#endif
}

void ReleaseEditLock()
{
#ifdef Q_OS_UNIX
    if (editLockFd >= 0) {
        // Unlinked while still held, and only while the name still leads to this file, so no
        // editor ever locks a file that has left the folder and believes it holds it.
        if (NamesOpenFile(editLockPath, editLockFd))
            ::unlink(editLockPath.constData());
        ::close(editLockFd);
    }
#endif
    editLockFd = -1;
    editLockPath.clear();
}
