// The real program in an English locale: usage, help and messages in English, every file it writes
// the same bytes as in Chinese.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "cli/Commands.h"
#include "rom/SampleImage.h"
#include "support/CliRun.h"
#include "support/TestImage.h"

using namespace dravik;
using test::CliRun;

namespace {
CliRun RunIn(const QString& locale, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    p.setProcessEnvironment(env);
    p.start(DRAVIK_CLI, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

// Chinese characters or full-width punctuation: a text left untranslated.
bool HasChinese(const std::string& text)
{
    for (const QChar c : QString::fromStdString(text)) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

const QString kEnglish = "en_US.UTF-8", kChinese = "C.UTF-8";
} // namespace

TEST(CliLanguage, EnglishLocaleGetsEnglishUsageAndMessages)
{
    QStringList helps = {"--help"};
    for (const auto& command : cli::AllCommands())
        helps << "help " + command->Name();
    for (const QString& help : helps) {
        const CliRun r = RunIn(kEnglish, help.split(' '));
        EXPECT_EQ(r.status, 0) << help.toStdString();
        EXPECT_EQ(r.out.rfind("Usage: dravik ", 0), 0u) << r.out;
        EXPECT_FALSE(HasChinese(r.out)) << r.out;
    }
    // One of a thing is said in the singular: "1 byte", "1 row", not "1 bytes".
    test::TempImage rom(rom::MakeSampleImage(3));
    rom::Bytes other = rom.Read();
    other[0] ^= 1; // one byte outside every field
    test::TempImage changed(other);
    const QStringList set = {
        "set", QString::fromStdString(rom.Path()), "--table", "main_cannons", "--column", "Price", "--rows",
        "2"};
    const struct {
        QString locale;
        QStringList args;
        int status;
        std::string says;
    } runs[] = {
        {kEnglish,
         {"export", "/nonexistent/a.smc"},
         1,
         "Cannot open /nonexistent/a.smc: the file does not exist.\n"},
        {kChinese, {"export", "/nonexistent/a.smc"}, 1, "无法打开文件 /nonexistent/a.smc：文件不存在。\n"},
        {kEnglish, {"nope"}, 2, "dravik: unknown command \"nope\"\n"},
        {kEnglish, set + QStringList{"--expr", "x+1", "--dry-run"}, 0, "The save would change 1 byte:"},
        {kEnglish, set + QStringList{"--expr", "70000"}, 1, "1 row does not fit"},
        {kEnglish, set + QStringList{"--expr", "x+1"}, 0, "1 byte changed"},
        {kEnglish,
         {"set", QString::fromStdString(rom.Path()), "--table", "red_wolf", "--column", "HP", "--rows", "2",
          "--expr", "1"},
         2,
         "has only 1 row,"},
        {kEnglish,
         {"diff", QString::fromStdString(rom.Path()), QString::fromStdString(changed.Path())},
         0,
         "outside the fields: 1 run, 1 byte in all:\n  0x000000-0x000000 (1 byte)"},
    };
    const QRegularExpression plural("\\b1 [a-z]+s\\b");
    for (const auto& run : runs) {
        const CliRun r = RunIn(run.locale, run.args);
        const std::string all = r.out + r.err;
        EXPECT_EQ(r.status, run.status) << all;
        EXPECT_NE(all.find(run.says), std::string::npos) << all;
        EXPECT_FALSE(QString::fromStdString(all).contains(plural)) << all;
    }
}

TEST(CliLanguage, ExportsAreTheSameBytesInEveryLanguage)
{
    test::TempImage rom(rom::MakeSampleImage(3));
    const QString path = QString::fromStdString(rom.Path());
    for (const QStringList& args :
         {QStringList{"export", path}, QStringList{"export", path, "--table", "monsters", "--format", "csv"},
          QStringList{"export", path, "--table", "characters", "--format", "csv"}}) {
        const CliRun zh = RunIn(kChinese, args), en = RunIn(kEnglish, args);
        EXPECT_EQ(zh.status, 0);
        EXPECT_FALSE(zh.out.empty());
        EXPECT_EQ(en.out, zh.out) << args.join(' ').toStdString();
    }
}
