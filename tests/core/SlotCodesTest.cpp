// The codes a row editor's drop-down lists write back on "确定": for the position a stored code
// opens at (nothing chosen) or for the one chosen, by each code array's own rules, and the loot
// drops' category rules. The window's tests work the dialogs themselves.
#include <gtest/gtest.h>

#include "editors/CodeRules.h"
#include "rom/Layout.h"

using namespace dravik;

namespace {
constexpr int kOpened = -9; // nothing chosen: the position the code opened at
} // namespace

TEST(SlotCodes, EachArrayWritesItsRowsBitsAndKeepsACodeWithoutAnEntry)
{
    struct Case {
        const char *table, *array;
        int row, stored, chosen, written;
    };
    // clang-format off
    const Case cases[] = {
        // A weapon's range keeps the low bits of its row whatever the stored code held.
        {"human_weapons", "range", 9, 64 + 5, kOpened, 64 + 16}, {"human_weapons", "range", 9, 64 + 5, 2, 128 + 16},
        {"human_weapons", "range", 28, 192 + 40, kOpened, 192 + 40}, {"human_weapons", "users", 9, 5, 6, 7},
        {"human_weapons", "users", 28, 12, kOpened, 12},
        // Own tanks (up to row 7) write parts without bit 7, rental tanks with it; past the list is empty.
        {"tanks", "parts", 7, 133, kOpened, 5}, {"tanks", "parts", 7, 121, kOpened, 255},
        {"tanks", "parts", 7, 249, kOpened, 255}, {"tanks", "parts", 7, 122, kOpened, 122},
        {"tanks", "parts", 7, 0, kOpened, 0}, {"tanks", "parts", 7, 87, kOpened, 87},
        {"tanks", "parts", 7, 255, kOpened, 255}, {"tanks", "parts", 8, 5, kOpened, 133},
        {"tanks", "parts", 8, 121, kOpened, 255}, {"tanks", "parts", 8, 122, kOpened, 122},
        {"tanks", "parts", 8, 0, kOpened, 128}, {"tanks", "parts", 8, 87, kOpened, 128 + 87},
        {"tanks", "parts", 8, 127, 31, 128 + 31}, {"tanks", "items", 8, 160, kOpened, 255},
        {"tanks", "items", 8, 0, 31, 128 + 31},
        {"characters", "items", 1, 128, kOpened, 255}, {"characters", "items", 1, 200, kOpened, 200},
        {"characters", "items", 1, 0, 127, 127}, {"characters", "equipment", 1, 130, 48, 128 + 48},
        {"characters", "equipment", 1, 248, kOpened, 255}, {"characters", "equipment", 1, 5, kOpened, 5},
        // Attacks from list B up to row 46, list A after.
        {"monsters", "attacks", 46, 0x10, 0x8F, 0x8F}, {"monsters", "attacks", 46, 150, kOpened, 150},
        {"monsters", "attacks", 47, 0x9C, kOpened, 0x9C},
    };
    // clang-format on
    for (const Case& c : cases) {
        const rom::CodeNaming& naming = rom::FindLayout(c.table)->FindCodeArray(c.array)->naming;
        const int index = c.chosen == kOpened ? naming.ListIndex(c.row, c.stored) : c.chosen;
        EXPECT_EQ(naming.CodeForIndex(c.row, index, c.stored), c.written)
            << c.table << " " << c.array << " row " << c.row << ", code " << c.stored << ", chosen "
            << c.chosen;
    }

    // A category without an entry opens with nothing chosen and is kept; 20 names tank things, whose
    // placeholder 200 is none, as is the human list's "XXXXX" (125).
    namespace rules = editors::rules;
    EXPECT_EQ(rules::CategoryIndex(20), rules::kNoSelection);
    EXPECT_EQ(rules::CategoryCode(rules::kNoSelection, 20), 20);
    EXPECT_EQ(rules::CategoryCode(8, 2), 8);
    EXPECT_EQ(rules::LootCode(20, 200, 200), 255);
    EXPECT_EQ(rules::LootCode(0, 125, 5), 255);
    EXPECT_EQ(rules::LootCode(9, 0x90, 0x82), 0x90);
    EXPECT_EQ(rules::LootCode(8, rules::LootIndex(130), 130), 130);
    EXPECT_EQ(rules::LootCode(8, rules::kNoSelection, 130), 130);
}
