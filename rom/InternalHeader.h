#pragma once
// The cartridge's own header inside the image: where it may sit, whether an image looks like a
// cartridge image at all, and the checksum emulators and flashing tools check.
//
// The header sits at 0x7FC0 of the cartridge data when the cartridge maps its ROM in 32 KiB
// banks, at 0xFFC0 when in 64 KiB banks (after any copier header in the file). At 0x1C of the
// header lies the complement of the checksum, at 0x1E the checksum, both 16-bit little-endian.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/Passes.h"

namespace dravik::rom {

constexpr uint32_t kHeaderLocations[] = {0x7FC0, 0xFFC0};
constexpr uint32_t kMapModeAt = 0x15;
constexpr uint32_t kComplementAt = 0x1C;
constexpr uint32_t kChecksumAt = 0x1E;

// The complement and checksum (4 bytes) of each header location, at file offsets of this form.
std::vector<ByteRange> ChecksumRanges(ImageForm form);

// The one rule that tells an image of a cartridge from any file of the right size: either header
// location holds a checksum and complement that add up to 0xFFFF. Bytes the file or the parts do
// not hold count as 0.
bool IsPlausibleImage(const Bytes& file, ImageForm form);
bool IsPlausibleImage(const std::vector<ImagePart>& parts, ImageForm form);
// What the user is told, once, about a file that fails the rule; it is opened all the same.
std::string ImplausibleNotice(const std::string& path);

// The checksum of the cartridge data (the file without its copier header): the sum of its bytes,
// modulo 0x10000. A size that is not a power of two counts as the largest power of two below it
// followed by the rest repeated until the rest fills as much again (as a cartridge mirrors it);
// the rest is split the same way.
uint16_t CartridgeChecksum(const uint8_t* data, size_t size);

struct ChecksumFix {
    std::optional<Error> error; // why it cannot be fixed (no header found)
    uint32_t headerOffset = 0;  // the header the fix goes into, as a file offset
    uint16_t checksum = 0;      // the right checksum; the complement is its bitwise inverse
    std::vector<Patch> patches; // complement and checksum, at file offsets (even when unchanged)
};

// The checksum and complement the whole file needs. They go into the header that holds a
// plausible pair, or else the one whose map mode byte agrees with its location; where both or
// neither do, the one whose map mode agrees, then the one at 0x7FC0.
ChecksumFix FixChecksum(const Bytes& file, ImageForm form);

} // namespace dravik::rom
