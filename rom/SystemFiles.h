#pragma once
// The files a save touches, in standard C++ over the system's own calls (POSIX), without Qt: the
// file operations of a save, one call per step (FileOps), which file a name leads to, a file
// written whole beside its name and renamed over it, the hold on a file's content, and side files
// read safely. Errors are negative error numbers as <cerrno> names them; rom/FileOps.h puts them
// into words for the window and the full command line.
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dravik::rom {

// Saves go through this seam so a test can fail any step (or every step from one on, as a crash
// would) and check what is left.
class FileOps {
public:
    FileOps() = default;
    virtual ~FileOps() = default;
    FileOps(const FileOps&) = delete;
    FileOps& operator=(const FileOps&) = delete;

    // Each returns 0 on success (a handle for the opens) or a negative error number: -ENOSPC,
    // -EFBIG, -EACCES, ... as <cerrno> names them.
    virtual int OpenExisting(const std::string& path);    // read and write; never creates or truncates
    virtual int CreateTruncated(const std::string& path); // for writing a new journal
    // A new side file (journal, lock, backup): fails with -EEXIST when any file, folder or
    // symbolic link already has that name, so a link can never redirect the write elsewhere.
    virtual int CreateNew(const std::string& path);
    virtual int WriteAt(int file, const uint8_t* data, size_t size, uint64_t offset);
    virtual int Resize(int file, uint64_t size); // cuts the file short or extends it in place
    virtual int Flush(int file);                 // onto the disk, not only out of the process
    virtual int Close(int file);
    virtual int Remove(const std::string& path);
    virtual int FlushFolder(const std::string& folder); // makes a new or removed name durable
    // Sets an extended attribute on the file and makes it durable; -ENOTSUP where the system or
    // the file system keeps none.
    virtual int SetAttribute(const std::string& path, const char* name, const std::string& value);
    // Whether new files (journal, lock) may be made in folder; where not, they go to the
    // application's data folder.
    virtual bool CanCreateIn(const std::string& folder);
};

std::shared_ptr<FileOps> SystemFileOps();

// Which file a name leads to (symbolic links followed): device and inode where the system has
// them (0 where not), how many names the file has, and its size.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t links = 0;
    uint64_t size = 0;
    bool exists = false;

    bool Known() const { return inode != 0; }
    bool SameFile(const FileIdentity& other) const
    {
        return !Known() || !other.Known() || (device == other.device && inode == other.inode);
    }
};
FileIdentity IdentifyFile(const std::string& path);

// The file the user means: symbolic links resolved (the absolute name where it cannot be).
std::string RealPath(const std::string& path);
// The absolute folder a name is in.
std::string FolderOf(const std::string& path);
// Whether a regular file (symbolic links followed) has that name, and whether this user may write it.
bool IsRegular(const std::string& path);
// Whether anything (a symbolic link that leads nowhere too) has that name.
bool NameExists(const std::string& path);
bool MayWrite(const std::string& path);

// How much of a written file survives a crash of the system: nothing promised, its content (the
// old file or the whole new one under the name), or also the new name itself.
enum class Durable { No, Content, ContentAndName };
// A new file with a fresh name beside path (never written through a link), then renamed over
// path: a failure, or the process ending at any moment, leaves the old file whole. A replaced
// regular file's permission bits are kept. 0 or a negative error number.
int WriteBesideThenRename(const std::string& path, const uint8_t* data, size_t size, Durable durable,
                          FileOps& ops);

// Writes a new file at path, or replaces the file there, so that a failure or the process ending
// at any moment leaves the old one whole: a new file beside it (never written through a link),
// then renamed over the name (a symbolic link there is replaced). durable: flushed onto the disk
// once before the rename, so that after a crash of the system the name holds the old file or the
// whole new one (the rename itself may be lost). A replaced file keeps its permission bits; one
// that may not be written is refused. 0 or a negative error number.
int ReplaceFile(const std::string& path, const uint8_t* data, size_t size, bool durable = true);

// A file-size limit must make writes fail with a reason, not end the process.
void IgnoreFileSizeSignal();

// A hold on a file's content across processes: readers share it, a save holds it alone while it
// changes bytes, so a read never sees half of a save. It is an advisory lock on the file itself
// (no side file is made, so it works in folders that take no new files, and every name of a
// hard-linked file shares it). Where the file system has no such locks, the hold is granted
// without one. Released when destroyed.
class ContentHold {
public:
    ContentHold() = default;
    ~ContentHold() { Release(); }
    ContentHold(const ContentHold&) = delete;
    ContentHold& operator=(const ContentHold&) = delete;

    // Opens path (symbolic links followed) for reading and takes the hold, waiting at most
    // waitMs for a hold of the other kind to end. 0, -EBUSY when the wait ran out, -EISDIR or
    // -EINVAL for a file that is not regular (a FIFO is not waited on; mode says what it is), or
    // the error number of the open.
    int Take(const std::string& path, bool exclusive, int waitMs);
    void Release();
    int Handle() const { return fd_; }      // the file opened for reading, -1 where there is none
    uint64_t Size() const;                  // of the file, under the hold
    unsigned Mode() const { return mode_; } // the file's type and permission bits, once opened

private:
    int fd_ = -1;
    unsigned mode_ = 0;
};

// Reads n bytes of an open file at offset (fewer where the file ends): 0 or a negative error number.
int ReadAt(int fd, uint64_t offset, uint64_t n, std::vector<uint8_t>& bytes);

// Copies size bytes from one open file to another, each from its position: in the kernel where
// the system can (a file system that shares blocks between files shares them), else through a
// buffer. 0 or a negative error number; copied says how many bytes were copied, fewer where from
// ended first.
int CopyBytes(int from, int to, uint64_t size, uint64_t& copied);

// Side files are the files the program keeps beside an image or in its data folder (journals,
// locks, backups, recovery records, settings, name files). They are read only as regular files
// of at most maxBytes: a symbolic link is not followed, a FIFO or device is refused without
// waiting on it, and a longer file is refused before it is read. 0, or a negative error number:
// -ELOOP for a symbolic link, -EISDIR or -EINVAL for a file that is not regular (mode says what
// it is), -EFBIG for one too long (size says how long).
struct SideFileRead {
    unsigned mode = 0;
    uint64_t size = 0;
};
int ReadSideBytes(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes,
                  SideFileRead* what = nullptr);

} // namespace dravik::rom
