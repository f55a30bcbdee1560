#pragma once
// The application: the editor font, the main window, and the optional ROM path given on the
// command line. The program ends when the main window is closed.
#include <QApplication>
#include <optional>

namespace dravik::app {

class CEditorApp : public QApplication {
    Q_OBJECT
public:
    CEditorApp(int& argc, char** argv);

    // Answers on the terminal, with no window system, what needs no window: the help, the
    // version, and a command line that is wrong (the reason and the help on standard error, exit
    // status 2). Returns that exit status, or nothing when the window is to start.
    static std::optional<int> AnswerOnTerminal(int& argc, char** argv);

    // Shows the main window, opens the ROM path of the command line (if any) as Open would, and
    // runs until the window ends. Returns the exit status.
    int Run();

    // Installs the interface language: --lang in `arguments`, else the one chosen in the 语言 menu,
    // else the locale's. Qt's own texts (file dialog, message box buttons) follow it.
    static void InstallLanguage(QCoreApplication& app, const QStringList& arguments);

    // Qt reads the settings files itself, and would follow a link, wait on a FIFO or read a huge
    // file whole. The user's settings files are checked first as side files are; when one is
    // refused it is left as it is, and this run keeps its settings in a scratch folder, starting
    // from the defaults. Returns why, empty when the files are fine.
    static QString GuardSettings();

private:
    // The program's name, version and desktop entry id, for either kind of application object.
    static void Describe(QCoreApplication& app);

    QString settingsRefused_; // told once the window shows
};

} // namespace dravik::app
