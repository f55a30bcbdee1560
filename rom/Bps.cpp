#include "rom/Bps.h"

#include <cstring>
#include <sstream>

#include "rom/Crc32.h"

namespace dravik::rom {

namespace {
enum Action { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

// Below this an unchanged stretch is cheaper inside a literal than as its own action.
constexpr size_t kMinSourceRead = 4;
constexpr size_t kMinRepeat = 8;
constexpr size_t kMinCopy = 8;
// The index of the source's 8-byte strings has about one slot per source byte, up to 2^18 slots:
// a small source must not pay for clearing a table sized for a whole image.
constexpr int kMinHashBits = 8;
constexpr int kMaxHashBits = 18;

void PutNumber(Bytes& out, uint64_t value)
{
    while (true) {
        const uint8_t low = value & 0x7F;
        value >>= 7;
        if (value == 0) {
            out.push_back(0x80 | low);
            return;
        }
        out.push_back(low);
        --value;
    }
}

void PutCrc(Bytes& out, uint32_t crc)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(crc >> (8 * i)));
}

void PutRelative(Bytes& out, int64_t delta)
{
    PutNumber(out, (static_cast<uint64_t>(delta < 0 ? -delta : delta) << 1) | (delta < 0 ? 1 : 0));
}

uint64_t Key(const uint8_t* p, int bits)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return (v * 0x9E3779B97F4A7C15ull) >> (64 - bits);
}

int HashBits(size_t sourceSize)
{
    int bits = kMinHashBits;
    while (bits < kMaxHashBits && (size_t{1} << bits) < sourceSize)
        ++bits;
    return bits;
}

class Encoder {
public:
    Encoder(const Bytes& source, const Bytes& target, Bytes& out)
        : s_(source), t_(target), out_(out), hashBits_(HashBits(source.size()))
    {
        if (s_.size() >= kMinCopy) {
            index_.assign(size_t{1} << hashBits_, UINT32_MAX);
            for (size_t i = 0; i + kMinCopy <= s_.size(); ++i)
                index_[Key(&s_[i], hashBits_)] = static_cast<uint32_t>(i);
        }
    }

    void Run()
    {
        size_t i = 0;
        while (i < t_.size()) {
            size_t n = 0;
            while (i + n < t_.size() && i + n < s_.size() && s_[i + n] == t_[i + n])
                ++n;
            if (n >= kMinSourceRead || (n > 0 && i + n == t_.size())) {
                Flush(i);
                Command(SourceRead, n);
                i += n;
                continue;
            }
            if (i > 0 && (n = Repeat(i)) >= kMinRepeat) {
                Flush(i);
                Command(TargetCopy, n);
                PutRelative(out_, static_cast<int64_t>(i - 1) - targetRel_);
                targetRel_ = static_cast<int64_t>(i - 1 + n);
                i += n;
                continue;
            }
            size_t from = 0;
            if ((n = Copy(i, from)) > 0) {
                Flush(i);
                Command(SourceCopy, n);
                PutRelative(out_, static_cast<int64_t>(from) - sourceRel_);
                sourceRel_ = static_cast<int64_t>(from + n);
                i += n;
                continue;
            }
            if (literal_ == SIZE_MAX)
                literal_ = i;
            ++i;
        }
        Flush(t_.size());
    }

private:
    void Command(Action action, size_t length) { PutNumber(out_, (uint64_t{length - 1} << 2) | action); }

    void Flush(size_t end)
    {
        if (literal_ == SIZE_MAX)
            return;
        Command(TargetRead, end - literal_);
        out_.insert(out_.end(), t_.begin() + static_cast<long>(literal_),
                    t_.begin() + static_cast<long>(end));
        literal_ = SIZE_MAX;
    }

    // How often the byte before i repeats from i on.
    size_t Repeat(size_t i) const
    {
        size_t n = 0;
        while (i + n < t_.size() && t_[i + n] == t_[i - 1])
            ++n;
        return n;
    }

    // A stretch of the source elsewhere that equals the target from i (moved data).
    size_t Copy(size_t i, size_t& from) const
    {
        if (index_.empty() || i + kMinCopy > t_.size())
            return 0;
        const uint32_t at = index_[Key(&t_[i], hashBits_)];
        if (at == UINT32_MAX || at == i || std::memcmp(&s_[at], &t_[i], kMinCopy) != 0)
            return 0;
        size_t n = kMinCopy;
        while (at + n < s_.size() && i + n < t_.size() && s_[at + n] == t_[i + n])
            ++n;
        from = at;
        return n;
    }

    const Bytes& s_;
    const Bytes& t_;
    Bytes& out_;
    const int hashBits_;
    std::vector<uint32_t> index_;
    size_t literal_ = SIZE_MAX;
    int64_t sourceRel_ = 0;
    int64_t targetRel_ = 0;
};

std::string Hex(uint32_t v)
{
    std::ostringstream s;
    s << std::uppercase << std::hex;
    s.width(8);
    s.fill('0');
    s << v;
    return s.str();
}

uint32_t Little32(const Bytes& p, size_t at)
{
    return p[at] | p[at + 1] << 8 | p[at + 2] << 16 | uint32_t{p[at + 3]} << 24;
}

class Reader {
public:
    Reader(const Bytes& patch, size_t end, std::string& error) : p_(patch), end_(end), error_(error) {}

    bool Number(const char* what, uint64_t& value)
    {
        value = 0;
        uint64_t shift = 1;
        while (true) {
            if (at_ >= end_)
                return Fail(std::string("在") + what + "处被截断");
            const uint8_t x = p_[at_++];
            if (shift > (uint64_t{1} << 56))
                return Fail(std::string(what) + "的数值过长");
            value += (x & 0x7F) * shift;
            if (x & 0x80)
                return true;
            shift <<= 7;
            value += shift;
        }
    }

    bool Signed(const char* what, int64_t& value)
    {
        uint64_t raw;
        if (!Number(what, raw))
            return false;
        if ((raw >> 1) > (uint64_t{1} << 62))
            return Fail(std::string(what) + "超出范围");
        value = (raw & 1) ? -static_cast<int64_t>(raw >> 1) : static_cast<int64_t>(raw >> 1);
        return true;
    }

    bool Skip(uint64_t n, const char* what)
    {
        if (n > end_ - at_)
            return Fail(std::string("在") + what + "处被截断");
        at_ += n;
        return true;
    }

    bool Fail(const std::string& what)
    {
        error_ = "BPS 补丁有误：" + what + "（补丁第 " + std::to_string(at_) + " 字节）。";
        return false;
    }

    size_t At() const { return at_; }
    bool AtEnd() const { return at_ >= end_; }
    void Seek(size_t at) { at_ = at; }

private:
    const Bytes& p_;
    size_t end_;
    std::string& error_;
    size_t at_ = 0;
};

constexpr size_t kFooter = 12;
} // namespace

bool IsBps(const Bytes& patch) { return patch.size() >= 4 && std::memcmp(patch.data(), "BPS1", 4) == 0; }

bool BpsSource(const Bytes& patch, uint64_t& size, uint32_t& crc)
{
    if (!IsBps(patch) || patch.size() < 4 + 3 + kFooter)
        return false;
    std::string ignored;
    Reader r(patch, patch.size() - kFooter, ignored);
    r.Seek(4);
    if (!r.Number("", size))
        return false;
    crc = Little32(patch, patch.size() - kFooter);
    return true;
}

Bytes MakeBps(const Bytes& source, const Bytes& target)
{
    Bytes out{'B', 'P', 'S', '1'};
    PutNumber(out, source.size());
    PutNumber(out, target.size());
    PutNumber(out, 0); // no metadata
    Encoder(source, target, out).Run();
    PutCrc(out, Crc32(source.data(), source.size()));
    PutCrc(out, Crc32(target.data(), target.size()));
    PutCrc(out, Crc32(out.data(), out.size()));
    return out;
}

bool ApplyBps(const Bytes& patch, const Bytes& source, Bytes& target, std::string& error)
{
    if (!IsBps(patch)) {
        error = "这不是 BPS 补丁：文件不以 \"BPS1\" 开头。";
        return false;
    }
    const size_t n = patch.size();
    if (n < 4 + 3 + kFooter) {
        error = "BPS 补丁不完整：只有 " + std::to_string(n) + " 字节，放不下三个长度和三个 CRC32。";
        return false;
    }
    const uint32_t patchCrc = Crc32(patch.data(), n - 4);
    if (patchCrc != Little32(patch, n - 4)) {
        error = "BPS 补丁已损坏或不完整：补丁自身的 CRC32 不符（记录为 " + Hex(Little32(patch, n - 4)) +
                "，实际为 " + Hex(patchCrc) + "）。";
        return false;
    }
    const size_t end = n - kFooter;
    Reader r(patch, end, error);
    r.Seek(4);
    uint64_t sourceSize, targetSize, metadataSize;
    if (!r.Number("源文件长度", sourceSize) || !r.Number("目标文件长度", targetSize) ||
        !r.Number("元数据长度", metadataSize) || !r.Skip(metadataSize, "元数据"))
        return false;
    if (sourceSize != source.size()) {
        error = "补丁不适用于这个 ROM：补丁要求原始映像有 " + std::to_string(sourceSize) + " 字节，而它有 " +
                std::to_string(source.size()) + " 字节（大小不符）。";
        return false;
    }
    const uint32_t sourceCrc = Crc32(source.data(), source.size());
    if (sourceCrc != Little32(patch, end)) {
        error = "补丁不适用于这个 ROM：补丁要求原始映像的 CRC32 为 " + Hex(Little32(patch, end)) +
                "，而它是 " + Hex(sourceCrc) + "（大小相同，内容不同）。";
        return false;
    }
    if (targetSize > kBpsTargetLimit)
        return r.Fail("目标文件长度 " + std::to_string(targetSize) + " 字节过大");
    target.assign(targetSize, 0);
    uint64_t out = 0;
    int64_t sourceRel = 0, targetRel = 0;
    for (int action = 1; !r.AtEnd(); ++action) {
        const std::string which = "第 " + std::to_string(action) + " 个动作";
        uint64_t command;
        if (!r.Number("动作", command))
            return false;
        const uint64_t length = (command >> 2) + 1;
        if (length > targetSize - out)
            return r.Fail(which + "写到目标文件末尾之后");
        switch (command & 3) {
        case SourceRead:
            if (out + length > source.size())
                return r.Fail(which + "（原样读取）超出原始映像");
            std::memcpy(&target[out], &source[out], length);
            break;
        case TargetRead: {
            const size_t from = r.At();
            if (!r.Skip(length, "目标数据"))
                return false;
            std::memcpy(&target[out], &patch[from], length);
            break;
        }
        case SourceCopy: {
            int64_t delta;
            if (!r.Signed("源偏移", delta))
                return false;
            sourceRel += delta;
            if (sourceRel < 0 || static_cast<uint64_t>(sourceRel) > source.size() ||
                length > source.size() - static_cast<uint64_t>(sourceRel))
                return r.Fail(which + "（从原始映像复制）超出原始映像");
            std::memcpy(&target[out], &source[static_cast<size_t>(sourceRel)], length);
            sourceRel += static_cast<int64_t>(length);
            break;
        }
        case TargetCopy: {
            int64_t delta;
            if (!r.Signed("目标偏移", delta))
                return false;
            targetRel += delta;
            if (targetRel < 0 || static_cast<uint64_t>(targetRel) >= out)
                return r.Fail(which + "（从目标复制）指向尚未写出的字节");
            // Byte by byte: the copy may read what it has just written (a repeated pattern).
            for (uint64_t k = 0; k < length; ++k)
                target[out + k] = target[static_cast<size_t>(targetRel++)];
            break;
        }
        }
        out += length;
    }
    if (out != targetSize) {
        error = "BPS 补丁不完整：动作只写出 " + std::to_string(out) + " 字节，目标应有 " +
                std::to_string(targetSize) + " 字节。";
        return false;
    }
    const uint32_t targetCrc = Crc32(target.data(), target.size());
    if (targetCrc != Little32(patch, end + 4)) {
        error = "BPS 补丁有误：结果的 CRC32 为 " + Hex(targetCrc) + "，补丁记录的是 " +
                Hex(Little32(patch, end + 4)) + "。";
        return false;
    }
    return true;
}

} // namespace dravik::rom
