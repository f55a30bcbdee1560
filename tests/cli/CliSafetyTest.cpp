// The command line under hostile conditions: imports that try to change what is never edited or
// carry numbers no field can hold. Outputs that cannot be written, huge or endless inputs, special
// files as OUT and a file-size limit need POSIX shells and devices: PosixCliTest.cpp.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;
using test::Contains;

TEST(CliSafety, ImportRefusesAChangedLootGateAndHelpAfterTheRom)
{
    test::Folder dir;
    test::TempImage rom(rom::MakeSampleImage(23));
    const QJsonObject root = test::JsonOf(Cli({"export", rom.Path()}).out);
    const QJsonValue gate = root.value("tables")["monsters"]["codes"]["loot_gate"][4];
    const QJsonValue edited =
        test::With(root, {"tables", "monsters", "codes", "loot_gate", 4}, gate.toInt() ^ 0x20);
    const CliRun r = Cli({"import", rom.Path(), dir.Write("gate.json", test::TextOf(edited.toObject()))});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "loot_gate") && Contains(r.err, "第 5 行")) << r.err;
    EXPECT_TRUE(rom.Read() == rom::MakeSampleImage(23));

    const CliRun help = Cli({"import", rom.Path(), "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "用法：dravik import")) << help.out;
}

// Codes too large for an integer (found by fuzz_json) and a repeated key are refused.
TEST(CliSafety, ImportRefusesHugeCodesAndARepeatedKeyWithItsPath)
{
    test::Folder dir;
    test::TempImage rom(rom::MakeSampleImage(24));
    for (const char* value : {"7e123", "-7e123", "1e10", "1.5"}) {
        const std::string text =
            std::string(R"({"format": "dravik-tables-1", "tables": {"drinks": {"codes": {}},)") +
            R"( "tanks": {"codes": {"items": [[)" + value + R"(, 0, 0, 0]]}}}})";
        EXPECT_EQ(Cli({"import", rom.Path(), dir.Write("codes.json", text)}).status, 1) << value;
    }
    std::string json = Cli({"export", rom.Path()}).out;
    const size_t tables = json.find("\"tables\": {");
    ASSERT_NE(tables, std::string::npos);
    // A first "items" the parser would otherwise silently drop for the second.
    json.insert(tables + 11, "\"items\": {\"codes\": {}}, ");
    const std::string path = dir.Write("twice.json", json);
    const CliRun r = Cli({"import", rom.Path(), path});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, path + ": JSON 路径 tables.items：\"items\" 出现了两次")) << r.err;
    EXPECT_TRUE(rom.Read() == rom::MakeSampleImage(24));
}

TEST(CliSafety, EveryReaderTellsOfTheInterruptedSaveItRolledBack)
{
    const rom::Bytes original = rom::MakeSampleImage(26);
    test::TempImage other(rom::MakeSampleImage(27));
    QTemporaryDir dir;
    const std::vector<std::vector<std::string>> commands = {
        {"export", "ROM"},
        {"diff", "ROM", other.Path()},
        {"patch", "ROM", other.Path(), dir.filePath("p.ips").toStdString()}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        test::TempImage rom(original);
        const std::string journalPath = test::CutShortSave(rom.Path(), original, 0x300, 4);
        std::vector<std::string> args = command;
        args[1] = rom.Path();
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(Contains(r.err, rom.Path()) && Contains(r.err, journalPath)) << r.err;
        EXPECT_TRUE(test::ReadFile(rom.Path()) == original);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(journalPath)));
    }
}
