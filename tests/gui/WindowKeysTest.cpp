// The keyboard in the window: F1, and Enter typed at the end of a value.
#include <QTest>

#include "WindowFixture.h"

namespace dravik::test {
namespace {

class WindowKeysTest : public WindowTest {
protected:
    void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QApplication::setActiveWindow(target->window());
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }
};

// The guide of the source tree a build runs from, or the About box where there is none.
TEST_F(WindowKeysTest, F1ShowsTheUserGuide)
{
    Press(window.get(), Qt::Key_F1);
    ASSERT_EQ(user.Asked(Prompt::Modal).size(), 1u);
    const bool guide =
        QFileInfo::exists(QCoreApplication::applicationDirPath() + U("/../docs/user-guide.md"));
    EXPECT_EQ(user.Asked(Prompt::Modal)[0].caption, guide ? U("用户指南") : U("关于 Dravik静态修改器"));
}

// Enter typed after a value leaves a line break, which is no part of the value: the row stays
// unchanged, so nothing is marked or counted as an edit.
TEST_F(WindowKeysTest, AValueWithATrailingEnterIsNoChange)
{
    Load();
    const QString price = Cell(1028, 2, 1);
    const QString damage = Cell(1004, 0, 1);
    window->ShowPage(1);
    user.AnswerModal([&damage](QDialog& dialog) {
        auto* box = dialog.findChild<widgets::LineBox*>(QStringLiteral("edit1013")); // column 1
        box->setFocus();
        box->end(false);
        QTest::keyClick(box, Qt::Key_Return);
        ASSERT_EQ(box->Text(), damage + QStringLiteral("\n"));
        dialog.findChild<QPushButton*>(QStringLiteral("button1"))->click();
    });
    ClickRow(1004, 0, true);
    window->ShowPage(5);
    ClickRow(1028, 2);
    Box(1029)->setFocus();
    Box(1029)->end(false);
    QTest::keyClick(Box(1029), Qt::Key_Return);
    Button(1030)->click();
    EXPECT_EQ(UndoStack()->count(), 0);
    EXPECT_EQ(Cell(1004, 0, 1), damage);
    EXPECT_EQ(Cell(1028, 2, 1), price);
    EXPECT_FALSE(window->GetSession().IsModified());

    Box(1029)->SetText(QStringLiteral("\n40\r\n")); // a new value goes in without them
    Button(1030)->click();
    EXPECT_EQ(Cell(1028, 2, 1), QStringLiteral("40"));
}

} // namespace
} // namespace dravik::test
