// The command line over the same model: sample, export, import, set, names, usage, the language it
// speaks, and the exit statuses 0 (done), 1 (refused, nothing written) and 2 (wrong usage, the
// command's usage printed).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <functional>
#include <map>

#include "cli/Commands.h"
#include "rom/Formula.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;
using test::Contains;
using test::Says;

namespace {
QJsonObject Export(const std::string& rom)
{
    const CliRun r = Cli({"export", rom});
    EXPECT_EQ(r.status, 0) << r.err;
    return test::JsonOf(r.out);
}

const QString kEnglish = "en_US.UTF-8", kChinese = "C.UTF-8";

// The words of a command line, split at spaces, each placeholder replaced by the words it stands
// for ('' is an empty word).
cli::Args Words(const std::string& line, const std::map<std::string, cli::Args>& stand)
{
    cli::Args args;
    for (const QString& word : QString::fromStdString(line).split(' ', Qt::SkipEmptyParts)) {
        const std::string w = word.toStdString();
        const cli::Args& words = stand.count(w) ? stand.at(w) : cli::Args{w == "''" ? "" : w};
        args.insert(args.end(), words.begin(), words.end());
    }
    return args;
}

std::string TextOfFile(const std::string& path)
{
    const rom::Bytes bytes = test::ReadFile(path);
    return {bytes.begin(), bytes.end()};
}
} // namespace

// sample writes the sample image (seed 1 unless told); export writes every table in the order of
// the load pass, and several images into a folder, each on its own.
TEST(Cli, SampleAndExportsOfOneImageOrSeveralIntoAFolder)
{
    test::Folder dir;
    const std::string d = dir.Root(), one = dir.Path("one.smc"),
                      two = dir.Write("two.sfc", rom::MakeSampleImage(2, false));
    ASSERT_EQ(Cli({"sample", one}).status, 0);
    EXPECT_TRUE(test::ReadFile(one) == rom::MakeSampleImage(1));

    const CliRun r = Cli({"export", one});
    ASSERT_EQ(r.status, 0);
    QStringList order;
    for (const QRegularExpressionMatch& table :
         QRegularExpression("\n  \"(\\w+)\": \\{\"columns\"").globalMatch(QString::fromStdString(r.out)))
        order << table.captured(1);
    EXPECT_EQ(order.join(' '),
              "main_cannons sub_cannons special_cannons control_systems engines special_shells "
              "tank_items tanks human_weapons hand_foot_armour head_armour body_armour "
              "armour_pieces items bounties characters snacks decorations drinks red_wolf "
              "hotel_rooms monsters");
    const QJsonValue tables = test::JsonOf(r.out).value("tables");
    EXPECT_EQ(tables["red_wolf"]["columns"][1].toString(), "HP");
    EXPECT_EQ(tables["red_wolf"]["rows"][0][0].toString(), "红狼的HP");
    EXPECT_EQ(tables["hotel_rooms"]["rows"][1][0].toString(), "竹客房");
    const QJsonValue codes = tables["monsters"]["codes"]; // 152 rows of 6 attacks, a gate each
    EXPECT_TRUE(codes["attacks"].toArray().size() == 152 && codes["attacks"][0].toArray().size() == 6 &&
                codes["loot_gate"][0].isDouble());

    QDir().mkdir(QString::fromStdString(d + "/out"));
    // A missing image is reported and fails the run, but the others are still written.
    EXPECT_TRUE(
        Says(Cli({"export", one, d + "/missing.smc", two, "--out-dir", d + "/out"}), 1, {"missing.smc"}));
    EXPECT_EQ(TextOfFile(d + "/out/one.json"), r.out);
    EXPECT_EQ(TextOfFile(d + "/out/two.json"), Cli({"export", two}).out);
    const CliRun quiet = Cli({"export", one, "--out-dir", d + "/out"});
    EXPECT_TRUE(quiet.status == 0 && quiet.err.empty()) << quiet.err;
    EXPECT_TRUE(Says(Cli({"export", one, d + "/sub/one.smc", "--out-dir", d + "/out"}), 2,
                     {"两个映像都会导出到 one.json"}));
}

// Runs on an image (IMG), the image of known references (REFS), a name folder with a name too long
// for its field (BAD) and one that renames a tank and a part (MINE), a file that is no patch (ZIP),
// an IPS patch cut short (CUT), a file too short for an image (SHORT), an OUT and a name folder
// (TPL) in their folder (DIR), and a set on the image's main cannons' 攻击 (SET): the exit status
// and parts of what they print, on standard output after success and on standard error alone
// otherwise, in the order of the rows. Every run of a row says the same.
TEST(Cli, RunsEndWithTheirStatusAndSayWhy)
{
    test::Folder dir;
    test::NameFolder bad({{"items.txt", "好\n\n" + std::string(16, 'x') + "\n"}}),
        mine({{"tanks.txt", "蚊子\n"}, {"tank_parts.txt", "\n机关炮改\n"}});
    const std::string img = dir.Write("img.smc", rom::MakeSampleImage(2));
    const std::map<std::string, cli::Args> stand = {
        {"IMG", {img}},
        {"REFS", {dir.Write("refs.smc", test::KnownReferencesImage())}},
        {"./REFS", {dir.Path("./refs.smc")}},
        {"BAD", {bad.Path()}},
        {"MINE", {mine.Path()}},
        {"TPL", {dir.Path("tpl")}},
        {"ZIP", {dir.Write("zip.bin", rom::Bytes{'Z', 'I', 'P'})}},
        {"CUT", {dir.Write("cut.ips", rom::Bytes{'P', 'A', 'T', 'C', 'H', 0xFF, 0xFF, 0xF0, 1, 0})}},
        {"SHORT", {dir.Write("short.smc", rom::Bytes(100))}},
        {"GBK", {dir.Write("gbk.csv", std::string("\xC4\xE3,1\r\n"))}},
        {"JSON", {dir.Write("img.json", rom::MakeSampleImage(2))}}, // an image of another name
        {"NOP", {dir.Write("nop.ips", rom::Bytes{'P', 'A', 'T', 'C', 'H', 'E', 'O', 'F'})}},
        {"OUT", {dir.Path("out.smc")}},
        {"DIR", {dir.Root()}},
        {"SET", {"set", img, "--table", "main_cannons", "--column", "攻击"}}};
    std::string manyRows; // ranges far past the table's end are refused at once
    for (int k = 0; k < 400; ++k)
        manyRows += "1-999999,";
    const struct {
        std::vector<std::string> runs;
        int status;
        std::vector<std::string> says;
    } rows[] = {
        // clang-format off
        {{"export IMG --table decorations --format csv"}, 0, {"装饰品,价格\r\n洋装衣橱,", "\r\n写有“根性”的牌匾,"}},
        {{"convert 255 10 16", "convert 255 10 16 --lang zh"}, 0, {"FF\n"}}, // --lang after the command too
        {{"convert 255 10 16 --lang fr"}, 2, {"--lang 只能是 zh 或 en"}},
        {{"convert -- -1a 16 10"}, 0, {"-26\n"}},
        {{"convert -ff 16 10"}, 0, {"-255\n"}}, // a negative number is an argument
        {{"convert 19 8 10"}, 1, {"输入的数据非法"}},
        {{"refs REFS items 8"}, 0, {"表「人物」 第 2 行「机械师」 道具1\n"}},
        {{"refs REFS main_cannons 6 --format json"}, 0, {"\"row\": 3, \"name\": \"No3.救护车\", \"column\": 8, \"where\": \"装备3\""}},
        {{"refs REFS main_cannons 7"}, 0, {"没有被用到"}},
        {{"refs /nonexistent.smc items 1", "diff IMG /nonexistent.smc"}, 1, {"文件不存在"}},
        {{"export table"}, 1, {"table"}}, // a file named like an option is a file
        {{"export IMG --out-dir /nonexistent/out"}, 1, {"输出文件夹 /nonexistent/out 不存在"}},
        {{"export IMG --out-dir SHORT"}, 1, {"不是文件夹"}},
        {{"sample DIR"}, 1, {"不是一个普通文件"}},
        {{"names check BAD"}, 1, {"items.txt:3: "}},
        {{"names export TPL"}, 0, {}},
        {{"names check TPL"}, 0, {"其中 0 个改变了名称"}}, // an exported template checks clean
        {{"names check MINE"}, 0, {"tank_parts.txt:2: 主炮#1 -> 机关炮改", "tanks.txt:1: No1.蚊式坦克 -> 蚊子"}},
        {{"--names MINE export IMG --table tanks --format csv"}, 0, {"\r\n蚊子,"}},
        {{"export IMG --table tanks --format csv"}, 0, {"\r\nNo1.蚊式坦克,"}}, // back on the compiled-in names
        {{"--names BAD export IMG"}, 1, {"超过了 15 字节的宽度"}},
        {{"apply IMG ZIP", "apply IMG ZIP OUT"}, 1, {"既不以"}},
        {{"apply IMG CUT", "apply IMG CUT OUT"}, 1, {"不完整"}},
        {{"diff IMG SHORT"}, 1, {"文件只有 100 字节"}},
        {{"import IMG GBK --table monsters"}, 1, {"第 1 行第 1 个字节：不是 UTF-8 文本"}}, // not searched for names
        {{"patch IMG REFS IMG --format ips", "patch IMG REFS REFS --format ips", "patch IMG REFS ./REFS --format ips"}, 1, {"映像文件"}},
        {{"export JSON --out-dir DIR", "export GBK --table items --format csv --out-dir DIR"}, 1, {"导出不能写到映像文件"}},
        {{"apply IMG NOP NOP"}, 1, {"结果不能写到补丁文件"}},
        {{""}, 2, {"用法："}},
        {{"help nope"}, 2, {"没有“nope”这个命令"}},
        {{"export", "export IMG REFS"}, 2, {"用法：dravik export"}}, // several need a folder
        {{"export IMG --format csv"}, 2, {"--table"}},
        {{"export IMG --table nope --format csv"}, 2, {"nope"}},
        {{"export a.smc --table", "import IMG x.csv --table", "import a.smc b.csv --table --dry-run"}, 2, {"--table 后面缺少 ID"}},
        {{"export x.smc --names"}, 2, {"--names 后面缺少 DIR"}},
        {{"sample x.smc --seed -3"}, 2, {"--seed"}},
        {{"sample x.smc --no-header=1"}, 2, {"--no-header 不带值"}},
        {{"sample x.smc --frob"}, 2, {"没有 --frob 这个选项"}},
        {{"import IMG"}, 2, {"用法：dravik import"}},
        {{"import IMG x.json --dry-run extra"}, 2, {"多余的参数：extra"}},
        {{"import IMG GBK"}, 2, {"gbk.csv 是 CSV 文件：要用 --table ID"}},
        {{"diff IMG", "diff IMG IMG --format xml"}, 2, {"用法：dravik diff"}},
        {{"diff a.smc b.smc --format json --format csv"}, 2, {"--format 只能给一次"}},
        {{"patch IMG IMG"}, 2, {"用法：dravik patch"}},
        {{"patch IMG REFS mod.patch"}, 2, {"请给出 --format ips 或 bps"}}, // no format from that name
        {{"--version", "-v"}, 0, {"dravik "}},
        {{"apply IMG", "apply IMG p.ips --headerless-patch --headered-patch"}, 2, {"用法：dravik apply"}},
        {{"apply a.smc p.ips out.smc more.smc"}, 2, {"多余的参数：more.smc"}},
        {{"refs REFS tanks 1"}, 2, {"表“tanks”的行没有引用可查"}},
        {{"refs REFS items 0"}, 2, {"用法：dravik refs"}},
        {{"refs REFS items 129"}, 2, {"表“items”只有 128 行"}},
        {{"names list BAD", "names check"}, 2, {"用法：dravik names"}},
        {{"convert 1 ten 16", "convert 1 10 17", "convert 1 1 16", "convert 1 +10 16", "convert 1 10 ''"}, 2, {"用法：dravik convert"}},
        {{"SET --rows 1 --expr x+1 --dry-run"}, 0, {"保存将改动"}},
        {{"SET --rows 1 --expr x --dry-run"}, 0, {"保存不会改动任何字节。"}}, // no list
        {{"SET --expr 1"}, 2, {"用法：dravik set"}},
        {{"SET --all --rows 1 --expr 1"}, 2, {"只能用一个"}},
        {{"SET --rows 0 --expr 1", "SET --rows 5-2 --expr 1"}, 2, {"--rows"}},
        {{"SET --rows 33 --expr 1"}, 2, {"没有第 33 行"}},
        {{"SET --rows " + manyRows + "5 --expr 1"}, 2, {"没有第 999999 行"}},
        {{"SET --row-names 没有这个 --expr 1"}, 2, {"没有名为"}},
        {{"SET --all --expr x+"}, 2, {"公式"}},
        {{"SET --all --expr 1 --column 主炮"}, 2, {"只能给一次"}},
        {{"set IMG --table main_cannons --column 主炮 --all --expr 1"}, 2, {"价格、防御、重量、攻击、弹仓"}},
        // clang-format on
    };
    for (const auto& row : rows)
        for (const std::string& run : row.runs) {
            const CliRun r = Cli(Words(run, stand));
            EXPECT_TRUE(Says(r, row.status, row.says) && (row.status ? r.out : r.err).empty()) << run;
        }
    // A name in another encoding than UTF-8 would reach some other file.
    for (const cli::Args& run :
         {cli::Args{"export", img + "\xE9"}, cli::Args{"sample", dir.Path("new\xE9.smc")}})
        EXPECT_TRUE(Says(Cli(run), 1, {"不是 UTF-8 文本"}));
    EXPECT_TRUE(QDir(QString::fromStdString(dir.Root())).entryList({"new*"}).isEmpty());
    EXPECT_TRUE(test::ReadFile(img) == rom::MakeSampleImage(2) &&
                test::ReadFile(dir.Path("img.json")) == rom::MakeSampleImage(2));
    EXPECT_EQ(test::ReadFile(dir.Path("nop.ips")).size(), 8u);
    EXPECT_TRUE(test::ReadFile(dir.Path("refs.smc")) == test::KnownReferencesImage());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.Path("out.smc"))));
}

// A command's usage is the same from `help COMMAND` and `COMMAND --help`, the list names it, the
// real program in an English locale says it in English (no Chinese character or full-width
// punctuation left), and the command-line documentation shows its forms and no others.
TEST(Cli, HelpAndTheDocumentedForms)
{
    const QRegularExpression chinese("[\\x{3000}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]");
    const QString docs = QString::fromStdString(TextOfFile(DRAVIK_SOURCE_DIR "/docs/command-line.md"));
    const auto english = [&](const QStringList& args, const std::string& usage) {
        const CliRun r = test::RunProgram(DRAVIK_CLI, args, kEnglish);
        EXPECT_TRUE(r.status == 0 && r.out.rfind(usage, 0) == 0 &&
                    !QString::fromStdString(r.out).contains(chinese))
            << r.out;
    };
    const CliRun list = Cli({"--help"});
    EXPECT_EQ(list.status, 0);
    english({"--help"}, "Usage: dravik ");
    qsizetype forms = 0;
    for (const auto& command : cli::AllCommands()) {
        const std::string name = command->Name().toStdString();
        EXPECT_NE(list.out.find("\n  " + name + " "), std::string::npos) << name;
        const CliRun help = Cli({"help", name}), own = Cli({name, "--help"});
        EXPECT_TRUE(help.status == 0 && own.status == 0 && help.out == own.out) << name;
        EXPECT_EQ(help.out.rfind("用法：dravik " + name, 0), 0u) << help.out;
        english({"help", command->Name()}, "Usage: dravik " + name);
        forms += command->Forms().size();
        for (const QString& form : command->Forms())
            EXPECT_TRUE(docs.contains("\ndravik " + form + "\n")) << form.toStdString();
    }
    EXPECT_EQ(docs.count("\ndravik "), forms);
}

// A dry run lists the changes and exactly the bytes the import then writes; unchanged tables
// change nothing. Every refusal names the file and where the fault is (tables and rows counted
// from 1), and writes nothing; a dry run of it says the save would be refused.
TEST(Cli, ImportWritesExactlyWhatItsDryRunListsOrNothing)
{
    test::Folder dir;
    test::TempImage rom(rom::MakeSampleImage(11));
    const rom::Bytes original = rom.Read();
    const QJsonObject root = Export(rom.Path());
    const int gate = root["tables"]["monsters"]["codes"]["loot_gate"][4].toInt();
    const auto edited = [&](const std::vector<test::JsonStep>& at, const QJsonValue& value) {
        return dir.Write("edit.json", test::TextOf(test::With(root, at, value).toObject()));
    };
    const struct {
        std::vector<test::JsonStep> at;
        std::vector<QJsonValue> values;
        std::vector<std::string> says;
    } refusals[] = {
        // clang-format off
        {{"tables", "items", "rows", 0, 1}, {"12x"}, {rom.Path(), "道具", "价格", "12x", "第 1 行"}},
        {{"tables", "items", "rows"}, {QJsonArray{}}, {"道具"}},
        {{"tables", "nope"}, {QJsonObject{}}, {"没有名为 \"nope\" 的表"}},
        {{"tables", "items", "rows", 2}, {5}, {"第 3 行: 应是 2 个单元格的数组"}},
        {{"tables", "items", "rows", 2}, {QJsonArray{"x", true}}, {"第 3 行 列「价格」: 单元格必须是字符串或数字"}},
        {{"tables", "tanks", "codes", "parts", 2}, {QJsonArray{1, 2}}, {"代码 parts 第 3 行: 应是 8 个整数的数组"}},
        {{"tables", "monsters", "codes", "late_category", 2}, {"x"}, {"代码 late_category 第 3 行: 必须是整数"}},
        {{"tables", "monsters", "codes", "loot_gate", 4}, {gate ^ 0x20}, {"loot_gate", "第 5 行"}},
        // Numbers no code can hold (found by fuzzing).
        {{"tables", "tanks", "codes", "items", 0, 0}, {7e123, -7e123, 1e10, 1.5}, {"items"}},
        // clang-format on
    };
    for (const auto& c : refusals)
        for (const QJsonValue& value : c.values) {
            const std::string json = edited(c.at, value);
            const CliRun r = Cli({"import", rom.Path(), json});
            EXPECT_TRUE(Says(r, 1, c.says));
            EXPECT_TRUE(c.says[0] == rom.Path() || Contains(r.err, json + ": ")) << r.err;
        }
    const CliRun refused = Cli({"import", rom.Path(), edited(refusals[0].at, "12x"), "--dry-run"});
    EXPECT_TRUE(refused.status == 1 && Contains(refused.out, "12x") &&
                Contains(refused.out, "保存会被拒绝") && !refused.err.empty())
        << refused.out;
    // A first "items" the parser would otherwise silently drop for the second.
    std::string twice = test::TextOf(root);
    twice.insert(twice.find("\"tables\": {") + 11, "\"items\": {\"codes\": {}}, ");
    const std::string path = dir.Write("twice.json", twice);
    EXPECT_TRUE(Says(Cli({"import", rom.Path(), path}), 1,
                     {path + ": JSON 路径 tables.items：\"items\" 出现了两次"}));
    EXPECT_EQ(rom.Read(), original);

    ASSERT_TRUE(Says(Cli({"import", rom.Path(), dir.Write("same.json", test::TextOf(root))}), 0,
                     {"改动了 0 个字节"}));
    // One price, one weight given as a JSON number (read as written: 1.005, which rounds up) and
    // one code, in a file that leaves the other tables out.
    const QJsonValue tables = root.value("tables"), items = tables["items"];
    const QJsonObject only{{"items", test::With(items, {"rows", 0, 1}, "4660")}, // 0x1234
                           {"main_cannons", test::With(tables["main_cannons"], {"rows", 0, 3}, 1.005)},
                           {"tanks", test::With(tables["tanks"], {"codes", "parts", 0, 0}, 94)}};
    const std::string json =
        dir.Write("edit.json", test::TextOf({{"format", "dravik-tables-1"}, {"tables", only}}));
    const CliRun r = Cli({"import", "--dry-run", rom.Path(), json});
    ASSERT_TRUE(
        Says(r, 0,
             {"表「道具」 第 1 行「" + items["rows"][0][0].toString().toStdString() + "」 列「价格」: \"" +
              items["rows"][0][1].toString().toStdString() + "\" -> \"4660\""}));
    EXPECT_EQ(rom.Read(), original);
    ASSERT_EQ(Cli({"import", rom.Path(), json, "--backup"}).status, 0);
    EXPECT_EQ(test::ReadFile(rom::RomDocument::BackupPath(rom.Path())), original);
    const rom::Bytes after = rom.Read();
    QString listing; // every byte the import changed, as the dry run lists them, and no other
    for (uint32_t i : test::Differing(original, after))
        listing += QString::asprintf("  0x%06X: 0x%02X -> 0x%02X\n", i, original[i], after[i]);
    EXPECT_TRUE(Contains(r.out, listing.toStdString()) &&
                QString::fromStdString(r.out).count("\n  0x") == listing.count('\n'))
        << r.out;
    EXPECT_EQ(test::Get(after, 0xC0200, 2), 4660u);
    EXPECT_EQ(after[0xC05F7], 101); // 1.01
    EXPECT_EQ(after[0xC8201 + 12], 94);
    EXPECT_EQ(Export(rom.Path()).value("tables")["tanks"]["rows"][0][6].toString(), "甲壳虫");
}

TEST(Cli, EveryReaderTellsOfTheInterruptedSaveItRolledBack)
{
    const rom::Bytes original = rom::MakeSampleImage(26);
    test::TempImage other(rom::MakeSampleImage(27));
    test::Folder dir;
    for (cli::Args args : {cli::Args{"export", "IMG"}, cli::Args{"diff", "IMG", other.Path()},
                           cli::Args{"patch", "IMG", other.Path(), dir.Path("p.ips")}}) {
        test::TempImage rom(original);
        const std::string journalPath = test::CutShortSave(rom.Path(), original, 0x300, 4);
        args[1] = rom.Path();
        const CliRun r = Cli(args);
        EXPECT_TRUE(r.status == 0 && Contains(r.err, rom.Path()) && Contains(r.err, journalPath)) << r.err;
        EXPECT_TRUE(rom.Read() == original) << args[0];
        EXPECT_FALSE(QFile::exists(QString::fromStdString(journalPath))) << args[0];
    }
}

// set writes exactly what the document's bulk edit and save write, and nothing when a row does not
// fit.
TEST(SetCommand, WritesWhatTheDocumentWritesOrNothing)
{
    const rom::Bytes sample = rom::MakeSampleImage(9);
    const rom::Model model = test::Loaded(sample);
    const rom::Table& t = model.Get("monsters");
    const std::string five = t.RowLabel(5), seven = t.RowLabel(7);
    const std::pair<std::string, std::function<bool(int)>> choices[] = {
        {"--rows 1-3,150", [](int row) { return row < 3 || row == 149; }},
        {"--all", [](int) { return true; }},
        {"--row-names " + five + "," + seven, // every row of each name
         [&](int row) { return t.RowLabel(row) == five || t.RowLabel(row) == seven; }}};
    for (const auto& [choice, chosen] : choices) {
        test::TempImage viaCli(sample), viaDoc(sample);
        rom::RomDocument doc;
        ASSERT_TRUE(doc.Open(viaDoc.Path()).ok());
        std::vector<int> rows;
        for (int row = 0; row < t.Rows(); ++row)
            if (chosen(row))
                rows.push_back(row);
        const rom::BulkPlan plan = rom::PlanBulk(t, t.Layout().Column("hp"), rows, "min(x*1.2,4095)");
        ASSERT_TRUE(plan.Ok());
        doc.Apply(plan.edit);
        ASSERT_TRUE(doc.Save().ok());
        EXPECT_TRUE(
            Says(Cli(Words("set IMG --table monsters --column HP " + choice + " --expr min(x*1.2,4095)",
                           {{"IMG", {viaCli.Path()}}})),
                 0));
        EXPECT_EQ(viaCli.Read(), viaDoc.Read()) << choice;
    }
    // Row 1 of main_cannons carries a flag: 1024 is out of its range, as Save says. (Its wrong
    // usages are in RunsEndWithTheirStatusAndSayWhy.)
    test::TempImage rom(rom::MakeSampleImage(2));
    const CliRun r =
        Cli({"set", rom.Path(), "--table", "main_cannons", "--column", "攻击", "--all", "--expr", "1024"});
    EXPECT_TRUE(r.status == 1 && Contains(r.out, "第 1 行") && Contains(r.out, "超出范围 0 到 1023"))
        << r.out;
    EXPECT_EQ(rom.Read(), rom::MakeSampleImage(2));
}

// The real program in an English locale: one of a thing is said in the singular ("1 byte", "1
// row", not "1 bytes"), and every file it writes is the same bytes as in Chinese.
TEST(CliLanguage, EnglishLocaleGetsEnglishMessagesAndTheSameFiles)
{
    test::TempImage rom(rom::MakeSampleImage(3));
    rom::Bytes other = rom.Read();
    other[0] ^= 1; // outside every field
    test::TempImage changed(other);
    const auto run = [&](const QString& locale, QString args) {
        args.replace("IMG", QString::fromStdString(rom.Path()))
            .replace("ONE", QString::fromStdString(changed.Path()));
        return test::RunProgram(DRAVIK_CLI, args.split(' '), locale);
    };
    const CliRun diff = run(kEnglish, "diff IMG ONE"),
                 set = run(kEnglish, "set IMG --table main_cannons --column Price --rows 2 --expr 70000");
    EXPECT_TRUE(Contains(diff.out, "outside the fields: 1 run, 1 byte in all:\n  0x000000-0x000000 (1 byte)"))
        << diff.out;
    EXPECT_TRUE(set.status == 1 && Contains(set.err, "1 row does not fit")) << set.err;
    for (const char* args : {"export IMG", "export IMG --table monsters --format csv",
                             "export IMG --table characters --format csv"}) {
        const CliRun zh = run(kChinese, args);
        EXPECT_TRUE(!zh.out.empty() && run(kEnglish, args).out == zh.out) << args;
    }
}
