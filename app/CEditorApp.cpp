#include "app/CEditorApp.h"

#include <QCommandLineParser>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

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
} // namespace

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Dravik静态修改器"));
    setOrganizationName(QStringLiteral("dravik")); // where QSettings keeps the name set folder
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
    const QCommandLineOption namesOption(
        QStringLiteral("names"), QStringLiteral("显示这个文件夹中名称表的名称。"), QStringLiteral("DIR"));
    parser.addOption(namesOption);
    parser.addPositionalArgument(QStringLiteral("rom"),
                                 QStringLiteral("启动时打开的 ROM 映像 (.smc)，可省略。"),
                                 QStringLiteral("[rom.smc]"));
    const QCommandLineOption exitAfterShow(
        QStringLiteral("exit-after-show"),
        QStringLiteral("窗口第一次绘制完成后立即退出（用于测量启动时间）。"));
    parser.addOption(exitAfterShow);
    const QCommandLineOption noRecovery(QStringLiteral("no-recovery"),
                                        QStringLiteral("不写恢复记录，打开文件时也不提供上次未保存的修改。"));
    parser.addOption(noRecovery);
    parser.process(*this);
    const QStringList args = parser.positionalArguments();
    if (args.size() > 1) {
        fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }

    CEditorDlg window;
    if (parser.isSet(noRecovery))
        window.SetRecoveryFolder({});
    QuitAfterFirstPaint quitter;
    if (parser.isSet(exitAfterShow))
        window.installEventFilter(&quitter);
    window.show();
    if (parser.isSet(namesOption))
        window.UseNameFolder(parser.value(namesOption)); // for this run; a refusal says why
    else
        window.UseRememberedNames();
    // The status line shows the full path, as it does for a file chosen in the dialog.
    if (!args.isEmpty())
        window.OpenFile(QFileInfo(args.first()).absoluteFilePath());
    return exec();
}

} // namespace dravik::app
