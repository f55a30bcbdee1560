#pragma once
// The IPS format at the level of bytes, with standard C++ only, so that the command line can make
// and apply a patch without loading Qt: "PATCH", records of a 3-byte offset and a 2-byte size
// (size 0: a run of one byte value), "EOF", and optionally the 3-byte size to cut the result to.
// Offsets are big-endian, so no record may start at 0x454F46, which reads as "EOF"; nothing beyond
// 16 MiB is addressable. A fault comes back as what and where; rom/Ips.h puts it into words.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravik::rom {

constexpr uint64_t kIpsLimit = 0x1000000; // 16 MiB
constexpr uint32_t kIpsEofOffset = 0x454F46;

struct IpsFault {
    enum class Kind {
        None,
        SourceTooLarge, // count: the source's size
        TargetTooLarge, // count: the target's size
        NotIps,
        Cut,           // the patch ends at `at` where `missing` should follow
        ZeroRun,       // a run record with a count of 0
        PastLimit,     // a record would write up to byte `count`, beyond 16 MiB
        TrailingBytes, // count: bytes after "EOF" that are not a 3-byte size
    };
    enum class Missing { OffsetOrEof, Length, RunCountAndValue, Data };
    Kind kind = Kind::None;
    Missing missing = Missing::OffsetOrEof;
    size_t at = 0;       // Cut: where the patch ends short
    int record = 0;      // the record at fault, counted from 1; 0 for the patch as a whole
    uint32_t offset = 0; // that record's offset
    uint64_t count = 0;  // see Kind
    size_t left = 0;     // Cut of Data: the bytes there are

    explicit operator bool() const { return kind != Kind::None; }
};

bool IsIpsPatch(const uint8_t* patch, size_t size); // starts with "PATCH"

// A patch that takes source to target; a fault when either is over 16 MiB.
IpsFault MakeIpsPatch(const uint8_t* source, size_t sourceSize, const uint8_t* target, size_t targetSize,
                      std::vector<uint8_t>& patch);

// Where a patch writes: a stretch of the target that one or more of its records write.
struct IpsStretch {
    size_t offset = 0;
    size_t size = 0;
};

// Checks a patch for a source of sourceSize bytes without applying it: the target's size, and
// (when stretches is given) where its records write within the target, ascending and apart,
// records less than join bytes apart in one stretch. Faults as ApplyIpsPatch finds them.
IpsFault PlanIpsPatch(const uint8_t* patch, size_t patchSize, size_t sourceSize, size_t join,
                      size_t& targetSize, std::vector<IpsStretch>* stretches);

// Writes the records of a patch PlanIpsPatch accepted into the target's stretches it gave (or one
// stretch from 0): bytes holds them one after another, each filled beforehand with what the target
// holds there before the records (the source's bytes, zeros past its end).
void WriteIpsRecords(const uint8_t* patch, size_t patchSize, const std::vector<IpsStretch>& stretches,
                     uint8_t* bytes);

// Applies patch to source into target. On a fault target is unspecified.
IpsFault ApplyIpsPatch(const uint8_t* patch, size_t patchSize, const uint8_t* source, size_t sourceSize,
                       std::vector<uint8_t>& target);

} // namespace dravik::rom
