// The window's pages: the start state, which controls each page shows, the seven price boxes, the
// red wolf and hotel boxes, and the double-click that opens a row editor.
#include <QRegularExpression>

#include <algorithm>
#include <set>

#include "app/PageLayout.h"
#include "app/Resources.h"
#include "editors/RowEditing.h"
#include "widgets/LineBox.h"

#include "WindowFixture.h"

namespace dravik::test {
namespace {

// The ids of the page controls shown, or with a page given, of those the layout puts on it.
std::set<int> Controls(QWidget* window, int page = 0)
{
    std::set<int> out;
    for (const app::PageControl& c : app::PageControls()) {
        const QWidget* w =
            window->findChildren<QWidget*>(QRegularExpression(U("^[a-z]+%1$").arg(c.id))).value(0);
        if (page ? c.page == page : w && w->isVisible())
            out.insert(c.id);
    }
    return out;
}

// The start picture asks for a file to be opened only while none is; scaled to a larger window, it
// is made anew when a file is opened.
TEST_F(WindowTest, StartPictureLosesItsOpenHintWhileAFileIsOpenAtAnySize)
{
    QWidget* picture = Child(U("picture1000"));
    const auto shown = [&] { return picture->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage start = shown();
    const QImage loaded = app::PictureSized("background-loaded", start.size());
    ASSERT_FALSE(loaded.isNull() || loaded == start); // its hint drawn over the start picture's
    window->resize(window->size() + QSize(200, 120));
    QApplication::processEvents();
    const auto scaled = [&](const QImage& i) {
        return i.scaled(picture->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    EXPECT_TRUE(shown() == scaled(start));
    Load();
    EXPECT_TRUE(shown() == scaled(loaded));
    window->resize(window->size() - QSize(200, 120));
    QApplication::processEvents();
    EXPECT_TRUE(shown() == loaded);
}

// Before a file is open the picture shows, no page control does, and every list holds its row names.
TEST_F(WindowTest, EachPageShowsExactlyItsControlsFromButtonOrMenu)
{
    ExpectState({});
    // Drawn at the page area's size, so that the start scales no picture (res/draw-images.sh).
    EXPECT_EQ(Child(U("picture1000"))->size(), QImage(app::Picture("background.ppm")).size());
    EXPECT_TRUE(Controls(window.get()).empty());
    for (const app::PageControl& l : Lists()) {
        const rom::Table& table = Tables().Get(l.table);
        EXPECT_EQ(List(l.id)->model()->rowCount(), table.Rows()) << l.table;
        EXPECT_EQ(Cell(l.id, 1, 0).toStdString(), table.RowLabel(1)) << l.table;
        EXPECT_EQ(Cell(l.id, 1, 1), QString()) << l.table;
    }
    for (int page = 1; page <= 7; ++page) {
        for (int twice = 0; twice < 2; ++twice) // a second click changes nothing
            Child<QPushButton>(U("pageButton%1").arg(page))->click();
        EXPECT_EQ(Controls(window.get()), Controls(window.get(), page)) << page;
        EXPECT_FALSE(Child(U("picture1000"))->isVisible());
        for (int b = 1; b <= 7; ++b) // the button of the page shown looks pressed, the others not
            EXPECT_EQ(Child<QPushButton>(U("pageButton%1").arg(b))->isChecked(), b == page) << b;
    }
    window->ShowPage(0);
    for (int b = 1; b <= 7; ++b)
        EXPECT_FALSE(Child<QPushButton>(U("pageButton%1").arg(b))->isChecked()) << b;
    for (int page = 1; page <= 7; ++page) {
        Action(U("actionPage%1").arg(page))->trigger();
        EXPECT_EQ(Controls(window.get()), Controls(window.get(), page)) << page;
    }
}

// The box shows the current row's price however the row was chosen, and "确定" writes it there;
// without a file nothing is written, nor by the red wolf and hotel boxes or a row editor.
TEST_F(LoadedWindowTest, PriceBoxesFollowTheCurrentRowAndWriteIntoItOnlyWhileLoaded)
{
    for (const app::PriceEditorDecl& e : app::PriceEditors()) {
        SCOPED_TRACE(e.list);
        window->ShowPage(PageOf(e.list));
        const QString row0 = Cell(e.list, 0, 1);
        QString price = U("7");
        for (const char* other : {"8", "9"}) // a value no row near the top has
            if (price == row0 || price == Cell(e.list, 1, 1))
                price = QString::fromLatin1(other);
        const int steps = UndoStack()->count();
        Box(e.edit)->SetText(price);
        Button(e.button)->click(); // no row selected yet: nothing changes
        EXPECT_EQ(UndoStack()->count(), steps);
        ClickRow(e.list, 1);
        ClickRow(e.list, 0); // a click replaces whatever the box held
        EXPECT_EQ(Box(e.edit)->Text(), row0);
        Key(List(e.list), Qt::Key_Down); // the keys too
        EXPECT_EQ(Box(e.edit)->Text(), Cell(e.list, 1, 1));
        Box(e.edit)->SetText(price);
        Button(e.button)->click();
        EXPECT_EQ(Cell(e.list, 1, 1), price);
        EXPECT_EQ(Cell(e.list, 0, 1), row0);
        Box(e.edit)->SetText(U("x"));
        Key(List(e.list), Qt::Key_Return); // Enter shows the row's price again, as a click does
        EXPECT_EQ(Box(e.edit)->Text(), price);
        ClickRow(e.list, 0, false, Qt::RightButton); // the row a context menu is for
        EXPECT_EQ(Box(e.edit)->Text(), row0);
    }
    // What Save would refuse is refused at once, and the box keeps it to be corrected.
    const int steps = UndoStack()->count();
    Box(1029)->SetText(U("abc"));
    Button(1030)->click();
    ASSERT_EQ(user.Asked(Prompt::Message).size(), 1u);
    EXPECT_TRUE(user.Asked(Prompt::Message)[0].text.contains(U("\"abc\"")));
    EXPECT_EQ(UndoStack()->count(), steps);
    EXPECT_EQ(Box(1029)->Text(), U("abc"));

    user.AnswerButton(U("不保存"));
    Action("actionClose")->trigger();
    const std::vector<std::string> before = State(Tables());
    for (const app::PriceEditorDecl& e : app::PriceEditors()) {
        EXPECT_EQ(Box(e.edit)->Text(), QString()) << e.list;
        window->ShowPage(PageOf(e.list));
        ClickRow(e.list, 0);
        Box(e.edit)->SetText(U("1"));
        Button(e.button)->click();
    }
    for (int id : {1052, 1053, 1054, 1055}) // the values stay but are no longer edited
        Box(id)->SetText(U("1"));
    EXPECT_EQ(State(Tables()), before);
    window->ShowPage(7);
    ClickRow(1058, 3, true);
    EXPECT_TRUE(Modals().empty()) << "no row editor without a file";
}

TEST_F(WindowTest, DoubleClickF2AndEnterEditTheRowOfEachEditorListAndRepaintIt)
{
    std::vector<std::string> edited; // the row named by each editor opened
    user.AnswerEveryModal([&edited](QDialog& dialog) {
        edited.push_back(dialog.findChild<QLabel*>(U("title1005"))->text().toStdString());
        auto* first = dialog.findChild<widgets::LineBox*>(U("edit1013")); // column 1
        first->SetText(first->Text() == U("1") ? U("2") : U("1"));
        dialog.findChild<QPushButton*>(U("button1"))->click();
    });
    Load();
    for (const app::PageControl& l : Lists()) {
        SCOPED_TRACE(l.table);
        window->ShowPage(l.page);
        int repainted = -1;
        auto connection = QObject::connect(Model(l.id), &QAbstractItemModel::dataChanged,
                                           [&repainted](const QModelIndex& a) { repainted = a.row(); });
        edited.clear();
        const QString before = Cell(l.id, 2, 1);
        ClickRow(l.id, 2, true);
        QObject::disconnect(connection);
        const bool noEditor = !editors::HasRowEditor(l.table);
        const bool priceBox = std::any_of(app::PriceEditors().begin(), app::PriceEditors().end(),
                                          [&](const app::PriceEditorDecl& e) { return e.list == l.id; });
        // F2 and Enter open the editor of the current row, as a double-click does; on a list with
        // a price box Enter shows the row's price in the box instead.
        List(l.id)->selectRow(1);
        Key(List(l.id), Qt::Key_F2);
        Key(List(l.id), Qt::Key_Enter);
        const std::string label2 = Cell(l.id, 2, 0).toStdString(), label1 = Cell(l.id, 1, 0).toStdString();
        std::vector<std::string> opened{label2, label1, label1};
        opened.resize(noEditor ? 0 : priceBox ? 2 : 3);
        EXPECT_EQ(edited, opened);
        EXPECT_EQ(repainted, noEditor ? -1 : 2);
        EXPECT_EQ(Cell(l.id, 2, 1) != before, !noEditor);
    }
}

} // namespace
} // namespace dravik::test
