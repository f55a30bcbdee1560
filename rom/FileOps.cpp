#include "rom/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <csignal>
#include <cstring>

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

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

QString Q(const std::string& s) { return QString::fromStdString(s); }
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
    auto file = std::make_unique<QFile>(Q(path));
    ClearSystemError();
    // ReadWrite, since a file opened only for writing is truncated; unbuffered, so every write
    // reaches the system (and fails) where it is made.
    if (!file->open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return Failure(*file);
    return Keep(std::move(file));
}

int FileOps::CreateTruncated(const std::string& path)
{
    auto file = std::make_unique<QFile>(Q(path));
    ClearSystemError();
    const QFileDevice::Permissions mode =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered, mode))
        return Failure(*file);
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
    QFile file(Q(path));
    ClearSystemError();
    return file.remove() ? 0 : Failure(file);
}

int FileOps::FlushFolder(const std::string& folder) { return -SyncFolder(folder); }

bool FileOps::CanCreateIn(const std::string& folder)
{
    const QFileInfo info(Q(folder));
    return info.isDir() && info.isWritable();
}

std::shared_ptr<FileOps> SystemFileOps()
{
    static const std::shared_ptr<FileOps> ops = std::make_shared<FileOps>();
    return ops;
}

int ReplaceFile(const std::string& path, const uint8_t* data, size_t size)
{
    // QSaveFile would refuse a file that may not be written with no reason a user can read.
    const QFileInfo existing(Q(path));
    if (existing.exists() && !existing.isWritable())
        return -EACCES;
    QSaveFile file(Q(path));
    ClearSystemError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failure(file);
    int result = WriteAll(file, data, size);
    if (result == 0) {
        ClearSystemError();
        result = file.flush() ? -SyncToDisk(file.handle()) : Failure(file);
    }
    if (result != 0) {
        file.cancelWriting(); // the new file is removed, the old one untouched
        return result;
    }
    ClearSystemError();
    return file.commit() ? 0 : Failure(file);
}

std::string ErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC: return "磁盘已满";
#ifdef EDQUOT
    case EDQUOT: return "超出了磁盘配额";
#endif
    case EFBIG: return "文件太大，超出了文件大小限制";
    case EACCES:
    case EPERM: return "没有权限";
    case EROFS: return "文件系统是只读的";
    case EIO: return "输入/输出错误";
    case ENOENT: return "文件不存在";
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return "文件正被占用";
    default: return std::strerror(errorNumber);
    }
}

void IgnoreFileSizeSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace dravik::rom
