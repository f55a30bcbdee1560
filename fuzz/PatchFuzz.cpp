// Any bytes as an IPS or BPS patch applied to a small image: never a crash, never a write outside
// what the patch describes, refused with a reason or applied. And a patch made from any two
// images, in either format, takes the first to exactly the second.
//
// Input: [mode] [length of A, 2 bytes] A... rest...
//   mode % 16 = 0-6:  rest is a patch applied to A (mode & 0x80: a BPS gets the CRC-32s of A and
//                     of itself written in, so mutations reach its actions instead of its checksums;
//                     an IPS is also applied stretch by stretch, joined across (mode >> 4 & 7) * 3);
//               7-10: rest is B, and both formats take A to B;
//              11-15: B is A resized by (int8) rest[0] with [offset, 2 bytes] [value] edits after.
// Records around the offset that reads as "EOF" need 4 MiB images, a hundred times slower to
// fuzz; the tests cover them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "rom/Bps.h"
#include "rom/Crc32.h"
#include "rom/Ips.h"
#include "rom/IpsBytes.h"
#include "rom/Passes.h"
#include "rom/PatchFiles.h"

using namespace dravik;
using namespace dravik::rom;

namespace {

void Check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
        std::abort();
    }
}

void PutLittle32(Bytes& p, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t Little32(const Bytes& p, size_t at)
{
    return p[at] | p[at + 1] << 8 | p[at + 2] << 16 | uint32_t{p[at + 3]} << 24;
}

// Makes a patch from a to b in the format and applies it to a: it must give b exactly.
void RoundTrip(PatchFormat format, const Bytes& a, const Bytes& b)
{
    const char* name = format == PatchFormat::Ips ? "IPS" : "BPS";
    Bytes patch, result;
    Check(!MakePatch(format, a, b, patch), "a patch of two small images is made", name);
    // Made for a as it is: with its copier header when it has one (a file shorter than a header
    // has none, whatever its size says).
    const bool headered = HasCopierHeader(a.size()) && a.size() >= kCopierHeaderSize;
    const IpsMadeFor madeFor = headered ? IpsMadeFor::WithHeader : IpsMadeFor::Unsaid;
    const std::optional<Error> refused = ApplyPatch(patch, a, result, madeFor);
    Check(!refused, "a made patch applies", refused ? name + (": " + Describe(*refused)) : name);
    Check(result == b, "a made patch gives the second image", name);
}

// The patch applied as the command line applies it to a new file: the source copied, then only the
// stretches its records write (joined across gaps under join bytes) read, patched and written back.
Bytes AppliedByStretches(const Bytes& patch, const Bytes& source, size_t join)
{
    size_t size = 0;
    std::vector<IpsStretch> stretches;
    Check(!PlanIpsPatch(patch.data(), patch.size(), source.size(), join, size, &stretches),
          "an IPS that applies is planned");
    Bytes target(source.begin(), source.begin() + static_cast<long>(std::min(size, source.size())));
    target.resize(size, 0);
    Bytes bytes;
    for (size_t k = 0; k < stretches.size(); ++k) {
        const IpsStretch& s = stretches[k];
        Check(s.size > 0 && s.offset + s.size <= size, "a stretch lies in the target");
        Check(k == 0 || s.offset > stretches[k - 1].offset + stretches[k - 1].size + join,
              "stretches ascend, apart by more than the join");
        bytes.insert(bytes.end(), target.begin() + static_cast<long>(s.offset),
                     target.begin() + static_cast<long>(s.offset + s.size));
    }
    WriteIpsRecords(patch.data(), patch.size(), stretches, bytes.data());
    size_t at = 0;
    for (const IpsStretch& s : stretches) {
        std::copy(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + s.size),
                  target.begin() + static_cast<long>(s.offset));
        at += s.size;
    }
    return target;
}

void Apply(Bytes patch, const Bytes& source, bool repairCrcs, size_t join)
{
    constexpr size_t kFooter = 12;
    if (repairCrcs && IsBps(patch) && patch.size() >= 4 + 3 + kFooter) {
        PutLittle32(patch, patch.size() - kFooter, Crc32(source.data(), source.size()));
        PutLittle32(patch, patch.size() - 4, Crc32(patch.data(), patch.size() - 4));
    }
    Bytes target;
    if (const std::optional<Error> refused = ApplyPatch(patch, source, target)) {
        Check(!Describe(*refused).empty(), "a refusal says why");
        return;
    }
    if (IsBps(patch)) {
        Check(target.size() <= kBpsTargetLimit, "a BPS result stays within its limit");
        Check(Crc32(target.data(), target.size()) == Little32(patch, patch.size() - 8),
              "an applied BPS gives the result its checksum names");
    } else {
        Check(target.size() <= kIpsLimit, "an IPS result stays within 16 MiB");
        Check(AppliedByStretches(patch, source, join) == target,
              "an IPS applied by stretches gives the same");
    }
    // Whatever a patch can produce, a patch made by us reproduces (kept small to stay fast).
    if (target.size() <= (1u << 16)) {
        RoundTrip(PatchFormat::Ips, source, target);
        RoundTrip(PatchFormat::Bps, source, target);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const uint8_t mode = data[0];
    const size_t lengthA = std::min<size_t>(data[1] | data[2] << 8, size - 3);
    const Bytes a(data + 3, data + 3 + lengthA);
    const Bytes rest(data + 3 + lengthA, data + size);
    const int kind = mode % 16;
    if (kind <= 6) {
        Apply(rest, a, mode & 0x80, static_cast<size_t>(mode >> 4 & 7) * 3);
    } else if (kind <= 10) {
        RoundTrip(PatchFormat::Ips, a, rest);
        RoundTrip(PatchFormat::Bps, a, rest);
    } else {
        Bytes b = a;
        if (!rest.empty())
            b.resize(
                static_cast<size_t>(std::max(0, static_cast<int>(b.size()) + static_cast<int8_t>(rest[0]))),
                rest[0]);
        for (size_t i = 1; i + 3 <= rest.size() && !b.empty(); i += 3)
            b[(rest[i] | rest[i + 1] << 8) % b.size()] = rest[i + 2];
        RoundTrip(PatchFormat::Ips, a, b);
        RoundTrip(PatchFormat::Bps, a, b);
    }
    return 0;
}
