// The code <-> drop-down position rules of the row editors, without a dialog. The dialog
// tests check the wiring; the boundaries live here.
#include <gtest/gtest.h>

#include "editors/CodeRules.h"
#include "editors/DialogLayout.h"
#include "names/Names.h"

using namespace dravik::editors;
using namespace dravik::editors::rules;

TEST(EditorCodeRules, OpeningPositions)
{
    const int none = kNoSelection;
    const int range[][2] = {{0, 0}, {63, 0}, {80, 1}, {191, 2}, {192, none}, {255, none}};
    for (auto [code, index] : range)
        EXPECT_EQ(RangeIndex(code), index) << code;
    const int users[][2] = {{0, none}, {1, 0}, {7, 6}, {8, none}};
    for (auto [mask, index] : users)
        EXPECT_EQ(UsersIndex(mask), index) << mask;
    // Tank slots: low seven bits; those on "-----" open there, beyond it nowhere.
    const int parts[][2] = {{255, 121}, {5, 5}, {133, 5}, {121, 121}, {249, 121}, {122, none}, {254, none}};
    for (auto [code, index] : parts)
        EXPECT_EQ(TankSlotIndex(code, kTankPartEmpty), index) << code;
    const int items[][2] = {{160, 32}, {32, 32}, {33, none}, {228, none}};
    for (auto [code, index] : items)
        EXPECT_EQ(TankSlotIndex(code, kTankItemEmpty), index) << code;
    const int carried[][2] = {{0, 0}, {127, 127}, {128, 128}, {255, 128}, {129, none}, {254, none}};
    for (auto [code, index] : carried)
        EXPECT_EQ(ItemIndex(code), index) << code;
    const int worn[][2] = {{130, 2}, {247, 119}, {248, 120}, {255, 120}, {127, none}, {250, none}};
    for (auto [code, index] : worn)
        EXPECT_EQ(EquipmentIndex(code), index) << code;
    EXPECT_EQ(AttackIndex(46, 143), 143);
    EXPECT_EQ(AttackIndex(46, 144), none);
    EXPECT_EQ(AttackIndex(47, 173), 173);
    EXPECT_EQ(AttackIndex(47, 174), none);
}

TEST(EditorCodeRules, CodesOnOkAndNoSelectionKeepsTheOldCode)
{
    EXPECT_EQ(RangeCode(9, 2, 0x3F), 128 + 16); // low bits from the row, never from the old code
    EXPECT_EQ(RangeCode(28, 0, 0), 40);
    EXPECT_EQ(RangeCode(0, 1, 64 + 5), 64);
    EXPECT_EQ(TankSlotCode(5, kTankPartEmpty, 7, 133), 5); // the row decides bit 7
    EXPECT_EQ(TankSlotCode(5, kTankPartEmpty, 8, 5), 133);
    EXPECT_EQ(TankSlotCode(121, kTankPartEmpty, 8, 5), 255);
    EXPECT_EQ(TankSlotCode(32, kTankItemEmpty, 21, 0), 255);
    EXPECT_EQ(ItemSlotCode(128, 0), 255);
    EXPECT_EQ(EquipmentSlotCode(48, 130), 176);
    EXPECT_EQ(EquipmentSlotCode(120, 130), 255);
    EXPECT_EQ(RangeCode(3, kNoSelection, 200), 200);
    EXPECT_EQ(UsersMask(kNoSelection, 12), 12);
    EXPECT_EQ(TankSlotCode(kNoSelection, kTankPartEmpty, 8, 123), 123);
    EXPECT_EQ(ItemSlotCode(kNoSelection, 200), 200);
    EXPECT_EQ(EquipmentSlotCode(kNoSelection, 5), 5);
    EXPECT_EQ(AttackCode(46, kNoSelection, 200), 200);
    EXPECT_EQ(CategoryCode(kNoSelection, 20), 20);
}

// Exactly the "XXXXX" entries of the category's list become 255; every thing keeps its code.
TEST(EditorCodeRules, LootPlaceholdersOfTheCategoryBecomeNone)
{
    const std::string placeholder = dravik::names::kPlaceholder;
    for (int code = 0; code < 256; ++code) {
        const bool human = EntryTexts(Entries::HumanLoot)[code] == placeholder;
        const bool tank = EntryTexts(Entries::TankLoot)[code] == placeholder;
        EXPECT_EQ(LootCode(3, code, -1), human ? 255 : code) << code;
        EXPECT_EQ(LootCode(8, code, -1), tank ? 255 : code) << code;
    }
    EXPECT_EQ(EntryTexts(Entries::HumanLoot)[125], placeholder);
    EXPECT_EQ(EntryTexts(Entries::TankLoot)[200], placeholder);
    EXPECT_EQ(EntryTexts(Entries::TankLoot)[159], dravik::names::Combo(dravik::names::List::TankItems)[31]);
}
