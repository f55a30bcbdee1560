#include "cli/Command.h"

#include <QRegularExpression>
#include <algorithm>

#include "i18n/Language.h"

namespace dravik::cli {

Args Utf8(const QStringList& words)
{
    Args args;
    args.reserve(static_cast<size_t>(words.size()));
    for (const QString& word : words)
        args.push_back(word.toStdString());
    return args;
}

QCommandLineOption NamesOption()
{
    return {"names", Command::tr("显示名称时用这个文件夹中的名称文件"), "DIR"};
}

QCommandLineOption HelpOption() { return {{"h", "help"}, Command::tr("显示这段说明")}; }

namespace {
QString Spelled(const QString& name) { return (name.size() == 1 ? "-" : "--") + name; }

QString Spelled(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names << Spelled(name);
    QString text = names.join(", ");
    if (!option.valueName().isEmpty())
        text += ' ' + option.valueName();
    return text;
}

const QCommandLineOption* FindOption(const QList<QCommandLineOption>& options, const QString& name)
{
    for (const QCommandLineOption& option : options)
        if (option.names().contains(name))
            return &option;
    return nullptr;
}

// How many columns a terminal gives `text`: Chinese characters take two.
int TerminalWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    return width;
}
} // namespace

// An unknown option, an option without its value, or a value given to an option that takes none.
QString ParseProblem(const QCommandLineParser& parser, const QStringList& words,
                     const QList<QCommandLineOption>& options)
{
    if (!parser.unknownOptionNames().isEmpty())
        return Command::tr("没有 %1 这个选项").arg(Spelled(parser.unknownOptionNames().first()));
    const QString last = words.isEmpty() ? QString() : words.last();
    const QString lastName = QString(last).remove(QRegularExpression("^--?"));
    if (const QCommandLineOption* option = FindOption(options, lastName); option && last.startsWith('-'))
        if (!option->valueName().isEmpty())
            return Command::tr("选项 %1 后面缺少 %2").arg(last, option->valueName());
    for (const QString& word : words) {
        const qsizetype equals = word.indexOf('=');
        if (!word.startsWith("--") || equals < 0)
            continue;
        const QCommandLineOption* option = FindOption(options, word.mid(2, equals - 2));
        if (option && option->valueName().isEmpty())
            return Command::tr("选项 %1 不带值").arg(word.left(equals));
    }
    return parser.errorText();
}

QString OptionProblem(const QCommandLineParser& parser, const QList<QCommandLineOption>& options)
{
    for (const QCommandLineOption& option : options) {
        if (option.valueName().isEmpty())
            continue;
        const QString name = option.names().constFirst();
        const QStringList values = parser.values(name);
        // The next word is always taken as an option's value; another option there means the
        // value was left out.
        for (const QString& value : values)
            if (value.startsWith("--"))
                return Command::tr("选项 %1 后面缺少 %2").arg(Spelled(name), option.valueName());
        // Several name folders are laid over each other; anything else is said once.
        if (values.size() > 1 && name != "names")
            return Command::tr("选项 %1 只能给一次").arg(Spelled(name));
    }
    return {};
}

QString OptionTable(const QList<QCommandLineOption>& options)
{
    int width = 0;
    for (const QCommandLineOption& option : options)
        width = std::max(width, static_cast<int>(Spelled(option).size()));
    QString text;
    for (const QCommandLineOption& option : options)
        text += "  " + Spelled(option).leftJustified(width + 2) + option.description() + '\n';
    return text;
}

QString Command::Usage() const
{
    const QString lead = tr("用法：");
    QString text;
    for (const QString& form : Forms())
        text += (text.isEmpty() ? lead : QString(TerminalWidth(lead), ' ')) + "dravik " + form + '\n';
    if (!Details().isEmpty())
        text += '\n' + Details() + '\n';
    text += '\n' + tr("选项：") + '\n' + OptionTable(Options() << NamesOption() << HelpOption());
    return text;
}

int Command::WrongUsage(std::ostream& err, const QString& reason) const
{
    if (!reason.isEmpty())
        err << "dravik " << Name() << ": " << reason << "\n";
    err << Usage();
    return kWrongUsage;
}

int Command::Execute(const QStringList& args, const QStringList& folders, std::ostream& out,
                     std::ostream& err) const
{
    QStringList words = args;
    // A negative number is an argument, not an option: every word from the first one on is taken
    // as an argument, as if "--" came before it.
    if (TakesNegativeNumbers() && !words.contains("--")) {
        static const QRegularExpression number("^-[0-9A-Fa-f.]");
        const auto first = std::find_if(words.begin(), words.end(),
                                        [](const QString& w) { return number.match(w).hasMatch(); });
        if (first != words.end())
            words.insert(first, "--");
    }
    // The language was chosen at start-up from --lang wherever it stands: after the command it is
    // taken as before it, and not listed again in each command's usage.
    QCommandLineOption lang("lang", QString(), "zh|en");
    lang.setFlags(QCommandLineOption::HiddenFromHelp);
    const QList<QCommandLineOption> options = Options() << NamesOption() << HelpOption() << lang;
    QCommandLineParser parser;
    parser.addOptions(options);
    if (!parser.parse(QStringList{"dravik " + Name()} + words))
        return WrongUsage(err, ParseProblem(parser, words, options));
    if (parser.isSet("help")) {
        out << Usage();
        return kSuccess;
    }
    if (const QString problem = OptionProblem(parser, options); !problem.isEmpty())
        return WrongUsage(err, problem);
    if (parser.isSet(lang) && !i18n::ParseLanguage(parser.value(lang)))
        return WrongUsage(err, QCoreApplication::translate("Program", "--lang 只能是 zh 或 en，不能是“%1”")
                                   .arg(parser.value(lang)));
    // The compiled-in set costs a parse of its lists: made only for a command that shows names.
    names::NameSetPtr names = ShowsNames() ? names::NameSet::BuiltInPtr() : nullptr;
    if (const int status = UseNameFolders(folders + parser.values("names"), names, err))
        return status;
    const qsizetype count = parser.positionalArguments().size();
    if (count < MinArguments())
        return WrongUsage(err, count == 0 ? QString() : tr("缺少参数"));
    if (MaxArguments() >= 0 && count > MaxArguments())
        return WrongUsage(err, tr("多余的参数：%1").arg(parser.positionalArguments().at(MaxArguments())));
    return Run(parser, names, out, err);
}

} // namespace dravik::cli
