// The compiled-in name lists, and name sets loaded from folders over them.
#include "names/NameSet.h"
#include "names/Names.h"
#include "rom/NameSetFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <map>
#include <string>
#include <tuple>

#include "editors/CodeRules.h"
#include "rom/Passes.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik::names;
using dravik::rom::LoadNameSet;
using dravik::test::NameFolder;

namespace {
const std::vector<std::string>& Get(List list) { return NameSet::BuiltIn().Names(list); }
const std::vector<std::string>& Combo(List list) { return NameSet::BuiltIn().Combo(list); }
const std::vector<std::string>& HumanLoot() { return NameSet::BuiltIn().HumanLoot(); }
const std::vector<std::string>& TankLoot() { return NameSet::BuiltIn().TankLoot(); }

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}
} // namespace

// Bytes in GBK, -1 for what it cannot encode (a byte-order mark anywhere is a character).
TEST(NameSetGbk, LengthsInGbk)
{
    const std::pair<std::string, int> cases[] = {
        {"", 0},  {"abc", 3}, {"主炮#7", 6}, {"写有“根性”的牌匾", 18}, {"帕鲁·巴迪斯", 12},
        {"¤", 2}, {"Ω≠", 4}};
    for (const auto& [text, length] : cases)
        EXPECT_EQ(GbkLength(text), length) << text;
    for (const std::string text :
         {"\xC2\x80", "😀", "ÿ", "한", "\xEF\xBB\xBF", "\xEF\xBB\xBF甲", "甲\xEF\xBB\xBF"})
        EXPECT_EQ(GbkLength(text), -1) << text;
}

TEST(NameSetLoad, OverlaysOnlyTheGivenLines)
{
    NameFolder folder({{"tank_parts.txt", "\n\n\n\n\n\n\n八八炮\r\n"}, // line 8 names code 7
                       {"users.txt", "\xEF\xBB\xBF甲\n"},              // a BOM is tolerated
                       {"attacks_b.txt", Repeat("\n", 0x7A) + Repeat("啊", 15)},
                       {".hidden", "anything"}});
    NameSet set = NameSet::BuiltIn();
    const auto errors = LoadNameSet(folder.Path(), set);
    ASSERT_TRUE(errors.empty()) << Describe(errors[0]);
    EXPECT_EQ(set.UserCount(), 3);
    const NameSet& base = NameSet::BuiltIn();
    for (const ListInfo& info : AllLists()) {
        const auto& names = set.Names(info.list);
        ASSERT_EQ(names.size(), static_cast<size_t>(info.entries)) << info.file;
        for (size_t i = 0; i < names.size(); ++i) {
            const bool changed = (info.list == List::TankParts && i == 7) ||
                                 (info.list == List::Users && i == 0) ||
                                 (info.list == List::AttacksB && i == 0x7A);
            EXPECT_EQ(names[i] != base.Names(info.list)[i], changed) << info.file << " " << i;
        }
    }
    EXPECT_EQ(set.Names(List::TankParts)[7], "八八炮");
    EXPECT_EQ(set.Combo(List::TankParts)[7], "八八炮");
    EXPECT_EQ(set.TankLoot()[7], "八八炮");
    EXPECT_EQ(set.Names(List::Users)[0], "甲");
    EXPECT_EQ(set.Folder(), QDir(QString::fromStdString(folder.Path())).absolutePath().toStdString());
    EXPECT_EQ(set.Combo(List::TankParts)[87], base.Combo(List::TankParts)[87]);
}

TEST(NameSetLoad, RefusesWholeFolderWithFileLineAndReason)
{
    const std::string wide20 = Repeat("炮", 10), wide21 = Repeat("炮", 10) + "a";
    // {files, the start of the first error}
    const std::tuple<std::map<std::string, std::string>, std::string> cases[] = {
        {{{"tank_parts.txt", wide20 + "\n" + wide21 + "\n"}},
         "tank_parts.txt:2: “" + wide21 + "” 按 GBK 编码占 21 字节，超过了 20 字节的宽度"},
        {{{"tank_items.txt", "\n\n" + Repeat("a", 14)}},
         "tank_items.txt:3: “aaaaaaaaaaaaaa” 按 GBK 编码占 14 字节，超过了 13"},
        {{{"items.txt", "ok\n😀\n"}}, "items.txt:2: “😀” 含有 GBK 无法编码的字符"},
        {{{"characters.txt", "a\nb\nc\nd\n"}}, "characters.txt:4: 名称表「人物」只有 3 项"},
        // Where a file is no UTF-8 (the reasons are the text checks' own tests).
        {{{"drinks.txt", "\n\xC0\xAF\r\n"}}, "drinks.txt:2: 不是 UTF-8 文本（第 1 个字节：过长的编码"},
        {{{"snack.txt", "a\n"}}, "snack.txt: 不是名称表的文件名"},
        {{{"combo_variants.txt", ""}}, "combo_variants.txt: 不是名称表的文件名"},
        {{{"drinks.txt", "a\tb\n"}}, "drinks.txt:1: “a\tb” 含有控制字符"},
        // A second byte-order mark is a character of the first name, not a second marker: kept,
        // the name would lose it at an export and load back.
        {{{"items.txt", "\xEF\xBB\xBF\xEF\xBB\xBF\n"}},
         "items.txt:1: “\xEF\xBB\xBF” 含有 GBK 无法编码的字符"},
        {{{"monsters.txt", "ok\n"}, {"users.txt", "x\ny\nz\nw\nv\nu\nt\ns\n"}}, "users.txt:8:"},
    };
    for (const auto& [files, error] : cases) {
        NameFolder folder(files);
        NameSet set = NameSet::BuiltIn();
        const auto errors = LoadNameSet(folder.Path(), set);
        ASSERT_FALSE(errors.empty()) << error;
        EXPECT_EQ(Describe(errors[0]).substr(0, error.size()), error);
        EXPECT_EQ(set.UserCount(), 0); // nothing of a refused folder is kept
    }
    // Empty lines past the end are harmless; a missing folder is refused.
    NameFolder trailing(std::map<std::string, std::string>{{"characters.txt", "a\nb\nc\n\n\n"}});
    NameSet set = NameSet::BuiltIn();
    EXPECT_TRUE(LoadNameSet(trailing.Path(), set).empty());
    EXPECT_FALSE(LoadNameSet(trailing.Path() + "/missing", set).empty());
}

namespace {
using dravik::rom::Model;

// A save's patches as comparable values.
std::vector<std::tuple<uint32_t, int, uint32_t>> Patches(const Model& model)
{
    std::vector<std::tuple<uint32_t, int, uint32_t>> out;
    for (const dravik::rom::Patch& p : dravik::rom::PlanSave(model).patches)
        out.emplace_back(p.offset, p.width, p.value);
    return out;
}
} // namespace

TEST(NameSetActive, RenamingOneEntryOfEachListChangesExactlyThoseTextsAndNoValue)
{
    Model model = dravik::test::Loaded(dravik::rom::MakeSampleImage(7));
    const std::vector<std::string> before = dravik::test::State(model);
    const auto patchesBefore = Patches(model);

    // Entry 2 of every list (entry 1 of the users list: mask 2) gets a new, unique name.
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> renamed; // old text -> new text
    for (const ListInfo& info : AllLists()) {
        const std::string name = "新" + std::to_string(static_cast<int>(info.list));
        files[info.file] = "\n\n" + name + "\n";
        renamed[NameSet::BuiltIn().Names(info.list)[2]] = name;
        renamed[NameSet::BuiltIn().Combo(info.list)[2]] = name;
    }
    NameFolder folder(files);
    NameSet set = NameSet::BuiltIn();
    const auto errors = LoadNameSet(folder.Path(), set);
    ASSERT_TRUE(errors.empty()) << Describe(errors[0]);
    model.SetNames(std::make_shared<const NameSet>(set));
    const std::vector<std::string> after = dravik::test::State(model);
    const auto patchesAfter = Patches(model);
    // A copy of the model (an undo snapshot, a scratch check) shows the same names.
    EXPECT_EQ(dravik::test::State(Model(model)), after);

    ASSERT_EQ(before.size(), after.size());
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        changed += before[i] != after[i];
        EXPECT_TRUE(before[i] == after[i] || (renamed.count(before[i]) && renamed[before[i]] == after[i]))
            << before[i] << " -> " << after[i];
    }
    EXPECT_GT(changed, 16); // every list names at least one row label
    EXPECT_EQ(patchesBefore, patchesAfter);
    model.SetNames(nullptr); // back to the compiled-in set
    EXPECT_EQ(dravik::test::State(model), before);
}

TEST(NamesLists, CountsSlotWidthsKnownEntriesAndComboDifferences)
{
    // {list, entries, slot width (0: no slot), known entries}: entries no other test shows (a line
    // lost or moved in a name file shifts them; where the tables' row labels begin is in TablesTest)
    const std::tuple<List, size_t, int, std::vector<std::pair<size_t, std::string>>> shapes[] = {
        // clang-format off
        {List::TankParts,      121, 20, {{120, "最强苦力劳工"}}},
        {List::TankItems,      32,  13, {{31, "一路平安护符"}}},
        {List::HumanEquipment, 120, 15, {}},
        {List::Items,          128, 15, {{126, "瘫软种子"}}},
        {List::Monsters,       152, 15, {{15, "帕鲁·巴迪斯"}, {48, "巨蚁"}}},
        {List::AttacksA,       174, 30, {{0x9C, "9C投来箱子中的东西(单体,]"}}},
        {List::AttacksB,       144, 30, {{0x8F, "8F发出激光扫射(全体)"}}},
        {List::SpecialShells,  15,  0,  {{14, "废旧炮弹"}}},
        {List::Tanks,          22,  0,  {}},
        {List::Characters,     3,   0,  {}},
        {List::Snacks,         8,   0,  {}},
        {List::Decorations,    13,  0,  {{6, "写有“根性”的牌匾"}}},
        {List::Drinks,         16,  0,  {}},
        {List::LootCategories, 16,  0,  {}},
        {List::AttackRanges,   3,   0,  {}},
        {List::Users,          7,   0,  {}},
        // clang-format on
    };
    std::vector<std::pair<List, size_t>> differing;
    for (const auto& [list, count, width, known] : shapes) {
        SCOPED_TRACE(static_cast<int>(list));
        ASSERT_EQ(Get(list).size(), count);
        ASSERT_EQ(Combo(list).size(), count);
        EXPECT_EQ(SlotWidth(list), width);
        for (const auto& [index, text] : known)
            EXPECT_EQ(Get(list)[index], text) << "entry " << index;
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

// The monster editors' loot drops make exactly the "XXXXX" entries of the category's list 255.
TEST(NamesLoot, HumanThingsThenItemsTankPartsThenTankItems)
{
    ASSERT_TRUE(HumanLoot().size() == 256 && TankLoot().size() == 256);
    for (int code = 0; code < 256; ++code) { // tank parts as in the drop-down lists
        const std::string empty = code == 255 ? kNone : kPlaceholder;
        const bool humanGap = code >= 120 && code < 128;
        const bool tankGap = (code > 120 && code < 128) || (code >= 160 && code < 255);
        EXPECT_EQ(HumanLoot()[code], code < 120                  ? Get(List::HumanEquipment)[code]
                                     : code >= 128 && code < 255 ? Get(List::Items)[code - 128]
                                                                 : empty)
            << code;
        EXPECT_EQ(TankLoot()[code], code < 121                  ? Combo(List::TankParts)[code]
                                    : code >= 128 && code < 160 ? Get(List::TankItems)[code - 128]
                                                                : empty)
            << code;
        EXPECT_EQ(dravik::editors::rules::LootCode(7, code, -1), humanGap ? 255 : code) << code;
        EXPECT_EQ(dravik::editors::rules::LootCode(8, code, -1), tankGap ? 255 : code) << code;
    }
}
