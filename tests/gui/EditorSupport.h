#pragma once
// Helpers for the row editor tests: a loaded sample model, and a timer that drives the modal
// dialog EditRow runs, as a user would.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "editors/CRowDlg.h"
#include "editors/RowEditing.h"
#include "rom/Passes.h"
#include "rom/SampleImage.h"

namespace dravik::test {

inline QPlainTextEdit* Edit(QDialog* d, int id) { return d->findChild<QPlainTextEdit*>(QStringLiteral("edit%1").arg(id)); }
inline QComboBox* Combo(QDialog* d, int id) { return d->findChild<QComboBox*>(QStringLiteral("combo%1").arg(id)); }
inline void SetEdit(QDialog* d, int id, const QString& text) { Edit(d, id)->setPlainText(text); }
inline void SetCombo(QDialog* d, int id, int index) { Combo(d, id)->setCurrentIndex(index); }
inline void Press(QDialog* d, const QString& text) // "确定" or "取消"
{
    for (QPushButton* button : d->findChildren<QPushButton*>())
        if (button->text() == text)
            return button->click();
}

// Runs `act` on the next modal dialog once it is shown. A dialog that `act` leaves open is
// cancelled a little later, so that a failing test cannot hang.
inline void WhenModal(std::function<void(QDialog*)> act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->deleteLater();
        act(dialog);
        if (dialog->isVisible())
            QTimer::singleShot(3000, dialog, &QDialog::reject);
    });
    timer->start(5);
    QTimer::singleShot(10000, timer, &QObject::deleteLater);
}

inline rom::Model SampleModel(uint32_t seed = 3)
{
    rom::Model model;
    rom::LoadTables(rom::MakeSampleImage(seed), model);
    return model;
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

// A model loaded from a sample image; refusals are recorded instead of shown.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = CRowDlg::SetMessageHook(
            [this](QWidget*, const QString& text, const QString& caption) { messages_ << caption + "|" + text; });
    }
    void TearDown() override { CRowDlg::SetMessageHook(previous_); }

    rom::Table& T(const char* id) { return model_.Get(id); }
    bool Drive(const char* table, int row, std::function<void(QDialog*)> act)
    {
        WhenModal(std::move(act));
        return editors::EditRow(nullptr, T(table), row);
    }

    rom::Model model_ = SampleModel();
    QStringList messages_;
    CRowDlg::MessageFn previous_;
};

} // namespace dravik::test
