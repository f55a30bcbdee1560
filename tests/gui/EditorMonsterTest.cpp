// The monster editors driven through EditRow: the variant by row, the loot lists that follow
// their category and each other, and placeholder loot turned into 255 on "确定".
#include "EditorSupport.h"
#include "names/Names.h"

using namespace dravik;
using namespace dravik::test;
using names::List;

namespace {
class EditorMonster : public EditorTest {
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
        m.SetCode("attacks", 46, k, k == 5 ? 150 : 0x10); // 150 is beyond list B
        m.SetCode("attacks", 47, k, 0x9C);
    }
    m.RefreshAllLabels();
    const std::string beyond = m.Cell(46, 16);
    Drive("monsters", 46, [](QDialog* dlg) {
        EXPECT_STREQ(dlg->metaObject()->className(), "CMonsterDlg");
        EXPECT_EQ(Combo(dlg, 1023)->count(), 144);
        EXPECT_EQ(Combo(dlg, 1028)->currentIndex(), -1);
        for (int k = 1; k <= 10; ++k)
            SetEdit(dlg, 1012 + k, QString::number(k));
        SetCombo(dlg, 1024, 0x8F);
        Press(dlg, "确定");
    });
    Drive("monsters", 47, [](QDialog* dlg) {
        EXPECT_STREQ(dlg->metaObject()->className(), "CMonsterDlg2");
        EXPECT_EQ(Combo(dlg, 1023)->count(), 174);
        EXPECT_EQ(Combo(dlg, 1023)->currentText().toStdString(), names::Combo(List::AttacksA)[0x9C]);
        Press(dlg, "确定");
    });
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(m.Cell(46, k), std::to_string(k));
    EXPECT_EQ(m.Code("attacks", 46, 1), 0x8F);
    EXPECT_EQ(m.Cell(46, 12), names::Get(List::AttacksB)[0x8F]);
    EXPECT_EQ(m.Code("attacks", 46, 5), 150);
    EXPECT_EQ(m.Cell(46, 16), beyond);
    // The cell shows the list's own text for 9C, not the drop-down's.
    EXPECT_EQ(m.Cell(47, 11), names::Get(List::AttacksA)[0x9C]);
    EXPECT_NE(names::Get(List::AttacksA)[0x9C], names::Combo(List::AttacksA)[0x9C]);
}

TEST_F(EditorMonster, ChangingTheCategoryKeepsTheCodeAndSwapsTheEnabledList)
{
    SetLoot(10, 2, 130, 9, 0x82);
    Drive("monsters", 10, [](QDialog* dlg) {
        QComboBox* human = Combo(dlg, 1030);
        QComboBox* tank = Combo(dlg, 1031);
        EXPECT_EQ(Combo(dlg, 1029)->currentText(), "人物类3");
        EXPECT_EQ(human->currentText().toStdString(), names::Combo(List::Items)[2]);
        EXPECT_EQ(tank->currentText().toStdString(), names::Combo(List::TankItems)[2]);
        EXPECT_TRUE(human->isEnabled() && !tank->isEnabled());
        EXPECT_TRUE(!Combo(dlg, 1033)->isEnabled() && Combo(dlg, 1034)->isEnabled());
        SetCombo(dlg, 1029, 8); // "战车类1"
        EXPECT_TRUE(!human->isEnabled() && tank->isEnabled());
        EXPECT_EQ(tank->currentIndex(), 130);
        SetCombo(dlg, 1034, 0x9F); // the lists of a drop follow each other both ways
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
}

TEST_F(EditorMonster, PlaceholderLootBecomesNoneAndOddCategoriesAreKept)
{
    SetLoot(20, 0, 5, 12, 200);  // 200: a tank placeholder, kept until OK
    SetLoot(30, 20, 130, 3, 5);  // 20 has no entry: opens unselected, still names tank things
    Drive("monsters", 20, [](QDialog* dlg) {
        SetCombo(dlg, 1030, 125);
        EXPECT_EQ(Combo(dlg, 1030)->currentText(), "XXXXX");
        Press(dlg, "确定");
    });
    EXPECT_EQ(m.Code("early_loot", 20), 255);
    EXPECT_EQ(m.Code("late_loot", 20), 255);
    EXPECT_EQ(m.Cell(20, 17), "-----");
    Drive("monsters", 20, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1030)->currentText(), "没有");
        Press(dlg, "取消");
    });
    Drive("monsters", 30, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1029)->currentIndex(), -1);
        EXPECT_TRUE(!Combo(dlg, 1030)->isEnabled() && Combo(dlg, 1031)->isEnabled());
        Press(dlg, "确定");
    });
    EXPECT_EQ(m.Code("early_category", 30), 20);
    EXPECT_EQ(m.Code("early_loot", 30), 130);
}
