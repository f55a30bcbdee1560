// Name sets, find and where-used in the window.
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "app/FindBox.h"
#include "app/NameSetPicker.h"
#include "names/NameSet.h"
#include "rom/Find.h"

using namespace dravik;
using namespace dravik::test;

namespace {
class WindowNamesTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Load();
    }
    app::FindBox* Finder() const { return window->findChild<app::FindBox*>(); }
    // The names of the actions the context menu of a list's cell offers; 查看引用 is triggered.
    QStringList ContextMenu(int list, int row, int column) const
    {
        QTableView* view = List(list);
        const QModelIndex index = view->model()->index(row, column);
        view->scrollTo(index);
        emit view->customContextMenuRequested(view->visualRect(index).center());
        auto* menu = view->findChildren<QMenu*>().last();
        QStringList names;
        for (QAction* a : menu->actions())
            names << a->objectName();
        if (auto* refs = menu->findChild<QAction*>(QStringLiteral("actionReferences")))
            refs->trigger();
        menu->close();
        return names;
    }
    bool References(int list, int row, int column) const
    {
        return ContextMenu(list, row, column).contains(QStringLiteral("actionReferences"));
    }
};
} // namespace

TEST_F(WindowNamesTest, LoadingASetRelabelsEveryListAndChangesNoValue)
{
    const rom::Model& model = window->GetSession().Document().GetModel();
    const int part = model.Get("tanks").Code("parts", 0, 0) & 0x7F;
    std::string parts(static_cast<size_t>(part), '\n');
    NameFolder folder({{"tanks.txt", "蚊子\n"}, {"tank_parts.txt", parts + "新炮\n"}});
    const auto before = rom::PlanSave(model).patches.size();

    user.AnswerFile(QString::fromStdString(folder.Path()));
    Action("actionLoadNames")->trigger();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Cell(1020, 0, 0), U("蚊子"));
    EXPECT_EQ(Cell(1020, 0, 6), U("新炮"));
    EXPECT_TRUE(Child<QLabel>(QStringLiteral("status"))->text().contains(U("名称：2 项来自")));
    EXPECT_EQ(rom::PlanSave(model).patches.size(), before);
    Action("actionBuiltInNames")->trigger();
    EXPECT_EQ(Cell(1020, 0, 0), U("No1.蚊式坦克"));
    EXPECT_FALSE(Child<QLabel>(QStringLiteral("status"))->text().contains(U("名称：")));

    // A refused folder says why, and changes nothing.
    NameFolder bad({{"tanks.txt", "x\n"}, {"other.txt", "x"}});
    user.AnswerFile(QString::fromStdString(bad.Path()));
    Action("actionLoadNames")->trigger();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.contains(U("other.txt"))) << Messages()[0].text.toStdString();
    EXPECT_EQ(Cell(1020, 0, 0), U("No1.蚊式坦克"));
}

TEST_F(WindowNamesTest, FindListsMatchesEnterShowsTheRowAndF3StepsOn)
{
    Action("actionFind")->trigger();
    app::FindBox* box = Finder();
    ASSERT_TRUE(box && box->isVisible());
    box->Input()->setText(U("出租车1"));
    EXPECT_EQ(box->Count(), 6);
    EXPECT_EQ(box->findChild<QTreeWidget*>()->topLevelItem(0)->text(1), U("出租车1号"));
    Key(box->Input(), Qt::Key_Return);
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(List(1020)->currentIndex().row(), 8);
    QApplication::setActiveWindow(box->window());
    QTest::keyClick(box->Input(), Qt::Key_F3);       // from inside the box too
    EXPECT_EQ(List(1020)->currentIndex().row(), 17); // 出租车10号
    QTest::keyClick(box->Input(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(List(1020)->currentIndex().row(), 8);
    Action("actionFindPrevious")->trigger();
    EXPECT_EQ(List(1020)->currentIndex().row(), 21); // wraps to 出租车14号
    Action("actionFindNext")->trigger();
    EXPECT_EQ(List(1020)->currentIndex().row(), 8);
    box->Input()->setText(U("出租车99")); // no match: said so, and Enter shows nothing
    EXPECT_EQ(box->findChild<QTreeWidget*>()->topLevelItem(0)->text(0), U("没有找到"));
    Key(box->Input(), Qt::Key_Return);
    EXPECT_EQ(List(1020)->currentIndex().row(), 8);
    box->close();
}

TEST_F(WindowNamesTest, ReferencesOfAPartAndOfAMonsterAttack)
{
    const rom::Model& model = window->GetSession().Document().GetModel();
    ASSERT_TRUE(References(1004, 5, 0));
    ASSERT_TRUE(Finder() && Finder()->isVisible());
    const auto refs = rom::WhereUsed(model, "main_cannons", 5);
    EXPECT_EQ(Finder()->Count(), static_cast<int>(refs.size()));
    if (!refs.empty()) {
        Finder()->Step(1);
        EXPECT_EQ(Page(), refs[0].tableId == "tanks" ? 3 : 7);
        EXPECT_EQ(List(refs[0].tableId == "tanks" ? 1020 : 1058)->currentIndex().column(), refs[0].column);
    }
    ASSERT_TRUE(References(1058, 50, 11));
    const int code = model.Get("monsters").Code("attacks", 50, 0);
    EXPECT_EQ(Finder()->Count(), static_cast<int>(rom::WhereUsed(model, "attacks_a", code).size()));
    Finder()->close();
    ASSERT_TRUE(References(1058, 50, 2)); // a number, not an attack: nothing to list
    EXPECT_FALSE(Finder()->isVisible());
    // Tanks are not referred to; every list offers the list commands.
    EXPECT_EQ(ContextMenu(1020, 0, 0), (QStringList{"actionCopyRows", "actionPasteRows", "actionBulkEdit",
                                                    "actionRestoreReference", "actionFilterRows"}));
}

// A list is fitted to the names it shows when its page is in view, whether the set changed while
// the page was shown or while it was hidden.
TEST_F(WindowNamesTest, ALongerNameWidensItsColumnWhetherItsPageWasShownOrNot)
{
    struct Case {
        int list, page;
        bool shownAtSwitch;
        const char* file;
        const char* name; // longer than any before it, as a column never narrows
    };
    const Case cases[] = {{1011, 2, false, "shell_names.txt", "特殊炮弹改良型"},
                          {1020, 3, false, "tanks.txt", "No1.蚊式坦克改良型"},
                          {1020, 3, true, "tanks.txt", "No1.蚊式坦克改良型号"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.shownAtSwitch ? ", page shown" : ", page hidden"));
        window->ShowPage(c.shownAtSwitch ? c.page : 0);
        QHeaderView* header = List(c.list)->horizontalHeader();
        const int before = header->sectionSize(0);

        NameFolder folder({{c.file, std::string(c.name) + "\n"}});
        ASSERT_TRUE(window->NameSets().Use(QString::fromStdString(folder.Path())));
        window->ShowPage(c.page);
        QApplication::processEvents();
        EXPECT_EQ(Cell(c.list, 0, 0), U(c.name));
        const int needed = static_cast<QAbstractItemView*>(List(c.list))->sizeHintForColumn(0);
        EXPECT_GT(needed, before);
        EXPECT_EQ(header->sectionSize(0), needed);
    }
}
