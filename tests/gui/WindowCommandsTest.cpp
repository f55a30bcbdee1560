// The window's commands: Open, Close, Save and their failures, the shortcuts, and the keys that
// must not end the window.
#include "widgets/LineBox.h"
#include <QTest>

#include "WindowFixture.h"
#include "support/FailingFileOps.h"

namespace dravik::test {
namespace {

class WindowCommandsTest : public WindowTest {
protected:
    // Ctrl+key as a real key press: the shortcut map sees it before the focus widget does.
    void Shortcut(Qt::Key key)
    {
        QApplication::setActiveWindow(window.get());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, key, Qt::ControlModifier);
    }
};

TEST_F(WindowCommandsTest, OpenFillsEverythingCancelKeepsTheStateASecondOpenReplacesAllAndCloseKeepsValues)
{
    Button(1001)->click(); // cancelled
    EXPECT_EQ(ChooserCalls(), 1u);
    ExpectState({});

    size_t repainted = 0; // whole lists
    for (const ListOfTable& l : kLists) {
        app::TableModel* m = Model(l.id);
        QObject::connect(m, &QAbstractItemModel::dataChanged, [&repainted, m](QModelIndex a, QModelIndex b) {
            repainted += a == m->index(0, 0) && b == m->index(m->rowCount() - 1, m->columnCount() - 1);
        });
    }
    Load();
    ExpectState(image.Path(), 1);
    EXPECT_EQ(repainted, std::size(kLists));
    Action("actionOpen")->trigger(); // cancelled
    ExpectState(image.Path());

    TempImage second(Sample(2), "second.smc");
    Open(second.Path());
    ExpectState(second.Path(), 2);
    Action("actionClose")->trigger();
    ExpectState({}, 2);
    EXPECT_TRUE(Messages().empty());
}

// A refused Open keeps the file shown; a refused Save (a cell, a full disk) leaves the file as it was.
TEST_F(WindowCommandsTest, FailedOpenOrSaveReportsWhyAndChangesNothing)
{
    TempImage shortFile(rom::Bytes(0x1000, 0xAB), "short.smc");
    Load();
    for (const std::string& path : {std::string("/nonexistent/missing.smc"), shortFile.Path()}) {
        user.Clear();
        Open(path);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(Messages()[0].text.contains(QString::fromStdString(path)));
        ExpectState(image.Path(), 1);
    }
    user.Clear();
    rom::Model& model = window->GetSession().Document().GetModel();
    model.Get("bounties").SetCell(2, 1, "99999999");
    Button(1003)->click();
    model.Get("bounties").SetCell(2, 1, "1");
    window->GetSession().Document().SetFileOps(std::make_shared<test::FailingFileOps>(0, ENOSPC, false));
    Action("actionSave")->trigger();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(Messages()[0].text.contains(U("99999999"))) << Messages()[0].text.toStdString();
    EXPECT_TRUE(Messages()[1].text.contains(U("磁盘已满"))) << Messages()[1].text.toStdString();
    for (const auto& m : Messages())
        EXPECT_EQ(m.icon, QMessageBox::Critical);
    EXPECT_EQ(image.Read(), Sample(1));
}

TEST_F(WindowCommandsTest, ShortcutsReachTheirCommandsButEscAndEnterEndNothing)
{
    QTest::keyClick(window.get(), Qt::Key_F1); // the guide of the source tree run from, else About
    const bool guide =
        QFileInfo::exists(QCoreApplication::applicationDirPath() + U("/../docs/user-guide.md"));
    EXPECT_EQ(user.Asked(Prompt::Modal).at(0).caption, guide ? U("用户指南") : U("关于 Dravik静态修改器"));
    user.Clear();
    Shortcut(Qt::Key_S);
    EXPECT_TRUE(Messages().empty()) << "no save without a file";
    Shortcut(Qt::Key_O);
    EXPECT_EQ(ChooserCalls(), 1u);
    Load();
    Box(1052)->SetText(QStringLiteral("4321"));
    Shortcut(Qt::Key_S);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, U("保存成功!\t"));
    EXPECT_EQ(Get(image.Read(), 0x30151, 2), 4321u);
    window->ShowPage(1);
    List(1004)->setFocus(); // from a list too, but there Ctrl+A selects every row
    Shortcut(Qt::Key_F);
    Shortcut(Qt::Key_A);
    EXPECT_EQ(Modals(), (std::vector<std::string>{"dravik::tools::CBaseConvDlg"}));
    EXPECT_EQ(List(1004)->selectionModel()->selectedRows().size(), List(1004)->model()->rowCount());
    window->setFocus();
    Shortcut(Qt::Key_A);
    EXPECT_EQ(Modals(), (std::vector<std::string>{"dravik::tools::CBaseConvDlg", "dravik::app::CAboutDlg"}));

    std::vector<std::string> editedRows; // the row each editor shows; none of them is changed
    user.AnswerEveryModal([&editedRows](QDialog& dialog) {
        editedRows.push_back(dialog.findChild<QLabel*>(QStringLiteral("title1005"))->text().toStdString());
    });
    List(1004)->clearSelection();
    List(1004)->selectRow(2);
    const std::string row2 = Cell(1004, 2, 0).toStdString();
    for (QWidget* target : {static_cast<QWidget*>(List(1004)), static_cast<QWidget*>(window.get())})
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            Key(target, key);
    QApplication::processEvents();
    EXPECT_TRUE(window->isVisible() && window->GetSession().IsLoaded());
    // Return and Enter on the list open its row editor; on the window they do nothing.
    const std::string editor = "dravik::editors::CRowDlg";
    EXPECT_EQ(Modals(), (std::vector<std::string>{"dravik::tools::CBaseConvDlg", "dravik::app::CAboutDlg",
                                                  editor, editor}));
    EXPECT_EQ(editedRows, (std::vector<std::string>{row2, row2}));

    window->ShowPage(6);
    Box(1052)->setFocus(); // in an edit box Ctrl+A selects the text, as in every text field
    Shortcut(Qt::Key_A);
    EXPECT_EQ(Modals().size(), 4u);
    EXPECT_EQ(Box(1052)->selectedText(), Box(1052)->Text());
}

} // namespace
} // namespace dravik::test
