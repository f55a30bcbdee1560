#include "rom/SaveJournal.h"

#include <QStandardPaths>
#include <cerrno>

#include "rom/Texts.h"

namespace dravik::rom {

namespace {
std::string Reason(int error) { return ErrorText(error < 0 ? -error : error); }

// The window and the full command line keep their data where Qt's standard paths say (its test
// mode included); the journal's and lock's names are made the same way from there.
std::string QtDataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}
[[maybe_unused]] const bool kQtDataHome = (SetDataHomeSource(&QtDataHome), true);

// Why the journal may not be rolled back onto the file as it is now; empty when it may.
std::string MismatchText(const Journal& j, const std::string& path)
{
    const Mismatch m = RollBackMismatch(j, path);
    switch (m.kind) {
    case Mismatch::Kind::None: return {};
    case Mismatch::Kind::Gone: return Fill(Files::tr("文件已不存在"));
    case Mismatch::Kind::Replaced:
        return Fill(Files::tr("这个名字现在指向另一个文件（保存日志属于被替换掉的那个文件）"));
    case Mismatch::Kind::Size:
        return Fill(Files::tr("文件的大小已经改变（现在 %1 字节，保存前 %2 字节，保存后 %3 字节）"), m.size,
                    j.oldSize, j.newSize);
    case Mismatch::Kind::Unreadable:
        return m.cause ? Fill(Files::tr("无法读取文件：%1"), Reason(m.cause))
                       : Fill(Files::tr("无法读取文件"));
    case Mismatch::Kind::Bytes:
        return Fill(
            Files::tr(
                "偏移 %1 处的 %n 字节既不是保存前的内容也不是那次保存写入的内容（文件在那之后被改动过）",
                nullptr, PluralCount(m.length)),
            m.offset);
    }
    return {};
}
} // namespace

std::optional<Error> PatchInPlace(const std::string& path, uint64_t imageSize,
                                  const std::vector<RangeChange>& changes, FileOps& ops)
{
    ImagePatch patch;
    patch.oldSize = patch.newSize = imageSize;
    patch.changes = changes;
    return PatchInPlace(path, patch, ops);
}

namespace {
// A save's failure in words: what failed, why, and what state the file is in.
Error SaveError(const std::string& path, const SaveFault& f)
{
    const auto fail = [&](std::string why, int cause = 0) {
        return Error::Saving(path, std::move(why), cause);
    };
    const auto changed = [&](std::string what) {
        return fail(
            Fill(Files::tr("文件在读取之后被另一个程序改动了（%1），这次保存什么也没有写，文件保持那个程"
                           "序改动后的样子。请重新打开后再试。"),
                 what));
    };
    switch (f.step) {
    case SaveFault::Step::None: break;
    case SaveFault::Step::Hold: {
        const Error held = HoldError(path, true, -f.cause, f.mode, ContentLock::kWaitMs);
        return fail(Fill(Files::tr("%1文件没有改动。"), Describe(held)), held.systemError);
    }
    case SaveFault::Step::SizeChanged:
        return changed(Fill(Files::tr("大小从 %1 字节变成了 %2 字节"), f.offset, f.found));
    case SaveFault::Step::BytesChanged: return changed(Fill(Files::tr("偏移 %1 处的字节变了"), f.offset));
    case SaveFault::Step::Unreadable: return changed(Fill(Files::tr("无法读取文件：%1"), Reason(f.cause)));
    case SaveFault::Step::NameTaken:
        return fail(
            Fill(
                Files::tr("已经有一个名为 %1 的文件，它不是这次保存写的保存日志。文件没有改动。请检查后删除它"
                          "再保存。"),
                f.journal),
            EEXIST);
    case SaveFault::Step::JournalWrite:
        return fail(Fill(Files::tr("无法写入保存日志 %1：%2。文件没有改动。"), f.journal, Reason(f.cause)),
                    f.cause);
    case SaveFault::Step::NoMark:
        return fail(
            Fill(Files::tr("保存日志不能写在文件旁边（文件夹不接受新文件，或文件有多个硬链接），只能写在"
                           "你的数据文件夹中（%1），别的用户打开这个文件时看不到它；而这里不能在文件上留下"
                           "指向它的标记（%2）。别的用户也能打开这个文件，保存万一中断就会被他们忽略，所"
                           "以不保存。文件没有改动。请另存到你能写入的文件夹，或让文件夹可以写入。"),
                 f.journal, Reason(f.cause)));
    case SaveFault::Step::Write: {
        const std::string what = Fill(Files::tr("写入文件时出错"));
        if (f.restoreCause == 0)
            return fail(Fill(f.touched ? Files::tr("%1：%2。已写回原来的字节，文件没有改动。")
                                       : Files::tr("%1：%2。文件没有改动。"),
                             what, Reason(f.cause)),
                        f.cause);
        return fail(
            Fill(Files::tr("%1：%2；写回原来的字节也失败：%3。文件可能只写入了一部分。保存日志 %4 已保留，"
                           "下次打开这个文件时会自动恢复为保存前的内容。"),
                 what, Reason(f.cause), Reason(f.restoreCause), f.journal),
            f.cause);
    }
    case SaveFault::Step::Remove:
        if (f.restoreCause == 0)
            return fail(Fill(Files::tr("无法删除保存日志 %1：%2。已写回原来的字节，文件没有改动。"),
                             f.journal, Reason(f.cause)),
                        f.cause);
        return fail(
            Fill(Files::tr("无法删除保存日志 %1：%2。文件已写入新内容，但下次打开时会按保存日志恢复为保存"
                           "前的内容。"),
                 f.journal, Reason(f.cause)),
            f.cause);
    case SaveFault::Step::TooLarge: break;
    }
    return Error::Reading(path, f.cause ? f.cause : EIO,
                          Fill(Files::tr("%1。文件没有改动"), Reason(f.cause ? f.cause : EIO)));
}
} // namespace

std::optional<Error> PatchInPlace(const std::string& path, const ImagePatch& patch, FileOps& ops)
{
    if (const SaveFault failed = PatchUnderJournal(path, patch, ops))
        return SaveError(path, failed);
    return std::nullopt;
}

std::optional<Error> RecoverInterruptedSave(const std::string& path, FileOps& ops, std::string& notice)
{
    const auto cannot = [&](std::string why, int cause = 0) {
        return Error::Opening(path, std::move(why), cause);
    };
    // No reader sees the file while its old bytes go back.
    ContentLock hold;
    if (IdentifyFile(path).exists) {
        if (const std::optional<Error> held = hold.Take(path, true, ContentLock::kWaitMs))
            return cannot(Describe(*held), held->systemError);
    }
    const std::string real = RealPath(path);
    const std::string marked = MarkOf(real), foreign = ForeignMark(real, OwnJournalPaths(real));
    for (const std::string& journalPath : JournalPaths(path)) {
        Bytes raw;
        const std::optional<Error> read = ReadSideFile(journalPath, kMaximumJournalSize, raw);
        if (read && (read->Missing() || read->systemError == ENAMETOOLONG)) { // no such file can exist
            if (journalPath == marked) // a mark left by a save that ended after all
                Unmark(path, journalPath);
            continue;
        }
        // Another user's journal is neither read nor removed: only its user may roll it back.
        if (journalPath == foreign && (read || OwnedByAnother(journalPath)))
            return cannot(
                Fill(
                    Files::tr("另一个用户上次保存它时被中断，留下的保存日志 %1 在那个用户的数据文件夹中，不会"
                              "按它改动文件（%2）。文件可能只写入了一部分，所以不会读取或保存它，文件没有改"
                              "动。请让那个用户打开这个文件（会自动恢复为那次保存前的内容）；如果确定文件现在"
                              "的内容是对的，请那个用户删除该日志。"),
                    journalPath, read ? ErrorText(read->systemError) : Fill(Files::tr("它属于另一个用户"))),
                read ? read->systemError : EACCES);
        if (read)
            return cannot(
                Fill(
                    Files::tr("它有一份未完成的保存日志，但%1文件没有改动，保存日志已保留。请检查后删除它。"),
                    Describe(*read)),
                read->systemError);
        Journal journal;
        const JournalForm form = DecodeJournal(raw, journal);
        if (form == JournalForm::CutShort) {
            // The journal is made durable before the image is touched: a torn one means the image
            // was never written.
            const int removed = ops.Remove(journalPath);
            if (removed != 0) {
                return cannot(Fill(Files::tr("它有一份不完整的保存日志 %1，但无法删除：%2。文件没有改动。"),
                                   journalPath, Reason(removed)),
                              -removed);
            }
            Unmark(path, journalPath);
            notice += Fill(
                Files::tr(
                    "发现 %1 的一份不完整的保存日志：那次保存在写入文件之前就中断了，文件没有改动。已删除"
                    "该日志。"),
                path);
            continue;
        }
        if (form == JournalForm::Foreign) {
            return cannot(
                Fill(Files::tr("%1 不是本程序能读懂的保存日志（可能来自其他版本或已损坏），不会按它改动文"
                               "件。文件没有改动，保存日志已保留。请检查文件后删除该日志。"),
                     journalPath));
        }
        if (const std::string why = MismatchText(journal, path); !why.empty()) {
            return cannot(
                Fill(Files::tr("上次保存时被中断，留下了保存日志 %1，但%2，按它恢复会覆盖之后的内容。文件没"
                               "有改动，保存日志已保留。如果文件现在的内容是你想要的，请删除该日志；否则请"
                               "从备份恢复文件后再删除它。"),
                     journalPath, why));
        }
        const int restored = WriteRanges(ops, path, journal.ranges, false, journal.oldSize,
                                         journal.oldSize != journal.newSize);
        if (restored != 0) {
            return cannot(
                Fill(Files::tr("上次保存时被中断，按保存日志 %1 恢复原内容失败：%2。保存日志已保留，下次打开"
                               "时会再试。"),
                     journalPath, Reason(restored)),
                -restored);
        }
        const int removed = ops.Remove(journalPath);
        if (removed != 0) {
            return Error::Failure(
                Fill(Files::tr("已把 %1 恢复为上次保存前的内容，但无法删除保存日志 %2：%3。"), path,
                     journalPath, Reason(removed)),
                path, -removed);
        }
        Unmark(path, journalPath);
        ops.FlushFolder(FolderOf(journalPath));
        size_t bytes = 0;
        for (const JournalRange& range : journal.ranges)
            bytes += range.before.size();
        notice += Fill(Files::tr("%1 上次保存时被中断，已恢复为那次保存前的内容（%2 字节，按保存日志 %3）。"),
                       path, bytes, journalPath);
    }
    return std::nullopt;
}

std::optional<Error> SaveLock::Acquire(const std::string& path, FileOps& ops, int timeoutMs)
{
    const LockFault fault = AcquireSaveLock(path, ops, timeoutMs, lock_);
    switch (fault.step) {
    case LockFault::Step::None: return std::nullopt;
    case LockFault::Step::NotALock:
        return Error::Failure(Fill(Files::tr("锁文件 %1 不是本程序的锁：%2请检查后删除它。"), fault.lockPath,
                                   Describe(SideFileError(fault.lockPath, -fault.cause, fault.read, 4096))),
                              fault.lockPath, fault.cause);
    case LockFault::Step::Busy:
        return Error::Failure(
            Fill(Files::tr("另一个程序正在保存这个文件（锁文件 %1），请稍后再试。"), fault.lockPath),
            fault.lockPath, EBUSY);
    case LockFault::Step::Create: break;
    }
    return Error::Failure(Fill(Files::tr("无法创建锁文件 %1：%2。"), fault.lockPath, Reason(fault.cause)),
                          fault.lockPath, fault.cause);
}

std::optional<Error> ImageWriter::Begin(const std::string& path, int timeoutMs)
{
    path_ = path;
    begun_ = true;
    existed_ = NameExists(path);
    if (!existed_)
        return std::nullopt;
    if (!IsRegular(path))
        return Error::Writing(path, EINVAL, Fill(Files::tr("这不是一个普通文件，不会替换它")));
    if (std::optional<Error> locked = lock_.Acquire(path, *ops_, timeoutMs))
        return locked;
    return RecoverInterruptedSave(path, *ops_, notice_);
}

std::optional<Error> ImageWriter::Write(const Bytes& image)
{
    if (!begun_)
        return Error::Failure(Fill(Files::tr("内部错误：写入前没有取得文件。")));
    if (image.empty() || image.size() > kMaximumImageSize)
        return Error::Failure(
            Fill(image.empty()
                     ? Files::tr("不会写入 %1：结果有 %2 字节，是空的，不会是 ROM 映像。文件没有改动。")
                     : Files::tr("不会写入 %1：结果有 %2 字节，超过 64 MiB，不会是 ROM 映像。文件没有改动。"),
                 path_, image.size()),
            path_);
    if (!existed_) {
        if (const int result = ReplaceFile(path_, image.data(), image.size()); result != 0)
            return Error::Writing(path_, -result);
        changed_ = image.size();
        return std::nullopt;
    }
    if (!MayWrite(path_))
        return Error::Writing(path_, EACCES, Fill(Files::tr("文件是只读的（没有写入权限），文件没有改动")));
    if (const SaveFault failed = WriteInPlace(path_, image.data(), image.size(), *ops_, &changed_)) {
        if (failed.step == SaveFault::Step::Unreadable || failed.step == SaveFault::Step::TooLarge) {
            const int cause = failed.cause ? failed.cause : EIO;
            return Error::Reading(path_, cause, Fill(Files::tr("%1。文件没有改动"), Reason(cause)));
        }
        return SaveError(path_, failed);
    }
    return std::nullopt;
}

} // namespace dravik::rom
