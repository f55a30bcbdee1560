#include "rom/ImageBytes.h"

#include <algorithm>
#include <cstring>

namespace dravik::rom {

bool HasCopierHeader(uint64_t fileSize) { return fileSize % 1024 != 0; }

uint32_t HeaderFileOffset(uint32_t location, ImageForm form)
{
    return location + (form.header ? kCopierHeaderSize : 0);
}

namespace {
uint32_t Word(const ByteAt& at, uint32_t offset)
{
    return static_cast<uint32_t>(std::max(at(offset), 0)) | static_cast<uint32_t>(std::max(at(offset + 1), 0))
                                                                << 8;
}

bool Plausible(const ByteAt& at, ImageForm form)
{
    for (uint32_t location : kHeaderLocations)
        if (PairAddsUp(at, HeaderFileOffset(location, form)))
            return true;
    return false;
}
} // namespace

bool PairAddsUp(const ByteAt& at, uint32_t header)
{
    return Word(at, header + kComplementAt) + Word(at, header + kChecksumAt) == 0xFFFF;
}

bool IsPlausibleImage(const ByteAt& at, uint64_t fileSize)
{
    return Plausible(at, ImageForm::OfSize(fileSize));
}

bool IsPlausibleImage(const Bytes& file, ImageForm form)
{
    return Plausible([&](uint32_t offset) { return offset < file.size() ? file[offset] : -1; }, form);
}

bool IsPlausibleImage(const std::vector<ImagePart>& parts, ImageForm form)
{
    return Plausible(
        [&](uint32_t offset) {
            for (const ImagePart& p : parts)
                if (offset >= p.offset && offset - p.offset < p.bytes.size())
                    return static_cast<int>(p.bytes[offset - p.offset]);
            return -1;
        },
        form);
}

bool KeepsCopierHeader(const uint8_t* source, size_t sourceSize, const uint8_t* target, size_t targetSize)
{
    return sourceSize >= kCopierHeaderSize && targetSize >= kCopierHeaderSize &&
           std::memcmp(source, target, kCopierHeaderSize) == 0;
}

} // namespace dravik::rom
