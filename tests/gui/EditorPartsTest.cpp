// The part and equipment editors driven as the user drives them: EditRow runs the real modal
// dialog, a timer fills its controls and presses "确定" or "取消".
#include <QKeyEvent>
#include <QLabel>

#include "EditorSupport.h"
#include "names/Names.h"

using namespace dravik;
using test::Combo;
using test::Edit;
using test::Press;
using test::SetCombo;
using test::SetEdit;

namespace {

struct Field {
    int id;        // edit box
    int column;    // the cell it is filled from and written to
    const char* typed;
};

struct EditorCase {
    const char* table;
    int row;
    const char* className;
    const char* caption;
    const char* heading;
    std::vector<Field> fields;
};

const EditorCase kCases[] = {
    {"main_cannons", 2, "CMainCannonDlg", "主炮属性编辑", "当前正在编辑的主炮",
     {{1013, 1, "1200"}, {1014, 2, "31"}, {1015, 3, "2.5"}, {1016, 4, "45"}, {1017, 5, "6"}}},
    {"sub_cannons", 21, "CSubCannonDlg", "副炮属性编辑", "当前正在编辑的副炮",
     {{1013, 1, "700"}, {1014, 2, "3"}, {1016, 3, "1.25"}, {1017, 4, "40"}}},
    {"special_cannons", 5, "CSpecialCannonDlg", "特殊炮属性编辑", "当前正在编辑的特殊炮",
     {{1013, 1, "65535"}, {1014, 2, "0"}, {1015, 3, "3.00"}, {1016, 4, "12"}, {1017, 5, "9"}, {1018, 6, "88"}}},
    {"control_systems", 0, "CControlSystemDlg", "控制系统属性编辑", "当前正在编辑的控制系统",
     {{1013, 1, "500"}, {1014, 2, "7"}, {1015, 3, "0.5"}, {1016, 4, "20"}, {1017, 5, "21"}}},
    {"engines", 26, "CEngineDlg", "引擎属性编辑", "当前正在编辑的引擎",
     {{1013, 1, "9000"}, {1014, 2, "8"}, {1016, 3, "1.5"}, {1017, 4, "20.25"}}},
    {"human_weapons", 40, "CHumanWeaponDlg", "人类武器编辑", "当前正在编辑的武器", {{1013, 1, "4000"}, {1014, 2, "300"}}},
    {"head_armour", 0, "CHumanArmorDlg", "人类防具编辑", "当前正在编辑的防具", {{1013, 1, "10"}, {1014, 2, "11"}}},
    {"body_armour", 23, "CHumanArmorDlg", "人类防具编辑", "当前正在编辑的防具", {{1013, 1, "12"}, {1014, 2, "13"}}},
    {"hand_foot_armour", 7, "CHumanArmorDlg", "人类防具编辑", "当前正在编辑的防具", {{1013, 1, "14"}, {1014, 2, "15"}}},
    {"armour_pieces", 11, "CHumanArmorDlg", "人类防具编辑", "当前正在编辑的防具", {{1013, 1, "16"}, {1014, 2, "17"}}},
};

QString Cell(const rom::Table& t, int row, int column) { return QString::fromStdString(t.Cell(row, column)); }

class EditorParts : public test::EditorTest {};

} // namespace

TEST_F(EditorParts, EachEditorOpensFilledFromItsRowAndWritesEveryFieldBackToItsColumn)
{
    for (const EditorCase& c : kCases) {
        SCOPED_TRACE(c.table);
        rom::Table& table = T(c.table);
        const rom::Table before = table;
        bool opened = false;
        const bool changed = Drive(c.table, c.row, [&](QDialog* dlg) {
            opened = true;
            EXPECT_STREQ(dlg->metaObject()->className(), c.className);
            EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(c.caption));
            auto* title = dlg->findChild<QLabel*>("title1005");
            ASSERT_TRUE(title);
            EXPECT_EQ(title->text(), Cell(table, c.row, 0));
            bool headed = false;
            for (QLabel* label : dlg->findChildren<QLabel*>())
                headed |= label->text() == QString::fromUtf8(c.heading);
            EXPECT_TRUE(headed);
            for (const Field& f : c.fields) {
                ASSERT_TRUE(Edit(dlg, f.id)) << f.id;
                EXPECT_EQ(Edit(dlg, f.id)->toPlainText(), Cell(table, c.row, f.column)) << f.id;
                SetEdit(dlg, f.id, QString::fromUtf8(f.typed));
            }
            Press(dlg, "确定");
        });
        ASSERT_TRUE(opened);
        EXPECT_TRUE(changed);
        EXPECT_TRUE(messages_.empty());
        for (const Field& f : c.fields)
            EXPECT_EQ(table.Cell(c.row, f.column), f.typed) << f.id;
        // Nothing else moved: the other rows, and the codes of this one.
        for (int row = 0; row < table.Rows(); ++row)
            if (row != c.row) {
                EXPECT_EQ(test::RowState(table, row), test::RowState(before, row)) << row;
            }
        for (const rom::CodeArray& codes : table.CodeArrays())
            EXPECT_EQ(codes.At(c.row), before.FindCodes(codes.name)->At(c.row)) << codes.name;
    }
}

// Cancel after changing every control, on every table with an editor.
TEST_F(EditorParts, CancelLeavesEveryCellAndCodeAsItWas)
{
    const std::pair<const char*, int> rows[] = {
        {"main_cannons", 1}, {"sub_cannons", 1}, {"special_cannons", 1}, {"control_systems", 1},
        {"engines", 1},      {"tanks", 12},      {"human_weapons", 9},   {"head_armour", 3},
        {"body_armour", 3},  {"hand_foot_armour", 3}, {"armour_pieces", 3}, {"characters", 2},
        {"monsters", 20},    {"monsters", 100}};
    for (auto [id, row] : rows) {
        SCOPED_TRACE(std::string(id) + " " + std::to_string(row));
        const std::vector<std::string> before = test::RowState(T(id), row);
        const bool changed = Drive(id, row, [](QDialog* dlg) {
            for (QPlainTextEdit* edit : dlg->findChildren<QPlainTextEdit*>())
                edit->setPlainText("999");
            for (QComboBox* combo : dlg->findChildren<QComboBox*>())
                combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
            Press(dlg, "取消");
        });
        EXPECT_FALSE(changed);
        EXPECT_EQ(test::RowState(T(id), row), before);
    }
}

TEST_F(EditorParts, TextPassesThroughUnchangedEnterAndEmptyIncluded)
{
    Drive("main_cannons", 0, [](QDialog* dlg) {
        QPlainTextEdit* price = Edit(dlg, 1013);
        price->setFocus();
        price->setPlainText("120");
        price->moveCursor(QTextCursor::End);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(price, &enter);
        EXPECT_TRUE(dlg->isVisible()); // Enter in an edit box is a line break, not "确定"
        SetEdit(dlg, 1014, "");
        Press(dlg, "确定");
    });
    EXPECT_EQ(T("main_cannons").Cell(0, 1), "120\n");
    EXPECT_EQ(T("main_cannons").Cell(0, 2), "");
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(rom::PlanSave(model_).Ok()); // the save pass takes both
}

TEST_F(EditorParts, TextTheSavePassWouldRefuseIsRefusedAtOkAndTheDialogStaysOpen)
{
    bool stayedOpen = false;
    const bool changed = Drive("sub_cannons", 4, [&](QDialog* dlg) {
        SetEdit(dlg, 1013, "12a");
        Press(dlg, "确定");
        stayedOpen = dlg->isVisible();
        EXPECT_TRUE(Edit(dlg, 1013)->hasFocus()); // back on the refused text
        SetEdit(dlg, 1013, "12");
        SetEdit(dlg, 1014, "256"); // defence is one byte
        Press(dlg, "确定");
        SetEdit(dlg, 1014, "255");
        Press(dlg, "确定");
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(changed);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0], QStringLiteral("错误|价格: \"12a\" 不是数字"));
    EXPECT_EQ(messages_[1], QStringLiteral("错误|防御: \"256\" 超出范围 0 到 255"));
    EXPECT_EQ(T("sub_cannons").Cell(4, 1), "12");
    EXPECT_EQ(T("sub_cannons").Cell(4, 2), "255");
}

// A defence byte stored below its row's flag loads as a negative number; the save pass keeps
// such bytes while the text is unchanged, so the editor must let it through as well.
TEST_F(EditorParts, AValueTheLoadShowedOutOfRangePassesWhileUnchanged)
{
    rom::Bytes image = rom::MakeSampleImage(3);
    image[0xC0470 + 4 * 2 + 3] = 0x10; // head armour row 2, defence flag 0xC0
    model_ = rom::Model();
    rom::LoadTables(image, model_);
    ASSERT_EQ(T("head_armour").Cell(2, 2), "-176");
    Drive("head_armour", 2, [](QDialog* dlg) {
        SetEdit(dlg, 1013, "77");
        Press(dlg, "确定");
    });
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(T("head_armour").Cell(2, 1), "77");
    EXPECT_EQ(T("head_armour").Cell(2, 2), "-176");
}

TEST_F(EditorParts, WeaponRangeIsRebuiltFromTheRowsLowBits)
{
    rom::Table& w = T("human_weapons");
    const auto range = [&](int row) { return w.Code("range", row); };

    // 火焰枪 (low bits 16) stored with stray low bits: OK without touching normalises it.
    w.SetCode("range", 9, 0, 64 + 5);
    Drive("human_weapons", 9, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1022)->currentText(), "一组");
        Press(dlg, "确定");
    });
    EXPECT_EQ(range(9), 64 + 16);
    EXPECT_EQ(w.Cell(9, 3), "一组");

    Drive("human_weapons", 9, [](QDialog* dlg) {
        SetCombo(dlg, 1022, 2);
        Press(dlg, "确定");
    });
    EXPECT_EQ(range(9), 128 + 16);
    EXPECT_EQ(w.Cell(9, 3), "全体");

    // 192 and above have no entry: the list opens empty and OK keeps code and cell.
    w.SetCode("range", 28, 0, 192 + 40);
    w.RefreshLabels(28);
    Drive("human_weapons", 28, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1022)->currentIndex(), -1);
        Press(dlg, "确定");
    });
    EXPECT_EQ(range(28), 192 + 40);
    EXPECT_EQ(w.Cell(28, 3), "全体");
}

TEST_F(EditorParts, WhoCanEquipMaskWithAndWithoutEntry)
{
    rom::Table& body = T("body_armour");
    body.SetCode("users", 4, 0, 5);
    Drive("body_armour", 4, [](QDialog* dlg) {
        EXPECT_EQ(Combo(dlg, 1023)->currentText(), "主|战");
        EXPECT_EQ(Combo(dlg, 1023)->count(), 7);
        SetCombo(dlg, 1023, 6);
        Press(dlg, "确定");
    });
    EXPECT_EQ(body.Code("users", 4), 7);
    EXPECT_EQ(body.Cell(4, 3), "主|机|战");

    // A mask of 0 or 8 and more opens without a selection and is kept, with its cell.
    for (int mask : {0, 12}) {
        rom::Table& w = T("human_weapons");
        w.SetCode("users", 3, 0, mask);
        w.RefreshLabels(3);
        const std::string cell = w.Cell(3, 4);
        Drive("human_weapons", 3, [](QDialog* dlg) {
            EXPECT_EQ(Combo(dlg, 1023)->currentIndex(), -1);
            SetEdit(dlg, 1013, "5");
            Press(dlg, "确定");
        });
        EXPECT_EQ(w.Code("users", 3), mask);
        EXPECT_EQ(w.Cell(3, 4), cell);
        EXPECT_EQ(w.Cell(3, 1), "5");
    }
}

TEST_F(EditorParts, TablesWithoutEditorOrRowsOutsideTheTableOpenNothing)
{
    EXPECT_FALSE(editors::HasRowEditor("tank_items"));
    EXPECT_FALSE(editors::HasRowEditor("special_shells"));
    EXPECT_TRUE(editors::HasRowEditor("armour_pieces"));
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("tank_items"), 0));
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("main_cannons"), -1));
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("main_cannons"), 32));
    EXPECT_FALSE(editors::EditRow(nullptr, T("main_cannons"), 32));
}

TEST_F(EditorParts, EnterOutsideAnEditBoxPressesOkAndEscapeCancels)
{
    T("human_weapons").SetCode("range", 1, 0, 0);
    Drive("human_weapons", 1, [](QDialog* dlg) {
        SetCombo(dlg, 1022, 1);
        Combo(dlg, 1022)->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(Combo(dlg, 1022), &enter);
    });
    EXPECT_EQ(T("human_weapons").Code("range", 1), 64);

    Drive("human_weapons", 1, [](QDialog* dlg) {
        SetCombo(dlg, 1022, 2);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(Combo(dlg, 1022), &escape);
    });
    EXPECT_EQ(T("human_weapons").Code("range", 1), 64);
}
