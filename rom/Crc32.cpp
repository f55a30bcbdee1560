#include "rom/Crc32.h"

#include <array>

namespace dravik::rom {

namespace {
// Eight tables so the loop takes eight bytes a step: a 2 MiB image is checked in a few ms.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables MakeTables()
{
    Tables t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (size_t k = 1; k < 8; ++k)
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    return t;
}
} // namespace

uint32_t Crc32(const uint8_t* data, size_t size)
{
    static const Tables t = MakeTables();
    uint32_t c = 0xFFFFFFFFu;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        const uint32_t lo =
            c ^ (data[i] | data[i + 1] << 8 | data[i + 2] << 16 | uint32_t{data[i + 3]} << 24);
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][data[i + 4]] ^ t[2][data[i + 5]] ^ t[1][data[i + 6]] ^ t[0][data[i + 7]];
    }
    for (; i < size; ++i)
        c = t[0][(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

} // namespace dravik::rom
