#pragma once
// One command of the `dravik` command line: its name, a one-line summary, the forms it takes, its
// own options, and what it does. The base class parses the arguments after the command's name with
// a QCommandLineParser of the command's own options, answers --help, and refuses wrong usage before
// Run is called.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>

#include "names/NameSet.h"

namespace dravik::cli {

using Args = std::vector<std::string>;

// Exit statuses of every command.
constexpr int kSuccess = 0;
constexpr int kRefused = 1;    // input refused: a bad file, invalid values
constexpr int kWrongUsage = 2; // the command line itself is wrong

// The program's output is UTF-8 whatever the locale, as the core's messages are.
inline std::ostream& operator<<(std::ostream& out, const QString& text) { return out << text.toStdString(); }

// Arguments as the core takes file names and texts.
Args Utf8(const QStringList& words);

class Command {
    Q_DECLARE_TR_FUNCTIONS(Command)

public:
    virtual ~Command() = default;

    // The word after `dravik` that runs this command.
    virtual QString Name() const = 0;
    // One line for the list of commands.
    virtual QString Summary() const = 0;
    // Each way to call it, without the program's name: "export ROM [--table ID --format csv]".
    virtual QStringList Forms() const = 0;
    // What the arguments mean and what it prints; may be empty.
    virtual QString Details() const { return {}; }
    // The options of its own (--names and --help are added to every command).
    virtual QList<QCommandLineOption> Options() const { return {}; }
    // How many arguments besides the options it takes; a negative maximum is "any number".
    virtual int MinArguments() const = 0;
    virtual int MaxArguments() const { return MinArguments(); }
    // Whether an argument such as -5 or -1a is a number rather than an option.
    virtual bool TakesNegativeNumbers() const { return false; }
    // Whether it shows anything by name. One that does not is given no name set unless --names
    // names one (a folder given is still read and refused as every command refuses it).
    virtual bool ShowsNames() const { return true; }

    // What --help prints: the forms, the details and every option.
    QString Usage() const;

    // Parses `args` (what follows the command's name), applies the name folders (`folders` first,
    // then any --names among `args`) and runs. Returns the exit status.
    int Execute(const QStringList& args, const QStringList& folders, std::ostream& out,
                std::ostream& err) const;

protected:
    // Runs with the arguments parsed and checked: the options as given, the arguments in
    // parsed.positionalArguments(); `names` is the name set the name folders gave (the
    // compiled-in set without one), what every image it opens is shown with.
    virtual int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
                    std::ostream& err) const = 0;

    // Wrong usage: the reason (if any) and the usage on `err`; returns kWrongUsage.
    int WrongUsage(std::ostream& err, const QString& reason = {}) const;
};

// The options every command takes.
QCommandLineOption NamesOption();
QCommandLineOption HelpOption();

// Why the parser refused `words` (its options `options`), in the program's language; and why
// options it accepted are still wrong (a value left out, an option given twice), or empty.
QString ParseProblem(const QCommandLineParser& parser, const QStringList& words,
                     const QList<QCommandLineOption>& options);
QString OptionProblem(const QCommandLineParser& parser, const QList<QCommandLineOption>& options);

// The options' part of a usage text: "  --table ID   what it does", one a line, aligned.
QString OptionTable(const QList<QCommandLineOption>& options);

// Reads the name folders one after another into `names` (the last one read is the set in use).
// Returns 0, or the exit status (with the reasons on `err`) when a folder is refused.
int UseNameFolders(const QStringList& folders, names::NameSetPtr& names, std::ostream& err);

} // namespace dravik::cli
