// The part and equipment editors driven through EditRow: the real modal dialog, filled and
// closed by a timer as a user would.
#include <QKeyEvent>
#include <QLabel>

#include "EditorSupport.h"

using namespace dravik;
using namespace dravik::test;

namespace {
class EditorParts : public EditorTest {};

void Key(QWidget* w, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
} // namespace

TEST_F(EditorParts, EachEditorOpensFromItsRowAndWritesEveryFieldToItsColumn)
{
    struct Case {
        const char* table;
        int row;
        const char* dialog;
        const char* caption;
        std::vector<std::tuple<int, int, const char*>> fields; // edit id, column, typed text
    };
    const Case cases[] = {
        {"main_cannons", 2, "CMainCannonDlg", "主炮属性编辑",
         {{1013, 1, "1200"}, {1014, 2, "31"}, {1015, 3, "2.5"}, {1016, 4, "45"}, {1017, 5, "6"}}},
        {"sub_cannons", 21, "CSubCannonDlg", "副炮属性编辑", {{1013, 1, "7"}, {1014, 2, "3"}, {1016, 3, "1.25"}, {1017, 4, "40"}}},
        {"special_cannons", 5, "CSpecialCannonDlg", "特殊炮属性编辑",
         {{1013, 1, "65535"}, {1014, 2, "0"}, {1015, 3, "3"}, {1016, 4, "12"}, {1017, 5, "9"}, {1018, 6, "88"}}},
        {"control_systems", 0, "CControlSystemDlg", "控制系统属性编辑",
         {{1013, 1, "500"}, {1014, 2, "7"}, {1015, 3, "0.5"}, {1016, 4, "20"}, {1017, 5, "21"}}},
        {"engines", 26, "CEngineDlg", "引擎属性编辑", {{1013, 1, "9000"}, {1014, 2, "8"}, {1016, 3, "1.5"}, {1017, 4, "20.25"}}},
        {"human_weapons", 40, "CHumanWeaponDlg", "人类武器编辑", {{1013, 1, "4000"}, {1014, 2, "300"}}},
        {"head_armour", 0, "CHumanArmorDlg", "人类防具编辑", {{1013, 1, "10"}, {1014, 2, "11"}}},
        {"body_armour", 23, "CHumanArmorDlg", "人类防具编辑", {{1013, 1, "12"}, {1014, 2, "13"}}},
        {"hand_foot_armour", 7, "CHumanArmorDlg", "人类防具编辑", {{1013, 1, "14"}, {1014, 2, "15"}}},
        {"armour_pieces", 11, "CHumanArmorDlg", "人类防具编辑", {{1013, 1, "16"}, {1014, 2, "17"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        const rom::Table before = T(c.table);
        Drive(c.table, c.row, [&](QDialog* dlg) {
            EXPECT_STREQ(dlg->metaObject()->className(), c.dialog);
            EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(c.caption));
            EXPECT_EQ(dlg->findChild<QLabel*>("title1005")->text().toStdString(), before.Cell(c.row, 0));
            for (auto [id, column, typed] : c.fields) {
                EXPECT_EQ(Edit(dlg, id)->toPlainText().toStdString(), before.Cell(c.row, column)) << id;
                SetEdit(dlg, id, QString::fromUtf8(typed));
            }
            Press(dlg, "确定");
        });
        std::vector<std::string> expected = RowState(before, c.row);
        for (auto [id, column, typed] : c.fields)
            expected[static_cast<size_t>(column)] = typed;
        EXPECT_EQ(RowState(T(c.table), c.row), expected); // codes and label cells untouched
        for (int row = 0; row < before.Rows(); ++row) {
            if (row != c.row) {
                EXPECT_EQ(RowState(T(c.table), row), RowState(before, row)) << row;
            }
        }
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(EditorParts, CancelChangesNothingOnAnyTable)
{
    const std::pair<const char*, int> rows[] = {
        {"main_cannons", 1}, {"sub_cannons", 1},  {"special_cannons", 1}, {"control_systems", 1}, {"engines", 1},
        {"tanks", 12},       {"human_weapons", 9}, {"body_armour", 3},    {"characters", 2},      {"monsters", 100}};
    for (auto [id, row] : rows) {
        const std::vector<std::string> before = RowState(T(id), row);
        EXPECT_FALSE(Drive(id, row, [](QDialog* dlg) {
            for (QPlainTextEdit* edit : dlg->findChildren<QPlainTextEdit*>())
                edit->setPlainText("9");
            for (QComboBox* combo : dlg->findChildren<QComboBox*>())
                combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
            Press(dlg, "取消");
        }));
        EXPECT_EQ(RowState(T(id), row), before) << id;
    }
}

// Text passes through as typed, Enter and empty included; what the save pass would refuse is
// refused at "确定" with the dialog left open, except a text unchanged since the load.
TEST_F(EditorParts, TextIsKeptAsTypedAndRefusedOnlyWhereTheSaveWouldRefuseIt)
{
    Drive("sub_cannons", 4, [](QDialog* dlg) {
        Edit(dlg, 1013)->setFocus();
        SetEdit(dlg, 1013, "12a");
        Press(dlg, "确定");
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->focusWidget(), Edit(dlg, 1013)); // the box to mend gets the focus back
        SetEdit(dlg, 1013, "12");
        Edit(dlg, 1013)->moveCursor(QTextCursor::End);
        Key(Edit(dlg, 1013), Qt::Key_Return); // a line break, not "确定"
        SetEdit(dlg, 1014, "256");            // one byte
        Press(dlg, "确定");
        EXPECT_TRUE(dlg->isVisible());
        SetEdit(dlg, 1014, "");
        Press(dlg, "确定");
    });
    EXPECT_EQ(messages_, QStringList({"错误|价格: \"12a\" 不是数字", "错误|防御: \"256\" 超出范围 0 到 255"}));
    EXPECT_EQ(T("sub_cannons").Cell(4, 1), "12\n");
    EXPECT_EQ(T("sub_cannons").Cell(4, 2), "");
    EXPECT_TRUE(rom::PlanSave(model_).Ok());

    // Head armour row 2 keeps 0xC0 above its defence; a byte below that loads negative.
    rom::Bytes image = rom::MakeSampleImage(3);
    image[0xC0470 + 4 * 2 + 3] = 0x10;
    rom::LoadTables(image, model_);
    Drive("head_armour", 2, [](QDialog* dlg) { Press(dlg, "确定"); });
    EXPECT_EQ(messages_.size(), 2);
    EXPECT_EQ(T("head_armour").Cell(2, 2), "-176");
}

TEST_F(EditorParts, EnterOutsideAnEditBoxPressesOkAndEscapeCancels)
{
    T("human_weapons").SetCode("range", 1, 0, 0);
    Drive("human_weapons", 1, [](QDialog* dlg) {
        SetCombo(dlg, 1022, 1);
        Key(Combo(dlg, 1022), Qt::Key_Return);
    });
    Drive("human_weapons", 1, [](QDialog* dlg) {
        SetCombo(dlg, 1022, 2);
        Key(Combo(dlg, 1022), Qt::Key_Escape);
    });
    EXPECT_EQ(T("human_weapons").Code("range", 1), 64);
}

TEST_F(EditorParts, WeaponRangeAndWhoCanEquip)
{
    rom::Table& w = T("human_weapons");
    w.SetCode("range", 9, 0, 64 + 5); // 火焰枪 (low bits 16) with stray low bits
    w.SetCode("users", 9, 0, 5);
    w.SetCode("range", 28, 0, 192 + 40); // no range entry
    w.SetCode("users", 28, 0, 12);       // no users entry
    w.RefreshAllLabels();
    const std::vector<std::string> row28 = RowState(w, 28);

    Drive("human_weapons", 9, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1022)->currentText(), "一组");
        EXPECT_EQ(Combo(dlg, 1023)->currentText(), "主|战");
        Press(dlg, "确定");
    });
    EXPECT_EQ(w.Code("range", 9), 64 + 16); // OK alone normalises the low bits
    Drive("human_weapons", 9, [](QDialog* dlg) {
        SetCombo(dlg, 1022, 2);
        SetCombo(dlg, 1023, 6);
        Press(dlg, "确定");
    });
    EXPECT_EQ(w.Code("range", 9), 128 + 16);
    EXPECT_EQ(w.Code("users", 9), 7);
    EXPECT_EQ(w.Cell(9, 3), "全体");
    EXPECT_EQ(w.Cell(9, 4), "主|机|战");

    Drive("human_weapons", 28, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1022)->currentIndex(), -1);
        EXPECT_EQ(Combo(dlg, 1023)->currentIndex(), -1);
        Press(dlg, "确定");
    });
    EXPECT_EQ(RowState(w, 28), row28); // both codes and their cells kept

    EXPECT_FALSE(editors::HasRowEditor("tank_items"));
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("tank_items"), 0));
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("main_cannons"), 32));
}
