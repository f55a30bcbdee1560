#include "tools/CBaseConvDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Shown {
    QString text;
    QString caption;
};

// Records the messages instead of opening a blocking message box.
class BaseConvDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = CBaseConvDlg::SetMessageHook(
            [this](QWidget*, const QString& text, const QString& caption) { m_shown.push_back({text, caption}); });
        m_dlg.show();
        QApplication::processEvents();
    }
    void TearDown() override { CBaseConvDlg::SetMessageHook(m_previous); }

    void compute(const QString& text, int fromBase, int toBase) {
        m_dlg.input()->setPlainText(text);
        m_dlg.fromCombo()->setCurrentIndex(fromBase - 2);
        m_dlg.toCombo()->setCurrentIndex(toBase - 2);
        m_dlg.computeButton()->click();
    }

    CBaseConvDlg m_dlg;
    std::vector<Shown> m_shown;
    CBaseConvDlg::MessageFn m_previous;
};

} // namespace

TEST_F(BaseConvDlgTest, OpensWithDecimalToHexAndComputes) {
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("进制转换"));
    EXPECT_EQ(m_dlg.fromCombo()->count(), 15);
    EXPECT_EQ(m_dlg.fromCombo()->currentText(), QStringLiteral("10进制"));
    EXPECT_EQ(m_dlg.toCombo()->currentText(), QStringLiteral("16进制"));
    EXPECT_EQ(m_dlg.toCombo()->itemText(0), QStringLiteral("2进制"));
    EXPECT_TRUE(m_dlg.result()->isReadOnly());

    m_dlg.input()->setPlainText(QStringLiteral("255"));
    m_dlg.computeButton()->click();
    EXPECT_EQ(m_dlg.result()->text(), QStringLiteral("FF"));

    compute(QStringLiteral("-1a"), 16, 10);
    EXPECT_EQ(m_dlg.result()->text(), QStringLiteral("-26"));
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(BaseConvDlgTest, InvalidInputEmptiesResultAndKeepsDialogOpen) {
    compute(QStringLiteral("255"), 10, 16);
    ASSERT_EQ(m_dlg.result()->text(), QStringLiteral("FF"));

    compute(QStringLiteral("19"), 8, 10);
    EXPECT_EQ(m_dlg.result()->text(), QString());
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("输入的数据非法!"));
    EXPECT_EQ(m_shown[0].caption, QStringLiteral("错误"));
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.input()->toPlainText(), QStringLiteral("19"));

    compute(QStringLiteral("2147483648"), 10, 16);
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[1].text, QStringLiteral("输入的整数部分太大!"));
    EXPECT_TRUE(m_dlg.isVisible());
}

TEST_F(BaseConvDlgTest, EnterInTheInputIsALineBreakElsewhereItCloses) {
    m_dlg.input()->setFocus();
    m_dlg.input()->setPlainText(QStringLiteral("12"));
    m_dlg.input()->moveCursor(QTextCursor::End);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(m_dlg.input(), &enter);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.input()->toPlainText(), QStringLiteral("12\n"));

    m_dlg.computeButton()->click();
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("输入的数据非法!"));

    QKeyEvent enterOnList(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(m_dlg.toCombo(), &enterOnList);
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.QDialog::result(), QDialog::Accepted);
}
