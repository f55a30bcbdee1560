#include "names/Names.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using namespace dravik::names;

namespace {

constexpr List kAllLists[] = {
    List::TankParts, List::TankItems, List::HumanEquipment, List::Items, List::Monsters,
    List::AttacksA, List::AttacksB, List::SpecialShells, List::Tanks, List::Characters,
    List::Snacks, List::Decorations, List::Drinks, List::LootCategories, List::AttackRanges,
    List::Users,
};

// GBK byte length of a UTF-8 text, or -1 if it cannot be encoded.
int GbkLength(const std::string& utf8)
{
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return -1;
    std::string in = utf8;
    char out[256];
    char* inPtr = in.data();
    char* outPtr = out;
    size_t inLeft = in.size(), outLeft = sizeof out;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return rc == static_cast<size_t>(-1) || inLeft ? -1 : static_cast<int>(sizeof out - outLeft);
}

} // namespace

TEST(NamesLists, CountsAndSlotWidths)
{
    const std::pair<List, std::pair<size_t, int>> expected[] = {
        {List::TankParts, {121, 20}}, {List::TankItems, {32, 13}},
        {List::HumanEquipment, {120, 15}}, {List::Items, {128, 15}},
        {List::Monsters, {152, 15}}, {List::AttacksA, {174, 30}}, {List::AttacksB, {144, 30}},
        {List::SpecialShells, {15, 0}}, {List::Tanks, {22, 0}}, {List::Characters, {3, 0}},
        {List::Snacks, {8, 0}}, {List::Decorations, {13, 0}}, {List::Drinks, {16, 0}},
        {List::LootCategories, {16, 0}}, {List::AttackRanges, {3, 0}}, {List::Users, {7, 0}},
    };
    for (const auto& [list, e] : expected) {
        SCOPED_TRACE(static_cast<int>(list));
        EXPECT_EQ(Get(list).size(), e.first);
        EXPECT_EQ(Combo(list).size(), e.first);
        EXPECT_EQ(SlotWidth(list), e.second);
        for (const std::string& name : Get(list))
            EXPECT_FALSE(name.empty() || name.find_first_of("\r\n") != std::string::npos);
    }
    EXPECT_EQ(&Get(List::Items), &Get(List::Items)); // parsed once, not rebuilt per call
}

TEST(NamesLists, EverySlotNameFitsItsSlotInGbk)
{
    for (List list : kAllLists) {
        const int width = SlotWidth(list);
        for (const std::string& name : Get(list)) {
            const int length = GbkLength(name);
            EXPECT_GE(length, 1) << name << " cannot be encoded in GBK";
            if (width > 0) {
                EXPECT_LE(length, width) << name;
            }
        }
    }
    EXPECT_EQ(GbkLength(Get(List::AttacksB)[0x7A]), 30); // exactly as long as its slot
}

TEST(NamesLists, KnownEntriesSitAtTheirPositions)
{
    struct Known { List list; int index; const char* text; };
    const Known known[] = {
        {List::TankParts, 0, "35mm机关炮"}, {List::TankParts, 5, "55mm炮"},
        {List::TankParts, 31, "雷电加农炮"}, {List::TankParts, 32, "7mm机关枪"},
        {List::TankParts, 53, "雷暴机关枪"}, {List::TankParts, 54, "ATM导弹"},
        {List::TankParts, 73, "烈日中子炮"}, {List::TankParts, 74, "HAL900"},
        {List::TankParts, 87, "HAL900r''"}, {List::TankParts, 92, "艾米r''"},
        {List::TankParts, 93, "所罗门2r"}, {List::TankParts, 94, "甲壳虫"},
        {List::TankParts, 120, "最强苦力劳工"},
        {List::TankItems, 0, "传送系统"}, {List::TankItems, 2, "发音盒α"},
        {List::TankItems, 31, "一路平安护符"},
        {List::HumanEquipment, 0, "钢珠弹弓"}, {List::HumanEquipment, 2, "霰弹枪"},
        {List::HumanEquipment, 5, "回旋扳手"}, {List::HumanEquipment, 9, "火焰枪"},
        {List::HumanEquipment, 10, "激光步枪"}, {List::HumanEquipment, 15, "中子射线枪"},
        {List::HumanEquipment, 17, "超音波枪"}, {List::HumanEquipment, 21, "龙息"},
        {List::HumanEquipment, 24, "除草火焰枪"}, {List::HumanEquipment, 27, "电击鞭"},
        {List::HumanEquipment, 28, "酸液枪"}, {List::HumanEquipment, 30, "冷冻光束枪"},
        {List::HumanEquipment, 31, "TNT风暴炮"}, {List::HumanEquipment, 36, "最终风暴枪"},
        {List::HumanEquipment, 37, "等离子暴雨枪"}, {List::HumanEquipment, 40, "激光炮组合1"},
        {List::HumanEquipment, 47, "激光炮组合8"}, {List::HumanEquipment, 48, "棒球帽"},
        {List::HumanEquipment, 63, "和平之头带"}, {List::HumanEquipment, 64, "帆布衣"},
        {List::HumanEquipment, 87, "突击队战甲"}, {List::HumanEquipment, 88, "白线手套"},
        {List::HumanEquipment, 107, "陆军作战靴"}, {List::HumanEquipment, 108, "报废的护甲"},
        {List::HumanEquipment, 119, "全能护甲"},
        {List::Items, 0, "碱性车蜡"}, {List::Items, 2, "机械师工具箱"},
        {List::Items, 4, "松的毛巾"}, {List::Items, 126, "瘫软种子"}, {List::Items, 127, "冻肉"},
        {List::Monsters, 47, "?????"},
        {List::Monsters, 48, "巨蚁"}, {List::Monsters, 137, "?????"},
        {List::Monsters, 138, "?????"}, {List::Monsters, 149, "狂战士战车"},
        {List::Monsters, 151, "魔盒"},
        {List::AttacksA, 0x00, "00巨蚁的攻击"}, {List::AttacksA, 0x01, "01杀人变形虫的攻击"},
        {List::AttacksA, 0x02, "02喷出火焰"}, {List::AttacksA, 0x9C, "9C投来箱子中的东西(单体,]"},
        {List::AttacksA, 0xA3, "A3???"}, {List::AttacksA, 0xA9, "A9???"},
        {List::AttacksA, 0xAA, "AA???"}, {List::AttacksA, 0xAB, "AB???"},
        {List::AttacksA, 0xAC, "AC导弹"}, {List::AttacksA, 0xAD, "AD喷出火焰"},
        {List::AttacksB, 0x00, "00沉不住气了"}, {List::AttacksB, 0x01, "01猛的抓过来"},
        {List::AttacksB, 0x02, "02扣动了火焰喷射器的扳机"},
        {List::AttacksB, 0x7A, "7A鸣响了高频扬声器α(混乱全体)"},
        {List::AttacksB, 0x7B, "7B鸣响了高频扬声器β(睡眠全体)"}, {List::AttacksB, 0x8D, "8D光束"},
        {List::AttacksB, 0x8E, "8E呼叫警备部队(残骨机器人)"},
        {List::AttacksB, 0x8F, "8F发出激光扫射(全体)"},
        {List::SpecialShells, 14, "废旧炮弹"}, {List::Tanks, 7, "No8.白虎坦克"},
        {List::Tanks, 8, "出租车1号"}, {List::Tanks, 21, "出租车14号"},
        {List::Characters, 2, "格斗家"}, {List::Snacks, 7, "生贝肉片"},
        {List::Decorations, 6, "写有“根性”的牌匾"}, {List::Drinks, 15, "红蛇药酒"},
        {List::LootCategories, 7, "人物类8"}, {List::LootCategories, 8, "战车类1"},
        {List::AttackRanges, 2, "全体"}, {List::Users, 6, "主|机|战"},
    };
    // The first 16 monsters double as the bounty list's labels.
    const char* const bounties[] = {"沙门菌猿一家", "Dr.霸王花", "食人鱼怪", "马歇尔", "猛犸象",
        "甲壳虫战车", "铜管乌贼", "齐柏林水母(固)", "神风鬼王", "鬼蜈蚣", "戈麦斯", "垃圾怪弗兰克",
        "沙门菌猿波特", "乐狂", "隆美尔游魂战车", "帕鲁·巴迪斯"};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Get(List::Monsters)[i], bounties[i]);
    for (const Known& k : known) {
        ASSERT_LT(static_cast<size_t>(k.index), Get(k.list).size());
        EXPECT_EQ(Get(k.list)[k.index], k.text) << "list " << static_cast<int>(k.list) << " entry " << k.index;
    }
}

TEST(NamesLists, AttackNamesStartWithTheirCode)
{
    for (List list : {List::AttacksA, List::AttacksB}) {
        const auto& names = Get(list);
        for (size_t i = 0; i < names.size(); ++i) {
            char prefix[3];
            std::snprintf(prefix, sizeof prefix, "%02X", static_cast<unsigned>(i));
            EXPECT_EQ(names[i].substr(0, 2), prefix) << names[i];
            EXPECT_EQ(Combo(list)[i].substr(0, 2), prefix);
        }
    }
}

TEST(NamesLists, ComboDiffersInExactlyThreeEntries)
{
    std::vector<std::pair<List, size_t>> differing;
    for (List list : kAllLists)
        for (size_t i = 0; i < Get(list).size(); ++i)
            if (Get(list)[i] != Combo(list)[i])
                differing.push_back({list, i});
    const std::vector<std::pair<List, size_t>> expected = {
        {List::TankParts, 87}, {List::TankParts, 92}, {List::AttacksA, 0x9C}};
    EXPECT_EQ(differing, expected);
    EXPECT_EQ(Combo(List::TankParts)[87], "HAL900r\"");
    EXPECT_EQ(Combo(List::TankParts)[92], "艾米r\"");
    EXPECT_EQ(Combo(List::AttacksA)[0x9C], "9C投来箱子中的东西(单体,?\?)");
}

TEST(NamesLoot, ListLayout)
{
    const auto& human = HumanLoot();
    const auto& tank = TankLoot();
    ASSERT_EQ(human.size(), 256u);
    ASSERT_EQ(tank.size(), 256u);
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        if (code < 120)
            EXPECT_EQ(human[code], Get(List::HumanEquipment)[code]);
        else if (code < 128 || code == 255)
            EXPECT_EQ(human[code], code == 255 ? kNone : kPlaceholder);
        else
            EXPECT_EQ(human[code], Get(List::Items)[code - 128]);

        if (code < 121)
            EXPECT_EQ(tank[code], Combo(List::TankParts)[code]);
        else if (code >= 128 && code < 160)
            EXPECT_EQ(tank[code], Get(List::TankItems)[code - 128]);
        else
            EXPECT_EQ(tank[code], code == 255 ? kNone : kPlaceholder);
    }
    EXPECT_EQ(tank[87], "HAL900r\""); // the drop-down texts
    EXPECT_EQ(human[254], "瘫软种子");
}

TEST(NamesCodes, EquipmentAndItemCells)
{
    EXPECT_EQ(TankPartCode(0x05), "55mm炮");
    EXPECT_EQ(TankPartCode(0x85), "55mm炮");
    EXPECT_EQ(TankPartCode(87), "HAL900r''"); // cells show the slot text
    EXPECT_EQ(TankPartCode(0xFF), kEmpty);
    EXPECT_EQ(TankPartCode(0x79), "未知(0x79)");
    EXPECT_EQ(TankItemCode(0x82), "发音盒α");
    EXPECT_EQ(TankItemCode(0x20), "未知(0x20)");
    EXPECT_EQ(TankItemCode(0xFF), kEmpty);

    EXPECT_EQ(ItemCode(0), "碱性车蜡");
    EXPECT_EQ(ItemCode(127), "冻肉");
    EXPECT_EQ(ItemCode(0x80), "未知(0x80)");
    EXPECT_EQ(ItemCode(0xFF), kEmpty);

    EXPECT_EQ(EquipmentCode(0x80), "钢珠弹弓");
    EXPECT_EQ(EquipmentCode(0xB0), "棒球帽");
    EXPECT_EQ(EquipmentCode(0xF7), "全能护甲");
    EXPECT_EQ(EquipmentCode(0xF8), "未知(0xF8)");
    EXPECT_EQ(EquipmentCode(0x7F), "未知(0x7F)");
    EXPECT_EQ(EquipmentCode(0xFF), kEmpty);
}

TEST(NamesCodes, LootCells)
{
    EXPECT_EQ(LootCode(0, 0x80), "碱性车蜡");
    EXPECT_EQ(LootCode(8, 0x80), "传送系统");
    EXPECT_EQ(LootCode(3, 0x05), "回旋扳手");
    EXPECT_EQ(LootCode(9, 0x82), "发音盒α");
    EXPECT_EQ(LootCode(7, 0x77), "全能护甲");
    EXPECT_EQ(LootCode(15, 0x78), "最强苦力劳工");
    EXPECT_EQ(LootCode(0, 0xFE), "瘫软种子");
    EXPECT_EQ(LootCode(12, 0x9F), "一路平安护符");
    EXPECT_EQ(LootCode(0, 0xFF), kEmpty);
    EXPECT_EQ(LootCode(15, 0xFF), kEmpty);
    for (auto [category, code] : {std::pair{0, 0x78}, {7, 0x7F}, {8, 0x79}, {8, 0xA0}, {15, 0xFE}})
        EXPECT_EQ(LootCode(category, code), UnknownCode(code)) << category << " " << code;
}

TEST(NamesCodes, AttacksRangesAndUsers)
{
    EXPECT_EQ(AttackCode(46, 0x10), Get(List::AttacksB)[0x10]);
    EXPECT_EQ(AttackCode(47, 0x10), Get(List::AttacksA)[0x10]);
    EXPECT_NE(AttackCode(46, 0x10), AttackCode(47, 0x10));
    EXPECT_EQ(AttackCode(0, 0x7A), "7A鸣响了高频扬声器α(混乱全体)");
    EXPECT_EQ(AttackCode(151, 0x9C), "9C投来箱子中的东西(单体,]");
    EXPECT_EQ(AttackCode(46, 0x90), "未知(0x90)");
    EXPECT_EQ(AttackCode(47, 0xAD), "AD喷出火焰");
    EXPECT_EQ(AttackCode(47, 0xAE), "未知(0xAE)");
    EXPECT_EQ(AttackCode(47, 0xFF), "未知(0xFF)");

    EXPECT_EQ(RangeCode(0), "单体");
    EXPECT_EQ(RangeCode(0x3F), "单体");
    EXPECT_EQ(RangeCode(0x40), "一组");
    EXPECT_EQ(RangeCode(0x7F), "一组");
    EXPECT_EQ(RangeCode(0x80), "全体");
    EXPECT_EQ(RangeCode(0xFF), "全体");

    EXPECT_EQ(UsersMask(1), "主");
    EXPECT_EQ(UsersMask(4), "战");
    EXPECT_EQ(UsersMask(7), "主|机|战");
    EXPECT_EQ(UsersMask(0), "");
    EXPECT_EQ(UsersMask(8), "");
}
