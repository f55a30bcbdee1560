// Where a code opens in its drop-down list and which code a position gives back: the naming of
// each code array at the edges of its lists.
#include <gtest/gtest.h>

#include "names/NameSet.h"
#include "names/Names.h"
#include "rom/Layout.h"

using namespace dravik;

namespace {
constexpr int kNoSelection = -1; // a code without an entry opens with nothing selected
} // namespace

TEST(CodeNaming, OpeningPositions)
{
    const int no = kNoSelection;
    // Each naming at the edges of its list: {code, position it opens at}.
    const struct {
        const char *table, *array;
        int row;
        std::vector<std::pair<int, int>> positions;
    } lists[] = {
        {"human_weapons", "range", 0, {{0, 0}, {63, 0}, {80, 1}, {191, 2}, {192, no}, {255, no}}},
        {"human_weapons", "users", 0, {{0, no}, {1, 0}, {7, 6}, {8, no}}},
        {"tanks", "items", 0, {{160, 32}, {32, 32}, {33, no}, {228, no}}},
        {"characters", "items", 0, {{0, 0}, {127, 127}, {128, 128}, {255, 128}, {129, no}, {254, no}}},
        {"characters", "equipment", 0, {{130, 2}, {247, 119}, {248, 120}, {255, 120}, {127, no}, {250, no}}},
        {"monsters", "attacks", 46, {{143, 143}, {144, no}}},
        {"monsters", "attacks", 47, {{173, 173}, {174, no}}},
    };
    for (const auto& l : lists)
        for (auto [code, index] : l.positions)
            EXPECT_EQ(rom::FindLayout(l.table)->FindCodeArray(l.array)->naming.ListIndex(l.row, code), index)
                << l.table << " " << l.array << ", code " << code;
}

// The drop-down lists hold the name lists' entries, the empty slot right after the last one.
TEST(CodeNaming, SlotListsEndWhereTheNameListsEnd)
{
    const std::tuple<const char*, const char*, names::List> slotLists[] = {
        {"tanks", "parts", names::List::TankParts},
        {"tanks", "items", names::List::TankItems},
        {"characters", "items", names::List::Items},
        {"characters", "equipment", names::List::HumanEquipment},
    };
    for (const auto& [table, array, list] : slotLists) {
        const rom::CodeNaming& naming = rom::FindLayout(table)->FindCodeArray(array)->naming;
        const int empty = names::Size(list);
        ASSERT_EQ(static_cast<int>(naming.ListTexts(names::NameSet::BuiltIn(), 0).size()), empty + 1);
        EXPECT_EQ(naming.ListTexts(names::NameSet::BuiltIn(), 0)[static_cast<size_t>(empty)], names::kEmpty);
        EXPECT_EQ(naming.ListIndex(0, 0xFF), empty);
        EXPECT_EQ(naming.CodeForIndex(0, empty, 3), 0xFF);
    }
}
