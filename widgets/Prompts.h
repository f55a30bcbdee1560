#pragma once
// Everything that waits on the user goes through here: message boxes and questions, the file
// dialogs, and modal runs of our own dialogs. Production code calls the static functions; a
// test installs a ScriptedUser, which records every prompt and answers it from a queue at once,
// so that nothing in a test ever blocks.
//
// A new question needs no new hook: describe it as a Question with its own button texts
// ({"覆盖", "重新载入", "取消"}, {"是", "否"}, ...) and act on the position of the button
// pressed. Tests answer it by the button's text.
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace dravik::widgets {

struct Question {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString caption;
    QString text;
    QStringList buttons;   // in the order shown; empty: a single standard OK
    int defaultButton = 0; // the one Enter presses
    int cancelButton = -1; // the answer to Esc and the close box; -1: the last button
};

struct FileQuestion {
    enum Mode { Open, Save, Folder };
    Mode mode = Open;
    QString caption;
    QString filter; // "SMC File (*.smc)"
    QString path;   // folder or file the dialog starts at
};

// One prompt as a test sees it.
struct Prompt {
    enum Kind { Message, File, Modal };
    Kind kind = Message;
    QMessageBox::Icon icon = QMessageBox::NoIcon; // Message
    QString caption;                              // window title of each kind
    QString text;                                 // Message: the whole text; File: the filter
    QStringList buttons;                          // Message
    QString dialogClass;                          // Modal: the dialog's class name
    QString path;                                 // File: where the dialog starts
};

class Prompts {
public:
    // The position of the button pressed (the cancel button's when the box was closed).
    static int Ask(QWidget* parent, const Question& question);
    // A notice with a single OK. A long text shows its first lines and keeps the whole under
    // "Show Details...".
    static void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);
    // The chosen path, or empty when the user cancelled.
    static QString ChooseFile(QWidget* parent, const FileQuestion& question);
    // Runs the dialog modally; QDialog::Accepted or QDialog::Rejected.
    static int RunModal(QDialog& dialog);

    // What answers instead of the user while installed (see ScriptedUser).
    class Answerer {
    public:
        virtual ~Answerer() = default;
        virtual int Ask(QWidget* parent, const Question& question) = 0;
        virtual QString ChooseFile(QWidget* parent, const FileQuestion& question) = 0;
        virtual int RunModal(QDialog& dialog) = 0;
    };
    // Returns the previous answerer; nullptr restores the real dialogs.
    static Answerer* Install(Answerer* answerer);
};

// Answers every prompt at once from queues, in the order queued, and records every prompt.
// A prompt without a queued answer is cancelled: a question gets its cancel button, a file
// dialog an empty path, and a modal dialog is not run and counts as rejected.
class ScriptedUser : public Prompts::Answerer {
public:
    ScriptedUser();
    ~ScriptedUser() override; // puts back whatever was installed before

    // The next question is answered by the button with this text. A notice needs no answer.
    void AnswerButton(const QString& text);
    void AnswerFile(const QString& path);
    // The next modal dialog is shown without blocking and handed to act, which works it as a
    // user would (types, picks, presses "确定"). A dialog act leaves open is then rejected.
    void AnswerModal(std::function<void(QDialog& dialog)> act);
    // Every modal dialog without a queued answer goes to act (empty: cancel them).
    void AnswerEveryModal(std::function<void(QDialog& dialog)> act) { everyModal_ = std::move(act); }

    const std::vector<Prompt>& Asked() const { return prompts_; }
    std::vector<Prompt> Asked(Prompt::Kind kind) const;
    void Clear() { prompts_.clear(); }

    int Ask(QWidget* parent, const Question& question) override;
    QString ChooseFile(QWidget* parent, const FileQuestion& question) override;
    int RunModal(QDialog& dialog) override;

private:
    Prompts::Answerer* previous_;
    std::vector<Prompt> prompts_;
    std::deque<QString> buttons_;
    std::deque<QString> files_;
    std::deque<std::function<void(QDialog&)>> modals_;
    std::function<void(QDialog&)> everyModal_;
};

} // namespace dravik::widgets
