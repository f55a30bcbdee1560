#pragma once
// The file operations of a save (rom/SystemFiles.h: FileOps, one call per step, so a test can fail
// any step and check what is left) and what the core adds to them: the hold on a file's content and
// the side files, with their failures in words.
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/Error.h"
#include "rom/SystemFiles.h"

namespace dravik::rom {

// A hold on a file's content across processes (rom/SystemFiles.h, ContentHold): readers share it,
// a save holds it alone while it changes bytes, so a read never sees half of a save.
class ContentLock {
public:
    // Opens path (symbolic links followed) for reading and takes the hold, waiting at most
    // waitMs for a hold of the other kind to end. Only a regular file: a FIFO is not waited on.
    std::optional<Error> Take(const std::string& path, bool exclusive, int waitMs);
    void Release() { hold_.Release(); }
    int Handle() const { return hold_.Handle(); }  // the file opened for reading, -1 where there is none
    uint64_t Size() const { return hold_.Size(); } // of the file, under the hold

    // Long enough for any save or read of another process to finish.
    static constexpr int kWaitMs = 10000;

private:
    ContentHold hold_;
};

// Why a hold could not be taken (ContentHold::Take's result and the file's mode), in words.
Error HoldError(const std::string& path, bool exclusive, int result, unsigned mode, int waitMs);

// Side files are the files the program keeps beside an image or in its data folder (journals,
// locks, backups, recovery records, settings, name files). They are read only as regular files
// of at most maxBytes: a symbolic link is not followed, a FIFO or device is refused without
// waiting on it, and a longer file is refused before it is read.
std::optional<Error> ReadSideFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes);
// ReadSideBytes's failure in words.
Error SideFileError(const std::string& path, int result, const SideFileRead& read, uint64_t maxBytes);

// Writes a side file whole: a new file beside it, flushed onto the disk, then renamed over the
// name. A symbolic link at path is replaced, never written through; a failure leaves the old file.
std::optional<Error> WriteSideFile(const std::string& path, const uint8_t* data, size_t size,
                                   FileOps& ops = *SystemFileOps());

} // namespace dravik::rom
