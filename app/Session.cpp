#include "app/Session.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include "app/EditHistory.h"
#include "rom/ImageDiff.h"
#include "rom/NameSetFiles.h"
#include "rom/PatchFiles.h"
#include "rom/Texts.h"

namespace dravik::app {

Session::Session(QObject* parent)
    : QObject(parent), history_(new EditHistory(document_, this)), recoveryTimer_(new QTimer(this))
{
    connect(history_, &EditHistory::ModifiedChanged, this, &Session::ModifiedChanged);
    document_.Subscribe([this](const rom::Change& change) {
        if (marks_.IsSet()) // before the lists repaint their marks
            marks_.Update(document_.GetModel(), change.tableId);
        emit Changed(change);
        ScheduleRecoveryWrite();
    });
    recovery_.SetFolder(DefaultRecoveryFolder());
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(0);
    connect(recoveryTimer_, &QTimer::timeout, this, &Session::WriteRecoveryNow);
}

Session::~Session()
{
    blockSignals(true);   // whoever listens may be going too
    FlushRecoveryWrite(); // the last change's record may still be to write
    // The history's steps point into the document, which goes before the child objects do.
    delete history_;
}

bool Session::IsModified() const { return history_->IsModified(); }

std::string Session::DefaultRecoveryFolder()
{
    return (QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery"))
        .toStdString();
}

rom::OpenResult Session::Open(const std::string& path, bool dropUnsaved)
{
    FlushRecoveryWrite();
    rom::OpenResult opened = document_.Open(path);
    if (opened.ok()) {
        history_->Clear();
        recovery_.Reset(dropUnsaved);
        UpdateMarks();
    }
    return opened;
}

std::optional<rom::Error> Session::SetReference(const std::string& path, std::string* notice)
{
    auto image = std::make_unique<rom::ReferenceImage>();
    if (std::optional<rom::Error> refused = rom::LoadReference(path, *image))
        return refused;
    if (notice)
        *notice = image->notice;
    marks_.Set(std::move(image), document_.GetModel());
    emit ReferenceChanged();
    return std::nullopt;
}

void Session::ClearReference()
{
    if (!marks_.IsSet())
        return;
    marks_.Clear();
    emit ReferenceChanged();
}

void Session::UpdateMarks()
{
    if (marks_.IsSet())
        marks_.Update(document_.GetModel());
}

void Session::Close()
{
    FlushRecoveryWrite();
    document_.Close();
    history_->Clear();
    recovery_.Reset(); // the record stays for the next window that opens the image
}

rom::SaveResult Session::Save(bool overwriteChanges)
{
    rom::SaveResult saved = document_.Save(overwriteChanges);
    if (saved.ok()) {
        history_->MarkSaved(saved.shown);
        recovery_.Reset();
        WriteRecoveryNow(); // no unsaved change is left: the record goes
    }
    return saved;
}

rom::SaveResult Session::SaveAs(const std::string& path, bool overwriteChanges)
{
    rom::Bytes image;
    if (rom::ImageResult built = rom::ImageWithEdits(document_, image); !built.ok())
        return {std::move(built.error), std::move(built.cellErrors)};
    std::string rolledBack; // interrupted saves of either file the reads rolled back first
    rom::Bytes now;
    if (!overwriteChanges && !rom::ReadWholeFile(document_.Path(), now, &rolledBack) &&
        rom::ChangedFields(document_.SavedParts(), now) > 0) {
        rom::SaveResult refused;
        refused.error = rom::Error::Failure(rom::Files::tr(rom::RomDocument::kChangedOnDisk).toStdString(),
                                            document_.Path());
        refused.fileChanged = true;
        return refused;
    }
    rom::Bytes replaced;
    std::string where;
    rom::FileOps files;
    if (document_.BackupOnSave() && QFileInfo(QString::fromStdString(path)).isFile()) {
        std::optional<rom::Error> failed = rom::ReadWholeFile(path, replaced, &rolledBack);
        if (!failed)
            failed = rom::WriteBackup(path, replaced, files, where);
        if (failed)
            return {rom::Error::Failure(
                tr("无法备份 %1：%2")
                    .arg(QString::fromStdString(path), QString::fromStdString(rom::Describe(*failed)))
                    .toStdString(),
                path)};
    }
    if (std::optional<rom::Error> failed = rom::WriteImageAtomically(path, image))
        return {rom::Error::Failure(rom::Reason(*failed), path, failed->systemError)};
    ForgetUnsavedChanges(); // they are in the new file; the old one is as it was
    rom::OpenResult opened = Open(path);
    if (!opened.ok())
        return {std::move(opened.error)};
    rom::SaveResult saved;
    saved.notice = std::move(opened.notice);
    if (!where.empty() && where != rom::RomDocument::BackupPath(path))
        saved.notice = tr("无法在 %1 旁边写入备份，备份写在了 %2。")
                           .arg(QString::fromStdString(path), QString::fromStdString(where))
                           .toStdString();
    if (!rolledBack.empty())
        saved.notice = rolledBack + (saved.notice.empty() ? "" : "\n") + saved.notice;
    return saved;
}

void Session::ForgetUnsavedChanges()
{
    recoveryTimer_->stop();
    recovery_.Discard();
}

rom::OpenResult Session::Reload(rom::Reapplication& plan)
{
    const rom::CarriedChanges carried = rom::CarryUnsaved(document_.GetModel());
    rom::OpenResult opened = Open(document_.Path());
    if (!opened.ok())
        return opened;
    // The record stays until the user answers: it holds the same changes with the values they
    // were made over, which the next Open puts over these contents the same way.
    plan = rom::PlanReapply(document_.GetModel(), carried);
    return opened;
}

bool Session::Apply(const std::vector<rom::Edit>& edits, const QString& text)
{
    return history_->Apply(edits, text);
}

bool Session::Recover(const RecoveryKeeper::Found& record)
{
    if (!history_->Apply(record.record.edits, tr("恢复未保存的修改"))) {
        recovery_.Discard(record.path);
        return false;
    }
    recovery_.Accept(record.path);
    return true;
}

bool Session::Recover(const std::vector<rom::Edit>& edits)
{
    if (history_->Apply(edits, tr("恢复未保存的修改")))
        return true;
    recovery_.Discard();
    return false;
}

void Session::SettleRecoveryRecords()
{
    recoveryTimer_->stop();
    ReportRecoveryWrite(recovery_.Settle());
}

// Said when records stop being written, and again only once one was written since: every change
// meanwhile would fail the same way.
void Session::ReportRecoveryWrite(const std::optional<rom::Error>& failed)
{
    if (failed && !recoveryFailing_)
        emit RecoveryWriteFailed(QString::fromStdString(rom::Reason(*failed)));
    recoveryFailing_ = failed.has_value();
}

// Many changes in one event (an undo of many steps) cost one write, made as soon as the event is
// done: a process killed at any moment loses at most the change it was making.
void Session::ScheduleRecoveryWrite()
{
    if (recovery_.Enabled())
        recoveryTimer_->start();
}

// A write still waiting for its event to end is made now, before the document goes or changes
// hands.
void Session::FlushRecoveryWrite()
{
    if (recoveryTimer_->isActive())
        WriteRecoveryNow();
}

void Session::WriteRecoveryNow()
{
    recoveryTimer_->stop();
    ReportRecoveryWrite(recovery_.Update());
}

bool Session::UseNameFolder(const std::string& folder, std::vector<rom::Error>& errors)
{
    names::NameSet set = names::NameSet::BuiltIn();
    errors = rom::LoadNameSet(folder, set);
    if (!errors.empty())
        return false;
    document_.SetNames(std::make_shared<const names::NameSet>(std::move(set)));
    UpdateMarks(); // the reference's names are shown with the new set
    emit NamesChanged();
    return true;
}

void Session::UseBuiltInNames()
{
    document_.SetNames(names::NameSet::BuiltInPtr());
    UpdateMarks();
    emit NamesChanged();
}

QString Session::NamesSummary() const
{
    const names::NameSet& set = Names();
    if (set.UserCount() == 0)
        return tr("名称：内置");
    return tr("名称：%1 项来自 %2").arg(set.UserCount()).arg(QString::fromStdString(set.Folder()));
}

} // namespace dravik::app
