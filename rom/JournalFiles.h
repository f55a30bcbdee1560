#pragma once
// Where a save keeps its journal and lock, the in-place patch under the journal and the save
// lock, in standard C++ over rom/SystemFiles.h: one implementation that the window, the full
// command line and the plain `dravik` share. Failures come back as values that say which step
// failed and why (rom/SaveJournal.cpp puts them into words).
//
// The names stored files and running programs rely on: a journal beside the image (its name plus
// ".journal") or in the data folder's "journals" (named by the SHA-1 of the image's real path, or
// "file-DEVICE-INODE" for a file with more than one name), the image then marked with the journal's
// path (an extended attribute); a lock beside it (".lock") or in the data folder's "locks", in the
// format of Qt's QLockFile, so that a lock of either kind keeps the other out.
#include <cstdint>
#include <string>
#include <vector>

#include "rom/JournalBytes.h"
#include "rom/JournalNames.h"
#include "rom/SystemFiles.h"

namespace dravik::rom {

// The hex SHA-1 of bytes.
std::string Sha1Hex(const std::string& bytes);

// The folder this user's programs keep their data in: $XDG_DATA_HOME when it is set, else
// ~/.local/share (as Qt 6.4's generic data location has it). A program may give another source (the window
// and the full command line ask Qt, which has a test mode).
std::string DataHome();
using DataHomeSource = std::string (*)();
DataHomeSource SetDataHomeSource(DataHomeSource source); // null: the rules above; returns the one before

// The journal files a save of path may leave: beside the image, and in the data folder under a
// name made from its path and one made from its device and inode (found from any hard link), and
// the one the image is marked with when another user saved it.
std::vector<std::string> JournalPaths(const std::string& path);
// Those this user's saves use, for the image's real path.
std::vector<std::string> OwnJournalPaths(const std::string& real);
// The journal the image is marked with when it is not where this user's saves put theirs.
std::string ForeignMark(const std::string& real, const std::vector<std::string>& own);
// The first journal that exists (a symbolic link or other odd file there counts), else empty.
std::string PendingJournal(const std::string& path);
bool JournalPending(const std::string& path);
// The journal the image is marked with, or empty; the mark removed where it names journal.
std::string MarkOf(const std::string& image);
void Unmark(const std::string& image, const std::string& journal);
// The user a file belongs to is another than this process's.
bool OwnedByAnother(const std::string& path);

// Opens path, writes each range's bytes (before or after), sets the size, flushes and closes: 0 or
// -errno of the first step that failed. touched tells whether any write was tried.
int WriteRanges(FileOps& ops, const std::string& path, const std::vector<JournalRange>& ranges, bool after,
                uint64_t size, bool resize, bool* touched = nullptr);

// Why a journal may not be rolled back onto the file as it is now.
struct Mismatch {
    enum class Kind { None, Gone, Replaced, Size, Unreadable, Bytes } kind = Kind::None;
    uint64_t size = 0;   // Size: the file's size now
    uint64_t offset = 0; // Bytes: the range that holds neither its old bytes nor its new ones
    uint64_t length = 0;
    int cause = 0; // Unreadable: the error number
};
Mismatch RollBackMismatch(const Journal& journal, const std::string& path);

// Which step of a save failed, and why. cause and restoreCause are error numbers (positive).
struct SaveFault {
    enum class Step {
        None,
        Hold,         // the content hold: cause (EBUSY: the wait ran out), mode of an irregular file
        SizeChanged,  // the file's size is no longer the patch's old size (offset): found
        BytesChanged, // the file no longer holds the patch's old bytes at offset
        Unreadable,   // the file could not be read: cause
        NameTaken,    // another file has the journal's name
        JournalWrite, // the journal could not be written: cause
        NoMark,       // the journal is in the data folder and the image could not be marked: cause
        Write,        // writing the image failed: cause; restoreCause 0 when the old bytes are back
        Remove,       // removing the journal failed: cause; restoreCause 0 when the old bytes are back
        TooLarge,     // the image is larger than any image: found
    } step = Step::None;
    int cause = 0;
    int restoreCause = 0;
    bool touched = false; // Write: whether any new byte was tried
    unsigned mode = 0;
    uint64_t found = 0;
    uint64_t offset = 0;
    std::string journal;

    explicit operator bool() const { return step != Step::None; }
};

// Writes the patch into the file, whose content at each change is its before: the old and new
// bytes go to a journal, durable before the image is touched; then the new bytes in place (a
// failure puts the old ones back at once); removing the journal commits the save.
SaveFault PatchUnderJournal(const std::string& path, const ImagePatch& patch, FileOps& ops);

// Makes image the content of the existing file at path (read whole, at most kMaximumImageSize
// bytes) by patching the bytes that differ under the journal; changed says how many bytes that was.
SaveFault WriteInPlace(const std::string& path, const uint8_t* image, size_t size, FileOps& ops,
                       uint64_t* changed = nullptr);

// A lock file as Qt's QLockFile makes one: made with O_EXCL, holding the process id, the program's
// name, the host's name and its machine and boot ids on lines of their own, and held with flock
// for as long as it exists. A lock whose process no longer runs on this host (or that is older
// than 30 seconds) is stale and removed, never while a process holds it with flock.
class LockFile {
public:
    LockFile() = default;
    ~LockFile() { Release(); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // 0, -EBUSY when another holds it still after timeoutMs, or the error number of making it.
    int TryLock(const std::string& path, int timeoutMs);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int TryOnce();
    int fd_ = -1;
    std::string path_;
};

// Takes the save lock of the image at path (beside it, else in the data folder).
struct LockFault {
    enum class Step {
        None,
        NotALock, // something else has the lock's name: cause, read (as ReadSideBytes says)
        Busy,     // another process holds it
        Create,   // it could not be made: cause
    } step = Step::None;
    int cause = 0;
    SideFileRead read;
    std::string lockPath;

    explicit operator bool() const { return step != Step::None; }
};
LockFault AcquireSaveLock(const std::string& path, FileOps& ops, int timeoutMs, LockFile& lock);

} // namespace dravik::rom
