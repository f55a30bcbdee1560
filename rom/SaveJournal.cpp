#include "rom/SaveJournal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <tuple>

namespace dravik::rom {

namespace {
const char kMagic[8] = {'D', 'R', 'V', 'K', 'J', 'R', 'N', '1'};

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The file the user means: symlinks resolved, so every name of one image shares its journal and lock.
std::string RealPath(const std::string& path)
{
    const QFileInfo info(Q(path));
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical).toStdString();
}

std::string FolderOf(const std::string& path) { return QFileInfo(Q(path)).absolutePath().toStdString(); }

// Shared by the window and the command line, whatever their application names.
std::string DataFile(const std::string& realPath, const char* kind, const char* suffix, bool create = false)
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/dravik/" + kind;
    if (create)
        QDir().mkpath(folder);
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(Q(realPath)), QCryptographicHash::Sha1);
    return (folder + "/" + QString::fromLatin1(hash.toHex()) + suffix).toStdString();
}

bool PermissionLike(int e) { return e == -EACCES || e == -EPERM || e == -EROFS; }

uint64_t Fnv1a(const uint8_t* data, size_t size)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 1099511628211ull;
    return h;
}

void PutLe(Bytes& out, uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint64_t GetLe(const Bytes& in, size_t at, int width)
{
    uint64_t v = 0;
    for (int i = 0; i < width; ++i)
        v |= static_cast<uint64_t>(in[at + i]) << (8 * i);
    return v;
}

struct Journal {
    uint64_t imageSize = 0;
    std::vector<std::pair<uint32_t, Bytes>> ranges; // offset, old bytes
};

// magic, image size, range count, (offset, length, old bytes)..., checksum of all before it.
Bytes Encode(const Journal& j)
{
    Bytes out(kMagic, kMagic + sizeof kMagic);
    PutLe(out, j.imageSize, 8);
    PutLe(out, j.ranges.size(), 4);
    for (const auto& [offset, bytes] : j.ranges) {
        PutLe(out, offset, 4);
        PutLe(out, bytes.size(), 4);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    PutLe(out, Fnv1a(out.data(), out.size()), 8);
    return out;
}

// False for a journal that was not written completely.
bool Decode(const Bytes& in, Journal& j)
{
    if (in.size() < sizeof kMagic + 8 + 4 + 8 || !std::equal(kMagic, kMagic + sizeof kMagic, in.begin()))
        return false;
    const size_t body = in.size() - 8;
    if (GetLe(in, body, 8) != Fnv1a(in.data(), body))
        return false;
    j.imageSize = GetLe(in, 8, 8);
    const uint64_t count = GetLe(in, 16, 4);
    size_t at = 20;
    for (uint64_t i = 0; i < count; ++i) {
        if (body - at < 8)
            return false;
        const uint32_t offset = static_cast<uint32_t>(GetLe(in, at, 4));
        const uint64_t length = GetLe(in, at + 4, 4);
        at += 8;
        if (body - at < length || offset + length > j.imageSize)
            return false;
        j.ranges.emplace_back(
            offset, Bytes(in.begin() + static_cast<long>(at), in.begin() + static_cast<long>(at + length)));
        at += length;
    }
    return at == body;
}

// Opens path, writes each range, flushes and closes: 0 or -errno of the first step that failed.
// touched tells whether any write was tried.
int WriteRanges(FileOps& ops, const std::string& path, const std::vector<std::pair<uint32_t, Bytes>>& ranges,
                bool* touched = nullptr)
{
    if (touched)
        *touched = false;
    const int fd = ops.OpenExisting(path);
    if (fd < 0)
        return fd;
    if (touched)
        *touched = !ranges.empty();
    int result = 0;
    for (const auto& [offset, bytes] : ranges)
        if (result == 0)
            result = ops.WriteAt(fd, bytes.data(), bytes.size(), offset);
    if (result == 0)
        result = ops.Flush(fd);
    const int closed = ops.Close(fd);
    return result != 0 ? result : closed;
}

// Writes the whole journal and makes it durable: 0 or -errno.
int WriteJournal(FileOps& ops, const std::string& journalPath, const Bytes& data)
{
    const int fd = ops.CreateTruncated(journalPath);
    if (fd < 0)
        return fd;
    int result = ops.WriteAt(fd, data.data(), data.size(), 0);
    if (result == 0)
        result = ops.Flush(fd);
    const int closed = ops.Close(fd);
    if (result == 0)
        result = closed;
    if (result == 0)
        result = ops.FlushFolder(FolderOf(journalPath));
    return result;
}

std::string Reason(int negativeErrno) { return ErrorText(-negativeErrno); }
} // namespace

std::vector<RangeChange> ChangedRanges(const std::vector<ImagePart>& before,
                                       const std::vector<ImagePart>& after)
{
    std::vector<RangeChange> changes;
    for (size_t p = 0; p < before.size() && p < after.size(); ++p) {
        const Bytes& a = before[p].bytes;
        const Bytes& b = after[p].bytes;
        const auto aEnd = a.begin() + static_cast<long>(std::min(a.size(), b.size()));
        auto [from, to] = std::mismatch(a.begin(), aEnd, b.begin());
        while (from != aEnd) {
            const auto [end, toEnd] = std::mismatch(from, aEnd, to, std::not_equal_to<>());
            changes.push_back({before[p].offset + static_cast<uint32_t>(from - a.begin()), Bytes(from, end),
                               Bytes(to, toEnd)});
            std::tie(from, to) = std::mismatch(end, aEnd, toEnd);
        }
    }
    return changes;
}

std::vector<std::string> JournalPaths(const std::string& path)
{
    const std::string real = RealPath(path);
    return {real + ".journal", DataFile(real, "journals", ".journal")};
}

bool PatchInPlace(const std::string& path, uint64_t imageSize, const std::vector<RangeChange>& changes,
                  FileOps& ops, std::string& error)
{
    const std::string real = RealPath(path);
    const std::string failed = "保存 " + path + " 失败：";
    Journal journal{imageSize, {}};
    std::vector<std::pair<uint32_t, Bytes>> updates;
    for (const RangeChange& change : changes) {
        journal.ranges.emplace_back(change.offset, change.before);
        updates.emplace_back(change.offset, change.after);
    }
    const Bytes data = Encode(journal);

    // 1. The old bytes go to a journal, durable before the image is touched.
    const std::vector<std::string> places = JournalPaths(path);
    const auto inDataFolder = [&] { return DataFile(real, "journals", ".journal", true); };
    std::string journalPath = ops.CanCreateIn(FolderOf(real)) ? places[0] : inDataFolder();
    int result = WriteJournal(ops, journalPath, data);
    if (PermissionLike(result) && journalPath == places[0]) {
        ops.Remove(journalPath);
        journalPath = inDataFolder();
        result = WriteJournal(ops, journalPath, data);
    }
    if (result != 0) {
        ops.Remove(journalPath);
        error = failed + "无法写入保存日志 " + journalPath + "：" + Reason(result) + "。文件没有改动。";
        return false;
    }

    // 2. The new bytes, in place. A failure puts the old bytes back at once.
    bool touched = false;
    const auto rollBack = [&](const std::string& what, int cause) {
        const int restored = touched ? WriteRanges(ops, path, journal.ranges) : 0;
        if (restored == 0) {
            ops.Remove(journalPath);
            error = failed + what + "：" + Reason(cause) +
                    (touched ? "。已写回原来的字节，文件没有改动。" : "。文件没有改动。");
        } else {
            error = failed + what + "：" + Reason(cause) + "；写回原来的字节也失败：" + Reason(restored) +
                    "。文件可能只写入了一部分。保存日志 " + journalPath +
                    " 已保留，下次打开这个文件时会自动恢复为保存前的内容。";
        }
        return false;
    };
    result = WriteRanges(ops, path, updates, &touched);
    if (result != 0)
        return rollBack("写入文件时出错", result);

    // 3. Removing the journal commits the save.
    result = ops.Remove(journalPath);
    if (result != 0) {
        // A journal left behind would undo this save at the next Open: undo it now instead.
        const int restored = WriteRanges(ops, path, journal.ranges);
        if (restored == 0)
            error = failed + "无法删除保存日志 " + journalPath + "：" + Reason(result) +
                    "。已写回原来的字节，文件没有改动。";
        else
            error = failed + "无法删除保存日志 " + journalPath + "：" + Reason(result) +
                    "。文件已写入新内容，但下次打开时会按保存日志恢复为保存前的内容。";
        return false;
    }
    ops.FlushFolder(FolderOf(journalPath));
    return true;
}

bool RecoverInterruptedSave(const std::string& path, FileOps& ops, std::string& notice, std::string& error)
{
    for (const std::string& journalPath : JournalPaths(path)) {
        QFile file(Q(journalPath));
        if (!file.exists())
            continue;
        if (!file.open(QIODevice::ReadOnly)) {
            error = "无法打开文件 " + path + "：它有一份未完成的保存日志 " + journalPath + "，但无法读取：" +
                    file.errorString().toStdString() + "。";
            return false;
        }
        const QByteArray raw = file.readAll();
        file.close();
        Journal journal;
        if (!Decode(Bytes(raw.begin(), raw.end()), journal)) {
            // The journal is made durable before the image is touched: a torn one means the image
            // was never written.
            ops.Remove(journalPath);
            notice += "发现 " + path +
                      " 的一份不完整的保存日志：那次保存在写入文件之前就中断了，文件没有改动。已删除该日志。";
            continue;
        }
        const qint64 size = QFileInfo(Q(path)).size();
        if (size != static_cast<qint64>(journal.imageSize)) {
            error = "无法打开文件 " + path + "：上次保存时被中断，但文件的大小已经改变（现在 " +
                    std::to_string(size) + " 字节，保存时 " + std::to_string(journal.imageSize) +
                    " 字节），无法按保存日志 " + journalPath + " 恢复。请检查文件后删除该日志。";
            return false;
        }
        const int restored = WriteRanges(ops, path, journal.ranges);
        if (restored != 0) {
            error = "无法打开文件 " + path + "：上次保存时被中断，按保存日志 " + journalPath +
                    " 恢复原内容失败：" + Reason(restored) + "。";
            return false;
        }
        const int removed = ops.Remove(journalPath);
        if (removed != 0) {
            error = "已把 " + path + " 恢复为上次保存前的内容，但无法删除保存日志 " + journalPath + "：" +
                    Reason(removed) + "。";
            return false;
        }
        ops.FlushFolder(FolderOf(journalPath));
        size_t bytes = 0;
        for (const auto& range : journal.ranges)
            bytes += range.second.size();
        notice +=
            path + " 上次保存时被中断，已恢复为那次保存前的内容（" + std::to_string(bytes) + " 字节）。";
    }
    return true;
}

bool SaveLock::Acquire(const std::string& path, FileOps& ops, int timeoutMs, std::string& error)
{
    const std::string real = RealPath(path);
    const std::string beside = real + ".lock";
    std::string lockPath = ops.CanCreateIn(FolderOf(real)) ? beside : DataFile(real, "locks", ".lock", true);
    for (;;) {
        lock_ = std::make_unique<QLockFile>(Q(lockPath));
        if (lock_->tryLock(timeoutMs))
            return true;
        if (lock_->error() == QLockFile::PermissionError && lockPath == beside) {
            lockPath = DataFile(real, "locks", ".lock", true);
            continue;
        }
        if (lock_->error() == QLockFile::LockFailedError)
            error = "另一个程序正在保存这个文件（锁文件 " + lockPath + "），请稍后再试。";
        else
            error = "无法创建锁文件 " + lockPath + "。";
        lock_.reset();
        return false;
    }
}

} // namespace dravik::rom
