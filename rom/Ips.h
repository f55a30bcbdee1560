#pragma once
// IPS patches: "PATCH", records of a 3-byte offset and a 2-byte size (size 0: a run of one byte
// value), "EOF", and optionally the 3-byte size to cut the result to. Offsets are big-endian, so
// no record may start at 0x454F46, which reads as "EOF"; nothing beyond 16 MiB is addressable.
#include <cstdint>
#include <optional>

#include "rom/Error.h"

#include "rom/Passes.h"

namespace dravik::rom {

constexpr uint64_t kIpsLimit = 0x1000000; // 16 MiB
constexpr uint32_t kIpsEofOffset = 0x454F46;

bool IsIps(const Bytes& patch); // starts with "PATCH"

// A patch that takes source to target. Fails (with the reason) when either is over 16 MiB.
std::optional<Error> MakeIps(const Bytes& source, const Bytes& target, Bytes& patch);

// Applies patch to source into target. Every malformed or truncated part is refused with what
// and where; target is then unspecified and source untouched.
std::optional<Error> ApplyIps(const Bytes& patch, const Bytes& source, Bytes& target);

} // namespace dravik::rom
