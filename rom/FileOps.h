#pragma once
// The file operations a save performs, one call per step. Saves go through this seam so a test
// can fail any step (or every step from one on, as a crash would) and check what is left.
// Built on Qt's file API; what differs between systems (a flush to the disk, the error number
// behind a failure) sits in a few lines of FileOps.cpp.
#include <cerrno>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <QtCore/qglobal.h>

#include "rom/Error.h"

QT_FORWARD_DECLARE_CLASS(QFile)

namespace dravik::rom {

class FileOps {
public:
    FileOps();
    virtual ~FileOps();
    FileOps(const FileOps&) = delete;
    FileOps& operator=(const FileOps&) = delete;

    // Each returns 0 on success (a handle for the opens) or a negative error number: -ENOSPC,
    // -EFBIG, -EACCES, ... as <cerrno> names them, on every system.
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

private:
    int Keep(std::unique_ptr<QFile> file);
    QFile* Find(int file);

    std::mutex mutex_;
    std::map<int, std::unique_ptr<QFile>> files_;
    int next_ = 0;
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

// A hold on a file's content across processes: readers share it, a save holds it alone while it
// changes bytes, so a read never sees half of a save. It is an advisory lock on the file itself
// (no side file is made, so it works in folders that take no new files, and every name of a
// hard-linked file shares it). Where the system or the file system has no such locks, the hold
// is granted without one. Released when destroyed.
class ContentLock {
public:
    ContentLock() = default;
    ~ContentLock() { Release(); }
    ContentLock(const ContentLock&) = delete;
    ContentLock& operator=(const ContentLock&) = delete;

    // Opens path (symbolic links followed) for reading and takes the hold, waiting at most
    // waitMs for a hold of the other kind to end. Only a regular file: a FIFO is not waited on.
    std::optional<Error> Take(const std::string& path, bool exclusive, int waitMs);
    void Release();
    int Handle() const { return fd_; } // the file opened for reading, -1 where there is none
    uint64_t Size() const;             // of the file, under the hold

    // Long enough for any save or read of another process to finish.
    static constexpr int kWaitMs = 10000;

private:
    int fd_ = -1;
    std::string path_;
};

// Side files are the files the program keeps beside an image or in its data folder (journals,
// locks, backups, recovery records, settings, name files). They are read only as regular files
// of at most maxBytes: a symbolic link is not followed, a FIFO or device is refused without
// waiting on it, and a longer file is refused before it is read.
std::optional<Error> ReadSideFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes);

// Writes a side file whole: a new file beside it, flushed onto the disk, then renamed over the
// name. A symbolic link at path is replaced, never written through; a failure leaves the old file.
std::optional<Error> WriteSideFile(const std::string& path, const uint8_t* data, size_t size,
                                   FileOps& ops = *SystemFileOps());

// Writes a new file at path, or replaces the file there, so that a failure or the process ending
// at any moment leaves the old one whole: a new file beside it (never written through a link),
// then renamed over the name (a symbolic link there is replaced). durable: flushed onto the disk
// once before the rename, so that after a crash of the system the name holds the old file or the
// whole new one (the rename itself may be lost). A replaced file keeps its permission bits; one
// that may not be written is refused. 0 or a negative error number.
int ReplaceFile(const std::string& path, const uint8_t* data, size_t size, bool durable = true);

// A file-size limit must make writes fail with a reason, not end the process.
void IgnoreFileSizeSignal();

} // namespace dravik::rom
