#include "TestSystem.h"

#include <QDir>

#include <windows.h>

void SetReadOnly(const QString &path, bool readOnly)
{
    SetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str(),
                       readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

bool IsReadOnly(const QString &path)
{
    const DWORD attributes = GetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}
