#include "app/CEditorApp.h"

#include <QCommandLineParser>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/CEditorDlg.h"
#include "app/Resources.h"
#include "widgets/DialogUnits.h"

namespace dravik::app {

namespace {
// Ends the program once the window has painted itself for the first time: the start-up time
// measured from outside is then the time to a usable window.
class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so that the paint itself (and the rest of that repaint) finishes first.
            // The process then ends at once: tearing the window down is no part of starting it,
            // and nothing was changed that would need saving.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [] {
                    std::fflush(nullptr);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

// The options of the editor's command line, declared once for the window and for --help.
struct Options {
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption names{QStringLiteral("names"), QStringLiteral("显示这个文件夹中名称表的名称。"),
                                   QStringLiteral("DIR")};
    const QCommandLineOption exitAfterShow{
        QStringLiteral("exit-after-show"),
        QStringLiteral("窗口第一次绘制完成后立即退出（用于测量启动时间）。")};
    const QCommandLineOption noRecovery{QStringLiteral("no-recovery"),
                                        QStringLiteral("不写恢复记录，打开文件时也不提供上次未保存的修改。")};

    Options()
    {
        parser.setApplicationDescription(
            QStringLiteral("Dravik静态修改器：编辑 ROM 映像 (.smc) 中的数据表。"));
        parser.addOption(names);
        parser.addPositionalArgument(QStringLiteral("rom"),
                                     QStringLiteral("启动时打开的 ROM 映像 (.smc)，可省略。"),
                                     QStringLiteral("[rom.smc]"));
        parser.addOption(exitAfterShow);
        parser.addOption(noRecovery);
    }
};
} // namespace

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    Describe(*this);
    setFont(widgets::EditorFont());
    EnsureResources();
    InstallQtTranslations(*this);
}

void CEditorApp::Describe(QCoreApplication& app)
{
    app.setApplicationName(QStringLiteral("Dravik静态修改器"));
    app.setOrganizationName(QStringLiteral("dravik")); // where QSettings keeps the name set folder
    app.setApplicationVersion(QStringLiteral(DRAVIK_VERSION));
    // The desktop entry's id: the desktop shows the window under that entry's name and icon.
    if (auto* gui = qobject_cast<QGuiApplication*>(&app))
        gui->setDesktopFileName(QStringLiteral(DRAVIK_APP_ID));
}

bool CEditorApp::AsksOnlyForInformation(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "--names") { // its folder may have any name
            ++i;
            continue;
        }
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (arg == option)
                return true;
    }
    return false;
}

int CEditorApp::AnswerOnTerminal(int& argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Describe(app);
    InstallQtTranslations(app);
    Options options;
    // Qt's own options (-platform, -style) are unknown to a QCoreApplication: the help and the
    // version are shown all the same.
    options.parser.parse(app.arguments());
    if (options.parser.isSet(options.version)) {
        std::fputs(qPrintable(app.applicationName() + u' ' + app.applicationVersion() + u'\n'), stdout);
        return 0;
    }
    if (options.parser.isSet(options.help) && !options.parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(options.parser.helpText()), stdout);
        return 0;
    }
    options.parser.process(app); // --help-all, or what is wrong: prints it and ends the process
    return 0;
}

bool CEditorApp::InstallQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

int CEditorApp::Run()
{
    Options options;
    QCommandLineParser& parser = options.parser;
    parser.process(*this);
    const QStringList args = parser.positionalArguments();
    if (args.size() > 1) {
        fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }

    CEditorDlg window;
    if (parser.isSet(options.noRecovery))
        window.GetSession().SetRecoveryFolder({});
    QuitAfterFirstPaint quitter;
    if (parser.isSet(options.exitAfterShow))
        window.installEventFilter(&quitter);
    window.show();
    if (parser.isSet(options.names))
        window.UseNameFolder(parser.value(options.names)); // for this run; a refusal says why
    else
        window.UseRememberedNames();
    // The status line shows the full path, as it does for a file chosen in the dialog.
    if (!args.isEmpty())
        window.OpenFile(QFileInfo(args.first()).absoluteFilePath());
    return exec();
}

} // namespace dravik::app
