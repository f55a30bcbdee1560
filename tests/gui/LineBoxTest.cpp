// The one-line box as a user meets it: its whole text stays in view whatever keys were pressed,
// moving into it by Tab or by opening a dialog selects its text, and a click places the caret.
#include <QTest>

#include "EditorSupport.h"
#include "WindowFixture.h"
#include "tools/CBaseConvDlg.h"
#include "widgets/DialogUnits.h"

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

} // namespace
} // namespace dravik::test
