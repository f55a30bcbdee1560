#pragma once
// The main window under test, with a scripted user in place of every blocking call: prompts are
// recorded, and answered from what the test queued (else cancelled).
#include <QAbstractProxyModel>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "EditorSupport.h"
#include "app/CEditorDlg.h"
#include "app/EditHistory.h"
#include "app/PageLayout.h"
#include "app/TableModel.h"
#include "rom/Recovery.h"
#include "support/TestImage.h"

namespace dravik::test {

// The lists, each with the table it shows and its page, as the page layout declares them.
inline std::vector<app::PageControl> Lists()
{
    std::vector<app::PageControl> found;
    for (const app::PageControl& c : app::PageControls())
        if (c.kind == app::PageControlKind::List)
            found.push_back(c);
    return found;
}
inline int PageOf(int id)
{
    for (const app::PageControl& c : app::PageControls())
        if (c.id == id)
            return c.page;
    return 0;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        NextWindow();
    }
    // The next run's window over the same recovery folder, with nothing asked yet.
    void NextWindow()
    {
        window = std::make_unique<app::CEditorDlg>(user);
        window->GetSession().SetRecoveryFolder(Folder());
        window->show();
        QApplication::processEvents();
        user.Clear();
    }

    static const rom::Bytes& Sample(int seed) // 1 or 2
    {
        static const rom::Bytes images[] = {rom::MakeSampleImage(1), rom::MakeSampleImage(2)};
        return images[seed - 1];
    }
    // Opens path through the Open command, as if chosen in its file dialog (if that came).
    void Open(const std::string& path)
    {
        const size_t dialogs = ChooserCalls();
        user.AnswerFile(QString::fromStdString(path));
        Action("actionOpen")->trigger();
        if (ChooserCalls() == dialogs)
            user.TakeBackFile();
    }
    void Load() { Open(image.Path()); }

    template <typename T = QWidget> T* Child(const QString& name) const
    {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QAction* Action(const QString& name) const { return Child<QAction>(name); }
    // A page's controls are made when the page is first shown: its page is shown once if need be.
    template <typename T> T* OnPage(const QString& prefix, int id) const
    {
        const QString name = prefix + QString::number(id);
        if (!window->findChild<T*>(name)) {
            const int shown = Page();
            window->ShowPage(PageOf(id));
            window->ShowPage(shown);
        }
        return Child<T>(name);
    }
    QTableView* List(int id) const { return OnPage<QTableView>(U("list"), id); }
    widgets::LineBox* Box(int id) const { return OnPage<widgets::LineBox>(U("edit"), id); }
    QPushButton* Button(int id) const { return OnPage<QPushButton>(U("button"), id); }
    app::TableModel* Model(int list) const
    {
        const auto* rows = qobject_cast<QAbstractProxyModel*>(List(list)->model());
        return qobject_cast<app::TableModel*>(rows ? rows->sourceModel() : nullptr);
    }
    // 0 while the background picture is shown, else the page shown (1 to 7).
    int Page() const { return Child<QStackedWidget>(U("pages"))->currentIndex(); }
    QUndoStack* UndoStack() const { return window->GetSession().History().findChild<QUndoStack*>(); }
    QString Cell(int list, int row, int column) const
    {
        return List(list)->model()->index(row, column).data().toString();
    }
    // The status line, the commands that need a file, and every list and box showing sample seed's.
    void ExpectState(const std::string& path, int seed = 0) const
    {
        EXPECT_EQ(Status(), path.empty() ? U("未载入文件") : U("[文件]") + QString::fromStdString(path));
        EXPECT_EQ(window->GetSession().IsLoaded(), !path.empty());
        for (const char* action : {"actionSave", "actionExportPatch", "actionCompare"})
            EXPECT_EQ(Action(action)->isEnabled(), !path.empty()) << action;
        EXPECT_EQ(Button(1003)->isEnabled(), !path.empty());
        if (seed == 0)
            return;
        rom::Model expected;
        rom::LoadTables(Sample(seed), expected);
        for (const app::PageControl& l : Lists()) {
            const rom::Table& table = expected.Get(l.table);
            for (int c = 1; c < table.Columns(); ++c)
                for (int r = 0; r < table.Rows(); ++r)
                    ASSERT_EQ(Cell(l.id, r, c).toStdString(), table.Cell(r, c))
                        << l.table << " " << r << "," << c;
        }
        EXPECT_EQ(Box(1052)->Text().toStdString(), expected.Get("red_wolf").Cell(0, 1));
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(Box(1053 + r)->Text().toStdString(), expected.Get("hotel_rooms").Cell(r, 1));
    }

    // On the 装备/道具 page: a click on the item row, the price typed, its "确定" pressed.
    void SetPrice(int row, const QString& price)
    {
        window->ShowPage(5);
        ClickRow(1028, row);
        Box(1029)->SetText(price);
        Button(1030)->click();
    }

    // A real mouse click (or double-click) in the middle of a row.
    void ClickRow(int list, int row, bool twice = false, Qt::MouseButton button = Qt::LeftButton)
    {
        QTableView* view = List(list);
        view->scrollTo(view->model()->index(row, 0));
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        std::vector<QEvent::Type> types{QEvent::MouseButtonPress, QEvent::MouseButtonRelease};
        if (twice)
            types.insert(types.end(), {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease});
        for (QEvent::Type type : types) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
            QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &e);
        }
    }

    // The message boxes shown so far; each one carries the window's caption.
    std::vector<Prompt> Messages() const
    {
        const std::vector<Prompt> shown = user.Asked(Prompt::Message);
        for (const Prompt& p : shown)
            EXPECT_EQ(p.caption, U("Dravik静态修改器"));
        return shown;
    }
    // Exactly one message box since the record was cleared, with this icon and saying part.
    void ExpectMessage(QMessageBox::Icon icon, const QString& part) const
    {
        const std::vector<Prompt> shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].icon, icon);
        EXPECT_TRUE(shown[0].text.contains(part)) << shown[0].text;
    }
    // The texts of the questions asked (message boxes with buttons to choose from).
    std::vector<QString> Questions() const
    {
        std::vector<QString> texts;
        for (const test::Prompt& p : user.Asked(test::Prompt::Message))
            if (!p.buttons.isEmpty())
                texts.push_back(p.text);
        return texts;
    }
    size_t ChooserCalls() const { return user.Asked(test::Prompt::File).size(); }
    std::vector<std::string> Modals() const // class names of the modal dialogs run
    {
        std::vector<std::string> classes;
        for (const test::Prompt& p : user.Asked(test::Prompt::Modal))
            classes.push_back(p.dialogClass.toStdString());
        return classes;
    }

    std::string DataPath(const char* name) const { return dataFolder.filePath(U(name)).toStdString(); }
    std::string Folder() const { return (dataFolder.path() + U("/recovery")).toStdString(); }
    // The recovery record the windows keep for the image at path; Record() for the first sample's.
    std::string RecordOf(const std::string& path) const { return rom::RecordPath(Folder(), path); }
    QString Record() const { return QString::fromStdString(RecordOf(image.Path())); }
    QString Title() const { return window->windowHandle()->title(); } // as shown, "[*]" resolved
    QString Status() const { return Child<QLabel>(U("status"))->text(); }
    rom::Model& Tables() const { return window->GetSession().Document().GetModel(); }

    test::ScriptedUser user;  // before the window, which may ask while it is torn down
    QTemporaryDir dataFolder; // the application-data folder of this test's windows
    TempImage image{Sample(1)};
    std::unique_ptr<app::CEditorDlg> window;
};

// The window with the first sample image open.
class LoadedWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Load();
    }
};

} // namespace dravik::test
