// The registered owner from Windows' registry: the older key first, the NT key where the
// older one has none. The values are set for the test and put back afterwards.
#include "RegisteredOwner.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include <windows.h>

namespace {

const char *const kOldKey = "software\\microsoft\\windows\\currentversion";
const char *const kNtKey = "software\\microsoft\\windows nt\\currentversion";

std::optional<std::string> Read(const char *key)
{
    char buffer[512] = {};
    DWORD size = sizeof buffer - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, "RegisteredOwner", RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(buffer);
}

void Write(const char *key, const std::optional<std::string> &value)
{
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    if (value)
        RegSetValueExA(handle, "RegisteredOwner", 0, REG_SZ, reinterpret_cast<const BYTE *>(value->c_str()),
                       DWORD(value->size() + 1));
    else
        RegDeleteValueA(handle, "RegisteredOwner");
    RegCloseKey(handle);
}

} // namespace

TEST(RegisteredOwnerWindows, TheOlderKeyFirstThenTheNtKey)
{
    const std::optional<std::string> oldBefore = Read(kOldKey), ntBefore = Read(kNtKey);
    struct Case {
        std::optional<std::string> old, nt;
        std::optional<QString> shown;
    };
    const Case cases[] = {
        {std::nullopt, "Anna Leserin", QStringLiteral("Anna Leserin")},
        {"Bernd Altleser", "Anna Leserin", QStringLiteral("Bernd Altleser")},
        {"", "Anna Leserin", QStringLiteral("Anna Leserin")}, // an empty name counts as none
        {std::nullopt, std::nullopt, std::nullopt},
        {std::nullopt, std::string(300, 'x'), std::nullopt}, // longer than the 250 bytes allowed
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.old.value_or("-") + " / " + c.nt.value_or("-").substr(0, 20));
        Write(kOldKey, c.old);
        Write(kNtKey, c.nt);
        EXPECT_EQ(SystemRegisteredOwner(), c.shown);
    }
    Write(kOldKey, oldBefore);
    Write(kNtKey, ntBefore);
}
