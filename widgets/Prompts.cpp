#include "widgets/Prompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QVariant>

#include <algorithm>
#include <vector>

namespace dravik::widgets {

namespace {

const char* const kGivenPrompts = "dravikPrompts";

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

class DialogPrompts : public Prompts {
public:
    int Ask(QWidget* parent, const Question& q) override;
    QString ChooseFile(QWidget* parent, const FileQuestion& question) override;
    int RunModal(QDialog& dialog) override { return dialog.exec(); }
};

int DialogPrompts::Ask(QWidget* parent, const Question& q)
{
    QMessageBox box(q.icon, q.caption, q.text, QMessageBox::NoButton, parent);
    KeepCaptionWhole(box);
    const QStringList lines = q.text.split(QLatin1Char('\n'));
    if (lines.size() > kShownLines + 1) {
        QStringList shown = lines.mid(0, kShownLines + 1);
        shown << QCoreApplication::translate("Prompts", "……（另有 %1 项，见详细信息）")
                     .arg(lines.size() - kShownLines - 1);
        box.setText(shown.join(QLatin1Char('\n')));
        box.setDetailedText(q.text);
    }
    if (q.buttons.isEmpty()) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return 0;
    }
    const int cancel = q.CancelButton();
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

QString DialogPrompts::ChooseFile(QWidget* parent, const FileQuestion& question)
{
    if (question.mode == FileQuestion::Folder)
        return QFileDialog::getExistingDirectory(parent, question.caption, question.path);
    if (question.mode == FileQuestion::Save) {
        QFileDialog dialog(parent, question.caption, question.path, question.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A name typed without extension gets the chosen filter's (before the dialog asks
        // whether to replace a file of that name).
        const auto follow = [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(FilterExtension(filter));
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    return QFileDialog::getOpenFileName(parent, question.caption, question.path, question.filter);
}

} // namespace

QString FilterExtension(const QString& filter)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([^ )*]+)"));
    return firstPattern.match(filter).captured(1);
}

int Question::CancelButton() const
{
    if (buttons.isEmpty())
        return 0;
    return cancelButton >= 0 && cancelButton < buttons.size() ? cancelButton
                                                              : static_cast<int>(buttons.size()) - 1;
}

void Prompts::Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    Question q;
    q.icon = icon;
    q.caption = caption;
    q.text = text;
    Ask(parent, q);
}

void Prompts::Notice(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    auto* box = new QMessageBox(icon, caption, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    KeepCaptionWhole(*box);
    box->show();
}

Prompts& Prompts::Dialogs()
{
    static DialogPrompts dialogs; // holds no state: every call shows a dialog of its own
    return dialogs;
}

void Prompts::Give(QWidget* widget, Prompts* prompts)
{
    widget->setProperty(kGivenPrompts,
                        prompts ? QVariant::fromValue(static_cast<void*>(prompts)) : QVariant());
}

Prompts& Prompts::For(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant given = w->property(kGivenPrompts);
        if (given.isValid())
            return *static_cast<Prompts*>(given.value<void*>());
    }
    return Dialogs();
}

} // namespace dravik::widgets
