// The program's own widgets as a user meets them (the one-line box, the measuring delegate, the base
// converter, message boxes), on light and dark palettes.
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"
#include "tools/CBaseConvDlg.h"
#include "widgets/DialogUnits.h"
#include "widgets/Marks.h"
#include "widgets/MeasuredDelegate.h"
#include "widgets/Prompts.h"

namespace dravik::test {
namespace {

// The box as drawn, without the caret.
QImage Rendered(widgets::LineBox* box)
{
    box->clearFocus();
    QApplication::processEvents();
    return box->grab().toImage();
}

TEST(LineBox, ShowsItsWholeTextWhateverKeysWerePressed)
{
    // The text, the keys pressed in the box, the text it then holds.
    const std::tuple<const char*, std::vector<Qt::Key>, const char*> cases[] = {
        {"4170", {Qt::Key_End, Qt::Key_Return, Qt::Key_Backspace}, "4170"},
        {"4170", {Qt::Key_End, Qt::Key_Return}, "4170\n"},
        {"4170", {Qt::Key_End, Qt::Key_Enter, Qt::Key_5, Qt::Key_0}, "4170\n50"},
        {"313", {Qt::Key_Home, Qt::Key_Return, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Backspace}, "313"},
    };
    QWidget top;
    top.setFont(widgets::EditorFont());
    const widgets::DialogUnits du(top.font());
    auto* typed = new widgets::LineBox(&top);
    auto* fresh = new widgets::LineBox(&top);
    auto* empty = new widgets::LineBox(&top);
    for (widgets::LineBox* box : {typed, fresh, empty})
        box->setGeometry(du.Rect(0, 0, 40, 12));
    top.show();
    QApplication::setActiveWindow(&top);
    const QImage blank = Rendered(empty);
    for (const auto& [text, keys, expected] : cases) {
        SCOPED_TRACE(expected);
        typed->SetText(QString::fromUtf8(text));
        typed->setFocus();
        for (Qt::Key key : keys)
            QTest::keyClick(typed, key);
        EXPECT_EQ(typed->Text(), QString::fromUtf8(expected));
        fresh->SetText(QString::fromUtf8(expected)); // never focused, never scrolled
        const QImage shown = Rendered(typed);
        EXPECT_EQ(shown, Rendered(fresh)) << "the box does not show its text as a fresh box does";
        EXPECT_NE(shown, blank);
    }
}

// A box moved into by Tab, or the first of a dialog just opened, has its text selected, so that
// typing replaces it; a click places the caret instead.
TEST_F(LoadedWindowTest, ABoxEnteredByTabOrOpeningHasItsTextSelectedAndAClickPlacesTheCaret)
{
    window->ShowPage(6);
    QApplication::setActiveWindow(window.get());
    Box(1052)->setFocus();
    QTest::keyClick(Box(1052), Qt::Key_Tab);
    ASSERT_TRUE(Box(1053)->hasFocus());
    EXPECT_EQ(Box(1053)->selectedText(), Box(1053)->Text());
    QTest::keyClicks(Box(1053), U("99"));
    EXPECT_EQ(Box(1053)->Text(), U("99"));
    QTest::keyClick(Box(1053), Qt::Key_Tab);
    const QString value = Box(1054)->Text();
    ASSERT_EQ(Box(1054)->selectedText(), value);
    QTest::keyClick(Box(1054), Qt::Key_Return);
    EXPECT_EQ(Box(1054)->Text(), value + U("\n")) << "Enter erased the value moved into";

    widgets::LineBox* wolf = Box(1052);
    wolf->SetText(U("4170"));
    const int x = wolf->contentsRect().left() + wolf->fontMetrics().horizontalAdvance(U("41")) + 3;
    QTest::mouseClick(wolf, Qt::LeftButton, Qt::NoModifier, QPoint(x, wolf->height() / 2));
    EXPECT_TRUE(wolf->hasFocus());
    EXPECT_FALSE(wolf->hasSelectedText());
    EXPECT_GT(wolf->cursorPosition(), 0);
    EXPECT_LT(wolf->cursorPosition(), 4);

    std::vector<std::unique_ptr<QDialog>> dialogs;
    for (const app::PageControl& l : Lists())
        if (std::unique_ptr<QDialog> editor =
                editors::CreateRowEditor(window.get(), Tables().Get(l.table), 0))
            dialogs.push_back(std::move(editor));
    dialogs.push_back(std::make_unique<tools::CBaseConvDlg>(window.get()));
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog->windowTitle());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
        auto* first = qobject_cast<widgets::LineBox*>(dialog->focusWidget());
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->objectName(), dialogs.back() == dialog ? U("input") : U("edit1013"));
        if (dialogs.back() == dialog) { // the converter's box starts empty: back to it by Shift+Tab
            QTest::keyClicks(first, U("255"));
            QTest::keyClick(first, Qt::Key_Tab);
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        }
        EXPECT_FALSE(first->Text().isEmpty());
        EXPECT_EQ(first->selectedText(), first->Text());
        QTest::keyClick(first, Qt::Key_1);
        EXPECT_EQ(first->Text(), U("1")) << "typing replaces the old value";
    }
}

// Whatever changed since it last measured, the delegate gives what the standard delegate gives.
TEST(MeasuredDelegate, MeasuresAsTheStandardDelegateAfterEveryChange)
{
    QStandardItemModel model(2, 1);
    QTableView view;
    view.setModel(&model);
    view.setWordWrap(false);
    auto* measured = new widgets::MeasuredDelegate(&view);
    QStyledItemDelegate plain;
    const QFont listFont = view.font();
    // What fitting a column to its entries asks (public in the base class).
    const auto width = [&view] { return static_cast<QAbstractItemView&>(view).sizeHintForColumn(0); };
    const auto setText = [&model](int row, const char* text) {
        model.setData(model.index(row, 0), QString::fromUtf8(text));
    };
    const auto setBold = [&model](int row, bool bold) {
        QFont font;
        font.setBold(bold);
        model.setData(model.index(row, 0), bold ? QVariant(font) : QVariant(), Qt::FontRole);
    };
    QFont larger = listFont;
    larger.setPointSizeF(listFont.pointSizeF() * 2);
    QPixmap icon(40, 40);
    icon.fill(Qt::red);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"names", [&] { setText(0, "甲"), setText(1, "No1.蚊式坦克"); }},
        {"the same names again", [] {}},
        {"a changed cell in bold", [&] { setBold(1, true); }},
        {"a longer name in bold", [&] { setText(1, "No1.蚊式坦克改"); }},
        {"the mark gone", [&] { setBold(1, false); }},
        {"a larger list font", [&] { view.setFont(larger); }},
        {"an icon", [&] { model.setData(model.index(0, 0), icon, Qt::DecorationRole); }},
        {"as at first",
         [&] {
             model.setData(model.index(0, 0), QVariant(), Qt::DecorationRole);
             view.setFont(listFont);
             setText(1, "No1.蚊式坦克");
         }},
    };
    for (const auto& [what, change] : steps) {
        change();
        view.setItemDelegate(&plain);
        const int expected = width();
        view.setItemDelegate(measured);
        EXPECT_EQ(width(), expected) << what;
        EXPECT_EQ(width(), expected) << what << ", measured twice";
    }
}

TEST(BaseConvDlg, ComputesAndRefusesInvalidInputWithoutClosing)
{
    ScriptedUser user; // records message boxes instead of blocking
    tools::CBaseConvDlg dlg;
    widgets::Prompts::Give(&dlg, &user);
    dlg.show();
    QApplication::processEvents();
    auto* input = dlg.findChild<widgets::LineBox*>(U("input"));
    auto* from = dlg.findChild<QComboBox*>(U("fromBase"));
    auto* to = dlg.findChild<QComboBox*>(U("toBase"));
    auto* compute = dlg.findChild<QPushButton*>(U("compute"));
    auto* result = dlg.findChild<QLineEdit*>(U("result"));
    ASSERT_TRUE(input && from && to && compute && result);
    // What the user reads: the caption, the labels from the top, the button and the bases.
    QStringList texts{dlg.windowTitle()};
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        texts << label->text();
    texts << compute->text() << from->itemText(0) << to->itemText(14);
    EXPECT_EQ(texts, QStringList({U("进制转换"), U("本程序为2-16进制的进制转换器，支持整数和浮点小数。"),
                                  U("输入"), U("我输入的数是"), U("我想转换成"), U("结果"), U("计算"),
                                  U("2进制"), U("16进制")}));
    EXPECT_TRUE(result->isReadOnly()) << "a result is copied, not typed";

    EXPECT_EQ(from->currentText() + u'>' + to->currentText(), U("10进制>16进制"));
    from->setCurrentIndex(16 - 2); // the lists run from base 2
    to->setCurrentIndex(10 - 2);
    input->SetText(U("-1a"));
    compute->click();
    EXPECT_EQ(result->text(), U("-26"));
    EXPECT_TRUE(user.Asked().empty());

    // Enter in the input box converts what was typed, and the dialog stays.
    input->setFocus();
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        input->SetText(U("7f"));
        Key(input, enter);
        EXPECT_EQ(input->Text(), U("7f"));
        EXPECT_EQ(result->text(), U("127"));
    }
    EXPECT_TRUE(dlg.isVisible());
    input->SetText(U("-1a\n")); // a pasted line break is refused
    compute->click();
    EXPECT_EQ(result->text(), QString());
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_EQ(user.Asked()[0].text, U("输入的数据非法!"));
    EXPECT_EQ(user.Asked()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dlg.isVisible());

    Key(to, Qt::Key_Return); // elsewhere Enter accepts the dialog
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Accepted);
}

using widgets::Contrast;

// The colour of most pixels in r, and the one of them that stands out most from it.
std::pair<QColor, QColor> BackgroundAndInk(const QImage& image, const QRect& r)
{
    std::map<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QColor background(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                return a.second < b.second;
                            })->first);
    QColor ink = background;
    for (const auto& [rgb, n] : counts)
        if (Contrast(QColor(rgb), background) > Contrast(ink, background))
            ink = QColor(rgb);
    return {background, ink};
}

TEST_F(WindowTest, ChangedCellsAndThePressedPageButtonStandOutReadablyOnLightAndDarkPalettes)
{
    const QPalette before = QApplication::palette();
    Load();
    window->GetSession().Apply(rom::Edit("main_cannons").SetCell(3, 1, "777"), U("edit"));
    window->ShowPage(1);
    QTableView* view = List(1004);
    view->clearSelection();
    view->setCurrentIndex({});
    for (const auto& [name, palette] : {std::pair{"dark", widgets::DarkPalette()}, {"light", before}}) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);
        QApplication::processEvents();
        const QImage list = view->viewport()->grab().toImage();
        const auto cell = [&](int row) {
            return view->visualRect(view->model()->index(row, 1)).adjusted(3, 2, -3, -2);
        };
        const auto [changed, changedInk] = BackgroundAndInk(list, cell(3));
        const auto [plain, plainInk] = BackgroundAndInk(list, cell(4));
        EXPECT_GE(Contrast(changedInk, changed), 4.5);
        EXPECT_GE(Contrast(changed, plain), 1.1) << "the changed cell looks like the others";

        QImage pressed = Child<QPushButton>(U("pageButton1"))->grab().toImage();
        QImage other = Child<QPushButton>(U("pageButton2"))->grab().toImage();
        const QRect face = pressed.rect().adjusted(3, 3, -3, -3);
        const auto [pressedFace, pressedInk] = BackgroundAndInk(pressed, face);
        const auto [otherFace, otherInk] = BackgroundAndInk(other, face);
        EXPECT_GE(Contrast(pressedInk, pressedFace), 4.5);
        EXPECT_GE(Contrast(pressedFace, otherFace), 1.3) << "the pressed page button looks like the others";
    }
    QApplication::setPalette(before);
    EXPECT_NE(widgets::ChangedMark(before), widgets::ReferenceMark(before));
}

// A long list in a message box shows its first lines and counts the rest exactly.
TEST(Prompts, ALongMessageCountsTheLinesItLeavesOut)
{
    QString shown;
    QTimer closer; // works the box as a user would, so that nothing waits
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->done(0);
        }
    });
    closer.start(10);
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QString::number(i);
    widgets::Prompts::Dialogs().Tell(nullptr, QMessageBox::Warning, U("Dravik静态修改器"), lines.join(u'\n'));
    const QStringList seen = shown.split(u'\n');
    EXPECT_EQ(seen.last(), U("……（另有 %1 项，见详细信息）").arg(101 - seen.size())) << shown;
}

} // namespace
} // namespace dravik::test
