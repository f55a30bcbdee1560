// Unsaved edits outlive the window that made them: a window that ends (or is killed) with unsaved
// edits leaves a record, the next window to open the file offers it back, and a file changed
// since, a broken record or recovery turned off never apply anything. A reload of a file another
// program changed offers the edits back on top of the new contents.
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUndoStack>

#include "app/EditHistory.h"
#include "rom/Recovery.h"

namespace dravik::test {
namespace {

class RecoveryWindowTest : public WindowTest {
protected:
    std::string Folder() const { return (dataFolder.path() + QStringLiteral("/recovery")).toStdString(); }
    std::string RecordOf(const std::string& imagePath) const { return rom::RecordPath(Folder(), imagePath); }
    bool HasRecord(const std::string& imagePath) const
    {
        return QFile::exists(QString::fromStdString(RecordOf(imagePath)));
    }
    int RecordCount(const std::string& imagePath) const
    {
        rom::RecoveryRecord record;
        std::string error;
        return rom::ReadRecord(RecordOf(imagePath), record, error) ? record.Count() : -1;
    }

    // Replaces the window by a new one over the same data folder, as the next run would be.
    void NextWindow(const QString& folder)
    {
        window = std::make_unique<app::CEditorDlg>(user);
        window->GetSession().SetRecoveryFolder(folder.toStdString());
        window->show();
        QApplication::processEvents();
        user.Clear();
    }
    void NextWindow() { NextWindow(QString::fromStdString(Folder())); }

    // Three kinds of edit: a price "确定", typing in the red wolf box, a code that keeps its name.
    void EditThree()
    {
        window->ShowPage(5);
        ClickRow(1028, 2);
        Box(1029)->SetText(QStringLiteral("9"));
        Button(1030)->click();
        Box(1052)->SetText(QStringLiteral("4321"));
        const int part = window->GetSession().Document().GetModel().Get("tanks").Code("parts", 0, 1);
        window->GetSession().History().Apply(rom::Edit("tanks").SetCode("parts", 0, 1, part ^ 0x80),
                                             QStringLiteral("x"));
        QApplication::processEvents(); // the event loop turns once, as it would before any kill
    }
    // An edit whose record is still to be written: the event that made it has not ended.
    void EditPending() { Box(1053)->SetText(QStringLiteral("123")); }
    // What the window's Save would write over the sample.
    rom::Bytes WouldSave() const
    {
        rom::Bytes bytes = Sample(1);
        rom::ApplyPatches(rom::PlanSave(window->GetSession().Document().GetModel()).patches, bytes);
        return bytes;
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

TEST_F(RecoveryWindowTest, EditsOfAWindowThatEndedAreOfferedToTheNextAndSaveTheSameBytes)
{
    Load();
    EditThree();
    // Without any shutdown the record already holds every edit.
    EXPECT_EQ(RecordCount(image.Path()), 3);
    EditPending(); // the window ends before the event loop turns again
    const rom::Bytes expected = WouldSave();
    ASSERT_TRUE(expected != Sample(1));

    NextWindow();
    user.AnswerButton(U("是"));
    Load();
    ASSERT_EQ(user.Asked().size(), 2u); // the file dialog and the question
    EXPECT_EQ(user.Asked()[1].text, U("上次有 4 处未保存的修改，是否恢复？"));
    EXPECT_EQ(user.Asked()[1].buttons, QStringList({U("是"), U("否")}));
    EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("9"));
    EXPECT_EQ(Box(1052)->Text(), QStringLiteral("4321"));
    EXPECT_TRUE(Title().endsWith(QStringLiteral(" *"))) << Title().toStdString();
    EXPECT_EQ(UndoStack()->count(), 1) << "one step";
    EXPECT_EQ(Action("actionUndo")->text(), U("撤销 恢复未保存的修改"));

    // The one step takes every recovered edit back, and the record with it.
    Action("actionUndo")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Modified());
    EXPECT_FALSE(HasRecord(image.Path()));
    Action("actionRedo")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(RecordCount(image.Path()), 4);

    Action("actionSave")->trigger();
    EXPECT_EQ(Messages().back().text, U("保存成功!\t"));
    EXPECT_TRUE(image.Read() == expected);
    EXPECT_FALSE(HasRecord(image.Path()));
}

TEST_F(RecoveryWindowTest, NoDeletesTheRecordAndLeavesOtherImagesRecordsAlone)
{
    TempImage other(Sample(1), "other.smc");
    Open(other.Path());
    EditThree();
    EditPending(); // still to be written when the next file is opened
    window->OpenFile(QString::fromStdString(image.Path())); // as a start with a file does: nothing asked
    EditThree();
    ASSERT_EQ(RecordCount(other.Path()), 4);
    ASSERT_EQ(RecordCount(image.Path()), 3);

    NextWindow();
    user.AnswerButton(U("否"));
    Load();
    EXPECT_EQ(Questions().size(), 1u);
    ExpectState(image.Path(), 1);
    EXPECT_FALSE(Modified());
    EXPECT_FALSE(HasRecord(image.Path()));
    EXPECT_EQ(RecordCount(other.Path()), 4);

    user.Clear();
    Load();
    EXPECT_TRUE(Questions().empty()) << "a record answered 否 is not offered again";
}

// A record that cannot be applied is never applied: the user is told why, it is deleted (or
// said not to be), the file opens as it is, and records of other images stay.
TEST_F(RecoveryWindowTest, ARecordThatCannotBeAppliedIsReportedDeletedAndNeverApplied)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& record)> spoil;
        int seed; // of the file as opened
        const char* message;
    };
    const Case cases[] = {
        {"file changed since", [this](const std::string&) { WriteFile(image.Path(), Sample(2)); }, 2,
         "上次有 3 处未保存的修改，但文件在那之后已被其他程序修改，这些修改无法恢复。恢复记录已删除。"},
        {"a table that is not there",
         [](const std::string& record) {
             QFile f(QString::fromStdString(record));
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             QByteArray text = f.readAll().replace("\"items\"", "\"itemz\"");
             f.resize(0);
             f.write(text);
         },
         1, "上次未保存的修改的恢复记录无法使用（恢复记录中有未知的表 itemz）。恢复记录已删除。"},
        {"not a file",
         [](const std::string& record) {
             QFile::remove(QString::fromStdString(record));
             ASSERT_TRUE(QDir().mkpath(QString::fromStdString(record)));
         },
         1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempImage other(Sample(1), "other.smc");
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        NextWindow();
        Open(other.Path());
        EditThree();
        window->OpenFile(QString::fromStdString(image.Path())); // nothing asked: other's record stays
        EditThree();
        c.spoil(RecordOf(image.Path()));

        NextWindow();
        Load();
        EXPECT_TRUE(Questions().empty());
        const std::vector<ShownMessage> shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
        if (c.message) {
            EXPECT_EQ(shown[0].text, U(c.message));
        } else { // what cannot be deleted is not said to be
            EXPECT_EQ(shown[0].text, U("上次未保存的修改的恢复记录无法使用（无法读取 ") +
                                         QString::fromStdString(RecordOf(image.Path())) +
                                         U("：它是一个文件夹，不是普通文件）。恢复记录无法删除：") +
                                         QString::fromStdString(RecordOf(image.Path())) + U("。"));
        }
        ExpectState(image.Path(), c.seed);
        EXPECT_FALSE(Modified());
        EXPECT_EQ(RecordCount(other.Path()), 3);
        EXPECT_EQ(HasRecord(image.Path()), c.message == nullptr);
        QDir(QString::fromStdString(RecordOf(image.Path()))).removeRecursively();
    }
}

TEST_F(RecoveryWindowTest, TurnedOffNothingIsWrittenAndNothingOffered)
{
    Load();
    EditThree();
    ASSERT_EQ(RecordCount(image.Path()), 3);
    const QByteArray record = [&] {
        QFile f(QString::fromStdString(RecordOf(image.Path())));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    NextWindow({});
    Load();
    EXPECT_TRUE(Questions().empty());
    ExpectState(image.Path(), 1);
    window->ShowPage(5);
    ClickRow(1028, 4);
    Box(1029)->SetText(QStringLiteral("7"));
    Button(1030)->click();
    window.reset();
    QApplication::processEvents();
    // The earlier record is as it was; nothing else was written anywhere.
    QFile f(QString::fromStdString(RecordOf(image.Path())));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), record);
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

// Save found the file changed and the user reloaded it: the edits they had are offered back, set
// over the new contents cell by cell, as one step.
TEST_F(RecoveryWindowTest, AReloadOffersTheEditsBackOverTheNewContents)
{
    rom::Bytes theirs = Sample(1);
    Put(theirs, 0xC0200 + 2 * 2, 2, 77); // the item row the user edits too
    Put(theirs, 0xC0200 + 2 * 5, 2, 55); // one the user leaves
    for (const char* answer : {"否", "是"}) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        NextWindow();
        Load();
        window->ShowPage(5);
        for (auto [row, price] : {std::pair{2, "9"}, std::pair{3, "8"}}) {
            ClickRow(1028, row);
            Box(1029)->SetText(QString::fromLatin1(price));
            Button(1030)->click();
        }
        ASSERT_TRUE(WriteFile(image.Path(), theirs));
        user.Clear();
        user.AnswerButton(U("重新载入"));
        user.AnswerButton(U(answer));
        Action("actionSave")->trigger();
        QApplication::processEvents();

        ASSERT_EQ(Questions().size(), 2u);
        EXPECT_EQ(Questions()[1],
                  U("文件已重新载入。\n重新载入前有 2 处未保存的修改，是否在文件的新内容上恢复？\n"
                    "其中 1 处其他程序也修改过，恢复后以您的修改为准。"));
        EXPECT_EQ(Cell(1028, 5, 1), QStringLiteral("55"));
        EXPECT_TRUE(image.Read() == theirs) << "nothing is written before Save";
        if (std::string(answer) == "否") {
            EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("77"));
            EXPECT_FALSE(Modified());
            EXPECT_FALSE(HasRecord(image.Path()));
            continue;
        }
        EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("9"));
        EXPECT_EQ(Cell(1028, 3, 1), QStringLiteral("8"));
        EXPECT_TRUE(Modified());
        EXPECT_EQ(UndoStack()->count(), 1);
        // The record now holds the edits against the new contents: the next run could take them.
        rom::RecoveryRecord record;
        std::string error;
        ASSERT_TRUE(rom::ReadRecord(RecordOf(image.Path()), record, error)) << error;
        EXPECT_EQ(record.Count(), 2);
        EXPECT_EQ(record.imageHash, rom::HashImage(window->GetSession().Document().SavedParts()));

        Action("actionSave")->trigger();
        rom::Bytes expected = theirs;
        Put(expected, 0xC0200 + 2 * 2, 2, 9);
        Put(expected, 0xC0200 + 2 * 3, 2, 8);
        EXPECT_TRUE(image.Read() == expected);
    }
}

} // namespace
} // namespace dravik::test
