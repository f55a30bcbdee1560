// Find by text and where-used, on a hand-made image whose references are known.
#include "rom/Find.h"

#include <gtest/gtest.h>

#include "rom/Passes.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {
constexpr uint32_t kTanks = 0xC8201, kCharItems = 0xB7DCD, kCharEquipment = 0xB7DD9;
constexpr uint32_t kMonsterStats = 0xC3BC4, kMonsterLoot = 0xC3444;

// A sample image with every slot, equipment, loot and attack cleared, then exactly these
// references: main cannon 5 (tank part 5) in tank 2 slot 3 and in tank 9 slot 1 (with the high
// bit set); tank item 4 in tank 0's item slot 2 and dropped by monster 60 late (tank category 9);
// item 7 carried by character 1 and dropped by monsters 3 (early, category 2), 50 (late,
// category 0) and 151 (early, category 7); head armour 2 (equipment 50) equipped by character 2
// slot 4 and dropped by monster 10 (early, category 1); attack B 0x10 used by monster 5 twice,
// attack A 0x10 by monster 100.
Bytes KnownImage()
{
    Bytes image = MakeSampleImage(3);
    for (uint32_t t = 0; t < 22; ++t)
        for (uint32_t k = 0; k < 12; ++k)
            test::Put(image, kTanks + 25 * t + 12 + k, 1, 0xFF);
    for (uint32_t c = 0; c < 3; ++c) {
        for (uint32_t k = 0; k < 3; ++k)
            test::Put(image, kCharItems + 4 * c + k, 1, 0xFF);
        for (uint32_t k = 0; k < 7; ++k)
            test::Put(image, kCharEquipment + 8 * c + k, 1, 0xFF);
    }
    for (uint32_t m = 0; m < 152; ++m) {
        for (uint32_t k = 0; k < 6; ++k)
            test::Put(image, kMonsterStats + 16 * m + 10 + k, 1, 0);
        test::Put(image, kMonsterLoot + 8 * m + 6, 2, 0xFFFF);
    }
    test::Put(image, kTanks + 25 * 2 + 12 + 2, 1, 5);
    test::Put(image, kTanks + 25 * 9 + 12 + 0, 1, 0x85);
    test::Put(image, kTanks + 25 * 0 + 20 + 1, 1, 4);
    test::Put(image, kCharItems + 4 * 1 + 0, 1, 7);
    test::Put(image, kCharEquipment + 8 * 2 + 3, 1, 0x80 + 50);
    const auto loot = [&](uint32_t m, bool late, int category, int code) {
        const uint32_t categories = test::Get(image, kMonsterLoot + 8 * m + 5, 1);
        test::Put(image, kMonsterLoot + 8 * m + 5, 1,
                  late ? (categories & 0x0F) | (category << 4) : (categories & 0xF0) | category);
        test::Put(image, kMonsterLoot + 8 * m + (late ? 7 : 6), 1, code);
    };
    loot(60, true, 9, 0x84);
    loot(3, false, 2, 0x87);
    loot(50, true, 0, 0x87);
    loot(151, false, 7, 0x87);
    loot(10, false, 1, 50);
    test::Put(image, kMonsterStats + 16 * 5 + 10 + 1, 1, 0x10);
    test::Put(image, kMonsterStats + 16 * 5 + 10 + 4, 1, 0x10);
    test::Put(image, kMonsterStats + 16 * 100 + 10 + 5, 1, 0x10);
    return image;
}

std::vector<std::string> Places(const std::vector<Reference>& refs)
{
    std::vector<std::string> out;
    for (const Reference& r : refs)
        out.push_back(r.tableId + " " + std::to_string(r.row) + " " + std::to_string(r.column) + " " +
                      r.where);
    return out;
}
} // namespace

TEST(WhereUsed, KnownReferencesAndNothingElse)
{
    Model model;
    LoadTables(KnownImage(), model);
    using V = std::vector<std::string>;
    const struct {
        const char* table;
        int row;
        V places;
    } cases[] = {
        {"main_cannons", 5, V{"tanks 2 8 装备3", "tanks 9 6 装备1"}},
        {"tank_items", 4, V{"tanks 0 15 道具2", "monsters 60 18 战利品(>3回合) 战车类2"}},
        {"items", 7,
         V{"characters 1 11 道具1", "monsters 3 17 战利品(<3回合) 人物类3",
           "monsters 50 18 战利品(>3回合) 人物类1", "monsters 151 17 战利品(<3回合) 人物类8"}},
        {"head_armour", 2, V{"characters 2 17 装备4", "monsters 10 17 战利品(<3回合) 人物类2"}},
        {"attacks_b", 0x10, V{"monsters 5 12 攻击方式2", "monsters 5 15 攻击方式5"}},
        {"attacks_a", 0x10, V{"monsters 100 16 攻击方式6"}},
        {"main_cannons", 6, V{}},
        {"engines", 0, V{}}, // engine 0 is tank part 94: nothing refers to it
        {"items", 127, V{}}, // its loot code would be 0xFF, which is no drop at all
        {"items", 128, V{}}, // past the end
        {"tanks", 0, V{}},   // not a referable table
    };
    for (const auto& c : cases)
        EXPECT_EQ(Places(WhereUsed(model, c.table, c.row)), c.places) << c.table << " " << c.row;
    EXPECT_EQ(WhereUsed(model, "tank_items", 4)[0].text, "No1.蚊式坦克");
}

TEST(FindText, AsciiCaselessSubstringOverEveryTable)
{
    EXPECT_TRUE(ContainsCaseless("No1.蚊式坦克", "no1."));
    EXPECT_TRUE(ContainsCaseless("HAL900r''", "hal9"));
    EXPECT_FALSE(ContainsCaseless("ＡＢ", "ａｂ")); // only ASCII letters fold
    EXPECT_FALSE(ContainsCaseless("ab", "abc"));

    Model empty; // without a file only the names are there to find
    const std::vector<FindMatch> labels = FindText(empty, "出租车1");
    ASSERT_EQ(labels.size(), 6u); // 出租车1号, 出租车10号 ... 出租车14号
    EXPECT_EQ(empty.Tables()[labels[0].table].Id(), "tanks");
    EXPECT_EQ(labels[0].row, 8);
    EXPECT_EQ(labels[0].column, 0);
    EXPECT_TRUE(FindText(empty, "").empty());

    Model model;
    LoadTables(KnownImage(), model);
    const std::vector<FindMatch> cells = FindText(model, "55MM炮");
    std::vector<std::string> where;
    for (const FindMatch& m : cells)
        where.push_back(model.Tables()[m.table].Id() + " " + std::to_string(m.row) + " " +
                        std::to_string(m.column));
    EXPECT_EQ(where, (std::vector<std::string>{"main_cannons 5 0", "tanks 2 8", "tanks 9 6"}));
    EXPECT_EQ(FindText(model, "炮", 3).size(), 3u);
}

TEST(RefsCli, TextJsonAndUsage)
{
    test::TempImage file(KnownImage());
    const auto run = [](const cli::Args& args, std::string& out) {
        const test::CliRun r = test::Cli(args);
        out = r.out + r.err;
        return r.status;
    };
    std::string out;
    ASSERT_EQ(run({"refs", file.Path(), "items", "8"}, out), 0) << out;
    EXPECT_NE(out.find("表「人物」 第 2 行「机械师」 道具1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("表「怪物」 第 152 行「魔盒」 战利品(<3回合) 人物类8\n"), std::string::npos) << out;
    ASSERT_EQ(run({"refs", file.Path(), "main_cannons", "6", "--format", "json"}, out), 0) << out;
    EXPECT_NE(out.find("\"row\": 3, \"name\": \"No3.救护车\", \"column\": 8, \"where\": \"装备3\""),
              std::string::npos)
        << out;
    EXPECT_EQ(run({"refs", file.Path(), "main_cannons", "7"}, out), 0);
    EXPECT_NE(out.find("没有被用到"), std::string::npos);
    EXPECT_EQ(run({"refs", file.Path(), "tanks", "1"}, out), 2);
    EXPECT_EQ(run({"refs", file.Path(), "items", "0"}, out), 2);
    EXPECT_EQ(run({"refs", file.Path(), "items", "129"}, out), 2);
    EXPECT_EQ(run({"refs", file.Path() + ".missing", "items", "1"}, out), 1);
}
