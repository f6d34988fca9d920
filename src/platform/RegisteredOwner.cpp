#include "RegisteredOwner.h"

#include <cstring>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

std::optional<QString> PlatformOwner()
{
#ifdef Q_OS_WIN
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion", 0, KEY_QUERY_VALUE, &key)
        != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1; // one byte always stays zero: the name is never read beyond the buffer
    const LONG read = RegQueryValueExA(key, "RegisteredOwner", nullptr, nullptr, reinterpret_cast<BYTE *>(buffer), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || buffer[0] == 0)
        return std::nullopt;
    return QString::fromLocal8Bit(buffer, qsizetype(strnlen(buffer, sizeof buffer)));
#else
    std::vector<char> storage(16384);
    passwd entry;
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &entry, storage.data(), storage.size(), &found) != 0 || !found)
        return std::nullopt;
    return OwnerFromGecos(found->pw_gecos);
#endif
}

OwnerSource source = nullptr;

} // namespace

std::optional<QString> OwnerFromGecos(const char *gecos)
{
    if (!gecos)
        return std::nullopt;
    const char *comma = std::strchr(gecos, ',');
    const QString name = QString::fromLocal8Bit(gecos, comma ? qsizetype(comma - gecos) : qsizetype(std::strlen(gecos)));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> RegisteredOwner()
{
    return source ? source() : PlatformOwner();
}

void SetRegisteredOwnerSource(OwnerSource replacement)
{
    source = replacement;
}
