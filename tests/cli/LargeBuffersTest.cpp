// The command line's large buffers: every byte asked for is there and its own, and a pointer that
// is not one of them is never taken for one.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cli/LargeBuffers.h"

using namespace dravik::cli;

TEST(LargeBuffers, HoldEveryByteAskedForAndAreReturnedOnce)
{
#if !defined(__linux__)
    GTEST_SKIP() << "huge pages are mapped on Linux only";
#endif
    // Just large enough, an image with a copier header, one over a huge page by its header, and
    // one of several huge pages.
    const std::vector<size_t> sizes = {kLargeBuffer, 2097664, (size_t{2} << 20) - 64, 9u << 20};
    std::vector<uint8_t*> blocks;
    for (size_t k = 0; k < sizes.size(); ++k) {
        auto* block = static_cast<uint8_t*>(MapLargeBuffer(sizes[k]));
        ASSERT_NE(block, nullptr) << sizes[k];
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 64, 0u);
        std::memset(block, static_cast<int>(k + 1), sizes[k]);
        blocks.push_back(block);
    }
    // No block overlaps another or its bookkeeping: each still holds only its own value.
    for (size_t k = 0; k < sizes.size(); ++k) {
        EXPECT_EQ(blocks[k][0], k + 1);
        EXPECT_EQ(blocks[k][sizes[k] - 1], k + 1);
    }
    void* small = std::malloc(64);
    EXPECT_FALSE(UnmapLargeBuffer(small));
    EXPECT_FALSE(UnmapLargeBuffer(nullptr));
    EXPECT_FALSE(UnmapLargeBuffer(blocks[1] + 64)); // inside a block, not its start
    std::free(small);
    for (uint8_t* block : blocks)
        EXPECT_TRUE(UnmapLargeBuffer(block));
    EXPECT_FALSE(UnmapLargeBuffer(blocks[0])); // already returned
    EXPECT_EQ(MapLargeBuffer(kLargeBuffer - 1), nullptr);
}
