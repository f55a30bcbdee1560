// Saves patch the image in place: the file keeps its identity, a file changed since Open is never
// overwritten, and an interrupted save is rolled back by the next Open.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "rom/SaveJournal.h"
#include "support/FailingFileOps.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {
struct stat Stat(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
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

class SaveSafety : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }
};
} // namespace

TEST_F(SaveSafety, FileKeepsItsIdentityModeOwnerAndLinks)
{
    for (const mode_t mode : {mode_t(0444), mode_t(0660), mode_t(06755)}) {
        test::TempImage file(MakeSampleImage(11));
        const std::string link = file.Path() + ".link", sym = file.Path() + ".sym";
        ASSERT_EQ(::link(file.Path().c_str(), link.c_str()), 0);
        ASSERT_EQ(::symlink(file.Path().c_str(), sym.c_str()), 0);
        ASSERT_EQ(::chmod(file.Path().c_str(), mode), 0);
        const bool root = ::geteuid() == 0;
        if (root) {
            ASSERT_EQ(::chown(file.Path().c_str(), 65534, 100), 0);
        }
        const struct stat before = Stat(file.Path());

        RomDocument doc;
        ASSERT_TRUE(doc.Open(sym).ok);
        doc.GetModel().Get("items").SetCell(0, 1, "123");
        const Status s = doc.Save();
        if (mode == 0444) { // nobody may write it: a reference image that is kept as it is
            EXPECT_FALSE(s.ok);
            EXPECT_EQ(Stat(file.Path()).st_mode, before.st_mode);
            EXPECT_TRUE(file.Read() == MakeSampleImage(11));
            continue;
        }
        ASSERT_TRUE(s.ok) << s.message;
        const struct stat after = Stat(file.Path());
        EXPECT_EQ(after.st_ino, before.st_ino) << std::oct << mode;
        EXPECT_EQ(after.st_mode, before.st_mode) << std::oct << mode;
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_nlink, 2u);
        EXPECT_EQ(test::ReadFile(link), file.Read()) << "the hard link sees the new bytes";
        struct stat symStat {};
        ASSERT_EQ(::lstat(sym.c_str(), &symStat), 0);
        EXPECT_TRUE(S_ISLNK(symStat.st_mode)) << "the symlink stays a link";
        RomDocument again;
        ASSERT_TRUE(again.Open(link).ok);
        EXPECT_EQ(again.GetModel().Get("items").Cell(0, 1), "123");
    }
}

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

TEST_F(SaveSafety, SavesOfOneImageAreSerialisedAndALeftLockIsTakenOver)
{
    test::TempImage file(MakeSampleImage(16));
    // A process that died holding the lock.
    const pid_t child = ::fork();
    if (child == 0) {
        QLockFile lock(QString::fromStdString(file.Path() + ".lock"));
        ::_exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(file.Path() + ".lock")));

    RomDocument a, b;
    ASSERT_TRUE(a.Open(file.Path()).ok);
    ASSERT_TRUE(b.Open(file.Path()).ok);
    a.GetModel().Get("items").SetCell(0, 1, "11");
    b.GetModel().Get("items").SetCell(1, 1, "22");
    Status sa, sb;
    std::thread ta([&] { sa = a.Save(); });
    std::thread tb([&] { sb = b.Save(); });
    ta.join();
    tb.join();
    // One of them saved; the other then found the file changed and wrote nothing.
    EXPECT_NE(sa.ok, sb.ok) << sa.message << sb.message;
    EXPECT_TRUE(sa.fileChanged || sb.fileChanged);
    RomDocument c;
    ASSERT_TRUE(c.Open(file.Path()).ok);
    EXPECT_EQ(c.GetModel().Get("items").Cell(0, 1) == "11", sa.ok);
    EXPECT_EQ(c.GetModel().Get("items").Cell(1, 1) == "22", sb.ok);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file.Path() + ".lock")));
}

TEST_F(SaveSafety, ASaveThatChangesNothingWritesNothingAndNeedsNoLock)
{
    test::TempImage file(MakeSampleImage(17));
    const std::string lockPath = file.Path() + ".lock";
    QLockFile held(QString::fromStdString(lockPath)); // another save in progress
    ASSERT_TRUE(held.tryLock(0));
    const struct stat before = Stat(file.Path());
    RomDocument doc;
    doc.SetBackupOnSave(true);
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    const Status s = doc.Save();
    ASSERT_TRUE(s.ok) << s.message;
    EXPECT_EQ(s.changedBytes, 0);
    const struct stat after = Stat(file.Path());
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
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

TEST_F(SaveSafety, AFileSizeLimitGivesAReasonInsteadOfEndingTheProcess)
{
    QTemporaryDir dir;
    const std::string out = dir.path().toStdString() + "/big.smc";
    const pid_t child = ::fork();
    if (child == 0) {
        IgnoreFileSizeSignal();
        const rlimit limit{1 << 20, 1 << 20};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool written = WriteImageAtomically(out, MakeSampleImage(1), error);
        ::_exit(!written && Contains(error, ErrorText(EFBIG)) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
}
