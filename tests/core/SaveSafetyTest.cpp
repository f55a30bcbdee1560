// Saves patch the image in place: a file changed since Open is never overwritten, and an interrupted
// save is rolled back by the next Open; the file operations under them carry the system's reason.
// What only POSIX systems have (inodes, owners, links, a dead lock holder) is in PosixSaveTest.cpp.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "SaveSafety.h"
#include "rom/PatchFiles.h"
#include "rom/SampleImage.h"

using namespace dravik;
using namespace dravik::rom;
using test::Contains;
using test::Exists;
using test::Mentions;
using test::SaveSafety;

namespace {
// Two edits far apart, so a save writes two ranges.
const std::vector<Edit> kFarApart = {Edit("main_cannons").SetCell(0, 1, "4321"),
                                     Edit("monsters").SetCell(150, 4, "77")};
} // namespace

// Open reads only the table stretches: a change another program made elsewhere in the file is no
// reason to refuse a save, and the save, patching in place, keeps it.
TEST_F(SaveSafety, FileChangedReplacedOrShrunkSinceOpenIsNotOverwritten)
{
    const Bytes original = MakeSampleImage(12);
    Bytes changedField = original, changedOutside = original;
    changedField[0xC05F4] ^= 0xFF; // inside the first cannon's price
    changedOutside[0x14] ^= 0xFF;
    const Bytes shrunk(original.begin(), original.end() - 0x1000);
    const std::vector<Bytes> others = {changedField, MakeSampleImage(13), shrunk, changedOutside};
    for (const Bytes& other : others) {
        for (const bool edited : {false, true}) {
            test::OpenImage o(original);
            ASSERT_TRUE(test::WriteFile(o.file.Path(), other));
            if (edited)
                o.doc.GetModel().Get("items").SetCell(0, 1, "7");
            const SaveResult s = o.doc.Save();
            if (&other == &others.back()) {
                ASSERT_EQ(Describe(s.error), "");
                EXPECT_EQ(o.file.Read()[0x14], other[0x14]);
                EXPECT_EQ(test::Get(o.file.Read(), 0xC0200, 2), edited ? 7 : test::Get(original, 0xC0200, 2));
                EXPECT_FALSE(Exists(RomDocument::BackupPath(o.file.Path())));
                continue;
            }
            EXPECT_TRUE(s.fileChanged);
            EXPECT_TRUE(test::Refused(s.error, RomDocument::kChangedOnDisk));
            EXPECT_TRUE(o.file.Read() == other) << "nothing written over the other program's change";
            if (other.size() != original.size())
                continue;
            ASSERT_EQ(Describe(o.doc.Save(true).error), ""); // the user chose to overwrite
            EXPECT_EQ(test::Loaded(o.file.Read()).Get("main_cannons").Cell(0, 1),
                      o.doc.GetModel().Get("main_cannons").Cell(0, 1));
            EXPECT_TRUE(o.doc.Save().ok()) << "the overwritten file is what the document now knows";
        }
    }
}

TEST_F(SaveSafety, EveryFailingStepOfASaveAndItsBackupLeavesTheOldBytesOrTheNewOnesAndSaysWhich)
{
    const Bytes original = MakeSampleImage(14);
    Bytes expected;
    const int steps = test::StepsOf([&](const auto& ops) {
        test::TempImage file(original);
        ASSERT_TRUE(test::SaveEdits(file.Path(), kFarApart, ops, true).ok());
        expected = file.Read();
    });
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
                const SaveResult s = test::SaveEdits(file.Path(), kFarApart, ops, true);
                const Bytes after = file.Read();
                ASSERT_EQ(after.size(), original.size());
                if (s.ok()) {
                    EXPECT_TRUE(after == expected);
                    const std::string backup = Contains(s.notice, "备份写在了")
                                                   ? RomDocument::BackupInDataFolder(file.Path())
                                                   : RomDocument::BackupPath(file.Path());
                    EXPECT_TRUE(test::ReadFile(backup) == original) << s.notice;
                    QFile::remove(QString::fromStdString(RomDocument::BackupInDataFolder(file.Path())));
                } else {
                    EXPECT_TRUE(test::Refused(s.error, ErrorText(error)));
                    EXPECT_EQ(Contains(Describe(s.error), "文件没有改动"), after == original)
                        << Describe(s.error);
                }
                EXPECT_TRUE(folderWritable || !Exists(file.Path() + ".journal"));

                // The next Open finds the file whole: the old bytes after a failure, else the new.
                const OpenResult opened = RomDocument().Open(file.Path());
                ASSERT_EQ(Describe(opened.error), "");
                EXPECT_TRUE(file.Read() == (s.ok() ? expected : original));
                EXPECT_FALSE(JournalPending(file.Path()));
                EXPECT_TRUE(after == file.Read() || Contains(opened.notice, "已恢复")) << opened.notice;
            }
        }
    }
}

TEST_F(SaveSafety, AJournalIsRolledBackOnlyOverItsOwnFileAndContents)
{
    const Bytes original = MakeSampleImage(15);
    constexpr uint32_t kAt = 0xC05F0;
    const Bytes before(original.begin() + kAt, original.begin() + kAt + 8);
    const Bytes after(8, 0xEE);
    const auto with = [&](const Bytes& at, uint64_t extra = 0) {
        Bytes b = original;
        std::copy(at.begin(), at.end(), b.begin() + kAt);
        b.resize(b.size() + extra, 0);
        return b;
    };
    Bytes torn = after;
    std::copy(before.begin() + 3, before.end(), torn.begin() + 3); // the new bytes' write cut short
    // {what, the file, rolled back, journal: 0 whole, 1 cut short, 2 another file's, 3 not a journal}
    const std::vector<std::tuple<const char*, Bytes, bool, int>> cases = {
        {"nothing written yet", original, true, 0},
        {"new bytes written", with(after), true, 0},
        {"new bytes written in part", with(torn), true, 0},
        {"changed since by someone else", with(Bytes(8, 0x11)), false, 0},
        {"grown since", with(after, 16), false, 0},
        {"journal cut short", with(after), false, 1},
        {"journal of the file this name led to before", with(after), false, 2},
        {"not a journal", with(after), false, 3},
    };
    for (const auto& [what, bytes, rolledBack, journalKind] : cases) {
        SCOPED_TRACE(what);
        test::TempImage file(bytes);
        const FileIdentity id = IdentifyFile(file.Path());
        if (journalKind == 2 && !id.Known())
            continue;
        Journal j{id.device, id.inode + (journalKind == 2), original.size(), original.size()};
        j.ranges.push_back({kAt, before, after});
        Bytes data = EncodeJournal(j);
        if (journalKind == 1)
            data.resize(data.size() - 5);
        if (journalKind == 3)
            data[7] = '1';
        const std::string journal = JournalPaths(file.Path())[0];
        ASSERT_TRUE(test::WriteFile(journal, data));

        const OpenResult s = RomDocument().Open(file.Path());
        const bool refused = !rolledBack && journalKind != 1;
        EXPECT_EQ(s.ok(), !refused) << Describe(s.error);
        EXPECT_TRUE(file.Read() == (rolledBack ? original : bytes));
        EXPECT_EQ(Exists(journal), refused) << "kept only when refused";
        EXPECT_TRUE(refused ? Mentions(Describe(s.error), journal)
                            : Mentions(s.notice, journalKind == 1 ? "不完整" : "已恢复"));
    }
}

TEST_F(SaveSafety, AWriteThatChangesTheSizeIsWholeOrUndoneAtEveryFailingStep)
{
    const Bytes original = MakeSampleImage(20);
    Bytes grown = original;
    grown[0x1234] ^= 0xFF;
    grown.resize(grown.size() + 0x300, 0x5A);
    const Bytes shrunk(grown.begin(), grown.begin() + static_cast<long>(original.size()) - 0x200);
    for (const Bytes* target : {static_cast<const Bytes*>(&grown), &shrunk}) {
        const int steps = test::StepsOf([&](const auto& ops) {
            test::TempImage file(original);
            ASSERT_EQ(test::WriteImage(file.Path(), *target, ops), "");
            ASSERT_TRUE(file.Read() == *target);
        });
        test::ForEachFailure(steps, [&](int failAt, bool once) {
            test::TempImage file(original);
            std::string error = test::WriteImage(
                file.Path(), *target, std::make_shared<test::FailingFileOps>(failAt, ENOSPC, once));
            std::string notice;
            const bool ok = error.empty();
            const Bytes after = file.Read();
            EXPECT_TRUE(ok ? after == *target : Contains(error, ErrorText(ENOSPC))) << error;
            EXPECT_TRUE(ok || !Contains(error, "文件没有改动") || after == original);
            ASSERT_EQ(Describe(RecoverInterruptedSave(file.Path(), *SystemFileOps(), notice)), "");
            EXPECT_TRUE(file.Read() == (ok ? *target : original));
            EXPECT_FALSE(JournalPending(file.Path()));
        });
    }
}

TEST_F(SaveSafety, AWriterRefusesResultsThatCannotBeAnImageAndOddLockFiles)
{
    const Bytes original = MakeSampleImage(22);
    for (const size_t size : {size_t(0), size_t(kMaximumImageSize + 1)}) {
        test::TempImage file(original);
        ImageWriter writer;
        ASSERT_EQ(Describe(writer.Begin(file.Path())), "");
        EXPECT_TRUE(test::Refused(writer.Write(Bytes(size, 0)), std::to_string(size) + " 字节"));
        EXPECT_TRUE(file.Read() == original);
    }
    test::TempImage file(original);
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(file.Path() + ".lock")));
    const std::optional<Error> odd = ImageWriter().Begin(file.Path());
    EXPECT_TRUE(test::Refused(odd, "文件夹"));
    EXPECT_FALSE(Contains(Describe(odd), "另一个程序")) << Describe(odd);
    // A lock another save holds is said to be that.
    test::TempImage busy(original);
    QLockFile held(QString::fromStdString(busy.Path() + ".lock"));
    ASSERT_TRUE(held.tryLock(0));
    EXPECT_TRUE(test::Refused(ImageWriter().Begin(busy.Path(), 0), "另一个程序正在保存"));
}

TEST_F(SaveSafety, ASaveThatChangesNothingWritesNothingAndNeedsNoLock)
{
    test::TempImage file(MakeSampleImage(17));
    const std::string lockPath = file.Path() + ".lock";
    QLockFile held(QString::fromStdString(lockPath)); // another save in progress
    ASSERT_TRUE(held.tryLock(0));
    const auto modified = [&] {
        return std::filesystem::last_write_time(std::filesystem::u8path(file.Path()));
    };
    const auto before = modified();
    const SaveResult s =
        test::SaveItemPrice(file.Path(), test::Loaded(file.Read()).Get("items").Cell(0, 1), nullptr, true);
    ASSERT_EQ(Describe(s.error), "");
    EXPECT_EQ(s.changedBytes, 0);
    EXPECT_TRUE(modified() == before) << "a save with nothing to change touched the file";
    EXPECT_FALSE(Exists(RomDocument::BackupPath(file.Path())));
    EXPECT_FALSE(JournalPending(file.Path()));
}

// The journal goes beside the image, or to the data folder where the image's folder refuses it;
// a file already in its place stops the patch before any write, and so do old bytes the file no
// longer holds (a writer that does not share the save lock changed it). None is left behind.
TEST_F(SaveSafety, APatchInPlaceFindsItsJournalsPlaceAndTheBytesItWasMadeFrom)
{
    const Bytes original = MakeSampleImage(20);
    // {refusal of the journal's creation (EEXIST: a file already has its name), stale, says}
    const std::tuple<int, bool, const char*> cases[] = {{0, false, ""},
                                                        {EACCES, false, ""},
                                                        {EEXIST, false, "已经有一个名为 "},
                                                        {0, true, "另一个程序改动了"}};
    for (const auto& [refusal, stale, says] : cases) {
        SCOPED_TRACE(says);
        test::TempImage file(original);
        const std::string beside = file.Path() + ".journal";
        if (refusal == EEXIST) {
            ASSERT_TRUE(test::WriteFile(beside, Bytes{'x'}));
        }
        test::FailingFileOps ops(refusal == EACCES ? 0 : 1 << 30, EACCES, true); // step 0 makes the journal
        const Bytes old{static_cast<uint8_t>(original[0x100] ^ (stale ? 1 : 0))};
        const std::string error =
            Describe(PatchInPlace(file.Path(), original.size(), {{0x100, old, {0x55}}}, ops));
        const bool saved = error.empty();
        EXPECT_EQ(saved, !*says) << error;
        EXPECT_TRUE(Mentions(error, says));
        EXPECT_EQ(file.Read()[0x100], saved ? 0x55 : original[0x100]);
        EXPECT_EQ(JournalPending(file.Path()), refusal == EEXIST);
        EXPECT_EQ(test::ReadFile(beside) == Bytes{'x'}, refusal == EEXIST);
    }
    // Runs close together are read as one stretch, and each is still compared on its own.
    std::vector<RangeChange> runs;
    for (const uint32_t at : {0x100u, 0x180u, 0x1100u, 0x9000u})
        runs.push_back({at, {original[at]}, {static_cast<uint8_t>(~original[at])}});
    for (const RangeChange& stale : runs) {
        Bytes theirs = original;
        theirs[stale.offset] ^= 1;
        test::TempImage file(theirs);
        EXPECT_TRUE(Mentions(Describe(PatchInPlace(file.Path(), original.size(), runs, *SystemFileOps())),
                             "偏移 " + std::to_string(stale.offset) + " 处"));
        EXPECT_TRUE(file.Read() == theirs) << stale.offset;
    }
}

// A save counts only when every step up to the journal's removal worked: a journal that may not
// be whole on the disk (a write, flush or close failed) is never trusted with the old bytes.
TEST_F(SaveSafety, APatchSucceedsOnlyWhenEveryStepBeforeItsCommitDid)
{
    const Bytes original = MakeSampleImage(21);
    const std::vector<RangeChange> patch = {{0x100, {original[0x100]}, {0x55}},
                                            {0x8000, {original[0x8000]}, {0x66}}};
    Bytes saved;
    std::vector<std::string> calls;
    const int steps = test::StepsOf([&](const auto& ops) {
        test::TempImage file(original);
        ASSERT_FALSE(PatchInPlace(file.Path(), original.size(), patch, *ops));
        saved = file.Read();
        calls = ops->calls;
    });
    // The journal is on the disk before the image is touched, and the image before the journal goes.
    EXPECT_EQ(calls, (std::vector<std::string>{"CreateNew", "WriteAt", "Flush", "Close", "FlushFolder",
                                               "OpenExisting", "WriteAt", "WriteAt", "Flush", "Close",
                                               "Remove", "FlushFolder"}));
    for (int failAt = 0; failAt < steps; ++failAt) {
        test::TempImage file(original);
        test::FailingFileOps ops(failAt, EIO, true);
        const std::string error = Describe(PatchInPlace(file.Path(), original.size(), patch, ops));
        const bool ok = error.empty();
        EXPECT_EQ(ok, failAt == steps - 1) << "step " << failAt << ": " << error; // the folder's flush
        EXPECT_TRUE(file.Read() == (ok ? saved : original)) << "step " << failAt;
        EXPECT_EQ(JournalPending(file.Path()), Contains(error, "无法删除保存日志")) << "step " << failAt;
    }
}

// Lock, journal and backup beside it would have names too long for the file system: they go to
// the data folder, as where the folder takes no new files.
TEST_F(SaveSafety, AnImageWhoseNameLeavesNoRoomForSideFilesIsSaved)
{
    test::TempImage file(MakeSampleImage(34), std::string(249, 'a') + ".smc");
    const SaveResult s = test::SaveItemPrice(file.Path(), "77", nullptr, true);
    ASSERT_EQ(Describe(s.error), "");
    EXPECT_TRUE(Mentions(s.notice, "备份写在了"));
    EXPECT_EQ(test::Loaded(file.Read()).Get("items").Cell(0, 1), "77");
}

TEST_F(SaveSafety, ReadsWhileSavesRunSeeOneSavedStateOrTheOther)
{
    const Bytes a = MakeSampleImage(30);
    Bytes b = a;
    for (size_t i = 0; i < b.size(); i += 4096) // hundreds of ranges: a save writes for a while
        b[i] ^= 0xFF;
    test::TempImage file(a);
    std::atomic<bool> done{false};
    std::string writeError;
    std::thread writer([&] {
        for (int i = 0; i < 6 && writeError.empty(); ++i)
            writeError = test::WriteImage(file.Path(), i % 2 ? a : b);
        done = true;
    });
    int reads = 0, torn = 0;
    std::string readError;
    while ((!done || reads == 0) && readError.empty()) {
        ImageFile image;
        if (test::Succeeded(ReadImage(file.Path(), ReadExtent::Whole, image), readError))
            torn += image.bytes != a && image.bytes != b;
        ++reads;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    writer.join();
    EXPECT_EQ(writeError, "");
    EXPECT_EQ(readError, "");
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
}

// Readers, and a writer before it writes: nothing old is written over new content later.
TEST_F(SaveSafety, EveryReaderRollsBackASaveCutShortOrRefusesWhenTheFileIsReadOnly)
{
    const Bytes original = MakeSampleImage(31);
    constexpr uint32_t kAt = 0xC05F0;
    Bytes torn = original;
    std::fill(torn.begin() + kAt, torn.begin() + kAt + 8, 0xEE);
    std::string notice; // what the reader says it rolled back
    // Each reader gives the bytes it read and the words of its failure.
    using Reader = std::function<std::optional<Error>(const std::string&, Bytes&)>;
    const std::vector<std::pair<const char*, Reader>> readers = {
        {"image",
         [&](const std::string& path, Bytes& bytes) {
             ImageFile file;
             const std::optional<Error> e = ReadImage(path, ReadExtent::Whole, file);
             bytes = file.bytes;
             notice = file.notice;
             return e;
         }},
        {"whole file",
         [&](const std::string& path, Bytes& bytes) { return ReadWholeFile(path, bytes, &notice); }},
        {"writer", [&](const std::string& path, Bytes& bytes) {
             ImageWriter writer;
             const std::optional<Error> e = writer.Begin(path);
             bytes = e ? Bytes() : test::ReadFile(path);
             notice = writer.Notice();
             return e;
         }}};
    for (const auto& [what, read] : readers) {
        for (const bool readOnly : {false, true}) {
            if (readOnly && std::string(what) == "writer")
                continue; // the commands refuse a read-only image before they write
            SCOPED_TRACE(std::string(what) + (readOnly ? ", read-only" : ""));
            test::TempImage file(original);
            const std::string journal = test::CutShortSave(file.Path(), original, kAt, 8);
            const QString name = QString::fromStdString(file.Path());
            if (readOnly)
                QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadGroup);
            Bytes bytes;
            notice.clear();
            const std::string error = Describe(read(file.Path(), bytes));
            EXPECT_EQ(error.empty(), !readOnly) << error;
            EXPECT_TRUE(bytes == (readOnly ? Bytes() : original)) << "never the half-written file";
            EXPECT_TRUE(file.Read() == (readOnly ? torn : original));
            EXPECT_EQ(Exists(journal), readOnly);
            const std::string& said = readOnly ? error : notice;
            EXPECT_TRUE(Contains(said, journal) && Contains(said, readOnly ? "删除该日志" : file.Path()))
                << said;
            QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
}

TEST_F(SaveSafety, EveryFailingStepOfTheRollBackAtOpenKeepsTheJournalUsable)
{
    // A save cut short after its new bytes were in: two ranges and a grown end to undo.
    const Bytes original = MakeSampleImage(32);
    Bytes torn = original;
    Journal j{0, 0, original.size(), original.size() + 0x100, {}};
    for (const uint32_t at : {0x1A000u, 0xC05F0u}) {
        std::fill(torn.begin() + at, torn.begin() + at + 8, 0xEE);
        j.ranges.push_back({at, Bytes(original.begin() + at, original.begin() + at + 8), Bytes(8, 0xEE)});
    }
    torn.resize(j.newSize, 0x22);
    j.ranges.push_back({original.size(), {}, Bytes(0x100, 0x22)});
    const auto openWith = [&](const std::shared_ptr<test::FailingFileOps>& ops, const test::TempImage& file) {
        EXPECT_NE(test::WriteJournal(file.Path(), j), "");
        RomDocument doc;
        doc.SetFileOps(ops);
        return doc.Open(file.Path());
    };
    const int steps = test::StepsOf([&](const auto& ops) {
        test::TempImage file(torn);
        ASSERT_EQ(Describe(openWith(ops, file).error), "");
        ASSERT_TRUE(file.Read() == original);
    });
    test::ForEachFailure(steps, [&](int failAt, bool once) {
        test::TempImage file(torn);
        const OpenResult s = openWith(std::make_shared<test::FailingFileOps>(failAt, EIO, once), file);
        if (!s.ok()) { // the journal is still there, and the next open finishes the roll-back
            EXPECT_TRUE(test::Refused(s.error, ErrorText(EIO)));
            EXPECT_TRUE(JournalPending(file.Path()));
            EXPECT_EQ(Describe(RomDocument().Open(file.Path()).error), "");
        }
        EXPECT_TRUE(file.Read() == original);
        EXPECT_FALSE(JournalPending(file.Path()));
    });
}

TEST(FileOps, FailuresCarryTheSystemsReason)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string missing = folder + "/missing.smc";
    rom::FileOps ops;
    EXPECT_EQ(ops.OpenExisting(missing), -ENOENT);
    EXPECT_EQ(ops.CreateTruncated(folder + "/no/j"), -ENOENT); // a journal in a missing folder
    EXPECT_EQ(ops.Remove(missing), -ENOENT);
    EXPECT_FALSE(Exists(missing)) << "an open never creates the file";
    EXPECT_EQ(rom::ErrorText(ENOENT), "文件不存在");
    EXPECT_EQ(rom::ErrorText(ENOSPC), "磁盘已满");
    if (QFile::exists("/dev/full")) { // a device that is always full: Linux and some BSDs only
        const uint8_t byte = 7;
        const int file = ops.OpenExisting("/dev/full");
        EXPECT_EQ(ops.WriteAt(file, &byte, 1, 0), -ENOSPC);
        ops.Close(file);
    }
}

TEST(FileOps, SideFilesAreReadOnlyWhenRegularAndWithinTheirBound)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ASSERT_TRUE(test::WriteFile(folder + "/small", Bytes{1, 2, 3}));
    ASSERT_TRUE(test::WriteFile(folder + "/exact", Bytes(100, 7)));
    ASSERT_TRUE(test::WriteFile(folder + "/long", Bytes(101, 7)));
    const std::tuple<const char*, int, size_t> cases[] = {
        {"small", 0, 3}, {"exact", 0, 100}, {"long", EFBIG, 0}, {"missing", ENOENT, 0}, {"", EISDIR, 0},
    };
    for (const auto& [name, error, size] : cases) {
        SCOPED_TRACE(name);
        const std::string path = folder + "/" + name;
        Bytes bytes{9};
        const std::optional<rom::Error> e = rom::ReadSideFile(path, 100, bytes);
        EXPECT_EQ(e ? e->systemError : 0, error);
        EXPECT_EQ(bytes.size(), size);
        EXPECT_TRUE(!e || test::Refused(e, path));
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
    const std::tuple<rom::Error, std::string> cases[] = {
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
    for (const auto& [error, words] : cases)
        EXPECT_EQ(rom::Describe(error), words);
}
