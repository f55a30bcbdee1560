#pragma once
// BPS patches: "BPS1", the source, target and metadata sizes as variable-length numbers, the
// metadata, a list of actions (source read, target read, source copy, target copy), then the
// CRC-32 of source, target and of the patch itself. The patch names the exact source it takes.
#include <cstdint>
#include <optional>

#include "rom/Error.h"

#include "rom/Passes.h"

namespace dravik::rom {

// A target larger than this is refused rather than allocated.
constexpr uint64_t kBpsTargetLimit = 256ull << 20;

bool IsBps(const Bytes& patch); // starts with "BPS1"

// The size and CRC-32 of the source a BPS patch was made for; false when it is too short to say.
bool BpsSource(const Bytes& patch, uint64_t& size, uint32_t& crc);

// A patch that takes source to target, with empty metadata.
Bytes MakeBps(const Bytes& source, const Bytes& target);

// Applies patch to source into target. Refused, with the reason, when the source's size or
// CRC-32 is not the one the patch names, when the patch's own CRC-32 fails, and for every
// malformed or truncated part.
std::optional<Error> ApplyBps(const Bytes& patch, const Bytes& source, Bytes& target);

} // namespace dravik::rom
