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
    int RecordCount(const std::string& record) const // -1: no record that reads
    {
        rom::RecoveryRecord read;
        std::string error;
        return test::Succeeded(rom::ReadRecord(record, read), error) ? read.Count() : -1;
    }
    // A record of one edit for the image at path, as an earlier run would have left it.
    static void PutRecord(const std::string& record, const std::string& path)
    {
        rom::RomDocument doc;
        ASSERT_TRUE(doc.Open(path).ok);
        std::string error;
        ASSERT_TRUE(test::Succeeded(
            rom::WriteRecord(
                record, {path, rom::HashImage(doc.SavedParts()), {rom::Edit("items").SetCell(0, 1, "1")}}),
            error))
            << error;
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
    bool Modified() const { return window->GetSession().History().IsModified(); }
};

TEST_F(RecoveryWindowTest, EditsOfAWindowThatEndedAreOfferedToTheNextAsOneStep)
{
    Load();
    EditThree();
    EXPECT_EQ(RecordCount(RecordOf(image.Path())), 3) << "written without any shutdown";
    Box(1053)->SetText(QStringLiteral("123")); // the window ends before the event loop turns again

    NextWindow();
    user.AnswerButton(U("是"));
    Load();
    ASSERT_EQ(Questions(), std::vector<QString>{U("上次有 4 处未保存的修改，是否恢复？")});
    EXPECT_EQ(user.Asked(Prompt::Message)[0].buttons, QStringList({U("是"), U("否")}));
    EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("9"));
    EXPECT_EQ(Box(1053)->Text(), QStringLiteral("123"));
    EXPECT_EQ(Action("actionUndo")->text(), U("撤销 恢复未保存的修改"));

    // The one step takes every recovered edit back, and the record with it.
    Action("actionUndo")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Modified());
    EXPECT_EQ(RecordCount(RecordOf(image.Path())), -1);
    Action("actionRedo")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(RecordCount(RecordOf(image.Path())), 4);

    Action("actionSave")->trigger();
    EXPECT_EQ(Get(image.Read(), 0x30151, 2), 4321u);
    EXPECT_EQ(RecordCount(RecordOf(image.Path())), -1);
}

// 否, or a record that cannot be applied: nothing is applied, the user is told why, the record is
// deleted (or said not to be), and the record of another image stays.
TEST_F(RecoveryWindowTest, ARecordAnsweredNoOrUnusableIsDeletedAndNeverApplied)
{
    TempImage other(Sample(1), "other.smc");
    PutRecord(RecordOf(other.Path()), other.Path());
    const std::string record = RecordOf(image.Path());
    const QString cannotRead =
        U("上次未保存的修改的恢复记录无法使用（无法读取 ") + QString::fromStdString(record) +
        U("：它是一个文件夹，不是普通文件）。恢复记录无法删除：") + QString::fromStdString(record) + U("。");
    struct Case {
        const char* what;
        std::function<void()> spoil;
        QString message; // empty: asked, answered 否
    };
    const Case cases[] = {
        {"否", [] {}, {}},
        {"file changed since", [this] { ASSERT_TRUE(WriteFile(image.Path(), Sample(2))); },
         U("上次有 3 处未保存的修改，但文件在那之后已被其他程序修改，这些修改无法恢复。恢复记录已删除。")},
        {"not a file",
         [&record] {
             QFile::remove(QString::fromStdString(record));
             ASSERT_TRUE(QDir().mkpath(QString::fromStdString(record)));
         },
         cannotRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        NextWindow();
        Load();
        EditThree();
        c.spoil();

        NextWindow();
        user.AnswerButton(U("否"));
        Load();
        ASSERT_EQ(user.Asked(Prompt::Message).size(), 1u);
        const Prompt shown = user.Asked(Prompt::Message)[0];
        EXPECT_EQ(shown.icon, c.message.isEmpty() ? QMessageBox::Question : QMessageBox::Warning);
        EXPECT_EQ(shown.text, c.message.isEmpty() ? shown.text : c.message);
        EXPECT_FALSE(Modified());
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(record)), c.message == cannotRead);
        QDir(QString::fromStdString(record)).removeRecursively();
    }
    EXPECT_EQ(RecordCount(RecordOf(other.Path())), 1);
}

// Turned off, in this window or by the editor's --no-recovery, nothing is offered and nothing
// written; the earlier record is left alone.
TEST_F(RecoveryWindowTest, TurnedOffNothingIsWrittenAndNothingOffered)
{
    const std::string record = RecordOf(image.Path());
    PutRecord(record, image.Path());
    const rom::Bytes kept = ReadFile(record);
    window->GetSession().SetRecoveryFolder({});
    Load();
    EXPECT_TRUE(Messages().empty());
    SetPrice(4, QStringLiteral("7"));
    window.reset();
    QApplication::processEvents();
    EXPECT_EQ(ReadFile(record), kept);
    EXPECT_EQ(QDir(QString::fromStdString(Folder())).entryList(QDir::Files).size(), 1);
    EXPECT_FALSE(QFile::exists(
        QString::fromStdString(rom::RecordPath(app::Session::DefaultRecoveryFolder(), image.Path()))));

    // The editor itself neither asks (which would wait for an answer forever here) nor writes.
    QTemporaryDir home;
    const std::string homeRecord =
        rom::RecordPath((home.path() + U("/dravik/Dravik静态修改器/recovery")).toStdString(), image.Path());
    PutRecord(homeRecord, image.Path());
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        env.insert(QString::fromLatin1(variable), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(DRAVIK_EDITOR_PATH),
                 {QStringLiteral("--no-recovery"), QStringLiteral("--exit-after-show"),
                  QString::fromStdString(image.Path())});
    ASSERT_TRUE(editor.waitForFinished(30000)) << "the editor waited for something";
    EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();
    EXPECT_EQ(RecordCount(homeRecord), 1);
}

// Save of a file another program changed after Open writes nothing until the user chooses: 覆盖
// writes the window's image, 重新载入 opens the new contents and offers the edits back over them as
// one step (取消 is Save As's, tested with it).
TEST_F(RecoveryWindowTest, SaveOfAChangedFileOverwritesOrReloadsAsTheUserChooses)
{
    const auto price = [](int row) { return 0xC0200 + 2 * row; };
    rom::Bytes theirs = Sample(1);
    Put(theirs, price(2), 2, 77); // the item row the user edits too
    Put(theirs, price(5), 2, 55); // one the user leaves
    for (const bool reload : {false, true}) {
        SCOPED_TRACE(reload);
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        NextWindow();
        Load();
        SetPrice(2, QStringLiteral("9"));
        SetPrice(3, QStringLiteral("8"));
        ASSERT_TRUE(WriteFile(image.Path(), theirs));
        user.Clear();
        for (const char* answer : reload ? std::vector{"重新载入", "是"} : std::vector{"覆盖"})
            user.AnswerButton(U(answer));
        Action("actionSave")->trigger();
        QApplication::processEvents();

        const std::vector<QString> asked = Questions();
        ASSERT_EQ(asked.size(), reload ? 2u : 1u);
        EXPECT_TRUE(asked[0].startsWith(U("image.smc 在打开后已被其他程序修改，改动了 2 个字段。")))
            << asked[0].toStdString();
        EXPECT_EQ(user.Asked()[0].buttons, QStringList({U("覆盖"), U("重新载入"), U("取消")}));
        rom::Bytes expected = reload ? theirs : Sample(1);
        if (!reload)
            for (const auto& [row, value] : {std::pair{2, 9}, {3, 8}})
                Put(expected, price(row), 2, value);
        EXPECT_TRUE(image.Read() == expected) << "nothing is written but on 覆盖";
        EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("9"));
        EXPECT_EQ(Cell(1028, 5, 1).toUInt(), Get(expected, price(5), 2));
        EXPECT_EQ(Modified(), reload);
        EXPECT_EQ(RecordCount(RecordOf(image.Path())), reload ? 2 : -1);
    }
    EXPECT_EQ(Questions()[1],
              U("文件已重新载入。\n重新载入前有 2 处未保存的修改，是否在文件的新内容上恢复？\n"
                "其中 1 处其他程序也修改过，恢复后以您的修改为准。"));
    EXPECT_EQ(UndoStack()->count(), 1);
    rom::RecoveryRecord record; // against the new contents: the next run could take it
    std::string error;
    ASSERT_TRUE(test::Succeeded(rom::ReadRecord(RecordOf(image.Path()), record), error)) << error;
    EXPECT_EQ(record.imageHash, rom::HashImage(window->GetSession().Document().SavedParts()));
}

} // namespace
} // namespace dravik::test
