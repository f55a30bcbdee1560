// The list commands (复制, 粘贴, 批量修改, sorting, filtering, a reference image), the chart window
// loaded from its library, name sets, find and where-used.
#include <QAbstractProxyModel>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <numeric>
#include <set>

#include "WindowFixture.h"
#include "app/ChartLink.h"
#include "app/ChartPanel.h"
#include "app/FindBox.h"
#include "names/NameSet.h"
#include "rom/Find.h"
#include "rom/Formula.h"
#include "rom/Reference.h"
#include "rom/TableText.h"

namespace dravik::test {
namespace {

class ListCommandsTest : public LoadedWindowTest {
protected:
    void SetUp() override
    {
        LoadedWindowTest::SetUp();
        window->ShowPage(7);
        List(1058)->setFocus();
    }
    const rom::Table& Monsters() const { return Tables().Get("monsters"); }
    int Hp() const { return Monsters().Layout().Column("hp"); }
    void Paste(const std::string& text)
    {
        QApplication::clipboard()->setText(QString::fromStdString(text));
        Action("actionPasteRows")->trigger();
    }
};

TEST_F(ListCommandsTest, CopyPastedBackIsNoChangeAnEditedPasteIsOneConfirmedStepABadOneIsRefused)
{
    List(1058)->selectAll();
    Action("actionCopyRows")->trigger();
    std::vector<int> all(static_cast<size_t>(Monsters().Rows()));
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), rom::CopyRows(Monsters(), all));
    Action("actionPasteRows")->trigger();
    EXPECT_TRUE(Modals().empty());

    const std::string before = Monsters().Cell(3, Hp());
    for (const bool confirmed : {false, true}) {
        user.AnswerModal([confirmed](QDialog& dialog) { dialog.done(confirmed); });
        Paste("HP\t怪物\n7\t" + Monsters().RowLabel(3) + "\n");
        EXPECT_EQ(Monsters().Cell(3, Hp()), confirmed ? "7" : before);
    }
    EXPECT_EQ(Modals(), (std::vector<std::string>(2, "dravik::app::ChangeReviewDialog")));
    EXPECT_EQ(UndoStack()->count(), 1);

    user.Clear();
    Paste("怪物\tHP\n" + Monsters().RowLabel(0) + "\tabc\n");
    ExpectMessage(QMessageBox::Warning, U("不是数字"));
    EXPECT_EQ(UndoStack()->count(), 1);
    EXPECT_TRUE(Modals().empty());

    // On a page of several lists the commands take the list with the focus.
    window->ShowPage(1);
    QApplication::setActiveWindow(window.get());
    List(1005)->setFocus();
    List(1005)->selectRow(1);
    Action("actionCopyRows")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              rom::CopyRows(Tables().Get("sub_cannons"), {1}));
}

TEST_F(ListCommandsTest, BulkEditPreviewsBlocksWhatDoesNotFitAndAppliesAsOneStep)
{
    QTableView* list = List(1058);
    list->selectionModel()->select(QItemSelection(list->model()->index(2, 0), list->model()->index(4, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->selectionModel()->setCurrentIndex(list->model()->index(2, Hp()), QItemSelectionModel::NoUpdate);
    std::vector<std::string> before;
    for (int row = 0; row < 6; ++row)
        before.push_back(Monsters().Cell(row, Hp()));
    user.AnswerModal([](QDialog& dialog) {
        auto* formula = dialog.findChild<QLineEdit*>(U("formula"));
        auto* ok = dialog.findChild<QPushButton*>(U("ok"));
        EXPECT_EQ(dialog.findChild<QComboBox*>(U("column"))->currentText(), U("HP"));
        EXPECT_EQ(dialog.focusWidget(), formula);
        formula->setText(U("max(x, (r-4)*5000)")); // only the last row does not fit
        EXPECT_EQ(dialog.findChild<QTableWidget*>(U("preview"))->rowCount(), 3);
        EXPECT_EQ(dialog.findChild<QLabel*>(U("status"))->text(),
                  U("1 行放不下（红色），改好公式才能确定。"));
        EXPECT_FALSE(ok->isEnabled());
        formula->setText(U("x+1"));
        ok->click();
    });
    Action("actionBulkEdit")->trigger();
    ASSERT_EQ(UndoStack()->count(), 1);
    EXPECT_EQ(UndoStack()->text(0), U("批量修改 HP：x+1"));
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(Monsters().Cell(row, Hp()),
                  row >= 2 && row <= 4 ? std::to_string(std::stoi(before[row]) + 1) : before[row]);
}

// Sorted and filtered, a list still opens, copies and jumps to the rows of the table it shows.
TEST_F(ListCommandsTest, SortedAndFilteredListsActOnTheRowsTheyShow)
{
    QTableView* list = List(1058);
    const auto* rows = qobject_cast<QAbstractProxyModel*>(list->model());
    const auto tableRow = [&](int viewRow) { return rows->mapToSource(rows->index(viewRow, 0)).row(); };
    const auto hp = [&](int viewRow) { return rom::CellValue(Monsters(), tableRow(viewRow), Hp()).value(); };
    // A value sorts by the number Save reads from it.
    window->GetSession().Apply(rom::Edit("monsters").SetCell(3, Hp(), "１２３"), U("edit"));
    // Ascending, descending, then file order again, which shows no sort arrow.
    for (int click : {1, 2, 3}) {
        SCOPED_TRACE(click);
        emit list->horizontalHeader()->sectionClicked(Hp());
        EXPECT_EQ(list->horizontalHeader()->isSortIndicatorShown(), click != 3);
        bool moved = false;
        for (int v = 1; v < rows->rowCount(); ++v) {
            moved |= tableRow(v) != v;
            EXPECT_TRUE(click == 3 || (click == 1 ? hp(v - 1) <= hp(v) : hp(v - 1) >= hp(v))) << v;
        }
        EXPECT_EQ(moved, click != 3);
    }
    emit list->horizontalHeader()->sectionClicked(Hp());
    std::string edited;
    user.AnswerModal([&edited](QDialog& dialog) {
        edited = dialog.findChild<QLabel*>(U("title1005"))->text().toStdString();
    });
    ClickRow(1058, 0, true);
    EXPECT_EQ(edited, Monsters().RowLabel(tableRow(0)));
    list->selectionModel()->select(QItemSelection(rows->index(0, 0), rows->index(1, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Action("actionCopyRows")->trigger();
    EXPECT_EQ(
        QApplication::clipboard()->text().toStdString(),
        rom::CopyRows(Monsters(), {std::min(tableRow(0), tableRow(1)), std::max(tableRow(0), tableRow(1))}));

    // Pasted lines go to the rows shown from the current one down.
    const int first = tableRow(0), second = tableRow(1);
    list->setCurrentIndex(rows->index(0, Hp()));
    user.AnswerModal([](QDialog& dialog) { dialog.accept(); });
    Paste("4001\n4002\n");
    EXPECT_EQ(Monsters().Cell(first, Hp()) + Monsters().Cell(second, Hp()), "40014002");

    // The filter shows only rows whose name holds the text; a jump to a row it hides shows the whole list.
    const std::string name = Monsters().RowLabel(5);
    Action("actionFilterRows")->trigger();
    auto* filter = Child<QLineEdit>(U("filter1058"));
    EXPECT_EQ(window->focusWidget(), filter);
    filter->setText(QString::fromStdString(name));
    ASSERT_GE(rows->rowCount(), 1);
    for (int v = 0; v < rows->rowCount(); ++v)
        EXPECT_NE(Monsters().RowLabel(tableRow(v)).find(name), std::string::npos);
    Key(filter, Qt::Key_Down); // on to the rows it shows, as Enter
    EXPECT_EQ(window->focusWidget(), list);
    for (int target : {5, 0}) {
        window->ShowTableRow(U("monsters"), target);
        EXPECT_EQ(tableRow(list->currentIndex().row()), target);
    }
    EXPECT_FALSE(filter->isVisible());
    EXPECT_EQ(rows->rowCount(), Monsters().Rows());
    Action("actionFilterRows")->trigger();
    Key(filter, Qt::Key_Escape); // closes the filter, back in the list
    EXPECT_FALSE(filter->isVisible());
    EXPECT_EQ(window->focusWidget(), list);
}

// A reference marks exactly the cells that differ from it, is remembered for the image (and a copy
// Save As makes), and gives rows its values back as one step; a file too short is refused.
TEST_F(ListCommandsTest, AReferenceMarksTheCellsThatDifferAndRestoresRows)
{
    TempImage referenceFile(Sample(2), "original.smc"), tooShort(rom::Bytes(0x8000, 0), "short.smc");
    // A save of it cut short is rolled back, and told.
    const std::string journal = CutShortSave(referenceFile.Path(), Sample(2), 0x100, 4);
    ASSERT_TRUE(window->UseReference(QString::fromStdString(referenceFile.Path())));
    EXPECT_TRUE(Messages().back().text.contains(QString::fromStdString(journal))) << Messages().back().text;
    rom::Model reference;
    rom::LoadTables(Sample(2), reference);
    const auto marked = [&] { // (row, column) of the monster cells whose tool tip names a reference value
        std::set<std::pair<int, int>> cells;
        for (int r = 0; r < Monsters().Rows(); ++r)
            for (int c = 0; c < Monsters().Columns(); ++c)
                if (Model(1058)->index(r, c).data(Qt::ToolTipRole).toString().contains(U("参照值")))
                    cells.insert({r, c});
        return cells;
    };
    const auto differing = [&] {
        std::set<std::pair<int, int>> cells;
        for (const rom::ReferenceCell& c : rom::CellsDifferingFrom(Monsters(), reference.Get("monsters")))
            cells.insert({c.row, c.column});
        return cells;
    };
    const auto counted = [&] { // the status line counts the differing cells of every table
        const rom::Model& model = Tables();
        return Status().contains(U("%1 处").arg(rom::CellsDifferingFrom(model, reference).size()));
    };
    EXPECT_GT(differing().size(), 100u);
    EXPECT_EQ(marked(), differing());
    EXPECT_TRUE(counted()) << Status();

    EXPECT_FALSE(window->UseReference(QString::fromStdString(tooShort.Path())));
    EXPECT_TRUE(Messages().back().text.contains(U("至少需要"))) << Messages().back().text;
    Load(); // the same image again: its reference comes back with it
    EXPECT_EQ(marked(), differing());

    QTableView* list = List(1058);
    List(1058)->setFocus();
    list->selectionModel()->select(QItemSelection(list->model()->index(2, 0), list->model()->index(4, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Action("actionRestoreReference")->trigger();
    ASSERT_EQ(UndoStack()->count(), 1);
    for (const auto& [row, column] : differing())
        EXPECT_TRUE(row < 2 || row > 4) << row << "," << column;
    EXPECT_EQ(marked(), differing());
    EXPECT_TRUE(counted()) << Status();

    Action("actionClearReference")->trigger();
    Load();
    EXPECT_TRUE(marked().empty());
    EXPECT_FALSE(Status().contains(U("参照")));

    // Saved as another file, the image keeps its reference there.
    ASSERT_TRUE(window->UseReference(QString::fromStdString(referenceFile.Path())));
    user.AnswerFile(dataFolder.filePath(U("copy.smc")));
    Action("actionSaveAs")->trigger();
    window->GetSession().ClearReference();
    Open(dataFolder.filePath(U("copy.smc")).toStdString());
    EXPECT_EQ(marked(), differing());
}

using Kind = app::ChartPanel::Kind;

// (row, value), or (value, second value) for a scatter: what the chart must show of a table.
std::vector<QPointF> Expected(const rom::Table& t, int column, int second, bool scatter)
{
    std::vector<QPointF> points;
    for (int r = 0; r < t.Rows(); ++r) {
        const double value = rom::CellValue(t, r, column).value();
        points.emplace_back(scatter ? value : r, scatter ? rom::CellValue(t, r, second).value() : value);
    }
    return points;
}

TEST_F(LoadedWindowTest, AChartFollowsEveryChangeAndItsReferenceAndAClickSelectsTheRowInTheSortedFilteredList)
{
    app::Session& session = window->GetSession();
    const rom::Table& monsters = session.Document().GetModel().Get("monsters");
    const int hp = monsters.Layout().Column("hp");
    const int second = monsters.Layout().ValueColumns().back();
    app::ChartPanel* chart = window->OnChart();
    ASSERT_NE(chart, nullptr) << (user.Asked().empty() ? "" : user.Asked().back().text.toStdString());
    std::vector<int> all(static_cast<size_t>(monsters.Rows()));
    std::iota(all.begin(), all.end(), 0);
    for (const Kind kind : {Kind::Bars, Kind::Line, Kind::Scatter}) {
        SCOPED_TRACE(kind);
        const bool scatter = kind == Kind::Scatter;
        chart->Choose(U("monsters"), kind, hp, second);
        EXPECT_EQ(chart->Points(), Expected(monsters, hp, second, scatter));
        for (const auto& change : std::vector<std::function<void()>>{
                 [&] { session.Apply(rom::Edit("monsters").SetCell(3, hp, "１２３"), U("edit")); },
                 [&] { session.Apply(rom::Edit("monsters").SetCell(3, hp, "77"), U("edit")); },
                 [&] { UndoStack()->undo(); }, [&] { UndoStack()->redo(); },
                 [&] { session.Apply(rom::PlanBulk(monsters, hp, all, "x*2+1").edit, U("formula")); }}) {
            change();
            EXPECT_EQ(chart->Points(), Expected(monsters, hp, second, scatter));
        }
        EXPECT_TRUE(chart->Points(true).empty());
    }

    // What the chart library asks for outside the table, or of a reference not set, is no text.
    auto* link = window->findChild<app::ChartLink*>();
    ASSERT_NE(link, nullptr);
    for (const auto& [row, column] :
         {std::pair{-1, hp}, {monsters.Rows(), hp}, {0, 0}, {0, monsters.Columns()}})
        EXPECT_EQ(link->Cell(U("monsters"), row, column, false), QString()) << row << "," << column;
    EXPECT_EQ(link->Cell(U("monsters"), 0, hp, true), QString()) << "no reference";

    TempImage referenceFile(Sample(2), "original.smc");
    ASSERT_TRUE(window->UseReference(QString::fromStdString(referenceFile.Path())));
    rom::Model reference;
    rom::LoadTables(Sample(2), reference);
    chart->Choose(U("monsters"), Kind::Bars, hp);
    EXPECT_EQ(chart->Points(true), Expected(reference.Get("monsters"), hp, hp, false));
    EXPECT_EQ(chart->Points(), Expected(monsters, hp, hp, false)); // the series made anew

    // A bar clicked selects its row in the list, and the chart highlights it and words it.
    const auto bars = [chart] {
        auto* series = qobject_cast<QBarSeries*>(
            chart->Widget()->findChild<QChartView*>(U("chartView"))->chart()->series().value(0));
        return series ? series->barSets().value(0) : nullptr;
    };
    ASSERT_NE(bars(), nullptr);
    for (const int row : {7, 2}) {
        chart->ClickRow(row);
        EXPECT_EQ(List(1058)->currentIndex().row(), row);
        EXPECT_TRUE(bars()->isBarSelected(row));
        EXPECT_FALSE(bars()->isBarSelected(row == 7 ? 2 : 7));
        EXPECT_TRUE(chart->Description().contains(QString::fromStdString(monsters.RowLabel(row))));
    }
    // A list made after the chart opened (its page not shown until now) tells it the row chosen.
    chart->Choose(U("drinks"), Kind::Bars, 1);
    List(1048)->selectRow(2);
    EXPECT_TRUE(bars()->isBarSelected(2));
    // Another image opened keeps the table and columns chosen.
    chart->Choose(U("monsters"), Kind::Scatter, hp, second);
    ASSERT_TRUE(window->OpenFile(QString::fromStdString(referenceFile.Path())));
    EXPECT_EQ(chart->Points(), Expected(reference.Get("monsters"), hp, second, true));

    // Both kinds of picture, through the file prompt; a folder that does not exist is told.
    for (const auto& [name, button, start] : {std::tuple{"chart.png", "exportPng", "PNG"},
                                              {"chart.svg", "exportSvg", "<?xml"},
                                              {"none/c.png", "exportPng", ""}}) {
        const QString path = dataFolder.filePath(U(name));
        user.Clear();
        user.AnswerFile(path);
        chart->Widget()->findChild<QPushButton*>(U(button))->click();
        QFile file(path);
        EXPECT_EQ(file.open(QIODevice::ReadOnly) && file.read(64).contains(start), *start != 0) << name;
        ASSERT_EQ(Messages().size(), *start ? 0u : 1u) << name;
        EXPECT_TRUE(*start || Messages()[0].text.contains(U("c.png")));
    }
}

class WindowNamesTest : public LoadedWindowTest {
protected:
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
        if (auto* refs = menu->findChild<QAction*>(U("actionReferences")))
            refs->trigger();
        menu->close();
        return names;
    }
    bool References(int list, int row, int column) const
    {
        return ContextMenu(list, row, column).contains(U("actionReferences"));
    }
};

// A set loaded by 载入名称表 relabels the lists and changes no value; a list is fitted to a longer
// name when its page is in view, whether the set changed while the page was shown or hidden.
TEST_F(WindowNamesTest, LoadingASetRelabelsAndRefitsTheListsAndChangesNoValue)
{
    const rom::Model& model = Tables();
    const auto before = rom::PlanSave(model).patches.size();
    const std::string parts(static_cast<size_t>(model.Get("tanks").Code("parts", 0, 0) & 0x7F), '\n');
    struct Case {
        int list, page;
        bool shownAtSwitch;
        const char *file, *name; // longer than any before it, as a column never narrows
    };
    const Case cases[] = {{1011, 2, false, "shell_names.txt", "特殊炮弹改良型"},
                          {1020, 3, false, "tanks.txt", "No1.蚊式坦克改良型"},
                          {1020, 3, true, "tanks.txt", "No1.蚊式坦克改良型号"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.shownAtSwitch ? ", page shown" : ", page hidden"));
        window->ShowPage(c.shownAtSwitch ? c.page : 0);
        QHeaderView* header = List(c.list)->horizontalHeader();
        const int width = header->sectionSize(0);
        NameFolder folder({{c.file, std::string(c.name) + "\n"}, {"tank_parts.txt", parts + "新炮\n"}});
        user.AnswerFile(QString::fromStdString(folder.Path()));
        Action("actionLoadNames")->trigger();
        window->ShowPage(c.page);
        QApplication::processEvents();
        EXPECT_EQ(Cell(c.list, 0, 0), U(c.name));
        const int needed = static_cast<QAbstractItemView*>(List(c.list))->sizeHintForColumn(0);
        EXPECT_GT(needed, width);
        EXPECT_EQ(header->sectionSize(0), needed);
    }
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Cell(1020, 0, 6), U("新炮"));
    EXPECT_TRUE(Status().contains(U("名称：2 项来自")));
    EXPECT_EQ(rom::PlanSave(model).patches.size(), before);
    Action("actionBuiltInNames")->trigger();
    EXPECT_EQ(Cell(1020, 0, 0), U("No1.蚊式坦克"));
    EXPECT_FALSE(Status().contains(U("名称：")));

    // A refused folder says why, and changes nothing.
    NameFolder bad({{"tanks.txt", "x\n"}, {"other.txt", "x"}});
    user.AnswerFile(QString::fromStdString(bad.Path()));
    Action("actionLoadNames")->trigger();
    ExpectMessage(QMessageBox::Warning, U("other.txt"));
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
    const rom::Model& model = Tables();
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

} // namespace
} // namespace dravik::test
