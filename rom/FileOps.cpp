#include "rom/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/xattr.h>
#endif
#include <QDir>
#include <QRandomGenerator>

#include "rom/Texts.h"

namespace dravik::rom {

namespace {
// What Qt's file API leaves to each system, and nothing else. Qt has no flush onto the disk
// (QFile::flush only empties its own buffer) and reports a failure as a category and a text;
// the error number behind it is what tells a full disk from a file-size limit, and it is still
// there right after the failed call.

void ClearSystemError()
{
    errno = 0;
#if defined(Q_OS_WIN)
    SetLastError(ERROR_SUCCESS);
#endif
}

// The error number of the call that just failed, 0 when the system kept none.
int SystemError()
{
#if defined(Q_OS_WIN)
    switch (GetLastError()) {
    case ERROR_SUCCESS: return errno;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_TOO_LARGE: return EFBIG;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EBUSY;
    default: return EIO;
    }
#else
    return errno;
#endif
}

// Onto the disk: 0 or the error number.
int SyncToDisk(int handle)
{
#if defined(Q_OS_WIN)
    return _commit(handle) == 0 ? 0 : errno;
#else
    return ::fsync(handle) == 0 ? 0 : errno;
#endif
}

// Makes a folder's new or removed names durable: 0 or the error number.
int SyncFolder(const std::string& folder)
{
#if defined(Q_OS_UNIX)
    const QByteArray name = QFile::encodeName(QString::fromStdString(folder));
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno; // some file systems cannot
    ::close(fd);
    return result;
#else
    (void)folder; // the file system keeps a folder's names with the file's own flush
    return 0;
#endif
}

// The failure of the call just made on file, as a negative error number.
int Failure(const QFileDevice& file)
{
    if (const int system = SystemError())
        return -system;
    return file.error() == QFileDevice::PermissionsError ? -EACCES : -EIO;
}

// Writes all of data at the device's position: 0 or a negative error number. A short write (a
// file-size limit reached part way) is continued, so the next call reports why it stopped.
int WriteAll(QFileDevice& file, const uint8_t* data, size_t size)
{
    while (size > 0) {
        ClearSystemError();
        const qint64 done = file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        if (done < 0)
            return Failure(file);
        if (done == 0)
            return -EIO;
        data += done;
        size -= static_cast<size_t>(done);
    }
    return 0;
}

#if defined(Q_OS_UNIX)
// Opens a side file for reading: no symbolic link followed, never waiting on a FIFO.
int OpenNoFollow(const QByteArray& name)
{
    return ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

// A new file, never through a link: 0644 less the umask.
int CreateNoFollow(const QByteArray& name)
{
    return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
}

bool IsSymlink(const QByteArray& name)
{
    struct stat st {};
    return ::lstat(name.constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return Fill(Files::tr("一个文件夹"));
    if (S_ISFIFO(mode))
        return Fill(Files::tr("一个管道（FIFO）"));
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Fill(Files::tr("一个设备"));
    if (S_ISSOCK(mode))
        return Fill(Files::tr("一个套接字"));
    return Fill(Files::tr("一个特殊文件"));
}
#endif

// How much of a written file survives a crash of the system: nothing promised, its content (the
// old file or the whole new one under the name), or also the new name itself.
enum class Durable { No, Content, ContentAndName };

int WriteBesideThenRename(const std::string& path, const uint8_t* data, size_t size, Durable durable,
                          FileOps& ops);
} // namespace

FileOps::FileOps() = default;
FileOps::~FileOps() = default;

int FileOps::Keep(std::unique_ptr<QFile> file)
{
    const std::lock_guard<std::mutex> hold(mutex_);
    const int handle = next_++;
    files_[handle] = std::move(file);
    return handle;
}

QFile* FileOps::Find(int file)
{
    const std::lock_guard<std::mutex> hold(mutex_);
    const auto it = files_.find(file);
    return it == files_.end() ? nullptr : it->second.get();
}

int FileOps::OpenExisting(const std::string& path)
{
    auto file = std::make_unique<QFile>(TextArg(path));
    ClearSystemError();
    // ReadWrite, since a file opened only for writing is truncated; unbuffered, so every write
    // reaches the system (and fails) where it is made.
    if (!file->open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return Failure(*file);
    return Keep(std::move(file));
}

int FileOps::CreateTruncated(const std::string& path)
{
    auto file = std::make_unique<QFile>(TextArg(path));
    ClearSystemError();
    const QFileDevice::Permissions mode =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered, mode))
        return Failure(*file);
    return Keep(std::move(file));
}

int FileOps::CreateNew(const std::string& path)
{
    auto file = std::make_unique<QFile>(TextArg(path));
    ClearSystemError();
#if defined(Q_OS_UNIX)
    const int fd = CreateNoFollow(QFile::encodeName(TextArg(path)));
    if (fd < 0)
        return -errno;
    if (!file->open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return -EIO;
    }
#else
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return QFileInfo::exists(TextArg(path)) || QFileInfo(TextArg(path)).isSymLink() ? -EEXIST
                                                                                        : Failure(*file);
#endif
    return Keep(std::move(file));
}

int FileOps::WriteAt(int handle, const uint8_t* data, size_t size, uint64_t offset)
{
    QFile* file = Find(handle);
    if (!file)
        return -EBADF;
    ClearSystemError();
    // A journal is written from the start of a new file: no seek is needed there.
    if (file->pos() != static_cast<qint64>(offset) && !file->seek(static_cast<qint64>(offset)))
        return Failure(*file);
    return WriteAll(*file, data, size);
}

int FileOps::Resize(int handle, uint64_t size)
{
    QFile* file = Find(handle);
    if (!file)
        return -EBADF;
    ClearSystemError();
    return file->resize(static_cast<qint64>(size)) ? 0 : Failure(*file);
}

int FileOps::Flush(int handle)
{
    QFile* file = Find(handle);
    if (!file)
        return -EBADF;
    ClearSystemError();
    if (!file->flush())
        return Failure(*file);
    const int error = SyncToDisk(file->handle());
    return error == 0 ? 0 : -error;
}

int FileOps::Close(int handle)
{
    std::unique_ptr<QFile> file;
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        const auto it = files_.find(handle);
        if (it == files_.end())
            return -EBADF;
        file = std::move(it->second);
        files_.erase(it);
    }
    file->unsetError();
    ClearSystemError();
    file->close();
    return file->error() == QFileDevice::NoError ? 0 : Failure(*file);
}

int FileOps::Remove(const std::string& path)
{
    QFile file(TextArg(path));
    ClearSystemError();
    return file.remove() ? 0 : Failure(file);
}

int FileOps::FlushFolder(const std::string& folder) { return -SyncFolder(folder); }

int FileOps::SetAttribute(const std::string& path, const char* name, const std::string& value)
{
#if defined(Q_OS_LINUX)
    const QByteArray file = QFile::encodeName(TextArg(path));
    if (::setxattr(file.constData(), name, value.data(), value.size(), 0) != 0)
        return -errno;
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    const int synced = fd >= 0 && ::fsync(fd) == 0 ? 0 : -errno;
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
    const QFileInfo info(TextArg(folder));
    return info.isDir() && info.isWritable();
}

std::shared_ptr<FileOps> SystemFileOps()
{
    static const std::shared_ptr<FileOps> ops = std::make_shared<FileOps>();
    return ops;
}

int ReplaceFile(const std::string& path, const uint8_t* data, size_t size, bool durable)
{
    const QFileInfo existing(TextArg(path));
    if (existing.isDir() && !existing.isSymLink())
        return -EISDIR;
    if (existing.exists() && !existing.isSymLink() && !existing.isWritable())
        return -EACCES; // a file the user made read-only stays as it is
    // An output needs one flush: after a crash the name holds the old file or the whole new one.
    return WriteBesideThenRename(path, data, size, durable ? Durable::Content : Durable::No,
                                 *SystemFileOps());
}

namespace {
// A new file with a fresh name beside path (never written through a link), then renamed over
// path: a failure, or the process ending at any moment, leaves the old file whole. A replaced
// regular file's permission bits are kept. The new file is flushed to the disk once before the
// rename (Content), and the folder's names after it (ContentAndName). 0 or a negative error number.
int WriteBesideThenRename(const std::string& path, const uint8_t* data, size_t size, Durable durable,
                          FileOps& ops)
{
    const QFileInfo info(TextArg(path));
    std::string temporary;
    int file = -EEXIST;
    bool shortName = false; // where the name leaves no room for a suffix: a short one in its folder
    for (int attempt = 0; attempt < 16 && (file == -EEXIST || (file == -ENAMETOOLONG && !shortName));
         ++attempt) {
        shortName = shortName || file == -ENAMETOOLONG;
        const std::string number = std::to_string(QRandomGenerator::global()->generate() % 1000000);
        temporary = shortName ? info.absolutePath().toStdString() + "/.dravik" + number + ".tmp"
                              : path + ".tmp" + number;
        file = ops.CreateNew(temporary);
    }
    if (file < 0)
        return file;
    if (info.isFile() && !info.isSymLink())
        QFile::setPermissions(TextArg(temporary), info.permissions());
    int result = ops.WriteAt(file, data, size, 0);
    if (result == 0 && durable != Durable::No)
        result = ops.Flush(file);
    const int closed = ops.Close(file);
    if (result == 0)
        result = closed;
    if (result == 0) {
        // A rename replaces the name itself: a symbolic link there is replaced, not followed.
#if defined(Q_OS_UNIX)
        result = ::rename(QFile::encodeName(TextArg(temporary)).constData(),
                          QFile::encodeName(TextArg(path)).constData()) == 0
                     ? 0
                     : -errno;
#else
        ClearSystemError();
        if (QFileInfo::exists(TextArg(path)) || info.isSymLink())
            QFile::remove(TextArg(path));
        result =
            QFile::rename(TextArg(temporary), TextArg(path)) ? 0 : -(SystemError() ? SystemError() : EIO);
#endif
    }
    if (result != 0) {
        ops.Remove(temporary);
        return result;
    }
    if (durable == Durable::ContentAndName)
        ops.FlushFolder(info.absolutePath().toStdString());
    return 0;
}
} // namespace

FileIdentity IdentifyFile(const std::string& path)
{
    FileIdentity id;
#if defined(Q_OS_UNIX)
    struct stat st {};
    if (::stat(QFile::encodeName(TextArg(path)).constData(), &st) != 0)
        return id;
    id.device = static_cast<uint64_t>(st.st_dev);
    id.inode = static_cast<uint64_t>(st.st_ino);
    id.links = static_cast<uint64_t>(st.st_nlink);
    id.size = static_cast<uint64_t>(st.st_size);
    id.exists = true;
#else
    const QFileInfo info(TextArg(path));
    id.exists = info.exists();
    id.links = id.exists ? 1 : 0;
    id.size = id.exists ? static_cast<uint64_t>(info.size()) : 0;
#endif
    return id;
}

std::optional<Error> ContentLock::Take(const std::string& path, bool exclusive, int waitMs)
{
    Release();
    path_ = path;
#if defined(Q_OS_UNIX)
    // Waiting for a reader is what a writer does.
    const auto refuse = [&](int number, std::string why = {}) {
        return exclusive && number == EBUSY ? Error::Writing(path, number, std::move(why))
                                            : Error::Reading(path, number, std::move(why));
    };
    const QByteArray name = QFile::encodeName(TextArg(path));
    fd_ = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0)
        return refuse(errno);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno;
        const mode_t mode = st.st_mode;
        Release();
        if (mode == 0)
            return refuse(error);
        return refuse(S_ISDIR(mode) ? EISDIR : EINVAL, Fill(Files::tr("它是%1，不是普通文件"), KindOf(mode)));
    }
    // Waits in short steps, so a hold of the other kind that lasts too long ends in a message.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::microseconds(200);
    while (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK)
            return std::nullopt; // a file system without such locks: nothing to wait for
        if (std::chrono::steady_clock::now() >= until) {
            Release();
            const int seconds = (waitMs + 999) / 1000;
            return refuse(EBUSY,
                          Fill(exclusive
                                   ? Files::tr("另一个程序正在读取或保存它，等了 %1 秒仍未结束，请稍后再试")
                                   : Files::tr("另一个程序正在保存它，等了 %1 秒仍未结束，请稍后再试"),
                               seconds));
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
#else
    (void)exclusive;
    (void)waitMs;
#endif
    return std::nullopt;
}

void ContentLock::Release()
{
#if defined(Q_OS_UNIX)
    if (fd_ >= 0)
        ::close(fd_); // ends the hold
#endif
    fd_ = -1;
}

uint64_t ContentLock::Size() const
{
#if defined(Q_OS_UNIX)
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0)
        return static_cast<uint64_t>(st.st_size);
#endif
    return static_cast<uint64_t>(QFileInfo(TextArg(path_)).size());
}

std::optional<Error> ReadSideFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes)
{
    const auto tooLong = [&](uint64_t size) {
        return Error::Reading(
            path, EFBIG,
            size > maxBytes
                ? Fill(Files::tr("文件有 %1 字节，超过了这种文件的上限 %2 字节，不会读取它"), size, maxBytes)
                : Fill(Files::tr("文件超过了这种文件的上限 %1 字节，不会读取它"), maxBytes));
    };
    bytes.clear();
#if defined(Q_OS_UNIX)
    const QByteArray name = QFile::encodeName(TextArg(path));
    const int fd = OpenNoFollow(name);
    if (fd < 0) {
        const int error = errno;
        if ((error == ELOOP || error == EMLINK) && IsSymlink(name))
            return Error::Reading(path, ELOOP, Fill(Files::tr("它是一个符号链接，为安全起见不会跟随它")));
        return Error::Reading(path, error);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return Error::Reading(path, errno);
    if (!S_ISREG(st.st_mode))
        return Error::Reading(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL,
                              Fill(Files::tr("它是%1，不是普通文件"), KindOf(st.st_mode)));
    if (static_cast<uint64_t>(st.st_size) > maxBytes)
        return tooLong(static_cast<uint64_t>(st.st_size));
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
            return Error::Reading(path, error);
        }
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    if (done > maxBytes) {
        bytes.clear();
        return tooLong(done);
    }
    bytes.resize(done);
    return std::nullopt;
#else
    const QFileInfo info(TextArg(path));
    if (info.isSymLink())
        return Error::Reading(path, ELOOP, Fill(Files::tr("它是一个符号链接，为安全起见不会跟随它")));
    if (!info.exists())
        return Error::Reading(path, ENOENT);
    if (!info.isFile())
        return Error::Reading(path, info.isDir() ? EISDIR : EINVAL, Fill(Files::tr("它不是普通文件")));
    if (static_cast<uint64_t>(info.size()) > maxBytes)
        return tooLong(static_cast<uint64_t>(info.size()));
    QFile file(TextArg(path));
    ClearSystemError();
    if (!file.open(QIODevice::ReadOnly))
        return Error::Reading(path, -Failure(file));
    const QByteArray data = file.read(static_cast<qint64>(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return Error::Reading(path, -Failure(file));
    if (static_cast<uint64_t>(data.size()) > maxBytes)
        return tooLong(static_cast<uint64_t>(data.size()));
    bytes.assign(data.begin(), data.end());
    return std::nullopt;
#endif
}

std::optional<Error> WriteSideFile(const std::string& path, const uint8_t* data, size_t size, FileOps& ops)
{
    const QFileInfo info(TextArg(path));
    if (info.isDir() && !info.isSymLink())
        return Error::Writing(path, EISDIR, Fill(Files::tr("这个名字是一个文件夹")));
    const int result = WriteBesideThenRename(path, data, size, Durable::ContentAndName, ops);
    if (result != 0)
        return Error::Writing(path, -result, Fill(Files::tr("%1；原来的文件没有改动"), ErrorText(-result)));
    return std::nullopt;
}

void IgnoreFileSizeSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace dravik::rom
