#include "app/CEditorApp.h"
#include "rom/FileOps.h"

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    // --help, --version and a wrong command line are answered on the terminal, also where there
    // is no display.
    if (const auto status = dravik::app::CEditorApp::AnswerOnTerminal(argc, argv))
        return *status;
    dravik::app::CEditorApp app(argc, argv);
    return app.Run();
}
