// Save of a file another program changed after Open: nothing is written until the user chooses
// to overwrite it, open it again, or leave it.
#include "WindowFixture.h"

#include "widgets/LineBox.h"

namespace dravik::test {
namespace {

class WindowSaveConflictTest : public WindowTest {};

TEST_F(WindowSaveConflictTest, AChangedFileIsOverwrittenReloadedOrLeftAsTheUserChooses)
{
    for (const char* answer : {"取消", "重新载入", "覆盖"}) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        Load();
        window->ShowPage(5);
        ClickRow(1028, 2);
        Box(1029)->SetText(QStringLiteral("9")); // the price of item 3
        Button(1030)->click();
        ASSERT_EQ(Cell(1028, 2, 1), QStringLiteral("9"));
        ASSERT_TRUE(WriteFile(image.Path(), Sample(2))); // another program
        user.Clear();
        user.AnswerButton(U(answer));
        Action("actionSave")->trigger();

        ASSERT_FALSE(user.Asked().empty());
        const test::Prompt& asked = user.Asked()[0];
        EXPECT_TRUE(asked.text.startsWith(U("image.smc 在打开后已被其他程序修改，改动了 ")))
            << asked.text.toStdString();
        EXPECT_TRUE(asked.text.contains(U("覆盖："))) << "what each answer does";
        EXPECT_EQ(asked.buttons, QStringList({U("覆盖"), U("重新载入"), U("取消")}));
        const std::string a = answer;
        if (a == "取消") {
            EXPECT_TRUE(image.Read() == Sample(2));
            EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("9")) << "the edit is still there";
            EXPECT_EQ(user.Asked().size(), 1u);
        } else if (a == "重新载入") {
            EXPECT_TRUE(image.Read() == Sample(2));
            ExpectState(image.Path(), 2);
        } else {
            EXPECT_EQ(Get(image.Read(), 0xC0200 + 2 * 2, 2), 9u);
            ASSERT_EQ(user.Asked().size(), 2u);
            EXPECT_EQ(user.Asked()[1].text, U("保存成功!\t"));
            rom::RomDocument reread;
            ASSERT_TRUE(reread.Open(image.Path()).ok);
            EXPECT_EQ(reread.GetModel().Get("items").Cell(2, 1), "9");
        }
    }
}

// The question counts the fields the other program changed, which 覆盖 would take back.
TEST_F(WindowSaveConflictTest, TheQuestionNamesTheFileAndCountsTheFieldsChanged)
{
    Load();
    Box(1052)->SetText(QStringLiteral("1"));
    rom::Bytes other = Sample(1);
    Put(other, 0xC0200 + 2 * 2, 2, 7777); // item 3's price
    ASSERT_TRUE(WriteFile(image.Path(), other));
    Action("actionSave")->trigger(); // cancelled
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.startsWith(U("image.smc 在打开后已被其他程序修改，改动了 1 个字段。")))
        << Messages()[0].text.toStdString();
    EXPECT_EQ(image.Read(), other);
}

} // namespace
} // namespace dravik::test
