// The window's commands: Open, Close, Save and their failures, Exit, the shortcuts, and the keys
// that must not end the window.
#include "WindowFixture.h"
#include "support/FailingFileOps.h"

// Delivers a key press to the shortcut map, as a real key press does before the focus widget
// sees it (the same entry point Qt's own test library uses).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace dravik::test {
namespace {

class WindowCommandsTest : public WindowTest {
protected:
    bool Shortcut(int key)
    {
        QApplication::setActiveWindow(window.get());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        return qt_sendShortcutOverrideEvent(target, 0, key, Qt::ControlModifier, {}, false, 1);
    }
};

TEST_F(WindowCommandsTest, OpenFillsEverythingCancelKeepsTheStateASecondOpenReplacesAllAndCloseKeepsValues)
{
    nextPath.clear();
    Button(1001)->click();
    EXPECT_EQ(chooserCalls, 1);
    ExpectState({});

    size_t repainted = 0; // whole lists
    for (const ListOfTable& l : kLists) {
        app::CTableModel* m = window->ListModel(l.id);
        QObject::connect(m, &QAbstractItemModel::dataChanged, [&repainted, m](QModelIndex a, QModelIndex b) {
            repainted += a == m->index(0, 0) && b == m->index(m->rowCount() - 1, m->columnCount() - 1);
        });
    }
    Load();
    ExpectState(image.Path(), 1);
    EXPECT_EQ(repainted, std::size(kLists));
    nextPath.clear();
    Action("actionOpen")->trigger();
    EXPECT_EQ(chooserCalls, 3);
    ExpectState(image.Path());

    TempImage second(Sample(2), "second.smc");
    Box(1052)->SetText(QStringLiteral("1"));
    Open(second.Path());
    ExpectState(second.Path(), 2);
    for (int twice = 0; twice < 2; ++twice)
        Action("actionClose")->trigger();
    ExpectState({}, 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowCommandsTest, CtrlSSavesOnlyTheEditsAndOnlyWithAFileWhileExitNeitherAsksNorSaves)
{
    Shortcut(Qt::Key_S);
    EXPECT_TRUE(messages.empty()) << "no save without a file";
    Load();
    window->ShowPage(5);
    ClickRow(1028, 3);
    Box(1029)->SetText(QStringLiteral("1234"));
    Button(1030)->click();
    Box(1052)->SetText(QStringLiteral("4321"));
    EXPECT_TRUE(Shortcut(Qt::Key_S));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages[0].text, U("保存成功!\t"));
    const rom::Bytes after = image.Read();
    ASSERT_EQ(after.size(), Sample(1).size());
    EXPECT_EQ(Get(after, 0xC0206, 2), 1234u);
    EXPECT_EQ(Get(after, 0x30151, 2), 4321u);
    EXPECT_EQ(Get(after, 0x30153, 2), 4321u);   // the game's second copy
    for (uint32_t i = 0; i < after.size(); ++i) // nothing else changed
        EXPECT_TRUE(after[i] == Sample(1)[i] || (i >= 0xC0206 && i < 0xC0208) ||
                    (i >= 0x30151 && i < 0x30155))
            << std::hex << i;
    ExpectState(image.Path());

    Box(1052)->SetText(QStringLiteral("1")); // Exit neither asks nor saves
    Action("actionExit")->trigger();
    EXPECT_TRUE(!window->isVisible() && messages.size() == 1 && modals.empty());
    EXPECT_EQ(image.Read(), after);
}

TEST_F(WindowCommandsTest, FailedOpenOrSaveReportsWhyAndChangesNothing)
{
    TempImage shortFile(rom::Bytes(0x1000, 0xAB), "short.smc");
    for (const std::string& loaded : {std::string(), image.Path()}) {
        if (!loaded.empty())
            Load();
        for (const std::string& path : {std::string("/nonexistent/missing.smc"), shortFile.Path()}) {
            messages.clear();
            Open(path);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
            EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(path)));
            ExpectState(loaded, loaded.empty() ? 0 : 1);
            EXPECT_NE(Cell(1004, 0, 1).isEmpty(), !loaded.empty());
        }
    }
    messages.clear();
    window->ShowPage(5);
    const std::pair<int, const char*> bad[] = {{1028, "abc"}, {1032, "99999999"}};
    for (auto [list, text] : bad) {
        ClickRow(list, 2);
        Box(list + 1)->SetText(U(text));
        Button(list + 2)->click();
    }
    Button(1003)->click();
    window->Document().GetModel().Get("items").SetCell(2, 1, "1");
    window->Document().GetModel().Get("bounties").SetCell(2, 1, "1");
    window->Document().SetFileOps(std::make_shared<test::FailingFileOps>(0, ENOSPC, false));
    Action("actionSave")->trigger();
    ASSERT_EQ(messages.size(), 2u);
    for (const char* part : {"abc", "99999999", "道具", "通辑犯", "价格", "赏金"}) // the invalid cells
        EXPECT_TRUE(messages[0].text.contains(U(part))) << part << "\n" << messages[0].text.toStdString();
    EXPECT_TRUE(messages[1].text.contains(U("磁盘已满。文件没有改动")));
    for (const auto& m : messages)
        EXPECT_EQ(m.icon, QMessageBox::Critical);
    EXPECT_EQ(image.Read(), Sample(1));
    ExpectState(image.Path());
}

TEST_F(WindowCommandsTest, ShortcutsReachTheirCommandsButEscAndEnterEndNothing)
{
    nextPath.clear();
    EXPECT_TRUE(Shortcut(Qt::Key_O));
    EXPECT_EQ(chooserCalls, 1);
    Load();
    window->ShowPage(1);
    List(1004)->setFocus(); // from a list too: single selection leaves Ctrl+A to the window
    EXPECT_TRUE(Shortcut(Qt::Key_F));
    EXPECT_TRUE(Shortcut(Qt::Key_A));
    EXPECT_EQ(modals, (std::vector<std::string>{"CBaseConvDlg", "dravik::app::CAboutDlg"}));

    List(1004)->selectRow(2);
    for (QWidget* target : {static_cast<QWidget*>(List(1004)), static_cast<QWidget*>(window.get())})
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            Key(target, key);
    QApplication::processEvents();
    EXPECT_TRUE(window->isVisible() && window->IsLoaded());
    // Return and Enter on the list open its row editor; on the window they do nothing.
    const std::pair<std::string, int> row2{"main_cannons", 2};
    EXPECT_EQ(edits, (std::vector<std::pair<std::string, int>>{row2, row2}));

    window->ShowPage(6);
    Box(1052)->setFocus(); // in an edit box Ctrl+A selects the text, as in every text field
    EXPECT_FALSE(Shortcut(Qt::Key_A));
    EXPECT_EQ(modals.size(), 2u);
}

} // namespace
} // namespace dravik::test
