// Saves patch the image in place: a file changed since Open is never overwritten, and an interrupted
// save is rolled back by the next Open. What only POSIX systems have (the file's inode, owner and
// links, a dead lock holder, a file-size limit) is tested in PosixSaveTest.cpp.
#include <gtest/gtest.h>

#include <QFile>
#include <QLockFile>
#include <filesystem>

#include "SaveSafety.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "rom/SaveJournal.h"
#include "support/FailingFileOps.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;
using test::SaveSafety;

namespace {
std::filesystem::file_time_type ModifiedAt(const std::string& path)
{
    return std::filesystem::last_write_time(std::filesystem::u8path(path));
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

bool AnyJournal(const std::string& path)
{
    for (const std::string& j : JournalPaths(path))
        if (QFile::exists(QString::fromStdString(j)))
            return true;
    return false;
}

// Two edits far apart, so a save writes two ranges.
void EditFarApart(RomDocument& doc)
{
    doc.Apply(Edit("main_cannons").SetCell(0, 1, "4321"));
    doc.Apply(Edit("monsters").SetCell(150, 4, "77"));
}
} // namespace

TEST_F(SaveSafety, FileChangedReplacedOrShrunkSinceOpenIsNotOverwritten)
{
    const Bytes original = MakeSampleImage(12);
    Bytes changedField = original;
    changedField[0xC05F4] ^= 0xFF; // inside the first cannon's price
    Bytes shrunk(original.begin(), original.end() - 0x1000);
    const std::vector<Bytes> others = {changedField, MakeSampleImage(13), shrunk};
    for (const Bytes& other : others) {
        for (const bool edited : {false, true}) {
            test::TempImage file(original);
            RomDocument doc;
            ASSERT_TRUE(doc.Open(file.Path()).ok);
            ASSERT_TRUE(test::WriteFile(file.Path(), other));
            if (edited)
                doc.GetModel().Get("items").SetCell(0, 1, "7");
            const Status s = doc.Save();
            EXPECT_FALSE(s.ok);
            EXPECT_TRUE(s.fileChanged);
            EXPECT_TRUE(Contains(s.message, RomDocument::kChangedOnDisk)) << s.message;
            EXPECT_TRUE(file.Read() == other) << "nothing written over the other program's change";
            if (other.size() != original.size())
                continue;
            const Status forced = doc.Save(true); // the user chose to overwrite
            ASSERT_TRUE(forced.ok) << forced.message;
            RomDocument reread;
            ASSERT_TRUE(reread.Open(file.Path()).ok);
            EXPECT_EQ(reread.GetModel().Get("main_cannons").Cell(0, 1),
                      doc.GetModel().Get("main_cannons").Cell(0, 1));
            EXPECT_TRUE(doc.Save().ok) << "the overwritten file is what the document now knows";
        }
    }
}

TEST_F(SaveSafety, EveryFailingStepLeavesTheOldBytesOrTheNewOnesAndSaysWhich)
{
    const Bytes original = MakeSampleImage(14);
    Bytes expected;
    int steps = 0;
    {
        test::TempImage file(original);
        auto counting = std::make_shared<test::FailingFileOps>(1 << 30, 0, true);
        RomDocument doc;
        doc.SetFileOps(counting);
        ASSERT_TRUE(doc.Open(file.Path()).ok);
        EditFarApart(doc);
        ASSERT_TRUE(doc.Save().ok);
        expected = file.Read();
        steps = counting->steps;
    }
    ASSERT_GE(steps, 10);
    const int errors[] = {ENOSPC, EFBIG, EIO, EACCES};
    int cases = 0;
    for (int failAt = 0; failAt <= steps; ++failAt) {
        for (const bool once : {true, false}) {
            for (const bool folderWritable : {true, false}) {
                const int error = errors[cases++ % 4];
                SCOPED_TRACE("step " + std::to_string(failAt) + (once ? " once" : " from then on") +
                             (folderWritable ? "" : ", journal in the data folder"));
                test::TempImage file(original);
                auto ops = std::make_shared<test::FailingFileOps>(failAt, error, once);
                ops->folderWritable = folderWritable;
                RomDocument doc;
                doc.SetFileOps(ops);
                ASSERT_TRUE(doc.Open(file.Path()).ok);
                EditFarApart(doc);
                const Status s = doc.Save();
                const Bytes after = file.Read();
                ASSERT_EQ(after.size(), original.size());
                if (s.ok) {
                    EXPECT_TRUE(after == expected);
                } else {
                    EXPECT_TRUE(Contains(s.message, ErrorText(error))) << s.message;
                    EXPECT_EQ(Contains(s.message, "文件没有改动"), after == original) << s.message;
                }
                if (!folderWritable) {
                    EXPECT_FALSE(QFile::exists(QString::fromStdString(file.Path() + ".journal")));
                }

                // The next Open finds the file whole: the old bytes after a failure, else the new.
                RomDocument next;
                const Status opened = next.Open(file.Path());
                ASSERT_TRUE(opened.ok) << opened.message;
                EXPECT_TRUE(file.Read() == (s.ok ? expected : original));
                EXPECT_FALSE(AnyJournal(file.Path()));
                if (after != file.Read()) {
                    EXPECT_TRUE(Contains(opened.notice, "已恢复")) << opened.notice;
                }
            }
        }
    }
}

TEST_F(SaveSafety, TornOrForeignJournalsAtOpen)
{
    const Bytes original = MakeSampleImage(15);
    test::TempImage file(original);
    const std::string journal = JournalPaths(file.Path())[0];

    // A journal cut short was written before the image was touched: removed, file as it is.
    ASSERT_TRUE(test::WriteFile(journal, Bytes{'D', 'R', 'V', 'K', 'J', 'R', 'N', '1', 0, 1}));
    RomDocument doc;
    Status s = doc.Open(file.Path());
    ASSERT_TRUE(s.ok) << s.message;
    EXPECT_TRUE(Contains(s.notice, "不完整")) << s.notice;
    EXPECT_FALSE(AnyJournal(file.Path()));
    EXPECT_TRUE(file.Read() == original);

    // A whole journal for a file whose size has changed since is not applied to it.
    auto dead = std::make_shared<test::FailingFileOps>(4, EIO, false); // dies after the journal
    doc.SetFileOps(dead);
    EditFarApart(doc);
    EXPECT_FALSE(doc.Save().ok);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(journal)));
    Bytes longer = file.Read();
    longer.push_back(0);
    ASSERT_TRUE(test::WriteFile(file.Path(), longer));
    RomDocument other;
    s = other.Open(file.Path());
    EXPECT_FALSE(s.ok);
    EXPECT_TRUE(Contains(s.message, journal)) << s.message;
    EXPECT_TRUE(file.Read() == longer);
}

TEST_F(SaveSafety, ASaveThatChangesNothingWritesNothingAndNeedsNoLock)
{
    test::TempImage file(MakeSampleImage(17));
    const std::string lockPath = file.Path() + ".lock";
    QLockFile held(QString::fromStdString(lockPath)); // another save in progress
    ASSERT_TRUE(held.tryLock(0));
    const auto before = ModifiedAt(file.Path());
    RomDocument doc;
    doc.SetBackupOnSave(true);
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    const Status s = doc.Save();
    ASSERT_TRUE(s.ok) << s.message;
    EXPECT_EQ(s.changedBytes, 0);
    EXPECT_TRUE(ModifiedAt(file.Path()) == before) << "a save with nothing to change touched the file";
    EXPECT_FALSE(QFile::exists(QString::fromStdString(RomDocument::BackupPath(file.Path()))));
    EXPECT_FALSE(AnyJournal(file.Path()));
    // One that changes something goes through the lock and the file operations.
    doc.GetModel().Get("items").SetCell(0, 1, "9");
    auto fast = std::make_shared<test::FailingFileOps>(1 << 30, 0, true);
    doc.SetFileOps(fast);
    held.unlock();
    ASSERT_TRUE(doc.Save().ok);
    EXPECT_GT(fast->steps, 0);
}
