#pragma once
// CRC-32 as zip, PNG and BPS patches use it (reflected polynomial 0xEDB88320).
#include <cstddef>
#include <cstdint>

namespace dravik::rom {

uint32_t Crc32(const uint8_t* data, size_t size);

} // namespace dravik::rom
