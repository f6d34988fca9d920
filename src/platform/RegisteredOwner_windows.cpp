#include "RegisteredOwner.h"

#include <cstring>

#include <windows.h>

namespace {

// The value RegisteredOwner of a key of the local machine: any type, shown as text up to
// its first zero byte; nothing when the key or value is missing, empty or longer than 250
// bytes with its terminator.
std::optional<QString> OwnerUnder(const char *keyName)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[251] = {};
    DWORD size = sizeof buffer - 1; // one byte always stays zero: the name is never read beyond the buffer
    const LONG read = RegQueryValueExA(key, "RegisteredOwner", nullptr, nullptr, reinterpret_cast<BYTE *>(buffer), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || buffer[0] == 0)
        return std::nullopt;
    return QString::fromLocal8Bit(buffer, qsizetype(strnlen(buffer, sizeof buffer)));
}

} // namespace

std::optional<QString> SystemRegisteredOwner()
{
    // Windows 95 and 98 keep the owner under the first key, the NT line under the second.
    if (std::optional<QString> owner = OwnerUnder("software\\microsoft\\windows\\currentversion"))
        return owner;
    return OwnerUnder("software\\microsoft\\windows nt\\currentversion");
}
