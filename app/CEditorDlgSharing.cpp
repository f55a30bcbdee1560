// The window's side of sharing a mod: a patch from a clean original to the open image with its
// pending edits, and the field diff against another image. Neither writes the open image.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>

#include "app/CEditorDlg.h"
#include "app/DiffDialog.h"
#include "app/PageLayout.h"
#include "rom/ImageDiff.h"
#include "rom/PatchFiles.h"
#include "widgets/LineBox.h"
#include "widgets/Prompts.h"

namespace dravik::app {

namespace {
const char* const kCaption = "Dravik静态修改器";
const char* const kImageFilter = "SMC File (*.smc);;所有文件 (*)";
const char* const kPatchFilter = "IPS 补丁 (*.ips);;BPS 补丁 (*.bps)";

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* s) { return QString::fromUtf8(s); }

bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo x(a), y(b);
    return x.absoluteFilePath() == y.absoluteFilePath() ||
           (x.exists() && y.exists() && x.canonicalFilePath() == y.canonicalFilePath());
}

QString ChooseFile(QWidget* parent, widgets::FileQuestion::Mode mode, const char* caption, const char* filter,
                   const QString& near)
{
    widgets::FileQuestion question;
    question.mode = mode;
    question.caption = Q(caption);
    question.filter = Q(filter);
    question.path = QFileInfo(near).absolutePath();
    return widgets::Prompts::For(parent).ChooseFile(parent, question);
}
} // namespace

void CEditorDlg::AddSharingItems(QMenu* file)
{
    auto add = [&](const char* name, const char* text, void (CEditorDlg::*slot)()) {
        QAction* a = file->addAction(Q(text));
        a->setObjectName(Q(name));
        connect(a, &QAction::triggered, this, slot);
        sharingActions_.push_back(a);
    };
    add("actionExportPatch", "导出补丁(&P)…", &CEditorDlg::OnExportPatch);
    add("actionCompare", "与其他映像比较(&D)…", &CEditorDlg::OnCompare);
    file->addSeparator();
}

void CEditorDlg::OnExportPatch()
{
    if (!document_.IsLoaded())
        return;
    const QString romPath = Q(document_.Path());
    // Validated as Save validates, before the user is asked anything.
    rom::Bytes modified;
    const rom::Status status = rom::ImageWithEdits(document_, modified);
    if (!status.ok) {
        prompts_.Tell(this, QMessageBox::Critical, Q(kCaption), Q("未导出补丁：") + Q(status.message));
        return;
    }
    const QString originalPath =
        ChooseFile(this, widgets::FileQuestion::Open, "选择干净的原始映像", kImageFilter, romPath);
    if (originalPath.isEmpty())
        return;
    rom::Bytes original;
    std::string error;
    if (!rom::ReadWholeFile(originalPath.toStdString(), original, error)) {
        prompts_.Tell(this, QMessageBox::Warning, Q(kCaption), Q("未导出补丁：") + Q(error));
        return;
    }
    const QString patchPath =
        ChooseFile(this, widgets::FileQuestion::Save, "导出补丁", kPatchFilter, romPath);
    if (patchPath.isEmpty())
        return;
    rom::PatchFormat format;
    if (!rom::PatchFormatOfName(patchPath.toStdString(), format)) {
        prompts_.Tell(this, QMessageBox::Warning, Q(kCaption),
                      Q("未导出补丁：补丁文件名须以 .ips 或 .bps 结尾，以说明格式。"));
        return;
    }
    if (QFileInfo::exists(patchPath) && !rom::IsWritableFile(patchPath.toStdString())) {
        prompts_.Tell(this, QMessageBox::Warning, Q(kCaption),
                      Q("未导出补丁：") + QDir::toNativeSeparators(patchPath) + Q(" 是只读的，不会替换它。"));
        return;
    }
    if (SameFile(patchPath, romPath) || SameFile(patchPath, originalPath)) {
        prompts_.Tell(this, QMessageBox::Warning, Q(kCaption),
                      Q("未导出补丁：补丁不能写到映像文件上，请另选文件名。"));
        return;
    }
    rom::Bytes patch;
    if (!rom::MakePatch(format, original, modified, patch, error) ||
        !rom::WriteImageAtomically(patchPath.toStdString(), patch, error)) {
        prompts_.Tell(this, QMessageBox::Critical, Q(kCaption), Q("未导出补丁：") + Q(error));
        return;
    }
    prompts_.Tell(this, QMessageBox::Information, Q(kCaption),
                  QStringLiteral("补丁已导出：%1（%2，%3 字节）。\n它把 %4 变成 %5（含未保存的修改）。")
                      .arg(QDir::toNativeSeparators(patchPath),
                           format == rom::PatchFormat::Ips ? QStringLiteral("IPS") : QStringLiteral("BPS"))
                      .arg(patch.size())
                      .arg(QDir::toNativeSeparators(originalPath), QDir::toNativeSeparators(romPath)));
}

void CEditorDlg::OnCompare()
{
    if (!document_.IsLoaded())
        return;
    rom::Bytes mine;
    const rom::Status status = rom::ImageWithEdits(document_, mine);
    if (!status.ok) {
        prompts_.Tell(this, QMessageBox::Critical, Q(kCaption), Q("无法比较：") + Q(status.message));
        return;
    }
    const QString otherPath =
        ChooseFile(this, widgets::FileQuestion::Open, "选择要比较的映像", kImageFilter, Q(document_.Path()));
    if (otherPath.isEmpty())
        return;
    rom::ImageFile other;
    std::string error;
    if (!rom::ReadImage(otherPath.toStdString(), rom::ReadExtent::Whole, other, error)) {
        prompts_.Tell(this, QMessageBox::Warning, Q(kCaption), Q("无法比较：") + Q(error));
        return;
    }
    // Beside the window rather than modal: a double-click shows the field in the window.
    auto* dialog =
        new DiffDialog(rom::DiffImages(mine, other.bytes), QDir::toNativeSeparators(Q(document_.Path())),
                       QDir::toNativeSeparators(otherPath), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &DiffDialog::FieldChosen, this, &CEditorDlg::ShowTableRow);
    dialog->show();
}

void CEditorDlg::ShowTableRow(const QString& tableId, int row)
{
    const std::string id = tableId.toStdString();
    for (const PageControl& c : PageControls()) {
        if (id != c.table)
            continue;
        if (c.kind == PageControlKind::List && lists_.count(c.id)) {
            ShowPage(c.page);
            QTableView* view = lists_.at(c.id);
            const QModelIndex index = view->model()->index(row, 0);
            view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
            view->scrollTo(index);
            view->setFocus();
            return;
        }
        if (c.kind == PageControlKind::Edit && (c.row == row || c.row < 0) && boxes_.count(c.id)) {
            ShowPage(c.page);
            boxes_.at(c.id)->setFocus();
            return;
        }
    }
}

} // namespace dravik::app
