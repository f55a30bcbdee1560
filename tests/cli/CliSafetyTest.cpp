// The command line under hostile conditions: imports that try to change what is never edited or
// carry numbers no field can hold. Outputs that cannot be written, huge or endless inputs, special
// files as OUT and a file-size limit need POSIX shells and devices: PosixCliTest.cpp.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sstream>

#include "cli/Commands.h"
#include "rom/FileOps.h"
#include "rom/SampleImage.h"
#include "rom/SaveJournal.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;
using test::Contains;

TEST(CliSafety, ImportRefusesAChangedLootGateAndHelpAfterTheRom)
{
    test::TempImage rom(rom::MakeSampleImage(23));
    const CliRun exported = Cli({"export", rom.Path()});
    ASSERT_EQ(exported.status, 0);
    QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(exported.out)).object();
    QJsonObject tables = root["tables"].toObject();
    QJsonObject monsters = tables["monsters"].toObject();
    QJsonObject codes = monsters["codes"].toObject();
    QJsonArray gate = codes["loot_gate"].toArray();
    gate[4] = gate[4].toInt() ^ 0x20;
    codes["loot_gate"] = gate;
    monsters["codes"] = codes;
    tables["monsters"] = monsters;
    root["tables"] = tables;
    QTemporaryDir dir;
    const std::string json = dir.path().toStdString() + "/gate.json";
    QFile f(QString::fromStdString(json));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QJsonDocument(root).toJson());
    f.close();
    const CliRun r = Cli({"import", rom.Path(), json});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "loot_gate") && Contains(r.err, "第 5 行")) << r.err;
    EXPECT_TRUE(test::ReadFile(rom.Path()) == rom::MakeSampleImage(23));

    const CliRun help = Cli({"import", rom.Path(), "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "用法：dravik import")) << help.out;
}

TEST(CliSafety, CodesTooLargeForAnIntegerAreRefused) // found by fuzz_json
{
    test::TempImage rom(rom::MakeSampleImage(24));
    QTemporaryDir dir;
    const std::string json = dir.path().toStdString() + "/codes.json";
    for (const char* value : {"7e123", "-7e123", "1e10", "1.5"}) {
        const std::string text =
            std::string(R"({"format": "dravik-tables-1", "tables": {"drinks": {"codes": {}},)") +
            R"( "tanks": {"codes": {"items": [[)" + value + R"(, 0, 0, 0]]}}}})";
        ASSERT_TRUE(test::WriteFile(json, rom::Bytes(text.begin(), text.end())));
        const CliRun r = Cli({"import", rom.Path(), json});
        EXPECT_EQ(r.status, 1) << value;
    }
    EXPECT_TRUE(test::ReadFile(rom.Path()) == rom::MakeSampleImage(24));
}

TEST(CliSafety, ImportRefusesARepeatedKeyWithItsPath)
{
    test::TempImage rom(rom::MakeSampleImage(25));
    std::string json = Cli({"export", rom.Path()}).out;
    const size_t tables = json.find("\"tables\": {");
    ASSERT_NE(tables, std::string::npos);
    // A first "items" the parser would otherwise silently drop for the second.
    json.insert(tables + 11, "\"items\": {\"codes\": {}}, ");
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/twice.json";
    ASSERT_TRUE(test::WriteFile(path, rom::Bytes(json.begin(), json.end())));
    const CliRun r = Cli({"import", rom.Path(), path});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, path + ": JSON 路径 tables.items：\"items\" 出现了两次")) << r.err;
    EXPECT_TRUE(test::ReadFile(rom.Path()) == rom::MakeSampleImage(25));
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
        // A save cut short after writing its first range: new bytes in the file, the journal beside it.
        rom::Bytes written = original;
        const uint64_t at = 0x300;
        std::fill(written.begin() + at, written.begin() + at + 4, 0xEE);
        ASSERT_TRUE(test::WriteFile(rom.Path(), written));
        const rom::FileIdentity id = rom::IdentifyFile(rom.Path());
        rom::Journal journal{id.device, id.inode, original.size(), original.size(), {}};
        journal.ranges.push_back(
            {at, rom::Bytes(original.begin() + at, original.begin() + at + 4), rom::Bytes(4, 0xEE)});
        const std::string journalPath = rom.Path() + ".journal";
        ASSERT_TRUE(test::WriteFile(journalPath, rom::EncodeJournal(journal)));

        std::vector<std::string> args = command;
        args[1] = rom.Path();
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(Contains(r.err, rom.Path()) && Contains(r.err, journalPath)) << r.err;
        EXPECT_TRUE(test::ReadFile(rom.Path()) == original);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(journalPath)));
    }
}
