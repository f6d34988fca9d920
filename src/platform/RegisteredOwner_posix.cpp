#include "RegisteredOwner.h"

#include <cstring>
#include <vector>

#include <pwd.h>
#include <unistd.h>

std::optional<QString> SystemRegisteredOwner()
{
    std::vector<char> storage(16384);
    passwd entry;
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &entry, storage.data(), storage.size(), &found) != 0 || !found)
        return std::nullopt;
    return OwnerFromGecos(found->pw_gecos);
}

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
