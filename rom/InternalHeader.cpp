#include "rom/InternalHeader.h"

#include <algorithm>
#include <functional>

#include "rom/ImageBytes.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
// Whether the map mode byte says the cartridge maps its ROM the way this location implies:
// 0x2m or 0x3m, m 0, 2 or 3 for 32 KiB banks (0x7FC0), 1 or 5 for 64 KiB banks (0xFFC0).
bool MapModeAgrees(int mode, uint32_t location)
{
    if (mode < 0 || (mode & 0xE0) != 0x20)
        return false;
    const int m = mode & 0x0F;
    return location == kHeaderLocations[0] ? (m == 0 || m == 2 || m == 3) : (m == 1 || m == 5);
}

uint32_t Sum(const uint8_t* data, size_t size)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < size; ++i)
        sum += data[i];
    return sum;
}

// The sum of data[0, size) with its rest mirrored; size becomes the power of two it fills.
uint32_t MirroredSum(const uint8_t* data, size_t& size, size_t part)
{
    while (part && !(size & part))
        part >>= 1;
    uint32_t sum = Sum(data, part);
    size_t restSize = size - part;
    if (restSize) {
        uint32_t rest = MirroredSum(data + part, restSize, part >> 1);
        while (restSize < part) {
            restSize *= 2;
            rest *= 2;
        }
        sum += rest;
        size = 2 * part;
    }
    return sum;
}
} // namespace

std::vector<ByteRange> ChecksumRanges(ImageForm form)
{
    std::vector<ByteRange> out;
    for (uint32_t location : kHeaderLocations) {
        const uint32_t begin = HeaderFileOffset(location, form) + kComplementAt;
        out.push_back(ByteRange{begin, begin + 4});
    }
    return out;
}

std::string ImplausibleNotice(const std::string& path)
{
    return Fill(
        Patches::tr("注意：%1 的内部文件头（0x7FC0 与 0xFFC0 处）没有相加为 0xFFFF 的校验和与补码，它可能不是"
                    "这个游戏的映像。"),
        path);
}

uint16_t CartridgeChecksum(const uint8_t* data, size_t size)
{
    size_t filled = size;
    return static_cast<uint16_t>(MirroredSum(data, filled, size_t(1) << 31));
}

ChecksumFix FixChecksum(const Bytes& file, ImageForm form)
{
    const ByteAt at = [&](uint32_t offset) { return offset < file.size() ? file[offset] : -1; };
    ChecksumFix fix;
    int best = 0;
    for (uint32_t location : kHeaderLocations) {
        const uint32_t header = HeaderFileOffset(location, form);
        if (header + kChecksumAt + 2 > file.size())
            continue;
        const int score =
            (PairAddsUp(at, header) ? 2 : 0) + (MapModeAgrees(at(header + kMapModeAt), location) ? 1 : 0);
        if (score > best) {
            best = score;
            fix.headerOffset = header;
        }
    }
    if (best == 0) {
        fix.error = Error::Failure(Fill(
            Patches::tr("找不到内部文件头：0x7FC0 与 0xFFC0 处既没有相加为 0xFFFF 的校验和与补码，映射方式"
                        "字节也对不上，无法修正校验和。")));
        return fix;
    }
    // A pair that adds up to 0xFFFF always adds 0x1FE to the sum, so the old pair is counted as
    // the sum will find the new one.
    const size_t start = form.header ? kCopierHeaderSize : 0;
    Bytes data(file.begin() + static_cast<std::ptrdiff_t>(std::min(start, file.size())), file.end());
    const uint32_t inData = fix.headerOffset - static_cast<uint32_t>(start);
    data[inData + kComplementAt] = data[inData + kComplementAt + 1] = 0xFF;
    data[inData + kChecksumAt] = data[inData + kChecksumAt + 1] = 0x00;
    fix.checksum = CartridgeChecksum(data.data(), data.size());
    fix.patches = {Patch{fix.headerOffset + kComplementAt, 2, static_cast<uint32_t>(fix.checksum ^ 0xFFFF)},
                   Patch{fix.headerOffset + kChecksumAt, 2, fix.checksum}};
    return fix;
}

} // namespace dravik::rom
