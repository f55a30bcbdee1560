#include "app/EditorPlatform.h"

#include <QDialog>
#include <QFileDialog>
#include <QStringList>

#include "editors/RowEditing.h"

namespace dravik::app {

namespace {

QString ChooseOpenPath(QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("打开"), QString(),
                                        QStringLiteral("SMC File (*.smc)"));
}

// A refused save can list hundreds of cells; the box shows the first ones and keeps the whole
// list under "Show Details...".
constexpr int kShownLines = 20;

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > kShownLines + 1) {
        QStringList shown = lines.mid(0, kShownLines + 1);
        shown << QStringLiteral("……（另有 %1 项，见详细信息）").arg(lines.size() - kShownLines - 1);
        box.setText(shown.join(QLatin1Char('\n')));
        box.setDetailedText(text);
    }
    box.exec();
}

void RunModal(QDialog& dialog) { dialog.exec(); }

} // namespace

EditorPlatform EditorPlatform::Default()
{
    return EditorPlatform{ChooseOpenPath, ShowMessage, RunModal, editors::EditRow};
}

EditorPlatform EditorPlatform::WithDefaults() const
{
    const EditorPlatform d = Default();
    EditorPlatform p = *this;
    if (!p.chooseOpenPath)
        p.chooseOpenPath = d.chooseOpenPath;
    if (!p.showMessage)
        p.showMessage = d.showMessage;
    if (!p.runModal)
        p.runModal = d.runModal;
    if (!p.editRow)
        p.editRow = d.editRow;
    return p;
}

} // namespace dravik::app
