#pragma once
// Patching an image in place under a rollback journal, rolling back a save that was cut short,
// and the one guarded way every command changes an existing image.
//
// Only the bytes that change are written into the existing file, so the image keeps its inode,
// owner, mode, links and attributes. The journal is bound to the file (device and inode, sizes)
// and holds the old and the new bytes of every changed range; it is on disk before the image is
// touched and removed only once the new bytes are. A journal found later means a save never
// finished: its old bytes are written back, but only into the same file and only where every
// range still holds its old bytes, its new ones, or a write of either cut short. Anything else
// means someone changed the file since, and the journal is kept and reported instead.
#include <QLockFile>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rom/FileOps.h"
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

// Writes the patch into the file, whose content at each change is its before. A failure says
// what failed, why, and what state the file is in.
std::optional<Error> PatchInPlace(const std::string& path, const ImagePatch& patch, FileOps& ops);
std::optional<Error> PatchInPlace(const std::string& path, uint64_t imageSize,
                                  const std::vector<RangeChange>& changes, FileOps& ops);

// Rolls back a save of path that was cut short. Fails when a journal exists but may not or
// cannot be applied; it is then kept and the file is left as it is. notice says what was done,
// if anything.
std::optional<Error> RecoverInterruptedSave(const std::string& path, FileOps& ops, std::string& notice);

// The journal files a save of path may leave: beside the image, and in the data folder under a
// name made from its path and one made from its device and inode (found from any hard link).
std::vector<std::string> JournalPaths(const std::string& path);
// The first of them that exists (a symbolic link or other odd file there counts), else empty.
std::string PendingJournal(const std::string& path);
bool JournalPending(const std::string& path);

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

// Serialises saves (and roll-backs) of one image across processes. A lock left by a process that
// no longer runs is taken over.
class SaveLock {
public:
    std::optional<Error> Acquire(const std::string& path, FileOps& ops, int timeoutMs);

private:
    std::unique_ptr<QLockFile> lock_;
};

// The one way a command changes an image file (the window's Save, import, apply, sample over an
// existing file, recovery). Begin takes the image's save lock and rolls back an interrupted save
// first; the lock is held until the writer is gone.
class ImageWriter {
public:
    explicit ImageWriter(std::shared_ptr<FileOps> ops = SystemFileOps()) : ops_(std::move(ops)) {}

    // Nothing to take for a file that does not exist yet.
    std::optional<Error> Begin(const std::string& path, int timeoutMs = kLockWaitMs);
    // Makes image the whole content of the file Begin took: an existing file is patched in place
    // under the journal (its size changed in place too), a new one written whole and renamed into
    // place. Refuses an empty image or one over kMaximumImageSize.
    std::optional<Error> Write(const Bytes& image);

    const std::string& Notice() const { return notice_; } // what Begin rolled back, if anything
    uint64_t ChangedBytes() const { return changed_; }
    FileOps& Ops() { return *ops_; }

    // Long enough for any save of another process to finish.
    static constexpr int kLockWaitMs = 10000;

private:
    std::shared_ptr<FileOps> ops_;
    SaveLock lock_;
    std::string path_;
    bool begun_ = false;
    bool existed_ = false;
    std::string notice_;
    uint64_t changed_ = 0;
};

} // namespace dravik::rom
