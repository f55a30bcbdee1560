#include "rom/JournalFiles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace dravik::rom {

namespace {
uint32_t Rotl(uint32_t v, int n) { return (v << n) | (v >> (32 - n)); }
} // namespace

std::string Sha1Hex(const std::string& bytes)
{
    uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    std::string m = bytes;
    const uint64_t bits = static_cast<uint64_t>(bytes.size()) * 8;
    m.push_back(static_cast<char>(0x80));
    while (m.size() % 64 != 56)
        m.push_back(0);
    for (int i = 7; i >= 0; --i)
        m.push_back(static_cast<char>(bits >> (8 * i)));
    for (size_t block = 0; block < m.size(); block += 64) {
        uint32_t w[80];
        for (int i = 0; i < 16; ++i) {
            const auto* p = reinterpret_cast<const unsigned char*>(m.data() + block + 4 * i);
            w[i] = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
        }
        for (int i = 16; i < 80; ++i)
            w[i] = Rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
        uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
        for (int i = 0; i < 80; ++i) {
            const uint32_t f = i < 20   ? (b & c) | (~b & d)
                               : i < 40 ? b ^ c ^ d
                               : i < 60 ? (b & c) | (b & d) | (c & d)
                                        : b ^ c ^ d;
            const uint32_t k = i < 20 ? 0x5A827999 : i < 40 ? 0x6ED9EBA1 : i < 60 ? 0x8F1BBCDC : 0xCA62C1D6;
            const uint32_t t = Rotl(a, 5) + f + e + k + w[i];
            e = d, d = c, c = Rotl(b, 30), b = a, a = t;
        }
        h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
    }
    char hex[41];
    for (int i = 0; i < 5; ++i)
        std::snprintf(hex + 8 * i, 9, "%08x", h[i]);
    return std::string(hex, 40);
}

namespace {
std::string XdgDataHome()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data)
        return data;
    const char* home = std::getenv("HOME");
    std::string folder = home && *home ? home : "";
    if (folder.empty())
        if (const passwd* user = ::getpwuid(::geteuid()); user && user->pw_dir)
            folder = user->pw_dir;
    return (folder.empty() ? std::string("/") : folder) + "/.local/share";
}

DataHomeSource dataHomeSource = &XdgDataHome;

std::string DataFolder(const char* kind, bool create)
{
    // Shared by the window and the command line, whatever their program names.
    const std::string folder = DataHome() + "/dravik/" + kind;
    if (create) {
        for (size_t at = folder.find('/', 1); at != std::string::npos; at = folder.find('/', at + 1))
            ::mkdir(folder.substr(0, at).c_str(), 0777);
        ::mkdir(folder.c_str(), 0777);
    }
    return folder;
}

// A side file in the data folder named after the image's real path.
std::string DataFile(const std::string& realPath, const char* kind, const char* suffix, bool create = false)
{
    return DataFolder(kind, create) + "/" + Sha1Hex(realPath) + suffix;
}

// A side file in the data folder named after the file itself, the same from any of its names.
std::string IdentityName(const FileIdentity& id, const char* suffix)
{
    return "file-" + std::to_string(id.device) + "-" + std::to_string(id.inode) + suffix;
}
std::string IdentityFile(const FileIdentity& id, const char* kind, const char* suffix, bool create = false)
{
    return DataFolder(kind, create) + "/" + IdentityName(id, suffix);
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

// Whether a user other than this process's may open the file (read or write it).
bool OthersMayOpen(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return true;
    return st.st_uid != ::geteuid() || (st.st_mode & 066) != 0;
}

enum class Presence { Missing, Present, Unknown };
// Whether a file (or a link, or anything) has that name; Unknown where it cannot be seen, as in
// another user's private folder.
Presence Look(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return Presence::Present;
    return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG ? Presence::Missing
                                                                        : Presence::Unknown;
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// The call just made failed: its error number, negative (-EIO where the system kept none).
int Failed() { return errno != 0 ? -errno : -EIO; }
} // namespace

std::string DataHome() { return dataHomeSource(); }

DataHomeSource SetDataHomeSource(DataHomeSource source)
{
    const DataHomeSource before = dataHomeSource;
    dataHomeSource = source ? source : &XdgDataHome;
    return before;
}

std::string MarkOf(const std::string& image)
{
#if defined(__linux__)
    char value[4096];
    const ssize_t n = ::getxattr(image.c_str(), kJournalMark, value, sizeof value);
    if (n > 0)
        return std::string(value, static_cast<size_t>(n));
#else
    (void)image;
#endif
    return {};
}

void Unmark(const std::string& image, const std::string& journal)
{
#if defined(__linux__)
    if (MarkOf(image) == journal)
        ::removexattr(image.c_str(), kJournalMark);
#else
    (void)image;
    (void)journal;
#endif
}

bool OwnedByAnother(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && st.st_uid != ::geteuid();
}

std::vector<std::string> OwnJournalPaths(const std::string& real)
{
    std::vector<std::string> paths = {real + kJournalSuffix, DataFile(real, kJournalFolder, kJournalSuffix)};
    const FileIdentity id = IdentifyFile(real);
    if (id.Known())
        paths.push_back(IdentityFile(id, kJournalFolder, kJournalSuffix));
    return paths;
}

std::string ForeignMark(const std::string& real, const std::vector<std::string>& own)
{
    const std::string marked = MarkOf(real);
    if (marked.empty() || std::find(own.begin(), own.end(), marked) != own.end())
        return {};
    // Only a journal of this very file, in a data folder as saves make them: the mark is no way to
    // have some other file read or removed.
    const bool likeOurs = marked[0] == '/' &&
                          FileName(marked) == IdentityName(IdentifyFile(real), kJournalSuffix) &&
                          marked.find(std::string("/dravik/") + kJournalFolder + "/") != std::string::npos;
    return likeOurs ? marked : std::string();
}

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

int WriteRanges(FileOps& ops, const std::string& path, const std::vector<JournalRange>& ranges, bool after,
                uint64_t size, bool resize, bool* touched)
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

namespace {
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

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
// the save lock, another user's or another program's, changed it since it was read).
SaveFault ChangedSinceRead(const std::string& path, const ImagePatch& patch)
{
    SaveFault fault;
    const FileIdentity id = IdentifyFile(path);
    if (id.size != patch.oldSize) {
        fault.step = SaveFault::Step::SizeChanged;
        fault.offset = patch.oldSize;
        fault.found = id.size;
        return fault;
    }
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (file.fd < 0) {
        fault.step = SaveFault::Step::Unreadable;
        fault.cause = errno;
        return fault;
    }
    const auto changed = [&](uint64_t offset) {
        fault.step = SaveFault::Step::BytesChanged;
        fault.offset = offset;
        return fault;
    };
    // Runs close together are read as one stretch: a call to the system costs more than reading
    // the bytes between them.
    constexpr uint64_t kJoin = 4096;
    const std::vector<RangeChange>& runs = patch.changes;
    Bytes present;
    for (size_t i = 0, next = 0; i < runs.size(); i = next) {
        const uint64_t begin = runs[i].offset;
        uint64_t end = begin + runs[i].before.size();
        for (next = i + 1;
             next < runs.size() && runs[next].offset >= begin && runs[next].offset <= end + kJoin; ++next)
            end = std::max<uint64_t>(end, runs[next].offset + runs[next].before.size());
        if (ReadAt(file.fd, begin, end - begin, present) != 0)
            return changed(begin);
        for (size_t k = i; k < next; ++k) {
            const uint64_t at = runs[k].offset - begin, length = runs[k].before.size();
            if (at + length > present.size() || !std::equal(runs[k].before.begin(), runs[k].before.end(),
                                                            present.begin() + static_cast<long>(at)))
                return changed(runs[k].offset);
        }
    }
    if (ReadAt(file.fd, patch.newSize, patch.oldTail.size(), present) != 0 || present != patch.oldTail)
        return changed(patch.newSize);
    return fault;
}

SaveFault Fault(SaveFault::Step step, int cause = 0, std::string journal = {})
{
    SaveFault fault;
    fault.step = step;
    fault.cause = cause;
    fault.journal = std::move(journal);
    return fault;
}
} // namespace

Mismatch RollBackMismatch(const Journal& j, const std::string& path)
{
    Mismatch m;
    const FileIdentity id = IdentifyFile(path);
    if (!id.exists) {
        m.kind = Mismatch::Kind::Gone;
        return m;
    }
    if (!id.SameFile({j.device, j.inode, 0, 0, true})) {
        m.kind = Mismatch::Kind::Replaced;
        return m;
    }
    const uint64_t low = std::min(j.oldSize, j.newSize), high = std::max(j.oldSize, j.newSize);
    if (id.size < low || id.size > high) {
        m.kind = Mismatch::Kind::Size;
        m.size = id.size;
        return m;
    }
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (file.fd < 0) {
        m.kind = Mismatch::Kind::Unreadable;
        m.cause = errno;
        return m;
    }
    Bytes present;
    for (const JournalRange& r : j.ranges) {
        const uint64_t length = std::max(r.before.size(), r.after.size());
        const uint64_t available = id.size > r.offset ? std::min(length, id.size - r.offset) : 0;
        if (ReadAt(file.fd, r.offset, available, present) != 0 || present.size() != available) {
            m.kind = Mismatch::Kind::Unreadable;
            return m;
        }
        if (!PartWritten(present.data(), present.size(), r.after, r.before) &&
            !PartWritten(present.data(), present.size(), r.before, r.after)) {
            m.kind = Mismatch::Kind::Bytes;
            m.offset = r.offset;
            m.length = length;
            return m;
        }
    }
    return m;
}

SaveFault PatchUnderJournal(const std::string& path, const ImagePatch& patch, FileOps& ops)
{
    const Journal journal = JournalOf(path, patch);
    const Bytes data = EncodeJournal(journal);
    const bool resize = patch.oldSize != patch.newSize;

    // Readers wait while the journal exists: what they read is the file before or after.
    ContentHold hold;
    if (const int held = hold.Take(path, true, 10000); held != 0) {
        SaveFault fault = Fault(SaveFault::Step::Hold, -held);
        fault.mode = hold.Mode();
        return fault;
    }
    if (SaveFault changed = ChangedSinceRead(path, patch))
        return changed;

    // 1. The old and new bytes go to a journal, durable before the image is touched.
    const std::string beside = RealPath(path) + kJournalSuffix;
    std::string journalPath = SideFilePlace(path, ops, kJournalFolder, kJournalSuffix, true);
    int result = WriteJournal(ops, journalPath, data);
    if (NotBeside(result) && journalPath == beside) {
        journalPath = SideFilePlace(path, ops, kJournalFolder, kJournalSuffix, false);
        result = WriteJournal(ops, journalPath, data);
    }
    if (result == -EEXIST)
        return Fault(SaveFault::Step::NameTaken, EEXIST, journalPath);
    if (result != 0) {
        ops.Remove(journalPath);
        return Fault(SaveFault::Step::JournalWrite, -result, journalPath);
    }
    // A journal outside the image's folder is in the data folder of the user who saved, which other
    // users do not see. Such a save marks the image itself with the journal's path (kept by every
    // hard link), so any open learns that a save was cut short; on the disk before the image's bytes.
    const bool isBeside = journalPath == beside;
    if (!isBeside) {
        if (const int marked = ops.SetAttribute(path, kJournalMark, journalPath);
            marked != 0 && OthersMayOpen(path)) {
            ops.Remove(journalPath);
            return Fault(SaveFault::Step::NoMark, -marked, journalPath);
        }
    }
    const auto committed = [&] {
        if (!isBeside)
            Unmark(path, journalPath);
    };

    // 2. The new bytes, in place. A failure puts the old bytes back at once.
    bool touched = false;
    result = WriteRanges(ops, path, journal.ranges, true, patch.newSize, resize, &touched);
    if (result != 0) {
        SaveFault fault = Fault(SaveFault::Step::Write, -result, journalPath);
        fault.touched = touched;
        const int restored =
            touched ? WriteRanges(ops, path, journal.ranges, false, patch.oldSize, resize) : 0;
        fault.restoreCause = -restored;
        if (restored == 0 && ops.Remove(journalPath) == 0)
            committed();
        return fault;
    }

    // 3. Removing the journal commits the save.
    result = ops.Remove(journalPath);
    if (result != 0) {
        // A journal left behind would undo this save at the next open: undo it now instead.
        SaveFault fault = Fault(SaveFault::Step::Remove, -result, journalPath);
        fault.restoreCause = -WriteRanges(ops, path, journal.ranges, false, patch.oldSize, resize);
        return fault;
    }
    committed();
    ops.FlushFolder(FolderOf(journalPath));
    return {};
}

namespace {
// Reads a whole image file (at most kMaximumImageSize bytes) into a buffer the read fills, not
// cleared first.
SaveFault ReadImageFile(const std::string& path, std::unique_ptr<uint8_t[]>& bytes, size_t& size)
{
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    struct stat st {};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0)
        return Fault(SaveFault::Step::Unreadable, errno);
    if (static_cast<uint64_t>(st.st_size) > kMaximumImageSize) {
        SaveFault fault = Fault(SaveFault::Step::TooLarge, EFBIG);
        fault.found = static_cast<uint64_t>(st.st_size);
        return fault;
    }
    size = static_cast<size_t>(st.st_size);
    bytes.reset(new uint8_t[size + 1]);
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(file.fd, bytes.get() + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return Fault(SaveFault::Step::Unreadable, got < 0 ? errno : EIO);
        done += static_cast<size_t>(got);
    }
    return {};
}
} // namespace

SaveFault WriteInPlace(const std::string& path, const uint8_t* image, size_t size, FileOps& ops,
                       uint64_t* changed)
{
    std::unique_ptr<uint8_t[]> current;
    size_t currentSize = 0;
    if (SaveFault failed = ReadImageFile(path, current, currentSize))
        return failed;
    const ImagePatch patch = DiffContents(current.get(), currentSize, image, size);
    if (!patch.Empty())
        if (SaveFault failed = PatchUnderJournal(path, patch, ops))
            return failed;
    if (changed)
        *changed = patch.ChangedBytes();
    return {};
}

namespace {
// A lock holds a process id and a few names: anything longer is not one.
constexpr uint64_t kMaximumLockSize = 4096;
// A lock file older than this is stale whoever wrote it, as QLockFile has it by default.
constexpr int64_t kStaleLockMs = 30000;

std::string FirstWord(const std::string& file)
{
    Bytes bytes;
    if (ReadSideBytes(file, kMaximumLockSize, bytes) != 0 && ::access(file.c_str(), R_OK) == 0) {
        FILE* f = std::fopen(file.c_str(), "rb"); // under /proc and /etc links are fine
        if (f) {
            char buffer[256];
            const size_t n = std::fread(buffer, 1, sizeof buffer, f);
            std::fclose(f);
            bytes.assign(buffer, buffer + n);
        }
    }
    std::string word(bytes.begin(), bytes.end());
    return word.substr(0, word.find_first_of(" \t\r\n"));
}

std::string MachineId()
{
    for (const char* file : {"/etc/machine-id", "/var/lib/dbus/machine-id"})
        if (std::string id = FirstWord(file); !id.empty())
            return id;
    return {};
}

std::string BootId() { return FirstWord("/proc/sys/kernel/random/boot_id"); }

std::string HostName()
{
    utsname u{};
    return ::uname(&u) == 0 ? u.nodename : "";
}

// The name of the program a process runs, "" where there is no such process.
std::string ProgramOf(long pid)
{
    char link[64], target[4096];
    std::snprintf(link, sizeof link, "/proc/%ld/exe", pid);
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return {};
    std::string path(target, static_cast<size_t>(n));
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() &&
        path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    return FileName(path);
}

std::string Contents()
{
    return std::to_string(::getpid()) + "\n" + ProgramOf(::getpid()) + "\n" + HostName() + "\n" +
           MachineId() + "\n" + BootId() + "\n";
}

// Whether a lock file was left by a process that has ended (or is old enough to be).
bool ApparentlyStale(const std::string& path)
{
    Bytes bytes;
    if (ReadSideBytes(path, kMaximumLockSize, bytes) == 0) {
        std::vector<std::string> lines;
        std::string text(bytes.begin(), bytes.end());
        for (size_t at = 0; at < text.size() && lines.size() < 5;) {
            const size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
        lines.resize(5);
        char* end = nullptr;
        const long pid = lines[0].empty() ? 0 : std::strtol(lines[0].c_str(), &end, 10);
        if (pid > 0 && end && *end == '\0') {
            bool sameHost = lines[2].empty() || lines[2] == HostName();
            if (!lines[3].empty())
                if (const std::string ours = MachineId(); !ours.empty())
                    sameHost = ours == lines[3];
            if (sameHost) {
                if (!lines[4].empty() && lines[4] != BootId())
                    return true; // this host has started again since
                if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                    return true;
                if (ProgramOf(pid) != FileName(lines[1]))
                    return true; // the number is another program's now
            }
        }
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    const int64_t modified = int64_t(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    return std::llabs(now - modified) > kStaleLockMs;
}

// Removes a stale lock unless a process holds it.
bool RemoveStale(const std::string& path)
{
    const Descriptor file{::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)};
    return file.fd >= 0 && ::flock(file.fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0;
}
} // namespace

int LockFile::TryOnce()
{
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
    if (fd < 0)
        return errno == EEXIST ? -EBUSY : Failed();
    // Nobody removes the file as stale while it is held.
    ::flock(fd, LOCK_EX | LOCK_NB);
    const std::string text = Contents();
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            const int error = wrote < 0 ? Failed() : -EIO;
            ::unlink(path_.c_str());
            ::close(fd);
            return error;
        }
        done += static_cast<size_t>(wrote);
    }
    ::fdatasync(fd);
    fd_ = fd;
    return 0;
}

int LockFile::TryLock(const std::string& path, int timeoutMs)
{
    Release();
    path_ = path;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    auto pause = std::chrono::milliseconds(100);
    for (;;) {
        const int result = TryOnce();
        if (result != -EBUSY)
            return result;
        if (ApparentlyStale(path_)) {
            // Two processes never remove it at once.
            LockFile removing;
            if (removing.TryLock(path_ + ".rmlock", 0) == 0 && ApparentlyStale(path_) && RemoveStale(path_))
                continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= until)
            return -EBUSY;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, until - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(5000));
    }
}

void LockFile::Release()
{
    if (fd_ < 0)
        return;
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
}

LockFault AcquireSaveLock(const std::string& path, FileOps& ops, int timeoutMs, LockFile& lock)
{
    const std::string real = RealPath(path);
    LockFault fault;
    fault.lockPath = SideFilePlace(path, ops, "locks", ".lock", true);
    for (;;) {
        // A lock file is read to tell a live holder from a dead one: never a link, a FIFO or a
        // large file.
        Bytes content;
        const int odd = ReadSideBytes(fault.lockPath, kMaximumLockSize, content, &fault.read);
        if (odd != 0 && NotBeside(odd) && fault.lockPath == real + ".lock") {
            fault.lockPath = SideFilePlace(path, ops, "locks", ".lock", false);
            continue;
        }
        // A name on the way that is no folder: there is no lock yet, and making one says why.
        if (odd != 0 && odd != -ENOENT && odd != -ENOTDIR) {
            fault.step = LockFault::Step::NotALock;
            fault.cause = -odd;
            return fault;
        }
        const int result = lock.TryLock(fault.lockPath, timeoutMs);
        if (result == 0)
            return {};
        if (result == -EBUSY) {
            fault.step = LockFault::Step::Busy;
            fault.cause = EBUSY;
            return fault;
        }
        if (NotBeside(result) && fault.lockPath == real + ".lock") {
            fault.lockPath = SideFilePlace(path, ops, "locks", ".lock", false);
            continue;
        }
        fault.step = LockFault::Step::Create;
        fault.cause = -result;
        return fault;
    }
}

} // namespace dravik::rom
