#include "cli/PlainPatch.h"

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
    std::unique_ptr<uint8_t[]> bytes; // not cleared before the read fills it
    size_t size = 0;
    struct stat identity {};
};

// Reads a whole plain file under a shared hold, as the full command line does; false for anything
// else (missing, not a regular file, busy with a save, too large, changing).
bool ReadInput(const char* path, Input& input)
{
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    bool ok = ::fstat(fd, &input.identity) == 0 && S_ISREG(input.identity.st_mode) &&
              static_cast<uint64_t>(input.identity.st_size) <= kMaximumInput &&
              (::flock(fd, LOCK_SH | LOCK_NB) == 0 || errno != EWOULDBLOCK) && !rom::JournalPending(path);
    if (ok) {
        input.size = static_cast<size_t>(input.identity.st_size);
        input.bytes.reset(new uint8_t[input.size + 1]); // one more: a file that grew is seen
        size_t done = 0;
        while (ok && done <= input.size) {
            const ssize_t got = ::read(fd, input.bytes.get() + done, input.size + 1 - done);
            if (got == 0)
                break;
            if (got < 0 && errno == EINTR)
                continue;
            ok = got > 0;
            done += got > 0 ? static_cast<size_t>(got) : 0;
        }
        ok = ok && done == input.size;
    }
    ::close(fd);
    return ok;
}

bool WriteAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t wrote = ::write(fd, data, size);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        data += wrote;
        size -= static_cast<size_t>(wrote);
    }
    return true;
}

// A new file at path as the full command line writes it (rom/FileOps.h, ReplaceFile): a new file
// beside it, flushed once, renamed over the name; a replaced file's permission bits kept. Only over
// nothing, or where mayReplace over a regular file this user owns and may write that is neither input.
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
    // A name no other process uses now; one left by a process that ended makes this one hand over.
    const std::string temporary = std::string(path) + ".tmp" + std::to_string(::getpid() % 1000000);
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return false;
    bool ok = (!exists || ::fchmod(fd, old.st_mode & 0777) == 0) &&
              WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
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

// apply IMAGE PATCH.ips OUT. An existing OUT is changed in place as the full command line changes
// it (rom/JournalFiles.h): its save lock taken before anything is read, then only the bytes that
// differ written under the journal. Whatever the full command line would say something about is
// its own: a busy lock or an interrupted save of OUT, an OUT that is no plain writable file, any
// failure, every other patch and an image that is not plausible or whose copier header the patch
// would write into.
int ApplyIps(char** argv, bool english)
{
    struct stat out {};
    const bool exists = ::lstat(argv[4], &out) == 0;
    if (!exists && errno != ENOENT)
        return kHandOver;
    rom::LockFile lock; // released before any hand-over
    if (exists &&
        (!S_ISREG(out.st_mode) || ::access(argv[4], W_OK) != 0 ||
         rom::AcquireSaveLock(argv[4], *rom::SystemFileOps(), 0, lock) || rom::JournalPending(argv[4])))
        return kHandOver;
    Input image, patch;
    if (!ReadInput(argv[2], image) || !ReadInput(argv[3], patch) ||
        !rom::IsIpsPatch(patch.bytes.get(), patch.size) ||
        !rom::IsPlausibleImage(image.bytes.get(), image.size))
        return kHandOver;
    std::vector<uint8_t> target;
    if (rom::ApplyIpsPatch(patch.bytes.get(), patch.size, image.bytes.get(), image.size, target))
        return kHandOver;
    if (rom::HasCopierHeader(image.size) &&
        !rom::KeepsCopierHeader(image.bytes.get(), image.size, target.data(), target.size()))
        return kHandOver;
    if (target.empty() || target.size() > rom::kMaximumImageSize)
        return kHandOver;
    if (exists ? bool(rom::WriteInPlace(argv[4], target.data(), target.size(), *rom::SystemFileOps()))
               : !WriteOutput(argv[4], target, false, image, patch))
        return kHandOver;
    std::printf(english ? "Applied %s to %s: wrote %s (%zu bytes)\n"
                        : "已把 %s 打到 %s 上：写入 %s（%zu 字节）\n",
                argv[3], argv[2], argv[4], target.size());
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
