#include "rom/IpsBytes.h"

#include <algorithm>
#include <cstring>

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

class Writer {
public:
    Writer(const uint8_t* target, std::vector<uint8_t>& out) : target_(target), out_(out) {}

    void Literal(uint32_t start, uint32_t end)
    {
        if (start >= end)
            return;
        if (start == kIpsEofOffset)
            --start; // rewriting one byte the target already holds costs less than any other fix
        while (start < end) {
            const uint32_t length = Chunk(start, end);
            Header(start, length);
            out_.insert(out_.end(), target_ + start, target_ + start + length);
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

    const uint8_t* target_;
    std::vector<uint8_t>& out_;
};

// Emits [start, end) as literal records, with runs of one value as run records wherever that
// is shorter.
void Emit(Writer& w, const uint8_t* target, uint32_t start, uint32_t end)
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

uint32_t Big(const uint8_t* p, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[at + static_cast<size_t>(i)];
    return v;
}
} // namespace

bool IsIpsPatch(const uint8_t* patch, size_t size)
{
    return size >= 5 && std::memcmp(patch, "PATCH", 5) == 0;
}

IpsFault MakeIpsPatch(const uint8_t* source, size_t sourceSize, const uint8_t* target, size_t size,
                      std::vector<uint8_t>& patch)
{
    if (sourceSize > kIpsLimit || size > kIpsLimit) {
        IpsFault fault;
        fault.kind = sourceSize > kIpsLimit ? IpsFault::Kind::SourceTooLarge : IpsFault::Kind::TargetTooLarge;
        fault.count = std::max(sourceSize, size);
        return fault;
    }
    patch.assign({'P', 'A', 'T', 'C', 'H'});
    Writer w(target, patch);
    const size_t common = std::min(sourceSize, size);
    auto differs = [&](size_t i) { return i >= common || source[i] != target[i]; };
    size_t i = 0;
    while (i < size) {
        if (i < common && source[i] == target[i]) {
            // Skip identical stretches a block at a time.
            if (i % 64 == 0 && i + 64 <= common && std::memcmp(source + i, target + i, 64) == 0)
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
    if (size < sourceSize)
        for (int k = 2; k >= 0; --k)
            patch.push_back(static_cast<uint8_t>(size >> (8 * k)));
    return {};
}

namespace {
// One record of a patch: a run (size bytes of one value) or its literal bytes.
struct Record {
    uint32_t offset = 0;
    uint32_t size = 0;
    const uint8_t* data = nullptr; // the literal bytes, or the run's value
    bool run = false;
};

// Reads every record of the patch in order, handing each to visit; cutTo is the size the target is
// cut to after "EOF", or -1 when the patch gives none.
template <typename Visit> IpsFault ReadRecords(const uint8_t* patch, size_t n, int64_t& cutTo, Visit&& visit)
{
    IpsFault fault;
    if (!IsIpsPatch(patch, n)) {
        fault.kind = IpsFault::Kind::NotIps;
        return fault;
    }
    const auto cut = [&](size_t at, IpsFault::Missing missing) {
        fault.kind = IpsFault::Kind::Cut;
        fault.at = at;
        fault.missing = missing;
        return fault;
    };
    size_t p = 5;
    while (true) {
        if (p + 3 > n)
            return cut(p, IpsFault::Missing::OffsetOrEof);
        if (std::memcmp(patch + p, "EOF", 3) == 0) {
            p += 3;
            break;
        }
        ++fault.record;
        Record record;
        record.offset = Big(patch, p, 3);
        fault.offset = record.offset;
        p += 3;
        if (p + 2 > n)
            return cut(p, IpsFault::Missing::Length);
        record.size = Big(patch, p, 2);
        p += 2;
        record.run = record.size == 0;
        if (record.run) {
            if (p + 3 > n)
                return cut(p, IpsFault::Missing::RunCountAndValue);
            record.size = Big(patch, p, 2);
            if (record.size == 0) {
                fault.kind = IpsFault::Kind::ZeroRun;
                return fault;
            }
            record.data = patch + p + 2;
            p += 3;
        } else {
            if (p + record.size > n) {
                fault.count = record.size;
                fault.left = n - p;
                return cut(n, IpsFault::Missing::Data);
            }
            record.data = patch + p;
            p += record.size;
        }
        const uint64_t end = uint64_t{record.offset} + record.size;
        if (end > kIpsLimit) {
            fault.kind = IpsFault::Kind::PastLimit;
            fault.count = end;
            return fault;
        }
        visit(record);
    }
    fault.record = 0;
    cutTo = -1;
    if (p == n)
        return {};
    if (n - p != 3) {
        fault.kind = IpsFault::Kind::TrailingBytes;
        fault.count = n - p;
        return fault;
    }
    cutTo = Big(patch, p, 3);
    return {};
}
} // namespace

IpsFault PlanIpsPatch(const uint8_t* patch, size_t n, size_t sourceSize, size_t join, size_t& targetSize,
                      std::vector<IpsStretch>* stretches)
{
    int64_t cutTo = -1;
    uint64_t end = sourceSize;
    if (stretches)
        stretches->clear();
    const IpsFault fault = ReadRecords(patch, n, cutTo, [&](const Record& r) {
        end = std::max(end, uint64_t{r.offset} + r.size);
        if (stretches)
            stretches->push_back({r.offset, r.size});
    });
    if (fault)
        return fault;
    targetSize = cutTo < 0 ? static_cast<size_t>(end) : static_cast<size_t>(cutTo);
    if (!stretches)
        return {};
    // Ascending, cut to the target, and joined where they meet, overlap or lie closer than join.
    std::sort(stretches->begin(), stretches->end(),
              [](const IpsStretch& a, const IpsStretch& b) { return a.offset < b.offset; });
    size_t kept = 0;
    for (const IpsStretch& s : *stretches) {
        const size_t stop = std::min(s.offset + s.size, targetSize);
        if (s.offset >= stop)
            continue;
        IpsStretch& last = (*stretches)[kept > 0 ? kept - 1 : 0];
        if (kept > 0 && s.offset <= last.offset + last.size + join)
            last.size = std::max(last.size, stop - last.offset);
        else
            (*stretches)[kept++] = {s.offset, stop - s.offset};
    }
    stretches->resize(kept);
    return {};
}

void WriteIpsRecords(const uint8_t* patch, size_t n, const std::vector<IpsStretch>& stretches, uint8_t* bytes)
{
    if (stretches.empty())
        return;
    std::vector<size_t> at(stretches.size()); // where each stretch starts in bytes
    for (size_t k = 1; k < stretches.size(); ++k)
        at[k] = at[k - 1] + stretches[k - 1].size;
    const size_t targetEnd = stretches.back().offset + stretches.back().size;
    int64_t cutTo = -1;
    ReadRecords(patch, n, cutTo, [&](const Record& r) {
        if (r.offset >= targetEnd)
            return;
        // The stretch a record's first byte lies in holds all of it that lies in the target.
        const auto k = static_cast<size_t>(
            std::upper_bound(stretches.begin(), stretches.end(), size_t{r.offset},
                             [](size_t offset, const IpsStretch& s) { return offset < s.offset; }) -
            stretches.begin() - 1);
        const IpsStretch& s = stretches[k];
        const size_t size = std::min<size_t>(r.size, s.offset + s.size - r.offset);
        uint8_t* out = bytes + at[k] + (r.offset - s.offset);
        if (r.run)
            std::memset(out, *r.data, size);
        else if (size > 0)
            std::memcpy(out, r.data, size);
    });
}

IpsFault ApplyIpsPatch(const uint8_t* patch, size_t n, const uint8_t* source, size_t sourceSize,
                       std::vector<uint8_t>& target)
{
    size_t size = 0;
    if (const IpsFault fault = PlanIpsPatch(patch, n, sourceSize, 0, size, nullptr))
        return fault;
    target.assign(source, source + std::min(size, sourceSize));
    target.resize(size, 0);
    WriteIpsRecords(patch, n, {{0, size}}, target.data());
    return {};
}

} // namespace dravik::rom
