#include "tools/CBaseConvDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

TEST(BaseConvDlg, ComputesAndRefusesInvalidInputWithoutClosing)
{
    std::vector<QStringList> shown; // recorded instead of a blocking message box
    const auto previous =
        CBaseConvDlg::SetMessageHook([&](QWidget*, const QString& text, const QString& caption) {
            shown.push_back({text, caption});
        });
    CBaseConvDlg dlg;
    dlg.show();
    QApplication::processEvents();
    const auto pressEnter = [](QWidget* w) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
    };

    dlg.input()->setPlainText(QStringLiteral("255")); // opens as 10 -> 16
    dlg.computeButton()->click();
    EXPECT_EQ(dlg.result()->text(), QStringLiteral("FF"));
    dlg.fromCombo()->setCurrentIndex(16 - 2); // the lists run from base 2
    dlg.toCombo()->setCurrentIndex(10 - 2);
    dlg.input()->setPlainText(QStringLiteral("-1a"));
    dlg.computeButton()->click();
    EXPECT_EQ(dlg.result()->text(), QStringLiteral("-26"));
    EXPECT_TRUE(shown.empty());

    // Enter in the input box is a line break, which the converter refuses.
    dlg.input()->setFocus();
    dlg.input()->moveCursor(QTextCursor::End);
    pressEnter(dlg.input());
    dlg.computeButton()->click();
    EXPECT_EQ(dlg.input()->toPlainText(), QStringLiteral("-1a\n"));
    EXPECT_EQ(dlg.result()->text(), QString());
    EXPECT_EQ(shown, (std::vector<QStringList>{{QStringLiteral("输入的数据非法!"), QStringLiteral("错误")}}));
    EXPECT_TRUE(dlg.isVisible());

    pressEnter(dlg.toCombo()); // elsewhere Enter accepts the dialog
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Accepted);
    CBaseConvDlg::SetMessageHook(previous);
}
