// The tank and character editors driven through EditRow.
#include "EditorSupport.h"
#include "names/Names.h"

using namespace dravik;
using namespace dravik::test;
using names::List;

namespace {
class EditorSlots : public EditorTest {};

std::vector<int> Codes(const rom::Table& t, const char* array, int row)
{
    std::vector<int> codes;
    for (int k = 0; k < t.FindCodes(array)->perRow; ++k)
        codes.push_back(t.Code(array, row, k));
    return codes;
}
} // namespace

// Own tank 3 holds codes with bit 7, rental tank 9 codes without: OK alone puts them right.
TEST_F(EditorSlots, TankBitSevenFollowsTheRowAndCellsShowTheLoadedNames)
{
    rom::Table& tanks = T("tanks");
    const int held[] = {133, 5, 121, 249, 122, 0, 87, 255};
    for (int k = 0; k < 8; ++k) {
        tanks.SetCode("parts", 3, k, held[k]);
        tanks.SetCode("parts", 9, k, held[k] & 0x7F);
    }
    tanks.SetCode("items", 9, 0, 160);
    tanks.RefreshAllLabels();
    const std::string unknown = tanks.Cell(3, 10);

    Drive("tanks", 3, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1022)->count(), 122);
        EXPECT_EQ(Combo(dlg, 1030)->count(), 33);
        EXPECT_EQ(Combo(dlg, 1026)->currentIndex(), -1); // 122: no entry
        Press(dlg, "确定");
    });
    Drive("tanks", 9, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1030)->currentText(), "-----");
        SetEdit(dlg, 1016, "4.05");
        SetCombo(dlg, 1029, 31);
        SetCombo(dlg, 1033, 31);
        Press(dlg, "确定");
    });
    EXPECT_EQ(Codes(tanks, "parts", 3), (std::vector<int>{5, 5, 255, 255, 122, 0, 87, 255}));
    EXPECT_EQ(Codes(tanks, "parts", 9), (std::vector<int>{133, 133, 255, 255, 122, 128, 128 + 87, 128 + 31}));
    EXPECT_EQ(tanks.Code("items", 9, 0), 255);
    EXPECT_EQ(tanks.Code("items", 9, 3), 128 + 31);
    EXPECT_EQ(tanks.Cell(9, 4), "4.05");
    EXPECT_EQ(tanks.Cell(3, 6), tanks.Cell(9, 6));
    EXPECT_EQ(tanks.Cell(3, 8), "-----");
    EXPECT_EQ(tanks.Cell(3, 10), unknown);
    // 87 is one of the names whose drop-down text differs: the cell keeps the list's text.
    EXPECT_EQ(tanks.Cell(9, 12), names::Get(List::TankParts)[87]);
    EXPECT_NE(names::Get(List::TankParts)[87], names::Combo(List::TankParts)[87]);
    EXPECT_EQ(tanks.Cell(9, 17), names::Get(List::TankItems)[31]);
}

TEST_F(EditorSlots, CharacterTextFieldsItemsAndEquipment)
{
    rom::Table& people = T("characters");
    const int items[] = {128, 200, 0};
    const int equipment[] = {130, 248, 5, 255, 255, 255, 255};
    for (int k = 0; k < 3; ++k)
        people.SetCode("items", 1, k, items[k]);
    for (int k = 0; k < 7; ++k)
        people.SetCode("equipment", 1, k, equipment[k]);
    people.RefreshAllLabels();
    const std::string kept[] = {people.Cell(1, 12), people.Cell(1, 16)};

    Drive("characters", 1, [&](QDialog* dlg) {
        EXPECT_STREQ(dlg->metaObject()->className(), "CCharacterDlg");
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(Edit(dlg, 1012 + k)->toPlainText().toStdString(), people.Cell(1, k));
            SetEdit(dlg, 1012 + k, QString::number(k));
        }
        EXPECT_EQ(Combo(dlg, 1023)->count(), 129);
        EXPECT_EQ(Combo(dlg, 1026)->count(), 121);
        EXPECT_EQ(Combo(dlg, 1026)->currentIndex(), 2);
        EXPECT_EQ(Combo(dlg, 1028)->currentIndex(), -1);
        SetCombo(dlg, 1026, 48);
        SetCombo(dlg, 1025, 127);
        Press(dlg, "确定");
    });
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(people.Cell(1, k), std::to_string(k));
    EXPECT_EQ(Codes(people, "items", 1), (std::vector<int>{255, 200, 127}));
    EXPECT_EQ(Codes(people, "equipment", 1), (std::vector<int>{176, 255, 5, 255, 255, 255, 255}));
    EXPECT_EQ(people.Cell(1, 11), "-----");
    EXPECT_EQ(people.Cell(1, 12), kept[0]);
    EXPECT_EQ(people.Cell(1, 13), names::Get(List::Items)[127]);
    EXPECT_EQ(people.Cell(1, 14), names::Get(List::HumanEquipment)[48]);
    EXPECT_EQ(people.Cell(1, 16), kept[1]);
}
