// The full command line: every command, --help and every message. `dravik` itself
// (cli/Launcher.cpp) runs it in its own place for everything it does not do without Qt.
#include <QCoreApplication>
#include <iostream>

#include "cli/Commands.h"
#include "i18n/Language.h"
#include "rom/FileOps.h"

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    namespace i18n = dravik::i18n;
    i18n::InstallLanguage(
        app, i18n::ChooseLanguage(i18n::LanguageOption(app.arguments()), QString(), i18n::MessagesLocale()));
    dravik::cli::Args args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return dravik::cli::RunCli(args, std::cout, std::cerr);
}
