// Offsets, widths, codecs and row flags of the tables, checked on known bytes.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "names/Names.h"
#include "rom/Passes.h"
#include "rom/RowFlags.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;
using test::Get;
using test::Put;

TEST(Tables, LabelsBeforeAnyLoadAndEveryColumnHasOneKey)
{
    const Model model;
    for (const Table& t : model.Tables()) {
        SCOPED_TRACE(t.Id());
        for (int row = 0; row < t.Rows(); ++row) {
            EXPECT_FALSE(t.RowLabel(row).empty()) << row;
            for (int c = 1; c < t.Columns(); ++c)
                EXPECT_EQ(t.Cell(row, c), "");
        }
        for (const int c : {-1, t.Columns()}) // outside the table: nothing, never a read past its end
            EXPECT_EQ(t.ColumnTitle(c) + t.Cell(0, c) + t.Cell(t.Rows(), 1), "") << c;
        // Each column is named by its value field's key or by the code entries it shows.
        const TableLayout& layout = t.Layout();
        std::map<int, std::set<std::string>> keysOf;
        std::set<std::string> keys{kNameKey};
        for (const Field& f : layout.fields)
            keys.insert(f.key);
        for (const KeyedColumn& h : layout.hookColumns)
            keys.insert(h.key);
        for (const std::string& key : keys)
            if (layout.Column(key) >= 0)
                keysOf[layout.Column(key)].insert(key);
        for (int c = 0; c < t.Columns(); ++c) {
            ASSERT_FALSE(keysOf[c].empty()) << "column " << c;
            const std::string value = layout.ValueKey(c);
            EXPECT_TRUE(c == 0 || value.empty() || keysOf[c] == std::set<std::string>{value}) << c;
        }
        EXPECT_EQ(layout.Column("no_such_key"), -1);
        // Every code entry's key names that entry and no other; keys that only look alike none.
        for (size_t a = 0; a < layout.codeArrays.size(); ++a) {
            const CodeArraySpec& arrayDecl = layout.codeArrays[a];
            const std::string name = arrayDecl.name;
            for (int k = 0; k < arrayDecl.perRow; ++k) {
                const auto entry = layout.CodeEntry(EntryKey(name, k, arrayDecl.perRow));
                ASSERT_TRUE(entry) << name << " " << k;
                EXPECT_EQ(entry->array, static_cast<int>(a));
                EXPECT_EQ(entry->k, k);
            }
            const std::string oneTooMany = "[" + std::to_string(arrayDecl.perRow) + "]";
            for (const std::string& near : {name + oneTooMany, name + "[00]", name + "[01]", name + "[0",
                                            name + "[]", name + "[-1]", name + "[0]x", name.substr(1)})
                EXPECT_FALSE(layout.CodeEntry(near)) << near;
            EXPECT_EQ(layout.CodeEntry(name).has_value(), arrayDecl.perRow == 1) << name;
        }
    }
    // Where the row labels of a table that takes a stretch of a list begin.
    const std::tuple<const char*, int, const char*> labels[] = {
        {"main_cannons", 0, "35mm机关炮"},
        {"sub_cannons", 0, "7mm机关枪"},
        {"special_cannons", 0, "ATM导弹"},
        {"control_systems", 0, "HAL900"},
        {"engines", 0, "甲壳虫"},
        {"tanks", 8, "出租车1号"},
        {"head_armour", 0, "棒球帽"},
        {"body_armour", 0, "帆布衣"},
        {"hand_foot_armour", 0, "白线手套"},
        {"armour_pieces", 0, "报废的护甲"},
        {"bounties", 15, "帕鲁·巴迪斯"},
    };
    for (const auto& [table, row, label] : labels)
        EXPECT_EQ(model.Get(table).RowLabel(row), label) << table;
}

// Known bytes and the texts they load as, through row flags, hundredths, masks, packed words and
// codes; then edits and the bytes they save, flag bits kept. Every table has a stretch of its own,
// so one image holds them all.
TEST(Tables, KnownBytesLoadAndSaveThroughFlagsMasksAndCodes)
{
    const auto& A = names::NameSet::BuiltIn().Names(names::List::AttacksA);
    const auto& B = names::NameSet::BuiltIn().Names(names::List::AttacksB);
    const uint32_t weapons = 0xC0380, handFoot = 0xC0528, head = 0xC0470, tank = 0xC8201, s0 = 0xC3BC4;
    // {at, width (0: nothing stored), value, table ("": nothing shown), row, column, text}
    const std::tuple<uint32_t, int, uint32_t, const char*, int, int, std::string> loads[] = {
        // clang-format off
        {0xC05F4 + 3 * 9 + 5,    2, 0x6064, "main_cannons",     3,   4,  "100"},      // attack under the row's flag
        {0xC05F4 + 30 * 9 + 3,   2, 0x4096, "main_cannons",     30,  3,  "1.50"},     // weight, hundredths
        {0xC088E + 3 * 9 + 5,    1, 0x85,   "control_systems",  3,   4,  "5"},        // hit under flag 0x80
        {0xC088E + 4 * 9 + 5,    1, 0x85,   "control_systems",  4,   4,  "133"},      // no flag on this row
        {0xC0942 + 21 * 7 + 5,   2, 0x84B0, "engines",          21,  4,  "12.00"},    // load: flagged on some rows
        {0xC0942 + 24 * 7 + 5,   2, 0x44B0, "engines",          24,  4,  "12.00"},
        {0xC0942 + 26 * 7 + 3,   1, 0xFF,   "engines",          26,  3,  "2.55"},     // weight, one byte
        {0x7880D + 2 * 19,       2, 4321,   "special_cannons",  19,  6,  "4321"},     // a record table of its own
        {0xC0C54 + 14,           1, 255,    "special_shells",   14,  1,  "255"},
        {tank + 1,               1, 0x12,   "tanks",            0,   2,  "18"},       // defence: one byte, its limit two
        {tank + 2,               2, 0x3456, "tanks",            0,   3,  "13398"},
        {tank + 7,               2, 3000,   "tanks",            0,   4,  "30.00"},
        {tank + 12,              1, 0x05,   "tanks",            0,   6,  "55mm炮"},
        {tank + 13,              1, 0xFF,   "tanks",            0,   7,  "-----"},
        {tank + 14,              1, 94,     "tanks",            0,   8,  "甲壳虫"},
        {tank + 15,              1, 0x7D,   "tanks",            0,   9,  names::UnknownCode(0x7D)}, // past the list
        {tank + 20,              1, 0,      "tanks",            0,   14, "传送系统"},
        {tank + 25 * 8 + 12,     1, 0x85,   "tanks",            8,   6,  "55mm炮"},   // a rental tank's bit 7
        {weapons + 2,            1, 0x2B,   "human_weapons",    0,   4,  ""},         // flag 0x20, mask 11: no text
        {weapons + 5 + 2,        1, 0x35,   "human_weapons",    1,   4,  "主|战"},    // flag 0x30, mask 5
        {weapons + 5 * 40 + 3,   1, 0x10,   "human_weapons",    40,  2,  "272"},      // rows 40-47 store less 256
        {weapons + 5 * 3 + 4,    1, 0x47,   "human_weapons",    3,   3,  "一组"},
        {0,                      0, 0,      "human_weapons",    0,   3,  "单体"},
        {handFoot + 4 * 2 + 3,   1, 0x90,   "hand_foot_armour", 2,   2,  "16"},       // defence flag 0x80
        {handFoot + 4 * 4 + 3,   1, 0x10,   "hand_foot_armour", 4,   2,  "-48"},      // flag 0x40
        {head + 4 * 12 + 2,      1, 0xF5,   "head_armour",      12,  3,  "主|战"},    // row 12 keeps 0xF0
        {head + 4 * 11 + 2,      1, 0xF5,   "head_armour",      11,  3,  ""},         // others the whole byte
        {0x30151,                2, 300,    "red_wolf",         0,   1,  "300"},
        {0x30153,                2, 7,      "",                 0,   0,  ""},         // its second copy
        {0xB7DCD + 4,            1, 0xFF,   "characters",       1,   11, "-----"},
        {0xB7DCD + 5,            1, 0x00,   "characters",       1,   12, "碱性车蜡"},
        {0xB7DD9 + 16,           1, 0x80,   "characters",       2,   14, "钢珠弹弓"},
        {0xB7DD9 + 17,           1, 0xB0,   "characters",       2,   15, "棒球帽"},
        {0xB7DD9 + 18,           1, 0xF7,   "characters",       2,   16, "全能护甲"},
        {0xB7C2B + 15 * 2 + 4,   2, 999,    "characters",       2,   9,  "999"},      // HP
        {0xB7C2B + 15 * 2 + 11,  1, 77,     "characters",       2,   8,  "77"},       // speed
        {0xC0C2E,                1, 120,    "hotel_rooms",      2,   1,  "120"},
        {s0 + 1,                 2, 0xA123, "monsters",         0,   2,  "291"},      // packed words
        {s0 + 3,                 2, 0x3456, "monsters",         0,   3,  "1110"},
        {s0 + 5,                 2, 0x9064, "monsters",         0,   4,  "100"},
        {0,                      0, 0,      "monsters",         0,   8,  "163"},      // the first two high nibbles
        {s0 + 16 * 46 + 10,      1, 0x10,   "monsters",         46,  11, B[0x10]},    // list B to row 46
        {s0 + 16 * 47 + 10,      1, 0x10,   "monsters",         47,  11, A[0x10]},    // list A from row 47
        {0xC3444 + 5,            1, 0x93,   "",                 0,   0,  ""},         // loot categories
        {0xC3444 + 6,            1, 0x05,   "monsters",         0,   17, "回旋扳手"},
        {0xC3444 + 7,            1, 0x82,   "monsters",         0,   18, "发音盒α"},
        {0xC3944 + 4 * 151 + 2,  2, 54321,  "monsters",         151, 10, "54321"},
        {0xC3444 + 8 * 2 + 6,    2, 0xFFFF, "",                 0,   0,  ""},         // row 2 drops nothing
        {0xC3444 + 8 * 3,        1, 0x41,   "",                 0,   0,  ""},         // row 3's gate is open
        {0xC3444 + 8 * 4 + 6,    1, 0xFF,   "",                 0,   0,  ""},         // row 4 drops late only
        {s0 + 16 + 5,            2, 0x7123, "",                 0,   0,  ""},         // flags a save puts right
        {weapons + 5 * 2 + 2,    1, 0xF7,   "",                 0,   0,  ""},
        {handFoot + 4 * 2 + 2,   1, 0x03,   "",                 0,   0,  ""},
        {0xC04B0 + 2,            1, 0x05,   "",                 0,   0,  ""},
        {0xC0578 + 5 + 2,        1, 0x06,   "",                 0,   0,  ""},
        // clang-format on
    };
    Bytes image(0x200200, 0);
    for (const auto& [at, width, value, table, row, column, text] : loads)
        Put(image, at, width, value);
    Model model = test::Loaded(image);
    for (const auto& [at, width, value, table, row, column, text] : loads)
        EXPECT_TRUE(!*table || model.Get(table).Cell(row, column) == text)
            << table << " row " << row << " column " << column << ": " << model.Get(table).Cell(row, column);
    EXPECT_EQ(model.Get("human_weapons").Code("users", 0), 11);

    // {table ("": not edited), row, column, text, at, width, saved}
    const std::tuple<const char*, int, int, const char*, uint32_t, int, uint32_t> saves[] = {
        // clang-format off
        {"main_cannons",     3,  4, "1000",  0xC05F4 + 3 * 9 + 5,  2, 0x6000 + 1000}, // the row's flag kept
        {"engines",          26, 3, "0.5",   0xC0942 + 26 * 7 + 3, 1, 50},
        {"sub_cannons",      16, 3, "0.01",  0xC0714 + 16 * 9 + 3, 2, 0x2001},        // row 16 carries 0x2000
        {"human_weapons",    40, 2, "300",   weapons + 5 * 40 + 3, 1, 0x2C},
        {"hand_foot_armour", 4,  2, "5",     handFoot + 4 * 4 + 3, 1, 0x45},
        {"bounties",         3,  1, "70000", 0xC0BFC + 9,          3, 70000},
        {"red_wolf",         0,  1, "512",   0x30151,              2, 512},
        {"",                 0,  0, "",      0x30153,              2, 512},           // both copies
        {"decorations",      12, 1, "65535", 0xC0C32 + 24,         2, 65535},
        {"monsters",         0,  8, "255",   s0 + 1,               2, 0xFFFF},        // the three packed words
        {"monsters",         0,  2, "4095",  s0 + 3,               2, 0xF456},
        {"monsters",         0,  4, "0",     s0 + 5,               2, 0x9000},
        // The digits a Chinese input method types, and its spaces, count as their ASCII forms.
        {"items",            3,  1, "６５５３５", 0xC0200 + 3 * 2, 2, 65535},
        {"hotel_rooms",      1,  1, "\xe3\x80\x80４５\xe3\x80\x80", 0xC0C2D, 1, 45},
        {"engines",          0,  3, "１．２５", 0xC0942 + 3,     1, 125},
        // Unedited rows get their flags and loot gates, whatever the image held.
        {"",                 0,  0, "",      s0 + 16 + 5,          2, 0x8123},
        {"",                 0,  0, "",      weapons + 5 * 2 + 2,  1, 0x27},
        {"",                 0,  0, "",      handFoot + 4 * 2 + 2, 1, 0x53},
        {"",                 0,  0, "",      0xC04B0 + 2,          1, 0x15},          // body armour
        {"",                 0,  0, "",      0xC0578 + 5 + 2,      1, 0x56},          // armour pieces
        {"",                 0,  0, "",      0xC3444,              1, 0x40},          // row 0 drops loot
        {"",                 0,  0, "",      0xC3444 + 8 * 2,      1, 0},
        {"",                 0,  0, "",      0xC3444 + 8 * 3,      1, 0x41},
        {"",                 0,  0, "",      0xC3444 + 8 * 4,      1, 0x40},
        // clang-format on
    };
    for (const auto& [table, row, column, text, at, width, stored] : saves)
        if (*table)
            model.Get(table).SetCell(row, column, text);
    model.Get("tanks").SetCell(0, 6, "typed over a slot name"); // slot cells are never read by the save
    const SavePlan plan = PlanSave(model);
    ASSERT_TRUE(plan.Ok()) << Describe(plan.errors.at(0));
    Bytes saved = image;
    ApplyPatches(plan.patches, saved);
    for (const auto& [table, row, column, text, at, width, stored] : saves)
        EXPECT_EQ(Get(saved, at, width), stored) << table << " row " << row << " column " << column;
    for (uint32_t at = tank; at < 0xC8427; ++at)
        ASSERT_EQ(saved[at], image[at]) << std::hex << at;
}

// Each row's flag, one hex digit per row (two for the cannons' attack flags), from the first row
// to the last; every row after those is 0.
TEST(Tables, RowFlagsOfEveryRow)
{
    const std::tuple<RowFn, int, const char*> tables[] = {
        {MainCannonAttackFlag, 8, "0404006000000000000000000010000000008400040014000024448080144010"},
        {SubCannonAttackFlag, 8, "00040000080000000000000400048400000000444404"},
        {SpecialCannonAttackFlag, 8, "000000480000008800C400004400000000004480"},
        {MainCannonWeightFlag, 12, "00000000000000000000000000000046"},
        {SubCannonWeightFlag, 12, "0000000000000004220006"},
        {SpecialCannonWeightFlag, 12, "00004400000002064600"},
        {ControlSystemWeightFlag, 12, "0644844CCCA222222222"},
        {ControlSystemHitFlag, 4, "00080080880088080888"},
        {EngineLoadFlag, 12, "000000000000000000000888444"},
        {HumanWeaponEquipFlag, 4, "2320400000A00020E00AC00005003800F0005000AAAAAAAA"},
        {WeaponRangeLowBits, 3, "000000000210000304000200200350120000130000000000"},
        {HandFootArmorEquipFlag, 4, "0050384EA080540080A0"},
        {HandFootArmorDefenceFlag, 4, "00804C0C000000000000"},
        {HeadArmorEquipFlag, 4, "000000000000F000"},
        {HeadArmorDefenceFlag, 4, "00C0480000408040"},
        {BodyArmorEquipFlag, 4, "111113B111711151F1141111"},
        {ArmorEquipFlag, 4, "05656577C778"},
        {MonsterHpFlag, 12,
         "98779785745572055403550000558732070005550070053405102035022330201000353050553500255057552230"
         "513000530000703520355575505283223500002002450440505250502151"},
    };
    for (const auto& [flag, shift, text] : tables) {
        const std::string rows = text;
        const size_t digits = shift == 8 ? 2 : 1;
        const int count = static_cast<int>(rows.size() / digits);
        for (int row = 0; row < count; ++row)
            EXPECT_EQ(flag(row), std::stoi(rows.substr(row * digits, digits), nullptr, 16) << shift)
                << rows << " row " << row;
        EXPECT_EQ(flag(count), 0) << rows;
        EXPECT_EQ(flag(-1), 0) << rows;
    }
    // Human weapons 40 to 47 store their attack less 256.
    for (const int row : {-1, 0, 39, 40, 47, 48})
        EXPECT_EQ(WeaponAttackOffset(row), row == 40 || row == 47 ? -256 : 0) << row;
}

// What each code array's naming shows at the edges of its lists, masks and empty codes.
TEST(Tables, CodeNamingTexts)
{
    using names::kEmpty;
    const std::tuple<const char*, const char*, int, int, int, std::string> cases[] = {
        {"tanks", "parts", 0, 87, 0, "HAL900r''"},
        {"tanks", "parts", 0, 0x79, 0, "未知(0x79)"},
        {"tanks", "parts", 0, 0xFF, 0, kEmpty},
        {"tanks", "items", 0, 0x82, 0, "发音盒α"},
        {"tanks", "items", 0, 0x20, 0, "未知(0x20)"},
        {"characters", "items", 0, 0x80, 0, "未知(0x80)"},
        {"characters", "items", 0, 0xFF, 0, kEmpty},
        {"characters", "equipment", 0, 0xF8, 0, "未知(0xF8)"},
        {"characters", "equipment", 0, 0x7F, 0, "未知(0x7F)"},
        // Loot: categories 0-7 human things, items from 0x80; 8-15 tank parts, tank items from 0x80.
        {"monsters", "early_loot", 0, 0x80, 0, "碱性车蜡"},
        {"monsters", "early_loot", 0, 0x80, 8, "传送系统"},
        {"monsters", "late_loot", 0, 0x05, 3, "回旋扳手"},
        {"monsters", "early_loot", 0, 0x77, 7, "全能护甲"},
        {"monsters", "early_loot", 0, 0x78, 15, "最强苦力劳工"},
        {"monsters", "early_loot", 0, 0xFE, 0, "瘫软种子"},
        {"monsters", "early_loot", 0, 0x78, 0, "未知(0x78)"},
        {"monsters", "early_loot", 0, 0xA0, 8, "未知(0xA0)"},
        {"monsters", "early_loot", 0, 0xFF, 15, kEmpty},
        {"monsters", "early_loot", 0, 0xFF, -1, "未知(0xFF)"},
        // Attacks past lists B (monster rows 0-46) and A (from row 47); 0xFF is no empty slot.
        {"monsters", "attacks", 46, 0x90, 0, "未知(0x90)"},
        {"monsters", "attacks", 47, 0xFF, 0, "未知(0xFF)"},
        {"human_weapons", "range", 0, 0x3F, 0, "单体"},
        {"human_weapons", "range", 0, 0x40, 0, "一组"},
        {"human_weapons", "range", 0, 0x80, 0, "全体"},
        {"human_weapons", "range", 0, 0xC5, 0, "全体"},
        {"human_weapons", "users", 0, 7, 0, "主|机|战"},
        {"head_armour", "users", 0, 0, 0, ""},
        {"head_armour", "users", 0, 8, 0, ""},
    };
    for (const auto& [table, array, row, code, chooser, text] : cases)
        EXPECT_EQ(FindLayout(table)->FindCodeArray(array)->naming.Text(names::NameSet::BuiltIn(), row, code,
                                                                       chooser),
                  text)
            << table << " " << array << " row " << row << " code " << code;
}

// Where a code opens in its drop-down list at the edges of each list.
TEST(CodeNaming, OpeningPositions)
{
    const int no = -1; // a code without an entry opens with nothing selected
    // Each naming at the edges of its list: {code, position it opens at}.
    const std::tuple<const char*, const char*, int, std::vector<std::pair<int, int>>> lists[] = {
        {"human_weapons", "range", 0, {{0, 0}, {63, 0}, {80, 1}, {191, 2}, {192, no}, {255, no}}},
        {"human_weapons", "users", 0, {{0, no}, {1, 0}, {7, 6}, {8, no}}},
        {"tanks", "items", 0, {{160, 32}, {32, 32}, {33, no}, {228, no}}},
        {"characters", "items", 0, {{0, 0}, {127, 127}, {128, 128}, {255, 128}, {129, no}, {254, no}}},
        {"characters", "equipment", 0, {{130, 2}, {247, 119}, {248, 120}, {255, 120}, {127, no}, {250, no}}},
        {"monsters", "attacks", 46, {{143, 143}, {144, no}}},
        {"monsters", "attacks", 47, {{173, 173}, {174, no}}},
    };
    for (const auto& [table, array, row, positions] : lists)
        for (auto [code, index] : positions)
            EXPECT_EQ(FindLayout(table)->FindCodeArray(array)->naming.ListIndex(row, code), index)
                << table << " " << array << ", code " << code;
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
        const CodeNaming& naming = FindLayout(table)->FindCodeArray(array)->naming;
        const int empty = names::Size(list);
        ASSERT_EQ(static_cast<int>(naming.ListTexts(names::NameSet::BuiltIn(), 0).size()), empty + 1);
        EXPECT_EQ(naming.ListTexts(names::NameSet::BuiltIn(), 0)[static_cast<size_t>(empty)], names::kEmpty);
        EXPECT_EQ(naming.ListIndex(0, 0xFF), empty);
        EXPECT_EQ(naming.CodeForIndex(0, empty, 3), 0xFF);
    }
}
