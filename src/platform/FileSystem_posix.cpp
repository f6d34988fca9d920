#include "FileSystem.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool MakeFileWritable(const QString &fileName)
{
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
}

bool FlushToMedium(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

int ReplaceFileDurably(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return errno ? errno : EIO;
    FlushToMedium(QFileInfo(to).absolutePath()); // the rename lasts once the folder's entries are on the medium
    return 0;
}
