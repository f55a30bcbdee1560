// The name set commands and --names: templates, checks, and exports that show the user's names.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "cli/Commands.h"
#include "names/NameSet.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::Cli;
using test::CliRun;

TEST(NamesCli, ExportedTemplateChecksCleanAndEditsShowInExports)
{
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString(), rom = root + "/a.smc", tpl = root + "/tpl";
    ASSERT_EQ(Cli({"sample", rom}).status, 0);
    const CliRun exported = Cli({"names", "export", tpl});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const CliRun clean = Cli({"names", "check", tpl});
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_NE(clean.out.find("其中 0 个改变了名称"), std::string::npos) << clean.out;

    test::NameFolder mine({{"tanks.txt", "蚊子\n"}, {"tank_parts.txt", "\n机关炮改\n"}});
    const CliRun check = Cli({"names", "check", mine.Path()});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_NE(check.out.find("tank_parts.txt:2: 主炮#1 -> 机关炮改"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("tanks.txt:1: No1.蚊式坦克 -> 蚊子"), std::string::npos) << check.out;

    const CliRun plain = Cli({"export", rom, "--table", "tanks", "--format", "csv"});
    const CliRun named = Cli({"--names", mine.Path(), "export", rom, "--table", "tanks", "--format", "csv"});
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out.find("No1.蚊式坦克"), std::string::npos);
    EXPECT_NE(named.out.find("蚊子"), std::string::npos);
    EXPECT_EQ(plain.out.find("蚊子"), std::string::npos);
    // A second run in the same process is back on the compiled-in names.
    EXPECT_EQ(Cli({"export", rom, "--table", "tanks", "--format", "csv"}).out, plain.out);
}
