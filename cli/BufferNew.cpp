// The program's operator new: large buffers in huge pages (cli/LargeBuffers.h), in both programs
// of the command line.
#include <cstdlib>
#include <new>

#include "cli/LargeBuffers.h"

// Not under AddressSanitizer, which watches every block it hands out itself.
#if defined(__SANITIZE_ADDRESS__)
#define DRAVIK_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRAVIK_ADDRESS_SANITIZER
#endif
#endif
#if !defined(DRAVIK_ADDRESS_SANITIZER)
void* operator new(size_t size)
{
    if (size >= dravik::cli::kLargeBuffer)
        if (void* block = dravik::cli::MapLargeBuffer(size))
            return block;
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size))
            return block;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}
void* operator new[](size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept
{
    if (!dravik::cli::UnmapLargeBuffer(block))
        std::free(block);
}
void operator delete[](void* block) noexcept { ::operator delete(block); }
void operator delete(void* block, size_t) noexcept { ::operator delete(block); }
void operator delete[](void* block, size_t) noexcept { ::operator delete(block); }
#endif
