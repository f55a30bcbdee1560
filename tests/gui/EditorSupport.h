#pragma once
// Helpers for the row editor tests: a loaded sample model, and driving a modal dialog from a
// timer while EditRow runs it.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <string>

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

} // namespace dravik::test
