// The program's own level: --version, --help, the list of commands, and finding the command.
#include <QCoreApplication>
#include <cerrno>
#include <string>

#include "cli/Commands.h"
#include "i18n/Language.h"
#include "names/NameSet.h"
#include "rom/FileOps.h"
#include "rom/TextChecks.h"

namespace dravik::cli {

namespace {
class Program {
    Q_DECLARE_TR_FUNCTIONS(Program)

public:
    static QCommandLineOption VersionOption() { return {{"v", "version"}, tr("显示版本号")}; }

    static QCommandLineOption LangOption()
    {
        return {"lang", tr("界面语言：zh 中文，en 英语（默认按系统的语言环境）"), "zh|en"};
    }

    static QList<QCommandLineOption> Options()
    {
        return {NamesOption(), LangOption(), HelpOption(), VersionOption()};
    }

    static QString Usage()
    {
        QString text =
            tr("用法：") + "dravik [--names DIR] [--lang zh|en] COMMAND ...\n\n" + tr("命令：") + '\n';
        int width = 0;
        for (const auto& command : AllCommands())
            width = std::max(width, static_cast<int>(command->Name().size()));
        for (const auto& command : AllCommands())
            text += "  " + command->Name().leftJustified(width + 2) + command->Summary() + '\n';
        text += '\n' + tr("选项：") + '\n' + OptionTable(Options()) + '\n' +
                tr("“dravik help COMMAND”或“dravik COMMAND --help”显示一个命令的用法。\n"
                   "退出状态：0 成功，1 输入被拒绝，2 用法不对。\n");
        return text;
    }

    static const Command* Find(const QString& name)
    {
        for (const auto& command : AllCommands())
            if (command->Name() == name)
                return command.get();
        return nullptr;
    }

    static int UnknownCommand(const QString& name, std::ostream& err)
    {
        err << "dravik: " << tr("没有“%1”这个命令").arg(name) << "\n\n" << Usage();
        return kWrongUsage;
    }
};

class HelpCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(HelpCommand)

public:
    QString Name() const override { return "help"; }
    QString Summary() const override { return tr("列出全部命令，或显示一个命令的用法"); }
    QStringList Forms() const override { return {"help [COMMAND]"}; }
    int MinArguments() const override { return 0; }
    int MaxArguments() const override { return 1; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr&, std::ostream& out,
            std::ostream& err) const override
    {
        if (parsed.positionalArguments().isEmpty()) {
            out << Program::Usage();
            return kSuccess;
        }
        const QString name = parsed.positionalArguments().constFirst();
        const Command* command = Program::Find(name);
        if (!command)
            return Program::UnknownCommand(name, err);
        out << command->Usage();
        return kSuccess;
    }
};

std::string& Written()
{
    static std::string written;
    return written;
}

int RunCommand(const Args& args, std::ostream& out, std::ostream& err)
{
    QStringList words;
    for (const std::string& arg : args) {
        // Qt keeps names as Unicode: a file name in another encoding would name some other file.
        if (rom::FindUtf8Fault(arg)) {
            err << "dravik: "
                << Program::tr("参数“%1”不是 UTF-8 文本：文件名和其他参数都只能用 UTF-8 编码")
                       .arg(QString::fromStdString(arg))
                << "\n";
            return kRefused;
        }
        words << QString::fromStdString(arg);
    }
    // Everything after the command's name is the command's to parse.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QList<QCommandLineOption> options = Program::Options();
    parser.addOptions(options);
    QString problem;
    if (!parser.parse(QStringList{"dravik"} + words))
        problem = ParseProblem(parser, words, options);
    else
        problem = OptionProblem(parser, options);
    // The language itself was chosen at start-up (main); here only a wrong value is refused.
    if (problem.isEmpty() && parser.isSet("lang") && !i18n::ParseLanguage(parser.value("lang")))
        problem = Program::tr("--lang 只能是 zh 或 en，不能是“%1”").arg(parser.value("lang"));
    if (!problem.isEmpty()) {
        err << "dravik: " << problem << "\n\n" << Program::Usage();
        return kWrongUsage;
    }
    if (parser.isSet("version")) {
        out << "dravik " << DRAVIK_VERSION << "\n";
        return kSuccess;
    }
    if (parser.isSet("help")) {
        out << Program::Usage();
        return kSuccess;
    }
    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty()) {
        err << Program::Usage();
        return kWrongUsage;
    }
    const QString name = rest.takeFirst();
    const Command* command = Program::Find(name);
    if (!command)
        return Program::UnknownCommand(name, err);
    return command->Execute(rest, parser.values("names"), out, err);
}
} // namespace

const std::vector<std::unique_ptr<Command>>& AllCommands()
{
    static const std::vector<std::unique_ptr<Command>> commands = [] {
        std::vector<std::unique_ptr<Command>> list;
        for (auto make :
             {MakeExportCommand, MakeImportCommand, MakeSetCommand, MakeSampleCommand, MakeConvertCommand,
              MakeDiffCommand, MakePatchCommand, MakeApplyCommand, MakeNamesCommand, MakeRefsCommand,
              +[]() -> std::unique_ptr<Command> { return std::make_unique<HelpCommand>(); }})
            list.push_back(make());
        return list;
    }();
    return commands;
}

void NoteWritten(const std::string& what)
{
    Written() = Written().empty() ? what
                                  : Program::tr("%1；%2")
                                        .arg(QString::fromStdString(Written()), QString::fromStdString(what))
                                        .toStdString();
}

int RunCli(const Args& args, std::ostream& out, std::ostream& err)
{
    Written().clear();
    // Every input is bounded before it is read (images, patches and imports 64 MiB, name files
    // and records 1 MiB, a BPS result 256 MiB), so no command allocates without limit.
    const int status = RunCommand(args, out, err);
    // Output that never arrived (a full disk, a closed pipe, /dev/full) is a failure.
    if (out)
        errno = 0;
    out.flush();
    if (!out) {
        const int cause = errno;
        err << "dravik: "
            << Program::tr("无法写入输出：%1")
                   .arg(cause ? QString::fromStdString(rom::ErrorText(cause)) : Program::tr("写入失败"));
        if (!Written().empty())
            err << Program::tr("。不过 %1，只是输出没有写出来").arg(QString::fromStdString(Written()));
        err << "\n";
        return kRefused;
    }
    return status;
}

} // namespace dravik::cli
