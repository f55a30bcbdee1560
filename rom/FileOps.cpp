#include "rom/FileOps.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace dravik::rom {

int FileOps::OpenExisting(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    return fd >= 0 ? fd : -errno;
}

int FileOps::CreateTruncated(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd >= 0 ? fd : -errno;
}

int FileOps::WriteAt(int fd, const uint8_t* data, size_t size, uint64_t offset)
{
    while (size > 0) {
        const ssize_t done = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return -errno;
        if (done == 0)
            return -EIO;
        data += done;
        size -= static_cast<size_t>(done);
        offset += static_cast<uint64_t>(done);
    }
    return 0;
}

int FileOps::Flush(int fd) { return ::fsync(fd) == 0 ? 0 : -errno; }

int FileOps::Close(int fd) { return ::close(fd) == 0 ? 0 : -errno; }

int FileOps::Remove(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : -errno; }

int FileOps::Rename(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : -errno;
}

int FileOps::FlushFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    const int result = ::fsync(fd) == 0 || errno == EINVAL ? 0 : -errno; // some file systems cannot
    ::close(fd);
    return result;
}

bool FileOps::CanCreateIn(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

std::shared_ptr<FileOps> SystemFileOps()
{
    static const std::shared_ptr<FileOps> ops = std::make_shared<FileOps>();
    return ops;
}

std::string ErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC: return "磁盘已满";
    case EDQUOT: return "超出了磁盘配额";
    case EFBIG: return "文件太大，超出了文件大小限制";
    case EACCES:
    case EPERM: return "没有权限";
    case EROFS: return "文件系统是只读的";
    case EIO: return "输入/输出错误";
    case ENOENT: return "文件不存在";
    case EBUSY:
    case ETXTBSY: return "文件正被占用";
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
