#include "app/CEditorApp.h"
#include "rom/FileOps.h"
#include "widgets/DialogUnits.h"

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    // --help, --version and a wrong command line are answered on the terminal, also where there
    // is no display.
    if (const auto status = dravik::app::CEditorApp::AnswerOnTerminal(argc, argv))
        return *status;
    dravik::widgets::ReadFontsAhead(); // while the application object and the document are made
    dravik::app::CEditorApp app(argc, argv);
    return app.Run();
}
