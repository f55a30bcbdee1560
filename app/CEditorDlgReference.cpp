// The reference image: set from the 文件 menu or the command line, remembered for each image,
// cleared; the status line counts the cells that differ from it.
#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "app/CEditorDlg.h"
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

void CEditorDlg::AddReferenceItems(QMenu* file)
{
    QAction* set = file->addAction(tr("设置参照映像(&G)…"));
    set->setObjectName(QStringLiteral("actionSetReference"));
    connect(set, &QAction::triggered, this, &CEditorDlg::OnSetReference);
    QAction* clear = file->addAction(tr("清除参照映像"));
    clear->setObjectName(QStringLiteral("actionClearReference"));
    clear->setEnabled(false);
    connect(clear, &QAction::triggered, this, [this] {
        session_.ClearReference();
        if (session_.IsLoaded())
            RememberReference(QString::fromStdString(session_.Document().Path()), {});
    });
    connect(&session_, &Session::ReferenceChanged, this, [this, clear] {
        clear->setEnabled(session_.Marks().IsSet());
        UpdateStatusLine();
    });
    file->addSeparator();
}

void CEditorDlg::OnSetReference()
{
    widgets::FileQuestion question;
    question.caption = tr("设置参照映像");
    question.filter = ImageFilter();
    question.path = OpenDialogFolder();
    const QString path = prompts_.ChooseFile(this, question);
    if (!path.isEmpty())
        UseReference(path);
}

bool CEditorDlg::UseReference(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    std::string notice;
    if (const std::optional<rom::Error> refused = session_.SetReference(absolute.toStdString(), &notice)) {
        prompts_.Tell(this, QMessageBox::Warning, tr("Dravik静态修改器"),
                      tr("未设置参照映像：%1").arg(QString::fromStdString(rom::Describe(*refused))));
        return false;
    }
    if (!notice.empty()) // an interrupted save of the reference was rolled back first
        prompts_.Tell(this, QMessageBox::Information, tr("Dravik静态修改器"), QString::fromStdString(notice));
    if (session_.IsLoaded())
        RememberReference(QString::fromStdString(session_.Document().Path()), absolute);
    return true;
}

// After a Save As: the new file has the reference the image had.
void CEditorDlg::KeepReference()
{
    if (const rom::ReferenceImage* reference = session_.Marks().Image())
        RememberReference(QString::fromStdString(session_.Document().Path()),
                          QString::fromStdString(reference->path));
}

// After an Open: the reference last used with this image, or none.
void CEditorDlg::UseRememberedReference()
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
            this, QMessageBox::Warning, tr("Dravik静态修改器"),
            tr("这个映像的参照映像未能载入：%1").arg(QString::fromStdString(rom::Describe(*refused))));
    } else if (!notice.empty()) {
        prompts_.Tell(this, QMessageBox::Information, tr("Dravik静态修改器"), QString::fromStdString(notice));
    }
}

QString CEditorDlg::ReferenceSummary() const
{
    if (!session_.Marks().IsSet())
        return {};
    return tr("与参照映像不同：%n 处", nullptr, session_.Marks().Count());
}

} // namespace dravik::app
