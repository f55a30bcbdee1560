#include "rom/Bps.h"

#include <cstring>
#include <sstream>

#include "rom/Crc32.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
enum Action { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

// Below this an unchanged stretch is cheaper inside a literal than as its own action.
constexpr size_t kMinSourceRead = 3;
// Copies are found through the source's 8-byte strings.
constexpr size_t kKey = 8;
// The index of the source's 8-byte strings at every fourth position (every k-th in a source of
// more than 4 * kMaxIndexed bytes): a hash of about one slot per two positions, at most 2^19, with
// a chain through every earlier position of the same hash, newest first. A match of 11 bytes or
// more is found from one of its first four bytes; the index of a 2 MiB source takes 3 MiB, of
// any source at most 18 MiB. (Every page of it is touched once: its size is its cost.)
constexpr int kMinHashBits = 8;
constexpr int kMaxHashBits = 19;
constexpr size_t kMaxIndexed = size_t{1} << 22;
constexpr int kMaxChain = 48;
// A stretch this long is taken as soon as it is found.
constexpr size_t kGoodEnough = 4096;

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

size_t NumberSize(uint64_t value)
{
    size_t n = 1;
    while (value >= 0x80) {
        value = (value >> 7) - 1;
        ++n;
    }
    return n;
}

void PutCrc(Bytes& out, uint32_t crc)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(crc >> (8 * i)));
}

uint64_t RelativeCode(int64_t delta)
{
    return (static_cast<uint64_t>(delta < 0 ? -delta : delta) << 1) | (delta < 0 ? 1 : 0);
}

uint64_t Load64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

uint32_t Key(const uint8_t* p, int bits)
{
    return static_cast<uint32_t>((Load64(p) * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

// How many bytes a and b have in common from the start, at most max.
size_t Common(const uint8_t* a, const uint8_t* b, size_t max)
{
    size_t n = 0;
    while (n + 8 <= max && Load64(a + n) == Load64(b + n))
        n += 8;
    while (n < max && a[n] == b[n])
        ++n;
    return n;
}

int HashBits(size_t indexed)
{
    int bits = kMinHashBits;
    while (bits < kMaxHashBits && (size_t{2} << bits) < indexed)
        ++bits;
    return bits;
}

// A candidate action at one target position.
struct Match {
    Action action = TargetRead;
    size_t length = 0;
    size_t from = 0; // source offset (SourceCopy) or target offset (TargetCopy)
    size_t cost = SIZE_MAX;

    bool Beats(const Match& other) const
    {
        return length > cost && (other.length <= other.cost || length - cost > other.length - other.cost);
    }
};

class Encoder {
public:
    Encoder(const Bytes& source, const Bytes& target, Bytes& out) : s_(source), t_(target), out_(out) {}

    void Run()
    {
        size_t i = 0;
        while (i < t_.size()) {
            // Unchanged bytes at the same place.
            size_t n = Common(s_.data() + std::min(i, s_.size()), &t_[i], Room(i));
            if (n >= kMinSourceRead || (n > 0 && i + n == t_.size())) {
                const size_t back = Back(i, i);
                n += back;
                i -= back;
                Flush(i);
                Command(SourceRead, n);
                i += n;
                continue;
            }
            const Match m = Best(i);
            if (m.length == 0) {
                // A literal byte. In a long literal not every position is searched: what is found
                // later is stretched back over the bytes skipped.
                if (literal_ == SIZE_MAX)
                    literal_ = i;
                i += 1 + std::min<size_t>((i - literal_) >> 4, 63);
                continue;
            }
            i = Take(i, m);
        }
        Flush(t_.size());
    }

private:
    size_t Room(size_t i) const { return i < s_.size() ? std::min(s_.size(), t_.size()) - i : 0; }

    // How far a match of target i with source at can be stretched back into the pending literal.
    size_t Back(size_t i, size_t at) const
    {
        if (literal_ == SIZE_MAX)
            return 0;
        size_t n = 0;
        while (i - n > literal_ && at - n > 0 && at - n <= s_.size() && s_[at - n - 1] == t_[i - n - 1])
            ++n;
        return n;
    }

    size_t Take(size_t i, Match m)
    {
        if (m.action == SourceCopy) {
            const size_t back = Back(i, m.from);
            i -= back;
            m.from -= back;
            m.length += back;
        } else {
            while (literal_ != SIZE_MAX && i >= 2 && i - 1 >= literal_ && t_[i - 2] == t_[i - 1]) {
                --i;
                ++m.length;
            }
        }
        Flush(i);
        Command(m.action, m.length);
        if (m.action == SourceCopy) {
            PutNumber(out_, RelativeCode(static_cast<int64_t>(m.from) - sourceRel_));
            sourceRel_ = static_cast<int64_t>(m.from + m.length);
            shift_ = static_cast<int64_t>(m.from) - static_cast<int64_t>(i);
        } else {
            m.from = i - 1;
            PutNumber(out_, RelativeCode(static_cast<int64_t>(m.from) - targetRel_));
            targetRel_ = static_cast<int64_t>(m.from + m.length);
        }
        return i + m.length;
    }

    // The cheapest way to go on at target i other than a literal: the byte before repeated, the
    // source where the last copy would continue, or any place of the source with the same 8 bytes.
    Match Best(size_t i)
    {
        Match best;
        if (i > 0) {
            Match repeat{TargetCopy, 0, i - 1, 0};
            while (i + repeat.length < t_.size() && t_[i + repeat.length] == t_[i - 1])
                ++repeat.length;
            repeat.cost = CommandSize(repeat.length) +
                          NumberSize(RelativeCode(static_cast<int64_t>(i - 1) - targetRel_)) + 1;
            if (repeat.Beats(best))
                best = repeat;
        }
        const int64_t shifted = static_cast<int64_t>(i) + shift_;
        if (shift_ != 0 && shifted >= 0 && static_cast<size_t>(shifted) < s_.size())
            Consider(i, static_cast<size_t>(shifted), 0, best);
        if (i + kKey > t_.size() || s_.size() < kKey || best.length >= kGoodEnough ||
            i + best.length == t_.size())
            return best;
        if (head_.empty())
            Index();
        for (size_t k = 0; k < stride_ && i + k + kKey <= t_.size(); ++k) {
            uint32_t at = head_[Key(&t_[i + k], hashBits_)];
            const uint64_t key = Load64(&t_[i + k]);
            for (int depth = 0; at != UINT32_MAX && depth < kMaxChain; ++depth, at = chain_[at / stride_]) {
                if (at >= k && Load64(&s_[at]) == key)
                    Consider(i, at - k, k == 0 ? kKey : 0, best);
                if (best.length >= kGoodEnough)
                    return best;
            }
        }
        return best;
    }

    void Consider(size_t i, size_t at, size_t known, Match& best) const
    {
        Match copy{SourceCopy, 0, at, 0};
        copy.length = known + Common(s_.data() + at + known, t_.data() + i + known,
                                     std::min(s_.size() - at, t_.size() - i) - known);
        copy.cost =
            CommandSize(copy.length) + NumberSize(RelativeCode(static_cast<int64_t>(at) - sourceRel_)) + 1;
        if (copy.Beats(best))
            best = copy;
    }

    void Index()
    {
        stride_ = std::max<size_t>(4, (s_.size() + kMaxIndexed - 1) / kMaxIndexed);
        hashBits_ = HashBits(s_.size() / stride_);
        head_.assign(size_t{1} << hashBits_, UINT32_MAX);
        chain_.resize(s_.size() / stride_ + 1);
        for (size_t at = 0; at + kKey <= s_.size(); at += stride_) {
            uint32_t& slot = head_[Key(&s_[at], hashBits_)];
            chain_[at / stride_] = slot;
            slot = static_cast<uint32_t>(at);
        }
    }

    static size_t CommandSize(size_t length) { return NumberSize(uint64_t{length - 1} << 2); }

    void Command(Action action, size_t length) { PutNumber(out_, (uint64_t{length - 1} << 2) | action); }

    void Flush(size_t end)
    {
        if (literal_ != SIZE_MAX && literal_ < end) {
            Command(TargetRead, end - literal_);
            out_.insert(out_.end(), t_.begin() + static_cast<long>(literal_),
                        t_.begin() + static_cast<long>(end));
        }
        literal_ = SIZE_MAX;
    }

    const Bytes& s_;
    const Bytes& t_;
    Bytes& out_;
    size_t stride_ = 1;
    int hashBits_ = kMinHashBits;
    std::vector<uint32_t> head_;  // built at the first search
    std::vector<uint32_t> chain_; // the position before with the same hash, per indexed position
    size_t literal_ = SIZE_MAX;
    int64_t sourceRel_ = 0;
    int64_t targetRel_ = 0;
    int64_t shift_ = 0; // source offset less target offset of the last source copy
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
    Reader(const Bytes& patch, size_t end, std::optional<Error>& error) : p_(patch), end_(end), error_(error)
    {
    }

    bool Number(const char* what, uint64_t& value)
    {
        value = 0;
        uint64_t shift = 1;
        while (true) {
            if (at_ >= end_)
                return Fail(Fill(Patches::tr("在%1处被截断"), Patches::tr(what)));
            const uint8_t x = p_[at_++];
            if (shift > (uint64_t{1} << 56))
                return Fail(Fill(Patches::tr("%1的数值过长"), Patches::tr(what)));
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
            return Fail(Fill(Patches::tr("%1超出范围"), Patches::tr(what)));
        value = (raw & 1) ? -static_cast<int64_t>(raw >> 1) : static_cast<int64_t>(raw >> 1);
        return true;
    }

    bool Skip(uint64_t n, const char* what)
    {
        if (n > end_ - at_)
            return Fail(Fill(Patches::tr("在%1处被截断"), Patches::tr(what)));
        at_ += n;
        return true;
    }

    bool Fail(const std::string& what)
    {
        error_ = Error::Failure(Fill(Patches::tr("BPS 补丁有误：%1（补丁第 %2 字节）。"), what, at_));
        return false;
    }

    size_t At() const { return at_; }
    bool AtEnd() const { return at_ >= end_; }
    void Seek(size_t at) { at_ = at; }

private:
    const Bytes& p_;
    size_t end_;
    std::optional<Error>& error_;
    size_t at_ = 0;
};

constexpr size_t kFooter = 12;
} // namespace

bool IsBps(const Bytes& patch) { return patch.size() >= 4 && std::memcmp(patch.data(), "BPS1", 4) == 0; }

bool BpsSource(const Bytes& patch, uint64_t& size, uint32_t& crc)
{
    if (!IsBps(patch) || patch.size() < 4 + 3 + kFooter)
        return false;
    std::optional<Error> ignored;
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

std::optional<Error> ApplyBps(const Bytes& patch, const Bytes& source, Bytes& target)
{
    if (!IsBps(patch))
        return Error::Failure(Fill(Patches::tr("这不是 BPS 补丁：文件不以 \"BPS1\" 开头。")));
    const size_t n = patch.size();
    if (n < 4 + 3 + kFooter)
        return Error::Failure(Fill(Patches::tr("BPS 补丁不完整：只有 %n 字节，放不下三个长度和三个 CRC32。",
                                               nullptr, PluralCount(n))));
    const uint32_t patchCrc = Crc32(patch.data(), n - 4);
    if (patchCrc != Little32(patch, n - 4))
        return Error::Failure(
            Fill(Patches::tr("BPS 补丁已损坏或不完整：补丁自身的 CRC32 不符（记录为 %1，实际为 %2）。"),
                 Hex(Little32(patch, n - 4)), Hex(patchCrc)));
    const size_t end = n - kFooter;
    std::optional<Error> error;
    Reader r(patch, end, error);
    const auto refuse = [&](const std::string& what) {
        r.Fail(what);
        return error;
    };
    r.Seek(4);
    uint64_t sourceSize, targetSize, metadataSize;
    if (!r.Number(QT_TRANSLATE_NOOP("Patches", "源文件长度"), sourceSize) ||
        !r.Number(QT_TRANSLATE_NOOP("Patches", "目标文件长度"), targetSize) ||
        !r.Number(QT_TRANSLATE_NOOP("Patches", "元数据长度"), metadataSize) ||
        !r.Skip(metadataSize, QT_TRANSLATE_NOOP("Patches", "元数据")))
        return error;
    if (sourceSize != source.size())
        return Error::Failure(Fill(
            Patches::tr("补丁不适用于这个 ROM：补丁要求原始映像有 %1 字节，而它有 %2 字节（大小不符）。"),
            sourceSize, source.size()));
    const uint32_t sourceCrc = Crc32(source.data(), source.size());
    if (sourceCrc != Little32(patch, end))
        return Error::Failure(Fill(
            Patches::tr(
                "补丁不适用于这个 ROM：补丁要求原始映像的 CRC32 为 %1，而它是 %2（大小相同，内容不同）。"),
            Hex(Little32(patch, end)), Hex(sourceCrc)));
    if (targetSize > kBpsTargetLimit)
        return refuse(Fill(Patches::tr("目标文件长度 %1 字节过大"), targetSize));
    target.assign(targetSize, 0);
    uint64_t out = 0;
    int64_t sourceRel = 0, targetRel = 0;
    for (int action = 1; !r.AtEnd(); ++action) {
        uint64_t command;
        if (!r.Number(QT_TRANSLATE_NOOP("Patches", "动作"), command))
            return error;
        const uint64_t length = (command >> 2) + 1;
        if (length > targetSize - out)
            return refuse(Fill(Patches::tr("第 %1 个动作写到目标文件末尾之后"), action));
        switch (command & 3) {
        case SourceRead:
            if (out + length > source.size())
                return refuse(Fill(Patches::tr("第 %1 个动作（原样读取）超出原始映像"), action));
            std::memcpy(&target[out], &source[out], length);
            break;
        case TargetRead: {
            const size_t from = r.At();
            if (!r.Skip(length, QT_TRANSLATE_NOOP("Patches", "目标数据")))
                return error;
            std::memcpy(&target[out], &patch[from], length);
            break;
        }
        case SourceCopy: {
            int64_t delta;
            if (!r.Signed(QT_TRANSLATE_NOOP("Patches", "源偏移"), delta))
                return error;
            sourceRel += delta;
            if (sourceRel < 0 || static_cast<uint64_t>(sourceRel) > source.size() ||
                length > source.size() - static_cast<uint64_t>(sourceRel))
                return refuse(Fill(Patches::tr("第 %1 个动作（从原始映像复制）超出原始映像"), action));
            std::memcpy(&target[out], &source[static_cast<size_t>(sourceRel)], length);
            sourceRel += static_cast<int64_t>(length);
            break;
        }
        case TargetCopy: {
            int64_t delta;
            if (!r.Signed(QT_TRANSLATE_NOOP("Patches", "目标偏移"), delta))
                return error;
            targetRel += delta;
            if (targetRel < 0 || static_cast<uint64_t>(targetRel) >= out)
                return refuse(Fill(Patches::tr("第 %1 个动作（从目标复制）指向尚未写出的字节"), action));
            // Byte by byte: the copy may read what it has just written (a repeated pattern).
            for (uint64_t k = 0; k < length; ++k)
                target[out + k] = target[static_cast<size_t>(targetRel++)];
            break;
        }
        }
        out += length;
    }
    if (out != targetSize)
        return Error::Failure(Fill(
            Patches::tr("BPS 补丁不完整：动作只写出 %n 字节，目标应有 %1 字节。", nullptr, PluralCount(out)),
            targetSize));
    const uint32_t targetCrc = Crc32(target.data(), target.size());
    if (targetCrc != Little32(patch, end + 4))
        return Error::Failure(Fill(Patches::tr("BPS 补丁有误：结果的 CRC32 为 %1，补丁记录的是 %2。"),
                                   Hex(targetCrc), Hex(Little32(patch, end + 4))));
    return std::nullopt;
}

} // namespace dravik::rom
