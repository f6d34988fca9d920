#include "RegisteredOwner.h"

namespace {

OwnerSource source = nullptr;

} // namespace

std::optional<QString> RegisteredOwner()
{
    return source ? source() : SystemRegisteredOwner();
}

void SetRegisteredOwnerSource(OwnerSource replacement)
{
    source = replacement;
}
