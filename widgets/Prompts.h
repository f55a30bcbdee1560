#pragma once
// Everything that waits on the user goes through a Prompts: message boxes and questions, the file
// dialogs, and modal runs of our own dialogs. A window is given the Prompts that answers for it
// and everything inside it (the real dialogs unless told otherwise); a dialog asks For(itself),
// which finds its window's. Tests give the window one that answers at once, so that nothing in a
// test ever blocks.
//
// A new question needs no new hook: describe it as a Question with its own button texts
// ({"覆盖", "重新载入", "取消"}, {"是", "否"}, ...) and act on the position of the button
// pressed.
#include <QMessageBox>
#include <QString>
#include <QStringList>

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

    // The position of the answer to Esc and the close box.
    int CancelButton() const;
};

struct FileQuestion {
    enum Mode { Open, Save, Folder };
    Mode mode = Open;
    QString caption;
    QString filter; // "SMC File (*.smc)"; Save: a name typed without extension gets the chosen filter's
    QString path;   // folder or file the dialog starts at
};

// The extension of a file filter's first pattern ("IPS 补丁 (*.ips)" -> "ips"); empty for "(*)".
QString FilterExtension(const QString& filter);

class Prompts {
public:
    virtual ~Prompts() = default;

    // The position of the button pressed (the cancel button's when the box was closed).
    virtual int Ask(QWidget* parent, const Question& question) = 0;
    // The chosen path, or empty when the user cancelled.
    virtual QString ChooseFile(QWidget* parent, const FileQuestion& question) = 0;
    // Runs the dialog modally; QDialog::Accepted or QDialog::Rejected.
    virtual int RunModal(QDialog& dialog) = 0;

    // A notice that waits on nothing: shown beside the work, closed whenever the user likes.
    virtual void Notice(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);

    // A notice with a single OK. A long text shows its first lines and keeps the whole under
    // "Show Details...".
    void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);

    // The real message boxes and file dialogs.
    static Prompts& Dialogs();
    // Makes prompts answer for widget and everything inside it; nullptr gives it back to the
    // window around it. The widget does not own it: it must outlive the widget.
    static void Give(QWidget* widget, Prompts* prompts);
    // The Prompts given to widget or to the nearest widget around it; the real dialogs when none was.
    static Prompts& For(const QWidget* widget);
};

} // namespace dravik::widgets
