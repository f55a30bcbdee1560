// The code <-> drop-down position rules of the row editors, without a dialog.
#include <gtest/gtest.h>

#include "editors/CodeRules.h"
#include "editors/DialogLayout.h"
#include "names/Names.h"

using namespace dravik::editors;
using namespace dravik::editors::rules;

TEST(EditorCodeRules, WeaponRangeTakesLowBitsFromTheRowAndKeepsCodesWithoutEntry)
{
    EXPECT_EQ(RangeIndex(0), 0);
    EXPECT_EQ(RangeIndex(63), 0);
    EXPECT_EQ(RangeIndex(64 + 16), 1);
    EXPECT_EQ(RangeIndex(191), 2);
    EXPECT_EQ(RangeIndex(192), kNoSelection); // index 3 has no entry
    EXPECT_EQ(RangeIndex(255), kNoSelection);

    // The low six bits come from the row, whatever the old code held.
    EXPECT_EQ(RangeCode(9, 2, 0x3F), 128 + 16);  // 火焰枪
    EXPECT_EQ(RangeCode(10, 1, 0), 64 + 8);      // 激光步枪
    EXPECT_EQ(RangeCode(15, 0, 0), 24);          // 中子射线枪
    EXPECT_EQ(RangeCode(17, 0, 0), 32);          // 超音波枪
    EXPECT_EQ(RangeCode(28, 2, 0), 128 + 40);    // 酸液枪
    EXPECT_EQ(RangeCode(0, 1, 64 + 5), 64);      // a stray low bit on a plain row is dropped
    EXPECT_EQ(RangeCode(3, kNoSelection, 200), 200);
}

TEST(EditorCodeRules, UsersMaskIsIndexPlusOneAndKeepsMasksWithoutEntry)
{
    EXPECT_EQ(UsersIndex(1), 0);
    EXPECT_EQ(UsersIndex(7), 6);
    EXPECT_EQ(UsersIndex(0), kNoSelection);
    EXPECT_EQ(UsersIndex(8), kNoSelection);
    EXPECT_EQ(UsersMask(4, 1), 5);
    EXPECT_EQ(UsersMask(kNoSelection, 0), 0);
    EXPECT_EQ(UsersMask(kNoSelection, 12), 12);
}

TEST(EditorCodeRules, TankSlotsSetBitSevenByRowAndMapLowBitsOnTheEmptyEntry)
{
    EXPECT_EQ(TankSlotIndex(255, kTankPartEmpty), 121);
    EXPECT_EQ(TankSlotIndex(5, kTankPartEmpty), 5);
    EXPECT_EQ(TankSlotIndex(128 + 5, kTankPartEmpty), 5);
    EXPECT_EQ(TankSlotIndex(121, kTankPartEmpty), 121); // low bits on "-----"
    EXPECT_EQ(TankSlotIndex(249, kTankPartEmpty), 121);
    EXPECT_EQ(TankSlotIndex(122, kTankPartEmpty), kNoSelection);
    EXPECT_EQ(TankSlotIndex(254, kTankPartEmpty), kNoSelection);
    EXPECT_EQ(TankSlotIndex(32, kTankItemEmpty), 32);
    EXPECT_EQ(TankSlotIndex(160, kTankItemEmpty), 32);
    EXPECT_EQ(TankSlotIndex(33, kTankItemEmpty), kNoSelection);
    EXPECT_EQ(TankSlotIndex(128 + 100, kTankItemEmpty), kNoSelection);

    // The row decides bit 7, not the old code; "-----" is 255 everywhere.
    EXPECT_EQ(TankSlotCode(5, kTankPartEmpty, 7, 133), 5);
    EXPECT_EQ(TankSlotCode(5, kTankPartEmpty, 8, 5), 133);
    EXPECT_EQ(TankSlotCode(121, kTankPartEmpty, 8, 5), 255);
    EXPECT_EQ(TankSlotCode(32, kTankItemEmpty, 21, 0), 255);
    EXPECT_EQ(TankSlotCode(31, kTankItemEmpty, 21, 0), 159);
    EXPECT_EQ(TankSlotCode(kNoSelection, kTankPartEmpty, 8, 123), 123);
    EXPECT_EQ(TankSlotCode(kNoSelection, kTankItemEmpty, 0, 200), 200);
}

TEST(EditorCodeRules, CharacterSlots)
{
    EXPECT_EQ(ItemIndex(0), 0);
    EXPECT_EQ(ItemIndex(127), 127);
    EXPECT_EQ(ItemIndex(128), 128); // lands on "-----"
    EXPECT_EQ(ItemIndex(255), 128);
    EXPECT_EQ(ItemIndex(129), kNoSelection);
    EXPECT_EQ(ItemIndex(254), kNoSelection);
    EXPECT_EQ(ItemSlotCode(128, 128), 255);
    EXPECT_EQ(ItemSlotCode(127, 255), 127);
    EXPECT_EQ(ItemSlotCode(kNoSelection, 200), 200);

    EXPECT_EQ(EquipmentIndex(130), 2);
    EXPECT_EQ(EquipmentIndex(247), 119);
    EXPECT_EQ(EquipmentIndex(248), 120); // lands on "-----"
    EXPECT_EQ(EquipmentIndex(255), 120);
    EXPECT_EQ(EquipmentIndex(127), kNoSelection);
    EXPECT_EQ(EquipmentIndex(0), kNoSelection);
    EXPECT_EQ(EquipmentIndex(250), kNoSelection);
    EXPECT_EQ(EquipmentSlotCode(48, 130), 176);
    EXPECT_EQ(EquipmentSlotCode(120, 130), 255);
    EXPECT_EQ(EquipmentSlotCode(kNoSelection, 5), 5);
}

TEST(EditorCodeRules, MonsterAttacksFollowTheRowsList)
{
    EXPECT_EQ(AttackIndex(46, 143), 143);
    EXPECT_EQ(AttackIndex(46, 144), kNoSelection);
    EXPECT_EQ(AttackIndex(47, 144), 144);
    EXPECT_EQ(AttackIndex(151, 173), 173);
    EXPECT_EQ(AttackIndex(151, 174), kNoSelection);
    EXPECT_EQ(AttackCode(46, kNoSelection, 200), 200);
    EXPECT_EQ(AttackCode(47, 150, 3), 150);
    EXPECT_EQ(CategoryIndex(15), 15);
    EXPECT_EQ(CategoryIndex(16), kNoSelection);
    EXPECT_EQ(CategoryCode(kNoSelection, 9), 9);
}

TEST(EditorCodeRules, LootPlaceholdersOfTheCategoryBecomeNone)
{
    // Human categories: 120 to 127 are placeholders; items run up to 254.
    EXPECT_EQ(LootCode(3, 119, 0), 119);
    EXPECT_EQ(LootCode(3, 120, 0), 255);
    EXPECT_EQ(LootCode(7, 127, 0), 255);
    EXPECT_EQ(LootCode(0, 128, 0), 128);
    EXPECT_EQ(LootCode(0, 200, 0), 200);
    EXPECT_EQ(LootCode(0, 254, 0), 254);
    EXPECT_EQ(LootCode(0, 255, 0), 255);
    // Tank categories: 121 to 127 and 160 to 254 are placeholders.
    EXPECT_EQ(LootCode(8, 120, 0), 120);
    EXPECT_EQ(LootCode(8, 121, 0), 255);
    EXPECT_EQ(LootCode(15, 127, 0), 255);
    EXPECT_EQ(LootCode(8, 159, 0), 159);
    EXPECT_EQ(LootCode(8, 160, 0), 255);
    EXPECT_EQ(LootCode(8, 254, 0), 255);
    EXPECT_EQ(LootCode(8, kNoSelection, 77), 77);

    // The rule agrees with the lists the user picks from: a code keeps its entry exactly
    // when that entry names a thing.
    const std::string placeholder = dravik::names::kPlaceholder;
    for (int code = 0; code < 255; ++code) {
        EXPECT_EQ(LootCode(0, code, -1) == 255, EntryTexts(Entries::HumanLoot)[code] == placeholder) << code;
        EXPECT_EQ(LootCode(8, code, -1) == 255, EntryTexts(Entries::TankLoot)[code] == placeholder) << code;
    }
}

TEST(EditorCodeRules, SlotListsEndWithTheEmptyEntryAtTheEmptyIndex)
{
    EXPECT_EQ(EntryTexts(Entries::TankPartSlot).size(), 122u);
    EXPECT_EQ(EntryTexts(Entries::TankPartSlot)[kTankPartEmpty], "-----");
    EXPECT_EQ(EntryTexts(Entries::TankItemSlot).size(), 33u);
    EXPECT_EQ(EntryTexts(Entries::TankItemSlot)[kTankItemEmpty], "-----");
    EXPECT_EQ(EntryTexts(Entries::ItemSlot).size(), 129u);
    EXPECT_EQ(EntryTexts(Entries::ItemSlot)[kItemEmpty], "-----");
    EXPECT_EQ(EntryTexts(Entries::EquipmentSlot).size(), 121u);
    EXPECT_EQ(EntryTexts(Entries::EquipmentSlot)[kEquipmentEmpty], "-----");
    EXPECT_EQ(EntryTexts(Entries::AttacksB).size(), 144u);
    EXPECT_EQ(EntryTexts(Entries::AttacksA).size(), 174u);
    // The drop-down texts are the editors' own: two tank part names end in a double quote.
    EXPECT_EQ(EntryTexts(Entries::TankPartSlot)[87], dravik::names::Combo(dravik::names::List::TankParts)[87]);
    EXPECT_NE(EntryTexts(Entries::TankPartSlot)[87], dravik::names::Get(dravik::names::List::TankParts)[87]);
}
