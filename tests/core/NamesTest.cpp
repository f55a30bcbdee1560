#include "names/Names.h"
#include "names/NameSet.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace dravik::names;

namespace {
const std::vector<std::string>& Get(List list) { return NameSet::BuiltIn().Names(list); }
const std::vector<std::string>& Combo(List list) { return NameSet::BuiltIn().Combo(list); }
const std::vector<std::string>& HumanLoot() { return NameSet::BuiltIn().HumanLoot(); }
const std::vector<std::string>& TankLoot() { return NameSet::BuiltIn().TankLoot(); }
} // namespace

TEST(NamesLists, CountsSlotWidthsAndComboDifferences)
{
    struct Shape {
        List list;
        size_t count;
        int width;
    };
    const Shape shapes[] = {
        {List::TankParts, 121, 20}, {List::TankItems, 32, 13},     {List::HumanEquipment, 120, 15},
        {List::Items, 128, 15},     {List::Monsters, 152, 15},     {List::AttacksA, 174, 30},
        {List::AttacksB, 144, 30},  {List::SpecialShells, 15, 0},  {List::Tanks, 22, 0},
        {List::Characters, 3, 0},   {List::Snacks, 8, 0},          {List::Decorations, 13, 0},
        {List::Drinks, 16, 0},      {List::LootCategories, 16, 0}, {List::AttackRanges, 3, 0},
        {List::Users, 7, 0}};
    std::vector<std::pair<List, size_t>> differing;
    for (const auto& [list, count, width] : shapes) {
        SCOPED_TRACE(static_cast<int>(list));
        ASSERT_EQ(Get(list).size(), count);
        ASSERT_EQ(Combo(list).size(), count);
        EXPECT_EQ(SlotWidth(list), width);
        const bool attacks = list == List::AttacksA || list == List::AttacksB;
        for (size_t i = 0; i < count; ++i) {
            const std::string& name = Get(list)[i];
            const int length = GbkLength(name); // every slot text fits its slot
            EXPECT_TRUE(length >= 1 && (width == 0 || length <= width)) << name << ": " << length << " bytes";
            EXPECT_EQ(name.find_first_of("\r\n"), name.npos);
            const std::string code = {"0123456789ABCDEF"[i >> 4], "0123456789ABCDEF"[i & 15]};
            if (attacks) { // attack names start with their code
                EXPECT_TRUE(name.substr(0, 2) == code && Combo(list)[i].substr(0, 2) == code) << name;
            }
            if (name != Combo(list)[i])
                differing.push_back({list, i});
        }
    }
    EXPECT_EQ(GbkLength(Get(List::AttacksB)[0x7A]), 30); // exactly as long as its slot
    EXPECT_EQ(differing, (std::vector<std::pair<List, size_t>>{
                             {List::TankParts, 87}, {List::TankParts, 92}, {List::AttacksA, 0x9C}}));
    EXPECT_EQ(Combo(List::TankParts)[87], "HAL900r\"");
    EXPECT_EQ(Combo(List::TankParts)[92], "艾米r\"");
    EXPECT_EQ(Combo(List::AttacksA)[0x9C], "9C投来箱子中的东西(单体,?\?)");
    EXPECT_EQ(&Get(List::Items), &Get(List::Items)); // parsed once, not rebuilt per call
}

// The first entry of each part of a list that a table takes its row labels from, and entries of
// lists no other test shows: a line lost or moved in a name file shifts them.
TEST(NamesLists, KnownEntriesSitAtTheirPositions)
{
    const struct {
        List list;
        int index;
        const char* text;
    } known[] = {{List::TankParts, 0, "35mm机关炮"},
                 {List::TankParts, 32, "7mm机关枪"},
                 {List::TankParts, 54, "ATM导弹"},
                 {List::TankParts, 74, "HAL900"},
                 {List::TankParts, 94, "甲壳虫"},
                 {List::TankParts, 120, "最强苦力劳工"},
                 {List::TankItems, 31, "一路平安护符"},
                 {List::HumanEquipment, 48, "棒球帽"},
                 {List::HumanEquipment, 64, "帆布衣"},
                 {List::HumanEquipment, 88, "白线手套"},
                 {List::HumanEquipment, 108, "报废的护甲"},
                 {List::Items, 126, "瘫软种子"},
                 {List::Monsters, 15, "帕鲁·巴迪斯"},
                 {List::Monsters, 48, "巨蚁"},
                 {List::AttacksA, 0x9C, "9C投来箱子中的东西(单体,]"},
                 {List::AttacksB, 0x8F, "8F发出激光扫射(全体)"},
                 {List::Decorations, 6, "写有“根性”的牌匾"},
                 {List::SpecialShells, 14, "废旧炮弹"}};
    for (const auto& k : known)
        EXPECT_EQ(Get(k.list).at(k.index), k.text)
            << "list " << static_cast<int>(k.list) << " entry " << k.index;
}

TEST(NamesLoot, HumanThingsThenItemsTankPartsThenTankItems)
{
    ASSERT_TRUE(HumanLoot().size() == 256 && TankLoot().size() == 256);
    for (int code = 0; code < 256; ++code) { // tank parts as in the drop-down lists
        const std::string empty = code == 255 ? kNone : kPlaceholder;
        EXPECT_EQ(HumanLoot()[code], code < 120                  ? Get(List::HumanEquipment)[code]
                                     : code >= 128 && code < 255 ? Get(List::Items)[code - 128]
                                                                 : empty)
            << code;
        EXPECT_EQ(TankLoot()[code], code < 121                  ? Combo(List::TankParts)[code]
                                    : code >= 128 && code < 160 ? Get(List::TankItems)[code - 128]
                                                                : empty)
            << code;
    }
}
