#include <cstring>

#include "app/CEditorApp.h"
#include "rom/FileOps.h"
#include "widgets/DialogUnits.h"

namespace {
// A command line that asks only for text on the terminal needs no fonts.
bool AsksForText(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}
} // namespace

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    // The font configuration is read on another thread from the start: the window's first
    // measure of text waits for it, and the command line is checked and the application object
    // made meanwhile.
    if (!AsksForText(argc, argv))
        dravik::widgets::ReadFontsAhead();
    // --help, --version and a wrong command line are answered on the terminal, also where there
    // is no display.
    if (const auto status = dravik::app::CEditorApp::AnswerOnTerminal(argc, argv))
        return *status;
    dravik::app::CEditorApp app(argc, argv);
    return app.Run();
}
