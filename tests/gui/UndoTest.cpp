// The window's one edit path: each edit one undo step, shown as unsaved in the title, the cells and
// the review; and the unsaved edits a window leaves behind, offered back by the next one.
#include "WindowFixture.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

#include "app/ChangeReviewDialog.h"
#include "app/EditHistory.h"

namespace dravik::test {
namespace {

class UndoTest : public LoadedWindowTest {
protected:
    void SetUp() override
    {
        LoadedWindowTest::SetUp();
        // Every list model is checked against Qt's rules through every edit, undo and save.
        for (const app::PageControl& l : Lists())
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                Model(l.id), QAbstractItemModelTester::FailureReportingMode::Warning));
        previousHandler =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type != QtDebugMsg && text.contains(QLatin1String("QAbstractItemModelTester")))
                    ADD_FAILURE() << text;
            });
    }
    void TearDown() override { qInstallMessageHandler(previousHandler); }

    const rom::Table& T(const char* id) const { return Tables().Get(id); }

    // Opens the row's editor by a double-click; act fills it and presses "确定".
    void EditInDialog(int list, int page, int row, std::function<void(QDialog&)> act)
    {
        user.AnswerModal([act](QDialog& dialog) {
            act(dialog);
            Ok(&dialog);
        });
        window->ShowPage(page);
        ClickRow(list, row, true);
    }
    void TypeInto(widgets::LineBox* box, const QString& keys)
    {
        box->setFocus();
        box->end(false);
        for (QChar c : keys)
            QTest::keyClick(box, c.toLatin1());
    }
    void Save()
    {
        Action("actionSave")->trigger();
        ASSERT_FALSE(Messages().empty());
        ASSERT_EQ(Messages().back().text, U("保存成功!\t"));
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    QtMessageHandler previousHandler = nullptr;
};

// Four kinds of edit, each one named step; all undone, the save writes the file's own bytes back.
TEST_F(UndoTest, EachKindOfEditIsOneNamedStepThatUndoesToTheOriginalBytes)
{
    const std::function<void()> edits[] = {
        [this] { EditInDialog(1004, 1, 0, [](QDialog& d) { SetEdit(&d, 1013, U("4321")); }); },
        [this] { EditInDialog(1058, 7, 47, [](QDialog& d) { SetCombo(&d, 1023, 0x10); }); }, // a code
        [this] { SetPrice(2, U("77")); },
        [this] {
            window->ShowPage(6);
            Box(1052)->SetText(QString());
            TypeInto(Box(1052), U("1234"));
        },
    };
    const rom::Bytes original = image.Read();
    for (const auto& edit : edits)
        edit();
    EXPECT_EQ(UndoStack()->count(), 4);
    EXPECT_EQ(UndoStack()->text(0), U("编辑主炮 ") + QString::fromStdString(T("main_cannons").RowLabel(0)));
    EXPECT_EQ(Action("actionUndo")->text(), U("撤销 编辑红狼的HP"));
    EXPECT_TRUE(Title().endsWith(U(".smc *"))) << Title();
    Save();
    const rom::Bytes edited = image.Read();
    EXPECT_NE(edited, original);
    EXPECT_EQ(Title(), U("Dravik静态修改器 - image.smc"));
    for (int i = 0; i < 4; ++i)
        Action("actionUndo")->trigger();
    EXPECT_FALSE(Action("actionUndo")->isEnabled());
    EXPECT_EQ(Action("actionRedo")->text(), U("重做 ") + UndoStack()->text(0));
    EXPECT_TRUE(Title().endsWith(U(" *"))) << "undone after a save is unsaved again";
    EXPECT_EQ(Box(1029)->Text(), Cell(1028, 2, 1)) << "the price box follows its row";
    Save();
    EXPECT_EQ(image.Read(), original);
    for (int i = 0; i < 4; ++i)
        Action("actionRedo")->trigger();
    EXPECT_FALSE(Action("actionRedo")->isEnabled());
    EXPECT_EQ(Box(1029)->Text(), U("77"));
    Save();
    EXPECT_EQ(image.Read(), edited);
}

// Typing in one box is one step until the focus leaves it; typing it back is none. From a list on
// another page the keys show the page and row they change.
TEST_F(UndoTest, TypingIsOneStepPerBoxAndTheKeysUndoFromBoxesAndListsShowingWhatTheyChange)
{
    window->ShowPage(6);
    const QString wolf = Box(1052)->Text();
    TypeInto(Box(1052), U("12"));
    EXPECT_EQ(UndoStack()->count(), 1);
    TypeInto(Box(1053), U("5"));
    TypeInto(Box(1052), U("3"));
    EXPECT_EQ(UndoStack()->count(), 3);
    QTest::keyClick(Box(1052), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(T("red_wolf").Cell(0, 1), (wolf + U("12")).toStdString());
    QTest::keyClick(Box(1052), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Box(1052)->Text(), wolf + U("123"));
    Action("actionUndo")->trigger();
    EXPECT_EQ(Box(1052)->Text(), wolf + U("12")) << "the box follows the undo";
    TypeInto(Box(1054), U("5"));
    QTest::keyClick(Box(1054), Qt::Key_Backspace);
    EXPECT_EQ(UndoStack()->count(), 2) << "typing drops the step undone, typing back is none";
    // Enter typed after a value leaves a line break, which is no part of it: no step either.
    SetPrice(2, Cell(1028, 2, 1) + U("\n"));
    EditInDialog(1004, 1, 0, [](QDialog& d) { SetEdit(&d, 1013, Edit(&d, 1013)->Text() + U("\n")); });
    EXPECT_EQ(UndoStack()->count(), 2);
    SetPrice(2, U("\n40\r\n")); // a new value goes in without them
    EXPECT_EQ(Cell(1028, 2, 1), U("40"));

    QApplication::setActiveWindow(window.get()); // the row editor was the active window
    for (const Qt::KeyboardModifiers keys :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        List(1028)->selectRow(0);
        window->ShowPage(1);
        List(1004)->setFocus();
        QTest::keyClick(List(1004), Qt::Key_Z, keys);
        EXPECT_EQ(Page(), 5);
        EXPECT_EQ(List(1028)->currentIndex().row(), 2);
        EXPECT_EQ(Cell(1028, 2, 1) == U("40"), keys != Qt::ControlModifier);
    }
    user.AnswerButton(U("不保存"));
    Action("actionClose")->trigger();
    EXPECT_EQ(UndoStack()->count(), 0);
    EXPECT_EQ(Title(), U("Dravik静态修改器"));
}

TEST_F(UndoTest, ChangedCodesAndPricesRepaintTheirCellsWhichStandOutUntilSaved)
{
    QSignalSpy repainted(Model(1058), &QAbstractItemModel::dataChanged);
    const int category = T("monsters").Code("early_category", 47);
    // Only the category changes: the loot cell's text may stay the same, the code does not.
    EditInDialog(1058, 7, 47, [category](QDialog& d) { SetCombo(&d, 1029, (category + 1) % 16); });
    const QModelIndex loot = Model(1058)->index(47, 17);
    ASSERT_EQ(repainted.count(), 1) << "one cell: the loot cell that shows the category";
    EXPECT_EQ(repainted[0][0].toModelIndex(), loot);
    EXPECT_TRUE(loot.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(loot.data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(Model(1058)->index(47, 18).data(Qt::FontRole).isValid());
    Save();
    EXPECT_FALSE(loot.data(Qt::FontRole).isValid()) << "saved: no longer marked";
    Action("actionUndo")->trigger(); // undo after a save: marked again
    EXPECT_TRUE(loot.data(Qt::FontRole).isValid());

    window->ShowPage(6); // a changed box is marked as a changed cell is
    const QString room = Box(1055)->Text();
    Box(1055)->SetText(U(" ２５０"));
    EXPECT_EQ(T("hotel_rooms").Cell(2, 1), " ２５０");
    EXPECT_TRUE(Box(1055)->font().bold());
    EXPECT_FALSE(Box(1054)->font().bold());
    Save();
    // Saved, it shows the file's value; undo and redo pass through that state.
    for (const QString& shown : {U("250"), room, U("250")}) {
        EXPECT_EQ(Box(1055)->Text(), shown);
        EXPECT_EQ(Box(1055)->font().bold(), shown == room);
        Action(shown == room ? "actionRedo" : "actionUndo")->trigger();
    }
    // A step redone after a save leaves alone what the save showed anew in cells it does not set.
    SetPrice(2, U("0077"));
    SetPrice(3, U("0088"));
    Action("actionUndo")->trigger();
    Save();
    Action("actionRedo")->trigger();
    EXPECT_EQ(Cell(1028, 2, 1), U("77"));
    EXPECT_FALSE(T("items").IsChanged(2, 1));

    QSignalSpy pricePainted(Model(1028), &QAbstractItemModel::dataChanged);
    SetPrice(4, U("31")); // a price "确定" repaints exactly its cell
    ASSERT_EQ(pricePainted.count(), 1);
    EXPECT_EQ(pricePainted[0][0].toModelIndex(), Model(1028)->index(4, 1));
    EXPECT_EQ(pricePainted[0][1].toModelIndex(), Model(1028)->index(4, 1));
}

TEST_F(UndoTest, ReviewListsTheChangesAndShowsTheRowDoubleClicked)
{
    const QString shells = QString::fromStdString(T("tanks").Cell(5, 1));
    EditInDialog(1020, 3, 5, [](QDialog& d) { SetEdit(&d, 1013, U("12")); });
    window->ShowPage(1);
    user.AnswerModal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), U("查看修改"));
        auto* fields = dialog.findChild<QTableWidget*>(U("fields"));
        ASSERT_EQ(fields->rowCount(), 1);
        QStringList row;
        for (int c = 0; c < fields->columnCount(); ++c)
            row << fields->horizontalHeaderItem(c)->text() + "=" + fields->item(0, c)->text();
        EXPECT_EQ(row, (QStringList{U("表=战车"), U("行=6 ") + QString::fromStdString(T("tanks").RowLabel(5)),
                                    U("列=弹仓"), U("原值=") + shells, U("新值=12")}));
        fields->setFocus();
        fields->setCurrentCell(0, 0);
        Key(fields, Qt::Key_Return);
    });
    QApplication::setActiveWindow(window.get()); // the row editor was the active window
    List(1004)->setFocus();
    QTest::keyClick(List(1004), Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(Modals().size(), 2u);
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(List(1020)->selectionModel()->selectedRows().value(0).row(), 5);
}

class RecoveryWindowTest : public WindowTest {
protected:
    int RecordCount(const std::string& record) const // -1: no record that reads
    {
        rom::RecoveryRecord read;
        std::string error;
        return test::Succeeded(rom::ReadRecord(record, read), error) ? read.Count() : -1;
    }
    // Three kinds of edit: a price "确定", typing in the red wolf box, a code that keeps its name.
    void EditThree()
    {
        SetPrice(2, U("9"));
        Box(1052)->SetText(U("4321"));
        const int part = Tables().Get("tanks").Code("parts", 0, 1);
        window->GetSession().History().Apply(rom::Edit("tanks").SetCode("parts", 0, 1, part ^ 0x80), U("x"));
        QApplication::processEvents(); // the event loop turns once, as it would before any kill
    }
    bool Modified() const { return window->GetSession().History().IsModified(); }
};

// The edits of windows that ended are offered to the next, one step each; turned off, in a window or
// by the editor's --no-recovery, nothing is offered and nothing written, and the records stay. Two
// windows on one image keep a record each, neither touching the other's while it runs or after it
// ended; a crashed one's lock keeps nothing back.
TEST_F(RecoveryWindowTest, EditsOfWindowsThatEndedAreOfferedToTheNextOneStepEachUnlessTurnedOff)
{
    Load();
    EditThree();
    const std::string record = RecordOf(image.Path());
    EXPECT_EQ(RecordCount(record), 3) << "written without any shutdown";
    // A second window on the same image is not offered the first one's record, nor touches it.
    std::unique_ptr<app::CEditorDlg> first = std::move(window);
    NextWindow();
    Load();
    SetPrice(2, U("8"));
    Box(1052)->SetText(U("4321")); // as the first window has it
    QApplication::processEvents();
    const std::string secondRecord = rom::RecordPath(Folder(), image.Path(), 1);
    EXPECT_EQ(RecordCount(secondRecord), 2) << "kept while the first window runs";
    std::unique_ptr<app::CEditorDlg> second = std::move(window);
    window = std::move(first);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(RecordCount(record), 3);
    Box(1053)->SetText(U("123")); // the window ends before the event loop turns again
    NextWindow();
    // Nor does the second window write over it once the first has ended: it keeps to its own.
    std::swap(window, second);
    SetPrice(5, U("6"));
    std::swap(window, second);
    second.reset();
    EXPECT_EQ(RecordCount(record), 4);
    EXPECT_EQ(RecordCount(secondRecord), 3);
    const rom::Bytes kept = ReadFile(record);
    window->GetSession().SetRecoveryFolder({});
    Load();
    EXPECT_TRUE(Messages().empty());
    SetPrice(4, U("7"));
    NextWindow();
    EXPECT_EQ(ReadFile(record), kept);
    EXPECT_EQ(QDir(QString::fromStdString(Folder())).entryList(QDir::Files).size(), 2);
    EXPECT_FALSE(QFile::exists(
        QString::fromStdString(rom::RecordPath(app::Session::DefaultRecoveryFolder(), image.Path()))));

    // The editor itself neither asks (which would wait for an answer forever here) nor writes.
    QTemporaryDir home;
    const std::string homeRecord =
        rom::RecordPath((home.path() + U("/dravik/Dravik静态修改器/recovery")).toStdString(), image.Path());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(QString::fromStdString(homeRecord)).path()) &&
                WriteFile(homeRecord, kept));
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(U("XDG_DATA_HOME"), home.path());
    env.insert(U("XDG_CONFIG_HOME"), home.path());
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(DRAVIK_EDITOR_PATH),
                 {U("--no-recovery"), U("--exit-after-show"), QString::fromStdString(image.Path())});
    ASSERT_TRUE(editor.waitForFinished(30000)) << "the editor waited for something";
    EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();
    EXPECT_EQ(RecordCount(homeRecord), 4);

    // The lock of a window that crashed (its process gone) keeps nothing back.
    const std::string crashed = "2147483647\n"; // a process id no process has
    ASSERT_TRUE(WriteFile(record + ".lock", {crashed.begin(), crashed.end()}));
    user.AnswerButton(U("是"));
    user.AnswerButton(U("是"));
    Load();
    const QString offered = U("上次有 2 个窗口留下了未保存的修改。第 %1 个窗口的 %2 处修改，是否恢复？");
    ASSERT_EQ(Questions(),
              (std::vector<QString>{offered.arg(1).arg(4),
                                    offered.arg(2).arg(3) +
                                        U("\n其中 1 处与已恢复的修改不同，恢复后以这些修改为准。")}));
    EXPECT_EQ(user.Asked(Prompt::Message)[0].buttons, QStringList({U("是"), U("否")}));
    EXPECT_EQ(Cell(1028, 2, 1), U("8"));
    EXPECT_EQ(Box(1053)->Text(), U("123"));
    EXPECT_EQ(Action("actionUndo")->text(), U("撤销 恢复未保存的修改"));
    EXPECT_EQ(RecordCount(record), 5) << "the window's own record holds both";
    EXPECT_FALSE(Exists(secondRecord));

    // Each step takes its recovered edits back, and the record follows.
    Action("actionUndo")->trigger();
    Action("actionUndo")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(Modified());
    EXPECT_EQ(RecordCount(record), -1);
    Action("actionRedo")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(RecordCount(record), 4);

    Action("actionSave")->trigger();
    EXPECT_EQ(Get(image.Read(), 0x30151, 2), 4321u);
    EXPECT_EQ(RecordCount(record), -1);
    EXPECT_FALSE(Exists(record + ".lock"));

    // A record that cannot be written is said once, beside the work, not at every change.
    ASSERT_TRUE(WriteFile(DataPath("file"), {}));
    window->GetSession().SetRecoveryFolder(DataPath("file") + "/recovery");
    user.Clear();
    for (int row : {3, 4}) {
        SetPrice(row, U("5"));
        QApplication::processEvents();
    }
    ASSERT_EQ(user.Asked(Prompt::Notice).size(), 1u);
    EXPECT_TRUE(user.Asked(Prompt::Notice)[0].text.startsWith(U("无法写入恢复记录：")))
        << user.Asked()[0].text;

    // A record taken back while none can be written stays until a record of the window holds it.
    NextWindow();
    Load();
    SetPrice(6, U("3"));
    NextWindow();
    user.WhileAsking(
        [&](const QString&) { window->GetSession().SetRecoveryFolder(DataPath("file") + "/r"); });
    user.AnswerButton(U("是"));
    Load();
    user.WhileAsking({});
    EXPECT_EQ(user.Asked(Prompt::Notice).size(), 1u);
    window->GetSession().SetRecoveryFolder(Folder());
    EXPECT_EQ(RecordCount(record), 1);
    SetPrice(7, U("2"));
    QApplication::processEvents();
    EXPECT_EQ(RecordCount(record), -1);
    EXPECT_EQ(RecordCount(secondRecord), 2);
}

// Nothing is applied, the user is told why, and the record of another image stays. A record of a
// file another program changed since is offered over the new contents, as after 重新载入; one of
// an earlier version, without the values from before, cannot be.
TEST_F(RecoveryWindowTest, ARecordAnsweredNoOrUnusableIsDeletedAndNeverApplied)
{
    TempImage other(Sample(1), "other.smc");
    Open(other.Path());
    EditThree(); // the record of another image, which stays
    const std::string record = RecordOf(image.Path());
    const QString cannotRead =
        U("上次未保存的修改的恢复记录无法使用（无法读取 ") + QString::fromStdString(record) +
        U("：它是一个文件夹，不是普通文件）。恢复记录无法删除：") + QString::fromStdString(record) + U("。");
    struct Case {
        const char* what;
        std::function<void()> spoil;
        QString message;        // empty: any
        QMessageBox::Icon icon; // Question: asked, answered 否
    };
    const auto changed = [this] { ASSERT_TRUE(WriteFile(image.Path(), Sample(2))); };
    const Case cases[] = {
        {"否", [] {}, {}, QMessageBox::Question},
        {"file changed since", changed,
         U("上次有 3 处未保存的修改，是否恢复？\n") +
             U("文件在那之后已被修改（在另一个窗口或其他程序中），这些修改将写在文件的新内容上。\n") +
             U("其中 3 处在文件中也已改变，恢复后以这些修改为准。"),
         QMessageBox::Question},
        {"file changed since an earlier version's record",
         [&] {
             rom::RecoveryRecord read;
             ASSERT_FALSE(rom::ReadRecord(record, read));
             read.before.clear();
             ASSERT_FALSE(rom::WriteRecord(record, read));
             changed();
         },
         U("上次有 3 处未保存的修改，但文件在那之后已被修改，这些修改无法恢复。恢复记录已删除。"),
         QMessageBox::Warning},
        {"not a file",
         [&record] {
             QFile::remove(QString::fromStdString(record));
             ASSERT_TRUE(QDir().mkpath(QString::fromStdString(record)));
         },
         cannotRead, QMessageBox::Warning},
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
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_EQ(shown.text, c.message.isEmpty() ? shown.text : c.message);
        EXPECT_FALSE(Modified());
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(record)), c.message == cannotRead);
        QDir(QString::fromStdString(record)).removeRecursively();
    }
    EXPECT_EQ(RecordCount(RecordOf(other.Path())), 3);
}

// Save of a file another program changed writes nothing until the user chooses: 覆盖 writes the
// window's image, 重新载入 offers the edits back over the new contents, their record kept until
// answered (取消: see Save As).
TEST_F(RecoveryWindowTest, SaveOfAChangedFileOverwritesOrReloadsAsTheUserChooses)
{
    const auto price = [](int row) { return 0xC0200 + 2 * row; };
    rom::Bytes theirs = Sample(1);
    Put(theirs, price(2), 2, 77); // the item row the user edits too
    Put(theirs, price(5), 2, 55); // one the user leaves
    for (const std::string reapply : {"", "否", "是"}) {
        SCOPED_TRACE(reapply);
        const bool reload = !reapply.empty(), kept = reapply == "是"; // "": 覆盖
        ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
        NextWindow();
        Load();
        SetPrice(2, U("9"));
        SetPrice(3, U("8"));
        QApplication::processEvents();
        ASSERT_TRUE(WriteFile(image.Path(), theirs));
        user.Clear();
        for (const char* answer : reload ? std::vector{"重新载入", reapply.c_str()} : std::vector{"覆盖"})
            user.AnswerButton(U(answer));
        int whileAsked = 0; // what a crash during the question would leave
        user.WhileAsking([&](const QString&) { whileAsked = RecordCount(RecordOf(image.Path())); });
        Action("actionSave")->trigger();
        QApplication::processEvents();
        EXPECT_EQ(whileAsked, 2);

        const std::vector<QString> asked = Questions();
        ASSERT_EQ(asked.size(), reload ? 2u : 1u);
        EXPECT_TRUE(asked[0].startsWith(U("image.smc 在打开后已被其他程序修改，改动了 2 个字段。")))
            << asked[0];
        EXPECT_EQ(user.Asked()[0].buttons, QStringList({U("覆盖"), U("重新载入"), U("取消")}));
        rom::Bytes expected = reload ? theirs : Sample(1);
        if (!reload)
            for (const auto& [row, value] : {std::pair{2, 9}, {3, 8}})
                Put(expected, price(row), 2, value);
        EXPECT_TRUE(image.Read() == expected) << "nothing is written but on 覆盖";
        EXPECT_EQ(Cell(1028, 2, 1), reapply == "否" ? U("77") : U("9"));
        EXPECT_EQ(Cell(1028, 5, 1).toUInt(), Get(expected, price(5), 2));
        EXPECT_EQ(Modified(), kept);
        EXPECT_EQ(RecordCount(RecordOf(image.Path())), kept ? 2 : -1);
    }
    user.WhileAsking({});
    EXPECT_EQ(Questions()[1],
              U("文件已重新载入。\n重新载入前有 2 处未保存的修改，是否在文件的新内容上恢复？\n"
                "其中 1 处其他程序也修改过，恢复后以您的修改为准。"));
    EXPECT_EQ(UndoStack()->count(), 1);
    rom::RecoveryRecord record; // against the new contents: the next run could take it
    std::string error;
    ASSERT_TRUE(test::Succeeded(rom::ReadRecord(RecordOf(image.Path()), record), error)) << error;
    EXPECT_EQ(record.imageHash, rom::HashImage(window->GetSession().Document().SavedParts()));
    // A file another program cut short: the question says so.
    const rom::Bytes cut(theirs.begin(), theirs.begin() + 0x100000);
    ASSERT_TRUE(WriteFile(image.Path(), cut));
    user.Clear();
    Action("actionSave")->trigger();
    EXPECT_TRUE(Questions().at(0).contains(U("文件的大小从 2097664 字节变成了 1048576 字节")))
        << Questions().at(0);
}

} // namespace
} // namespace dravik::test
