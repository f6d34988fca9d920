#include "FileSystem.h"

#include <QDir>

#include <cerrno>
#include <windows.h>

namespace {

std::wstring Native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The errno value that says the same as a Windows error, for the messages the table file
// gives either way.
int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
    case ERROR_NOT_READY:
        return EROFS;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    default:
        return EIO;
    }
}

} // namespace

bool MakeFileWritable(const QString &fileName)
{
    const std::wstring path = Native(fileName);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL))
        return false;
    // A CD or a write-protected medium may keep the attributes and still refuse writing.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool FlushToMedium(const QString &path)
{
    const HANDLE file = CreateFileW(Native(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return ok;
}

int ReplaceFileDurably(const QString &from, const QString &to)
{
    // Write-through: the call returns once the new name is on the medium.
    if (MoveFileExW(Native(from).c_str(), Native(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return ErrnoOf(GetLastError());
}
