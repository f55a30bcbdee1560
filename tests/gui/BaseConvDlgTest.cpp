#include "tools/CBaseConvDlg.h"

#include "widgets/LineBox.h"
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

#include "support/ScriptedUser.h"

using dravik::test::Prompt;
using dravik::tools::CBaseConvDlg;

TEST(BaseConvDlg, ComputesAndRefusesInvalidInputWithoutClosing)
{
    dravik::test::ScriptedUser user; // records message boxes instead of blocking
    const auto shown = [&user] {
        std::vector<QStringList> messages;
        for (const Prompt& p : user.Asked(Prompt::Message))
            messages.push_back({p.text, p.caption, QString::number(p.icon)});
        return messages;
    };
    CBaseConvDlg dlg;
    dravik::widgets::Prompts::Give(&dlg, &user);
    dlg.show();
    QApplication::processEvents();
    auto* input = dlg.findChild<dravik::widgets::LineBox*>(QStringLiteral("input"));
    auto* from = dlg.findChild<QComboBox*>(QStringLiteral("fromBase"));
    auto* to = dlg.findChild<QComboBox*>(QStringLiteral("toBase"));
    auto* compute = dlg.findChild<QPushButton*>(QStringLiteral("compute"));
    auto* result = dlg.findChild<QLineEdit*>(QStringLiteral("result"));
    ASSERT_TRUE(input && from && to && compute && result);
    // What the user reads: the caption, the labels from the top, the button and every base.
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("进制转换"));
    QStringList labels;
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_EQ(labels, QStringList({QStringLiteral("本程序为2-16进制的进制转换器，支持整数和浮点小数。"),
                                   QStringLiteral("输入"), QStringLiteral("我输入的数是"),
                                   QStringLiteral("我想转换成"), QStringLiteral("结果")}));
    EXPECT_EQ(compute->text(), QStringLiteral("计算"));
    for (const QComboBox* list : {from, to}) {
        ASSERT_EQ(list->count(), 15);
        EXPECT_EQ(list->itemText(0), QStringLiteral("2进制"));
        EXPECT_EQ(list->itemText(14), QStringLiteral("16进制"));
    }
    EXPECT_TRUE(result->isReadOnly()) << "a result is copied, not typed";
    const auto pressEnter = [](QWidget* w) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
    };

    input->SetText(QStringLiteral("255")); // opens as 10 -> 16
    compute->click();
    EXPECT_EQ(result->text(), QStringLiteral("FF"));
    from->setCurrentIndex(16 - 2); // the lists run from base 2
    to->setCurrentIndex(10 - 2);
    input->SetText(QStringLiteral("-1a"));
    compute->click();
    EXPECT_EQ(result->text(), QStringLiteral("-26"));
    EXPECT_TRUE(shown().empty());

    // Enter in the input box is a line break, which the converter refuses.
    input->setFocus();
    input->end(false);
    pressEnter(input);
    compute->click();
    EXPECT_EQ(input->Text(), QStringLiteral("-1a\n"));
    EXPECT_EQ(result->text(), QString());
    EXPECT_EQ(shown(), (std::vector<QStringList>{{QStringLiteral("输入的数据非法!"), QStringLiteral("错误"),
                                                  QString::number(QMessageBox::Critical)}}));
    EXPECT_TRUE(dlg.isVisible());

    pressEnter(to); // elsewhere Enter accepts the dialog
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Accepted);
}
