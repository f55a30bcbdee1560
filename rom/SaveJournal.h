#pragma once
// Patching an image in place under a rollback journal, and rolling back a save that was cut
// short. Only the bytes that change are written into the existing file, so the image keeps its
// inode, owner, mode, links and attributes; the old bytes of every changed range go to a journal
// first (beside the image, or in the data folder when the image's folder takes no new files),
// and the journal is removed only once the new bytes are on disk. A journal found at Open means
// a save never finished: its old bytes are written back.
#include <QLockFile>
#include <memory>
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

// Writes the changes into the file of imageSize bytes, whose content at each change is its
// before. On failure, error says what failed, why, and what state the file is in.
bool PatchInPlace(const std::string& path, uint64_t imageSize, const std::vector<RangeChange>& changes,
                  FileOps& ops, std::string& error);

// Rolls back a save of path that was cut short. False (with error) when a journal exists but
// cannot be applied; notice says what was done, if anything.
bool RecoverInterruptedSave(const std::string& path, FileOps& ops, std::string& notice, std::string& error);

// The journal files a save of path may leave: beside the image and in the data folder.
std::vector<std::string> JournalPaths(const std::string& path);

// Serialises saves (and roll-backs) of one image across processes. A lock left by a process that
// no longer runs is taken over.
class SaveLock {
public:
    bool Acquire(const std::string& path, FileOps& ops, int timeoutMs, std::string& error);

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace dravik::rom
