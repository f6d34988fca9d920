#pragma once

#include <QString>

#include <optional>

// The name of the machine's registered owner, where the system knows one: on Windows the
// registry's RegisteredOwner, elsewhere the full name of the user's account (the first
// field of its GECOS entry). Nothing when the system has none or it is empty.
std::optional<QString> RegisteredOwner();

// Tests put their own source in place of the system's; nullptr brings it back.
using OwnerSource = std::optional<QString> (*)();
void SetRegisteredOwnerSource(OwnerSource source);

// The system's own answer, one source file per system.
std::optional<QString> SystemRegisteredOwner();

// POSIX: the full name in a GECOS field: the text before its first comma; nothing when empty.
std::optional<QString> OwnerFromGecos(const char *gecos);
