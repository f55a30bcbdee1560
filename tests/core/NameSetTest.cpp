#include "names/NameSet.h"
#include "rom/NameSetFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <string>

#include "rom/Passes.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik::names;
using dravik::rom::ExportNameSet;
using dravik::rom::LoadNameSet;
using dravik::test::NameFolder;

namespace {

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
    const std::pair<std::string, int> cases[] = {{"", 0},
                                                 {"abc", 3},
                                                 {"主炮#7", 6},
                                                 {"写有“根性”的牌匾", 18},
                                                 {"帕鲁·巴迪斯", 12},
                                                 {"¤", 2},
                                                 {"Ω≠", 4},
                                                 {"\xC2\x80", -1},
                                                 {"😀", -1},
                                                 {"ÿ", -1},
                                                 {"한", -1},
                                                 {"\xEF\xBB\xBF", -1},
                                                 {"\xEF\xBB\xBF甲", -1},
                                                 {"甲\xEF\xBB\xBF", -1}};
    for (const auto& [text, length] : cases)
        EXPECT_EQ(GbkLength(text), length) << text;
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
    const struct {
        std::map<std::string, std::string> files;
        std::string error; // the start of the first error
    } cases[] = {
        {{{"tank_parts.txt", wide20 + "\n" + wide21 + "\n"}},
         "tank_parts.txt:2: “" + wide21 + "” 按 GBK 编码占 21 字节，超过了 20 字节的宽度"},
        {{{"tank_items.txt", "\n\n" + Repeat("a", 14)}},
         "tank_items.txt:3: “aaaaaaaaaaaaaa” 按 GBK 编码占 14 字节，超过了 13"},
        {{{"items.txt", "ok\n😀\n"}}, "items.txt:2: “😀” 含有 GBK 无法编码的字符"},
        {{{"characters.txt", "a\nb\nc\nd\n"}}, "characters.txt:4: 名称表「人物」只有 3 项"},
        // Where a file is no UTF-8 (the reasons are the text checks' own tests).
        {{{"snacks.txt", "ab\xE6\x8E\n"}}, "snacks.txt:1: 不是 UTF-8 文本（第 3 个字节：UTF-8 序列不完整"},
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
    for (const auto& c : cases) {
        NameFolder folder(c.files);
        NameSet set = NameSet::BuiltIn();
        const auto errors = LoadNameSet(folder.Path(), set);
        ASSERT_FALSE(errors.empty()) << c.error;
        EXPECT_EQ(Describe(errors[0]).substr(0, c.error.size()), c.error);
        EXPECT_EQ(set.UserCount(), 0); // nothing of a refused folder is kept
    }
    // Empty lines past the end are harmless; a missing folder is refused.
    NameFolder trailing(std::map<std::string, std::string>{{"characters.txt", "a\nb\nc\n\n\n"}});
    NameSet set = NameSet::BuiltIn();
    EXPECT_TRUE(LoadNameSet(trailing.Path(), set).empty());
    EXPECT_FALSE(LoadNameSet(trailing.Path() + "/missing", set).empty());
}

TEST(NameSetLoad, ExportedTemplateLoadsBackUnchanged)
{
    QTemporaryDir dir;
    ASSERT_FALSE(ExportNameSet(NameSet::BuiltIn(), dir.path().toStdString() + "/t"));
    NameSet set = NameSet::BuiltIn();
    ASSERT_TRUE(LoadNameSet(dir.path().toStdString() + "/t", set).empty());
    EXPECT_EQ(set.UserCount(), 977 - 3);
    for (const ListInfo& info : AllLists()) {
        EXPECT_EQ(set.Names(info.list), NameSet::BuiltIn().Names(info.list)) << info.file;
        EXPECT_EQ(set.Combo(info.list), NameSet::BuiltIn().Combo(info.list)) << info.file;
    }
    EXPECT_EQ(set.HumanLoot(), NameSet::BuiltIn().HumanLoot());
}

namespace {
using dravik::rom::Model;

bool SamePatches(const std::vector<dravik::rom::Patch>& a, const std::vector<dravik::rom::Patch>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].offset != b[i].offset || a[i].width != b[i].width || a[i].value != b[i].value)
            return false;
    return true;
}
} // namespace

TEST(NameSetActive, RenamingOneEntryOfEachListChangesExactlyThoseTextsAndNoValue)
{
    Model model;
    dravik::rom::LoadTables(dravik::rom::MakeSampleImage(7), model);
    const std::vector<std::string> before = dravik::test::State(model);
    const auto patchesBefore = dravik::rom::PlanSave(model).patches;

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
    const auto patchesAfter = dravik::rom::PlanSave(model).patches;
    // A copy of the model (an undo snapshot, a scratch check) shows the same names.
    EXPECT_EQ(dravik::test::State(Model(model)), after);

    ASSERT_EQ(before.size(), after.size());
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        ++changed;
        ASSERT_TRUE(renamed.count(before[i])) << before[i] << " -> " << after[i];
        EXPECT_EQ(after[i], renamed[before[i]]);
    }
    EXPECT_GT(changed, 16); // every list names at least one row label
    EXPECT_TRUE(SamePatches(patchesBefore, patchesAfter));
    model.SetNames(nullptr); // back to the compiled-in set
    EXPECT_EQ(dravik::test::State(model), before);
}
