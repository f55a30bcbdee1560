// Editing in the main window: the seven price boxes, the red wolf and hotel boxes, and the
// double-click that opens a row editor.
#include "WindowFixture.h"

namespace dravik::test {
namespace {

struct PriceEditor {
    int page;
    int list;
    int edit;
    int button;
};
const PriceEditor kPriceEditors[] = {
    {2, 1011, 1013, 1012}, {3, 1016, 1018, 1019}, {5, 1028, 1029, 1030}, {5, 1032, 1033, 1034},
    {6, 1040, 1041, 1042}, {6, 1044, 1045, 1046}, {6, 1048, 1049, 1050},
};

struct RowEditorList {
    int page;
    int list;
    const char* table;
};
const RowEditorList kRowEditorLists[] = {
    {1, 1004, "main_cannons"},    {1, 1005, "sub_cannons"},      {1, 1007, "special_cannons"},
    {2, 1008, "control_systems"}, {2, 1009, "engines"},          {3, 1020, "tanks"},
    {4, 1021, "human_weapons"},   {4, 1023, "hand_foot_armour"}, {4, 1024, "head_armour"},
    {5, 1025, "body_armour"},     {5, 1026, "armour_pieces"},    {6, 1038, "characters"},
    {7, 1058, "monsters"},
};

class WindowEditingTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        image = std::make_unique<TempImage>(Sample(1));
    }
    void Load() { Open(image->Path()); }

    std::unique_ptr<TempImage> image;
};

TEST_F(WindowEditingTest, ClickFillsEachPriceBoxFromItsSelectedRowOnlyWhileLoaded)
{
    for (const PriceEditor& e : kPriceEditors) {
        window->ShowPage(e.page);
        ClickRow(e.list, 1);
        EXPECT_TRUE(Box(e.edit)->Text().isEmpty()) << e.list;
    }
    Load();
    for (const PriceEditor& e : kPriceEditors) {
        SCOPED_TRACE(e.list);
        window->ShowPage(e.page);
        ClickRow(e.list, 2);
        EXPECT_EQ(Box(e.edit)->Text(), Cell(e.list, 2, 1));
        EXPECT_FALSE(Box(e.edit)->Text().isEmpty());
        ClickRow(e.list, 0); // another click replaces whatever the box held
        EXPECT_EQ(Box(e.edit)->Text(), Cell(e.list, 0, 1));
    }
}

TEST_F(WindowEditingTest, ApplyWritesTheBoxIntoTheRowSelectedWhenPressed)
{
    Load();
    window->ShowPage(6);
    Box(1049)->SetText(QStringLiteral("x7"));
    Button(1050)->click(); // no row selected yet: nothing changes
    for (int r = 0; r < List(1048)->model()->rowCount(); ++r)
        EXPECT_NE(Cell(1048, r, 1), QStringLiteral("x7")) << r;

    const QString row1 = Cell(1048, 1, 1);
    const QString row2 = Cell(1048, 2, 1);
    ClickRow(1048, 1);
    // Moving the selection with the keyboard leaves the box alone...
    List(1048)->setFocus();
    Key(List(1048), Qt::Key_Down);
    ASSERT_EQ(List(1048)->selectionModel()->selectedRows().value(0).row(), 2);
    EXPECT_EQ(Box(1049)->Text(), row1);
    // ...and "确定" writes it into the row now selected.
    Button(1050)->click();
    EXPECT_EQ(Cell(1048, 2, 1), row1);
    EXPECT_EQ(Cell(1048, 1, 1), row1);
    EXPECT_NE(row1, row2);
    EXPECT_EQ(window->Document().GetModel().Get("drinks").Cell(2, 1), row1.toStdString());
    EXPECT_EQ(Box(1049)->Text(), row1) << "the box keeps its text";
}

TEST_F(WindowEditingTest, ApplyKeepsTheWholeTextTypedIncludingEnterAndEmpty)
{
    Load();
    window->ShowPage(2);
    ClickRow(1011, 4);
    Box(1013)->SetText(QString());
    Box(1013)->setFocus();
    Key(Box(1013), Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    Key(Box(1013), Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    Key(Box(1013), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Box(1013)->Text(), QStringLiteral("12\n"));
    EXPECT_TRUE(window->isVisible());
    Button(1012)->click();
    Button(1012)->click(); // twice: the same result
    EXPECT_EQ(Cell(1011, 4, 1), QStringLiteral("12\n"));

    Box(1013)->SetText(QString());
    Button(1012)->click();
    EXPECT_TRUE(Cell(1011, 4, 1).isEmpty());
}

TEST_F(WindowEditingTest, DoubleClickEditsTheSelectedRowOfEachEditorListAndRepaintsIt)
{
    editRow = [](rom::Table& table, int row) {
        table.SetCell(row, 1, "edited");
        return true;
    };
    window->ShowPage(1);
    ClickRow(1004, 1, true);
    EXPECT_TRUE(edits.empty()) << "no editor before a file is loaded";

    Load();
    for (const RowEditorList& l : kRowEditorLists) {
        SCOPED_TRACE(l.table);
        window->ShowPage(l.page);
        int repainted = -1;
        auto connection = QObject::connect(window->ListModel(l.list), &QAbstractItemModel::dataChanged,
                                           [&repainted](const QModelIndex& a) { repainted = a.row(); });
        edits.clear();
        ClickRow(l.list, 2, true);
        QObject::disconnect(connection);
        ASSERT_EQ(edits.size(), 1u);
        EXPECT_EQ(edits[0].table, l.table);
        EXPECT_EQ(edits[0].row, 2);
        EXPECT_EQ(repainted, 2);
        EXPECT_EQ(Cell(l.list, 2, 1), QStringLiteral("edited"));
    }

    // The price lists have no row editor.
    edits.clear();
    for (const PriceEditor& e : kPriceEditors) {
        window->ShowPage(e.page);
        ClickRow(e.list, 1, true);
    }
    EXPECT_TRUE(edits.empty());

    // A cancelled editor changes nothing and repaints nothing.
    editRow = [](rom::Table&, int) { return false; };
    window->ShowPage(7);
    int repaints = 0;
    QObject::connect(window->ListModel(1058), &QAbstractItemModel::dataChanged, [&repaints] { ++repaints; });
    ClickRow(1058, 47, true);
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0].row, 47);
    EXPECT_EQ(repaints, 0);
}

TEST_F(WindowEditingTest, RedWolfAndHotelBoxesEditTheirCells)
{
    Load();
    window->ShowPage(6);
    const rom::Model& model = window->Document().GetModel();
    Box(1052)->setFocus();
    Box(1052)->SetText(QString());
    Key(Box(1052), Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    EXPECT_EQ(model.Get("red_wolf").Cell(0, 1), "9");
    Box(1055)->SetText(QStringLiteral("250"));
    EXPECT_EQ(model.Get("hotel_rooms").Cell(2, 1), "250");
    EXPECT_NE(model.Get("hotel_rooms").Cell(1, 1), "250");

    // Typing works without a file too; the next Open puts the file's values back.
    Action("actionClose")->trigger();
    Box(1053)->SetText(QStringLiteral("1"));
    Load();
    rom::Model fresh;
    rom::LoadTables(Sample(1), fresh);
    EXPECT_EQ(Box(1053)->Text().toStdString(), fresh.Get("hotel_rooms").Cell(0, 1));
    EXPECT_EQ(Box(1052)->Text().toStdString(), fresh.Get("red_wolf").Cell(0, 1));
    EXPECT_EQ(model.Get("red_wolf").Cell(0, 1), fresh.Get("red_wolf").Cell(0, 1));
}

} // namespace
} // namespace dravik::test
