#include "widgets/Prompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QPushButton>

#include <algorithm>

namespace dravik::widgets {

namespace {

Prompts::Answerer*& Current()
{
    static Prompts::Answerer* answerer = nullptr;
    return answerer;
}

int CancelOf(const Question& q)
{
    if (q.buttons.isEmpty())
        return 0;
    return q.cancelButton >= 0 && q.cancelButton < q.buttons.size() ? q.cancelButton
                                                                    : static_cast<int>(q.buttons.size()) - 1;
}

// A refused save can list hundreds of cells; the box shows the first ones and keeps the whole
// list under "Show Details...".
constexpr int kShownLines = 20;

// A short text makes a narrow box whose title bar cuts its caption ("Dravik静…" over "保存成功!");
// the box is kept wide enough for the caption, the window icon and the title bar's buttons.
void KeepCaptionWhole(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont title = box.font();
    title.setBold(true); // as title bars commonly draw it
    const QFontMetrics fm(title);
    const int width = fm.horizontalAdvance(box.windowTitle()) + 8 * fm.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

int AskForReal(QWidget* parent, const Question& q)
{
    QMessageBox box(q.icon, q.caption, q.text, QMessageBox::NoButton, parent);
    KeepCaptionWhole(box);
    const QStringList lines = q.text.split(QLatin1Char('\n'));
    if (lines.size() > kShownLines + 1) {
        QStringList shown = lines.mid(0, kShownLines + 1);
        shown << QStringLiteral("……（另有 %1 项，见详细信息）").arg(lines.size() - kShownLines - 1);
        box.setText(shown.join(QLatin1Char('\n')));
        box.setDetailedText(q.text);
    }
    if (q.buttons.isEmpty()) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return 0;
    }
    const int cancel = CancelOf(q);
    std::vector<QPushButton*> buttons;
    for (int i = 0; i < q.buttons.size(); ++i)
        buttons.push_back(
            box.addButton(q.buttons[i], i == cancel ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    if (q.defaultButton >= 0 && q.defaultButton < q.buttons.size())
        box.setDefaultButton(buttons[static_cast<size_t>(q.defaultButton)]);
    box.setEscapeButton(buttons[static_cast<size_t>(cancel)]);
    box.exec();
    const auto it = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return it == buttons.end() ? cancel : static_cast<int>(it - buttons.begin());
}

} // namespace

int Prompts::Ask(QWidget* parent, const Question& question)
{
    if (Answerer* a = Current())
        return a->Ask(parent, question);
    return AskForReal(parent, question);
}

void Prompts::Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    Question q;
    q.icon = icon;
    q.caption = caption;
    q.text = text;
    Ask(parent, q);
}

QString Prompts::ChooseFile(QWidget* parent, const FileQuestion& question)
{
    if (Answerer* a = Current())
        return a->ChooseFile(parent, question);
    if (question.mode == FileQuestion::Folder)
        return QFileDialog::getExistingDirectory(parent, question.caption, question.path);
    if (question.mode == FileQuestion::Save)
        return QFileDialog::getSaveFileName(parent, question.caption, question.path, question.filter);
    return QFileDialog::getOpenFileName(parent, question.caption, question.path, question.filter);
}

int Prompts::RunModal(QDialog& dialog)
{
    if (Answerer* a = Current())
        return a->RunModal(dialog);
    return dialog.exec();
}

Prompts::Answerer* Prompts::Install(Answerer* answerer)
{
    Answerer* previous = Current();
    Current() = answerer;
    return previous;
}

ScriptedUser::ScriptedUser() : previous_(Prompts::Install(this)) {}

ScriptedUser::~ScriptedUser() { Prompts::Install(previous_); }

void ScriptedUser::AnswerButton(const QString& text) { buttons_.push_back(text); }
void ScriptedUser::AnswerFile(const QString& path) { files_.push_back(path); }
void ScriptedUser::AnswerModal(std::function<void(QDialog&)> act) { modals_.push_back(std::move(act)); }

std::vector<Prompt> ScriptedUser::Asked(Prompt::Kind kind) const
{
    std::vector<Prompt> out;
    for (const Prompt& p : prompts_)
        if (p.kind == kind)
            out.push_back(p);
    return out;
}

int ScriptedUser::Ask(QWidget*, const Question& question)
{
    prompts_.push_back(
        {Prompt::Message, question.icon, question.caption, question.text, question.buttons, {}});
    if (question.buttons.isEmpty())
        return 0;
    int answer = CancelOf(question);
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

QString ScriptedUser::ChooseFile(QWidget*, const FileQuestion& question)
{
    prompts_.push_back(
        {Prompt::File, QMessageBox::NoIcon, question.caption, question.filter, {}, {}, question.path});
    if (files_.empty())
        return {};
    const QString path = files_.front();
    files_.pop_front();
    return path;
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

} // namespace dravik::widgets
