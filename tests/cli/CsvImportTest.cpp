// CSV import: what spreadsheets make of an exported table comes back exactly; names are taken
// only when they name one code; everything else is refused with its row and column.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <tuple>

#include "cli/Commands.h"
#include "cli/Csv.h"
#include "rom/CodeColumns.h"
#include "rom/ImageDiff.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;
using test::Says;

namespace {
using Rows = std::vector<std::vector<std::string>>;

Rows Parse(const std::string& text)
{
    std::vector<cli::CsvRecord> records;
    EXPECT_EQ(cli::ParseCsv(text, records), std::nullopt);
    Rows out;
    for (const cli::CsvRecord& r : records)
        out.push_back(r.fields);
    return out;
}

// As a spreadsheet saves it: a byte-order mark, every field quoted, CRLF, a final empty line.
std::string SpreadsheetCsv(const Rows& rows)
{
    std::string out = "\xEF\xBB\xBF";
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c)
            out += "\"" + QString::fromStdString(row[c]).replace("\"", "\"\"").toStdString() +
                   (c + 1 < row.size() ? "\"," : "\"\r\n");
    return out + "\r\n";
}

std::string Write(const test::Folder& dir, const std::string& text) { return dir.Write("table.csv", text); }
} // namespace

TEST(CsvImport, ParsesWhatSpreadsheetsWrite)
{
    EXPECT_EQ(Parse("a,b\r\n1,2\r\n"), (Rows{{"a", "b"}, {"1", "2"}}));
    EXPECT_EQ(Parse("\uFEFFa,b\n1,2"), (Rows{{"a", "b"}, {"1", "2"}})); // a byte-order mark, LF, no last LF
    EXPECT_EQ(Parse("\"a,b\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",\r\n\r\n\r\n"),
              (Rows{{"a,b", "say \"hi\""}, {"two\r\nlines", ""}}));
    EXPECT_EQ(Parse(",\r\n"), (Rows{{"", ""}}));

    std::vector<cli::CsvRecord> records;
    for (const auto& [text, line, says] : std::vector<std::tuple<std::string, int, std::string>>{
             {"a,\"b\r\n1,2\r\n", 1, "第 1 行"},
             {"a,b\r\n1,2\"x\r\n", 2, "第 2 行第 2 个字段"},
             {"a,b\r\n\"1\"x,2\r\n", 2, "第 2 行第 1 个字段"}}) {
        const std::optional<rom::Error> error = cli::ParseCsv(text, records);
        EXPECT_TRUE(error && error->line == line && test::Contains(rom::Describe(*error), says)) << text;
    }
}

// What a spreadsheet saves of an exported table comes back as exactly the fields edited in it; a
// refusal names the row and column and writes nothing.
TEST(CsvImport, ASpreadsheetEditComesBackAsExactlyThoseFieldsOrNothing)
{
    test::Folder dir;
    test::TempImage file(rom::MakeSampleImage(12));
    const rom::Bytes before = file.Read();
    const auto exported = [&](const char* table) {
        return Parse(Cli({"export", file.Path(), "--table", table, "--format", "csv"}).out);
    };
    const auto import = [&](const char* table, const Rows& rows) {
        return Cli({"import", file.Path(), Write(dir, SpreadsheetCsv(rows)), "--table", table});
    };
    const auto edit = [](Rows rows, size_t row, size_t column, const std::string& text) {
        rows[row][column] = text;
        return rows;
    };
    const Rows monsters = exported("monsters");
    Rows missingRow = monsters, shortRow = monsters;
    missingRow.pop_back();
    shortRow[5].pop_back();
    const struct {
        const char* table;
        Rows rows;
        std::vector<std::string> says;
    } refusals[] = {
        {"monsters",
         edit(monsters, 4, 12, "没有这种攻击"), // an unknown name
         {"第 4 行", "列「攻击方式2」", "CSV 第 5 行第 13 列", "不是这一列任何代码的名称"}},
        {"human_weapons",
         edit(exported("human_weapons"), 2, 4, ""),
         {"第 2 行", "列「装备的人」", "多个代码"}}, // empty: masks
        {"monsters", edit(monsters, 3, 4, "5000"), {"HP", "5000"}},
        {"monsters", edit(monsters, 0, 3, "防"), {"第 1 行的列标题"}},
        {"monsters", missingRow, {"应有 152 行数据"}},
        {"monsters", shortRow, {"第 5 行", "应有 19 个字段"}},
        {"nope", monsters, {"没有名为 \"nope\" 的表"}},
    };
    for (const auto& f : refusals)
        EXPECT_TRUE(Says(import(f.table, f.rows), 1, f.says));
    EXPECT_TRUE(file.Read() == before) << "a refusal wrote";
    Rows rows = exported("tanks");
    ASSERT_EQ(rows.size(), 23u);
    ASSERT_TRUE(Says(import("tanks", rows), 0)); // unchanged, it changes nothing
    EXPECT_TRUE(file.Read() == before);

    rows[1][2] = "77";         // a value (防御)
    rows[1][6] = "引擎#2";     // a part on an own tank: code 96
    rows[11][13] = "主炮#3";   // a part on a rental tank: its bit 7 is kept
    rows[2][15] = rows[3][16]; // an item by name
    ASSERT_TRUE(Says(import("tanks", rows), 0));
    const rom::Bytes after = file.Read();
    EXPECT_EQ(after[0xC8201 + 12], 94 + 2);
    EXPECT_EQ(after[0xC8201 + 10 * 25 + 19], 0x80 | 3);

    std::set<std::string> changed, expected = {"tanks 0 防御", "tanks 0 装备1", "tanks 10 装备8"};
    for (const rom::FieldChange& f : rom::DiffImages(before, after).fields)
        changed.insert(f.tableId + " " + std::to_string(f.row) + " " + f.column);
    if (before[0xC8201 + 25 + 21] != before[0xC8201 + 2 * 25 + 22])
        expected.insert("tanks 1 道具2");
    EXPECT_EQ(changed, expected);
}

// A code chosen by name is built as the row editors build it. A weapon's range: the row's fixed
// low six bits under the range, never bits of the old code (0x45 named 全体 is 0x80 on row 0, not
// 0xC5). A tank slot's part or item: bit 7 from its row, set on a rental tank, never on another.
TEST(CsvImport, CodesByNameFollowTheRowEditorsRules)
{
    rom::Model model = test::Loaded(rom::MakeSampleImage(1));
    const struct {
        const char *table, *array, *column;
        int row, old;
        const char* name; // null: the name the expected code has
        int code;
    } cases[] = {
        {"human_weapons", "range", "range", 0, 0x45, "全体", 0x80},
        {"human_weapons", "range", "range", 0, 0x45, "单体", 0x00},
        {"human_weapons", "range", "range", 17, 0x60, "全体", 0xA0},
        {"human_weapons", "range", "range", 17, 0xE5, "一组", 0x60},
        {"human_weapons", "range", "range", 9, 0x3F, "一组", 0x50},
        {"human_weapons", "range", "range", 9, 0x10, "单体", 0x10}, // unchanged name
        {"tanks", "parts", "parts[0]", 0, 0x85, nullptr, 0x03},
        {"tanks", "parts", "parts[0]", 0, 0xFF, nullptr, 0x02},
        {"tanks", "parts", "parts[0]", 9, 0x05, nullptr, 0x83},
        {"tanks", "parts", "parts[0]", 9, 0xFF, nullptr, 0x82},
        {"tanks", "items", "items[0]", 0, 0x81, nullptr, 0x04},
        {"tanks", "items", "items[0]", 9, 0x01, nullptr, 0x84},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.array << " row " << c.row << " old " << c.old);
        rom::Table t = *model.Find(c.table);
        t.SetCode(c.array, c.row, 0, c.old);
        const std::string name =
            c.name ? c.name : t.Layout().FindCodeArray(c.array)->naming.Text(t.Names(), c.row, c.code);
        ASSERT_EQ(rom::SetCodesByName(t, c.row, t.Layout().Column(c.column), name), std::nullopt);
        EXPECT_EQ(t.Code(c.array, c.row, 0), c.code);
    }
}

// A name back to its codes, from the naming alone: the bits a name does not show are free, a
// name several entries share stands for each of their codes, an unknown code's text for that code.
TEST(CsvImport, NamesGiveTheirCodesBack)
{
    using names::List;
    names::NameSet::BuiltIn().EntriesNamed(""); // a set made from it then needs its own index
    const names::NameSet set =
        names::NameSet::WithUserEntries({{List::TankParts, 3, "同名"}, {List::TankParts, 5, "同名"}}, "x");
    const auto name = [&](List list, int entry) { return set.Names(list)[static_cast<size_t>(entry)]; };
    const struct {
        const char *table, *array;
        std::string name;
        size_t count;
        rom::NamedCode first, last; // by chooser code, then code
    } cases[] = {
        {"tanks", "parts", name(List::TankParts, 4), 2, {4}, {0x84}},
        {"tanks", "parts", "同名", 4, {3}, {0x85}},
        {"tanks", "parts", "-----", 1, {0xFF}, {0xFF}},
        {"tanks", "parts", "未知(0x7A)", 1, {0x7A}, {0x7A}}, // not 0xFA: that one shows its own code
        {"tanks", "parts", "未知(0x7a)", 0, {}, {}},
        {"human_weapons", "range", name(List::AttackRanges, 2), 128, {0x80}, {0xFF}}, // 3 shows as the last
        {"human_weapons", "users", "", 249, {0}, {0xFF}}, // masks 1-7 name someone
        {"monsters", "early_loot", name(List::Items, 5), 8, {0x85, 0}, {0x85, 7}},
        {"monsters", "early_loot", "同名", 16, {3, 8}, {5, 15}},
        {"monsters", "early_loot", "-----", 16, {0xFF, 0}, {0xFF, 15}},
        {"monsters", "early_loot", "未知(0xA5)", 8, {0xA5, 8}, {0xA5, 15}},
    };
    const std::vector<int> categories = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    for (const auto& c : cases) {
        const auto found =
            rom::FindLayout(c.table)->FindCodeArray(c.array)->naming.CodesNamed(set, 0, c.name, categories);
        ASSERT_EQ(found.size(), c.count) << c.name;
        EXPECT_TRUE(c.count == 0 || (found.front() == c.first && found.back() == c.last)) << c.name;
    }
}

TEST(CsvImport, FormulaLikeCellsAreDefusedAndComeBackByteForByte)
{
    const struct {
        std::string cell;
        bool marked; // written with a leading apostrophe
    } cells[] = {
        {"=1+2", true},   {"+3+4", true},    {"@SUM(1)", true}, {"=cmd|' /C calc'!A0", true},
        {"\tx", true},    {"\r\nx", true},   {"-", true},       {"-x", true},
        {"'", true},      {"'quoted", true}, {"''=x", true},    {"-5", false},
        {"-1.25", false}, {"a=b", false},    {"", false},       {"主炮#1", false},
    };
    for (const auto& c : cells) {
        std::ostringstream out;
        cli::WriteCsvField(out, c.cell);
        const std::string field = out.str();
        const size_t start = field.rfind('"', 0) == 0 ? 1 : 0; // inside the quotes of a quoted field
        EXPECT_EQ(field.compare(start, 1, "'") == 0, c.marked) << c.cell << " -> " << field;
        EXPECT_EQ(Parse(field + ",x\r\n"), (Rows{{c.cell, "x"}})) << field;
    }

    // Every attack named like a formula: the monster table goes out with none left bare and comes
    // back without a changed byte.
    std::string listA, listB;
    const char* const risky[] = {"=1+2", "+3+4", "@SUM(1)", "=cmd|' /C calc'!A0", "-5", "'quoted"};
    for (int i = 0; i < 174; ++i)
        listA += (i < 6 ? std::string(risky[i]) : "=a" + std::to_string(i)) + "\n";
    for (int i = 0; i < 144; ++i)
        listB += "@b" + std::to_string(i) + "\n";
    test::NameFolder names({{"attacks_a.txt", listA}, {"attacks_b.txt", listB}});
    test::Folder dir;
    test::TempImage file(rom::MakeSampleImage(14));
    const rom::Bytes before = file.Read();
    const CliRun r =
        Cli({"--names", names.Path(), "export", file.Path(), "--table", "monsters", "--format", "csv"});
    ASSERT_TRUE(Says(r, 0, {",'=a"}));
    EXPECT_EQ(r.out.find(",=a"), std::string::npos);
    EXPECT_EQ(r.out.find(",@b"), std::string::npos);
    EXPECT_TRUE(Says(
        Cli({"--names", names.Path(), "import", file.Path(), Write(dir, r.out), "--table", "monsters"}), 0));
    EXPECT_TRUE(file.Read() == before);
}
