#include "rom/Ips.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "rom/Texts.h"

namespace dravik::rom {

namespace {
constexpr uint32_t kMaxRecord = 0xFFFF;
// A record costs five bytes of header, so identical gaps up to that size are cheaper inside
// one record.
constexpr size_t kMergeGap = 5;
// A run record costs eight bytes; taking a run out of a literal costs the header of a literal
// record on each side that it splits off.
constexpr size_t kHeader = 5;
constexpr size_t kRunRecord = 8;

std::string Hex(uint64_t v)
{
    std::ostringstream s;
    s << "0x" << std::uppercase << std::hex << v;
    return s.str();
}

class Writer {
public:
    Writer(const Bytes& target, Bytes& out) : target_(target), out_(out) {}

    void Literal(uint32_t start, uint32_t end)
    {
        if (start >= end)
            return;
        if (start == kIpsEofOffset)
            --start; // rewriting one byte the target already holds costs less than any other fix
        while (start < end) {
            const uint32_t length = Chunk(start, end);
            Header(start, length);
            out_.insert(out_.end(), target_.begin() + start, target_.begin() + start + length);
            start += length;
        }
    }

    void Run(uint32_t start, uint32_t end)
    {
        if (start == kIpsEofOffset) {
            Literal(start, start + 1);
            ++start;
        }
        const uint8_t value = target_[start];
        while (start < end) {
            const uint32_t length = Chunk(start, end);
            Header(start, 0);
            Put(length, 2);
            out_.push_back(value);
            start += length;
        }
    }

private:
    // The next record's length: at most 0xFFFF, and never so that the following one starts at "EOF".
    static uint32_t Chunk(uint32_t start, uint32_t end)
    {
        uint32_t length = std::min(kMaxRecord, end - start);
        if (start + length == kIpsEofOffset && end > kIpsEofOffset)
            --length;
        return length;
    }

    void Header(uint32_t offset, uint32_t size)
    {
        Put(offset, 3);
        Put(size, 2);
    }

    void Put(uint32_t value, int bytes)
    {
        for (int i = bytes - 1; i >= 0; --i)
            out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }

    const Bytes& target_;
    Bytes& out_;
};

// Emits [start, end) as literal records, with runs of one value as run records wherever that
// is shorter.
void Emit(Writer& w, const Bytes& target, uint32_t start, uint32_t end)
{
    uint32_t literal = start, at = start;
    while (at < end) {
        uint32_t run = at + 1;
        while (run < end && target[run] == target[at])
            ++run;
        const size_t asLiteral = run - at + (literal == at && run == end ? kHeader : 0);
        const size_t asRun = kRunRecord + (literal < at && run < end ? kHeader : 0);
        if (asRun < asLiteral) {
            w.Literal(literal, at);
            w.Run(at, run);
            literal = run;
        }
        at = run;
    }
    w.Literal(literal, end);
}

uint32_t Big(const Bytes& p, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[at + static_cast<size_t>(i)];
    return v;
}
} // namespace

bool IsIps(const Bytes& patch) { return patch.size() >= 5 && std::memcmp(patch.data(), "PATCH", 5) == 0; }

std::optional<Error> MakeIps(const Bytes& source, const Bytes& target, Bytes& patch)
{
    if (source.size() > kIpsLimit || target.size() > kIpsLimit) {
        return Error::Failure(
            Fill(source.size() > kIpsLimit
                     ? Patches::tr("IPS 补丁最多只能描述 16 MiB（16777216 字节）的文件，而原始映像有 %1 "
                                   "字节；请改用 BPS 格式。")
                     : Patches::tr("IPS 补丁最多只能描述 16 MiB（16777216 字节）的文件，而修改后的映像有 %1 "
                                   "字节；请改用 BPS 格式。"),
                 std::max(source.size(), target.size())));
    }
    patch.assign({'P', 'A', 'T', 'C', 'H'});
    Writer w(target, patch);
    const size_t size = target.size(), common = std::min(source.size(), size);
    auto differs = [&](size_t i) { return i >= common || source[i] != target[i]; };
    size_t i = 0;
    while (i < size) {
        if (i < common && source[i] == target[i]) {
            // Skip identical stretches a block at a time.
            if (i % 64 == 0 && i + 64 <= common && std::memcmp(&source[i], &target[i], 64) == 0)
                i += 64;
            else
                ++i;
            continue;
        }
        const size_t start = i;
        size_t last = i;
        for (size_t j = i + 1; j < size && j - last <= kMergeGap; ++j)
            if (differs(j))
                last = j;
        Emit(w, target, static_cast<uint32_t>(start), static_cast<uint32_t>(last + 1));
        i = last + 1;
    }
    patch.insert(patch.end(), {'E', 'O', 'F'});
    if (size < source.size())
        for (int k = 2; k >= 0; --k)
            patch.push_back(static_cast<uint8_t>(size >> (8 * k)));
    return std::nullopt;
}

std::optional<Error> ApplyIps(const Bytes& patch, const Bytes& source, Bytes& target)
{
    if (!IsIps(patch))
        return Error::Failure(Fill(Patches::tr("这不是 IPS 补丁：文件不以 \"PATCH\" 开头。")));
    const size_t n = patch.size();
    auto cut = [&](size_t at, const std::string& what) {
        return Error::Failure(
            Fill(Patches::tr("IPS 补丁不完整：第 %1 字节处（文件共 %2 字节）缺少%3。"), at, n, what));
    };
    target = source;
    size_t p = 5;
    int records = 0;
    while (true) {
        if (p + 3 > n)
            return cut(p, Fill(Patches::tr("记录的偏移或结尾标记 \"EOF\"")));
        if (std::memcmp(&patch[p], "EOF", 3) == 0) {
            p += 3;
            break;
        }
        ++records;
        const uint32_t offset = Big(patch, p, 3);
        // Worded only for a message: most patches have many records and no fault.
        const auto where = [&] { return Fill(Patches::tr("第 %1 条记录（偏移 %2）"), records, Hex(offset)); };
        p += 3;
        if (p + 2 > n)
            return cut(p, Fill(Patches::tr("%1的长度"), where()));
        uint32_t size = Big(patch, p, 2);
        p += 2;
        const bool run = size == 0;
        if (run) {
            if (p + 3 > n)
                return cut(p, Fill(Patches::tr("%1的重复次数和值"), where()));
            size = Big(patch, p, 2);
            if (size == 0)
                return Error::Failure(
                    Fill(Patches::tr("IPS 补丁有误：%1是重复次数为 0 的重复记录。"), where()));
        } else if (p + size > n) {
            return cut(n, Fill(Patches::tr("%1的数据（应有 %2 字节，只剩 %3 字节）"), where(), size, n - p));
        }
        const uint64_t end = uint64_t{offset} + size;
        if (end > kIpsLimit)
            return Error::Failure(
                Fill(Patches::tr("IPS 补丁有误：%1会把文件写到 %2 字节，超过 IPS 的 16 MiB 上限。"), where(),
                     end));
        if (target.size() < end)
            target.resize(end, 0);
        if (run) {
            std::fill(target.begin() + offset, target.begin() + static_cast<long>(end), patch[p + 2]);
            p += 3;
        } else {
            std::copy(patch.begin() + static_cast<long>(p), patch.begin() + static_cast<long>(p + size),
                      target.begin() + offset);
            p += size;
        }
    }
    if (p == n)
        return std::nullopt;
    if (n - p != 3)
        return Error::Failure(
            Fill(Patches::tr("IPS 补丁有误：\"EOF\" 之后有 %n 个字节，只允许 0 个或 3 个（截断长度）。",
                             nullptr, PluralCount(n - p))));
    target.resize(Big(patch, p, 3), 0);
    return std::nullopt;
}

} // namespace dravik::rom
