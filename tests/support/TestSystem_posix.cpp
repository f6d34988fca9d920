#include "TestSystem.h"

#include <QFile>

#include <sys/stat.h>

void SetReadOnly(const QString &path, bool readOnly)
{
    ::chmod(QFile::encodeName(path).constData(), readOnly ? 0444 : 0644);
}

bool IsReadOnly(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}
