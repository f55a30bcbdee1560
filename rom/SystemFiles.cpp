#include "rom/SystemFiles.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace dravik::rom {

namespace {
// A new file, never through a link: 0644 less the umask.
int CreateNoFollow(const std::string& name)
{
    return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
}

// The call just made failed: its error number, negative (-EIO where the system kept none).
int Failed() { return errno != 0 ? -errno : -EIO; }
} // namespace

int FileOps::OpenExisting(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    return fd >= 0 ? fd : Failed();
}

int FileOps::CreateTruncated(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0644);
    return fd >= 0 ? fd : Failed();
}

int FileOps::CreateNew(const std::string& path)
{
    const int fd = CreateNoFollow(path);
    return fd >= 0 ? fd : Failed();
}

int FileOps::WriteAt(int fd, const uint8_t* data, size_t size, uint64_t offset)
{
    // A short write (a file-size limit reached part way) is continued, so the next call reports
    // why it stopped.
    while (size > 0) {
        const ssize_t done = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return Failed();
        if (done == 0)
            return -EIO;
        data += done;
        size -= static_cast<size_t>(done);
        offset += static_cast<uint64_t>(done);
    }
    return 0;
}

int FileOps::Resize(int fd, uint64_t size)
{
    return ::ftruncate(fd, static_cast<off_t>(size)) == 0 ? 0 : Failed();
}

int FileOps::Flush(int fd) { return ::fsync(fd) == 0 ? 0 : Failed(); }

int FileOps::Close(int fd) { return ::close(fd) == 0 || errno == EINTR ? 0 : Failed(); }

int FileOps::Remove(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : Failed(); }

int FileOps::FlushFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Failed();
    const int result = ::fsync(fd) == 0 || errno == EINVAL ? 0 : Failed(); // some file systems cannot
    ::close(fd);
    return result;
}

int FileOps::SetAttribute(const std::string& path, const char* name, const std::string& value)
{
#if defined(__linux__)
    if (::setxattr(path.c_str(), name, value.data(), value.size(), 0) != 0)
        return Failed();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    const int synced = fd >= 0 && ::fsync(fd) == 0 ? 0 : Failed();
    if (fd >= 0)
        ::close(fd);
    return synced;
#else
    (void)path;
    (void)name;
    (void)value;
    return -ENOTSUP;
#endif
}

bool FileOps::CanCreateIn(const std::string& folder)
{
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(folder.c_str(), W_OK) == 0;
}

std::shared_ptr<FileOps> SystemFileOps()
{
    static const std::shared_ptr<FileOps> ops = std::make_shared<FileOps>();
    return ops;
}

FileIdentity IdentifyFile(const std::string& path)
{
    FileIdentity id;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return id;
    id.device = static_cast<uint64_t>(st.st_dev);
    id.inode = static_cast<uint64_t>(st.st_ino);
    id.links = static_cast<uint64_t>(st.st_nlink);
    id.size = static_cast<uint64_t>(st.st_size);
    id.exists = true;
    return id;
}

namespace {
// An absolute name without "." and ".." parts and without doubled or trailing slashes.
std::string CleanAbsolute(const std::string& path)
{
    std::string absolute = path;
    if (absolute.empty() || absolute[0] != '/') {
        char here[PATH_MAX];
        absolute = std::string(::getcwd(here, sizeof here) ? here : "/") + "/" + path;
    }
    std::vector<std::string> parts;
    for (size_t at = 0; at < absolute.size();) {
        const size_t end = std::min(absolute.find('/', at), absolute.size());
        const std::string part = absolute.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string clean;
    for (const std::string& part : parts)
        clean += "/" + part;
    return clean.empty() ? "/" : clean;
}
} // namespace

std::string RealPath(const std::string& path)
{
    char real[PATH_MAX];
    if (!path.empty() && ::realpath(path.c_str(), real))
        return real;
    return CleanAbsolute(path);
}

std::string FolderOf(const std::string& path)
{
    const std::string absolute = CleanAbsolute(path);
    const size_t slash = absolute.find_last_of('/');
    return slash == 0 ? "/" : absolute.substr(0, slash);
}

bool IsRegular(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool NameExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// A file without any write permission bit is kept as it is even from the administrator, whom
// access() lets write anything: the same rule as the document's read-only state.
bool MayWrite(const std::string& path)
{
    struct stat st {};
    return ::access(path.c_str(), W_OK) == 0 && ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) != 0;
}

int WriteBesideThenRename(const std::string& path, const uint8_t* data, size_t size, Durable durable,
                          FileOps& ops)
{
    static std::atomic<unsigned> counter{0};
    struct stat old {};
    const bool replacing = ::lstat(path.c_str(), &old) == 0;
    std::string temporary;
    int file = -EEXIST;
    bool shortName = false; // where the name leaves no room for a suffix: a short one in its folder
    for (int attempt = 0; attempt < 16 && (file == -EEXIST || (file == -ENAMETOOLONG && !shortName));
         ++attempt) {
        shortName = shortName || file == -ENAMETOOLONG;
        const auto tick = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
        const std::string number = std::to_string(
            (tick ^ (static_cast<unsigned>(::getpid()) << 8) ^ (counter++ * 2654435761u)) % 1000000);
        temporary = shortName ? FolderOf(path) + "/.dravik" + number + ".tmp" : path + ".tmp" + number;
        file = ops.CreateNew(temporary);
    }
    if (file < 0)
        return file;
    if (replacing && S_ISREG(old.st_mode))
        ::chmod(temporary.c_str(), old.st_mode & 0777);
    int result = ops.WriteAt(file, data, size, 0);
    if (result == 0 && durable != Durable::No)
        result = ops.Flush(file);
    const int closed = ops.Close(file);
    if (result == 0)
        result = closed;
    // A rename replaces the name itself: a symbolic link there is replaced, not followed.
    if (result == 0)
        result = ::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : Failed();
    if (result != 0) {
        ops.Remove(temporary);
        return result;
    }
    if (durable == Durable::ContentAndName)
        ops.FlushFolder(FolderOf(path));
    return 0;
}

int ReplaceFile(const std::string& path, const uint8_t* data, size_t size, bool durable)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return -EISDIR;
        if (!S_ISLNK(st.st_mode) && ::access(path.c_str(), W_OK) != 0)
            return -EACCES; // a file the user made read-only stays as it is
    }
    // An output needs one flush: after a crash the name holds the old file or the whole new one.
    return WriteBesideThenRename(path, data, size, durable ? Durable::Content : Durable::No,
                                 *SystemFileOps());
}

void IgnoreFileSizeSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

int ContentHold::Take(const std::string& path, bool exclusive, int waitMs)
{
    Release();
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0)
        return Failed();
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        const int error = Failed();
        Release();
        return error;
    }
    mode_ = static_cast<unsigned>(st.st_mode);
    if (!S_ISREG(st.st_mode)) {
        Release();
        return S_ISDIR(st.st_mode) ? -EISDIR : -EINVAL;
    }
    // Waits in short steps, so a hold of the other kind that lasts too long ends in a message.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::microseconds(200);
    while (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK)
            return 0; // a file system without such locks: nothing to wait for
        if (std::chrono::steady_clock::now() >= until) {
            Release();
            return -EBUSY;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
    return 0;
}

void ContentHold::Release()
{
    if (fd_ >= 0)
        ::close(fd_); // ends the hold
    fd_ = -1;
}

uint64_t ContentHold::Size() const
{
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

int ReadAt(int fd, uint64_t offset, uint64_t n, std::vector<uint8_t>& bytes)
{
    bytes.resize(static_cast<size_t>(n));
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd, bytes.data() + done, static_cast<size_t>(n) - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failed();
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return 0;
}

int CopyBytes(int from, int to, uint64_t size, uint64_t& copied)
{
    copied = 0;
#if defined(__linux__)
    while (copied < size) {
        const ssize_t n =
            ::copy_file_range(from, nullptr, to, nullptr, std::min<uint64_t>(size - copied, 1u << 30), 0);
        if (n == 0)
            return 0;
        if (n > 0) {
            copied += static_cast<uint64_t>(n);
            continue;
        }
        if (errno == EINTR)
            continue;
        // Not between these two (other file systems, a file that is not regular, an older
        // kernel): through a buffer from where it stopped.
        if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != ENOTSUP && errno != EINVAL)
            return Failed();
        break;
    }
#endif
    if (copied == size)
        return 0;
    const size_t chunk = static_cast<size_t>(std::min<uint64_t>(size - copied, 1u << 17));
    const std::unique_ptr<uint8_t[]> buffer(new uint8_t[chunk]);
    while (copied < size) {
        const ssize_t got = ::read(from, buffer.get(), std::min<uint64_t>(size - copied, chunk));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0 ? 0 : Failed();
        for (ssize_t put = 0; put < got;) {
            const ssize_t wrote = ::write(to, buffer.get() + put, static_cast<size_t>(got - put));
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote <= 0)
                return wrote == 0 ? -EIO : Failed();
            put += wrote;
        }
        copied += static_cast<uint64_t>(got);
    }
    return 0;
}

int ReadSideBytes(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes, SideFileRead* what)
{
    SideFileRead ignored;
    SideFileRead& read = what ? *what : ignored;
    read = SideFileRead();
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        struct stat link {};
        if ((error == ELOOP || error == EMLINK) && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            return -ELOOP;
        return -error;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return Failed();
    read.mode = static_cast<unsigned>(st.st_mode);
    if (!S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? -EISDIR : -EINVAL;
    if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        read.size = static_cast<uint64_t>(st.st_size);
        return -EFBIG;
    }
    // The file may grow while it is read: read one byte past the bound to notice.
    bytes.resize(static_cast<size_t>(st.st_size) + 1);
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > maxBytes)
                break;
            bytes.resize(std::min<uint64_t>(maxBytes + 1, bytes.size() * 2 + 4096));
        }
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            bytes.clear();
            return -error;
        }
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    if (done > maxBytes) {
        bytes.clear();
        read.size = done;
        return -EFBIG;
    }
    bytes.resize(done);
    return 0;
}

} // namespace dravik::rom
