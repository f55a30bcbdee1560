// The command line under hostile conditions only POSIX systems offer: a shell's redirections and
// limits on the real program, a device that is always full, an endless device, a FIFO as OUT,
// hard links and huge pages. Built only there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <tuple>

#include "cli/Commands.h"
#include "cli/LargeBuffers.h"
#include "rom/Ips.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;
using test::Contains;
using test::Says;

namespace {
CliRun Shell(const std::string& script)
{
    return test::RunProgram("/bin/sh", {"-c", QString::fromStdString(script)});
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// What makes a file that very file: its inode, its mode with the special bits, its hard links.
std::tuple<ino_t, mode_t, nlink_t> Identity(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return {st.st_ino, st.st_mode, st.st_nlink};
}
} // namespace

// Every write is checked: an output that cannot be written or a file-size limit is an error with
// its reason (not a signal, not "Unknown error"), files written beside the old ones are renamed
// over them only whole, and what was written is said.
TEST(CliSafety, WritesThatFailSayWhyAndLeaveWholeFiles)
{
    const bool full = QFile::exists("/dev/full"); // macOS has none
    test::Folder dir;
    const std::string root = dir.Root(), cli = Quote(DRAVIK_CLI);
    test::TempImage image(rom::MakeSampleImage(26), "t.smc");
    const std::string img = Quote(image.Path()), old = dir.Write("t.json", "old");
    const std::string edit =
        dir.Write("edit.json", R"({"format": "dravik-tables-1", "tables": )"
                               R"({"hotel_rooms": {"rows": [["", "3"], ["", "4"], ["", "5"]]}}})");
    ASSERT_EQ(Cli({"names", "export", root + "/all"}).status, 0);
    const QStringList nameFiles = QDir(QString::fromStdString(root + "/all")).entryList(QDir::Files);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(root + "/mine")));
    for (const QString& f : nameFiles)
        ASSERT_TRUE(test::WriteFile(root + "/mine/" + f.toStdString(), {'m', '\n'}));
    // Each run into /dev/full where there is one, each other run under a file-size limit (for the
    // names, three blocks: the first two of the 16 files fit).
    const std::pair<std::string, std::vector<std::string>> runs[] = {
        {"export " + img + " > /dev/full", {"磁盘已满"}},
        {"export " + img + " --table monsters --format csv > /dev/full", {"磁盘已满"}},
        {"convert 255 10 16 > /dev/full", {"磁盘已满"}},
        {"--help > /dev/full", {"磁盘已满"}},
        {"export " + img + " --out-dir /dev/full", {"不是文件夹"}}, // a device, once said not to exist
        {"sample " + Quote(root + "/big.smc"), {"文件太大"}},
        {"names export " + Quote(root + "/mine"),
         {"文件太大", "这个文件保持原样", "之前的 2 个文件已写入，之后的 13 个没有写入"}},
        {"export " + img + " --out-dir " + Quote(root), {"文件太大"}},
        {"import " + img + " " + Quote(edit) + " > /dev/full", {"磁盘已满", image.Path() + " 已经写入"}},
    };
    for (const auto& [script, says] : runs) {
        const bool limited = !Contains(script, "/dev/full"), names = Contains(script, "names export");
        if (limited || full) {
            const CliRun r =
                Shell((limited ? names ? "ulimit -f 3; " : "ulimit -f 1; " : "") + cli + " " + script);
            EXPECT_TRUE(Says(r, 1, says) && !Contains(r.err, "Unknown")) << script;
        }
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(root + "/big.smc")));
    for (const QString& f : nameFiles) {
        const rom::Bytes now = test::ReadFile(root + "/mine/" + f.toStdString());
        EXPECT_TRUE(now == rom::Bytes({'m', '\n'}) || now == test::ReadFile(root + "/all/" + f.toStdString()))
            << f.toStdString();
    }
    EXPECT_TRUE(test::ReadFile(old) == rom::Bytes({'o', 'l', 'd'}));
    EXPECT_EQ(QDir(QString::fromStdString(root)).entryList(QDir::Files).size(), 2)
        << "no partial file is left";
    EXPECT_TRUE(!full || !(image.Read() == rom::MakeSampleImage(26))) << "the import was written";
    for (const CliRun& r :
         {Shell(cli + " export " + img + " > /dev/null"), Shell(cli + " --help > /dev/null")})
        EXPECT_EQ(r.status, 0) << r.err;
}

// sample replaces a regular file, never a FIFO (a folder is refused on every system); an import
// refuses a huge or endless input before reading it, also under a memory limit.
TEST(CliSafety, SampleReplacesOnlyRegularFilesAndImportRefusesHugeOrEndlessInput)
{
    test::Folder dir;
    const std::string fifo = dir.Path("fifo"), huge = dir.Path("huge.json"),
                      img = dir.Write("a.smc", rom::MakeSampleImage(22));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_TRUE(Says(Cli({"sample", fifo}), 1, {"不是一个普通文件"}));
    EXPECT_TRUE(S_ISFIFO(std::get<1>(Identity(fifo))));
    EXPECT_TRUE(Says(Cli({"sample", dir.Write("old.smc", rom::Bytes(10, 1))}), 0));
    EXPECT_EQ(test::ReadFile(dir.Path("old.smc")).size(), 0x200200u);

    QFile sparse(QString::fromStdString(huge)); // nothing is really written
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(65) << 20));
    for (const std::string& json : {huge, std::string("/dev/zero")})
        EXPECT_TRUE(Says(Cli({"import", img, json}), 1, {"64 MiB"}));
#ifndef DRAVIK_SANITIZE // the sanitizers reserve more address space than this limit allows
    // Under a memory limit an endless input must not end in an uncaught exception.
    const CliRun limited =
        Shell("ulimit -v 1000000; " + Quote(DRAVIK_CLI) + " import " + Quote(img) + " /dev/zero");
    EXPECT_EQ(limited.status, 1) << limited.err;
#endif
    EXPECT_TRUE(test::ReadFile(img) == rom::MakeSampleImage(22));
}

// Every command that changes an existing image writes into that very file: the inode, the mode
// with its special bits and every hard link stay.
TEST(CliSafety, EveryCommandThatChangesAnImageKeepsTheFilesIdentity)
{
    test::Folder dir;
    const std::string edited = dir.Write("edited.smc", rom::MakeSampleImage(30)),
                      ips = dir.Path("edited.ips");
    ASSERT_EQ(Cli({"set", edited, "--table", "monsters", "--column", "HP", "--all", "--expr", "x+1"}).status,
              0);
    const std::string json = dir.Write("edited.json", Cli({"export", edited}).out);
    ASSERT_EQ(Cli({"patch", dir.Write("original.smc", rom::MakeSampleImage(30)), edited, ips}).status, 0);
    for (cli::Args args :
         {cli::Args{"import", "IMG", json}, cli::Args{"apply", "IMG", ips},
          cli::Args{"sample", "IMG", "--seed", "31"},
          cli::Args{"set", "IMG", "--table", "monsters", "--column", "HP", "--all", "--expr", "x+2"}}) {
        SCOPED_TRACE(args[0]);
        test::TempImage image(rom::MakeSampleImage(30));
        const std::string link = image.Path() + ".link";
        ASSERT_EQ(::link(image.Path().c_str(), link.c_str()), 0);
        ASSERT_EQ(::chmod(image.Path().c_str(), 02664), 0);
        const auto before = Identity(image.Path());
        args[1] = image.Path();
        ASSERT_TRUE(Says(Cli(args), 0));
        EXPECT_EQ(Identity(image.Path()), before);
        EXPECT_FALSE(image.Read() == rom::MakeSampleImage(30));
        EXPECT_TRUE(test::ReadFile(link) == image.Read());
    }
}

// The command line's large buffers: every byte asked for is there and its own, and a pointer that
// is not one of them is never taken for one.
TEST(LargeBuffers, HoldEveryByteAskedForAndAreReturnedOnce)
{
#if !defined(__linux__)
    GTEST_SKIP() << "huge pages are mapped on Linux only";
#endif
    // Just large enough, an image with a copier header, one over a huge page by its header, and
    // one of several huge pages.
    const std::vector<size_t> sizes = {cli::kLargeBuffer, 2097664, (size_t{2} << 20) - 64, 9u << 20};
    std::vector<uint8_t*> blocks;
    for (size_t k = 0; k < sizes.size(); ++k) {
        auto* block = static_cast<uint8_t*>(cli::MapLargeBuffer(sizes[k]));
        ASSERT_TRUE(block && reinterpret_cast<uintptr_t>(block) % 64 == 0) << sizes[k];
        std::memset(block, static_cast<int>(k + 1), sizes[k]);
        blocks.push_back(block);
    }
    // No block overlaps another or its bookkeeping: each still holds only its own value.
    for (size_t k = 0; k < sizes.size(); ++k)
        EXPECT_TRUE(blocks[k][0] == k + 1 && blocks[k][sizes[k] - 1] == k + 1) << sizes[k];
    void* small = std::malloc(64);
    EXPECT_FALSE(cli::UnmapLargeBuffer(small));
    EXPECT_FALSE(cli::UnmapLargeBuffer(nullptr));
    EXPECT_FALSE(cli::UnmapLargeBuffer(blocks[1] + 64)); // inside a block, not its start
    std::free(small);
    for (uint8_t* block : blocks)
        EXPECT_TRUE(cli::UnmapLargeBuffer(block));
    EXPECT_FALSE(cli::UnmapLargeBuffer(blocks[0])); // already returned
    EXPECT_EQ(cli::MapLargeBuffer(cli::kLargeBuffer - 1), nullptr);
}

#if defined(DRAVIK_FULL_CLI)
// `dravik` makes and applies plain IPS patches itself, without Qt, and runs the full command line
// for all else: both must leave the same file, status and words; anything doubtful goes to the
// full one.
TEST(CliPlainPatch, DoesWhatTheFullCommandLineDoesAndHandsOverWhatItDoesNotDo)
{
    test::Folder dir;
    const std::string root = dir.Root();
    rom::Bytes modified = rom::MakeSampleImage(26), patch;
    const rom::Bytes original = modified;
    for (size_t k = 0; k < 300; ++k)
        modified[0xC0600 + k * 13] ^= 0x5A;
    ASSERT_FALSE(rom::MakeIps(original, modified, patch));
    dir.Write("a.smc", original);
    dir.Write("m.smc", modified);
    dir.Write("e.ips", patch);
    dir.Write("z.smc", rom::Bytes(1024)); // no cartridge header
    dir.Write("h.ips", rom::Bytes{'P', 'A', 'T', 'C', 'H', 0, 0, 9, 0, 1, 7, 'E', 'O', 'F'});
    // A new OUT is the image copied, then the stretches the records write: a copier header written
    // as it was, a run with a record over it, records past the image's end and past the size the
    // patch cuts the result to (here grown, for c.ips cut short).
    const rom::Bytes grown = {
        'P', 'A', 'T',  'C',  'H',  0, 0,    0, 0,    2,   original[0], original[1], 0,    0x10, 0,
        0,   0,   0x20, 0,    0x55, 0, 0x20, 0, 0,    2,   0xAA,        0xBB,        0x20, 2,    0x10,
        0,   1,   0xCC, 0x30, 0,    0, 0,    1, 0xEE, 'E', 'O',         'F',         0x20, 3,    0};
    dir.Write("g.ips", grown);
    const rom::Bytes cut = {'P', 'A', 'T', 'C', 'H', 0, 0x90, 0, 0, 1, 0x77, 'E', 'O', 'F', 0x10, 2, 0};
    dir.Write("c.ips", cut);
    const std::pair<std::string, std::string> requests[] = {
        {"", "patch a.smc m.smc p.ips"},
        {"printf old > p.IPS", "patch a.smc m.smc p.IPS"},       // replaced
        {"", "patch missing.smc m.smc p.ips"},                   // refused
        {"printf x > a.smc.journal", "patch a.smc m.smc p.ips"}, // a save of an input cut short
        {"ln -s a.smc p.ips", "patch a.smc m.smc p.ips"},        // over an input
        {"mkdir -p h/.local/share/dravik/journals && touch h/.local/share/dravik/journals/j",
         "patch a.smc m.smc p.ips"},
        {"", "apply a.smc e.ips o.smc"},
        {"cp m.smc o.smc", "apply a.smc e.ips o.smc"}, // in place, under the journal
        {"cp m.smc o.smc && printf x > o.smc.journal", "apply a.smc e.ips o.smc"}, // OUT's save cut short
        {"ln e.ips o.smc", "apply a.smc e.ips o.smc"},                             // OUT is the patch
        {"", "apply a.smc m.smc o.smc"},                                           // not a patch
        {"", "apply z.smc e.ips o.smc"},                                           // not plausible: a notice
        {"", "apply a.smc h.ips o.smc"},                                           // into the copier header
        {"", "apply a.smc g.ips o.smc"},
        {"", "apply a.smc c.ips o.smc"},
    };
    // The status, both streams and the file the run leaves at its last argument.
    const auto run = [&](const std::string& program, const std::string& language, const std::string& setup,
                         const std::string& args) {
        const CliRun r =
            Shell("cd " + Quote(root) + " && rm -rf w h && mkdir w h && cp *.smc *.ips w && cd w && " +
                  (setup.empty() ? "true" : setup) + " && HOME=" + Quote(root + "/h") +
                  " XDG_DATA_HOME= LC_ALL=" + language + " " + Quote(program) + " " + args);
        const std::string out = root + "/w/" + args.substr(args.rfind(' ') + 1);
        const rom::Bytes written =
            QFileInfo(QString::fromStdString(out)).isSymLink() ? rom::Bytes{'L'} : test::ReadFile(out);
        return std::vector<std::string>{
            std::to_string(r.status), r.out, r.err,
            std::to_string(std::hash<std::string>()({written.begin(), written.end()}))};
    };
    for (const auto& [setup, args] : requests)
        for (const char* language : {"C.UTF-8", "en_US.UTF-8"})
            EXPECT_EQ(run(DRAVIK_CLI, language, setup, args), run(DRAVIK_FULL_CLI, language, setup, args))
                << args << " " << language;
    // Alone, without the full command line beside it: plain requests are done (to a new OUT and in
    // place), others cannot be.
    const std::string alone = "cd " + Quote(root) + " && mkdir -p alone && cp " + Quote(DRAVIK_CLI) +
                              " alone && HOME=" + Quote(root + "/h") + " LC_ALL=C.UTF-8 alone/dravik ";
    const CliRun made = Shell(alone + "patch a.smc m.smc n.ips");
    EXPECT_EQ(made.out, "已写入 n.ips（ips，" + std::to_string(patch.size()) + " 字节）\n") << made.err;
    rom::Bytes fromGrown, fromCut;
    ASSERT_FALSE(rom::ApplyIps(grown, original, fromGrown));
    ASSERT_FALSE(rom::ApplyIps(cut, original, fromCut));
    dir.Write("i.smc", original);
    for (const auto& [args, expected] :
         std::vector<std::pair<std::string, rom::Bytes>>{{"apply a.smc n.ips n.smc", modified},
                                                         {"apply a.smc g.ips g.smc", fromGrown},
                                                         {"apply a.smc c.ips c.smc", fromCut},
                                                         {"apply a.smc n.ips i.smc", modified}}) {
        EXPECT_TRUE(Says(Shell(alone + args), 0)) << args;
        EXPECT_TRUE(test::ReadFile(root + "/" + args.substr(args.rfind(' ') + 1)) == expected) << args;
    }
    EXPECT_TRUE(Says(Shell(alone + "patch a.smc m.smc n.bps"), 1, {"无法运行"}));
}
#endif
