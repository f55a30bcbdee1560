#pragma once
// What a save changes and the journal that records it, as bytes: the runs of differing bytes of two
// contents, the journal's encoding and the test a roll-back makes of each range. Standard C++, so
// that the window, the full command line and the plain `dravik` share it.
#include <cstdint>
#include <vector>

#include "rom/Passes.h"

namespace dravik::rom {

// One run of bytes a save changes: where it starts, the bytes the file holds there now and the
// new ones (of the same length).
struct RangeChange {
    uint32_t offset = 0;
    Bytes before;
    Bytes after;
};

// The runs of differing bytes between two readings of the same stretches of one image.
std::vector<RangeChange> ChangedRanges(const std::vector<ImagePart>& before,
                                       const std::vector<ImagePart>& after);

// What turns one content of a file into another, the size included.
struct ImagePatch {
    uint64_t oldSize = 0;
    uint64_t newSize = 0;
    std::vector<RangeChange> changes; // within both sizes
    Bytes oldTail;                    // newSize < oldSize: the bytes from newSize on that go
    Bytes newTail;                    // newSize > oldSize: the bytes from oldSize on that come

    bool Empty() const { return changes.empty() && oldSize == newSize; }
    uint64_t ChangedBytes() const;
};
ImagePatch DiffContents(const Bytes& before, const Bytes& after);
ImagePatch DiffContents(const uint8_t* before, size_t beforeSize, const uint8_t* after, size_t afterSize);

// A journal's content. Bound to one file: device and inode (0 where the system has none).
struct JournalRange {
    uint64_t offset = 0;
    Bytes before; // empty for bytes a save appends
    Bytes after;  // empty for bytes a save cuts off
};
struct Journal {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t oldSize = 0;
    uint64_t newSize = 0;
    std::vector<JournalRange> ranges;
};
// The largest journal a save can write: twice the largest image, and its bookkeeping.
constexpr uint64_t kMaximumJournalSize = 2 * kMaximumImageSize + (uint64_t(1) << 20);
Bytes EncodeJournal(const Journal& journal);
enum class JournalForm {
    Whole,    // complete, checksum right
    CutShort, // a journal whose writing was cut short: the image was never touched
    Foreign,  // not a journal this program writes
};
JournalForm DecodeJournal(const Bytes& data, Journal& journal);

// Whether the n bytes at p are what a write of first over rest leaves when cut short anywhere:
// first's leading bytes, then rest's from there on (either may be all of it).
bool PartWritten(const uint8_t* p, size_t n, const Bytes& first, const Bytes& rest);

} // namespace dravik::rom
