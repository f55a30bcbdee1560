#include "rom/SaveJournal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <tuple>

#include "rom/JournalNames.h"
#include "rom/Texts.h"

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/xattr.h>
#endif

namespace dravik::rom {

namespace {
const char kMagic[8] = {'D', 'R', 'V', 'K', 'J', 'R', 'N', '2'};
// A lock holds a process id and two names: anything longer is not one.
constexpr uint64_t kMaximumLockSize = 4096;

// The file the user means: symlinks resolved, so every name of one image shares its journal and lock.
std::string RealPath(const std::string& path)
{
    const QFileInfo info(TextArg(path));
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical).toStdString();
}

std::string FolderOf(const std::string& path)
{
    return QFileInfo(TextArg(path)).absolutePath().toStdString();
}

QString DataFolder(const char* kind, bool create)
{
    // Shared by the window and the command line, whatever their application names.
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/dravik/" + kind;
    if (create)
        QDir().mkpath(folder);
    return folder;
}

// A side file in the data folder named after the image's real path.
std::string DataFile(const std::string& realPath, const char* kind, const char* suffix, bool create = false)
{
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(TextArg(realPath)), QCryptographicHash::Sha1);
    return (DataFolder(kind, create) + "/" + QString::fromLatin1(hash.toHex()) + suffix).toStdString();
}

// A side file in the data folder named after the file itself, the same from any of its names.
std::string IdentityFile(const FileIdentity& id, const char* kind, const char* suffix, bool create = false)
{
    return (DataFolder(kind, create) + "/file-" + QString::number(id.device) + "-" +
            QString::number(id.inode) + suffix)
        .toStdString();
}

// Where a save of path keeps a side file of this kind. A file with more than one name keeps it
// under its identity, so a save through one name is seen through all of them.
std::string SideFilePlace(const std::string& path, FileOps& ops, const char* kind, const char* suffix,
                          bool besideAllowed)
{
    const std::string real = RealPath(path);
    const FileIdentity id = IdentifyFile(real);
    if (id.Known() && id.links > 1)
        return IdentityFile(id, kind, suffix, true);
    if (besideAllowed && ops.CanCreateIn(FolderOf(real)))
        return real + suffix;
    return id.Known() ? IdentityFile(id, kind, suffix, true) : DataFile(real, kind, suffix, true);
}

// Why a side file may not go beside the image, so that it goes to the data folder instead: the
// folder takes no new files, or the image's name leaves no room for the side file's suffix.
bool NotBeside(int e) { return e == -EACCES || e == -EPERM || e == -EROFS || e == -ENAMETOOLONG; }

// A journal outside the image's folder is in the data folder of the user who saved, which other
// users do not see. Such a save marks the image itself with the journal's path (an extended
// attribute kJournalMark, kept by every hard link), so any open learns that a save was cut short.
// 0, or a negative error number (-ENOTSUP where the system or the file system keeps no marks).
// On the disk before the image's bytes are.
int Mark(FileOps& ops, const std::string& image, const std::string& journal)
{
    return ops.SetAttribute(image, kJournalMark, QFile::encodeName(TextArg(journal)).toStdString());
}

// The journal the image is marked with, or empty.
std::string MarkOf(const std::string& image)
{
#if defined(Q_OS_LINUX)
    char value[4096];
    const ssize_t n =
        ::getxattr(QFile::encodeName(TextArg(image)).constData(), kJournalMark, value, sizeof value);
    if (n > 0)
        return QFile::decodeName(QByteArray(value, static_cast<int>(n))).toStdString();
#else
    (void)image;
#endif
    return {};
}

void Unmark(const std::string& image, const std::string& journal)
{
#if defined(Q_OS_LINUX)
    if (MarkOf(image) == journal)
        ::removexattr(QFile::encodeName(TextArg(image)).constData(), kJournalMark);
#else
    (void)image;
    (void)journal;
#endif
}

// Whether a user other than this process's may open the file (read or write it).
bool OthersMayOpen(const std::string& path)
{
#if defined(Q_OS_UNIX)
    struct stat st {};
    if (::stat(QFile::encodeName(TextArg(path)).constData(), &st) != 0)
        return true;
    return st.st_uid != ::geteuid() || (st.st_mode & 066) != 0;
#else
    (void)path;
    return false; // one user's files
#endif
}

enum class Presence { Missing, Present, Unknown };
// Whether a file (or a link, or anything) has that name; Unknown where it cannot be seen, as in
// another user's private folder.
Presence Look(const std::string& path)
{
#if defined(Q_OS_UNIX)
    struct stat st {};
    if (::lstat(QFile::encodeName(TextArg(path)).constData(), &st) == 0)
        return Presence::Present;
    return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG ? Presence::Missing
                                                                        : Presence::Unknown;
#else
    const QFileInfo info(TextArg(path));
    return info.exists() || info.isSymLink() ? Presence::Present : Presence::Missing;
#endif
}

// The user a file belongs to is another than this process's.
bool OwnedByAnother(const std::string& path)
{
#if defined(Q_OS_UNIX)
    struct stat st {};
    return ::lstat(QFile::encodeName(TextArg(path)).constData(), &st) == 0 && st.st_uid != ::geteuid();
#else
    (void)path;
    return false;
#endif
}

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

std::string Reason(int negativeErrno) { return ErrorText(-negativeErrno); }

// Reads n bytes at offset (fewer where the file ends): 0 or a negative error number.
int ReadAt(QFile& file, uint64_t offset, uint64_t n, Bytes& bytes)
{
    bytes.assign(n, 0);
    if (!file.seek(static_cast<qint64>(offset)))
        return -EIO;
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()), static_cast<qint64>(n));
    if (got < 0)
        return -EIO;
    bytes.resize(static_cast<size_t>(got));
    return 0;
}

// Whether the n bytes at p are what a write of first over rest leaves when cut short anywhere:
// first's leading bytes, then rest's from there on (either may be all of it).
bool PartWritten(const uint8_t* p, size_t n, const Bytes& first, const Bytes& rest)
{
    size_t k = 0; // p agrees with first up to k
    while (k < n && k < first.size() && p[k] == first[k])
        ++k;
    size_t from = n; // p agrees with rest from here on
    while (from > 0 && from - 1 < rest.size() && p[from - 1] == rest[from - 1])
        --from;
    return from <= k;
}

// Opens path, writes each range's bytes (before or after), sets the size, flushes and closes: 0 or
// -errno of the first step that failed. touched tells whether any write was tried.
int WriteRanges(FileOps& ops, const std::string& path, const std::vector<JournalRange>& ranges, bool after,
                uint64_t size, bool resize, bool* touched = nullptr)
{
    if (touched)
        *touched = false;
    const int fd = ops.OpenExisting(path);
    if (fd < 0)
        return fd;
    int result = 0;
    for (const JournalRange& r : ranges) {
        const Bytes& bytes = after ? r.after : r.before;
        if (result != 0 || bytes.empty())
            continue;
        if (touched)
            *touched = true;
        result = ops.WriteAt(fd, bytes.data(), bytes.size(), r.offset);
    }
    if (result == 0 && resize) {
        if (touched)
            *touched = true;
        result = ops.Resize(fd, size);
    }
    if (result == 0)
        result = ops.Flush(fd);
    const int closed = ops.Close(fd);
    return result != 0 ? result : closed;
}

// Writes the whole journal as a new file and makes it durable: 0 or -errno.
int WriteJournal(FileOps& ops, const std::string& journalPath, const Bytes& data)
{
    const int fd = ops.CreateNew(journalPath);
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

Journal JournalOf(const std::string& path, const ImagePatch& patch)
{
    const FileIdentity id = IdentifyFile(path);
    Journal j{id.device, id.inode, patch.oldSize, patch.newSize, {}};
    for (const RangeChange& c : patch.changes)
        j.ranges.push_back({c.offset, c.before, c.after});
    if (!patch.oldTail.empty())
        j.ranges.push_back({patch.newSize, patch.oldTail, {}});
    if (!patch.newTail.empty())
        j.ranges.push_back({patch.oldSize, {}, patch.newTail});
    return j;
}

// Where the file no longer holds what the patch was made from (another writer that does not share
// the save lock, another user's or another program's, changed it since it was read); empty when
// it holds exactly that.
std::string ChangedSinceRead(const std::string& path, const ImagePatch& patch)
{
    const FileIdentity id = IdentifyFile(path);
    if (id.size != patch.oldSize)
        return Fill(Files::tr("大小从 %1 字节变成了 %2 字节"), patch.oldSize, id.size);
    QFile file(TextArg(path));
    if (!file.open(QIODevice::ReadOnly))
        return Fill(Files::tr("无法读取文件：%1"), file.errorString());
    Bytes present;
    const auto differs = [&](uint64_t offset, const Bytes& expected) {
        return ReadAt(file, offset, expected.size(), present) != 0 || present != expected;
    };
    for (const RangeChange& c : patch.changes)
        if (differs(c.offset, c.before))
            return Fill(Files::tr("偏移 %1 处的字节变了"), c.offset);
    if (differs(patch.newSize, patch.oldTail))
        return Fill(Files::tr("偏移 %1 处的字节变了"), patch.newSize);
    return {};
}

// Why the journal may not be rolled back onto the file as it is now; empty when it may.
std::string Mismatch(const Journal& j, const std::string& path)
{
    const FileIdentity id = IdentifyFile(path);
    if (!id.exists)
        return Fill(Files::tr("文件已不存在"));
    if (!id.SameFile({j.device, j.inode, 0, 0, true}))
        return Fill(Files::tr("这个名字现在指向另一个文件（保存日志属于被替换掉的那个文件）"));
    const uint64_t low = std::min(j.oldSize, j.newSize), high = std::max(j.oldSize, j.newSize);
    if (id.size < low || id.size > high)
        return Fill(Files::tr("文件的大小已经改变（现在 %1 字节，保存前 %2 字节，保存后 %3 字节）"), id.size,
                    j.oldSize, j.newSize);
    QFile file(TextArg(path));
    if (!file.open(QIODevice::ReadOnly))
        return Fill(Files::tr("无法读取文件：%1"), file.errorString());
    Bytes present;
    for (const JournalRange& r : j.ranges) {
        const uint64_t length = std::max(r.before.size(), r.after.size());
        const uint64_t available = id.size > r.offset ? std::min(length, id.size - r.offset) : 0;
        if (ReadAt(file, r.offset, available, present) != 0 || present.size() != available)
            return Fill(Files::tr("无法读取文件"));
        if (!PartWritten(present.data(), present.size(), r.after, r.before) &&
            !PartWritten(present.data(), present.size(), r.before, r.after))
            return Fill(
                Files::tr(
                    "偏移 %1 处的 %n 字节既不是保存前的内容也不是那次保存写入的内容（文件在那之后被改动过）",
                    nullptr, PluralCount(length)),
                r.offset);
    }
    return {};
}
} // namespace

uint64_t ImagePatch::ChangedBytes() const
{
    uint64_t n = oldTail.size() + newTail.size();
    for (const RangeChange& c : changes)
        n += c.before.size();
    return n;
}

namespace {
// Where a (up to aEnd) first differs from b: equal stretches are skipped a block at a time, as a
// rewrite of an image mostly finds them.
std::pair<const uint8_t*, const uint8_t*> FirstDifference(const uint8_t* a, const uint8_t* aEnd,
                                                          const uint8_t* b)
{
    for (const ptrdiff_t block : {ptrdiff_t{4096}, ptrdiff_t{64}})
        while (aEnd - a >= block && std::memcmp(a, b, static_cast<size_t>(block)) == 0)
            a += block, b += block;
    return std::mismatch(a, aEnd, b);
}

// Adds the runs of differing bytes of a and b (n bytes each, at offset in the file) to changes.
void AddChangedRuns(uint64_t offset, const uint8_t* a, const uint8_t* b, size_t n,
                    std::vector<RangeChange>& changes)
{
    const uint8_t* const aEnd = a + n;
    auto [from, to] = FirstDifference(a, aEnd, b);
    while (from != aEnd) {
        const auto [end, toEnd] = std::mismatch(from, aEnd, to, std::not_equal_to<>());
        changes.push_back({static_cast<uint32_t>(offset + static_cast<size_t>(from - a)), Bytes(from, end),
                           Bytes(to, toEnd)});
        std::tie(from, to) = FirstDifference(end, aEnd, toEnd);
    }
}
} // namespace

ImagePatch DiffContents(const Bytes& before, const Bytes& after)
{
    ImagePatch patch;
    patch.oldSize = before.size();
    patch.newSize = after.size();
    const size_t common = std::min(before.size(), after.size());
    AddChangedRuns(0, before.data(), after.data(), common, patch.changes);
    patch.oldTail.assign(before.begin() + static_cast<long>(common), before.end());
    patch.newTail.assign(after.begin() + static_cast<long>(common), after.end());
    return patch;
}

Bytes EncodeJournal(const Journal& j)
{
    // magic, device, inode, old size, new size, range count, then per range its offset, the
    // lengths of its old and new bytes and the bytes; last a checksum of all before it.
    Bytes out(kMagic, kMagic + sizeof kMagic);
    for (const uint64_t v : {j.device, j.inode, j.oldSize, j.newSize})
        PutLe(out, v, 8);
    PutLe(out, j.ranges.size(), 4);
    for (const JournalRange& r : j.ranges) {
        PutLe(out, r.offset, 8);
        PutLe(out, r.before.size(), 4);
        PutLe(out, r.after.size(), 4);
        out.insert(out.end(), r.before.begin(), r.before.end());
        out.insert(out.end(), r.after.begin(), r.after.end());
    }
    PutLe(out, Fnv1a(out.data(), out.size()), 8);
    return out;
}

JournalForm DecodeJournal(const Bytes& in, Journal& j)
{
    j = Journal();
    const size_t magic = sizeof kMagic;
    // Written in one go from the start: a prefix of the magic is a journal cut short.
    if (!std::equal(in.begin(), in.begin() + static_cast<long>(std::min(in.size(), magic)), kMagic))
        return JournalForm::Foreign;
    constexpr size_t kHeader = sizeof kMagic + 4 * 8 + 4;
    if (in.size() < kHeader + 8)
        return JournalForm::CutShort;
    const size_t body = in.size() - 8;
    if (GetLe(in, body, 8) != Fnv1a(in.data(), body))
        return JournalForm::CutShort;
    j.device = GetLe(in, 8, 8);
    j.inode = GetLe(in, 16, 8);
    j.oldSize = GetLe(in, 24, 8);
    j.newSize = GetLe(in, 32, 8);
    const uint64_t count = GetLe(in, 40, 4);
    if (j.oldSize > kMaximumImageSize || j.newSize > kMaximumImageSize)
        return JournalForm::Foreign;
    size_t at = kHeader;
    uint64_t end = 0; // ranges come in order and never overlap, as a save writes them
    for (uint64_t i = 0; i < count; ++i) {
        if (body - at < 16)
            return JournalForm::Foreign;
        JournalRange r;
        r.offset = GetLe(in, at, 8);
        const uint64_t before = GetLe(in, at + 8, 4), after = GetLe(in, at + 12, 4);
        at += 16;
        if (body - at < before || body - at - before < after || r.offset > kMaximumImageSize ||
            r.offset + before > j.oldSize || r.offset + after > j.newSize || r.offset < end)
            return JournalForm::Foreign;
        end = r.offset + std::max(before, after);
        r.before.assign(in.begin() + static_cast<long>(at), in.begin() + static_cast<long>(at + before));
        at += before;
        r.after.assign(in.begin() + static_cast<long>(at), in.begin() + static_cast<long>(at + after));
        at += after;
        j.ranges.push_back(std::move(r));
    }
    return at == body ? JournalForm::Whole : JournalForm::Foreign;
}

std::vector<RangeChange> ChangedRanges(const std::vector<ImagePart>& before,
                                       const std::vector<ImagePart>& after)
{
    std::vector<RangeChange> changes;
    for (size_t p = 0; p < before.size() && p < after.size(); ++p)
        AddChangedRuns(before[p].offset, before[p].bytes.data(), after[p].bytes.data(),
                       std::min(before[p].bytes.size(), after[p].bytes.size()), changes);
    return changes;
}

namespace {
// Where this user's saves of path put their journals.
std::vector<std::string> OwnJournalPaths(const std::string& real)
{
    std::vector<std::string> paths = {real + kJournalSuffix, DataFile(real, kJournalFolder, kJournalSuffix)};
    const FileIdentity id = IdentifyFile(real);
    if (id.Known())
        paths.push_back(IdentityFile(id, kJournalFolder, kJournalSuffix));
    return paths;
}

// The journal the image is marked with when it is not where this user's saves put theirs: a save
// by another user, or by this user with another data folder.
std::string ForeignMark(const std::string& real, const std::vector<std::string>& own)
{
    const std::string marked = MarkOf(real);
    if (marked.empty() || std::find(own.begin(), own.end(), marked) != own.end())
        return {};
    // Only a journal of this very file, in a data folder as saves make them: the mark is no way to
    // have some other file read or removed.
    const QFileInfo journal(TextArg(marked));
    const QString expected =
        QFileInfo(TextArg(IdentityFile(IdentifyFile(real), kJournalFolder, kJournalSuffix))).fileName();
    const bool likeOurs = journal.isAbsolute() && journal.fileName() == expected &&
                          marked.find(std::string("/dravik/") + kJournalFolder + "/") != std::string::npos;
    return likeOurs ? marked : std::string();
}
} // namespace

std::vector<std::string> JournalPaths(const std::string& path)
{
    const std::string real = RealPath(path);
    std::vector<std::string> paths = OwnJournalPaths(real);
    if (const std::string foreign = ForeignMark(real, paths); !foreign.empty())
        paths.push_back(foreign);
    return paths;
}

std::string PendingJournal(const std::string& path)
{
    for (const std::string& j : JournalPaths(path))
        if (Look(j) != Presence::Missing)
            return j;
    return {};
}

bool JournalPending(const std::string& path) { return !PendingJournal(path).empty(); }

std::optional<Error> PatchInPlace(const std::string& path, uint64_t imageSize,
                                  const std::vector<RangeChange>& changes, FileOps& ops)
{
    ImagePatch patch;
    patch.oldSize = patch.newSize = imageSize;
    patch.changes = changes;
    return PatchInPlace(path, patch, ops);
}

std::optional<Error> PatchInPlace(const std::string& path, const ImagePatch& patch, FileOps& ops)
{
    const auto fail = [&](std::string why, int cause = 0) {
        return Error::Saving(path, std::move(why), cause);
    };
    const Journal journal = JournalOf(path, patch);
    const Bytes data = EncodeJournal(journal);
    const bool resize = patch.oldSize != patch.newSize;

    // Readers wait while the journal exists: what they read is the file before or after.
    ContentLock hold;
    if (const std::optional<Error> held = hold.Take(path, true, ContentLock::kWaitMs))
        return fail(Fill(Files::tr("%1文件没有改动。"), Describe(*held)), held->systemError);
    if (const std::string changed = ChangedSinceRead(path, patch); !changed.empty())
        return fail(
            Fill(Files::tr("文件在读取之后被另一个程序改动了（%1），这次保存什么也没有写，文件保持那个程"
                           "序改动后的样子。请重新打开后再试。"),
                 changed));

    // 1. The old and new bytes go to a journal, durable before the image is touched.
    std::string journalPath = SideFilePlace(path, ops, kJournalFolder, kJournalSuffix, true);
    int result = WriteJournal(ops, journalPath, data);
    if (NotBeside(result) && journalPath == RealPath(path) + kJournalSuffix) {
        journalPath = SideFilePlace(path, ops, kJournalFolder, kJournalSuffix, false);
        result = WriteJournal(ops, journalPath, data);
    }
    if (result == -EEXIST) {
        return fail(
            Fill(
                Files::tr("已经有一个名为 %1 的文件，它不是这次保存写的保存日志。文件没有改动。请检查后删除它"
                          "再保存。"),
                journalPath),
            EEXIST);
    }
    if (result != 0) {
        ops.Remove(journalPath);
        return fail(Fill(Files::tr("无法写入保存日志 %1：%2。文件没有改动。"), journalPath, Reason(result)),
                    -result);
    }
    const bool beside = journalPath == RealPath(path) + kJournalSuffix;
    if (!beside) {
        if (const int marked = Mark(ops, path, journalPath); marked != 0 && OthersMayOpen(path)) {
            ops.Remove(journalPath);
            return fail(Fill(
                Files::tr(
                    "保存日志不能写在文件旁边（文件夹不接受新文件，或文件有多个硬链接），只能写在你的数据文"
                    "件夹中（%1），别的用户打开这个文件时看不到它；而这里不能在文件上留下指向它的标记（%2）。"
                    "别的用户也能打开这个文件，保存万一中断就会被他们忽略，所以不保存。文件没有改动。请另存"
                    "到你能写入的文件夹，或让文件夹可以写入。"),
                journalPath, Reason(marked)));
        }
    }
    const auto committed = [&] {
        if (!beside)
            Unmark(path, journalPath);
    };

    // 2. The new bytes, in place. A failure puts the old bytes back at once.
    bool touched = false;
    const auto rollBack = [&](const std::string& what, int cause) {
        const int restored =
            touched ? WriteRanges(ops, path, journal.ranges, false, patch.oldSize, resize) : 0;
        if (restored == 0) {
            if (ops.Remove(journalPath) == 0)
                committed();
            return fail(Fill(touched ? Files::tr("%1：%2。已写回原来的字节，文件没有改动。")
                                     : Files::tr("%1：%2。文件没有改动。"),
                             what, Reason(cause)),
                        -cause);
        }
        return fail(
            Fill(Files::tr("%1：%2；写回原来的字节也失败：%3。文件可能只写入了一部分。保存日志 %4 已保留，"
                           "下次打开这个文件时会自动恢复为保存前的内容。"),
                 what, Reason(cause), Reason(restored), journalPath),
            -cause);
    };
    result = WriteRanges(ops, path, journal.ranges, true, patch.newSize, resize, &touched);
    if (result != 0)
        return rollBack(Fill(Files::tr("写入文件时出错")), result);

    // 3. Removing the journal commits the save.
    result = ops.Remove(journalPath);
    if (result != 0) {
        // A journal left behind would undo this save at the next Open: undo it now instead.
        const int restored = WriteRanges(ops, path, journal.ranges, false, patch.oldSize, resize);
        if (restored == 0)
            return fail(Fill(Files::tr("无法删除保存日志 %1：%2。已写回原来的字节，文件没有改动。"),
                             journalPath, Reason(result)),
                        -result);
        return fail(
            Fill(Files::tr("无法删除保存日志 %1：%2。文件已写入新内容，但下次打开时会按保存日志恢复为保存"
                           "前的内容。"),
                 journalPath, Reason(result)),
            -result);
    }
    committed();
    ops.FlushFolder(FolderOf(journalPath));
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
        if (const std::string why = Mismatch(journal, path); !why.empty()) {
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
    const std::string real = RealPath(path);
    std::string lockPath = SideFilePlace(path, ops, "locks", ".lock", true);
    for (;;) {
        // A lock file is read to tell a live holder from a dead one: never a link, a FIFO or a
        // large file.
        Bytes content;
        const std::optional<Error> odd = ReadSideFile(lockPath, kMaximumLockSize, content);
        if (odd && NotBeside(-odd->systemError) && lockPath == real + ".lock") {
            lockPath = SideFilePlace(path, ops, "locks", ".lock", false);
            continue;
        }
        // A name on the way that is no folder: there is no lock yet, and making one says why.
        if (odd && !odd->Missing() && odd->systemError != ENOTDIR)
            return Error::Failure(
                Fill(Files::tr("锁文件 %1 不是本程序的锁：%2请检查后删除它。"), lockPath, Describe(*odd)),
                lockPath, odd->systemError);
        lock_ = std::make_unique<QLockFile>(TextArg(lockPath));
        if (lock_->tryLock(timeoutMs))
            return std::nullopt;
        const QLockFile::LockError failure = lock_->error();
        lock_.reset();
        if (failure == QLockFile::LockFailedError) {
            return Error::Failure(
                Fill(Files::tr("另一个程序正在保存这个文件（锁文件 %1），请稍后再试。"), lockPath), lockPath,
                EBUSY);
        }
        // The reason Qt keeps to itself: try making the file the same way.
        int reason = ops.CreateNew(lockPath);
        if (reason >= 0) {
            ops.Close(reason);
            ops.Remove(lockPath);
            reason = -EIO;
        }
        if (NotBeside(reason) && lockPath == real + ".lock") {
            lockPath = SideFilePlace(path, ops, "locks", ".lock", false);
            continue;
        }
        return Error::Failure(Fill(Files::tr("无法创建锁文件 %1：%2。"), lockPath, Reason(reason)), lockPath,
                              -reason);
    }
}

std::optional<Error> ImageWriter::Begin(const std::string& path, int timeoutMs)
{
    path_ = path;
    begun_ = true;
    const QFileInfo info(TextArg(path));
    existed_ = info.exists() || info.isSymLink();
    if (!existed_)
        return std::nullopt;
    if (!info.isFile())
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
    if (!QFileInfo(TextArg(path_)).isWritable())
        return Error::Writing(path_, EACCES, Fill(Files::tr("文件是只读的（没有写入权限），文件没有改动")));
    QFile file(TextArg(path_));
    Bytes current;
    const FileIdentity id = IdentifyFile(path_);
    if (!file.open(QIODevice::ReadOnly) || id.size > kMaximumImageSize ||
        ReadAt(file, 0, id.size, current) != 0 || current.size() != id.size) {
        return Error::Reading(path_, EIO, Fill(Files::tr("%1。文件没有改动"), file.errorString()));
    }
    file.close();
    const ImagePatch patch = DiffContents(current, image);
    if (!patch.Empty())
        if (std::optional<Error> failed = PatchInPlace(path_, patch, *ops_))
            return failed;
    changed_ = patch.ChangedBytes();
    return std::nullopt;
}

} // namespace dravik::rom
