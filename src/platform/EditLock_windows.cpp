#include "EditLock.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace {

HANDLE editLock = INVALID_HANDLE_VALUE; // held open for the whole run: closing it drops the lock

// The file is opened for deleting too, so that the run holding it can remove it at its end
// while still holding it; another run that opens it in that moment is refused and tries again.
HANDLE OpenLockFile(const std::wstring &path)
{
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

EditLock TakeEditLock(const QString &lockFileName)
{
    ReleaseEditLock();
    const std::wstring path = QDir::toNativeSeparators(QFileInfo(lockFileName).absoluteFilePath()).toStdWString();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const HANDLE file = OpenLockFile(path);
        if (file == INVALID_HANDLE_VALUE) {
            // Access is denied while the file is being deleted by the run that ends.
            if (GetLastError() == ERROR_ACCESS_DENIED) {
                Sleep(10);
                continue;
            }
            return EditLock::Unavailable;
        }
        OVERLAPPED whole = {};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
            editLock = file;
            return EditLock::Taken;
        }
        const DWORD error = GetLastError();
        CloseHandle(file);
        return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? EditLock::Busy : EditLock::Unavailable;
    }
    return EditLock::Unavailable;
}

void ReleaseEditLock()
{
    if (editLock == INVALID_HANDLE_VALUE)
        return;
    // Marked for deletion while still locked: the name goes when the handle closes, and no
    // other run can open the file in between.
    FILE_DISPOSITION_INFO remove = {TRUE};
    SetFileInformationByHandle(editLock, FileDispositionInfo, &remove, sizeof remove);
    CloseHandle(editLock);
    editLock = INVALID_HANDLE_VALUE;
}
