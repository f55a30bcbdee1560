// The row editor dialogs' text fields driven through EditRow as a user would: "确定" writes them,
// "取消" writes nothing, and the save's checks apply.
#include <QLabel>

#include <map>
#include <numeric>

#include "EditorSupport.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::test;
using EditorDialogs = EditorTest;

// Every row editor: "取消" and Esc write nothing; "确定" writes what was typed into each box's own
// field (the next dialog opened shows it there) and nothing else of the table.
TEST_F(EditorDialogs, EachEditorWritesItsTextFieldsOnOkAndNothingOnCancel)
{
    const auto TableState = [](const rom::Table& table) {
        std::vector<std::string> state;
        for (int row = 0; row < table.Rows(); ++row)
            for (std::string& s : RowState(table, row))
                state.push_back(std::move(s));
        return state;
    };
    for (const rom::Table& table : doc_->GetModel().Tables()) {
        const int row = 2;
        if (!editors::HasRowEditor(table.Id()))
            continue;
        SCOPED_TRACE(table.Id());
        const std::vector<std::string> before = State(doc_->GetModel());
        for (const bool escape : {false, true})
            EXPECT_FALSE(Drive(table.Id().c_str(), row, [escape](QDialog* dlg) {
                for (widgets::LineBox* edit : dlg->findChildren<widgets::LineBox*>())
                    edit->SetText("9");
                for (QComboBox* combo : dlg->findChildren<QComboBox*>())
                    combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
                escape ? Key(dlg, Qt::Key_Escape) : dlg->findChild<QPushButton*>("button2")->click(); // 取消
            }));
        EXPECT_EQ(State(doc_->GetModel()), before) << "cancelled";

        // Each box gets a value of its own unlike the one before it: the field it shows changes,
        // and no other.
        std::vector<std::pair<QString, QString>> typed; // box, text
        size_t changed = 0;
        const std::vector<std::string> was = TableState(table);
        Drive(table.Id().c_str(), row, [&](QDialog* dlg) {
            EXPECT_EQ(dlg->findChild<QLabel*>("title1005")->text().toStdString(), table.Cell(row, 0));
            for (widgets::LineBox* edit : dlg->findChildren<widgets::LineBox*>()) {
                QString text = QStringLiteral("1");
                for (const char* other : {"2", "0"})
                    if (text == edit->Text() || (!typed.empty() && text == typed.back().second))
                        text = QString::fromLatin1(other);
                changed += text != edit->Text();
                edit->SetText(text);
                typed.emplace_back(edit->objectName(), text);
            }
            Ok(dlg);
        });
        const std::vector<std::string> now = TableState(table);
        EXPECT_EQ(std::inner_product(was.begin(), was.end(), now.begin(), size_t(0), std::plus<>(),
                                     std::not_equal_to<>()),
                  changed);
        Drive(table.Id().c_str(), row, [&typed](QDialog* dlg) {
            for (const auto& [box, text] : typed)
                EXPECT_EQ(dlg->findChild<widgets::LineBox*>(box)->Text().toStdString(), text.toStdString())
                    << box.toStdString();
        });
    }
    EXPECT_TRUE(Messages().empty()) << Messages().join("\n").toStdString();
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
