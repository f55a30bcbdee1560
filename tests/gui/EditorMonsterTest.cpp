// The monster editors driven through EditRow: the variant by row, the loot lists that follow
// their category and each other, and the normalisation of placeholder loot on "确定".
#include "EditorSupport.h"
#include "editors/CMonsterDlg.h"
#include "names/Names.h"

using namespace dravik;
using names::List;
using test::Combo;
using test::Edit;
using test::Press;
using test::SetCombo;
using test::SetEdit;

namespace {

class EditorMonster : public test::EditorTest {
protected:
    rom::Table& m = T("monsters");
    void SetLoot(int row, int early, int earlyCode, int late, int lateCode)
    {
        m.SetCode("early_category", row, 0, early);
        m.SetCode("early_loot", row, 0, earlyCode);
        m.SetCode("late_category", row, 0, late);
        m.SetCode("late_loot", row, 0, lateCode);
        m.RefreshLabels(row);
    }
};

} // namespace

TEST_F(EditorMonster, Row46OpensTheFirstVariantAndRow47TheSecond)
{
    for (int k = 0; k < 6; ++k) {
        m.SetCode("attacks", 46, k, 0x10 + k);
        m.SetCode("attacks", 47, k, 0x9C);
    }
    m.SetCode("attacks", 46, 5, 150); // beyond list B: no entry, kept on OK
    m.RefreshLabels(46);
    m.RefreshLabels(47);
    const std::string beyond = m.Cell(46, 16);

    Drive("monsters", 46, [](QDialog* dlg) {
        EXPECT_STREQ(dlg->metaObject()->className(), "CMonsterDlg");
        EXPECT_EQ(dlg->windowTitle(), "怪物属性编辑");
        EXPECT_EQ(Combo(dlg, 1023)->count(), 144);
        EXPECT_EQ(Combo(dlg, 1023)->currentIndex(), 0x10);
        EXPECT_EQ(Combo(dlg, 1028)->currentIndex(), -1);
        SetCombo(dlg, 1024, 0x8F);
        Press(dlg, "确定");
    });
    Drive("monsters", 47, [](QDialog* dlg) {
        EXPECT_STREQ(dlg->metaObject()->className(), "CMonsterDlg2");
        EXPECT_EQ(Combo(dlg, 1023)->count(), 174);
        // The drop-down shows its own text for 9C; the cell keeps the name the load shows.
        EXPECT_EQ(Combo(dlg, 1023)->currentText().toStdString(), names::Combo(List::AttacksA)[0x9C]);
        SetCombo(dlg, 1028, 173);
        Press(dlg, "确定");
    });
    EXPECT_EQ(m.Code("attacks", 46, 0), 0x10);
    EXPECT_EQ(m.Code("attacks", 46, 1), 0x8F);
    EXPECT_EQ(m.Cell(46, 12), names::Get(List::AttacksB)[0x8F]);
    EXPECT_EQ(m.Code("attacks", 46, 5), 150);
    EXPECT_EQ(m.Cell(46, 16), beyond);
    EXPECT_EQ(m.Cell(47, 11), names::Get(List::AttacksA)[0x9C]);
    EXPECT_NE(m.Cell(47, 11), names::Combo(List::AttacksA)[0x9C]);
    EXPECT_EQ(m.Code("attacks", 47, 5), 173);
    EXPECT_EQ(m.Cell(47, 16), names::Get(List::AttacksA)[173]);
}

TEST_F(EditorMonster, TenTextFieldsGoToColumnsOneToTen)
{
    Drive("monsters", 100, [&](QDialog* dlg) {
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(Edit(dlg, 1012 + k)->toPlainText().toStdString(), m.Cell(100, k)) << k;
            SetEdit(dlg, 1012 + k, QString::number(100 + k));
        }
        Press(dlg, "确定");
    });
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(m.Cell(100, k), std::to_string(100 + k));
}

TEST_F(EditorMonster, ChangingTheCategoryKeepsTheCodeAndSwapsTheEnabledList)
{
    SetLoot(10, 2, 130, 9, 0x82);
    Drive("monsters", 10, [](QDialog* dlg) {
        auto* monster = qobject_cast<CMonsterDlgBase*>(dlg);
        ASSERT_TRUE(monster);
        QComboBox* human = Combo(dlg, 1030);
        QComboBox* tank = Combo(dlg, 1031);
        EXPECT_EQ(Combo(dlg, 1029)->currentText(), "人物类3");
        EXPECT_EQ(human->currentText().toStdString(), names::Get(List::Items)[2]);
        EXPECT_EQ(tank->currentText().toStdString(), names::Get(List::TankItems)[2]);
        EXPECT_TRUE(human->isEnabled());
        EXPECT_FALSE(tank->isEnabled());
        EXPECT_FALSE(Combo(dlg, 1033)->isEnabled()); // the late drop is a tank category
        EXPECT_TRUE(Combo(dlg, 1034)->isEnabled());

        SetCombo(dlg, 1029, 8); // "战车类1"
        EXPECT_FALSE(human->isEnabled());
        EXPECT_TRUE(tank->isEnabled());
        EXPECT_EQ(tank->currentIndex(), 130);

        // The lists follow each other both ways.
        SetCombo(dlg, 1034, 0x9F);
        EXPECT_EQ(Combo(dlg, 1033)->currentIndex(), 0x9F);
        SetCombo(dlg, 1033, 0x90);
        EXPECT_EQ(Combo(dlg, 1034)->currentIndex(), 0x90);
        Press(dlg, "确定");
    });
    EXPECT_EQ(m.Code("early_category", 10), 8);
    EXPECT_EQ(m.Code("early_loot", 10), 130);
    EXPECT_EQ(m.Cell(10, 17), names::Get(List::TankItems)[2]);
    EXPECT_EQ(m.Code("late_category", 10), 9);
    EXPECT_EQ(m.Code("late_loot", 10), 0x90);
    EXPECT_EQ(m.Cell(10, 18), names::Get(List::TankItems)[0x10]);
}

TEST_F(EditorMonster, PlaceholderLootBecomesNoneOnOk)
{
    // Picked placeholder: human 125; unchanged placeholders: tank 200 and (row 60) human 120.
    SetLoot(20, 0, 5, 12, 200);
    SetLoot(60, 7, 120, 8, 121);
    Drive("monsters", 20, [](QDialog* dlg) {
        SetCombo(dlg, 1030, 125);
        EXPECT_EQ(Combo(dlg, 1030)->currentText(), "XXXXX");
        Press(dlg, "确定");
    });
    Drive("monsters", 60, [](QDialog* dlg) { Press(dlg, "确定"); });
    for (int row : {20, 60}) {
        EXPECT_EQ(m.Code("early_loot", row), 255) << row;
        EXPECT_EQ(m.Code("late_loot", row), 255) << row;
        EXPECT_EQ(m.Cell(row, 17), "-----") << row;
        EXPECT_EQ(m.Cell(row, 18), "-----") << row;
    }
    // ... while the lists show "没有" for the same code.
    Drive("monsters", 20, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1030)->currentText(), "没有");
        EXPECT_EQ(Combo(dlg, 1034)->currentText(), "没有");
        Press(dlg, "取消");
    });
    // A tank thing that is a placeholder only for humans survives a switch to a tank category.
    SetLoot(21, 0, 121, 0, 3);
    Drive("monsters", 21, [](QDialog* dlg) {
        SetCombo(dlg, 1029, 15);
        SetCombo(dlg, 1032, 8);
        Press(dlg, "确定");
    });
    EXPECT_EQ(m.Code("early_loot", 21), 255); // 121 is a placeholder of the tank list too
    EXPECT_EQ(m.Code("late_loot", 21), 3);
    EXPECT_EQ(m.Cell(21, 18), names::Get(List::TankParts)[3]);
}

TEST_F(EditorMonster, ACategoryWithoutEntryIsKeptAndStillChoosesTheList)
{
    SetLoot(30, 20, 130, 3, 5); // 20 cannot come from the image; the editor must not invent one
    Drive("monsters", 30, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1029)->currentIndex(), -1);
        EXPECT_FALSE(Combo(dlg, 1030)->isEnabled());
        EXPECT_TRUE(Combo(dlg, 1031)->isEnabled());
        Press(dlg, "确定");
    });
    EXPECT_EQ(m.Code("early_category", 30), 20);
    EXPECT_EQ(m.Code("early_loot", 30), 130);
}
