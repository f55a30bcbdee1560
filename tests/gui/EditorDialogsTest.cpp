// The row editor dialogs' text fields driven through EditRow as a user would: "确定" writes them,
// "取消" writes nothing, and the save's checks apply.
#include <QLabel>

#include "EditorSupport.h"

using namespace dravik;
using namespace dravik::test;
using EditorDialogs = EditorTest;

TEST_F(EditorDialogs, EachEditorWritesItsTextFieldsOnOkAndNothingOnCancel)
{
    struct Case {
        const char *table, *dialog;
        int row;
        const char* fields; // edit id=typed text, for columns 1, 2, ...
    };
    const Case cases[] = {
        {"main_cannons", "CMainCannonDlg", 2, "1013=1200 1014=31 1015=2.5 1016=45 1017=6"},
        {"sub_cannons", "CSubCannonDlg", 21, "1013=7 1014=3 1016=1.25 1017=40"},
        {"special_cannons", "CSpecialCannonDlg", 5, "1013=65535 1014=0 1015=3 1016=12 1017=9 1018=88"},
        {"control_systems", "CControlSystemDlg", 0, "1013=500 1014=7 1015=0.5 1016=20 1017=21"},
        {"engines", "CEngineDlg", 26, "1013=9000 1014=8 1016=1.5 1017=20.25"},
        {"tanks", "CTankDlg", 9, "1013=40 1014=200 1015=900 1016=4.05 1017=500"},
        {"human_weapons", "CHumanWeaponDlg", 40, "1013=4000 1014=300"},
        {"head_armour", "CHumanArmorDlg", 0, "1013=10 1014=11"},
        {"body_armour", "CHumanArmorDlg", 23, "1013=12 1014=13"},
        {"hand_foot_armour", "CHumanArmorDlg", 7, "1013=14 1014=15"},
        {"armour_pieces", "CHumanArmorDlg", 11, "1013=16 1014=17"},
        {"characters", "CCharacterDlg", 1,
         "1013=1 1014=2 1015=3 1016=4 1017=5 1018=6 1019=7 1020=8 1021=9 1022=10"},
        {"monsters", "CMonsterDlg", 46,
         "1013=1 1014=2 1015=3 1016=4 1017=5 1018=6 1019=7 1020=8 1021=9 1022=10"},
        {"monsters", "CMonsterDlg", 100,
         "1013=9 1014=8 1015=7 1016=6 1017=5 1018=4 1019=3 1020=2 1021=1 1022=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.table << " " << c.row);
        const rom::Table before = T(c.table);
        std::vector<std::string> expected = RowState(before, c.row);
        const bool escape = (&c - cases) % 2;
        EXPECT_FALSE(Drive(c.table, c.row, [escape](QDialog* dlg) {
            for (widgets::LineBox* edit : dlg->findChildren<widgets::LineBox*>())
                edit->SetText("9");
            for (QComboBox* combo : dlg->findChildren<QComboBox*>())
                combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
            escape ? Key(dlg, Qt::Key_Escape) : dlg->findChild<QPushButton*>("button2")->click(); // 取消
        }));
        EXPECT_EQ(RowState(T(c.table), c.row), expected) << "cancelled";
        Drive(c.table, c.row, [&](QDialog* dlg) {
            EXPECT_EQ(dlg->objectName().toStdString(), c.dialog);
            EXPECT_EQ(dlg->findChild<QLabel*>("title1005")->text().toStdString(), before.Cell(c.row, 0));
            const QStringList fields = QString(c.fields).split(' ');
            for (int i = 0; i < fields.size(); ++i) {
                const int id = fields[i].section('=', 0, 0).toInt();
                EXPECT_EQ(Edit(dlg, id)->Text().toStdString(), expected[i + 1]) << id;
                SetEdit(dlg, id, fields[i].section('=', 1));
                expected[i + 1] = fields[i].section('=', 1).toStdString();
            }
            Ok(dlg);
        });
        for (int row = 0; row < before.Rows(); ++row) // codes and label cells untouched
            EXPECT_EQ(RowState(T(c.table), row), row == c.row ? expected : RowState(before, row)) << row;
    }
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("tank_items"), 0));
    EXPECT_FALSE(editors::CreateRowEditor(nullptr, T("main_cannons"), T("main_cannons").Rows()));
}

// Text passes through as typed, Enter and empty included; what the save would refuse is refused
// at "确定" with the dialog left open, except a text unchanged since the load.
TEST_F(EditorDialogs, TextIsKeptAsTypedAndRefusedOnlyWhereTheSaveWouldRefuseIt)
{
    Drive("sub_cannons", 4, [](QDialog* dlg) {
        SetEdit(dlg, 1013, "12a");
        SetEdit(dlg, 1014, "256"); // one byte
        Ok(dlg);
        SetEdit(dlg, 1013, "12");
        Edit(dlg, 1013)->end(false);
        Key(Edit(dlg, 1013), Qt::Key_Return); // a line break, not "确定"
        Ok(dlg);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->focusWidget(), Edit(dlg, 1014)); // the box to mend gets the focus
        SetEdit(dlg, 1014, "");
        Ok(dlg);
    });
    EXPECT_EQ(Messages(),
              QStringList({"错误|价格: \"12a\" 不是数字", "错误|防御: \"256\" 超出范围 0 到 255"}));
    EXPECT_EQ(T("sub_cannons").Cell(4, 1), "12"); // the line break at the end is no part of it
    EXPECT_EQ(T("sub_cannons").Cell(4, 2), "");
    EXPECT_TRUE(rom::PlanSave(doc_->GetModel()).Ok());

    // Head armour row 2 keeps 0xC0 above its defence; a byte below that loads negative.
    rom::Bytes image = rom::MakeSampleImage(3);
    image[0xC0470 + 4 * 2 + 3] = 0x10;
    rom::LoadTables(image, doc_->GetModel());
    Drive("head_armour", 2, Ok);
    EXPECT_EQ(Messages().size(), 2);
    EXPECT_EQ(T("head_armour").Cell(2, 2), "-176");
}
