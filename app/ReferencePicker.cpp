#include "app/ReferencePicker.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "app/CEditorDlg.h"
#include "app/Session.h"
#include "widgets/Prompts.h"

namespace dravik::app {

namespace {
// Image path -> its reference image's path.
const QString kRememberedReferences = QStringLiteral("referenceImages");

void RememberReference(const QString& image, const QString& reference)
{
    QSettings settings;
    QVariantMap map = settings.value(kRememberedReferences).toMap();
    if (reference.isEmpty())
        map.remove(image);
    else
        map.insert(image, reference);
    settings.setValue(kRememberedReferences, map);
}
} // namespace

ReferencePicker::ReferencePicker(Session& session, widgets::Prompts& prompts, QWidget* window,
                                 std::function<QString()> openFolder)
    : QObject(window), session_(session), prompts_(prompts), window_(window),
      openFolder_(std::move(openFolder))
{
}

void ReferencePicker::AddItems(QMenu* file)
{
    QAction* set = file->addAction(tr("设置参照映像(&G)…"));
    set->setObjectName(QStringLiteral("actionSetReference"));
    connect(set, &QAction::triggered, this, &ReferencePicker::Choose);
    QAction* clear = file->addAction(tr("清除参照映像"));
    clear->setObjectName(QStringLiteral("actionClearReference"));
    clear->setEnabled(false);
    connect(clear, &QAction::triggered, this, [this] {
        session_.ClearReference();
        if (session_.IsLoaded())
            RememberReference(QString::fromStdString(session_.Document().Path()), {});
    });
    connect(&session_, &Session::ReferenceChanged, clear,
            [this, clear] { clear->setEnabled(session_.Marks().IsSet()); });
    file->addSeparator();
}

void ReferencePicker::Choose()
{
    widgets::FileQuestion question;
    question.caption = tr("设置参照映像");
    question.filter = CEditorDlg::ImageFilter();
    question.path = openFolder_();
    const QString path = prompts_.ChooseFile(window_, question);
    if (!path.isEmpty())
        Use(path);
}

bool ReferencePicker::Use(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    std::string notice;
    if (const std::optional<rom::Error> refused = session_.SetReference(absolute.toStdString(), &notice)) {
        prompts_.Tell(window_, QMessageBox::Warning, tr("Dravik静态修改器"),
                      tr("未设置参照映像：%1").arg(QString::fromStdString(rom::Describe(*refused))));
        return false;
    }
    if (!notice.empty()) // an interrupted save of the reference was rolled back first
        prompts_.Tell(window_, QMessageBox::Information, tr("Dravik静态修改器"),
                      QString::fromStdString(notice));
    if (session_.IsLoaded())
        RememberReference(QString::fromStdString(session_.Document().Path()), absolute);
    return true;
}

void ReferencePicker::KeepForSavedAs()
{
    if (const rom::ReferenceImage* reference = session_.Marks().Image())
        RememberReference(QString::fromStdString(session_.Document().Path()),
                          QString::fromStdString(reference->path));
}

void ReferencePicker::UseRemembered()
{
    const QString image = QString::fromStdString(session_.Document().Path());
    const QString reference = QSettings().value(kRememberedReferences).toMap().value(image).toString();
    if (reference.isEmpty()) {
        session_.ClearReference();
        return;
    }
    std::string notice;
    if (const std::optional<rom::Error> refused = session_.SetReference(reference.toStdString(), &notice)) {
        session_.ClearReference();
        prompts_.Tell(
            window_, QMessageBox::Warning, tr("Dravik静态修改器"),
            tr("这个映像的参照映像未能载入：%1").arg(QString::fromStdString(rom::Describe(*refused))));
    } else if (!notice.empty()) {
        prompts_.Tell(window_, QMessageBox::Information, tr("Dravik静态修改器"),
                      QString::fromStdString(notice));
    }
}

QString ReferencePicker::Summary() const
{
    if (!session_.Marks().IsSet())
        return {};
    return tr("与参照映像不同：%n 处", nullptr, session_.Marks().Count());
}

} // namespace dravik::app
