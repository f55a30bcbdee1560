#pragma once
// The rules of rom/Passes.h and rom/InternalHeader.h that read only an image's bytes, in standard
// C++ (the command line's plain requests run without Qt): its form, whether it is an image of a
// cartridge at all (IsPlausibleImage), and whether a patch left its copier header alone.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "rom/InternalHeader.h"

namespace dravik::rom {

using ByteAt = std::function<int(uint32_t fileOffset)>; // -1 where the file holds no byte

// Where a header location lies in a file of this form.
uint32_t HeaderFileOffset(uint32_t location, ImageForm form);
// Whether the checksum and complement of the header at that file offset add up to 0xFFFF.
bool PairAddsUp(const ByteAt& at, uint32_t header);

// IsPlausibleImage of a file of fileSize bytes, its form from its size.
bool IsPlausibleImage(const ByteAt& at, uint64_t fileSize);

// Whether a patched image kept the copier header of the one it was made from: nothing in a copier
// header is worth patching.
bool KeepsCopierHeader(const uint8_t* source, size_t sourceSize, const uint8_t* target, size_t targetSize);

} // namespace dravik::rom
