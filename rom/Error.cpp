#include "rom/Error.h"

#include <cerrno>

#include "rom/Texts.h"

namespace dravik::rom {

Error Error::Failure(std::string sentence, std::string file, int systemError)
{
    Error e;
    e.file = std::move(file);
    e.systemError = systemError;
    e.detail = std::move(sentence);
    return e;
}

Error Error::Reading(std::string file, int systemError, std::string detail)
{
    Error e;
    e.what = Kind::Reading;
    e.file = std::move(file);
    e.systemError = systemError;
    e.detail = std::move(detail);
    return e;
}

Error Error::Writing(std::string file, int systemError, std::string detail)
{
    Error e = Reading(std::move(file), systemError, std::move(detail));
    e.what = Kind::Writing;
    return e;
}

Error Error::Saving(std::string file, std::string detail, int systemError)
{
    Error e = Reading(std::move(file), systemError, std::move(detail));
    e.what = Kind::Saving;
    return e;
}

Error Error::Opening(std::string file, std::string detail, int systemError)
{
    Error e = Reading(std::move(file), systemError, std::move(detail));
    e.what = Kind::Opening;
    return e;
}

Error Error::InLine(std::string file, int line, std::string detail)
{
    Error e;
    e.what = Kind::InLine;
    e.file = std::move(file);
    e.line = line;
    e.detail = std::move(detail);
    return e;
}

bool Error::Missing() const { return systemError == ENOENT; }

std::string Reason(const Error& e) { return e.detail.empty() ? ErrorText(e.systemError) : e.detail; }

std::string Describe(const std::optional<Error>& error) { return error ? Describe(*error) : std::string(); }

std::string Describe(const Error& e)
{
    const std::string why = Reason(e);
    switch (e.what) {
    case Error::Kind::Failed: return why;
    case Error::Kind::Reading: return Fill(Files::tr("无法读取 %1：%2。"), e.file, why);
    case Error::Kind::Writing: return Fill(Files::tr("无法写入 %1：%2。"), e.file, why);
    case Error::Kind::Saving: return Fill(Files::tr("保存 %1 失败：%2"), e.file, why);
    case Error::Kind::Opening: return Fill(Files::tr("无法打开文件 %1：%2"), e.file, why);
    case Error::Kind::InLine:
        return e.line > 0 ? e.file + ":" + std::to_string(e.line) + ": " + why : e.file + ": " + why;
    case Error::Kind::InCell:
        if (e.row <= 0)
            return Fill(Tables::tr("表「%1」 列「%2」: \"%3\" %4"), ShownTitle(e.table), ShownTitle(e.column),
                        e.text, why);
        return Fill(Tables::tr("表「%1」 第 %2 行「%3」 列「%4」: \"%5\" %6"), ShownTitle(e.table), e.row,
                    e.rowLabel, ShownTitle(e.column), e.text, why);
    }
    return why;
}

std::string ErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC: return Fill(Files::tr("磁盘已满"));
#ifdef EDQUOT
    case EDQUOT: return Fill(Files::tr("超出了磁盘配额"));
#endif
    case EFBIG: return Fill(Files::tr("文件太大，超出了文件大小限制"));
    case EACCES:
    case EPERM: return Fill(Files::tr("没有权限"));
    case EROFS: return Fill(Files::tr("文件系统是只读的"));
    case EIO: return Fill(Files::tr("输入/输出错误"));
    case ENOENT: return Fill(Files::tr("文件不存在"));
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return Fill(Files::tr("文件正被占用"));
    case EEXIST: return Fill(Files::tr("已经有一个同名的文件"));
    case EISDIR: return Fill(Files::tr("这是一个文件夹"));
    case ENOTDIR: return Fill(Files::tr("路径中有一部分不是文件夹"));
    case ENAMETOOLONG: return Fill(Files::tr("文件名太长"));
    case ELOOP: return Fill(Files::tr("是一个符号链接，或符号链接太多"));
    case EMFILE:
    case ENFILE: return Fill(Files::tr("打开的文件太多"));
    case ENOMEM: return Fill(Files::tr("内存不足"));
    case EAGAIN: return Fill(Files::tr("资源暂时不可用，请稍后再试"));
    case EINTR: return Fill(Files::tr("操作被中断"));
    case EINVAL: return Fill(Files::tr("不支持的操作"));
    case ENXIO:
    case ENODEV: return Fill(Files::tr("设备不存在或不可用"));
    case EXDEV: return Fill(Files::tr("不能跨文件系统移动文件"));
    case ENOTEMPTY: return Fill(Files::tr("文件夹不是空的"));
    case EMLINK: return Fill(Files::tr("链接太多"));
    case ESPIPE: return Fill(Files::tr("这个文件不能随机读写"));
    case EBADF: return Fill(Files::tr("文件句柄无效"));
    case ENOLCK: return Fill(Files::tr("无法加锁"));
#ifdef ETIMEDOUT
    case ETIMEDOUT: return Fill(Files::tr("操作超时"));
#endif
#ifdef ENOTSUP
    case ENOTSUP: return Fill(Files::tr("文件系统不支持这个操作"));
#endif
#ifdef ESTALE
    case ESTALE: return Fill(Files::tr("网络文件已失效"));
#endif
    case 0: return Fill(Files::tr("未知原因"));
    default: return Fill(Files::tr("系统错误（错误号 %1）"), errorNumber);
    }
}

} // namespace dravik::rom
