#pragma once
// The file operations a save performs, one call per step. Saves go through this seam so a test
// can fail any step (or every step from one on, as a crash would) and check what is left.
#include <cstdint>
#include <memory>
#include <string>

namespace dravik::rom {

class FileOps {
public:
    virtual ~FileOps() = default;
    // Each returns 0 on success (a descriptor for the opens) or -errno.
    virtual int OpenExisting(const std::string& path);    // for writing, never truncates
    virtual int CreateTruncated(const std::string& path); // for writing a new journal
    virtual int WriteAt(int fd, const uint8_t* data, size_t size, uint64_t offset);
    virtual int Flush(int fd);
    virtual int Close(int fd);
    virtual int Remove(const std::string& path);
    virtual int Rename(const std::string& from, const std::string& to);
    virtual int FlushFolder(const std::string& folder);
    // Whether new files (journal, lock) may be made in folder; where not, they go to the
    // application's data folder.
    virtual bool CanCreateIn(const std::string& folder);
};

std::shared_ptr<FileOps> SystemFileOps();

// The system's reason for an error number, in words a user understands ("磁盘已满", ...).
std::string ErrorText(int errorNumber);

// A file-size limit must make writes fail with a reason, not end the process.
void IgnoreFileSizeSignal();

} // namespace dravik::rom
