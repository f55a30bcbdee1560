#include "cli/PlainPatch.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "i18n/LocaleName.h"
#include "rom/ImageBytes.h"
#include "rom/IpsBytes.h"
#include "rom/JournalFiles.h"
#include "rom/SystemFiles.h"

namespace dravik::cli {

namespace {
// As the full command line reads inputs (rom/PatchFiles.h, ReadWholeFile).
constexpr uint64_t kMaximumInput = rom::kMaximumImageSize;

// Arguments the full command line takes as they are: not an option, UTF-8 that decodes without
// loss, and no leading byte-order mark (Qt drops one).
bool PlainArgument(std::string_view text)
{
    if (text.empty() || text[0] == '-' || text.substr(0, 3) == "\xEF\xBB\xBF")
        return false;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        // Overlong forms, surrogates and values past U+10FFFF do not decode as they are.
        const auto next = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
        if ((length == 2 && c < 0xC2) || (length == 3 && c == 0xE0 && next < 0xA0) ||
            (length == 3 && c == 0xED && next >= 0xA0) || (length == 4 && c == 0xF0 && next < 0x90) ||
            (length == 4 && (c > 0xF4 || (c == 0xF4 && next >= 0x90))))
            return false;
        i += length;
    }
    return true;
}

// OUT named *.ips in any case, as the format is chosen from the name.
bool NamesIps(std::string_view path)
{
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    if (name.size() < 5 || name[0] == '.' || name[name.size() - 4] != '.')
        return false;
    for (size_t k = 0; k < 3; ++k)
        if ((name[name.size() - 3 + k] | 0x20) != "ips"[k])
            return false;
    return true;
}

// Where the success line can only fail as it does for the full command line: a terminal, a pipe or
// /dev/null, and a closed pipe ends the process (a full disk or device under a redirection, or a
// closed pipe that does not, is the full command line's to report).
bool PlainOutput()
{
    struct sigaction pipe {};
    if (::sigaction(SIGPIPE, nullptr, &pipe) != 0 || pipe.sa_handler == SIG_IGN)
        return false;
    struct stat out {};
    struct stat null {};
    if (::fstat(STDOUT_FILENO, &out) != 0)
        return false;
    if (S_ISFIFO(out.st_mode) || S_ISSOCK(out.st_mode) || ::isatty(STDOUT_FILENO))
        return true;
    return S_ISCHR(out.st_mode) && ::stat("/dev/null", &null) == 0 && out.st_rdev == null.st_rdev;
}

struct Input {
    int fd = -1;                      // open under a shared hold until read, or until the request ends
    std::unique_ptr<uint8_t[]> bytes; // not cleared before the read fills it
    size_t size = 0;
    struct stat identity {};

    Input() = default;
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;
    ~Input()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens a plain file under a shared hold, as the full command line reads its inputs; false for
// anything else (missing, not a regular file, busy with a save, too large).
bool OpenInput(const char* path, Input& input)
{
    input.fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (input.fd < 0 || ::fstat(input.fd, &input.identity) != 0 || !S_ISREG(input.identity.st_mode) ||
        static_cast<uint64_t>(input.identity.st_size) > kMaximumInput ||
        (::flock(input.fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) || rom::JournalPending(path))
        return false;
    input.size = static_cast<size_t>(input.identity.st_size);
    return true;
}

// Reads size bytes at offset; false for an error or a file that ends before.
bool ReadAt(int fd, uint64_t offset, uint8_t* bytes, size_t size)
{
    while (size > 0) {
        const ssize_t got = ::pread(fd, bytes, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<size_t>(got);
        offset += static_cast<uint64_t>(got);
    }
    return true;
}

bool WriteAt(int fd, const uint8_t* data, size_t size, uint64_t offset)
{
    while (size > 0) {
        const ssize_t wrote = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        data += wrote;
        size -= static_cast<size_t>(wrote);
        offset += static_cast<uint64_t>(wrote);
    }
    return true;
}

// The whole of an input (OpenInput), its hold released once read; a file that grew is seen.
bool ReadInput(const char* path, Input& input)
{
    if (!OpenInput(path, input))
        return false;
    input.bytes.reset(new uint8_t[input.size]);
    uint8_t past = 0;
    const bool ok =
        ReadAt(input.fd, 0, input.bytes.get(), input.size) && ::pread(input.fd, &past, 1, input.size) == 0;
    ::close(input.fd);
    input.fd = -1;
    return ok;
}

// The file an input still is: the size it was opened with, and no more.
bool Unchanged(const Input& input)
{
    struct stat now {};
    return ::fstat(input.fd, &now) == 0 && now.st_size == input.identity.st_size;
}

// A new file beside path for its new content, under a name no other process uses now (one left by
// a process that ended makes this one hand over); -1 where it cannot be made.
int CreateBeside(const char* path, std::string& temporary)
{
    temporary = std::string(path) + ".tmp" + std::to_string(::getpid() % 1000000);
    return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
}

// Ends what CreateBeside began as the full command line ends it (rom/SystemFiles.h, ReplaceFile):
// the new file flushed once and renamed over path when ok, else removed.
bool RenameOver(const char* path, int fd, const std::string& temporary, bool ok)
{
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

// A new file at path as the full command line writes it: a replaced file's permission bits kept.
// Only over nothing, or where mayReplace over a regular file this user owns and may write that is
// neither input.
bool WriteOutput(const char* path, const std::vector<uint8_t>& bytes, bool mayReplace, const Input& a,
                 const Input& b)
{
    struct stat old {};
    const bool exists = ::lstat(path, &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists &&
        (!mayReplace || !S_ISREG(old.st_mode) || old.st_uid != ::geteuid() || ::access(path, W_OK) != 0))
        return false;
    for (const Input* input : {&a, &b})
        if (exists && old.st_dev == input->identity.st_dev && old.st_ino == input->identity.st_ino)
            return false;
    std::string temporary;
    const int fd = CreateBeside(path, temporary);
    if (fd < 0)
        return false;
    return RenameOver(path, fd, temporary,
                      (!exists || ::fchmod(fd, old.st_mode & 0777) == 0) &&
                          WriteAt(fd, bytes.data(), bytes.size(), 0));
}

// patch A B OUT.ips
int PatchIps(char** argv, bool english)
{
    Input a, b;
    if (!ReadInput(argv[2], a) || !ReadInput(argv[3], b))
        return kHandOver;
    std::vector<uint8_t> patch;
    if (rom::MakeIpsPatch(a.bytes.get(), a.size, b.bytes.get(), b.size, patch) ||
        !WriteOutput(argv[4], patch, true, a, b))
        return kHandOver;
    std::printf(english ? "Wrote %s (ips, %zu bytes)\n" : "已写入 %s（ips，%zu 字节）\n", argv[4],
                patch.size());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Whether the patched image is one the plain path may write: not empty, not too large, from an
// image that is plausible (at reads its bytes), its copier header kept where it has one (head and
// targetHead: the first kCopierHeaderSize bytes of each, as far as they go).
bool MayWrite(const rom::ByteAt& at, uint64_t imageSize, const uint8_t* head, const uint8_t* targetHead,
              size_t targetSize)
{
    return targetSize > 0 && targetSize <= rom::kMaximumImageSize && rom::IsPlausibleImage(at, imageSize) &&
           (!rom::HasCopierHeader(imageSize) ||
            rom::KeepsCopierHeader(head, imageSize, targetHead, targetSize));
}

// Records closer than this are read, patched and written together: copying a page costs less than
// another call to the system.
constexpr size_t kJoin = 4096;

// Applies the patch to the image into a new file at path. The image is copied into it by the
// system, so that its bytes need not pass through this process (and a file system that shares
// blocks between files shares them); only the stretches the patch writes are read, patched here
// and written over the copy.
bool WritePatchedCopy(const char* path, const Input& image, const Input& patch, size_t& size)
{
    std::vector<rom::IpsStretch> stretches;
    if (rom::PlanIpsPatch(patch.bytes.get(), patch.size, image.size, kJoin, size, &stretches))
        return false;
    size_t total = 0;
    for (const rom::IpsStretch& s : stretches)
        total += s.size;
    // What the target holds in each stretch before the records write it.
    const std::unique_ptr<uint8_t[]> bytes(new uint8_t[total]);
    uint8_t* at = bytes.get();
    for (const rom::IpsStretch& s : stretches) {
        const size_t held = s.offset < image.size ? std::min(s.size, image.size - s.offset) : 0;
        if (!ReadAt(image.fd, s.offset, at, held))
            return false;
        std::memset(at + held, 0, s.size - held);
        at += s.size;
    }
    rom::WriteIpsRecords(patch.bytes.get(), patch.size, stretches, bytes.get());
    // The copier headers: the image's, and the target's where the stretches write over it.
    uint8_t head[rom::kCopierHeaderSize] = {}, targetHead[rom::kCopierHeaderSize] = {};
    if (!ReadAt(image.fd, 0, head, std::min<size_t>(image.size, sizeof head)))
        return false;
    std::memcpy(targetHead, head, sizeof head);
    at = bytes.get();
    for (const rom::IpsStretch& s : stretches) {
        if (s.offset < sizeof targetHead)
            std::memcpy(targetHead + s.offset, at, std::min(s.size, sizeof targetHead - s.offset));
        at += s.size;
    }
    const auto byteAt = [&](uint32_t offset) {
        uint8_t byte = 0;
        return offset < image.size && ::pread(image.fd, &byte, 1, offset) == 1 ? int{byte} : -1;
    };
    if (!MayWrite(byteAt, image.size, head, targetHead, size))
        return false;
    std::string temporary;
    const int fd = CreateBeside(path, temporary);
    if (fd < 0)
        return false;
    const size_t kept = std::min(image.size, size);
    uint64_t copied = 0;
    bool ok = rom::CopyBytes(image.fd, fd, kept, copied) == 0 && copied == kept && Unchanged(image) &&
              (size == kept || ::ftruncate(fd, static_cast<off_t>(size)) == 0);
    at = bytes.get();
    for (const rom::IpsStretch& s : stretches) {
        ok = ok && WriteAt(fd, at, s.size, s.offset);
        at += s.size;
    }
    return RenameOver(path, fd, temporary, ok);
}

// apply IMAGE PATCH.ips OUT. A new OUT is written beside its name and renamed into place. An
// existing OUT is changed in place as the full command line changes it (rom/JournalFiles.h): its
// save lock taken before anything is read, then only the bytes that differ written under the
// journal. Whatever the full command line would say something about is its own: a busy lock or an
// interrupted save of OUT, an OUT that is no plain writable file or that is the patch itself, any
// failure, every other patch and an image that is not plausible or whose copier header the patch
// would write into.
int ApplyIps(char** argv, bool english)
{
    struct stat out {};
    struct stat patchFile {};
    const bool exists = ::lstat(argv[4], &out) == 0;
    if ((!exists && errno != ENOENT) || (exists && ::stat(argv[3], &patchFile) == 0 &&
                                         patchFile.st_dev == out.st_dev && patchFile.st_ino == out.st_ino))
        return kHandOver;
    rom::LockFile lock; // released before any hand-over
    if (exists &&
        (!S_ISREG(out.st_mode) || ::access(argv[4], W_OK) != 0 ||
         rom::AcquireSaveLock(argv[4], *rom::SystemFileOps(), 0, lock) || rom::JournalPending(argv[4])))
        return kHandOver;
    Input image, patch;
    if (!(exists ? ReadInput(argv[2], image) : OpenInput(argv[2], image)) || !ReadInput(argv[3], patch) ||
        !rom::IsIpsPatch(patch.bytes.get(), patch.size))
        return kHandOver;
    size_t size = 0;
    if (!exists) {
        if (!WritePatchedCopy(argv[4], image, patch, size))
            return kHandOver;
    } else {
        std::vector<uint8_t> target;
        if (rom::ApplyIpsPatch(patch.bytes.get(), patch.size, image.bytes.get(), image.size, target) ||
            !MayWrite([&](uint32_t offset) { return offset < image.size ? int{image.bytes[offset]} : -1; },
                      image.size, image.bytes.get(), target.data(), target.size()) ||
            rom::WriteInPlace(argv[4], target.data(), target.size(), *rom::SystemFileOps()))
            return kHandOver;
        size = target.size();
    }
    std::printf(english ? "Applied %s to %s: wrote %s (%zu bytes)\n"
                        : "已把 %s 打到 %s 上：写入 %s（%zu 字节）\n",
                argv[3], argv[2], argv[4], size);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
} // namespace

int RunPlainRequest(int argc, char** argv)
{
    if (argc != 5 || (std::strcmp(argv[1], "patch") != 0 && std::strcmp(argv[1], "apply") != 0))
        return kHandOver;
    for (int i = 2; i < argc; ++i)
        if (!PlainArgument(argv[i]))
            return kHandOver;
    const char* locale = i18n::MessagesLocaleSetting();
    if (!locale || !PlainOutput())
        return kHandOver;
    // Success lines in the words of the full command line's PatchCommand and ApplyCommand.
    const bool english = i18n::IsEnglishLocale(locale);
    if (argv[1][0] == 'a')
        return ApplyIps(argv, english);
    return NamesIps(argv[4]) ? PatchIps(argv, english) : kHandOver;
}

} // namespace dravik::cli
