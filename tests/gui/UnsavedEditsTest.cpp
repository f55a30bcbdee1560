// Leaving a file with unsaved edits (Close, Open of another, Exit) asks first; 另存为 writes the
// edits to a new file that becomes the open one.
#include <QTest>

#include "WindowFixture.h"
#include "rom/Recovery.h"

namespace dravik::test {
namespace {

using UnsavedEditsTest = WindowTest;

TEST_F(UnsavedEditsTest, LeavingAskedAndTheAnswerSavesDropsOrStays)
{
    TempImage second(Sample(2), "second.smc");
    const std::function<void()> leaves[] = {
        [this] { Action("actionClose")->trigger(); },
        [this, &second] { Open(second.Path()); },
        [this] { window->close(); },
    };
    for (const auto& leave : leaves) {
        for (const char* answer : {"取消", "不保存", "保存", ""}) { // "": Esc, or the close box
            SCOPED_TRACE(answer);
            ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
            window->show();
            if (window->GetSession().IsModified())
                user.AnswerButton(U("不保存"));
            Load();
            SetPrice(2, QStringLiteral("77"));
            user.Clear();
            if (*answer)
                user.AnswerButton(U(answer));
            leave();
            ASSERT_EQ(Questions(), std::vector<QString>{U("是否保存对 image.smc 的修改？")});
            EXPECT_EQ(user.Asked(Prompt::Message)[0].buttons,
                      QStringList({U("保存"), U("不保存"), U("取消")}));
            const bool stays = std::string(answer) == "取消" || !*answer;
            const app::Session& session = window->GetSession();
            EXPECT_EQ(session.IsLoaded() && session.Document().Path() == image.Path() && window->isVisible(),
                      stays);
            EXPECT_EQ(Get(image.Read(), 0xC0204, 2) == 77, std::string(answer) == "保存");
            const std::string record =
                rom::RecordPath(dataFolder.path().toStdString() + "/recovery", image.Path());
            if (!stays) { // saved or dropped: nothing to offer back at the next Open
                EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(record)));
            }
        }
    }
    // Without unsaved edits nothing is asked; an edit undone is none.
    window->show();
    Load();
    SetPrice(2, QStringLiteral("77"));
    Action("actionUndo")->trigger();
    user.Clear();
    Action("actionClose")->trigger();
    EXPECT_FALSE(window->GetSession().IsLoaded());
    EXPECT_TRUE(user.Asked(Prompt::Message).empty());
}

// Open asks before its file dialog; edits let go there stay, with their recovery record, until a
// file is chosen.
TEST_F(UnsavedEditsTest, OpenAsksFirstAndACancelledFileDialogKeepsTheEdits)
{
    Load();
    SetPrice(2, QStringLiteral("77"));
    QApplication::processEvents(); // the recovery record is written
    const QString record =
        QString::fromStdString(rom::RecordPath(dataFolder.path().toStdString() + "/recovery", image.Path()));
    ASSERT_TRUE(QFileInfo::exists(record));
    user.Clear();
    user.AnswerButton(U("不保存")); // and no file: the dialog is cancelled
    Action("actionOpen")->trigger();
    ASSERT_EQ(user.Asked().size(), 2u);
    EXPECT_EQ(user.Asked()[0].kind, Prompt::Message);
    EXPECT_EQ(user.Asked()[1].kind, Prompt::File);
    EXPECT_TRUE(window->GetSession().IsModified());
    EXPECT_TRUE(QFileInfo::exists(record));
}

// Save As writes the edits to a new file that becomes the open one, asks first (as Save does) when
// another program changed the open file, and keeps a file it replaces as its backup.
TEST_F(UnsavedEditsTest, SaveAsWritesTheEditsToANewFileThatBecomesTheOpenOne)
{
    Load();
    SetPrice(2, QStringLiteral("77"));
    rom::Bytes theirs = Sample(1);
    Put(theirs, 0xC0200, 2, 7777); // item 1's price, by another program
    ASSERT_TRUE(WriteFile(image.Path(), theirs));
    QTemporaryDir folder;
    const std::string copy = folder.path().toStdString() + "/copy.smc";
    ASSERT_TRUE(WriteFile(copy, Sample(2)));
    QApplication::setActiveWindow(window.get());
    for (const char* answer : {"取消", "覆盖"}) {
        user.AnswerFile(QString::fromStdString(copy));
        user.AnswerButton(U(answer));
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_FALSE(Questions().empty());
        EXPECT_TRUE(Questions().back().startsWith(U("image.smc 在打开后已被其他程序修改")));
    }
    EXPECT_EQ(user.Asked(Prompt::File).back().caption, U("另存为"));
    EXPECT_EQ(Messages().back().text, U("保存成功!\t"));
    rom::Bytes expected = Sample(1); // 覆盖 writes the window's values
    Put(expected, 0xC0204, 2, 77);
    EXPECT_EQ(ReadFile(copy), expected);
    EXPECT_EQ(ReadFile(copy + ".bak"), Sample(2)) << "the file replaced, kept once";
    EXPECT_EQ(image.Read(), theirs) << "the original stays as it was";
    EXPECT_EQ(window->GetSession().Document().Path(), copy);
    EXPECT_FALSE(window->GetSession().IsModified());
    EXPECT_EQ(Title(), U("Dravik静态修改器 - copy.smc"));

    // A refused value writes no file.
    window->GetSession().Document().GetModel().Get("items").SetCell(3, 1, "x");
    const QString refused = folder.path() + QStringLiteral("/refused.smc");
    user.AnswerFile(refused);
    Action("actionSaveAs")->trigger();
    EXPECT_TRUE(Messages().back().text.startsWith(U("未另存："))) << Messages().back().text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(refused));
    EXPECT_EQ(window->GetSession().Document().Path(), copy);
}

} // namespace
} // namespace dravik::test
