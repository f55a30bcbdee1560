#include "rom/Ips.h"

#include <sstream>

#include "rom/Texts.h"

namespace dravik::rom {

namespace {
std::string Hex(uint64_t v)
{
    std::ostringstream s;
    s << "0x" << std::uppercase << std::hex << v;
    return s.str();
}

Error Described(const IpsFault& fault, size_t patchSize)
{
    using Kind = IpsFault::Kind;
    using Missing = IpsFault::Missing;
    const auto where = [&] {
        return Fill(Patches::tr("第 %1 条记录（偏移 %2）"), fault.record, Hex(fault.offset));
    };
    switch (fault.kind) {
    case Kind::SourceTooLarge:
    case Kind::TargetTooLarge:
        return Error::Failure(
            Fill(fault.kind == Kind::SourceTooLarge
                     ? Patches::tr("IPS 补丁最多只能描述 16 MiB（16777216 字节）的文件，而原始映像有 %1 "
                                   "字节；请改用 BPS 格式。")
                     : Patches::tr("IPS 补丁最多只能描述 16 MiB（16777216 字节）的文件，而修改后的映像有 %1 "
                                   "字节；请改用 BPS 格式。"),
                 fault.count));
    case Kind::NotIps: return Error::Failure(Fill(Patches::tr("这不是 IPS 补丁：文件不以 \"PATCH\" 开头。")));
    case Kind::Cut: {
        std::string what;
        switch (fault.missing) {
        case Missing::OffsetOrEof: what = Fill(Patches::tr("记录的偏移或结尾标记 \"EOF\"")); break;
        case Missing::Length: what = Fill(Patches::tr("%1的长度"), where()); break;
        case Missing::RunCountAndValue: what = Fill(Patches::tr("%1的重复次数和值"), where()); break;
        case Missing::Data:
            what =
                Fill(Patches::tr("%1的数据（应有 %2 字节，只剩 %3 字节）"), where(), fault.count, fault.left);
            break;
        }
        return Error::Failure(Fill(Patches::tr("IPS 补丁不完整：第 %1 字节处（文件共 %2 字节）缺少%3。"),
                                   fault.at, patchSize, what));
    }
    case Kind::ZeroRun:
        return Error::Failure(Fill(Patches::tr("IPS 补丁有误：%1是重复次数为 0 的重复记录。"), where()));
    case Kind::PastLimit:
        return Error::Failure(
            Fill(Patches::tr("IPS 补丁有误：%1会把文件写到 %2 字节，超过 IPS 的 16 MiB 上限。"), where(),
                 fault.count));
    case Kind::TrailingBytes:
    case Kind::None: break;
    }
    return Error::Failure(
        Fill(Patches::tr("IPS 补丁有误：\"EOF\" 之后有 %n 个字节，只允许 0 个或 3 个（截断长度）。", nullptr,
                         PluralCount(fault.count))));
}
} // namespace

bool IsIps(const Bytes& patch) { return IsIpsPatch(patch.data(), patch.size()); }

std::optional<Error> MakeIps(const Bytes& source, const Bytes& target, Bytes& patch)
{
    if (const IpsFault fault =
            MakeIpsPatch(source.data(), source.size(), target.data(), target.size(), patch))
        return Described(fault, 0);
    return std::nullopt;
}

std::optional<Error> ApplyIps(const Bytes& patch, const Bytes& source, Bytes& target)
{
    if (const IpsFault fault =
            ApplyIpsPatch(patch.data(), patch.size(), source.data(), source.size(), target))
        return Described(fault, patch.size());
    return std::nullopt;
}

} // namespace dravik::rom
