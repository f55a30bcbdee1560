// The tank and character editors driven through EditRow.
#include "EditorSupport.h"
#include "names/Names.h"

using namespace dravik;
using names::List;
using test::Combo;
using test::Edit;
using test::Press;
using test::SetCombo;
using test::SetEdit;

namespace {

class EditorTank : public test::EditorTest {
protected:
    rom::Table& tanks = T("tanks");
    void SetParts(int row, std::initializer_list<int> codes)
    {
        int k = 0;
        for (int code : codes)
            tanks.SetCode("parts", row, k++, code);
        tanks.RefreshLabels(row);
    }
};

class EditorCharacter : public test::EditorTest {
protected:
    rom::Table& people = T("characters");
};

const std::string& PartName(int i) { return names::Get(List::TankParts)[static_cast<size_t>(i)]; }

} // namespace

TEST_F(EditorTank, FiveTextFieldsAndTwelveSlotsOpenFromTheRow)
{
    SetParts(3, {133, 5, 255, 121, 249, 122, 0, 120});
    tanks.SetCode("items", 3, 0, 160);
    tanks.SetCode("items", 3, 1, 40);
    Drive("tanks", 3, [&](QDialog* dlg) {
        EXPECT_STREQ(dlg->metaObject()->className(), "CTankDlg");
        EXPECT_EQ(dlg->windowTitle(), "战车属性编辑");
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(Edit(dlg, 1013 + k)->toPlainText().toStdString(), tanks.Cell(3, 1 + k));
        EXPECT_EQ(Combo(dlg, 1022)->count(), 122);
        EXPECT_EQ(Combo(dlg, 1030)->count(), 33);
        const int parts[] = {5, 5, 121, 121, 121, -1, 0, 120};
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(Combo(dlg, 1022 + k)->currentIndex(), parts[k]) << k;
        EXPECT_EQ(Combo(dlg, 1022 + 2)->currentText(), "-----");
        EXPECT_EQ(Combo(dlg, 1030)->currentIndex(), 32); // 160: low bits on "-----"
        EXPECT_EQ(Combo(dlg, 1031)->currentIndex(), -1); // 40: no such item
        Press(dlg, "取消");
    });
}

TEST_F(EditorTank, RentalBitComesFromTheRowAndEmptyLowBitsBecome255)
{
    // Own tank 3 holding codes with bit 7, rental tank 9 holding codes without it.
    SetParts(3, {133, 5, 121, 249, 122, 0, 1, 2});
    SetParts(9, {5, 133, 255, 87, 122, 0, 1, 2});
    tanks.SetCode("items", 9, 0, 3);
    const std::string unknownCell = tanks.Cell(3, 10); // code 122 has no name
    for (int row : {3, 9})
        Drive("tanks", row, [](QDialog* dlg) { Press(dlg, "确定"); });

    const auto parts = [&](int row) {
        std::vector<int> codes;
        for (int k = 0; k < 8; ++k)
            codes.push_back(tanks.Code("parts", row, k));
        return codes;
    };
    EXPECT_EQ(parts(3), (std::vector<int>{5, 5, 255, 255, 122, 0, 1, 2}));
    EXPECT_EQ(parts(9), (std::vector<int>{133, 133, 255, 128 + 87, 122, 128, 129, 130}));
    EXPECT_EQ(tanks.Code("items", 9, 0), 128 + 3);
    EXPECT_EQ(tanks.Cell(3, 6), PartName(5));
    EXPECT_EQ(tanks.Cell(9, 6), PartName(5));
    EXPECT_EQ(tanks.Cell(3, 8), "-----");
    EXPECT_EQ(tanks.Cell(3, 10), unknownCell);
    // Cells show the name the load shows, not the drop-down text (which differs for 87).
    EXPECT_EQ(tanks.Cell(9, 9), PartName(87));
    EXPECT_NE(tanks.Cell(9, 9), names::Combo(List::TankParts)[87]);
}

TEST_F(EditorTank, ChoicesAreStoredWithTheRowsBitAndEmptyIs255Everywhere)
{
    for (int row : {7, 8}) {
        SCOPED_TRACE(row);
        Drive("tanks", row, [](QDialog* dlg) {
            SetEdit(dlg, 1013, "1");
            SetEdit(dlg, 1014, "2");
            SetEdit(dlg, 1015, "3");
            SetEdit(dlg, 1016, "4.05");
            SetEdit(dlg, 1017, "6");
            SetCombo(dlg, 1022, 5);
            SetCombo(dlg, 1029, 121);
            SetCombo(dlg, 1030, 31);
            SetCombo(dlg, 1033, 32);
            Press(dlg, "确定");
        });
        const int bit = row >= 8 ? 128 : 0;
        EXPECT_EQ(tanks.Code("parts", row, 0), 5 + bit);
        EXPECT_EQ(tanks.Code("parts", row, 7), 255);
        EXPECT_EQ(tanks.Code("items", row, 0), 31 + bit);
        EXPECT_EQ(tanks.Code("items", row, 3), 255);
        EXPECT_EQ(tanks.Cell(row, 6), PartName(5));
        EXPECT_EQ(tanks.Cell(row, 13), "-----");
        EXPECT_EQ(tanks.Cell(row, 14), names::Get(List::TankItems)[31]);
        EXPECT_EQ(tanks.Cell(row, 17), "-----");
        for (int column = 1; column <= 5; ++column)
            EXPECT_EQ(tanks.Cell(row, column), column == 4 ? "4.05" : std::to_string(column == 5 ? 6 : column));
    }
}

TEST_F(EditorCharacter, TenTextFieldsAndTheSlotCodes)
{
    people.SetCode("equipment", 1, 0, 130);
    people.SetCode("equipment", 1, 1, 248);
    people.SetCode("equipment", 1, 2, 5);   // below 128: no entry
    people.SetCode("items", 1, 0, 128);
    people.SetCode("items", 1, 1, 200);     // 129 to 254: no entry
    people.SetCode("items", 1, 2, 0);
    people.RefreshLabels(1);
    const std::string noEntryCells[] = {people.Cell(1, 12), people.Cell(1, 16)};

    Drive("characters", 1, [&](QDialog* dlg) {
        EXPECT_STREQ(dlg->metaObject()->className(), "CCharacterDlg");
        EXPECT_EQ(dlg->windowTitle(), "人物属性编辑");
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(Edit(dlg, 1012 + k)->toPlainText().toStdString(), people.Cell(1, k)) << k;
            SetEdit(dlg, 1012 + k, QString::number(k));
        }
        EXPECT_EQ(Combo(dlg, 1023)->count(), 129);
        EXPECT_EQ(Combo(dlg, 1026)->count(), 121);
        EXPECT_EQ(Combo(dlg, 1026)->currentIndex(), 2);
        EXPECT_EQ(Combo(dlg, 1027)->currentIndex(), 120);
        EXPECT_EQ(Combo(dlg, 1028)->currentIndex(), -1);
        EXPECT_EQ(Combo(dlg, 1023)->currentIndex(), 128);
        EXPECT_EQ(Combo(dlg, 1024)->currentIndex(), -1);
        EXPECT_EQ(Combo(dlg, 1025)->currentIndex(), 0);
        SetCombo(dlg, 1026, 48);  // the first head armour
        SetCombo(dlg, 1025, 127); // the last item
        SetCombo(dlg, 1032, 120); // "-----"
        Press(dlg, "确定");
    });
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(people.Cell(1, k), std::to_string(k));
    EXPECT_EQ(people.Code("equipment", 1, 0), 176);
    EXPECT_EQ(people.Cell(1, 14), names::Get(List::HumanEquipment)[48]);
    EXPECT_EQ(people.Code("equipment", 1, 1), 255); // 248 opened on "-----"
    EXPECT_EQ(people.Cell(1, 15), "-----");
    EXPECT_EQ(people.Code("equipment", 1, 2), 5);   // kept, and its cell
    EXPECT_EQ(people.Cell(1, 16), noEntryCells[1]);
    EXPECT_EQ(people.Code("equipment", 1, 6), 255);
    EXPECT_EQ(people.Cell(1, 20), "-----");
    EXPECT_EQ(people.Code("items", 1, 0), 255);      // 128 opened on "-----"
    EXPECT_EQ(people.Code("items", 1, 1), 200);
    EXPECT_EQ(people.Cell(1, 12), noEntryCells[0]);
    EXPECT_EQ(people.Code("items", 1, 2), 127);
    EXPECT_EQ(people.Cell(1, 13), names::Get(List::Items)[127]);
}
