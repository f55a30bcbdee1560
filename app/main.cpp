#include "app/CEditorApp.h"

int main(int argc, char** argv)
{
    dravik::app::CEditorApp app(argc, argv);
    return app.Run();
}
