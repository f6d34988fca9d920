#include "TestFiles.h"

// Windows mounts no file system a program makes for itself; the tests of a read-only medium
// say so and are skipped there.
ScratchMount::ScratchMount() : reason_(QStringLiteral("Windows has no tmpfs to mount read-only"))
{
}

ScratchMount::~ScratchMount() = default;

bool ScratchMount::makeReadOnly()
{
    return false;
}
