// The file operations under every save: an existing file is patched where it lies (never
// created, truncated or replaced), and a failure carries the system's reason, in words. A size
// limit reached part way is tested where processes have one: PosixSaveTest.cpp.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <vector>

#include "rom/FileOps.h"
#include "support/TestImage.h"

using namespace dravik;
using rom::Bytes;

TEST(FileOps, PatchesAnExistingFileWhereItLies)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/image.smc";
    ASSERT_TRUE(test::WriteFile(path, Bytes(64, 0xAA)));
    rom::FileOps ops;
    const uint8_t patch[] = {1, 2, 3};
    const int file = ops.OpenExisting(path);
    ASSERT_GE(file, 0) << rom::ErrorText(-file);
    EXPECT_EQ(ops.WriteAt(file, patch, 3, 40), 0);
    EXPECT_EQ(ops.WriteAt(file, patch, 1, 0), 0);
    EXPECT_EQ(ops.Flush(file), 0);
    EXPECT_EQ(ops.Close(file), 0);
    EXPECT_EQ(ops.Close(file), -EBADF) << "a handle is gone once closed";
    Bytes expected(64, 0xAA);
    expected[0] = 1;
    std::copy(patch, patch + 3, expected.begin() + 40);
    EXPECT_TRUE(test::ReadFile(path) == expected);
}

TEST(FileOps, FailuresCarryTheSystemsReason)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string missing = folder + "/missing.smc";
    rom::FileOps ops;
    const uint8_t byte = 7;
    const auto writeOnto = [&](const std::string& path) {
        const int file = ops.OpenExisting(path);
        if (file < 0)
            return file;
        const int result = ops.WriteAt(file, &byte, 1, 0);
        ops.Close(file);
        return result;
    };
    struct Case {
        const char* what;
        std::function<int()> step;
        int error;
        const char* words;
    };
    std::vector<Case> cases = {
        {"open a missing file", [&] { return ops.OpenExisting(missing); }, ENOENT, "文件不存在"},
        {"journal in a missing folder", [&] { return ops.CreateTruncated(folder + "/no/j"); }, ENOENT,
         "文件不存在"},
        {"remove a missing file", [&] { return ops.Remove(missing); }, ENOENT, "文件不存在"},
    };
    if (QFile::exists("/dev/full")) // a device that is always full: Linux and some BSDs only
        cases.push_back(
            {"write onto a full device", [&] { return writeOnto("/dev/full"); }, ENOSPC, "磁盘已满"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int result = c.step();
        EXPECT_EQ(result, -c.error) << rom::ErrorText(-result);
        EXPECT_EQ(rom::ErrorText(c.error), c.words);
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing))) << "an open never creates the file";
}

TEST(FileOps, SideFilesAreReadOnlyWhenRegularAndWithinTheirBound)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ASSERT_TRUE(test::WriteFile(folder + "/small", Bytes{1, 2, 3}));
    ASSERT_TRUE(test::WriteFile(folder + "/exact", Bytes(100, 7)));
    ASSERT_TRUE(test::WriteFile(folder + "/long", Bytes(101, 7)));
    struct Case {
        const char* name;
        int error;
        size_t size;
    };
    const Case cases[] = {
        {"small", 0, 3}, {"exact", 0, 100}, {"long", EFBIG, 0}, {"missing", ENOENT, 0}, {"", EISDIR, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder + "/" + c.name;
        Bytes bytes{9};
        const rom::FileError e = rom::ReadSideFile(path, 100, bytes);
        EXPECT_EQ(e.number, c.error) << e.message;
        EXPECT_EQ(bytes.size(), c.size);
        EXPECT_EQ(e.Ok(), e.message.empty());
        if (!e.Ok()) {
            EXPECT_NE(e.message.find(path), std::string::npos) << e.message;
        }
    }
}

TEST(FileOps, ASideFileIsCreatedNewOrReplacedWhole)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/side";
    rom::FileOps ops;
    const int file = ops.CreateNew(path);
    ASSERT_GE(file, 0) << rom::ErrorText(-file);
    ops.Close(file);
    EXPECT_EQ(ops.CreateNew(path), -EEXIST) << "an existing name is never reused";

    const Bytes content{4, 5, 6};
    EXPECT_TRUE(rom::WriteSideFile(path, content.data(), content.size()).Ok());
    EXPECT_TRUE(test::ReadFile(path) == content);
    const rom::FileError onFolder = rom::WriteSideFile(dir.path().toStdString(), content.data(), 3);
    EXPECT_EQ(onFolder.number, EISDIR) << onFolder.message;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}
