#pragma once
// Helpers for the row editor tests: a loaded sample model, and driving a modal dialog from a
// timer while EditRow runs it.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/CRowDlg.h"
#include "editors/RowEditing.h"

#include "rom/Passes.h"
#include "rom/SampleImage.h"
#include "rom/Table.h"

namespace dravik::test {

inline rom::Model SampleModel(uint32_t seed = 1)
{
    rom::Model model;
    rom::LoadTables(rom::MakeSampleImage(seed), model);
    return model;
}

inline QPlainTextEdit* Edit(QDialog* dialog, int id)
{
    return dialog->findChild<QPlainTextEdit*>(QStringLiteral("edit%1").arg(id));
}
inline QComboBox* Combo(QDialog* dialog, int id)
{
    return dialog->findChild<QComboBox*>(QStringLiteral("combo%1").arg(id));
}

inline void SetEdit(QDialog* dialog, int id, const QString& text)
{
    if (QPlainTextEdit* edit = Edit(dialog, id))
        edit->setPlainText(text);
}
inline void SetCombo(QDialog* dialog, int id, int index)
{
    if (QComboBox* combo = Combo(dialog, id))
        combo->setCurrentIndex(index);
}

// Clicks the button with this text ("确定" or "取消").
inline void Press(QDialog* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text) {
            button->click();
            return;
        }
}

// Runs `act` on the next modal dialog as soon as it is shown. Should `act` leave it open,
// the dialog is cancelled after a few seconds so that a failing test cannot hang.
inline void WhenModal(std::function<void(QDialog*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++*tries > 1000)
                timer->deleteLater();
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(dialog);
        if (dialog->isVisible())
            QTimer::singleShot(3000, dialog, [dialog] { dialog->reject(); });
    });
    timer->start();
}

// Everything an edit can change in a row: its cells, then its codes.
inline std::vector<std::string> RowState(const rom::Table& table, int row)
{
    std::vector<std::string> state;
    for (int column = 0; column < table.Columns(); ++column)
        state.push_back(table.Cell(row, column));
    for (const rom::CodeArray& codes : table.CodeArrays())
        for (int k = 0; k < codes.perRow; ++k)
            state.push_back(codes.name + "=" + std::to_string(codes.At(row, k)));
    return state;
}

// A loaded sample model, and refusal messages recorded instead of shown.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = CRowDlg::SetMessageHook([this](QWidget*, const QString& text, const QString& caption) {
            messages_.push_back(caption + "|" + text);
        });
    }
    void TearDown() override { CRowDlg::SetMessageHook(previous_); }

    rom::Table& T(const char* id) { return model_.Get(id); }

    // Runs the row's editor with `act` driving it; returns what EditRow returned.
    bool Drive(const char* table, int row, std::function<void(QDialog*)> act)
    {
        WhenModal(std::move(act));
        return editors::EditRow(nullptr, T(table), row);
    }

    rom::Model model_ = SampleModel(3);
    std::vector<QString> messages_;
    CRowDlg::MessageFn previous_;
};

} // namespace dravik::test
