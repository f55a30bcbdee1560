#include "app/CEditorApp.h"
#include "rom/FileOps.h"

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    // --help and --version answer on the terminal, also where there is no display.
    if (dravik::app::CEditorApp::AsksOnlyForInformation(argc, argv))
        return dravik::app::CEditorApp::AnswerOnTerminal(argc, argv);
    dravik::app::CEditorApp app(argc, argv);
    return app.Run();
}
