// The drop-down lists of the row editors: the position a code opens at, the code "确定" writes,
// and the cell rebuilt from it with the load's own name texts.
#include "EditorSupport.h"
#include "editors/CodeRules.h"
#include "editors/DialogLayout.h"
#include "names/NameSet.h"
#include "rom/NameSetFiles.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::test;
using namespace dravik::editors::rules;
using dravik::editors::Entries;
using EditorSlots = EditorTest;

// Exactly the "XXXXX" entries of the category's list become 255; every other code is kept.
TEST(EditorCodeRules, LootPlaceholdersOfTheCategoryBecomeNone)
{
    for (int code = 0; code < 256; ++code) {
        const bool human =
            EntryTexts(Entries::HumanLoot, names::NameSet::BuiltIn())[code] == names::kPlaceholder;
        const bool tank =
            EntryTexts(Entries::TankLoot, names::NameSet::BuiltIn())[code] == names::kPlaceholder;
        EXPECT_EQ(LootCode(7, code, -1), human ? 255 : code) << code;
        EXPECT_EQ(LootCode(8, code, -1), tank ? 255 : code) << code;
    }
}

TEST_F(EditorSlots, WeaponRangeAndUsers)
{
    rom::Table& w = T("human_weapons");
    SetCodes(w, "range", 9, {64 + 5}); // 火焰枪 (low bits 16) with stray low bits
    SetCodes(w, "users", 9, {5});
    SetCodes(w, "range", 28, {192 + 40}); // neither code has an entry
    SetCodes(w, "users", 28, {12});
    const std::vector<std::string> row28 = RowState(w, 28);
    Drive("human_weapons", 9, [](QDialog* dlg) { Key(Combo(dlg, 1022), Qt::Key_Return); }); // Enter is "确定"
    EXPECT_EQ(w.Code("range", 9), 64 + 16); // "确定" alone takes the low bits from the row
    Fill("human_weapons", 9, {}, {{1022, 2}, {1023, 6}});
    EXPECT_EQ(w.Code("range", 9), 128 + 16);
    EXPECT_EQ(w.Code("users", 9), 7);
    EXPECT_EQ(w.Cell(9, 3), "全体");
    EXPECT_EQ(w.Cell(9, 4), "主|机|战");
    Drive("human_weapons", 28, Ok);
    EXPECT_EQ(RowState(w, 28), row28); // both codes and their cells kept
}

// Own tank 7 holds codes with bit 7, rental tank 8 codes without: "确定" alone puts them right.
TEST_F(EditorSlots, TankAndCharacterSlots)
{
    rom::Table& tanks = T("tanks");
    SetCodes(tanks, "parts", 7, {133, 5, 121, 249, 122, 0, 87, 255});
    SetCodes(tanks, "parts", 8, {5, 5, 121, 121, 122, 0, 87, 127});
    SetCodes(tanks, "items", 8, {160});
    Drive("tanks", 7, Ok);
    Fill("tanks", 8, {}, {{1029, 31}, {1033, 31}});
    EXPECT_EQ(Codes(tanks, "parts", 7), (std::vector<int>{5, 5, 255, 255, 122, 0, 87, 255}));
    EXPECT_EQ(Codes(tanks, "parts", 8), (std::vector<int>{133, 133, 255, 255, 122, 128, 128 + 87, 128 + 31}));
    EXPECT_EQ(tanks.Code("items", 8, 0), 255);
    EXPECT_EQ(tanks.Code("items", 8, 3), 128 + 31);
    // 87 is one of the names whose drop-down text differs: the cell keeps the list's text.
    EXPECT_EQ(tanks.Cell(8, 12), names::NameSet::BuiltIn().Names(List::TankParts)[87]);

    rom::Table& people = T("characters");
    SetCodes(people, "items", 1, {128, 200, 0});
    SetCodes(people, "equipment", 1, {130, 248, 5, 255, 255, 255, 255});
    Fill("characters", 1, {}, {{1026, 48}, {1025, 127}});
    EXPECT_EQ(Codes(people, "items", 1), (std::vector<int>{255, 200, 127}));
    EXPECT_EQ(Codes(people, "equipment", 1), (std::vector<int>{176, 255, 5, 255, 255, 255, 255}));
    EXPECT_EQ(people.Cell(1, 13), names::NameSet::BuiltIn().Names(List::Items)[127]);
    EXPECT_EQ(people.Cell(1, 14), names::NameSet::BuiltIn().Names(List::HumanEquipment)[48]);
}

// Attacks from list B up to row 46, list A after; loot from the list of its category.
TEST_F(EditorSlots, MonsterAttacksByRowAndLootByCategory)
{
    rom::Table& m = T("monsters");
    SetCodes(m, "attacks", 46, {0x10, 0x10, 0x10, 0x10, 0x10, 150}); // 150 is beyond list B
    SetCodes(m, "attacks", 47, {0x9C});
    const char* drops[] = {"early_category", "early_loot", "late_category", "late_loot"};
    const int row46[] = {2, 130, 9, 0x82};
    const int row47[] = {20, 200, 0, 5}; // 20 has no entry yet names tank things; 200: a tank placeholder
    for (int i = 0; i < 4; ++i) {
        SetCodes(m, drops[i], 46, {row46[i]});
        SetCodes(m, drops[i], 47, {row47[i]});
    }
    Drive("monsters", 46, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1023)->currentText().toStdString(),
                  names::NameSet::BuiltIn().Combo(List::AttacksB)[0x10]);
        SetCombo(dlg, 1024, 0x8F);
        QComboBox *human = Combo(dlg, 1030), *tank = Combo(dlg, 1031);
        EXPECT_EQ(Combo(dlg, 1029)->currentIndex(), 2);
        EXPECT_EQ(human->currentText().toStdString(), names::NameSet::BuiltIn().Combo(List::Items)[2]);
        EXPECT_EQ(tank->currentText().toStdString(), names::NameSet::BuiltIn().Combo(List::TankItems)[2]);
        EXPECT_TRUE(human->isEnabled() && !tank->isEnabled());
        EXPECT_TRUE(!Combo(dlg, 1033)->isEnabled() && Combo(dlg, 1034)->isEnabled());
        SetCombo(dlg, 1029, 8); // a tank category: the code stays
        EXPECT_TRUE(!human->isEnabled() && tank->isEnabled());
        EXPECT_EQ(tank->currentIndex(), 130);
        SetCombo(dlg, 1034, 0x9F); // the lists of a drop follow each other both ways
        EXPECT_EQ(Combo(dlg, 1033)->currentIndex(), 0x9F);
        SetCombo(dlg, 1033, 0x90);
        Ok(dlg);
    });
    Drive("monsters", 47, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1023)->currentText().toStdString(),
                  names::NameSet::BuiltIn().Combo(List::AttacksA)[0x9C]);
        EXPECT_TRUE(!Combo(dlg, 1030)->isEnabled() && Combo(dlg, 1031)->isEnabled()); // category 20
        SetCombo(dlg, 1033, 125);                                                     // "XXXXX"
        Ok(dlg);
    });
    EXPECT_EQ(Codes(m, "attacks", 46), (std::vector<int>{0x10, 0x8F, 0x10, 0x10, 0x10, 150}));
    const int codes[][4] = {{8, 130, 9, 0x90}, {20, 255, 0, 255}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m.Code(drops[i], 46), codes[0][i]) << drops[i];
        EXPECT_EQ(m.Code(drops[i], 47), codes[1][i]) << drops[i];
    }
    // The cells show the lists' own texts (for 9C not the drop-down's), the loot's by category.
    EXPECT_EQ(m.Cell(47, 11), names::NameSet::BuiltIn().Names(List::AttacksA)[0x9C]);
    EXPECT_EQ(m.Cell(46, 17), names::NameSet::BuiltIn().Names(List::TankItems)[2]);
}

// A switch of name sets reaches every drop-down list of the next dialog opened, and back.
TEST_F(EditorSlots, DropDownListsFollowTheDocumentsNameSet)
{
    const struct {
        const char* file;
        const char* table;
        int row, combo, position;
    } lists[] = {{"tank_parts.txt", "tanks", 0, 1022, 2},
                 {"tank_items.txt", "tanks", 0, 1030, 2},
                 {"items.txt", "characters", 0, 1023, 2},
                 {"human_equipment.txt", "characters", 0, 1026, 2},
                 {"attacks_b.txt", "monsters", 0, 1023, 2}};
    std::map<std::string, std::string> files;
    for (const auto& l : lists)
        files[l.file] = "\n\n新" + std::to_string(&l - lists) + "\n";
    const test::NameFolder folder(files);
    names::NameSet loaded = names::NameSet::BuiltIn();
    ASSERT_TRUE(rom::LoadNameSet(folder.Path(), loaded).empty());
    const auto shown = [&](const auto& l) {
        std::unique_ptr<QDialog> dialog = editors::CreateRowEditor(nullptr, T(l.table), l.row);
        return Combo(dialog.get(), l.combo)->itemText(l.position).toStdString();
    };
    const auto userSet = std::make_shared<const names::NameSet>(std::move(loaded));
    for (const bool user : {false, true, false}) {
        doc_->SetNames(user ? userSet : names::NameSet::BuiltInPtr());
        for (const auto& l : lists)
            EXPECT_EQ(shown(l) == "新" + std::to_string(&l - lists), user) << l.file << " " << shown(l);
    }
}
