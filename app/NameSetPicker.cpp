#include "app/NameSetPicker.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

#include "app/CEditorDlg.h"
#include "app/Session.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {
const char* const kNamesKey = "names/folder";

using widgets::Q;

QString Key() { return QString::fromLatin1(kNamesKey); }

// The reasons a folder was refused, one a line.
QString Reasons(const QString& folder, const std::vector<rom::Error>& errors)
{
    QString text = NameSetPicker::tr("名称表 %1 被拒绝，继续使用原来的名称：").arg(folder);
    for (const rom::Error& e : errors)
        text += u'\n' + Q(rom::Describe(e));
    return text;
}
} // namespace

NameSetPicker::NameSetPicker(Session& session, widgets::Prompts& prompts, QWidget* window)
    : QObject(window), session_(session), prompts_(prompts), window_(window)
{
}

void NameSetPicker::AddItems(QMenu* file)
{
    QAction* load = file->addAction(tr("载入名称表(&N)…"));
    load->setObjectName(QStringLiteral("actionLoadNames"));
    connect(load, &QAction::triggered, this, &NameSetPicker::Choose);
    QAction* builtIn = file->addAction(tr("使用内置名称表(&I)"));
    builtIn->setObjectName(QStringLiteral("actionBuiltInNames"));
    connect(builtIn, &QAction::triggered, this, &NameSetPicker::UseBuiltIn);
    file->addSeparator();
}

bool NameSetPicker::Use(const QString& folder)
{
    std::vector<rom::Error> errors;
    if (!session_.UseNameFolder(folder.toStdString(), errors)) {
        prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(), Reasons(folder, errors));
        return false;
    }
    return true; // the window relabels as the session says the names changed
}

void NameSetPicker::Choose()
{
    widgets::FileQuestion question;
    question.mode = widgets::FileQuestion::Folder;
    question.caption = tr("载入名称表");
    question.path = QSettings().value(Key()).toString();
    const QString folder = prompts_.ChooseFile(window_, question);
    if (!folder.isEmpty() && Use(folder))
        QSettings().setValue(Key(), Q(session_.Names().Folder()));
}

void NameSetPicker::UseBuiltIn()
{
    session_.UseBuiltInNames();
    QSettings().remove(Key());
}

void NameSetPicker::UseRemembered()
{
    QSettings settings;
    const QString folder = settings.value(Key()).toString();
    if (folder.isEmpty())
        return;
    // Said once: a folder that no longer loads is forgotten, and the built-in names stay.
    if (!Use(folder))
        settings.remove(Key());
}

} // namespace dravik::app
