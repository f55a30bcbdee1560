// The command line over the same model: export, import, sample, exit statuses.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <set>
#include <sstream>

#include "cli/Commands.h"
#include "cli/Json.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;

namespace {
QJsonObject Export(const std::string& rom)
{
    const CliRun r = Cli({"export", rom});
    EXPECT_EQ(r.status, 0) << r.err;
    return test::JsonOf(r.out);
}

// An import file of only the given tables.
std::string Only(const test::Folder& dir, const QJsonObject& tables)
{
    return dir.Write("tables.json", test::TextOf({{"format", "dravik-tables-1"}, {"tables", tables}}));
}
} // namespace

TEST(Cli, SampleIsDeterministicAndExportsEveryTableInPassOrder)
{
    test::Folder dir;
    const std::string a = dir.Path("a.smc"), b = dir.Path("b.smc");
    ASSERT_EQ(Cli({"sample", a}).status, 0);
    ASSERT_EQ(Cli({"sample", b, "--seed", "1"}).status, 0);
    EXPECT_EQ(test::ReadFile(a), test::ReadFile(b));
    EXPECT_EQ(test::ReadFile(a).size(), 0x200200u);

    const CliRun r = Cli({"export", a});
    ASSERT_EQ(r.status, 0);
    const char* ids[] = {
        "main_cannons",   "sub_cannons", "special_cannons", "control_systems", "engines",
        "special_shells", "tank_items",  "tanks",           "human_weapons",   "hand_foot_armour",
        "head_armour",    "body_armour", "armour_pieces",   "items",           "bounties",
        "characters",     "snacks",      "decorations",     "drinks",          "red_wolf",
        "hotel_rooms",    "monsters"};
    size_t at = 0;
    for (const char* id : ids) {
        const size_t found = r.out.find(std::string("\"") + id + "\": {");
        ASSERT_NE(found, std::string::npos) << id;
        EXPECT_GT(found, at) << id << " out of order";
        at = found;
    }
    const QJsonValue tables = test::JsonOf(r.out).value("tables");
    EXPECT_EQ(tables["red_wolf"]["columns"][1].toString(), "HP");
    EXPECT_EQ(tables["red_wolf"]["rows"][0][0].toString(), "红狼的HP");
    EXPECT_EQ(tables["hotel_rooms"]["rows"][1][0].toString(), "竹客房");
    const QJsonValue codes = tables["monsters"]["codes"];
    EXPECT_EQ(codes["attacks"].toArray().size(), 152);
    EXPECT_EQ(codes["attacks"][0].toArray().size(), 6);
    EXPECT_TRUE(codes["loot_gate"][0].isDouble());
}

TEST(Cli, ImportWritesEditsAndRefusesBadInputUntouched)
{
    test::Folder dir;
    test::TempImage rom(rom::MakeSampleImage(9));
    const QJsonObject root = Export(rom.Path());

    // Unchanged tables change nothing.
    CliRun r = Cli({"import", rom.Path(), dir.Write("same.json", test::TextOf(root))});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("改动了 0 个字节"), std::string::npos) << r.out;

    // One price and one code, in a file that leaves the other tables out.
    const QJsonValue tables = root.value("tables");
    const QJsonValue items = test::With(tables["items"], {"rows", 0, 1}, "4660");
    r = Cli({"import", rom.Path(),
             Only(dir,
                  {{"items", items}, {"tanks", test::With(tables["tanks"], {"codes", "parts", 0, 0}, 94)}})});
    ASSERT_EQ(r.status, 0) << r.err;
    const rom::Bytes after = rom.Read();
    EXPECT_EQ(test::Get(after, 0xC0200, 2), 4660u);
    EXPECT_EQ(after[0xC8201 + 12], 94);
    EXPECT_EQ(Export(rom.Path()).value("tables")["tanks"]["rows"][0][6].toString(), "甲壳虫");

    // Invalid cell: exit 1, the message names file, table, row, column and text; nothing written.
    r = Cli({"import", rom.Path(), Only(dir, {{"items", test::With(items, {"rows", 0, 1}, "12x")}})});
    EXPECT_EQ(r.status, 1);
    for (const std::string& part : {rom.Path(), std::string("道具"), std::string("价格"), std::string("12x"),
                                    std::string("第 1 行")}) // the JSON's row 0
        EXPECT_TRUE(test::Contains(r.err, part)) << r.err;
    // Wrong shapes are refused before anything is applied.
    for (const QJsonObject& shape :
         {QJsonObject{{"items", QJsonObject{{"rows", QJsonArray{}}}}}, QJsonObject{{"nope", QJsonObject{}}}})
        EXPECT_EQ(Cli({"import", rom.Path(), Only(dir, shape)}).status, 1);
    EXPECT_EQ(rom.Read(), after);
}

TEST(Cli, CsvAndUsage)
{
    test::TempImage rom(rom::MakeSampleImage(2));
    CliRun r = Cli({"export", rom.Path(), "--table", "decorations", "--format", "csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("装饰品,价格\r\n洋装衣橱,", 0), 0u) << r.out.substr(0, 60);
    EXPECT_NE(r.out.find("\r\n写有“根性”的牌匾,"), std::string::npos);

    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_EQ(Cli({"frobnicate"}).status, 2);
    EXPECT_EQ(Cli({"export"}).status, 2);
    EXPECT_EQ(Cli({"export", rom.Path(), "--format", "csv"}).status, 2);
    EXPECT_EQ(Cli({"export", rom.Path(), "--table", "nope", "--format", "csv"}).status, 2);
    EXPECT_EQ(Cli({"sample", "x.smc", "--seed", "-3"}).status, 2);
    EXPECT_EQ(Cli({"import", rom.Path()}).status, 2);
    EXPECT_EQ(Cli({"export", "/nonexistent.smc"}).status, 1);
    EXPECT_EQ(Cli({"export", "table"}).status, 1) << "a file named like an option is a file";
}

TEST(Cli, HelpVersionAndWrongUsage)
{
    // A command's usage is the same from `help COMMAND` and `COMMAND --help`, and the list names it.
    const CliRun list = Cli({"--help"});
    EXPECT_EQ(list.status, 0);
    for (const auto& command : cli::AllCommands()) {
        const std::string name = command->Name().toStdString();
        EXPECT_NE(list.out.find("\n  " + name + " "), std::string::npos) << name;
        const CliRun help = Cli({"help", name}), own = Cli({name, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(own.status, 0);
        EXPECT_EQ(help.out, own.out);
        EXPECT_EQ(help.out.rfind("用法：dravik " + name, 0), 0u) << help.out;
    }
    for (const char* option : {"--version", "-v"}) {
        const CliRun r = Cli({option});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(QRegularExpression("^dravik \\d+\\.\\d+\\.\\d+\n$")
                        .match(QString::fromStdString(r.out))
                        .hasMatch())
            << r.out;
    }
    // A negative number is an argument, with or without "--" before it.
    EXPECT_EQ(Cli({"convert", "-ff", "16", "10"}).out, "-255\n");
    EXPECT_EQ(Cli({"convert", "-.8", "16", "10"}).out, "-0.5\n");

    const struct {
        cli::Args args;
        std::string err;
    } wrong[] = {
        {{"help", "nope"}, "没有“nope”这个命令"},
        {{"export", "a.smc", "--table"}, "--table 后面缺少 ID"},
        {{"import", "a.smc", "b.csv", "--table", "--dry-run"}, "--table 后面缺少 ID"},
        {{"diff", "a.smc", "b.smc", "--format", "json", "--format", "csv"}, "--format 只能给一次"},
        {{"sample", "x.smc", "--no-header=1"}, "--no-header 不带值"},
        {{"sample", "x.smc", "--frob"}, "没有 --frob 这个选项"},
        {{"apply", "a.smc", "p.ips", "out.smc", "more.smc"}, "多余的参数：more.smc"},
    };
    for (const auto& c : wrong) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("用法：dravik "), std::string::npos) << r.err;
    }
}

TEST(Cli, ImportDryRunListsChangesAndTheBytesTheImportWritesWithoutWriting)
{
    test::Folder dir;
    test::TempImage rom(rom::MakeSampleImage(11));
    const rom::Bytes original = rom.Read();
    const QJsonValue items = Export(rom.Path()).value("tables")["items"];
    const std::string itemName = items["rows"][0][0].toString().toStdString();
    const std::string oldPrice = items["rows"][0][1].toString().toStdString();
    const std::string json = Only(dir, {{"items", test::With(items, {"rows", 0, 1}, "4660")}}); // 0x1234

    CliRun r = Cli({"import", "--dry-run", rom.Path(), json});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(rom.Read(), original);
    EXPECT_TRUE(test::Contains(r.out, "修改 1 处")) << r.out;
    EXPECT_TRUE(test::Contains(r.out, "表「道具」 第 1 行「" + itemName + "」 列「价格」: \"" + oldPrice +
                                          "\" -> \"4660\""))
        << r.out;
    // Every byte line is one the real import then writes, and no other byte changes.
    std::set<uint32_t> listed;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        unsigned offset = 0, before = 0, after = 0;
        if (std::sscanf(line.c_str(), "  0x%x: 0x%x -> 0x%x", &offset, &before, &after) == 3) {
            EXPECT_EQ(original[offset], before) << line;
            listed.insert(offset);
        }
    }
    EXPECT_TRUE(listed.count(0xC0200) || listed.count(0xC0201)) << r.out;
    ASSERT_EQ(Cli({"import", rom.Path(), json}).status, 0);
    const rom::Bytes after = rom.Read();
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i] != original[i], listed.count(static_cast<uint32_t>(i)) > 0) << std::hex << i;

    r = Cli({"import", rom.Path(), Only(dir, {{"items", test::With(items, {"rows", 0, 1}, "12x")}}),
             "--dry-run"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(test::Contains(r.out, "12x") && test::Contains(r.out, "保存会被拒绝")) << r.out;
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(rom.Read(), after);
    EXPECT_EQ(Cli({"import", rom.Path(), json, "--dry-run", "extra"}).status, 2);
}

// The documented forms of the commands are the ones their usage prints.
TEST(Cli, DocumentedFormsAreTheUsageForms)
{
    QFile file(DRAVIK_SOURCE_DIR "/docs/command-line.md");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype section = text.indexOf("## Commands");
    const qsizetype begin = text.indexOf("```\n", section), end = text.indexOf("```\n", begin + 4);
    ASSERT_TRUE(section >= 0 && begin > section && end > begin);
    QStringList documented;
    for (const QString& line : text.mid(begin + 4, end - begin - 4).split('\n'))
        if (line.startsWith("dravik "))
            documented << line.mid(7);
    QStringList forms;
    for (const auto& command : cli::AllCommands())
        forms << command->Forms();
    EXPECT_EQ(documented, forms);
}

// Each fault in an import's shape names the table and the row, counted from 1.
TEST(JsonImport, ShapeFaultsNameTheRowCountedFromOne)
{
    rom::Model model;
    rom::LoadTables(rom::MakeSampleImage(2), model);
    const QJsonObject exported = test::JsonOf(cli::TablesJson(model, true));
    const struct {
        const char* table;
        std::vector<test::JsonStep> third; // where row 3 is
        QJsonValue value;                  // what it becomes
        const char* says;
    } cases[] = {
        {"items", {"rows", 2}, 5, "第 3 行: 应是 2 个单元格的数组"},
        {"items", {"rows", 2}, QJsonArray{"x", true}, "第 3 行 列「价格」: 单元格必须是字符串或数字"},
        {"tanks", {"codes", "parts", 2}, QJsonArray{1, 2}, "代码 parts 第 3 行: 应是 8 个整数的数组"},
        {"monsters", {"codes", "late_category", 2}, "x", "代码 late_category 第 3 行: 必须是整数"},
    };
    for (const auto& c : cases) {
        const QJsonValue table = test::With(exported.value("tables")[c.table], c.third, c.value);
        const QJsonObject root{{"format", exported["format"]}, {"tables", QJsonObject{{c.table, table}}}};
        std::vector<rom::Edit> edits;
        const std::string error = cli::ReadTablesJson(test::TextOf(root), "t.json", model, edits);
        EXPECT_TRUE(test::Contains(error, c.says)) << error;
        EXPECT_TRUE(edits.empty());
    }
}
