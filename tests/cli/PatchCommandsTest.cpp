// diff, patch and apply on the command line: outputs, exit statuses, and refusals that leave
// the ROM byte for byte as it was (the words of the others are in CliTest's table of runs).
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cli/Commands.h"
#include "rom/ImageDiff.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;
using test::Contains;
using test::Says;

// diff in every format: each changed field once, under its table, and the bytes outside the fields
// (past 50 runs the rest are counted, not listed).
TEST(PatchCommands, DiffListsEveryChangedFieldOnceInEveryFormat)
{
    test::Folder f;
    const rom::Bytes original = rom::MakeSampleImage(13);
    rom::Model other = test::Loaded(rom::MakeSampleImage(14));
    const std::string a = f.Write("a.smc", original), b = f.Write("b.smc", original);
    {
        rom::RomDocument doc;
        ASSERT_TRUE(doc.Open(b).ok());
        for (const char* table : {"hotel_rooms", "monsters", "tanks"}) {
            const rom::Table& t = other.Get(table);
            for (int row : {1, 3})
                for (int c : t.Layout().ValueColumns())
                    doc.Apply(rom::Edit(table).SetCell(row, c, t.Cell(row, c)));
        }
        ASSERT_TRUE(doc.Save().ok());
    }
    const rom::ImageDiff diff = rom::DiffImages(original, test::ReadFile(b));
    const std::string price = other.Get("hotel_rooms").Cell(1, 1);
    EXPECT_TRUE(Says(
        Cli({"diff", a, b}), 0,
        {"hotel_rooms「客房」 第 2 行「竹客房」 价格: ", " -> " + price + "\n", "字段以外的字节差异 0 段"}));
    EXPECT_TRUE(
        Says(Cli({"diff", a, b, "--format", "csv"}), 0,
             {"kind,table,title,row,row_name,column,a,b\r\n", "\r\nfield,hotel_rooms,客房,2,竹客房,价格,"}));
    EXPECT_TRUE(Says(Cli({"diff", a, a}), 0, {"完全相同"}));
    EXPECT_TRUE(Says(Cli({"diff", a, a, "--format", "md"}), 0, {"两个映像完全相同。"}));
    const QJsonValue json = test::JsonOf(Cli({"diff", a, b, "--format", "json"}).out);
    EXPECT_EQ(json["fields"].toArray().size(), static_cast<int>(diff.fields.size()));
    EXPECT_EQ(json["fields"][0]["table"].toString() + "." + json["fields"][0]["column"].toString(),
              QString::fromStdString(diff.fields[0].tableId + "." + diff.fields[0].column));
    EXPECT_EQ(json["bytes_outside_fields"]["bytes"].toInt(), 0);

    // Markdown: one section per table, each changed field once in its table's section.
    std::multiset<std::string> listed, expected;
    std::string table;
    const std::string md = Cli({"diff", a, b, "--format", "md"}).out;
    EXPECT_EQ(QString::fromStdString(md).count("\n## "), 3) << md;
    std::istringstream lines(md);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("## ", 0) == 0)
            table = line.substr(line.rfind(" (`") + 1);
        else if (Contains(line, " → "))
            listed.insert(table + line);
    for (const rom::FieldChange& field : diff.fields)
        expected.insert("(`" + field.tableId + "`)| " + std::to_string(field.row + 1) + " | " +
                        field.rowLabel + " | " + field.column + " | " + field.before + " → " + field.after +
                        " |");
    EXPECT_EQ(listed, expected);

    rom::Bytes many = original;
    for (uint32_t k = 0; k < 52; ++k)
        many[0x1000 + 4 * k] ^= 1;
    const std::string c = f.Write("c.smc", many);
    for (const auto& [format, listed] :
         {std::pair{"text", "字节）\n"}, {"json", "\"offset\""}, {"csv", "\r\nbytes,"}}) {
        const std::string out = Cli({"diff", a, c, "--format", format}).out;
        EXPECT_EQ(QString::fromStdString(out).count(listed), 50) << format << "\n" << out;
    }
    EXPECT_TRUE(Says(Cli({"diff", a, c}), 0, {"另有 2 段未列出"}));
}

TEST(PatchCommands, PatchAndApplyRoundTripInBothFormatsAndSpareAReadOnlyImage)
{
    test::Folder f;
    const rom::Bytes original = rom::MakeSampleImage(7);
    rom::Bytes modified = rom::MakeSampleImage(8);
    modified.resize(modified.size() + 5000, 0);
    std::copy(original.begin(), original.begin() + rom::kCopierHeaderSize,
              modified.begin()); // a mod keeps it
    const std::string a = f.Write("a.smc", original), b = f.Write("b.smc", modified);
    for (const char* name : {"mod.ips", "mod.BPS", "mod.patch"}) {
        SCOPED_TRACE(name);
        cli::Args args = {"patch", a, b, f.Path(name)};
        if (std::string(name) == "mod.patch")
            args.insert(args.end(), {"--format", "bps"});
        ASSERT_TRUE(Says(Cli(args), 0));
        // To a new file, then in place.
        ASSERT_TRUE(Says(Cli({"apply", a, f.Path(name), f.Path("out.smc")}), 0));
        EXPECT_TRUE(test::ReadFile(f.Path("out.smc")) == modified);
        const std::string copy = f.Write("copy.smc", original);
        ASSERT_EQ(Cli({"apply", copy, f.Path(name)}).status, 0);
        EXPECT_TRUE(test::ReadFile(copy) == modified);
    }
    // Patches made for the images without their copier header: a BPS says so itself, an IPS is told.
    const size_t header = rom::kCopierHeaderSize;
    const std::string p = f.Write("p.smc", rom::Bytes(original.begin() + header, original.end())),
                      q = f.Write("q.smc", rom::Bytes(modified.begin() + header, modified.end()));
    for (const char* patch : {"p.bps", "p.ips"})
        ASSERT_TRUE(Says(Cli({"patch", p, q, f.Path(patch)}), 0));
    for (const cli::Args& args :
         {cli::Args{"apply", a, f.Path("p.bps"), f.Path("o.smc")},
          cli::Args{"apply", "--headerless-patch", a, f.Path("p.ips"), f.Path("o.smc")}}) {
        ASSERT_TRUE(Says(Cli(args), 0, {"文件头保持不变"}));
        EXPECT_TRUE(test::ReadFile(f.Path("o.smc")) == modified);
    }
    // A read-only image (no write permission bit) is not replaced by an in-place apply, but can
    // be applied to a new OUT.
    const std::string readOnly = f.Write("kept.smc", original);
    QFile::setPermissions(QString::fromStdString(readOnly), QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_TRUE(Says(Cli({"apply", readOnly, f.Path("mod.ips")}), 1, {"只读"}));
    EXPECT_TRUE(test::ReadFile(readOnly) == original);
    EXPECT_TRUE(Says(Cli({"apply", readOnly, f.Path("mod.ips"), f.Path("new.smc")}), 0));
    EXPECT_TRUE(test::ReadFile(f.Path("new.smc")) == modified);
    EXPECT_TRUE(test::ReadFile(a) == original && test::ReadFile(b) == modified);
}

TEST(PatchCommands, FixChecksumWithApplyAndImportAndTheNoteOnAFileThatIsNoImage)
{
    test::Folder f;
    const rom::Bytes original = rom::MakeSampleImage(8);
    rom::Bytes modified = original;
    modified[0x150000] ^= 0x5A;
    const std::string rom = f.Write("a.smc", original), out = f.Path("out.smc"), ips = f.Path("mod.ips");
    ASSERT_EQ(Cli({"patch", rom, f.Write("m.smc", modified), ips}).status, 0);
    const CliRun r = Cli({"apply", rom, ips, out, "--fix-checksum"});
    ASSERT_TRUE(Says(r, 0, {"校验和已设为 0x"}) && r.err.empty()) << r.err;
    EXPECT_TRUE(test::ChecksumIsRight(test::ReadFile(out)));
    ASSERT_EQ(Cli({"apply", rom, ips, out}).status, 0);
    EXPECT_FALSE(test::ChecksumIsRight(test::ReadFile(out)));

    const std::string json =
        f.Write("edit.json", R"({"format": "dravik-tables-1", "tables": )"
                             R"({"hotel_rooms": {"rows": [["", "3"], ["", "4"], ["", "5"]]}}})");
    ASSERT_TRUE(Says(Cli({"import", rom, json, "--fix-checksum", "--dry-run"}), 0,
                     {"修正校验和：内部文件头 0x0081C0", "0x0081DE: "}));
    EXPECT_EQ(test::ReadFile(rom), original);
    ASSERT_EQ(Cli({"import", rom, json, "--fix-checksum"}).status, 0);
    EXPECT_TRUE(test::ChecksumIsRight(test::ReadFile(rom)));

    // A file of image size that is no image: every command goes on, and says so once.
    rom::Bytes random = test::RandomImage(9);
    random[0x200 + 0x7FD5] = random[0x200 + 0xFFD5] = 0;
    const std::string noImage = f.Write("random.smc", random);
    for (const cli::Args& args : {cli::Args{"export", noImage}, cli::Args{"diff", rom, noImage},
                                  cli::Args{"import", noImage, json, "--dry-run"}}) {
        const CliRun run = Cli(args);
        EXPECT_TRUE(run.status == 0 && QString::fromStdString(run.err).count("可能不是这个游戏的映像") == 1)
            << args[0] << run.err;
    }
    EXPECT_TRUE(Says(Cli({"import", noImage, json, "--fix-checksum"}), 1, {"找不到内部文件头"}));
    EXPECT_EQ(test::ReadFile(noImage), random);
}
