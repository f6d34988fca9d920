#include "FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
