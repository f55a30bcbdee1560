#include "rom/RomDocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <optional>
#include <sstream>

#include "rom/InternalHeader.h"
#include "rom/SaveJournal.h"
#include "rom/Texts.h"

namespace dravik::rom {

Error ReadOnlyRefusal(const std::string& path)
{
    return Error::Failure(
        Fill(Files::tr("未保存 %1：文件是只读的（没有写入权限），文件没有任何改动。"), path), path, EACCES);
}

namespace {
// A save refused before anything was written.
Error NotSaved(const std::string& path, const std::string& why, int systemError = 0)
{
    return Error::Failure(Fill(Files::tr("未保存 %1：%2文件没有改动。"), path, why), path, systemError);
}
} // namespace

namespace {
bool IsWritable(const QFileInfo& info)
{
    const QFileDevice::Permissions p = info.permissions();
    const QFileDevice::Permissions anyone =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (p & anyone);
}

// Reads exactly bytes.size() bytes from offset, straight into the buffer; why not, else.
std::optional<std::string> ReadAt(QFile& file, uint32_t offset, Bytes& bytes)
{
    const qint64 wanted = static_cast<qint64>(bytes.size());
    const qint64 got = file.seek(offset) ? file.read(reinterpret_cast<char*>(bytes.data()), wanted) : -1;
    if (got < 0)
        return Fill(Files::tr("读取失败：%1"), file.errorString());
    if (got != wanted)
        return Fill(Files::tr("读取失败：文件在读取时变短了。"));
    return std::nullopt;
}
} // namespace

bool IsWritableFile(const std::string& path) { return IsWritable(QFileInfo(TextArg(path))); }

namespace {
// What ReadExtent::Tables reads: the table stretches and the internal headers' checksums (what
// tells a plausible image, and what a save that fixes the checksum writes besides the tables).
std::vector<ByteRange> ReadRanges(ImageForm form, uint64_t size)
{
    std::vector<ByteRange> ranges = TableRanges(form);
    for (const ByteRange& c : ChecksumRanges(form)) {
        const bool overlaps = std::any_of(ranges.begin(), ranges.end(), [&](const ByteRange& r) {
            return c.begin < r.end && r.begin < c.end;
        });
        if (!overlaps && c.end <= size)
            ranges.push_back(c);
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const ByteRange& a, const ByteRange& b) { return a.begin < b.begin; });
    return ranges;
}
} // namespace

std::optional<Error>
ReadConsistently(const std::string& path, FileOps& ops,
                 const std::function<std::optional<Error>(QFile& file, uint64_t size)>& read,
                 std::string& notice)
{
    // A save cut short again while the last one was rolled back is rare; more is a fault.
    for (int round = 0; round < 3; ++round) {
        ContentLock hold;
        if (std::optional<Error> held = hold.Take(path, false, ContentLock::kWaitMs))
            return held;
        // A save in progress holds the content alone as long as its journal exists: one seen
        // here is left by a save that was cut short, and the file may be half written.
        const std::string journal = PendingJournal(path);
        if (journal.empty()) {
            QFile file;
            const bool opened = hold.Handle() >= 0
                                    ? file.open(hold.Handle(), QIODevice::ReadOnly | QIODevice::Unbuffered,
                                                QFileDevice::DontCloseHandle)
                                    : (file.setFileName(TextArg(path)),
                                       file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
            if (!opened)
                return Error::Opening(path, file.errorString().toStdString());
            return read(file, hold.Size());
        }
        hold.Release();
        if (!IsWritableFile(path))
            return Error::Opening(
                path,
                Fill(Files::tr("上次保存时被中断，留下了保存日志 %1，文件可能只写入了一部分；文件是只读的，"
                               "不能按日志恢复，所以不会读取它。请让能写入这个文件的用户打开它（会自动恢"
                               "复为那次保存前的内容）；如果确定文件现在的内容是对的，删除该日志即可。"),
                     journal));
        SaveLock lock;
        if (std::optional<Error> failed = lock.Acquire(path, ops, ContentLock::kWaitMs))
            return failed;
        if (std::optional<Error> failed = RecoverInterruptedSave(path, ops, notice))
            return failed;
    }
    return Error::Opening(path, Fill(Files::tr("保存日志一再出现（%1），请确认没有其他程序在保存它后再试。"),
                                     PendingJournal(path)));
}

std::optional<Error> ReadImage(const std::string& path, ReadExtent extent, ImageFile& image, FileOps& ops)
{
    const QFileInfo info(TextArg(path));
    if (path.empty() || !info.exists())
        return Error::Opening(path, Fill(Files::tr("文件不存在。")), ENOENT);
    if (!info.isFile())
        return Error::Opening(path, Fill(Files::tr("这不是一个普通文件。")), EINVAL);
    if (!info.isReadable())
        return Error::Opening(path, Fill(Files::tr("没有读取权限。")), EACCES);
    std::string notice;
    const auto readImage = [&](QFile& file, uint64_t size) -> std::optional<Error> {
        if (size > kMaximumImageSize)
            return Error::Opening(
                path, Fill(Files::tr("文件有 %1 字节，超过 64 MiB，不会是 ROM 映像。"), size), EFBIG);
        const ImageForm form = ImageForm::OfSize(size);
        if (size < form.MinimumSize())
            return Error::Opening(
                path,
                Fill(form.header
                         ? Files::tr("文件只有 %n 字节，至少需要 %1 字节才能容纳所有数据表。", nullptr,
                                     PluralCount(size))
                         : Files::tr("文件只有 %n 字节（无文件头），至少需要 %1 字节才能容纳所有数据表。",
                                     nullptr, PluralCount(size)),
                     form.MinimumSize()));
        if (extent == ReadExtent::Whole) {
            Bytes bytes(size);
            if (std::optional<std::string> failed = ReadAt(file, 0, bytes))
                return Error::Opening(path, *failed, EIO);
            image.bytes = std::move(bytes);
        } else {
            std::vector<ImagePart> parts;
            for (const ByteRange& span : ReadRanges(form, size)) {
                parts.push_back(ImagePart{span.begin, Bytes(span.end - span.begin)});
                if (std::optional<std::string> failed = ReadAt(file, span.begin, parts.back().bytes))
                    return Error::Opening(path, *failed, EIO);
            }
            image.parts = std::move(parts);
        }
        image.form = form;
        image.size = size;
        return std::nullopt;
    };
    if (std::optional<Error> failed = ReadConsistently(path, ops, readImage, notice))
        return failed;
    image.writable = IsWritable(info);
    image.notice = std::move(notice);
    return std::nullopt;
}

std::optional<Error> WriteImageAtomically(const std::string& path, const Bytes& image)
{
    const QFileInfo info(TextArg(path));
    if (info.exists() && !info.isFile())
        return Error::Writing(path, EINVAL, Fill(Files::tr("这不是一个普通文件，不会替换它")));
    if (const int result = ReplaceFile(path, image.data(), image.size()); result != 0)
        return Error::Writing(path, -result);
    return std::nullopt;
}

namespace {
constexpr int kLockWaitMs = ImageWriter::kLockWaitMs;
} // namespace

// The backup beside the image, else in the data folder. Always a new file renamed into place,
// never written through a link.
std::optional<Error> WriteBackup(const std::string& path, const Bytes& image, FileOps& ops,
                                 std::string& where)
{
    where = RomDocument::BackupPath(path);
    const std::optional<Error> beside = WriteSideFile(where, image.data(), image.size(), ops);
    if (!beside)
        return std::nullopt;
    where = RomDocument::BackupInDataFolder(path);
    QDir().mkpath(QFileInfo(TextArg(where)).absolutePath());
    const std::optional<Error> inData = WriteSideFile(where, image.data(), image.size(), ops);
    if (!inData)
        return std::nullopt;
    return Error::Failure(Fill(Files::tr("备份既不能写在文件旁边（%1）也不能写在数据文件夹里（%2）"),
                               Describe(*beside), Describe(*inData)),
                          path, inData->systemError);
}

namespace {
bool SameParts(const std::vector<ImagePart>& a, const std::vector<ImagePart>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ImagePart& x, const ImagePart& y) {
        return x.offset == y.offset && x.bytes == y.bytes;
    });
}

// The file as a save finds it, and what the plan would change in it.
struct SaveCheck {
    ImageFile file;               // the stretches that hold tables, as they are now
    std::vector<ImagePart> after; // the same with the plan's patches
    std::vector<RangeChange> changes;
};

// Reads the file's table stretches (all a save compares or writes) and checks them against what
// the document last saw. Empty when the save may go on; else why not (fileChanged: because the
// file is no longer what the document saw).
std::optional<Error> CheckFile(const std::string& path, const SavePlan& plan,
                               const std::vector<ImagePart>& seen, uint64_t seenSize, ImageForm form,
                               bool overwriteChanges, SaveCheck& check, bool& fileChanged)
{
    if (std::optional<Error> failed = ReadImage(path, ReadExtent::Tables, check.file))
        return Error::Failure(Fill(Files::tr("保存失败，文件没有改动。%1"), Describe(*failed)), path,
                              failed->systemError);
    const bool changed = check.file.size != seenSize || !SameParts(seen, check.file.parts);
    if (changed && !overwriteChanges) {
        fileChanged = true;
        return NotSaved(path, Files::tr(RomDocument::kChangedOnDisk).toStdString());
    }
    // A file that changed its form since the Open would take every patch at the wrong place.
    if (check.file.form.header != form.header)
        return Error::Failure(
            Fill(Files::tr("未保存 %1：文件在打开后被改变了（文件头不同），文件没有任何改动。请重新打开。"),
                 path),
            path);
    if (!check.file.writable)
        return ReadOnlyRefusal(path);
    check.after = check.file.parts;
    ApplyPatches(plan.patches, check.after);
    check.changes = ChangedRanges(check.file.parts, check.after);
    return std::nullopt;
}

// Adds to the plan the checksum and complement the file needs once the plan is written.
std::optional<Error> AddChecksumFix(const std::string& path, ImageForm form, SavePlan& plan,
                                    std::string& notice)
{
    ImageFile whole;
    if (std::optional<Error> failed = ReadImage(path, ReadExtent::Whole, whole))
        return failed;
    notice += whole.notice;
    ApplyPatches(plan.patches, whole.bytes);
    ChecksumFix fix = FixChecksum(whole.bytes, form);
    if (fix.error) {
        fix.error->file = path;
        return fix.error;
    }
    plan.patches.insert(plan.patches.end(), fix.patches.begin(), fix.patches.end());
    return std::nullopt;
}
} // namespace

std::string RomDocument::BackupInDataFolder(const std::string& path)
{
    // Enough to tell the image; with the hash the name stays within any file system's limit.
    constexpr int kBackupNameChars = 50;
    const QFileInfo info(TextArg(path));
    const QString real =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(real), QCryptographicHash::Sha1).toHex();
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/dravik/backups/" +
            info.fileName().left(kBackupNameChars) + "-" + QString::fromLatin1(hash.left(12)) + ".bak")
        .toStdString();
}

RomDocument::RomDocument() : ops_(SystemFileOps()) {}

OpenResult RomDocument::Open(const std::string& path)
{
    OpenResult opened;
    ImageFile image;
    if (std::optional<Error> failed = ReadImage(path, ReadExtent::Tables, image, *ops_))
        return {std::move(failed)};
    opened.notice = std::move(image.notice);
    LoadTables(image.parts, model_, image.form);
    path_ = path;
    loaded_ = true;
    form_ = image.form;
    readOnly_ = !image.writable;
    plausible_ = IsPlausibleImage(image.parts, image.form);
    onDisk_ = std::move(image.parts);
    onDiskSize_ = image.size;
    return opened;
}

void RomDocument::Close()
{
    path_.clear();
    loaded_ = false;
    readOnly_ = false;
    plausible_ = true;
}

SaveResult RomDocument::Save(bool overwriteChanges)
{
    if (!loaded_)
        return {Error::Failure(Fill(Files::tr("没有载入文件。")))};
    if (readOnly_)
        return {ReadOnlyRefusal(path_)};
    SavePlan plan = PlanSave(model_, form_);
    if (!plan.Ok()) {
        std::ostringstream s;
        s << Fill(Files::tr("未保存 %1：有 %n 个单元格的值无效，文件没有任何改动。", nullptr,
                            static_cast<int>(plan.errors.size())),
                  path_);
        for (const Error& e : plan.errors)
            s << "\n" << Describe(e);
        return {Error::Failure(s.str(), path_), std::move(plan.errors)};
    }
    // The checksum is summed over the file as it is at the time, so it is worked out again
    // under the lock below.
    const size_t tablePatches = plan.patches.size();
    std::string rolledBack; // a save cut short, which the first read rolled back
    const auto addChecksumFix = [&]() -> std::optional<Error> {
        plan.patches.resize(tablePatches);
        if (!fixChecksum_)
            return std::nullopt;
        if (std::optional<Error> failed = AddChecksumFix(path_, form_, plan, rolledBack))
            return NotSaved(path_, Describe(*failed), failed->systemError);
        return std::nullopt;
    };
    // The checks before a write; a refusal reports nothing else.
    const auto refusal = [&](SaveCheck& check) -> std::optional<SaveResult> {
        SaveResult refused;
        refused.error = addChecksumFix();
        if (!refused.error)
            refused.error = CheckFile(path_, plan, onDisk_, onDiskSize_, form_, overwriteChanges, check,
                                      refused.fileChanged);
        return refused.error ? std::optional<SaveResult>(std::move(refused)) : std::nullopt;
    };
    // A save that would change nothing in a file nobody else has touched (an unedited import)
    // reads only the table stretches once and neither locks nor writes anything.
    SaveCheck check;
    if (std::optional<SaveResult> refused = refusal(check))
        return *refused;
    SaveResult saved;
    saved.notice = rolledBack + check.file.notice;
    if (!check.changes.empty()) {
        ImageWriter writer(ops_);
        if (std::optional<Error> failed = writer.Begin(path_, kLockWaitMs))
            return {NotSaved(path_, Describe(*failed), failed->systemError)};
        saved.notice += writer.Notice();
        // Another save may have finished while this one waited: look again under the lock.
        check = SaveCheck();
        if (std::optional<SaveResult> refused = refusal(check))
            return *refused;
        for (const RangeChange& change : check.changes)
            saved.changedBytes += static_cast<int>(change.before.size());
        // The backup is the file as it is now, so the last saved state can always be restored. A
        // save that writes nothing keeps the older backup: it still holds the state before the
        // last change.
        ImageFile whole;
        if (saved.changedBytes > 0 && backup_) {
            if (std::optional<Error> failed = ReadImage(path_, ReadExtent::Whole, whole))
                return {Error::Failure(Fill(Files::tr("未保存 %1：无法读取文件来做备份：%2文件没有改动。"),
                                            path_, Describe(*failed)),
                                       path_, failed->systemError)};
            std::string where;
            if (std::optional<Error> failed = WriteBackup(path_, whole.bytes, *ops_, where))
                return {Error::Failure(
                    Fill(Files::tr("未保存 %1：%2文件没有改动。（可在“文件 → 保存时备份”中关闭备份。）"),
                         path_, Describe(*failed)),
                    path_, failed->systemError)};
            if (where != BackupPath(path_))
                saved.notice += Fill(Files::tr("无法在 %1 旁边写入备份，备份写在了 %2。"), path_, where);
        }
        if (saved.changedBytes > 0)
            if (std::optional<Error> failed = PatchInPlace(path_, check.file.size, check.changes, *ops_))
                return {std::move(failed)};
    }
    onDisk_ = std::move(check.after);
    onDiskSize_ = check.file.size;
    saved.shown = ShowSaved();
    for (Table& t : model_.Tables())
        t.SetBaseline();
    return saved;
}

// A value cell keeps the text typed until it is saved; from then on it shows the number the file
// holds in the load's own form ("１２３", "007", " 12 " -> "123", "7", "12"; "1.005" -> "1.01",
// empty -> "0"), so that the window, its row editors and a later open all show the same.
std::vector<Change> RomDocument::ShowSaved()
{
    Model saved(model_.SharedNames());
    LoadTables(onDisk_, saved, form_);
    std::vector<Change> shown;
    for (const Table& file : saved.Tables()) {
        const Table& mine = model_.Get(file.Id());
        Edit edit(file.Id());
        for (int row = 0; row < file.Rows(); ++row)
            for (const int column : file.Layout().ValueColumns())
                if (mine.Cell(row, column) != file.Cell(row, column))
                    edit.SetCell(row, column, file.Cell(row, column));
        if (edit.Empty())
            continue;
        Change change = Apply(edit);
        if (!change.Empty())
            shown.push_back(std::move(change));
    }
    return shown;
}

} // namespace dravik::rom
