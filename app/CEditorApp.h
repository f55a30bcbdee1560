#pragma once
// The application: the editor font, the main window, and the optional ROM path given on the
// command line. The program ends when the main window is closed.
#include <QApplication>

namespace dravik::app {

class CEditorApp : public QApplication {
    Q_OBJECT
public:
    CEditorApp(int& argc, char** argv);

    // True when the command line asks only for the help or the version: those are answered on
    // the terminal by AnswerOnTerminal, with no display needed.
    static bool AsksOnlyForInformation(int argc, char** argv);
    // Prints the help or the version as Run would, without a window system. Returns the exit status.
    static int AnswerOnTerminal(int& argc, char** argv);

    // Shows the main window, opens the ROM path of the command line (if any) as Open would, and
    // runs until the window ends. Returns the exit status.
    int Run();

    // Loads Qt's own Simplified Chinese texts (file dialog, message box buttons) so that the stock
    // dialogs speak the language of the rest of the interface. False when they are not installed.
    static bool InstallQtTranslations(QCoreApplication& app);

private:
    // The program's name, version and desktop entry id, for either kind of application object.
    static void Describe(QCoreApplication& app);
};

} // namespace dravik::app
