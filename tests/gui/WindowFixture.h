#pragma once
// The main window under test, with every blocking call replaced by a recorder: the file dialog
// returns a prepared path, message boxes and modal dialogs are only noted, and the row editor
// is a function the test sets.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CEditorDlg.h"
#include "app/CLineBox.h"
#include "app/CTableModel.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

namespace dravik::test {

struct ShownMessage {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
};

struct EditCall {
    std::string table;
    int row;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        app::EditorPlatform platform;
        platform.chooseOpenPath = [this](QWidget*) {
            ++chooserCalls;
            return nextPath;
        };
        platform.showMessage = [this](QWidget*, QMessageBox::Icon icon, const QString& caption,
                                      const QString& text) {
            messages.push_back({icon, caption, text});
        };
        platform.runModal = [this](QDialog& dialog) { modals.push_back(dialog.metaObject()->className()); };
        platform.editRow = [this](QWidget*, rom::Table& table, int row) {
            edits.push_back({table.Id(), row});
            return editRow ? editRow(table, row) : false;
        };
        window = std::make_unique<app::CEditorDlg>(platform);
        window->show();
        QApplication::processEvents();
    }

    void TearDown() override
    {
        window.reset();
        QApplication::processEvents();
    }

    static const rom::Bytes& Sample(uint32_t seed)
    {
        static std::map<uint32_t, rom::Bytes> images;
        auto it = images.find(seed);
        if (it == images.end())
            it = images.emplace(seed, rom::MakeSampleImage(seed)).first;
        return it->second;
    }

    // Opens path through the Open command, as if chosen in the file dialog.
    void Open(const std::string& path)
    {
        nextPath = QString::fromStdString(path);
        Action("actionOpen")->trigger();
    }

    template <typename T = QWidget> T* Child(const QString& name) const
    {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QAction* Action(const char* name) const { return Child<QAction>(QString::fromUtf8(name)); }
    QTableView* List(int id) const { return Child<QTableView>(QStringLiteral("list%1").arg(id)); }
    app::CLineBox* Box(int id) const { return Child<app::CLineBox>(QStringLiteral("edit%1").arg(id)); }
    QPushButton* Button(int id) const { return Child<QPushButton>(QStringLiteral("button%1").arg(id)); }
    QString Status() const { return Child<QLabel>(QStringLiteral("status"))->text(); }
    QString Cell(int list, int row, int column) const
    {
        QAbstractItemModel* m = List(list)->model();
        return m->data(m->index(row, column)).toString();
    }
    bool SaveEnabled() const { return Action("actionSave")->isEnabled() && Button(1003)->isEnabled(); }
    bool SaveDisabled() const { return !Action("actionSave")->isEnabled() && !Button(1003)->isEnabled(); }

    // A real mouse click (or double-click) in the middle of a row.
    void ClickRow(int list, int row, bool twice = false)
    {
        QTableView* view = List(list);
        view->scrollTo(view->model()->index(row, 0));
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QWidget* target = view->viewport();
        auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(target, &e);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        if (twice) {
            send(QEvent::MouseButtonDblClick, Qt::LeftButton);
            send(QEvent::MouseButtonRelease, Qt::NoButton);
        }
    }

    void Key(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(target, &release);
    }

    std::unique_ptr<app::CEditorDlg> window;
    QString nextPath;
    int chooserCalls = 0;
    std::vector<ShownMessage> messages;
    std::vector<std::string> modals;
    std::vector<EditCall> edits;
    std::function<bool(rom::Table&, int)> editRow;
};

// The twenty lists and the table each shows.
struct ListOfTable {
    int id;
    const char* table;
};
inline const std::vector<ListOfTable>& AllLists()
{
    static const std::vector<ListOfTable> lists = {
        {1004, "main_cannons"},     {1005, "sub_cannons"}, {1007, "special_cannons"},
        {1008, "control_systems"},  {1009, "engines"},     {1011, "special_shells"},
        {1016, "tank_items"},       {1020, "tanks"},       {1021, "human_weapons"},
        {1023, "hand_foot_armour"}, {1024, "head_armour"}, {1025, "body_armour"},
        {1026, "armour_pieces"},    {1028, "items"},       {1032, "bounties"},
        {1038, "characters"},       {1040, "snacks"},      {1044, "decorations"},
        {1048, "drinks"},           {1058, "monsters"},
    };
    return lists;
}

} // namespace dravik::test
