#include "rom/FileOps.h"

#include <sys/stat.h>

#include "rom/Texts.h"

namespace dravik::rom {

namespace {
std::string KindOf(unsigned mode)
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
} // namespace

Error HoldError(const std::string& path, bool exclusive, int result, unsigned mode, int waitMs)
{
    // Waiting for a reader is what a writer does.
    const auto refuse = [&](int number, std::string why = {}) {
        return exclusive && number == EBUSY ? Error::Writing(path, number, std::move(why))
                                            : Error::Reading(path, number, std::move(why));
    };
    if (result == -EBUSY) {
        const int seconds = (waitMs + 999) / 1000;
        return refuse(EBUSY,
                      Fill(exclusive ? Files::tr("另一个程序正在读取或保存它，等了 %1 秒仍未结束，请稍后再试")
                                     : Files::tr("另一个程序正在保存它，等了 %1 秒仍未结束，请稍后再试"),
                           seconds));
    }
    if ((result == -EISDIR || result == -EINVAL) && mode != 0 && !S_ISREG(mode))
        return refuse(-result, Fill(Files::tr("它是%1，不是普通文件"), KindOf(mode)));
    return refuse(-result);
}

std::optional<Error> ContentLock::Take(const std::string& path, bool exclusive, int waitMs)
{
    if (const int result = hold_.Take(path, exclusive, waitMs); result != 0)
        return HoldError(path, exclusive, result, hold_.Mode(), waitMs);
    return std::nullopt;
}

Error SideFileError(const std::string& path, int result, const SideFileRead& read, uint64_t maxBytes)
{
    switch (result) {
    case -ELOOP:
        return Error::Reading(path, ELOOP, Fill(Files::tr("它是一个符号链接，为安全起见不会跟随它")));
    case -EISDIR:
    case -EINVAL:
        if (read.mode != 0 && !S_ISREG(read.mode))
            return Error::Reading(path, -result, Fill(Files::tr("它是%1，不是普通文件"), KindOf(read.mode)));
        break;
    case -EFBIG:
        return Error::Reading(
            path, EFBIG,
            read.size > maxBytes ? Fill(Files::tr("文件有 %1 字节，超过了这种文件的上限 %2 字节，不会读取它"),
                                        read.size, maxBytes)
                                 : Fill(Files::tr("文件超过了这种文件的上限 %1 字节，不会读取它"), maxBytes));
    default: break;
    }
    return Error::Reading(path, -result);
}

std::optional<Error> ReadSideFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes)
{
    SideFileRead read;
    if (const int result = ReadSideBytes(path, maxBytes, bytes, &read); result != 0)
        return SideFileError(path, result, read, maxBytes);
    return std::nullopt;
}

std::optional<Error> WriteSideFile(const std::string& path, const uint8_t* data, size_t size, FileOps& ops)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return Error::Writing(path, EISDIR, Fill(Files::tr("这个名字是一个文件夹")));
    const int result = WriteBesideThenRename(path, data, size, Durable::ContentAndName, ops);
    if (result != 0)
        return Error::Writing(path, -result, Fill(Files::tr("%1；原来的文件没有改动"), ErrorText(-result)));
    return std::nullopt;
}

} // namespace dravik::rom
