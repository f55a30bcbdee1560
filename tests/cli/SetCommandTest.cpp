// dravik set: writes exactly what the document's bulk edit and save write, and nothing at all
// when a row does not fit, the formula cannot be read or the rows are wrong.
#include <gtest/gtest.h>

#include "rom/Formula.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;

TEST(SetCommand, WritesWhatTheDocumentWrites)
{
    struct Case {
        std::vector<std::string> choice;
        std::vector<int> rows;
    };
    for (const Case& c : std::vector<Case>{
             {{"--rows", "1-3,150"}, {0, 1, 2, 149}}, {{"--all"}, {}}, {{"--row-names", ""}, {}}}) {
        test::TempImage viaCli(rom::MakeSampleImage(9)), viaDoc(rom::MakeSampleImage(9));
        rom::RomDocument doc;
        ASSERT_TRUE(doc.Open(viaDoc.Path()).ok);
        const rom::Table& t = doc.GetModel().Get("monsters");
        std::vector<std::string> choice = c.choice;
        std::vector<int> rows = c.rows;
        if (choice[0] == "--all")
            for (int row = 0; row < t.Rows(); ++row)
                rows.push_back(row);
        if (choice[0] == "--row-names") { // every row of each name
            choice[1] = t.RowLabel(5) + "," + t.RowLabel(7);
            for (int row = 0; row < t.Rows(); ++row)
                if (t.RowLabel(row) == t.RowLabel(5) || t.RowLabel(row) == t.RowLabel(7))
                    rows.push_back(row);
        }
        const rom::BulkPlan plan = rom::PlanBulk(t, t.Layout().Column("hp"), rows, "min(x*1.2, 4095)");
        ASSERT_TRUE(plan.Ok());
        doc.Apply(plan.edit);
        ASSERT_TRUE(doc.Save().ok);

        std::vector<std::string> args = {"set", viaCli.Path(), "--table", "monsters", "--column", "HP"};
        args.insert(args.end(), choice.begin(), choice.end());
        args.insert(args.end(), {"--expr", "min(x*1.2, 4095)"});
        const test::CliRun r = Cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(viaCli.Read(), viaDoc.Read()) << choice[0];
    }
}

TEST(SetCommand, WritesNothingUnlessEveryRowFits)
{
    test::TempImage rom(rom::MakeSampleImage(2));
    const rom::Bytes original = rom.Read();
    const auto set = [&](std::vector<std::string> more) {
        std::vector<std::string> args = {"set", rom.Path(), "--table", "main_cannons", "--column", "攻击"};
        args.insert(args.end(), more.begin(), more.end());
        return Cli(args);
    };
    // Row 1 of main_cannons carries a flag: 1024 is out of its range, as Save says.
    test::CliRun r = set({"--all", "--expr", "1024"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("第 1 行"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("超出范围 0 到 1023"), std::string::npos) << r.out;

    r = set({"--rows", "1", "--expr", "x+1", "--dry-run"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("保存将改动"), std::string::npos) << r.out;
    r = set({"--rows", "1", "--expr", "x", "--dry-run"}); // a review that writes nothing ends in no list
    EXPECT_NE(r.out.find("保存不会改动任何字节。"), std::string::npos) << r.out;

    struct Usage {
        std::vector<std::string> more;
        const char* says;
    };
    for (const Usage& u : std::vector<Usage>{{{"--expr", "1"}, ""},
                                             {{"--all", "--rows", "1", "--expr", "1"}, "只能用一个"},
                                             {{"--rows", "0", "--expr", "1"}, "--rows"},
                                             {{"--rows", "5-2", "--expr", "1"}, "--rows"},
                                             {{"--rows", "33", "--expr", "1"}, "没有第 33 行"},
                                             {{"--row-names", "没有这个", "--expr", "1"}, "没有名为"},
                                             {{"--all", "--expr", "x+"}, "公式"},
                                             {{"--all", "--expr", "1", "--column", "主炮"}, "只能给一次"}}) {
        r = set(u.more);
        EXPECT_EQ(r.status, 2) << u.says;
        EXPECT_NE(r.err.find(u.says), std::string::npos) << r.err;
    }
    r = Cli({"set", rom.Path(), "--table", "main_cannons", "--column", "主炮", "--all", "--expr", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("价格、防御、重量、攻击、弹仓"), std::string::npos) << r.err;
    EXPECT_EQ(rom.Read(), original);
}
