#include "app/CEditorApp.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QSettings>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "app/CEditorDlg.h"
#include "app/LanguageMenu.h"
#include "app/NameSetPicker.h"
#include "app/Resources.h"
#include "i18n/Language.h"
#include "rom/FileOps.h"
#include "widgets/DialogUnits.h"
#include "widgets/Marks.h"
#include "widgets/Prompts.h"

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

// The real dialogs for the window, except that a question asked while the window system has not
// yet placed the window (during start-up: a name folder that no longer loads, a recovery offer,
// ...) first waits until it has, so that the question is centred on the window. Start-up's work
// is thus done before the window's first paint, which shows the opened image at once.
class PlacedPrompts : public widgets::Prompts {
public:
    // Questions wait for window until Forget.
    void Watch(QWidget* window) { window_ = window; }
    void Forget() { window_ = nullptr; }

    int Ask(QWidget* parent, const widgets::Question& question) override
    {
        AwaitPlaced();
        return Real().Ask(parent, question);
    }
    QString ChooseFile(QWidget* parent, const widgets::FileQuestion& question) override
    {
        AwaitPlaced();
        return Real().ChooseFile(parent, question);
    }
    int RunModal(QDialog& dialog) override
    {
        AwaitPlaced();
        return Real().RunModal(dialog);
    }
    void Notice(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) override
    {
        AwaitPlaced();
        Real().Notice(parent, icon, caption, text);
    }

private:
    static Prompts& Real() { return widgets::Prompts::Dialogs(); }
    void AwaitPlaced()
    {
        if (!window_)
            return;
        QElapsedTimer waited;
        waited.start();
        while (window_->windowHandle() && !window_->windowHandle()->isExposed() && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        Forget(); // placed once; later questions never wait
    }

    QWidget* window_ = nullptr;
};

// An icon of the style read the first time it is drawn or measured: reading one makes Qt load
// every image format plugin it has, to ask each whether it reads the file.
class IconOnFirstUse : public QIconEngine {
public:
    explicit IconOnFirstUse(QStyle::StandardPixmap which) : which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new IconOnFirstUse(which_); }
    bool isNull() override { return false; }

private:
    // The application's style at the time (the style it was made by may be gone); an option
    // asks it for the icon itself.
    const QIcon& Icon()
    {
        if (icon_.isNull()) {
            QStyleOption option;
            option.direction = QGuiApplication::layoutDirection();
            icon_ = QApplication::style()->standardIcon(which_, &option);
        }
        return icon_;
    }

    QStyle::StandardPixmap which_;
    QIcon icon_;
};

// The platform's style (or the one named), except that a menu bar's overflow button, which the bar
// makes hidden and shows only when its menus do not fit, reads its icon when it is first drawn:
// otherwise making the menu bar would load every image format plugin before the first paint.
class EditorStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton && !option)
            return QIcon(new IconOnFirstUse(which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

// The options of the editor's command line, declared once for the window and for --help.
struct Options {
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption names{QStringLiteral("names"), CEditorApp::tr("显示这个文件夹中名称表的名称。"),
                                   QStringLiteral("DIR")};
    const QCommandLineOption lang{
        QStringLiteral("lang"),
        CEditorApp::tr("界面语言：zh 中文，en 英语（默认为上次在“语言”菜单中的选择，"
                       "否则按系统的语言环境）。"),
        QStringLiteral("zh|en")};
    const QCommandLineOption exitAfterShow{
        QStringLiteral("exit-after-show"),
        CEditorApp::tr("窗口第一次绘制完成后立即退出（用于测量启动时间）。")};
    const QCommandLineOption dark{QStringLiteral("dark"), CEditorApp::tr("使用深色配色（Fusion 风格）。")};
    const QCommandLineOption reference{
        QStringLiteral("reference"),
        CEditorApp::tr("与这个映像（通常是未修改的游戏）比较每个单元格，并为打开的映像记住它。"),
        QStringLiteral("FILE")};
    const QCommandLineOption noRecovery{QStringLiteral("no-recovery"),
                                        CEditorApp::tr("不写恢复记录，打开文件时也不提供上次未保存的修改。")};

    Options()
    {
        parser.setApplicationDescription(
            CEditorApp::tr("Dravik静态修改器：编辑 ROM 映像 (.smc) 中的数据表。"));
        parser.addOption(names);
        parser.addOption(lang);
        parser.addPositionalArgument(QStringLiteral("rom"),
                                     CEditorApp::tr("启动时打开的 ROM 映像 (.smc)，可省略。"),
                                     QStringLiteral("[rom.smc]"));
        parser.addOption(reference);
        parser.addOption(exitAfterShow);
        parser.addOption(noRecovery);
        parser.addOption(dark);
    }
};

// The arguments without the options every Qt window program takes (-platform, -style, ...): the
// application object of the window removes those itself, the one of the terminal does not.
QStringList WithoutQtOptions(const QStringList& arguments)
{
    static const QStringList withValue{"platform",
                                       "platformpluginpath",
                                       "platformtheme",
                                       "plugin",
                                       "qwindowgeometry",
                                       "qwindowicon",
                                       "qwindowtitle",
                                       "session",
                                       "style",
                                       "stylesheet",
                                       "display",
                                       "geometry",
                                       "name",
                                       "title",
                                       "visual",
                                       "ncols",
                                       "cmap",
                                       "im",
                                       "inputstyle"};
    static const QStringList flags{"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    QStringList kept;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (i > 0 && arg == QLatin1String("--")) {
            kept += arguments.mid(i);
            break;
        }
        QString word = arg.startsWith(QLatin1String("--")) ? arg.mid(2) : arg.mid(1);
        if (i > 0 && arg.startsWith(u'-') && withValue.contains(word)) {
            ++i; // and its value
            continue;
        }
        if (i > 0 && arg.startsWith(u'-') &&
            (flags.contains(word) || word.startsWith(QLatin1String("qmljsdebugger="))))
            continue;
        kept << arg;
    }
    return kept;
}

// What is wrong with a command line the parser accepted, or empty.
QString Problem(const Options& options)
{
    if (options.parser.isSet(options.lang) && !i18n::ParseLanguage(options.parser.value(options.lang)))
        return CEditorApp::tr("--lang 只能是 zh 或 en，不能是“%1”。").arg(options.parser.value(options.lang));
    if (options.parser.positionalArguments().size() > 1)
        return CEditorApp::tr("只能打开一个 ROM 映像。");
    return {};
}
} // namespace

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setStyle(new EditorStyle); // the application takes it
    Describe(*this);
    settingsRefused_ = GuardSettings();
    setFont(widgets::EditorFont());
    EnsureResources();
    InstallLanguage(*this, arguments());
}

void CEditorApp::Describe(QCoreApplication& app)
{
    // Not translated: the settings are kept under this name.
    app.setApplicationName(QStringLiteral("Dravik静态修改器"));
    app.setOrganizationName(QStringLiteral("dravik")); // where QSettings keeps the name set folder
    app.setApplicationVersion(QStringLiteral(DRAVIK_VERSION));
    // The desktop entry's id: the desktop shows the window under that entry's name and icon.
    if (auto* gui = qobject_cast<QGuiApplication*>(&app))
        gui->setDesktopFileName(QStringLiteral(DRAVIK_APP_ID));
}

std::optional<int> CEditorApp::AnswerOnTerminal(int& argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Describe(app);
    if (const QString refused = GuardSettings(); !refused.isEmpty())
        std::fputs(qPrintable(refused + u'\n'), stderr);
    InstallLanguage(app, app.arguments());
    Options options;
    const QStringList arguments = WithoutQtOptions(app.arguments());
    const auto wrong = [&options](const QString& reason) {
        std::fputs(
            qPrintable(QStringLiteral("dravik-editor: %1\n\n%2").arg(reason, options.parser.helpText())),
            stderr);
        return 2;
    };
    if (!options.parser.parse(arguments))
        return wrong(options.parser.errorText());
    if (options.parser.isSet(options.version)) {
        std::fputs(qPrintable(tr("Dravik静态修改器") + u' ' + app.applicationVersion() + u'\n'), stdout);
        return 0;
    }
    if (options.parser.isSet(QStringLiteral("help-all"))) {
        options.parser.process(arguments); // prints Qt's options too and ends the process
        return 0;
    }
    if (options.parser.isSet(options.help)) {
        std::fputs(qPrintable(options.parser.helpText()), stdout);
        return 0;
    }
    if (const QString problem = Problem(options); !problem.isEmpty())
        return wrong(problem);
    return std::nullopt;
}

QString CEditorApp::GuardSettings()
{
    // Where Qt keeps the user's files: found through settings of a name nobody uses, which have
    // no file to read.
    const QSettings probe(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("dravik-probe"),
                          QStringLiteral("probe"));
    const QFileInfo probeFile(probe.fileName());
    if (!probeFile.isAbsolute()) // the Windows registry: not a file
        return {};
    const QString folder = QFileInfo(probeFile.absolutePath()).absolutePath() + u'/';
    const QString suffix = u'.' + probeFile.suffix();
    const QString org = organizationName();
    constexpr uint64_t kMaximumSettingsSize = 1 << 20;
    for (const QString& file : {folder + org + u'/' + applicationName() + suffix, folder + org + suffix}) {
        std::vector<uint8_t> bytes;
        const std::optional<rom::Error> read =
            rom::ReadSideFile(file.toStdString(), kMaximumSettingsSize, bytes);
        if (!read || read->Missing())
            continue;
        static QTemporaryDir scratch; // lives as long as the program
        QSettings::setPath(QSettings::defaultFormat(), QSettings::UserScope, scratch.path());
        return QString::fromStdString(rom::Describe(*read)) + u'\n' +
               tr("这次运行使用默认设置，设置的改动不会保存。请检查这个文件，删除它后重新启动。");
    }
    return {};
}

void CEditorApp::InstallLanguage(QCoreApplication& app, const QStringList& arguments)
{
    i18n::InstallLanguage(app, i18n::ChooseLanguage(i18n::LanguageOption(arguments), RememberedLanguage(),
                                                    i18n::MessagesLocale()));
}

int CEditorApp::Run()
{
    Options options;
    QCommandLineParser& parser = options.parser;
    parser.process(*this); // main has refused a wrong command line before the window system started
    const QStringList args = parser.positionalArguments();

    if (parser.isSet(options.dark)) {
        setStyle(new EditorStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
        setPalette(widgets::DarkPalette());
    }
    PlacedPrompts prompts; // outlives the window
    CEditorDlg window(prompts);
    if (parser.isSet(options.noRecovery))
        window.GetSession().SetRecoveryFolder({});
    QuitAfterFirstPaint quitter;
    if (parser.isSet(options.exitAfterShow))
        window.installEventFilter(&quitter);
    window.show();
    prompts.Watch(&window);
    if (!settingsRefused_.isEmpty())
        prompts.Tell(&window, QMessageBox::Warning, applicationName(), settingsRefused_);
    if (parser.isSet(options.names))
        window.NameSets().Use(parser.value(options.names)); // for this run; a refusal says why
    else
        window.NameSets().UseRemembered();
    // The status line shows the full path, as it does for a file chosen in the dialog.
    if (!args.isEmpty())
        window.OpenFile(QFileInfo(args.first()).absoluteFilePath());
    if (parser.isSet(options.reference))
        window.UseReference(parser.value(options.reference)); // a refusal says why
    prompts.Forget(); // a window hidden later (minimised) must not hold up a question
    return exec();
}

} // namespace dravik::app
