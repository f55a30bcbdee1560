// The program's own widgets as a user meets them. The one-line box: its whole text stays in view
// whatever keys were pressed, moving into it by Tab or by opening a dialog selects its text, and a
// click places the caret. The list delegate that remembers its measures measures as the standard
// one does. The base converter computes, and refuses what it cannot read without closing.
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTest>

#include "WindowFixture.h"
#include "tools/CBaseConvDlg.h"
#include "widgets/DialogUnits.h"
#include "widgets/MeasuredDelegate.h"

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
    struct Case {
        const char* text;
        std::vector<Qt::Key> keys;
        const char* expected;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        typed->SetText(QString::fromUtf8(c.text));
        typed->setFocus();
        for (Qt::Key key : c.keys)
            QTest::keyClick(typed, key);
        EXPECT_EQ(typed->Text(), QString::fromUtf8(c.expected));
        fresh->SetText(QString::fromUtf8(c.expected)); // never focused, never scrolled
        const QImage shown = Rendered(typed);
        EXPECT_EQ(shown, Rendered(fresh)) << "the box does not show its text as a fresh box does";
        EXPECT_NE(shown, blank);
    }
}

TEST_F(WindowTest, TabSelectsABoxsTextAndAClickPlacesTheCaret)
{
    Load();
    window->ShowPage(6);
    QApplication::setActiveWindow(window.get());
    Box(1052)->setFocus();
    QTest::keyClick(Box(1052), Qt::Key_Tab);
    ASSERT_TRUE(Box(1053)->hasFocus());
    EXPECT_EQ(Box(1053)->selectedText(), Box(1053)->Text());
    QTest::keyClicks(Box(1053), QStringLiteral("99"));
    EXPECT_EQ(Box(1053)->Text(), QStringLiteral("99")) << "typing replaces the value moved into";
    QTest::keyClick(Box(1053), Qt::Key_Tab);
    const QString value = Box(1054)->Text();
    ASSERT_EQ(Box(1054)->selectedText(), value);
    QTest::keyClick(Box(1054), Qt::Key_Return);
    EXPECT_EQ(Box(1054)->Text(), value + QStringLiteral("\n")) << "Enter erased the value moved into";

    widgets::LineBox* wolf = Box(1052);
    wolf->SetText(QStringLiteral("4170"));
    const int x =
        wolf->contentsRect().left() + wolf->fontMetrics().horizontalAdvance(QStringLiteral("41")) + 3;
    QTest::mouseClick(wolf, Qt::LeftButton, Qt::NoModifier, QPoint(x, wolf->height() / 2));
    EXPECT_TRUE(wolf->hasFocus());
    EXPECT_FALSE(wolf->hasSelectedText());
    EXPECT_GT(wolf->cursorPosition(), 0);
    EXPECT_LT(wolf->cursorPosition(), 4);
}

TEST_F(WindowTest, ADialogOpensWithItsFirstBoxFocusedAndItsTextSelected)
{
    Load();
    for (const ListOfTable& l : kLists) {
        std::unique_ptr<QDialog> editor = editors::CreateRowEditor(
            window.get(), window->GetSession().Document().GetModel().Get(l.table), 0);
        if (!editor)
            continue;
        SCOPED_TRACE(l.table);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        QApplication::processEvents();
        auto* first = qobject_cast<widgets::LineBox*>(editor->focusWidget());
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->objectName(), QStringLiteral("edit1013"));
        EXPECT_FALSE(first->Text().isEmpty());
        EXPECT_EQ(first->selectedText(), first->Text());
        QTest::keyClick(first, Qt::Key_1);
        EXPECT_EQ(first->Text(), QStringLiteral("1")) << "typing replaces the old value";
    }
    tools::CBaseConvDlg converter(window.get());
    converter.show();
    QApplication::setActiveWindow(&converter);
    QApplication::processEvents();
    auto* input = converter.findChild<widgets::LineBox*>(QStringLiteral("input"));
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(converter.focusWidget(), input);
    QTest::keyClicks(input, QStringLiteral("255"));
    QTest::keyClick(input, Qt::Key_Tab);
    QTest::keyClick(converter.focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(input->selectedText(), QStringLiteral("255"));
}

// Whatever changed since it last measured (a text, a cell's font, the list's font, an icon), the
// delegate that remembers its measures gives what the standard delegate gives.
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
    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"names", [&] { setText(0, "甲"), setText(1, "No1.蚊式坦克"); }},
        {"the same names again", [] {}},
        {"a changed cell in bold", [&] { setBold(1, true); }},
        {"a longer name in bold", [&] { setText(1, "No1.蚊式坦克改"); }},
        {"the mark gone", [&] { setBold(1, false); }},
        {"a larger list font",
         [&] {
             QFont larger = listFont;
             larger.setPointSizeF(listFont.pointSizeF() * 2);
             view.setFont(larger);
         }},
        {"an icon",
         [&] {
             QPixmap icon(40, 40);
             icon.fill(Qt::red);
             model.setData(model.index(0, 0), icon, Qt::DecorationRole);
         }},
        {"as at first",
         [&] {
             model.setData(model.index(0, 0), QVariant(), Qt::DecorationRole);
             view.setFont(listFont);
             setText(1, "No1.蚊式坦克");
         }},
    };
    for (const Step& step : steps) {
        step.change();
        view.setItemDelegate(&plain);
        const int expected = width();
        view.setItemDelegate(measured);
        EXPECT_EQ(width(), expected) << step.what;
        EXPECT_EQ(width(), expected) << step.what << ", measured twice";
    }
}

TEST(BaseConvDlg, ComputesAndRefusesInvalidInputWithoutClosing)
{
    ScriptedUser user; // records message boxes instead of blocking
    tools::CBaseConvDlg dlg;
    widgets::Prompts::Give(&dlg, &user);
    dlg.show();
    QApplication::processEvents();
    auto* input = dlg.findChild<widgets::LineBox*>(QStringLiteral("input"));
    auto* from = dlg.findChild<QComboBox*>(QStringLiteral("fromBase"));
    auto* to = dlg.findChild<QComboBox*>(QStringLiteral("toBase"));
    auto* compute = dlg.findChild<QPushButton*>(QStringLiteral("compute"));
    auto* result = dlg.findChild<QLineEdit*>(QStringLiteral("result"));
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

    input->SetText(QStringLiteral("255")); // opens as 10 -> 16
    compute->click();
    EXPECT_EQ(result->text(), QStringLiteral("FF"));
    from->setCurrentIndex(16 - 2); // the lists run from base 2
    to->setCurrentIndex(10 - 2);
    input->SetText(QStringLiteral("-1a"));
    compute->click();
    EXPECT_EQ(result->text(), QStringLiteral("-26"));
    EXPECT_TRUE(user.Asked().empty());

    // Enter in the input box is a line break, which the converter refuses.
    input->setFocus();
    input->end(false);
    Key(input, Qt::Key_Return);
    compute->click();
    EXPECT_EQ(input->Text(), QStringLiteral("-1a\n"));
    EXPECT_EQ(result->text(), QString());
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_EQ(user.Asked()[0].text, U("输入的数据非法!"));
    EXPECT_EQ(user.Asked()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dlg.isVisible());

    Key(to, Qt::Key_Return); // elsewhere Enter accepts the dialog
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Accepted);
}

} // namespace
} // namespace dravik::test
