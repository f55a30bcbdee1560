// Unsaved edits outlive the window that made them: the record a window leaves is offered by the
// next window that opens the file, a record that cannot be applied is reported and never applied,
// and a Save over a file another program changed asks first, offering the edits back after a reload.
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "rom/Recovery.h"

namespace dravik::test {
namespace {

class RecoveryWindowTest : public WindowTest {
protected:
    std::string Folder() const { return (dataFolder.path() + QStringLiteral("/recovery")).toStdString(); }
    std::string RecordOf(const std::string& imagePath) const { return rom::RecordPath(Folder(), imagePath); }
    int RecordCount(const std::string& imagePath) const // -1: no record that reads
    {
        rom::RecoveryRecord record;
        std::string error;
        return rom::ReadRecord(RecordOf(imagePath), record, error) ? record.Count() : -1;
    }
    // Replaces the window by a new one over the given data folder (empty: recovery off), as the
    // next run would be.
    void NextWindow(const std::string& folder)
    {
        window = std::make_unique<app::CEditorDlg>(user);
        window->GetSession().SetRecoveryFolder(folder);
        window->show();
        QApplication::processEvents();
        user.Clear();
    }
    // Three kinds of edit: a price "确定", typing in the red wolf box, a code that keeps its name.
    void EditThree()
    {
        SetPrice(2, QStringLiteral("9"));
        Box(1052)->SetText(QStringLiteral("4321"));
        const int part = window->GetSession().Document().GetModel().Get("tanks").Code("parts", 0, 1);
        window->GetSession().History().Apply(rom::Edit("tanks").SetCode("parts", 0, 1, part ^ 0x80),
                                             QStringLiteral("x"));
        QApplication::processEvents(); // the event loop turns once, as it would before any kill
    }
    std::vector<QString> Questions() const
    {
        std::vector<QString> texts;
        for (const test::Prompt& p : user.Asked(test::Prompt::Message))
            if (!p.buttons.isEmpty())
                texts.push_back(p.text);
        return texts;
    }
    bool Modified() const { return window->GetSession().History().IsModified(); }
};

TEST_F(RecoveryWindowTest, EditsOfAWindowThatEndedAreOfferedToTheNextAsOneStep)
{
    Load();
    EditThree();
    EXPECT_EQ(RecordCount(image.Path()), 3) << "written without any shutdown";
    Box(1053)->SetText(QStringLiteral("123")); // the window ends before the event loop turns again

    NextWindow(Folder());
    user.AnswerButton(U("是"));
    Load();
    ASSERT_EQ(Questions(), std::vector<QString>{U("上次有 4 处未保存的修改，是否恢复？")});
    EXPECT_EQ(user.Asked(Prompt::Message)[0].buttons, QStringList({U("是"), U("否")}));
    EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("9"));
    EXPECT_EQ(Box(1052)->Text(), QStringLiteral("4321"));
    EXPECT_EQ(Box(1053)->Text(), QStringLiteral("123"));
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" *"))) << Title().toStdString();
    EXPECT_EQ(UndoStack()->count(), 1);
    EXPECT_EQ(Action("actionUndo")->text(), U("撤销 恢复未保存的修改"));

    // The one step takes every recovered edit back, and the record with it.
    Action("actionUndo")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Modified());
    EXPECT_EQ(RecordCount(image.Path()), -1);
    Action("actionRedo")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(RecordCount(image.Path()), 4);

    Action("actionSave")->trigger();
    EXPECT_EQ(Messages().back().text, U("保存成功!\t"));
    EXPECT_EQ(Get(image.Read(), 0xC0200 + 2 * 2, 2), 9u);
    EXPECT_EQ(Get(image.Read(), 0x30151, 2), 4321u);
    EXPECT_EQ(RecordCount(image.Path()), -1);
}

// 否, or a record that cannot be applied: nothing is applied, the user is told why, the record is
// deleted (or said not to be), and the record of another image stays.
TEST_F(RecoveryWindowTest, ARecordAnsweredNoOrUnusableIsDeletedAndNeverApplied)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& record)> spoil;
        int seed;            // of the file as opened
        const char* message; // nullptr: asked, answered 否; "": the record cannot be deleted
    };
    const Case cases[] = {
        {"否", [](const std::string&) {}, 1, nullptr},
        {"file changed since", [this](const std::string&) { WriteFile(image.Path(), Sample(2)); }, 2,
         "上次有 3 处未保存的修改，但文件在那之后已被其他程序修改，这些修改无法恢复。恢复记录已删除。"},
        {"a table that is not there",
         [](const std::string& record) {
             rom::Bytes text = ReadFile(record);
             const std::string spoilt = std::string(text.begin(), text.end());
             const size_t at = spoilt.find("\"items\"");
             ASSERT_NE(at, std::string::npos);
             text[at + 5] = 'z';
             ASSERT_TRUE(WriteFile(record, text));
         },
         1, "上次未保存的修改的恢复记录无法使用（恢复记录中有未知的表 itemz）。恢复记录已删除。"},
        {"not a file",
         [](const std::string& record) {
             QFile::remove(QString::fromStdString(record));
             ASSERT_TRUE(QDir().mkpath(QString::fromStdString(record)));
         },
         1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempImage other(Sample(1), "other.smc");
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        NextWindow(Folder());
        Open(other.Path());
        EditThree();
        Box(1053)->SetText(QStringLiteral("123")); // still to be written when the next file opens
        window->OpenFile(QString::fromStdString(image.Path())); // nothing to offer for it yet
        EXPECT_EQ(RecordCount(other.Path()), 4);
        EditThree();
        c.spoil(RecordOf(image.Path()));

        NextWindow(Folder());
        user.AnswerButton(U("否"));
        Load();
        const std::vector<ShownMessage> shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(Questions().size(), c.message ? 0u : 1u);
        const std::string record = RecordOf(image.Path());
        if (c.message && *c.message) {
            EXPECT_EQ(shown[0].text, U(c.message));
        } else if (c.message) { // what cannot be deleted is not said to be
            EXPECT_EQ(shown[0].text, U("上次未保存的修改的恢复记录无法使用（无法读取 ") +
                                         QString::fromStdString(record) +
                                         U("：它是一个文件夹，不是普通文件）。恢复记录无法删除：") +
                                         QString::fromStdString(record) + U("。"));
        }
        EXPECT_EQ(shown[0].icon, c.message ? QMessageBox::Warning : QMessageBox::Question);
        ExpectState(image.Path(), c.seed);
        EXPECT_FALSE(Modified());
        EXPECT_EQ(RecordCount(other.Path()), 4);
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(record)), c.message && !*c.message);
        QDir(QString::fromStdString(record)).removeRecursively();
        user.Clear();
        Load();
        EXPECT_TRUE(Messages().empty()) << "nothing is offered again";
    }
}

TEST_F(RecoveryWindowTest, TurnedOffNothingIsWrittenAndNothingOffered)
{
    Load();
    EditThree();
    ASSERT_EQ(RecordCount(image.Path()), 3);
    const rom::Bytes record = ReadFile(RecordOf(image.Path()));

    NextWindow({});
    Load();
    EXPECT_TRUE(Messages().empty());
    ExpectState(image.Path(), 1);
    SetPrice(4, QStringLiteral("7"));
    window.reset();
    QApplication::processEvents();
    // The earlier record is as it was; nothing else was written anywhere.
    EXPECT_EQ(ReadFile(RecordOf(image.Path())), record);
    EXPECT_EQ(QDir(QString::fromStdString(Folder())).entryList(QDir::Files).size(), 1);
    EXPECT_FALSE(QFile::exists(
        QString::fromStdString(rom::RecordPath(app::Session::DefaultRecoveryFolder(), image.Path()))));
}

// The editor itself, started with --no-recovery over an image that has a record: it neither asks
// (which would wait for an answer forever here) nor touches the record.
TEST_F(RecoveryWindowTest, TheEditorStartedWithNoRecoveryLeavesARecordAlone)
{
    QTemporaryDir home;
    const QString folder = home.path() + U("/dravik/Dravik静态修改器/recovery");
    rom::RomDocument doc;
    ASSERT_TRUE(doc.Open(image.Path()).ok);
    const std::string record = rom::RecordPath(folder.toStdString(), image.Path());
    std::string error;
    ASSERT_TRUE(rom::WriteRecord(
        record, {image.Path(), rom::HashImage(doc.SavedParts()), {rom::Edit("items").SetCell(0, 1, "1")}},
        error))
        << error;

    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(DRAVIK_EDITOR_PATH),
                 {QStringLiteral("--no-recovery"), QStringLiteral("--exit-after-show"),
                  QString::fromStdString(image.Path())});
    ASSERT_TRUE(editor.waitForFinished(30000)) << "the editor waited for something";
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();
    rom::RecoveryRecord read;
    EXPECT_TRUE(rom::ReadRecord(record, read, error)) << error;
    EXPECT_EQ(read.Count(), 1);
}

// Save of a file another program changed after Open writes nothing until the user chooses: 取消
// keeps the edits, 覆盖 writes the window's image, 重新载入 opens the new contents and offers the
// edits back over them, cell by cell, as one step.
TEST_F(RecoveryWindowTest, SaveOfAChangedFileOverwritesReloadsOrLeavesItAsTheUserChooses)
{
    const auto price = [](int row) { return 0xC0200 + 2 * row; };
    rom::Bytes theirs = Sample(1);
    Put(theirs, price(2), 2, 77); // the item row the user edits too
    Put(theirs, price(5), 2, 55); // two the user leaves
    Put(theirs, price(6), 2, 66);
    const std::vector<const char*> answers[] = {{"取消"}, {"覆盖"}, {"重新载入", "否"}, {"重新载入", "是"}};
    for (const std::vector<const char*>& answer : answers) {
        SCOPED_TRACE(std::string(answer[0]) + " " + answer.back());
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        NextWindow(Folder());
        Load();
        SetPrice(2, QStringLiteral("9"));
        SetPrice(3, QStringLiteral("8"));
        ASSERT_TRUE(WriteFile(image.Path(), theirs));
        user.Clear();
        for (const char* a : answer)
            user.AnswerButton(U(a));
        Action("actionSave")->trigger();
        QApplication::processEvents();

        const std::vector<QString> asked = Questions();
        ASSERT_EQ(asked.size(), answer.size());
        EXPECT_TRUE(asked[0].startsWith(U("image.smc 在打开后已被其他程序修改，改动了 3 个字段。")))
            << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains(U("覆盖："))) << "what each answer does";
        EXPECT_EQ(user.Asked()[0].buttons, QStringList({U("覆盖"), U("重新载入"), U("取消")}));
        const std::string chosen = answer.back();
        rom::Bytes expected = theirs;
        if (chosen == "覆盖") {
            expected = Sample(1);
            Put(expected, price(2), 2, 9);
            Put(expected, price(3), 2, 8);
        }
        EXPECT_TRUE(image.Read() == expected) << "nothing is written but on 覆盖";
        EXPECT_EQ(Cell(1028, 2, 1), chosen == "否" ? QStringLiteral("77") : QStringLiteral("9"));
        EXPECT_EQ(Modified(), chosen == "取消" || chosen == "是");
        EXPECT_EQ(Cell(1028, 5, 1).toUInt(), Get(answer.size() == 2 ? theirs : Sample(1), price(5), 2));
        EXPECT_EQ(RecordCount(image.Path()), Modified() ? 2 : -1);
        if (chosen != "是")
            continue;
        EXPECT_EQ(asked[1], U("文件已重新载入。\n重新载入前有 2 处未保存的修改，是否在文件的新内容上恢复？\n"
                              "其中 1 处其他程序也修改过，恢复后以您的修改为准。"));
        EXPECT_EQ(Cell(1028, 3, 1), QStringLiteral("8"));
        EXPECT_EQ(UndoStack()->count(), 1);
        // The record holds the edits against the new contents: the next run could take them.
        rom::RecoveryRecord record;
        std::string error;
        ASSERT_TRUE(rom::ReadRecord(RecordOf(image.Path()), record, error)) << error;
        EXPECT_EQ(record.imageHash, rom::HashImage(window->GetSession().Document().SavedParts()));

        Action("actionSave")->trigger();
        Put(expected, price(2), 2, 9);
        Put(expected, price(3), 2, 8);
        EXPECT_TRUE(image.Read() == expected);
    }
}

} // namespace
} // namespace dravik::test
