// The window as it starts: caption, menu, buttons, pages, lists and their geometry.
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>

#include <set>

#include "WindowFixture.h"

namespace dravik::test {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// The controls of each page, by id.
const std::map<int, std::set<int>> kPages = {
    {1, {1004, 1005, 1007}},
    {2, {1008, 1009, 1010, 1011, 1013, 1012}},
    {3, {1020, 1017, 1016, 1018, 1019}},
    {4, {1021, 1023, 1024}},
    {5, {1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034}},
    {6, {1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047,
         1048, 1049, 1050, 1051, 1052, 1057, 1056, 1053, 1054, 1055}},
    {7, {1058}},
};

// Every page control of the window, found by the number in its object name.
std::map<int, QWidget*> PageControls(QWidget* window)
{
    std::map<int, QWidget*> out;
    for (const auto& [page, ids] : kPages)
        for (int id : ids)
            for (const char* prefix : {"list", "edit", "button", "group", "static"})
                if (auto* w = window->findChild<QWidget*>(QStringLiteral("%1%2").arg(U(prefix)).arg(id)))
                    out[id] = w;
    return out;
}

std::set<int> VisibleControls(QWidget* window)
{
    std::set<int> out;
    for (const auto& [id, w] : PageControls(window))
        if (w->isVisible())
            out.insert(id);
    return out;
}

TEST_F(WindowTest, StartsWithThePictureNoFileAndEveryListLabelledButEmpty)
{
    EXPECT_EQ(window->windowTitle(), U("Dravik静态修改器"));
    EXPECT_EQ(Status(), U("未载入文件"));
    EXPECT_TRUE(SaveDisabled());
    EXPECT_TRUE(Child(QStringLiteral("picture1000"))->isVisible());
    EXPECT_FALSE(Child<QLabel>(QStringLiteral("picture1000"))->pixmap().isNull())
        << "pictures not compiled in";
    EXPECT_EQ(PageControls(window.get()).size(), 48u);
    EXPECT_TRUE(VisibleControls(window.get()).empty());
    for (int id : {1052, 1053, 1054, 1055})
        EXPECT_TRUE(Box(id)->Text().isEmpty());

    for (const ListOfTable& l : AllLists()) {
        SCOPED_TRACE(l.table);
        const rom::Table& table = window->Document().GetModel().Get(l.table);
        QAbstractItemModel* m = List(l.id)->model();
        ASSERT_EQ(m->rowCount(), table.Rows());
        ASSERT_EQ(m->columnCount(), table.Columns());
        for (int r = 0; r < table.Rows(); ++r) {
            EXPECT_EQ(Cell(l.id, r, 0).toStdString(), table.Layout().rowLabels[static_cast<size_t>(r)]);
            for (int c = 1; c < table.Columns(); ++c)
                EXPECT_TRUE(Cell(l.id, r, c).isEmpty()) << r << "," << c;
        }
        EXPECT_FALSE(m->flags(m->index(0, 1)) & Qt::ItemIsEditable);
    }
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(Cell(1032, r, 0), Cell(1058, r, 0));
    QStringList titles;
    for (int c = 0; c < List(1020)->model()->columnCount(); ++c)
        titles << List(1020)->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles.join(QLatin1Char(',')),
              U("战车,弹仓,防御,防御上限,重量,租车装甲,装备1,装备2,装备3,装备4,装备5,"
                "装备6,装备7,装备8,道具1,道具2,道具3,道具4"));
}

TEST_F(WindowTest, MenuAndButtonsHaveTheirCaptionsInOrder)
{
    QStringList menu;
    for (QAction* top : window->menuBar()->actions()) {
        menu << top->text();
        for (QAction* item : top->menu()->actions())
            menu << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(menu.join(QLatin1Char('|')),
              U("文件(&F)|打开(&O)\tCtrl+O|关闭(&C)|-|保存(&S)\tCtrl+S|-|退出(&E)\tAlt+F4|"
                "视窗(&W)|战车火力|战车装备|战车属性|人类装备|装备/道具|人物/杂项|怪物篇|"
                "工具(&T)|进制转换(&F)\tCtrl+F|帮助(&H)|关于(&A)\tCtrl+A"));

    QStringList buttons{Button(1001)->text(), Button(1003)->text()};
    for (int n = 1; n <= 7; ++n)
        buttons << Child<QPushButton>(QStringLiteral("pageButton%1").arg(n))->text();
    EXPECT_EQ(buttons.join(QLatin1Char('|')),
              U("打开|保存|战车\n火力|战车\n装备|战车\n属性|人类\n装备|装备\n道具|人物\n杂项|怪物"));
}

TEST_F(WindowTest, EachPageShowsExactlyItsControlsFromButtonOrMenu)
{
    for (const auto& [page, ids] : kPages) {
        SCOPED_TRACE(page);
        Child<QPushButton>(QStringLiteral("pageButton%1").arg(page))->click();
        EXPECT_EQ(VisibleControls(window.get()), ids);
        EXPECT_FALSE(Child(QStringLiteral("picture1000"))->isVisible());
        Child<QPushButton>(QStringLiteral("pageButton%1").arg(page))->click(); // twice: the same
        EXPECT_EQ(VisibleControls(window.get()), ids);
    }
    for (const auto& [page, ids] : kPages) {
        SCOPED_TRACE(page);
        Action(QStringLiteral("actionPage%1").arg(page).toUtf8().constData())->trigger();
        EXPECT_EQ(VisibleControls(window.get()), ids);
        EXPECT_TRUE(Child(QStringLiteral("frame"))->isVisible());
    }
    EXPECT_TRUE(SaveDisabled()) << "choosing a page changes no state";
}

// A wrong rectangle shows as controls on top of each other or outside the page area.
TEST_F(WindowTest, PageControlsStayInThePageAreaAndDoNotOverlap)
{
    const QRect area = Child(QStringLiteral("frame"))->geometry();
    const std::map<int, QWidget*> controls = PageControls(window.get());
    for (const auto& [page, ids] : kPages) {
        window->ShowPage(page);
        for (int a : ids) {
            QWidget* wa = controls.at(a);
            const QRect ra(wa->mapTo(window->centralWidget(), QPoint(0, 0)), wa->size());
            EXPECT_TRUE(area.contains(ra)) << a;
            for (int b : ids) {
                QWidget* wb = controls.at(b);
                if (a >= b || qobject_cast<QGroupBox*>(wa) || qobject_cast<QGroupBox*>(wb))
                    continue;
                EXPECT_FALSE(wa->geometry().intersects(wb->geometry())) << a << " and " << b;
            }
        }
    }
    // Each price list, box and button sits inside its group.
    const std::map<int, std::vector<int>> groups = {
        {1010, {1011, 1013, 1012}}, {1017, {1016, 1018, 1019}},       {1027, {1028, 1029, 1030}},
        {1031, {1032, 1033, 1034}}, {1039, {1040, 1041, 1042}},       {1043, {1044, 1045, 1046}},
        {1047, {1048, 1049, 1050}}, {1057, {1056, 1053, 1054, 1055}},
    };
    for (const auto& [group, inside] : groups)
        for (int id : inside)
            EXPECT_TRUE(controls.at(group)->geometry().contains(controls.at(id)->geometry())) << id;
}

TEST_F(WindowTest, ColumnTitlesAreNotCutAndTheMonsterListFillsThePageArea)
{
    for (const ListOfTable& l : AllLists()) {
        QHeaderView* header = List(l.id)->horizontalHeader();
        for (int c = 0; c < header->count(); ++c) {
            const QString title = header->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_GT(header->sectionSize(c), header->fontMetrics().horizontalAdvance(title))
                << l.id << " " << c;
        }
    }
    EXPECT_EQ(List(1058)->size(), Child(QStringLiteral("frame"))->size());
}

} // namespace
} // namespace dravik::test
