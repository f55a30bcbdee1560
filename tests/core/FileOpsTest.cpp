// The file operations under every save: a failure carries the system's reason, in words, and side
// files are read only when regular and within their bound. A size limit reached part way is the
// command line's test, where a shell sets one.
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
        const std::optional<rom::Error> e = rom::ReadSideFile(path, 100, bytes);
        EXPECT_EQ(e ? e->systemError : 0, c.error);
        EXPECT_EQ(bytes.size(), c.size);
        if (e) {
            EXPECT_NE(rom::Describe(*e).find(path), std::string::npos) << rom::Describe(*e);
        }
    }
}

TEST(FileOps, ErrorsAreWordedFromTheirValue)
{
    rom::Error cell;
    cell.what = rom::Error::Kind::InCell;
    cell.table = "道具";
    cell.row = 3;
    cell.rowLabel = "手雷";
    cell.column = "价格";
    cell.text = "12x";
    cell.detail = "不是数字";
    rom::Error rowless = cell;
    rowless.row = 0;
    const struct {
        rom::Error error;
        std::string words;
    } cases[] = {
        {rom::Error::Failure("没有载入文件。"), "没有载入文件。"},
        {rom::Error::Reading("a.smc", ENOSPC), "无法读取 a.smc：磁盘已满。"},
        {rom::Error::Writing("a.smc", EACCES, "这个名字是一个文件夹"),
         "无法写入 a.smc：这个名字是一个文件夹。"},
        {rom::Error::Saving("a.smc", "写入文件时出错。"), "保存 a.smc 失败：写入文件时出错。"},
        {rom::Error::Opening("a.smc", "文件不存在。", ENOENT), "无法打开文件 a.smc：文件不存在。"},
        {rom::Error::InLine("items.txt", 7, "太长"), "items.txt:7: 太长"},
        {rom::Error::InLine("x.bin", 0, "不是名称表的文件名"), "x.bin: 不是名称表的文件名"},
        {cell, "表「道具」 第 3 行「手雷」 列「价格」: \"12x\" 不是数字"},
        {rowless, "表「道具」 列「价格」: \"12x\" 不是数字"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rom::Describe(c.error), c.words);
}
