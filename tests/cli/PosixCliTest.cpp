// The command line under hostile conditions only POSIX systems offer: a shell's redirections and
// limits on the real program, a device that is always full, an endless device and a FIFO as OUT.
// Built only there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <sstream>
#include <sys/stat.h>

#include "cli/Commands.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;
using test::Contains;

namespace {
// The real program through a shell, for what only a process shows: redirections, limits, signals.
CliRun Shell(const std::string& script)
{
    QProcess p;
    p.start("/bin/sh", {"-c", QString::fromStdString(script)});
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

} // namespace

TEST(CliSafety, EveryOutputWriteIsChecked)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no always-full device here (macOS has none)";
    test::TempImage rom(rom::MakeSampleImage(21));
    const std::string cli = Quote(DRAVIK_CLI);
    const std::string commands[] = {"export " + Quote(rom.Path()),
                                    "export " + Quote(rom.Path()) + " --table monsters --format csv",
                                    "convert 255 10 16", "--help"};
    for (const std::string& command : commands) {
        const CliRun r = Shell(cli + " " + command + " > /dev/full");
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_TRUE(Contains(r.err, "磁盘已满")) << command << ": " << r.err;
        EXPECT_EQ(Shell(cli + " " + command + " > /dev/null").status, 0) << command;
    }
}

TEST(CliSafety, AFileSizeLimitIsAnErrorNotASignal)
{
    QTemporaryDir dir;
    const std::string out = dir.path().toStdString() + "/big.smc";
    const CliRun r = Shell("ulimit -f 1024; " + Quote(DRAVIK_CLI) + " sample " + Quote(out));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(Contains(r.err, "文件太大")) << r.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
}

TEST(CliSafety, SampleReplacesOnlyRegularFiles)
{
    QTemporaryDir dir;
    const std::string fifo = dir.path().toStdString() + "/fifo",
                      folder = dir.path().toStdString() + "/folder";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(folder)));
    for (const std::string& out : {fifo, folder}) {
        const CliRun r = Cli({"sample", out});
        EXPECT_EQ(r.status, 1) << out;
        EXPECT_TRUE(Contains(r.err, "不是一个普通文件")) << r.err;
    }
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    const std::string regular = dir.path().toStdString() + "/old.smc";
    ASSERT_TRUE(test::WriteFile(regular, rom::Bytes(10, 1)));
    EXPECT_EQ(Cli({"sample", regular}).status, 0);
    EXPECT_EQ(test::ReadFile(regular).size(), 0x200200u);
}

TEST(CliSafety, HugeOrEndlessJsonIsRefusedBeforeItIsRead)
{
    test::TempImage rom(rom::MakeSampleImage(22));
    QTemporaryDir dir;
    const std::string huge = dir.path().toStdString() + "/huge.json";
    {
        QFile f(QString::fromStdString(huge));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(65) << 20)); // sparse: nothing is really written
    }
    for (const std::string& json : {huge, std::string("/dev/zero")}) {
        const CliRun r = Cli({"import", rom.Path(), json});
        EXPECT_EQ(r.status, 1) << json;
        EXPECT_TRUE(Contains(r.err, "64 MiB")) << r.err;
    }
#ifndef DRAVIK_SANITIZE // the sanitizers reserve more address space than this limit allows
    // Under a memory limit an endless input must not end in an uncaught exception.
    const CliRun limited =
        Shell("ulimit -v 1000000; " + Quote(DRAVIK_CLI) + " import " + Quote(rom.Path()) + " /dev/zero");
    EXPECT_EQ(limited.status, 1) << limited.err;
#endif
    EXPECT_TRUE(test::ReadFile(rom.Path()) == rom::MakeSampleImage(22));
}

// Files written beside the old ones and renamed over them: a limit reached part way leaves every
// file whole, old or new, and says so; an output that cannot be written still tells what was.
TEST(CliSafety, FileSizeLimitsLeaveWholeFilesAndSayWhatWasWritten)
{
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString(), cli = Quote(DRAVIK_CLI);
    const std::string full = root + "/full", mine = root + "/mine";
    ASSERT_EQ(Cli({"names", "export", full}).status, 0);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(mine)));
    const QStringList files = QDir(QString::fromStdString(full)).entryList(QDir::Files);
    for (const QString& f : files)
        ASSERT_TRUE(test::WriteFile(mine + "/" + f.toStdString(), {'m', '\n'}));
    const CliRun names = Shell("ulimit -f 1; " + cli + " names export " + Quote(mine));
    EXPECT_EQ(names.status, 1) << names.out;
    EXPECT_TRUE(Contains(names.err, "文件太大") && Contains(names.err, "这个文件保持原样")) << names.err;
    for (const QString& f : files) {
        const rom::Bytes now = test::ReadFile(mine + "/" + f.toStdString());
        EXPECT_TRUE(now == rom::Bytes({'m', '\n'}) || now == test::ReadFile(full + "/" + f.toStdString()))
            << f.toStdString();
    }

    test::TempImage image(rom::MakeSampleImage(26), "t.smc");
    const std::string old = root + "/t.json";
    ASSERT_TRUE(test::WriteFile(old, {'o', 'l', 'd'}));
    const CliRun exported =
        Shell("ulimit -f 1; " + cli + " export " + Quote(image.Path()) + " --out-dir " + Quote(root));
    EXPECT_EQ(exported.status, 1);
    EXPECT_TRUE(Contains(exported.err, "文件太大") && !Contains(exported.err, "Unknown")) << exported.err;
    EXPECT_TRUE(test::ReadFile(old) == rom::Bytes({'o', 'l', 'd'}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no partial file is left";

    std::vector<std::string> notFolders = {old};
    if (QFile::exists("/dev/full"))
        notFolders.push_back("/dev/full"); // a device, once said not to exist
    for (const std::string& notFolder : notFolders) {
        const CliRun r = Cli({"export", image.Path(), "--out-dir", notFolder});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(Contains(r.err, "不是文件夹")) << r.err;
    }

    if (!QFile::exists("/dev/full"))
        return;
    const QJsonObject top = test::JsonOf(Cli({"export", image.Path()}).out);
    const std::string edit =
        test::TextOf(test::With(top, {"tables", "items", "rows", 3, 1}, "55").toObject());
    ASSERT_TRUE(test::WriteFile(root + "/edit.json", rom::Bytes(edit.begin(), edit.end())));
    const CliRun imported =
        Shell(cli + " import " + Quote(image.Path()) + " " + Quote(root + "/edit.json") + " > /dev/full");
    EXPECT_EQ(imported.status, 1);
    EXPECT_TRUE(Contains(imported.err, "磁盘已满") && Contains(imported.err, image.Path() + " 已经写入"))
        << imported.err;
    EXPECT_FALSE(image.Read() == rom::MakeSampleImage(26));
}

// Every command that changes an existing image writes into that very file: the inode, the mode
// with its special bits and every hard link stay.
TEST(CliSafety, EveryCommandThatChangesAnImageKeepsTheFilesIdentity)
{
    test::Folder dir;
    const std::string original = dir.Write("original.smc", rom::MakeSampleImage(30)),
                      edited = dir.Write("edited.smc", rom::MakeSampleImage(30)),
                      ips = dir.Path("edited.ips");
    ASSERT_EQ(Cli({"set", edited, "--table", "monsters", "--column", "HP", "--all", "--expr", "x+1"}).status,
              0);
    const std::string json = dir.Write("edited.json", Cli({"export", edited}).out);
    ASSERT_EQ(Cli({"patch", original, edited, ips}).status, 0);
    const std::vector<cli::Args> commands = {
        {"import", "IMG", json},
        {"apply", "IMG", ips},
        {"sample", "IMG", "--seed", "31"},
        {"set", "IMG", "--table", "monsters", "--column", "HP", "--all", "--expr", "x+2"}};
    for (cli::Args args : commands) {
        SCOPED_TRACE(args[0]);
        test::TempImage image(rom::MakeSampleImage(30));
        const std::string link = image.Path() + ".link";
        ASSERT_EQ(::link(image.Path().c_str(), link.c_str()), 0);
        ASSERT_EQ(::chmod(image.Path().c_str(), 02664), 0);
        struct stat before {
        }, after{};
        ASSERT_EQ(::stat(image.Path().c_str(), &before), 0);
        args[1] = image.Path();
        const CliRun r = Cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(::stat(image.Path().c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_nlink, 2u);
        EXPECT_FALSE(image.Read() == rom::MakeSampleImage(30));
        EXPECT_TRUE(test::ReadFile(link) == image.Read());
    }
}
