#pragma once
// IPS patches (the format: rom/IpsBytes.h), with every fault put into words.
#include <optional>

#include "rom/Error.h"
#include "rom/IpsBytes.h"
#include "rom/Passes.h"

namespace dravik::rom {

bool IsIps(const Bytes& patch); // starts with "PATCH"

// A patch that takes source to target. Fails (with the reason) when either is over 16 MiB.
std::optional<Error> MakeIps(const Bytes& source, const Bytes& target, Bytes& patch);

// Applies patch to source into target. Every malformed or truncated part is refused with what
// and where; target is then unspecified and source untouched.
std::optional<Error> ApplyIps(const Bytes& patch, const Bytes& source, Bytes& target);

} // namespace dravik::rom
