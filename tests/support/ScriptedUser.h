#pragma once
// A user who answers every prompt at once from queues, in the order queued, and records every
// prompt. A prompt without a queued answer is cancelled: a question gets its cancel button, a
// file dialog an empty path, and a modal dialog is not run and counts as rejected. Give it to a
// window (or to a dialog) with widgets::Prompts::Give, or to the main window's constructor.
#include <deque>
#include <functional>
#include <vector>

#include "widgets/Prompts.h"

namespace dravik::test {

// One prompt as a test sees it.
struct Prompt {
    enum Kind { Message, File, Modal, Notice };
    Kind kind = Message;
    QMessageBox::Icon icon = QMessageBox::NoIcon; // Message
    QString caption;                              // window title of each kind
    QString text;                                 // Message, Notice: the whole text; File: the filter
    QStringList buttons;                          // Message
    QString dialogClass;                          // Modal: the dialog's class name
    QString path;                                 // File: where the dialog starts
};

class ScriptedUser : public widgets::Prompts {
public:
    // The next question is answered by the button with this text. A notice needs no answer.
    void AnswerButton(const QString& text) { buttons_.push_back(text); }
    void AnswerFile(const QString& path) { files_.push_back(path); }
    // Takes back the last file answer (its dialog never came).
    void TakeBackFile() { files_.pop_back(); }
    // The next modal dialog is shown without blocking and handed to act, which works it as a
    // user would (types, picks, presses "确定"). A dialog act leaves open is then rejected.
    void AnswerModal(std::function<void(QDialog& dialog)> act) { modals_.push_back(std::move(act)); }
    // Every modal dialog without a queued answer goes to act (empty: cancel them).
    void AnswerEveryModal(std::function<void(QDialog& dialog)> act) { everyModal_ = std::move(act); }

    // look sees the text of every question while it is shown, before it is answered.
    void WhileAsking(std::function<void(const QString& text)> look) { look_ = std::move(look); }
    const std::vector<Prompt>& Asked() const { return prompts_; }
    std::vector<Prompt> Asked(Prompt::Kind kind) const;
    void Clear() { prompts_.clear(); }

    int Ask(QWidget* parent, const widgets::Question& question) override;
    QString ChooseFile(QWidget* parent, const widgets::FileQuestion& question) override;
    int RunModal(QDialog& dialog) override;
    void Notice(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                const QString& text) override;

private:
    std::vector<Prompt> prompts_;
    std::deque<QString> buttons_;
    std::deque<QString> files_;
    std::deque<std::function<void(QDialog&)>> modals_;
    std::function<void(QDialog&)> everyModal_;
    std::function<void(const QString&)> look_;
};

} // namespace dravik::test
