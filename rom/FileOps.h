#pragma once
// The file operations a save performs, one call per step. Saves go through this seam so a test
// can fail any step (or every step from one on, as a crash would) and check what is left.
// Built on Qt's file API; what differs between systems (a flush to the disk, the error number
// behind a failure) sits in a few lines of FileOps.cpp.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <QtCore/qglobal.h>

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
    virtual int WriteAt(int file, const uint8_t* data, size_t size, uint64_t offset);
    virtual int Flush(int file); // onto the disk, not only out of the process
    virtual int Close(int file);
    virtual int Remove(const std::string& path);
    virtual int FlushFolder(const std::string& folder); // makes a new or removed name durable
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

// Writes a new file at path, or replaces the file there, so that a failure leaves the old one
// whole: a new file beside it, flushed onto the disk, then renamed over it. 0 or a negative
// error number.
int ReplaceFile(const std::string& path, const uint8_t* data, size_t size);

// The system's reason for an error number, in words a user understands ("磁盘已满", ...).
std::string ErrorText(int errorNumber);

// A file-size limit must make writes fail with a reason, not end the process.
void IgnoreFileSizeSignal();

} // namespace dravik::rom
