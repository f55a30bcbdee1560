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

namespace {
struct Fixture {
    Bytes image = Bytes(0x200200, 0);
    Model model;

    void Load() { LoadTables(image, model); }
    std::string Cell(const char* table, int row, int column) { return model.Get(table).Cell(row, column); }
    // The texts of these columns of one row.
    std::vector<std::string> Cells(const char* table, int row, std::initializer_list<int> columns)
    {
        std::vector<std::string> out;
        for (const int column : columns)
            out.push_back(Cell(table, row, column));
        return out;
    }
    void Set(const char* table, int row, int column, const std::string& text)
    {
        model.Get(table).SetCell(row, column, text);
    }
    // Saves into a copy of the image and returns it; fails the test on refusal.
    Bytes Save()
    {
        SavePlan plan = PlanSave(model);
        EXPECT_TRUE(plan.Ok()) << (plan.errors.empty() ? "" : Describe(plan.errors[0]));
        Bytes out = image;
        ApplyPatches(plan.patches, out);
        return out;
    }
};
} // namespace

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
    EXPECT_EQ(model.Get("tanks").RowLabel(8), "出租车1号");
    EXPECT_EQ(model.Get("engines").RowLabel(0), "甲壳虫");
    EXPECT_EQ(model.Get("bounties").RowLabel(15), model.Get("monsters").RowLabel(15));
}

// The widest text a value column can show follows its field: a list column without a designed
// width is made that wide.
TEST(Tables, WidestValueOfAColumnFollowsItsField)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"special_shells", "price", "255"},          // one byte
        {"main_cannons", "price", "65535"},          // two bytes
        {"engines", "weight", "2.55"},               // one byte of hundredths
        {"engines", "load", "655.35"},               // flagged on some rows only
        {"special_cannons", "shell_price", "65535"}, // in a record table of its own
        {"tanks", "parts[0]", ""},                   // codes
        {"tanks", "name", ""},
    };
    for (const auto& [table, key, widest] : cases) {
        const TableLayout& layout = *FindLayout(table);
        EXPECT_EQ(layout.WidestValue(layout.Column(key)), widest) << table << " " << key;
    }
}

TEST(Tables, TankPartFlagsAndHundredths)
{
    Fixture f;
    Put(f.image, 0xC05F4 + 3 * 9 + 5, 2, 0x6064);  // main cannon 3 attack
    Put(f.image, 0xC05F4 + 30 * 9 + 3, 2, 0x4096); // main cannon 30 weight
    Put(f.image, 0xC088E + 3 * 9 + 5, 1, 0x85);    // control system 3 hit (flag 0x80)
    Put(f.image, 0xC088E + 4 * 9 + 5, 1, 0x85);    // control system 4 hit (no flag)
    Put(f.image, 0xC0942 + 21 * 7 + 5, 2, 0x84B0); // engine 21 load
    Put(f.image, 0xC0942 + 24 * 7 + 5, 2, 0x44B0); // engine 24 load
    Put(f.image, 0xC0942 + 26 * 7 + 3, 1, 0xFF);   // engine 26 weight, one byte
    Put(f.image, 0x7880D + 2 * 19, 2, 4321);       // special cannon 19 shell price
    Put(f.image, 0xC0C54 + 14, 1, 255);            // special shell 14
    f.Load();
    EXPECT_EQ(f.Cell("main_cannons", 3, 4), "100");
    EXPECT_EQ(f.Cell("main_cannons", 30, 3), "1.50");
    EXPECT_EQ(f.Cell("control_systems", 3, 4), "5");
    EXPECT_EQ(f.Cell("control_systems", 4, 4), "133");
    EXPECT_EQ(f.Cell("engines", 21, 4), "12.00");
    EXPECT_EQ(f.Cell("engines", 24, 4), "12.00");
    EXPECT_EQ(f.Cell("engines", 26, 3), "2.55");
    EXPECT_EQ(f.Cell("special_cannons", 19, 6), "4321");
    EXPECT_EQ(f.Cell("special_shells", 14, 1), "255");

    f.Set("main_cannons", 3, 4, "1000");
    f.Set("engines", 26, 3, "0.5");
    f.Set("sub_cannons", 16, 3, "0.01");
    const Bytes saved = f.Save();
    EXPECT_EQ(Get(saved, 0xC05F4 + 3 * 9 + 5, 2), 0x6000u + 1000);
    EXPECT_EQ(Get(saved, 0xC0942 + 26 * 7 + 3, 1), 50u);
    EXPECT_EQ(Get(saved, 0xC0714 + 16 * 9 + 3, 2), 0x2001u); // sub cannon 16 carries 0x2000
    EXPECT_EQ(Get(saved, 0xC088E + 3 * 9 + 5, 1), 0x85u);
}

TEST(Tables, TankSlotsKeepTheirCodes)
{
    Fixture f;
    const uint32_t own = 0xC8201, rental = 0xC8201 + 25 * 8;
    Put(f.image, own + 12, 1, 0x05);
    Put(f.image, own + 13, 1, 0xFF);
    Put(f.image, own + 14, 1, 94);
    Put(f.image, own + 15, 1, 0x7D); // low seven bits beyond the part list
    Put(f.image, own + 20, 1, 0);
    Put(f.image, rental + 12, 1, 0x85);
    Put(f.image, own + 7, 2, 3000);
    Put(f.image, own + 1, 1, 0x12); // defence, one byte before the two of its limit
    Put(f.image, own + 2, 2, 0x3456);
    f.Load();
    EXPECT_EQ(f.Cells("tanks", 0, {2, 3, 4, 6, 7, 8, 9, 14}),
              (std::vector<std::string>{"18", "13398", "30.00", "55mm炮", "-----", "甲壳虫",
                                        names::UnknownCode(0x7D), "传送系统"}));
    EXPECT_EQ(f.Cell("tanks", 8, 6), "55mm炮");
    f.Set("tanks", 0, 6, "typed over a slot name"); // slot cells are never read by the save
    const Bytes saved = f.Save();
    for (uint32_t at = 0xC8201; at < 0xC8427; ++at)
        ASSERT_EQ(saved[at], f.image[at]) << std::hex << at;
}

TEST(Tables, HumanEquipmentMasksRangesAndDefenceFlags)
{
    Fixture f;
    const uint32_t weapons = 0xC0380, handFoot = 0xC0528, head = 0xC0470;
    Put(f.image, weapons + 2, 1, 0x2B);          // row 0: flag 0x20, mask 11 (no text)
    Put(f.image, weapons + 5 * 1 + 2, 1, 0x35);  // row 1: flag 0x30, mask 5
    Put(f.image, weapons + 5 * 40 + 3, 1, 0x10); // row 40 attack 272
    Put(f.image, weapons + 5 * 3 + 4, 1, 0x47);  // range "一组"
    Put(f.image, weapons + 5 * 3 + 2, 1, 0x07);  // row 3 has no flag: the save clears nothing
    Put(f.image, handFoot + 4 * 2 + 3, 1, 0x90); // row 2 defence flag 0x80 -> 16
    Put(f.image, handFoot + 4 * 4 + 3, 1, 0x10); // row 4 flag 0x40 -> -48
    Put(f.image, head + 4 * 12 + 2, 1, 0xF5);    // row 12 keeps 0xF0 -> mask 5
    Put(f.image, head + 4 * 11 + 2, 1, 0xF5);    // other rows keep the whole byte
    f.Load();
    EXPECT_EQ(f.Cell("human_weapons", 0, 4), "");
    EXPECT_EQ(f.model.Get("human_weapons").Code("users", 0), 11);
    EXPECT_EQ(f.Cell("human_weapons", 1, 4), "主|战");
    EXPECT_EQ(f.Cell("human_weapons", 40, 2), "272");
    EXPECT_EQ(f.Cell("human_weapons", 3, 3), "一组");
    EXPECT_EQ(f.Cell("human_weapons", 0, 3), "单体");
    EXPECT_EQ(f.Cell("hand_foot_armour", 2, 2), "16");
    EXPECT_EQ(f.Cell("hand_foot_armour", 4, 2), "-48");
    EXPECT_EQ(f.Cell("head_armour", 12, 3), "主|战");
    EXPECT_EQ(f.Cell("head_armour", 11, 3), "");

    Bytes saved = f.Save();
    EXPECT_EQ(Get(saved, weapons + 2, 1), 0x2Bu);
    EXPECT_EQ(Get(saved, weapons + 5 * 40 + 3, 1), 0x10u);
    EXPECT_EQ(Get(saved, weapons + 5 * 3 + 4, 1), 0x47u);
    EXPECT_EQ(Get(saved, handFoot + 4 * 2 + 3, 1), 0x90u);
    EXPECT_EQ(Get(saved, handFoot + 4 * 4 + 3, 1), 0x10u); // shown negative: bytes kept
    EXPECT_EQ(Get(saved, head + 4 * 12 + 2, 1), 0xF5u);
    EXPECT_EQ(Get(saved, head + 4 * 11 + 2, 1), 0xF5u);
    // Equip bytes whose high nibble differs from the row flag get the flag.
    EXPECT_EQ(Get(saved, weapons + 5 * 2 + 2, 1), 0x20u); // row 2: flag 0x20, mask 0

    f.Set("human_weapons", 40, 2, "300");
    f.Set("hand_foot_armour", 4, 2, "5");
    saved = f.Save();
    EXPECT_EQ(Get(saved, weapons + 5 * 40 + 3, 1), 0x2Cu);
    EXPECT_EQ(Get(saved, handFoot + 4 * 4 + 3, 1), 0x45u);
}

TEST(Tables, ItemsCharactersShopsAndTheRedWolf)
{
    Fixture f;
    Put(f.image, 0x30151, 2, 300);
    Put(f.image, 0x30153, 2, 7);
    Put(f.image, 0xB7DCD + 4 * 1 + 0, 1, 0xFF);
    Put(f.image, 0xB7DCD + 4 * 1 + 1, 1, 0x00);
    Put(f.image, 0xB7DD9 + 8 * 2 + 0, 1, 0x80);
    Put(f.image, 0xB7DD9 + 8 * 2 + 1, 1, 0xB0);
    Put(f.image, 0xB7DD9 + 8 * 2 + 2, 1, 0xF7);
    Put(f.image, 0xB7C2B + 15 * 2 + 4, 2, 999); // HP
    Put(f.image, 0xB7C2B + 15 * 2 + 11, 1, 77); // speed
    Put(f.image, 0xC0C2E, 1, 120);
    f.Load();
    EXPECT_EQ(f.Cell("red_wolf", 0, 1), "300");
    EXPECT_EQ(f.Cells("characters", 1, {11, 12}), (std::vector<std::string>{"-----", "碱性车蜡"}));
    EXPECT_EQ(f.Cells("characters", 2, {8, 9, 14, 15, 16}),
              (std::vector<std::string>{"77", "999", "钢珠弹弓", "棒球帽", "全能护甲"}));
    EXPECT_EQ(f.Cell("hotel_rooms", 2, 1), "120");

    f.Set("bounties", 3, 1, "70000");
    f.Set("red_wolf", 0, 1, "512");
    f.Set("decorations", 12, 1, "65535");
    const Bytes saved = f.Save();
    EXPECT_EQ(saved[0xC0BFC + 9], 0x70);
    EXPECT_EQ(saved[0xC0BFC + 10], 0x11);
    EXPECT_EQ(saved[0xC0BFC + 11], 0x01);
    EXPECT_EQ(Get(saved, 0x30151, 2), 512u);
    EXPECT_EQ(Get(saved, 0x30153, 2), 512u);
    EXPECT_EQ(Get(saved, 0xC0C32 + 24, 2), 65535u);
    EXPECT_EQ(saved[0xB7DCD + 4], 0xFF);
}

TEST(Tables, MonsterPackedWordsLootAndAttackLists)
{
    Fixture f;
    const uint32_t s0 = 0xC3BC4, l0 = 0xC3444;
    Put(f.image, s0 + 1, 2, 0xA123);
    Put(f.image, s0 + 3, 2, 0x3456);
    Put(f.image, s0 + 5, 2, 0x9064);
    Put(f.image, s0 + 16 * 46 + 10, 1, 0x10);
    Put(f.image, s0 + 16 * 47 + 10, 1, 0x10);
    Put(f.image, l0 + 5, 1, 0x93);
    Put(f.image, l0 + 6, 1, 0x05);
    Put(f.image, l0 + 7, 1, 0x82);
    Put(f.image, l0 + 0, 1, 0x20);     // monster 0: gate below 0x40 with loot
    Put(f.image, l0 + 8 + 0, 1, 0x20); // monster 1: gate below 0x40, no loot
    Put(f.image, l0 + 8 + 6, 1, 0xFF);
    Put(f.image, l0 + 8 + 7, 1, 0xFF);
    Put(f.image, s0 + 16 + 5, 2, 0x0123); // monster 1: HP flag bits missing
    Put(f.image, 0xC3944 + 4 * 151 + 2, 2, 54321);
    f.Load();
    EXPECT_EQ(f.Cells("monsters", 0, {2, 3, 4, 8, 17, 18}),
              (std::vector<std::string>{"291", "1110", "100", "163", "回旋扳手", "发音盒α"}));
    EXPECT_EQ(f.Cell("monsters", 151, 10), "54321");
    EXPECT_EQ(f.Cell("monsters", 46, 11), names::NameSet::BuiltIn().Names(names::List::AttacksB)[0x10]);
    EXPECT_EQ(f.Cell("monsters", 47, 11), names::NameSet::BuiltIn().Names(names::List::AttacksA)[0x10]);
    EXPECT_NE(f.Cell("monsters", 46, 11), f.Cell("monsters", 47, 11));

    Bytes saved = f.Save();
    EXPECT_EQ(Get(saved, s0 + 1, 2), 0xA123u);
    EXPECT_EQ(Get(saved, s0 + 3, 2), 0x3456u);
    EXPECT_EQ(Get(saved, s0 + 5, 2), 0x9064u);
    EXPECT_EQ(saved[l0], 0x40);
    EXPECT_EQ(saved[l0 + 8], 0x20);
    EXPECT_EQ(saved[l0 + 5], 0x93);
    EXPECT_EQ(Get(saved, s0 + 16 + 5, 2), 0x8123u); // monster 1's HP gets its row flag 0x8000

    f.Set("monsters", 0, 8, "255");
    f.Set("monsters", 0, 2, "4095");
    f.Set("monsters", 0, 4, "0");
    saved = f.Save();
    EXPECT_EQ(Get(saved, s0 + 1, 2), 0xFFFFu);
    EXPECT_EQ(Get(saved, s0 + 3, 2), 0xF456u);
    EXPECT_EQ(Get(saved, s0 + 5, 2), 0x9000u);
}

// An unedited save writes back every byte it read, except the row flags and loot gates it sets.
TEST(Tables, UneditedSaveChangesOnlyFlagBytesAndLootGates)
{
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        Fixture f;
        f.image = test::RandomImage(seed);
        f.Load();
        const Bytes saved = f.Save();

        Bytes expected = f.image;
        auto equip = [&](uint32_t base, uint32_t stride, int rows, RowFn flag) {
            for (int r = 0; r < rows; ++r) {
                uint8_t& b = expected[base + stride * r + 2];
                b = static_cast<uint8_t>(flag(r) | (b & 0x0F));
            }
        };
        equip(0xC0380, 5, 48, HumanWeaponEquipFlag);
        equip(0xC0528, 4, 20, HandFootArmorEquipFlag);
        equip(0xC04B0, 5, 24, BodyArmorEquipFlag);
        equip(0xC0578, 5, 12, ArmorEquipFlag);
        for (int r = 0; r < 152; ++r) {
            const uint32_t hp = 0xC3BC4 + 16 * r + 5, loot = 0xC3444 + 8 * r;
            Put(expected, hp, 2, (Get(expected, hp, 2) & 0xFFF) | MonsterHpFlag(r));
            if (expected[loot] < 0x40 && (expected[loot + 6] != 0xFF || expected[loot + 7] != 0xFF))
                expected[loot] = 0x40;
        }
        Put(expected, 0x30153, 2, Get(expected, 0x30151, 2));
        ASSERT_EQ(test::Differing(expected, saved), std::vector<uint32_t>{}) << "seed " << seed;
    }
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

// The name list each code array declares is the one its cells show: every code the list names
// shows that entry of the list, whatever the label hooks do with the codes.
TEST(Tables, CodeArraysShowTheNamesTheirListsDeclare)
{
    Model model;
    int checked = 0;
    for (Table& t : model.Tables()) {
        const TableLayout& layout = t.Layout();
        for (size_t a = 0; a < layout.codeArrays.size(); ++a) {
            const CodeArraySpec& arrayDecl = layout.codeArrays[a];
            const bool shared =
                std::any_of(layout.codeArrays.begin(), layout.codeArrays.end(), [&](const auto& o) {
                    return &o != &arrayDecl && o.column == arrayDecl.column;
                }); // a loot cell shows the loot code, not its category
            if (!arrayDecl.naming.named || arrayDecl.column < 0 || shared)
                continue;
            for (int row : {0, t.Rows() - 1}) {
                const names::List list = arrayDecl.naming.ListFor(row);
                for (int entry = 0; entry < names::Size(list); ++entry) {
                    const int code = (entry + arrayDecl.naming.first) << arrayDecl.naming.shift;
                    ASSERT_EQ(arrayDecl.naming.Named(row, code)->entry, entry);
                    for (int k = 0; k < arrayDecl.perRow; ++k)
                        t.SetCode(arrayDecl.name, row, k, code);
                    for (int k = 0; k < arrayDecl.perRow; ++k)
                        ASSERT_EQ(t.Cell(row, layout.Column(EntryKey(arrayDecl.name, k, arrayDecl.perRow))),
                                  names::NameSet::BuiltIn().Names(list)[static_cast<size_t>(entry)])
                            << t.Id() << " " << arrayDecl.name << " row " << row << " code " << code;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

// What each code array's naming shows at the edges of its lists, masks and empty codes; plain codes
// of a list are the test above.
TEST(Tables, CodeNamingTexts)
{
    using names::kEmpty;
    const auto& B = names::NameSet::BuiltIn().Names(names::List::AttacksB);
    const auto& A = names::NameSet::BuiltIn().Names(names::List::AttacksA);
    const std::tuple<const char*, const char*, int, int, int, std::string> cases[] = {
        {"tanks", "parts", 0, 0x85, 0, "55mm炮"}, // bit 7 marks a rental tank's slot
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
        {"monsters", "late_loot", 0, 0x82, 9, "发音盒α"},
        {"monsters", "early_loot", 0, 0x77, 7, "全能护甲"},
        {"monsters", "early_loot", 0, 0x78, 15, "最强苦力劳工"},
        {"monsters", "early_loot", 0, 0xFE, 0, "瘫软种子"},
        {"monsters", "early_loot", 0, 0x78, 0, "未知(0x78)"},
        {"monsters", "early_loot", 0, 0xA0, 8, "未知(0xA0)"},
        {"monsters", "early_loot", 0, 0xFF, 15, kEmpty},
        {"monsters", "early_loot", 0, 0xFF, -1, "未知(0xFF)"},
        // Attacks: list B for monster rows 0-46, list A from row 47; 0xFF is no empty slot.
        {"monsters", "attacks", 46, 0x10, 0, B[0x10]},
        {"monsters", "attacks", 47, 0x10, 0, A[0x10]},
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
