#include "cli/LargeBuffers.h"

#include <atomic>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace dravik::cli {

#if defined(__linux__)
namespace {
constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
constexpr uintptr_t kPage = 4096;
// The block's mapped length is kept in front of it; the block itself stays 64-byte aligned.
constexpr uintptr_t kHeader = 64;

// The mappings in use, by their start; a pointer is one of ours only if it is listed here.
std::atomic<uintptr_t> g_mapped[64];

uintptr_t RoundUp(uintptr_t value, uintptr_t unit) { return (value + unit - 1) & ~(unit - 1); }
} // namespace

void* MapLargeBuffer(size_t size) noexcept
{
    if (size < kLargeBuffer || size > SIZE_MAX / 2)
        return nullptr;
    const uintptr_t length = RoundUp(size + kHeader, kPage);
    // Reserve a huge page more than needed, then keep only the part from a huge page boundary:
    // the kernel backs an aligned 2 MiB with one page. The tail after the last boundary stays in
    // 4 KiB pages, so the memory used is what the block needs.
    const uintptr_t reserved = length + kHugePage;
    void* raw = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const uintptr_t begin = reinterpret_cast<uintptr_t>(raw), start = RoundUp(begin, kHugePage);
    if (start > begin)
        munmap(raw, start - begin);
    if (begin + reserved > start + length)
        munmap(reinterpret_cast<void*>(start + length), begin + reserved - start - length);
    madvise(reinterpret_cast<void*>(start), length, MADV_HUGEPAGE); // a hint: refused, 4 KiB pages
    for (std::atomic<uintptr_t>& slot : g_mapped) {
        uintptr_t free = 0;
        if (slot.compare_exchange_strong(free, start)) {
            *reinterpret_cast<uintptr_t*>(start) = length;
            return reinterpret_cast<void*>(start + kHeader);
        }
    }
    munmap(reinterpret_cast<void*>(start), length);
    return nullptr;
}

bool UnmapLargeBuffer(void* block) noexcept
{
    const uintptr_t start = reinterpret_cast<uintptr_t>(block) - kHeader;
    if (block == nullptr || start % kHugePage != 0)
        return false;
    for (std::atomic<uintptr_t>& slot : g_mapped) {
        uintptr_t mine = start;
        if (slot.compare_exchange_strong(mine, 0)) {
            munmap(reinterpret_cast<void*>(start), *reinterpret_cast<uintptr_t*>(start));
            return true;
        }
    }
    return false;
}
#else
void* MapLargeBuffer(size_t) noexcept { return nullptr; }
bool UnmapLargeBuffer(void*) noexcept { return false; }
#endif

} // namespace dravik::cli
