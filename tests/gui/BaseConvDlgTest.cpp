#include "tools/CBaseConvDlg.h"

#include "widgets/LineBox.h"
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
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
