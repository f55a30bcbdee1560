#pragma once
// A synthetic ROM image for tests and demonstrations: every table holds plausible values
// (row flags set as the game's own data has them, codes inside their lists) and every other
// byte is arbitrary but the internal header, which is consistent and holds the right checksum.
// The same seed always gives the same image.
#include <cstdint>

#include "rom/Passes.h"

namespace dravik::rom {

constexpr uint32_t kSampleImageSize = 0x200200;

// Without the copier header it is the same image less its first kCopierHeaderSize bytes.
Bytes MakeSampleImage(uint32_t seed = 1, bool header = true);
// Fills a model with random valid values, as MakeSampleImage does before saving them.
void FillRandomModel(Model& model, uint32_t seed);

} // namespace dravik::rom
