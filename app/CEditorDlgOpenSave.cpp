// The window's file commands: Open, Close, Save, Save As and Exit, with the questions they ask
// (unsaved edits, a file another program changed) and what the views show after them.
#include <QCloseEvent>
#include <QFileInfo>

#include <functional>

#include "app/CEditorDlg.h"
#include "app/ChartLink.h"
#include "app/PageArea.h"
#include "app/RecentFiles.h"
#include "app/RecoveryOffer.h"
#include "app/ReferencePicker.h"
#include "rom/ImageDiff.h"
#include "rom/InternalHeader.h"
#include "rom/PatchFiles.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {

using widgets::Q;

QString Saved() { return CEditorDlg::tr("保存成功!\t"); }

} // namespace

bool CEditorDlg::OpenFile(const QString& path, const QString& noteIfRefused, bool dropUnsaved)
{
    if (!LoadFile(path, noteIfRefused, dropUnsaved))
        return false;
    recovery_->OfferRecord();
    return true;
}

bool CEditorDlg::LoadFile(const QString& path, const QString& noteIfRefused, bool dropUnsaved)
{
    const rom::OpenResult opened = session_.Open(path.toStdString(), dropUnsaved);
    if (!opened.ok()) {
        prompts_.Tell(this, QMessageBox::Warning, Caption(), Q(rom::Describe(opened.error)) + noteIfRefused);
        return false;
    }
    recent_->Remember(path);
    reference_->UseRemembered();
    ShowOpened(opened.notice);
    return true;
}

void CEditorDlg::ShowOpened(const std::string& notice)
{
    pages_->RefreshAll();
    if (chart_)
        chart_->Reload();
    pages_->RefreshPriceBoxes();
    SetLoadedState(true);
    if (!notice.empty()) // an interrupted save was rolled back first
        prompts_.Tell(this, QMessageBox::Information, Caption(), Q(notice));
    // Opened all the same (it may be a hacked or damaged image): said once, waiting on nothing.
    if (!session_.Document().IsPlausible())
        prompts_.Notice(this, QMessageBox::Warning, Caption(),
                        Q(rom::ImplausibleNotice(session_.Document().Path())));
}

// Unsaved edits are settled before the file dialog; edits the user lets go are dropped only once
// another file opened, so a cancelled dialog or a file refused leaves everything as it was.
void CEditorDlg::OnOpen()
{
    bool drop = false;
    if (!SettleUnsavedEdits(&drop))
        return;
    widgets::FileQuestion question;
    question.caption = tr("打开");
    question.filter = ImageFilter();
    question.path = recent_->OpenFolder();
    const QString path = prompts_.ChooseFile(this, question);
    if (!path.isEmpty())
        OpenFile(path, {}, drop);
}

void CEditorDlg::OnClose()
{
    if (!session_.IsLoaded() || !SettleUnsavedEdits())
        return;
    session_.Close();
    pages_->RefreshPriceBoxes();
    if (chart_)
        chart_->Reload();
    SetLoadedState(false);
}

void CEditorDlg::OnSave()
{
    if (session_.IsLoaded()) // the command is disabled otherwise; a queued shortcut must not report a failure
        SaveNow();
}

bool CEditorDlg::SaveNow()
{
    rom::SaveResult saved = session_.Save();
    if (saved.fileChanged && !ResolveChangedFile(saved, [this] { return session_.Save(true); }))
        return false;
    if (!saved.ok()) {
        prompts_.Tell(this, QMessageBox::Critical, Caption(), Q(rom::Describe(saved.error)));
        return false;
    }
    pages_->RepaintLists(); // the saved values are the new baseline: the cell marks go
    prompts_.Tell(this, QMessageBox::Information, Caption(),
                  saved.notice.empty() ? Saved() : Saved() + u'\n' + Q(saved.notice));
    return true;
}

// The image with its edits goes to a new file, which becomes the open one; the file opened
// before keeps its bytes.
void CEditorDlg::OnSaveAs()
{
    if (!session_.IsLoaded())
        return;
    widgets::FileQuestion question;
    question.mode = widgets::FileQuestion::Save;
    question.caption = tr("另存为");
    question.filter = ImageFilter();
    question.path = Q(session_.Document().Path());
    const QString path = prompts_.ChooseFile(this, question);
    if (path.isEmpty())
        return;
    if (rom::SameFile(path.toStdString(), session_.Document().Path())) {
        SaveNow(); // the same file: an ordinary save, with its checks
        return;
    }
    const std::string target = path.toStdString();
    rom::SaveResult saved = session_.SaveAs(target);
    if (saved.fileChanged && !ResolveChangedFile(saved, [&] { return session_.SaveAs(target, true); }))
        return;
    if (!saved.ok()) {
        prompts_.Tell(this, QMessageBox::Critical, Caption(),
                      tr("未另存：%1").arg(Q(rom::Describe(saved.error))));
        return;
    }
    recent_->Remember(path);
    reference_->KeepForSavedAs();
    ShowOpened(saved.notice);
    prompts_.Tell(this, QMessageBox::Information, Caption(), Saved());
}

bool CEditorDlg::SettleUnsavedEdits(bool* dropLater)
{
    if (!session_.IsLoaded() || !session_.IsModified())
        return true;
    widgets::Question question;
    question.icon = QMessageBox::Warning;
    question.caption = Caption();
    question.text = tr("是否保存对 %1 的修改？").arg(QFileInfo(Q(session_.Document().Path())).fileName());
    question.buttons = {tr("保存"), tr("不保存"), tr("取消")};
    question.defaultButton = 0;
    question.cancelButton = 2;
    switch (prompts_.Ask(this, question)) {
    case 0: return SaveNow();
    case 1:
        if (dropLater)
            *dropLater = true;
        else
            session_.ForgetUnsavedChanges();
        return true;
    default: return false;
    }
}

// Another program changed the file after Open: nothing was written (by Save, or by Save As, whose
// new file would take back the same fields). The user chooses to overwrite it (every field as the window
// shows it, which takes back what the other program changed), to open it again, or to leave it. False when
// nothing more is to be said.
bool CEditorDlg::ResolveChangedFile(rom::SaveResult& saved, const std::function<rom::SaveResult()>& overwrite)
{
    const rom::RomDocument& document = session_.Document();
    const QString name = QFileInfo(Q(document.Path())).fileName();
    rom::Bytes now;
    std::string rolledBack;
    const int changed = rom::ReadWholeFile(document.Path(), now, &rolledBack)
                            ? -1
                            : rom::ChangedFields(document.SavedParts(), now);
    widgets::Question question;
    question.icon = QMessageBox::Warning;
    question.caption = Caption();
    question.text = changed > 0
                        ? tr("%1 在打开后已被其他程序修改，改动了 %n 个字段。", nullptr, changed).arg(name)
                        : tr("%1 在打开后已被其他程序修改。").arg(name);
    if (changed >= 0 && now.size() != document.SavedSize())
        question.text += tr("文件的大小从 %1 字节变成了 %2 字节。").arg(document.SavedSize()).arg(now.size());
    if (!rolledBack.empty())
        question.text = Q(rolledBack) + u'\n' + question.text;
    question.text += u'\n' + tr("\n覆盖：按窗口中的值写入每个字段，其他程序对这些字段的修改将被撤回。"
                                "\n重新载入：载入文件的新内容，再提供恢复您未保存的修改。"
                                "\n取消：不写入任何内容。");
    question.buttons = {tr("覆盖"), tr("重新载入"), tr("取消")};
    question.defaultButton = 2; // the answer that loses nothing
    question.cancelButton = 2;
    switch (prompts_.Ask(this, question)) {
    case 0: saved = overwrite(); return true;
    case 1: ReloadKeepingEdits(); return false;
    default: return false;
    }
}

// The file changed on disk and the user chose to open it again: the changes they had are
// offered back over the new contents.
void CEditorDlg::ReloadKeepingEdits()
{
    const QString path = Q(session_.Document().Path());
    rom::Reapplication plan;
    const rom::OpenResult opened = session_.Reload(plan);
    if (!opened.ok()) {
        // Nothing changed: the edits are still there.
        prompts_.Tell(this, QMessageBox::Warning, Caption(), Q(rom::Describe(opened.error)));
        return;
    }
    recent_->Remember(path);
    ShowOpened(opened.notice);
    recovery_->OfferReapplied(plan);
}

// Ends the program as the close box does: the program ends with its last window.
void CEditorDlg::OnExit() { close(); }

void CEditorDlg::closeEvent(QCloseEvent* event)
{
    if (SettleUnsavedEdits())
        event->accept();
    else
        event->ignore();
}

} // namespace dravik::app
