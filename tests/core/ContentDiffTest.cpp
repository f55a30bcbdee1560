// What a write of a whole image changes in the file: every run of differing bytes, wherever it
// lies against the blocks the comparison skips by, and the tail a size change adds or cuts.
#include <gtest/gtest.h>

#include "rom/SaveJournal.h"

using namespace dravik;

TEST(ContentDiff, FindsEveryChangedRunWhereverItLies)
{
    struct Case {
        size_t size;              // of the image before
        std::vector<size_t> runs; // start, length, start, length, ... changed in the image after
        size_t newSize;
    };
    const Case cases[] = {
        {9000, {}, 9000},
        {9000, {0, 1, 63, 2, 4095, 2, 8999, 1}, 9000}, // around the 64- and 4096-byte blocks
        {9000, {4000, 200, 4201, 1, 8192, 808}, 9000}, // across a block, then a run to the end
        {9000, {0, 9000}, 9000},                       // every byte
        {9000, {100, 1}, 8000},                        // cut short
        {70, {1, 68}, 9000},                           // grown, under one block at first
        {2097664, {0xC0600, 1, 0xC1000, 3}, 2097664},  // an image: one run at a block's start
    };
    for (const Case& c : cases) {
        rom::Bytes before(c.size), after(c.newSize);
        for (size_t i = 0; i < before.size(); ++i)
            before[i] = static_cast<uint8_t>(i * 7 + i / 251);
        for (size_t i = 0; i < after.size(); ++i)
            after[i] = i < before.size() ? before[i] : static_cast<uint8_t>(i);
        std::vector<rom::RangeChange> expected;
        for (size_t k = 0; k < c.runs.size(); k += 2) {
            rom::RangeChange change{static_cast<uint32_t>(c.runs[k]), {}, {}};
            for (size_t i = c.runs[k]; i < c.runs[k] + c.runs[k + 1]; ++i) {
                after[i] = static_cast<uint8_t>(~before[i]);
                change.before.push_back(before[i]);
                change.after.push_back(after[i]);
            }
            expected.push_back(change);
        }
        const rom::ImagePatch patch = rom::DiffContents(before, after);
        const std::string label =
            std::to_string(c.size) + " bytes, " + std::to_string(c.runs.size() / 2) + " runs";
        ASSERT_EQ(patch.changes.size(), expected.size()) << label;
        for (size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(patch.changes[k].offset, expected[k].offset) << label;
            EXPECT_EQ(patch.changes[k].before, expected[k].before) << label;
            EXPECT_EQ(patch.changes[k].after, expected[k].after) << label;
        }
        const size_t common = std::min(c.size, c.newSize);
        EXPECT_EQ(patch.oldTail, rom::Bytes(before.begin() + common, before.end())) << label;
        EXPECT_EQ(patch.newTail, rom::Bytes(after.begin() + common, after.end())) << label;
    }
}
