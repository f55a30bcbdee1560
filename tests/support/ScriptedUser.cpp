#include "support/ScriptedUser.h"

#include <QApplication>
#include <QDialog>

namespace dravik::test {

std::vector<Prompt> ScriptedUser::Asked(Prompt::Kind kind) const
{
    std::vector<Prompt> out;
    for (const Prompt& p : prompts_)
        if (p.kind == kind)
            out.push_back(p);
    return out;
}

int ScriptedUser::Ask(QWidget*, const widgets::Question& question)
{
    prompts_.push_back(
        {Prompt::Message, question.icon, question.caption, question.text, question.buttons, {}});
    if (question.buttons.isEmpty())
        return 0;
    if (look_)
        look_(question.text);
    int answer = question.CancelButton();
    if (!buttons_.empty()) {
        const int i = static_cast<int>(question.buttons.indexOf(buttons_.front()));
        if (i >= 0)
            answer = i;
        else
            qWarning("ScriptedUser: no button \"%s\" in \"%s\"", qPrintable(buttons_.front()),
                     qPrintable(question.text));
        buttons_.pop_front();
    }
    return answer;
}

QString ScriptedUser::ChooseFile(QWidget*, const widgets::FileQuestion& question)
{
    prompts_.push_back(
        {Prompt::File, QMessageBox::NoIcon, question.caption, question.filter, {}, {}, question.path});
    if (files_.empty())
        return {};
    const QString path = files_.front();
    files_.pop_front();
    return path;
}

void ScriptedUser::Notice(QWidget*, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    prompts_.push_back({Prompt::Notice, icon, caption, text, {}, {}});
}

int ScriptedUser::RunModal(QDialog& dialog)
{
    prompts_.push_back(
        {Prompt::Modal, QMessageBox::NoIcon, dialog.windowTitle(), {}, {}, dialog.metaObject()->className()});
    std::function<void(QDialog&)> act = everyModal_;
    if (!modals_.empty()) {
        act = std::move(modals_.front());
        modals_.pop_front();
    }
    if (!act)
        return QDialog::Rejected;
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QApplication::processEvents();
    act(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

} // namespace dravik::test
