#include "rom/JournalBytes.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

namespace dravik::rom {

namespace {
const char kMagic[8] = {'D', 'R', 'V', 'K', 'J', 'R', 'N', '2'};

uint64_t Fnv1a(const uint8_t* data, size_t size)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 1099511628211ull;
    return h;
}

void PutLe(Bytes& out, uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint64_t GetLe(const Bytes& in, size_t at, int width)
{
    uint64_t v = 0;
    for (int i = 0; i < width; ++i)
        v |= static_cast<uint64_t>(in[at + i]) << (8 * i);
    return v;
}

} // namespace

bool PartWritten(const uint8_t* p, size_t n, const Bytes& first, const Bytes& rest)
{
    size_t k = 0; // p agrees with first up to k
    while (k < n && k < first.size() && p[k] == first[k])
        ++k;
    size_t from = n; // p agrees with rest from here on
    while (from > 0 && from - 1 < rest.size() && p[from - 1] == rest[from - 1])
        --from;
    return from <= k;
}

uint64_t ImagePatch::ChangedBytes() const
{
    uint64_t n = oldTail.size() + newTail.size();
    for (const RangeChange& c : changes)
        n += c.before.size();
    return n;
}

namespace {
// Where a (up to aEnd) first differs from b: equal stretches are skipped a block at a time, as a
// rewrite of an image mostly finds them.
std::pair<const uint8_t*, const uint8_t*> FirstDifference(const uint8_t* a, const uint8_t* aEnd,
                                                          const uint8_t* b)
{
    for (const ptrdiff_t block : {ptrdiff_t{4096}, ptrdiff_t{64}})
        while (aEnd - a >= block && std::memcmp(a, b, static_cast<size_t>(block)) == 0)
            a += block, b += block;
    return std::mismatch(a, aEnd, b);
}

// Adds the runs of differing bytes of a and b (n bytes each, at offset in the file) to changes.
void AddChangedRuns(uint64_t offset, const uint8_t* a, const uint8_t* b, size_t n,
                    std::vector<RangeChange>& changes)
{
    const uint8_t* const aEnd = a + n;
    auto [from, to] = FirstDifference(a, aEnd, b);
    while (from != aEnd) {
        const auto [end, toEnd] = std::mismatch(from, aEnd, to, std::not_equal_to<>());
        changes.push_back({static_cast<uint32_t>(offset + static_cast<size_t>(from - a)), Bytes(from, end),
                           Bytes(to, toEnd)});
        std::tie(from, to) = FirstDifference(end, aEnd, toEnd);
    }
}
} // namespace

ImagePatch DiffContents(const uint8_t* before, size_t beforeSize, const uint8_t* after, size_t afterSize)
{
    ImagePatch patch;
    patch.oldSize = beforeSize;
    patch.newSize = afterSize;
    const size_t common = std::min(beforeSize, afterSize);
    AddChangedRuns(0, before, after, common, patch.changes);
    patch.oldTail.assign(before + common, before + beforeSize);
    patch.newTail.assign(after + common, after + afterSize);
    return patch;
}

ImagePatch DiffContents(const Bytes& before, const Bytes& after)
{
    return DiffContents(before.data(), before.size(), after.data(), after.size());
}

Bytes EncodeJournal(const Journal& j)
{
    // magic, device, inode, old size, new size, range count, then per range its offset, the
    // lengths of its old and new bytes and the bytes; last a checksum of all before it.
    Bytes out(kMagic, kMagic + sizeof kMagic);
    for (const uint64_t v : {j.device, j.inode, j.oldSize, j.newSize})
        PutLe(out, v, 8);
    PutLe(out, j.ranges.size(), 4);
    for (const JournalRange& r : j.ranges) {
        PutLe(out, r.offset, 8);
        PutLe(out, r.before.size(), 4);
        PutLe(out, r.after.size(), 4);
        out.insert(out.end(), r.before.begin(), r.before.end());
        out.insert(out.end(), r.after.begin(), r.after.end());
    }
    PutLe(out, Fnv1a(out.data(), out.size()), 8);
    return out;
}

JournalForm DecodeJournal(const Bytes& in, Journal& j)
{
    j = Journal();
    const size_t magic = sizeof kMagic;
    // Written in one go from the start: a prefix of the magic is a journal cut short.
    if (!std::equal(in.begin(), in.begin() + static_cast<long>(std::min(in.size(), magic)), kMagic))
        return JournalForm::Foreign;
    constexpr size_t kHeader = sizeof kMagic + 4 * 8 + 4;
    if (in.size() < kHeader + 8)
        return JournalForm::CutShort;
    const size_t body = in.size() - 8;
    if (GetLe(in, body, 8) != Fnv1a(in.data(), body))
        return JournalForm::CutShort;
    j.device = GetLe(in, 8, 8);
    j.inode = GetLe(in, 16, 8);
    j.oldSize = GetLe(in, 24, 8);
    j.newSize = GetLe(in, 32, 8);
    const uint64_t count = GetLe(in, 40, 4);
    if (j.oldSize > kMaximumImageSize || j.newSize > kMaximumImageSize)
        return JournalForm::Foreign;
    size_t at = kHeader;
    uint64_t end = 0; // ranges come in order and never overlap, as a save writes them
    for (uint64_t i = 0; i < count; ++i) {
        if (body - at < 16)
            return JournalForm::Foreign;
        JournalRange r;
        r.offset = GetLe(in, at, 8);
        const uint64_t before = GetLe(in, at + 8, 4), after = GetLe(in, at + 12, 4);
        at += 16;
        if (body - at < before || body - at - before < after || r.offset > kMaximumImageSize ||
            r.offset + before > j.oldSize || r.offset + after > j.newSize || r.offset < end)
            return JournalForm::Foreign;
        end = r.offset + std::max(before, after);
        r.before.assign(in.begin() + static_cast<long>(at), in.begin() + static_cast<long>(at + before));
        at += before;
        r.after.assign(in.begin() + static_cast<long>(at), in.begin() + static_cast<long>(at + after));
        at += after;
        j.ranges.push_back(std::move(r));
    }
    return at == body ? JournalForm::Whole : JournalForm::Foreign;
}

std::vector<RangeChange> ChangedRanges(const std::vector<ImagePart>& before,
                                       const std::vector<ImagePart>& after)
{
    std::vector<RangeChange> changes;
    for (size_t p = 0; p < before.size() && p < after.size(); ++p)
        AddChangedRuns(before[p].offset, before[p].bytes.data(), after[p].bytes.data(),
                       std::min(before[p].bytes.size(), after[p].bytes.size()), changes);
    return changes;
}

} // namespace dravik::rom
