#include "app/CEditorApp.h"
#include "rom/FileOps.h"

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    dravik::app::CEditorApp app(argc, argv);
    return app.Run();
}
