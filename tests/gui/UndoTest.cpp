// The window's one edit path: every kind of edit is one undo step that takes the file back to its
// bytes, redo gives the same bytes as the edit, the title and the cells show what is unsaved, and
// the review lists it.
#include "WindowFixture.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
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
            dialog.findChild<QPushButton*>(QStringLiteral("button1"))->click();
        });
        window->ShowPage(page);
        ClickRow(list, row, true);
    }
    static void Type(QDialog& dialog, int id, const QString& text)
    {
        dialog.findChild<widgets::LineBox*>(QStringLiteral("edit%1").arg(id))->SetText(text);
    }
    static void Pick(QDialog& dialog, int id, int index)
    {
        dialog.findChild<QComboBox*>(QStringLiteral("combo%1").arg(id))->setCurrentIndex(index);
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

struct Writer {
    const char* what;
    std::function<void()> edit;
};

TEST_F(UndoTest, EachKindOfEditUndoesToTheOriginalBytesAndRedoesToTheEditsBytes)
{
    const Writer writers[] = {
        {"a row editor's text field",
         [this] { EditInDialog(1004, 1, 0, [](QDialog& d) { Type(d, 1013, QStringLiteral("4321")); }); }},
        {"a row editor's code (an attack of monster 47)",
         [this] { EditInDialog(1058, 7, 47, [](QDialog& d) { Pick(d, 1023, 0x10); }); }},
        {"a price 确定", [this] { SetPrice(2, QStringLiteral("77")); }},
        {"typing in the red wolf box",
         [this] {
             window->ShowPage(6);
             Box(1052)->SetText(QString());
             TypeInto(Box(1052), QStringLiteral("1234"));
         }},
    };
    const rom::Bytes original = image.Read();
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.what);
        ASSERT_TRUE(WriteFile(image.Path(), original));
        Load();
        w.edit();
        ASSERT_EQ(UndoStack()->count(), 1);
        EXPECT_TRUE(Title().endsWith(U(".smc *"))) << Title().toStdString();
        Save();
        const rom::Bytes edited = image.Read();
        EXPECT_NE(edited, original);
        EXPECT_EQ(Title(), U("Dravik静态修改器 - image.smc"));
        // Undone after the save, the next save writes the original bytes back; redone, the edit's.
        Action("actionUndo")->trigger();
        EXPECT_TRUE(Title().endsWith(U(" *")));
        Save();
        EXPECT_EQ(image.Read(), original);
        Action("actionRedo")->trigger();
        Save();
        EXPECT_EQ(image.Read(), edited);
    }
}

TEST_F(UndoTest, StepsAreNamedAfterTheirRowAndTypingBackAddsNone)
{
    EditInDialog(1004, 1, 0, [](QDialog& d) { Type(d, 1013, QStringLiteral("4321")); });
    EXPECT_EQ(Action("actionUndo")->text(),
              U("撤销 编辑主炮 ") + QString::fromStdString(T("main_cannons").RowLabel(0)));
    EXPECT_TRUE(Action("actionUndo")->isEnabled());
    EXPECT_FALSE(Action("actionRedo")->isEnabled());

    Action("actionUndo")->trigger();
    EXPECT_EQ(Title(), U("Dravik静态修改器 - image.smc")) << "an edit undone is none";
    EXPECT_EQ(Action("actionRedo")->text(),
              U("重做 编辑主炮 ") + QString::fromStdString(T("main_cannons").RowLabel(0)));
    EXPECT_FALSE(Action("actionUndo")->isEnabled());

    // Typing in one box is one step until the focus leaves it; typing it back is no step.
    window->ShowPage(6);
    const QString wolf = Box(1052)->Text();
    TypeInto(Box(1052), QStringLiteral("12"));
    EXPECT_EQ(UndoStack()->count(), 1) << "typing drops the step undone";
    EXPECT_EQ(Action("actionUndo")->text(), U("撤销 编辑红狼的HP"));
    TypeInto(Box(1053), QStringLiteral("5"));
    TypeInto(Box(1052), QStringLiteral("3"));
    EXPECT_EQ(UndoStack()->count(), 3);
    Action("actionUndo")->trigger();
    EXPECT_EQ(Box(1052)->Text(), wolf + U("12")) << "the box follows the undo";
    TypeInto(Box(1054), QStringLiteral("5"));
    QTest::keyClick(Box(1054), Qt::Key_Backspace);
    EXPECT_EQ(UndoStack()->count(), 2) << "typing back to where the step began is no step";

    user.AnswerButton(U("不保存"));
    Action("actionClose")->trigger();
    EXPECT_EQ(UndoStack()->count(), 0);
    EXPECT_EQ(Title(), U("Dravik静态修改器"));
}

TEST_F(UndoTest, ChangedCodesAndPricesRepaintTheirCellsWhichStandOutUntilSaved)
{
    QSignalSpy modified(&window->GetSession().History(), &app::EditHistory::ModifiedChanged);
    QSignalSpy repainted(Model(1058), &QAbstractItemModel::dataChanged);
    const int category = T("monsters").Code("early_category", 47);
    // Only the category changes: the loot cell's text may stay the same, the code does not.
    EditInDialog(1058, 7, 47, [category](QDialog& d) { Pick(d, 1029, (category + 1) % 16); });
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified[0][0].toBool());
    ASSERT_EQ(repainted.count(), 1) << "one cell: the loot cell that shows the category";
    EXPECT_EQ(repainted[0][0].toModelIndex(), Model(1058)->index(47, 17));
    const QModelIndex loot = Model(1058)->index(47, 17);
    EXPECT_TRUE(loot.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(loot.data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(Model(1058)->index(47, 18).data(Qt::FontRole).isValid());

    Save();
    EXPECT_FALSE(loot.data(Qt::FontRole).isValid()) << "saved: no longer marked";
    EXPECT_FALSE(modified.back()[0].toBool());
    Action("actionUndo")->trigger(); // undo after a save: modified again, marked again
    EXPECT_TRUE(modified.back()[0].toBool());
    EXPECT_TRUE(loot.data(Qt::FontRole).isValid());
    EXPECT_EQ(T("monsters").Code("early_category", 47), category);

    window->ShowPage(5); // a price "确定" repaints exactly its cell
    ClickRow(1028, 4);
    QSignalSpy pricePainted(Model(1028), &QAbstractItemModel::dataChanged);
    Box(1029)->SetText(QStringLiteral("31"));
    Button(1030)->click();
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
    EditInDialog(1020, 3, 5, [](QDialog& d) { Type(d, 1013, QStringLiteral("12")); });
    window->ShowPage(1);
    bool ran = false;
    user.AnswerModal([&](QDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.windowTitle(), U("查看修改"));
        auto* fields = dialog.findChild<QTableWidget*>(QStringLiteral("fields"));
        ASSERT_TRUE(fields);
        QStringList headers;
        for (int c = 0; c < fields->columnCount(); ++c)
            headers << fields->horizontalHeaderItem(c)->text();
        EXPECT_EQ(headers, (QStringList{U("表"), U("行"), U("列"), U("原值"), U("新值")}));
        ASSERT_EQ(fields->rowCount(), 1);
        EXPECT_EQ(fields->item(0, 0)->text(), U("战车"));
        EXPECT_EQ(fields->item(0, 1)->text(), U("6 ") + QString::fromStdString(T("tanks").RowLabel(5)));
        EXPECT_EQ(fields->item(0, 2)->text(), U("弹仓"));
        EXPECT_EQ(fields->item(0, 4)->text(), U("12"));
        const QString bytes = dialog.findChild<QPlainTextEdit*>(QStringLiteral("bytes"))->toPlainText();
        EXPECT_TRUE(bytes.contains(U("0x0C827E: 0x"))) << bytes.toStdString(); // tank 6's shells
        fields->setFocus();
        fields->setCurrentCell(0, 0);
        Key(fields, Qt::Key_Return);
    });
    QApplication::setActiveWindow(window.get()); // the row editor was the active window
    List(1004)->setFocus();
    QTest::keyClick(List(1004), Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(ran);
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(List(1020)->selectionModel()->selectedRows().value(0).row(), 5);
}

} // namespace
} // namespace dravik::test
