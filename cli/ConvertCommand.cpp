// `dravik convert TEXT FROM TO`: the base converter on the command line.
#include "cli/Commands.h"

#include "tools/BaseConvert.h"

#include <algorithm>

namespace dravik::cli {

namespace {

// A base written in decimal, 2 to 16; 0 if it is anything else.
int ParseBase(const std::string& s)
{
    if (s.empty() || s.size() > 2 ||
        !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int base = std::stoi(s);
    return base >= 2 && base <= 16 ? base : 0;
}

class ConvertCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(ConvertCommand)

public:
    QString Name() const override { return "convert"; }
    QString Summary() const override { return tr("在 2 到 16 进制之间转换一个数"); }
    QStringList Forms() const override { return {"convert [--] TEXT FROM TO"}; }
    QString Details() const override
    {
        return tr("把 FROM 进制的数 TEXT 写成 TO 进制（进制是 2 到 16 的十进制数）。TEXT 可以有前导的“-”\n"
                  "和“.”后的小数部分；大于 9 的数字写作 A-F 或 a-f。结果最多 16 位小数，截断而不舍入。\n"
                  "负数 TEXT 可以直接写，也可以在前面加“--”。");
    }
    bool ShowsNames() const override { return false; }
    int MinArguments() const override { return 3; }
    bool TakesNegativeNumbers() const override { return true; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr&, std::ostream& out,
            std::ostream& err) const override
    {
        const Args rest = Utf8(parsed.positionalArguments());
        const int from = ParseBase(rest[1]);
        const int to = ParseBase(rest[2]);
        if (from == 0 || to == 0)
            return WrongUsage(err, tr("FROM 和 TO 必须是 2 到 16 的进制"));

        const tools::BaseConvertResult r = tools::ConvertBase(rest[0], from, to);
        if (!r.ok) {
            err << r.message << '\n';
            return kRefused;
        }
        out << r.text << '\n';
        return kSuccess;
    }
};

} // namespace

std::unique_ptr<Command> MakeConvertCommand() { return std::make_unique<ConvertCommand>(); }

} // namespace dravik::cli
