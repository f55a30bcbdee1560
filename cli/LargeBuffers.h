#pragma once
// Buffers of a megabyte or more (whole images, a patch's match index) in mappings of their own,
// laid out so that the kernel may back each whole 2 MiB of them with one huge page. A fresh
// 4 KiB page costs a fault and a clear of its own, several microseconds on a virtual machine,
// and a 2 MiB image is 512 of them: for the command line, which reads two images and writes a
// third in a few milliseconds, that was most of its time beyond starting the process.
// The program's operator new (cli/main.cpp) takes them from here; everything smaller, and
// everything where no such mapping can be made, comes from malloc as before.
#include <cstddef>

namespace dravik::cli {

// Blocks smaller than this come from malloc.
constexpr size_t kLargeBuffer = size_t{1} << 20;

// A writable block of size bytes (at least kLargeBuffer), aligned to 64 bytes, or nullptr when
// none can be mapped or too many are in use.
void* MapLargeBuffer(size_t size) noexcept;
// Unmaps a block MapLargeBuffer gave; false (and nothing done) for any other pointer.
bool UnmapLargeBuffer(void* block) noexcept;

} // namespace dravik::cli
