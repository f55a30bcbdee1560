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
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rom/FileOps.h"
#include "rom/JournalFiles.h"
#include "rom/Passes.h"

namespace dravik::rom {

// Writes the patch into the file, whose content at each change is its before. A failure says
// what failed, why, and what state the file is in.
std::optional<Error> PatchInPlace(const std::string& path, const ImagePatch& patch, FileOps& ops);
std::optional<Error> PatchInPlace(const std::string& path, uint64_t imageSize,
                                  const std::vector<RangeChange>& changes, FileOps& ops);

// Rolls back a save of path that was cut short. Fails when a journal exists but may not or
// cannot be applied; it is then kept and the file is left as it is. notice says what was done,
// if anything.
std::optional<Error> RecoverInterruptedSave(const std::string& path, FileOps& ops, std::string& notice);

// Serialises saves (and roll-backs) of one image across processes. A lock left by a process that
// no longer runs is taken over.
class SaveLock {
public:
    std::optional<Error> Acquire(const std::string& path, FileOps& ops, int timeoutMs);

private:
    LockFile lock_;
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
