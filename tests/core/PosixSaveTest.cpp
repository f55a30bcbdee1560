// Saves on POSIX systems, where a file has an inode, an owner, a mode and hard and symbolic links
// that an in-place save must keep. Built only there. (A file-size limit reached part way is the
// command line's test: it runs the same writes under a shell's limit.)
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <tuple>
#include <unistd.h>

#include "SaveSafety.h"
#include "rom/Recovery.h"
#include "rom/SampleImage.h"

using namespace dravik;
using namespace dravik::rom;
using test::Contains;
using test::Exists;
using test::SaveSafety;

namespace {
struct stat Stat(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}
} // namespace

TEST_F(SaveSafety, FileKeepsItsIdentityModeOwnerAndLinks)
{
    for (const mode_t mode : {mode_t(0444), mode_t(0660), mode_t(06755)}) {
        test::TempImage file(MakeSampleImage(11));
        const std::string link = file.Path() + ".link", sym = file.Path() + ".sym";
        ASSERT_EQ(::link(file.Path().c_str(), link.c_str()), 0);
        ASSERT_EQ(::symlink(file.Path().c_str(), sym.c_str()), 0);
        ASSERT_EQ(::chmod(file.Path().c_str(), mode), 0);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(file.Path().c_str(), 65534, 100), 0);
        }
        const struct stat before = Stat(file.Path());
        const SaveResult s = test::SaveItemPrice(sym, "123");
        if (mode == 0444) { // nobody may write it: a reference image that is kept as it is
            EXPECT_TRUE(test::Refused(s.error, "只读"));
            EXPECT_NE(test::WriteImage(sym, MakeSampleImage(12)), "") << "nor replaced as a new image";
            EXPECT_EQ(Stat(file.Path()).st_mode, before.st_mode);
            EXPECT_TRUE(file.Read() == MakeSampleImage(11));
            continue;
        }
        ASSERT_EQ(Describe(s.error), "");
        const auto kept = [](const struct stat& st) {
            return std::tie(st.st_ino, st.st_mode, st.st_uid, st.st_gid);
        };
        EXPECT_EQ(kept(Stat(file.Path())), kept(before)) << std::oct << mode;
        EXPECT_EQ(Stat(file.Path()).st_nlink, 2u);
        EXPECT_EQ(test::ReadFile(link), file.Read()) << "the hard link sees the new bytes";
        struct stat symStat {};
        ASSERT_EQ(::lstat(sym.c_str(), &symStat), 0);
        EXPECT_TRUE(S_ISLNK(symStat.st_mode)) << "the symlink stays a link";
        EXPECT_EQ(test::Loaded(test::ReadFile(link)).Get("items").Cell(0, 1), "123");

        // A write that grows or shrinks the image too.
        Bytes resized = file.Read();
        resized.resize(resized.size() + (mode == 0660 ? 0x400 : -0x400), 0x33);
        ASSERT_EQ(test::WriteImage(sym, resized), "");
        EXPECT_EQ(kept(Stat(file.Path())), kept(before)) << std::oct << mode;
        EXPECT_TRUE(test::ReadFile(link) == resized);
    }
}

TEST_F(SaveSafety, SavesOfOneImageAreSerialisedAndALeftLockIsTakenOver)
{
    test::TempImage file(MakeSampleImage(16));
    const std::string lockName = file.Path() + ".lock";
    // A lock as Qt's QLockFile makes it and this program's keep each other out while their process
    // lives, and either takes over the other's when it has died.
    {
        QLockFile qt(QString::fromStdString(lockName));
        ASSERT_TRUE(qt.tryLock(0));
        LockFile plain;
        EXPECT_EQ(plain.TryLock(lockName, 0), -EBUSY);
        qt.unlock();
        ASSERT_EQ(plain.TryLock(lockName, 0), 0);
        QLockFile other(QString::fromStdString(lockName));
        EXPECT_FALSE(other.tryLock(0));
        qint64 pid = 0;
        QString host;
        ASSERT_TRUE(other.getLockInfo(&pid, &host, nullptr));
        EXPECT_EQ(pid, ::getpid());
        EXPECT_EQ(host, QSysInfo::machineHostName());
    }
    // A process that takes the lock, as Qt or as this program does, and dies holding it.
    const auto dieHolding = [&](bool qt) {
        if (const pid_t child = ::fork(); child == 0) {
            QLockFile lock(QString::fromStdString(lockName));
            ::_exit((qt ? lock.tryLock(0) : LockFile().TryLock(lockName, 0) == 0) ? 0 : 1);
        } else {
            ::waitpid(child, nullptr, 0);
        }
        return Exists(lockName);
    };
    ASSERT_TRUE(dieHolding(false));
    EXPECT_TRUE(QLockFile(QString::fromStdString(lockName)).tryLock(0));
    ASSERT_TRUE(dieHolding(true));

    RomDocument a, b;
    ASSERT_TRUE(a.Open(file.Path()).ok());
    ASSERT_TRUE(b.Open(file.Path()).ok());
    a.GetModel().Get("items").SetCell(0, 1, "11");
    b.GetModel().Get("items").SetCell(1, 1, "22");
    SaveResult sa, sb;
    std::thread ta([&] { sa = a.Save(); });
    std::thread tb([&] { sb = b.Save(); });
    ta.join();
    tb.join();
    // One of them saved; the other then found the file changed and wrote nothing.
    EXPECT_NE(sa.ok(), sb.ok()) << Describe(sa.error) << Describe(sb.error);
    EXPECT_TRUE(sa.fileChanged || sb.fileChanged);
    const Table items = test::Loaded(file.Read()).Get("items");
    EXPECT_EQ(items.Cell(0, 1) == "11", sa.ok());
    EXPECT_EQ(items.Cell(1, 1) == "22", sb.ok());
    EXPECT_FALSE(Exists(lockName));
}

// Journals are found where every version of the programs puts them: beside the image, and in the
// data folder (Qt's generic data location) by the SHA-1 of the image's real path and by its
// device and inode; the plain rules for that folder are Qt's.
TEST_F(SaveSafety, JournalNamesAreThoseStoredFilesAndOlderProgramsUse)
{
    const QByteArray home = qgetenv("HOME");
    const DataHomeSource qt = SetDataHomeSource(nullptr);
    QStandardPaths::setTestModeEnabled(false);
    qputenv("HOME", "/home/u");
    const std::string sha1 = "/dravik/journals/6d3e4f65efa1edef2564ce7c7e3f031a074ff53a.journal";
    for (const auto& [xdg, folder] : {std::pair<const char*, std::string>{"/data/home", "/data/home"},
                                      {"", "/home/u/.local/share"},
                                      {"relative", "relative"}}) {
        qputenv("XDG_DATA_HOME", xdg);
        EXPECT_EQ(JournalPaths("/srv/roms/./image.smc"),
                  (std::vector<std::string>{"/srv/roms/image.smc.journal", folder + sha1}))
            << xdg;
        EXPECT_EQ(rom::DataHome(),
                  QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString())
            << xdg;
    }
    qputenv("HOME", home);
    SetDataHomeSource(qt);
    TestFolders();
    test::TempImage file(MakeSampleImage(3));
    const struct stat st = Stat(file.Path());
    EXPECT_EQ(JournalPaths(file.Path()).back(), rom::DataHome() + "/dravik/journals/file-" +
                                                    std::to_string(st.st_dev) + "-" +
                                                    std::to_string(st.st_ino) + ".journal");
}

TEST(FileOps, SideFilesNeverFollowLinksNorWaitOnAFifo)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string victim = folder + "/victim.txt";
    ASSERT_TRUE(test::WriteFile(victim, Bytes{'v'}));
    const std::string toVictim = RomDocument::BackupPath(folder + "/game.smc"),
                      dangling = folder + "/dangling";
    ASSERT_EQ(::symlink((folder + "/nowhere").c_str(), dangling.c_str()), 0);
    FileOps ops;
    EXPECT_EQ(ops.CreateNew(dangling), -EEXIST);
    EXPECT_FALSE(Exists(folder + "/nowhere")) << "nothing made through a link";

    // Every writer of whole files (side files, backups, exports and patches, recovery records)
    // replaces a link of its name; a replaced file keeps its mode.
    const Bytes content{'{', '}'};
    const std::vector<std::function<bool(const std::string&)>> writers = {
        [&](const std::string& p) { return !WriteSideFile(p, content.data(), content.size()); },
        [&](const std::string& p) {
            std::string where;
            return !WriteBackup(folder + "/game.smc", content, *SystemFileOps(), where) && where == p;
        },
        [&](const std::string& p) { return ReplaceFile(p, content.data(), content.size()) == 0; },
        [&](const std::string& p) { return !WriteRecord(p, RecoveryRecord()); }};
    for (const auto& write : writers) {
        ::unlink(toVictim.c_str());
        ASSERT_EQ(::symlink(victim.c_str(), toVictim.c_str()), 0);
        ASSERT_TRUE(write(toVictim));
        EXPECT_TRUE(test::ReadFile(victim) == Bytes{'v'}) << "the link's target is untouched";
        EXPECT_TRUE(&write == &writers.back() ||
                    test::ReadFile(toVictim) == content); // the record is not content
        struct stat st {};
        ASSERT_EQ(::lstat(toVictim.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        ASSERT_EQ(::chmod(toVictim.c_str(), 0640), 0);
        ASSERT_TRUE(write(toVictim));
        EXPECT_EQ(Stat(toVictim).st_mode & 0777, 0640u);
    }
    for (const QString& name :
         QDir(QString::fromStdString(folder)).entryList(QDir::AllEntries | QDir::System))
        EXPECT_FALSE(name.contains(".tmp")) << "a temporary file left: " << name.toStdString();
}

// A copy goes through the system between two files, else through a buffer (from a pipe, which the
// system does not copy from), and ends where its source does.
TEST(FileOps, CopiesInTheSystemOrThroughABufferUpToTheSourcesEnd)
{
    QTemporaryDir dir;
    const std::string from = dir.path().toStdString() + "/a", to = dir.path().toStdString() + "/b";
    const Bytes image = MakeSampleImage(5), start(image.begin(), image.begin() + 40000);
    ASSERT_TRUE(test::WriteFile(from, image));
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    ASSERT_EQ(::write(pipe[1], start.data(), start.size()), static_cast<ssize_t>(start.size()));
    ::close(pipe[1]);
    for (const bool fromPipe : {false, true}) {
        const Bytes& expected = fromPipe ? start : image;
        const int in = fromPipe ? pipe[0] : ::open(from.c_str(), O_RDONLY);
        const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        uint64_t copied = 0;
        EXPECT_EQ(CopyBytes(in, out, expected.size() + 1, copied), 0);
        EXPECT_EQ(copied, expected.size());
        ::close(in);
        ::close(out);
        EXPECT_TRUE(test::ReadFile(to) == expected) << fromPipe;
    }
}

TEST_F(SaveSafety, ASaveCutShortThroughOneHardLinkIsFoundFromTheOther)
{
    const Bytes original = MakeSampleImage(23);
    test::TempImage file(original);
    const std::string other = file.Path() + ".other";
    ASSERT_EQ(::link(file.Path().c_str(), other.c_str()), 0);
    ASSERT_FALSE(test::SaveDyingAtJournalRemoval(other) == original);
    const OpenResult s = RomDocument().Open(file.Path());
    ASSERT_EQ(Describe(s.error), "");
    EXPECT_TRUE(test::Mentions(s.notice, "已恢复"));
    EXPECT_TRUE(file.Read() == original);
}

TEST_F(SaveSafety, OddJournalFilesAreReportedWithoutWaitingOrFollowingThem)
{
    const Bytes original = MakeSampleImage(24);
    for (const char* kind : {"fifo", "link to /dev/zero", "dangling link", "link to a file"}) {
        SCOPED_TRACE(kind);
        test::TempImage file(original);
        const std::string journal = file.Path() + ".journal", target = file.Path() + ".elsewhere";
        const std::string k = kind;
        if (k == "link to a file") { // a journal that would roll a byte back, were it followed
            const FileIdentity id = IdentifyFile(file.Path());
            Journal j{id.device, id.inode, original.size(), original.size()};
            j.ranges.push_back({0x100, {static_cast<uint8_t>(original[0x100] ^ 1)}, {original[0x100]}});
            ASSERT_TRUE(test::WriteFile(target, EncodeJournal(j)));
        }
        ASSERT_EQ(k == "fifo"                ? ::mkfifo(journal.c_str(), 0600)
                  : k == "link to /dev/zero" ? ::symlink("/dev/zero", journal.c_str())
                                             : ::symlink(target.c_str(), journal.c_str()),
                  0);
        EXPECT_TRUE(test::Refused(RomDocument().Open(file.Path()).error, journal));
        EXPECT_TRUE(file.Read() == original);
        EXPECT_EQ(Exists(target), k == "link to a file") << "nothing made through the link";
    }
}

TEST(FileOps, AHoldThatWaitsTooLongSaysWhichFileAndWhy)
{
    test::TempImage file(MakeSampleImage(27));
    for (const bool exclusive : {true, false}) {
        SCOPED_TRACE(exclusive ? "a save waits on a reader" : "a reader waits on a save");
        const int other = ::open(file.Path().c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(other, 0);
        ASSERT_EQ(::flock(other, exclusive ? LOCK_SH : LOCK_EX), 0);
        ContentLock hold;
        const std::optional<Error> e = hold.Take(file.Path(), exclusive, 30);
        ::close(other);
        ASSERT_TRUE(test::Refused(e, file.Path()));
        EXPECT_TRUE(e->systemError == EBUSY && Contains(Describe(e), "另一个程序正在")) << Describe(e);
        EXPECT_FALSE(hold.Take(file.Path(), exclusive, 30)) << "taken once the other hold is gone";
    }
}

// A save whose journal has to go to the saver's data folder (the image's folder takes no new files)
// marks the image, so an open by anyone who cannot see that folder learns of the save cut short:
// a journal of another owner or out of reach is refused by name and the file left as it is; one
// of the same user's, through another data folder, is rolled back and the mark goes with it.
TEST_F(SaveSafety, ASaveCutShortWithItsJournalInOneUsersDataFolderIsSeenByEveryOpen)
{
    QTemporaryDir homes;
    const auto user = [&](const char* name) { DataHome(homes.filePath(name)); };
    const Bytes original = MakeSampleImage(28);
    test::TempImage file(original);
    user("a");
    const Bytes torn = test::SaveDyingAtJournalRemoval(file.Path(), false);
    ASSERT_FALSE(torn == original);
    const std::string journal = JournalPaths(file.Path()).back();
    ASSERT_TRUE(Exists(journal)) << journal;

    const auto opens = [&](const std::string& path) {
        const OpenResult s = RomDocument().Open(path);
        EXPECT_TRUE(s.ok() || Contains(Describe(s.error), journal)) << Describe(s.error);
        return s.ok();
    };
    user("b");
    ASSERT_EQ(::chown(journal.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(opens(file.Path())) << "another owner's journal";
    ASSERT_EQ(::chown(journal.c_str(), ::geteuid(), ::getegid()), 0);
    if (::geteuid() == 0) { // a process of another user, who cannot read the saver's data folder
        ASSERT_EQ(::chmod(homes.path().toUtf8().constData(), 0711), 0);
        ASSERT_EQ(
            ::chmod(QFileInfo(QString::fromStdString(file.Path())).absolutePath().toUtf8().constData(), 0755),
            0);
        ASSERT_EQ(::chmod(file.Path().c_str(), 0666), 0);
        ASSERT_EQ(::chmod(homes.filePath("a").toUtf8().constData(), 0700), 0);
        const QByteArray c = homes.filePath("c").toUtf8();
        ASSERT_TRUE(QDir().mkpath(homes.filePath("c")) && ::chown(c.constData(), 65534, 65534) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            qputenv("XDG_DATA_HOME", c);
            ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && !opens(file.Path()) ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_TRUE(file.Read() == torn) << "left as it was";
    EXPECT_TRUE(opens(file.Path())) << "the same user through another data folder";
    EXPECT_TRUE(file.Read() == original);
    EXPECT_FALSE(Exists(journal));
    EXPECT_LT(::getxattr(file.Path().c_str(), "user.dravik.journal", nullptr, 0), 0) << "the mark is gone";
}

// Where the image's folder takes no new files, lock and journal go to the data folder. The save
// is refused, naming the file and the reason, when the lock cannot be made there either, or when
// the image cannot be marked with its journal's place while other users may open it.
TEST_F(SaveSafety, SideFilesThatCannotBeMadeOrFoundInTheDataFolderRefuseTheSave)
{
    struct Ops : test::FailingFileOps {
        using FailingFileOps::FailingFileOps;
        int markError = 0;
        int SetAttribute(const std::string& p, const char* name, const std::string& value) override
        {
            return markError != 0 ? -markError : FileOps::SetAttribute(p, name, value);
        }
    };
    QTemporaryDir homes;
    const Bytes original = MakeSampleImage(29);
    // {mode, no data folder (the lock cannot be made there), mark error, says ({}: saved)}
    const std::tuple<mode_t, bool, int, std::vector<std::string>> cases[] = {
        {0644, false, ENOTSUP, {"dravik/journals/", "不能在文件上留下指向它的标记", ErrorText(ENOTSUP)}},
        {0600, false, ENOTSUP, {}}, // no one else may open it: no mark needed
        {0644, false, 0, {}},
        {0600, true, 0, {"无法创建锁文件", "dravik/locks/", ErrorText(ENOTDIR)}},
    };
    for (const auto& [mode, noDataFolder, markError, says] : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << mode << " " << noDataFolder << " " << markError);
        test::TempImage file(original);
        ASSERT_EQ(::chmod(file.Path().c_str(), mode), 0);
        if (noDataFolder) {
            ASSERT_TRUE(test::WriteFile(homes.filePath("a file").toStdString(), Bytes{'x'}));
            DataHome(homes.filePath("a file"));
        }
        auto ops = std::make_shared<Ops>(1 << 30, ENOSPC, true);
        ops->folderWritable = false;
        ops->markError = markError;
        Bytes target = original;
        target[0x100] ^= 0xFF;
        const std::string words = test::WriteImage(file.Path(), target, ops);
        TestFolders();
        EXPECT_EQ(words.empty(), says.empty()) << words;
        for (const std::string& part : says)
            EXPECT_TRUE(Contains(words, part)) << part << " in " << words;
        EXPECT_TRUE(file.Read() == (words.empty() ? target : original));
        for (const std::string& journal : JournalPaths(file.Path()))
            EXPECT_FALSE(Exists(journal)) << journal;
    }
}
