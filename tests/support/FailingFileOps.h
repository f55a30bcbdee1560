#pragma once
// File operations that fail from a chosen step on, for testing what a save leaves behind.
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "rom/FileOps.h"

namespace dravik::test {

// Every call counts as one step. From step failAt on, calls fail with error: only that one
// call when once (a passing fault), every later call too otherwise (the process died there).
// A failing write first writes half of its bytes, as a write cut short does.
class FailingFileOps : public rom::FileOps {
public:
    FailingFileOps(int failAt, int error, bool once) : failAt_(failAt), error_(error), once_(once) {}

    int steps = 0;
    std::vector<std::string> calls; // each step's operation, in order
    bool folderWritable = true;

    using Path = const std::string&;
    int OpenExisting(Path p) override { return Fail("OpenExisting") ? -error_ : FileOps::OpenExisting(p); }
    int CreateTruncated(Path p) override
    {
        return Fail("CreateTruncated") ? -error_ : FileOps::CreateTruncated(p);
    }
    int CreateNew(Path p) override { return Fail("CreateNew") ? -error_ : FileOps::CreateNew(p); }
    int Resize(int fd, uint64_t n) override { return Fail("Resize") ? -error_ : FileOps::Resize(fd, n); }
    int WriteAt(int fd, const uint8_t* data, size_t size, uint64_t offset) override
    {
        if (!Fail("WriteAt"))
            return FileOps::WriteAt(fd, data, size, offset);
        FileOps::WriteAt(fd, data, size / 2, offset);
        return -error_;
    }
    int Flush(int fd) override { return Fail("Flush") ? -error_ : FileOps::Flush(fd); }
    int Close(int fd) override
    {
        const int result = FileOps::Close(fd); // a descriptor is never leaked
        return Fail("Close") ? -error_ : result;
    }
    int Remove(Path p) override { return Fail("Remove") ? -error_ : FileOps::Remove(p); }
    int FlushFolder(Path f) override { return Fail("FlushFolder") ? -error_ : FileOps::FlushFolder(f); }
    bool CanCreateIn(Path f) override { return folderWritable && FileOps::CanCreateIn(f); }

private:
    bool Fail(const char* call)
    {
        calls.push_back(call);
        const int step = steps++;
        return once_ ? step == failAt_ : step >= failAt_;
    }
    int failAt_, error_;
    bool once_;
};

// How many steps act takes with file operations that never fail; act may note what it made.
inline int StepsOf(const std::function<void(const std::shared_ptr<FailingFileOps>&)>& act)
{
    const auto counting = std::make_shared<FailingFileOps>(1 << 30, 0, true);
    act(counting);
    return counting->steps;
}

// Runs act for every step from 0 to steps, failing there once and from there on.
inline void ForEachFailure(int steps, const std::function<void(int failAt, bool once)>& act)
{
    for (int failAt = 0; failAt <= steps; ++failAt)
        for (const bool once : {true, false}) {
            SCOPED_TRACE("step " + std::to_string(failAt) + (once ? " once" : " from then on"));
            act(failAt, once);
        }
}

} // namespace dravik::test
