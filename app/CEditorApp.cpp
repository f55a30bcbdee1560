#include "app/CEditorApp.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/CEditorDlg.h"
#include "app/Resources.h"
#include "widgets/DialogUnits.h"

namespace dravik::app {

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Dravik静态修改器"));
    setApplicationVersion(QStringLiteral(DRAVIK_VERSION));
    setFont(widgets::EditorFont());
    EnsureResources();
    InstallQtTranslations(*this);
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
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Dravik静态修改器：编辑 ROM 映像 (.smc) 中的数据表。"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("rom"),
                                 QStringLiteral("启动时打开的 ROM 映像 (.smc)，可省略。"),
                                 QStringLiteral("[rom.smc]"));
    parser.process(*this);
    const QStringList args = parser.positionalArguments();
    if (args.size() > 1) {
        fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }

    CEditorDlg window;
    window.show();
    // The status line shows the full path, as it does for a file chosen in the dialog.
    if (!args.isEmpty())
        window.OpenFile(QFileInfo(args.first()).absoluteFilePath());
    return exec();
}

} // namespace dravik::app
