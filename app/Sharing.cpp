#include "app/Sharing.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "app/CEditorDlg.h"
#include "app/DiffDialog.h"
#include "app/Session.h"
#include "rom/ImageDiff.h"
#include "rom/PatchFiles.h"
#include "rom/Recovery.h"
#include "widgets/Placement.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {
using widgets::Q;

QString PatchFilter() { return Sharing::tr("IPS 补丁 (*.ips);;BPS 补丁 (*.bps)"); }

QString ChooseFile(widgets::Prompts& prompts, QWidget* parent, widgets::FileQuestion::Mode mode,
                   const QString& caption, const QString& filter, const QString& near)
{
    widgets::FileQuestion question;
    question.mode = mode;
    question.caption = caption;
    question.filter = filter;
    question.path = QFileInfo(near).absolutePath();
    return prompts.ChooseFile(parent, question);
}
} // namespace

Sharing::Sharing(Session& session, widgets::Prompts& prompts, QWidget* window)
    : QObject(window), session_(session), prompts_(prompts), window_(window)
{
}

QString Sharing::ThisImage() const
{
    const QString path = QDir::toNativeSeparators(Q(session_.Document().Path()));
    const bool edited = !rom::UnsavedEdits(session_.Document().GetModel()).empty();
    return edited ? tr("%1（含未保存的修改）").arg(path) : path;
}

void Sharing::AddItems(QMenu* file)
{
    auto add = [&](const char* name, const QString& text, void (Sharing::*slot)()) {
        QAction* a = file->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        actions_.push_back(a);
    };
    add("actionExportPatch", tr("导出补丁(&P)…"), &Sharing::ExportPatch);
    add("actionCompare", tr("与其他映像比较(&M)…"), &Sharing::Compare);
    file->addSeparator();
}

void Sharing::SetEnabled(bool loaded)
{
    for (QAction* a : actions_)
        a->setEnabled(loaded);
}

void Sharing::ExportPatch()
{
    const rom::RomDocument& document = session_.Document();
    if (!document.IsLoaded())
        return;
    const QString romPath = Q(document.Path());
    // Validated as Save validates, before the user is asked anything.
    rom::Bytes modified;
    const rom::ImageResult built = rom::ImageWithEdits(document, modified);
    if (!built.ok()) {
        prompts_.Tell(window_, QMessageBox::Critical, CEditorDlg::Caption(),
                      tr("未导出补丁：%1").arg(Q(rom::Describe(built.error))));
        return;
    }
    const QString originalPath = ChooseFile(prompts_, window_, widgets::FileQuestion::Open,
                                            tr("选择干净的原始映像"), CEditorDlg::ImageFilter(), romPath);
    if (originalPath.isEmpty())
        return;
    rom::Bytes original;
    std::string notice;
    if (const std::optional<rom::Error> failed =
            rom::ReadWholeFile(originalPath.toStdString(), original, &notice)) {
        prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(),
                      tr("未导出补丁：%1").arg(Q(rom::Describe(*failed))));
        return;
    }
    if (!notice.empty()) // an interrupted save of that image was rolled back first
        prompts_.Tell(window_, QMessageBox::Information, CEditorDlg::Caption(), Q(notice));
    const QString patchPath =
        ChooseFile(prompts_, window_, widgets::FileQuestion::Save, tr("导出补丁"), PatchFilter(), romPath);
    if (patchPath.isEmpty())
        return;
    rom::PatchFormat format;
    if (!rom::PatchFormatOfName(patchPath.toStdString(), format)) {
        prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(),
                      tr("未导出补丁：补丁文件名须以 .ips 或 .bps 结尾，以说明格式。"));
        return;
    }
    switch (
        rom::CheckPatchTarget(patchPath.toStdString(), {romPath.toStdString(), originalPath.toStdString()})) {
    case rom::PatchTargetProblem::None: break;
    case rom::PatchTargetProblem::ReadOnly:
        prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(),
                      tr("未导出补丁：%1 是只读的，不会替换它。").arg(QDir::toNativeSeparators(patchPath)));
        return;
    case rom::PatchTargetProblem::OverImage:
        prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(),
                      tr("未导出补丁：补丁不能写到映像文件上，请另选文件名。"));
        return;
    }
    size_t size = 0;
    if (const std::optional<rom::Error> failed =
            rom::WritePatch(format, original, modified, patchPath.toStdString(), size)) {
        prompts_.Tell(window_, QMessageBox::Critical, CEditorDlg::Caption(),
                      tr("未导出补丁：%1").arg(Q(rom::Reason(*failed))));
        return;
    }
    prompts_.Tell(window_, QMessageBox::Information, CEditorDlg::Caption(),
                  tr("补丁已导出：%1（%2，%3 字节）。\n它把 %4 变成 %5。")
                      .arg(QDir::toNativeSeparators(patchPath),
                           format == rom::PatchFormat::Ips ? QStringLiteral("IPS") : QStringLiteral("BPS"))
                      .arg(size)
                      .arg(QDir::toNativeSeparators(originalPath), ThisImage()));
}

void Sharing::Compare()
{
    const rom::RomDocument& document = session_.Document();
    if (!document.IsLoaded())
        return;
    rom::Bytes mine;
    const rom::ImageResult built = rom::ImageWithEdits(document, mine);
    if (!built.ok()) {
        prompts_.Tell(window_, QMessageBox::Critical, CEditorDlg::Caption(),
                      tr("无法比较：%1").arg(Q(rom::Describe(built.error))));
        return;
    }
    const QString otherPath =
        ChooseFile(prompts_, window_, widgets::FileQuestion::Open, tr("选择要比较的映像"),
                   CEditorDlg::ImageFilter(), Q(document.Path()));
    if (otherPath.isEmpty())
        return;
    rom::ImageFile other;
    if (const std::optional<rom::Error> failed =
            rom::ReadImage(otherPath.toStdString(), rom::ReadExtent::Whole, other)) {
        prompts_.Tell(window_, QMessageBox::Warning, CEditorDlg::Caption(),
                      tr("无法比较：%1").arg(Q(rom::Describe(*failed))));
        return;
    }
    if (!other.notice.empty())
        prompts_.Tell(window_, QMessageBox::Information, CEditorDlg::Caption(), Q(other.notice));
    // Beside the window rather than modal: a double-click shows the field in the window.
    auto* dialog = new DiffDialog(rom::DiffImages(mine, other.bytes, session_.Document().SharedNames()),
                                  ThisImage(), QDir::toNativeSeparators(otherPath), window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &DiffDialog::FieldChosen, this, &Sharing::FieldChosen);
    widgets::PlaceBeside(dialog);
    dialog->show();
}

} // namespace dravik::app
