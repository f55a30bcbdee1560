// The window's one edit path: every kind of edit is one undo step that takes the file back to its
// bytes, redo gives the same bytes as the edit, the title and the cells show what is unsaved, and
// the review lists it.
#include "WindowFixture.h"

#include <QAbstractItemModelTester>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

#include "app/ChangeReviewDialog.h"
#include "app/EditHistory.h"

namespace dravik::test {
namespace {

class UndoTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Load();
        // Every list model is checked against Qt's rules through every edit, undo and save.
        for (const ListOfTable& l : kLists)
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                Model(l.id), QAbstractItemModelTester::FailureReportingMode::Warning));
        previousHandler =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type != QtDebugMsg && text.contains(QLatin1String("QAbstractItemModelTester")))
                    ADD_FAILURE() << text.toStdString();
            });
    }
    void TearDown() override { qInstallMessageHandler(previousHandler); }

    const rom::Table& T(const char* id) const { return window->GetSession().Document().GetModel().Get(id); }

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

// Four kinds of edit, each one step named after its row; all undone, the save writes the file's
// own bytes back, all redone the edits' bytes; the title tells what is unsaved.
TEST_F(UndoTest, EachKindOfEditIsOneNamedStepThatUndoesToTheOriginalBytes)
{
    const std::function<void()> edits[] = {
        [this] { EditInDialog(1004, 1, 0, [](QDialog& d) { SetEdit(&d, 1013, QStringLiteral("4321")); }); },
        [this] { EditInDialog(1058, 7, 47, [](QDialog& d) { SetCombo(&d, 1023, 0x10); }); }, // a code
        [this] { SetPrice(2, QStringLiteral("77")); },
        [this] {
            window->ShowPage(6);
            Box(1052)->SetText(QString());
            TypeInto(Box(1052), QStringLiteral("1234"));
        },
    };
    const rom::Bytes original = image.Read();
    for (const auto& edit : edits)
        edit();
    EXPECT_EQ(UndoStack()->count(), 4);
    EXPECT_EQ(UndoStack()->text(0), U("编辑主炮 ") + QString::fromStdString(T("main_cannons").RowLabel(0)));
    EXPECT_EQ(Action("actionUndo")->text(), U("撤销 编辑红狼的HP"));
    EXPECT_TRUE(Title().endsWith(U(".smc *"))) << Title().toStdString();
    Save();
    const rom::Bytes edited = image.Read();
    EXPECT_NE(edited, original);
    EXPECT_EQ(Title(), U("Dravik静态修改器 - image.smc"));
    for (int i = 0; i < 4; ++i)
        Action("actionUndo")->trigger();
    EXPECT_FALSE(Action("actionUndo")->isEnabled());
    EXPECT_EQ(Action("actionRedo")->text(), U("重做 ") + UndoStack()->text(0));
    EXPECT_TRUE(Title().endsWith(U(" *"))) << "undone after a save is unsaved again";
    Save();
    EXPECT_EQ(image.Read(), original);
    for (int i = 0; i < 4; ++i)
        Action("actionRedo")->trigger();
    EXPECT_FALSE(Action("actionRedo")->isEnabled());
    Save();
    EXPECT_EQ(image.Read(), edited);
}

// Typing in one box is one step until the focus leaves it; typing it back is no step.
TEST_F(UndoTest, TypingIsOneStepPerBoxAndTypingBackOrAnEnterAddsNone)
{
    window->ShowPage(6);
    const QString wolf = Box(1052)->Text();
    TypeInto(Box(1052), QStringLiteral("12"));
    EXPECT_EQ(UndoStack()->count(), 1);
    TypeInto(Box(1053), QStringLiteral("5"));
    TypeInto(Box(1052), QStringLiteral("3"));
    EXPECT_EQ(UndoStack()->count(), 3);
    Action("actionUndo")->trigger();
    EXPECT_EQ(Box(1052)->Text(), wolf + U("12")) << "the box follows the undo";
    TypeInto(Box(1054), QStringLiteral("5"));
    QTest::keyClick(Box(1054), Qt::Key_Backspace);
    EXPECT_EQ(UndoStack()->count(), 2) << "typing drops the step undone, typing back is none";
    // Enter typed after a value leaves a line break, which is no part of it: no step either.
    SetPrice(2, Cell(1028, 2, 1) + U("\n"));
    EditInDialog(1004, 1, 0, [](QDialog& d) { SetEdit(&d, 1013, Edit(&d, 1013)->Text() + U("\n")); });
    EXPECT_EQ(UndoStack()->count(), 2);
    SetPrice(2, QStringLiteral("\n40\r\n")); // a new value goes in without them
    EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("40"));

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
    Box(1055)->SetText(QStringLiteral("250"));
    EXPECT_EQ(T("hotel_rooms").Cell(2, 1), "250");
    EXPECT_TRUE(Box(1055)->font().bold());
    EXPECT_FALSE(Box(1054)->font().bold());
    Save();
    EXPECT_FALSE(Box(1055)->font().bold());

    QSignalSpy pricePainted(Model(1028), &QAbstractItemModel::dataChanged);
    SetPrice(4, QStringLiteral("31")); // a price "确定" repaints exactly its cell
    ASSERT_EQ(pricePainted.count(), 1);
    EXPECT_EQ(pricePainted[0][0].toModelIndex(), Model(1028)->index(4, 1));
    EXPECT_EQ(pricePainted[0][1].toModelIndex(), Model(1028)->index(4, 1));
}

// From an edit box the keys take back the box's own typing; from a list on another page they
// show the page and row they change.
TEST_F(UndoTest, UndoAndRedoKeysWorkFromEditBoxesAndListsAndShowWhatTheyChange)
{
    window->ShowPage(6);
    const QString wolf = Box(1052)->Text();
    TypeInto(Box(1052), QStringLiteral("9"));
    QTest::keyClick(Box(1052), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Box(1052)->Text(), wolf);
    EXPECT_EQ(T("red_wolf").Cell(0, 1), wolf.toStdString());
    QTest::keyClick(Box(1052), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Box(1052)->Text(), wolf + U("9"));

    SetPrice(4, QStringLiteral("77"));
    for (const Qt::KeyboardModifiers keys :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        List(1028)->selectRow(0);
        window->ShowPage(1);
        List(1004)->setFocus();
        QTest::keyClick(List(1004), Qt::Key_Z, keys);
        EXPECT_EQ(Page(), 5);
        EXPECT_EQ(List(1028)->currentIndex().row(), 4);
        EXPECT_EQ(Cell(1028, 4, 1) == QStringLiteral("77"), keys != Qt::ControlModifier);
    }
}

TEST_F(UndoTest, ReviewListsTheChangesAndShowsTheRowDoubleClicked)
{
    EditInDialog(1020, 3, 5, [](QDialog& d) { SetEdit(&d, 1013, QStringLiteral("12")); });
    window->ShowPage(1);
    user.AnswerModal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), U("查看修改"));
        auto* fields = dialog.findChild<QTableWidget*>(QStringLiteral("fields"));
        ASSERT_EQ(fields->rowCount(), 1);
        QStringList row;
        for (int c = 0; c < fields->columnCount(); ++c)
            row << fields->horizontalHeaderItem(c)->text() + "=" + fields->item(0, c)->text();
        EXPECT_EQ(row, (QStringList{U("表=战车"), U("行=6 ") + QString::fromStdString(T("tanks").RowLabel(5)),
                                    U("列=弹仓"), U("原值=") + fields->item(0, 3)->text(), U("新值=12")}));
        const QString bytes = dialog.findChild<QPlainTextEdit*>(QStringLiteral("bytes"))->toPlainText();
        EXPECT_TRUE(bytes.contains(U("0x0C827E: 0x"))) << bytes.toStdString(); // tank 6's shells
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

} // namespace
} // namespace dravik::test
