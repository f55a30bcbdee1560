// Renders the main window (start state, the seven pages and the picture with an image loaded, the
// picture also in a larger window), the About box, the user guide, the base converter, every row
// editor and the chart window to PNG files, offscreen:
//   dravik-screenshots [--lang zh|en] SAMPLE.smc OUTDIR
// in the language the editor would choose (--lang, else the locale).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QMenu>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CAboutDlg.h"
#include "app/CEditorApp.h"
#include "app/CEditorDlg.h"
#include "app/ChartPanel.h"
#include "app/DiffDialog.h"
#include "app/Session.h"
#include "editors/RowEditing.h"
#include "rom/SampleImage.h"
#include "support/ScriptedUser.h"
#include "tools/CBaseConvDlg.h"
#include "widgets/DialogUnits.h"
#include "widgets/Marks.h"

namespace {

using dravik::app::CEditorDlg;

bool Save(QWidget& widget, const QDir& dir, const QString& name)
{
    widget.show();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    const int lang = args.indexOf(QStringLiteral("--lang"));
    if (lang > 0)
        args.remove(lang, 2);
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: dravik-screenshots [--lang zh|en] SAMPLE.smc OUTDIR\n");
        return 2;
    }
    // The recent list this run writes and the remembered language stay out of the user's settings.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setDefaultFormat(QSettings::IniFormat);

    app.setFont(dravik::widgets::EditorFont());
    dravik::app::CEditorApp::InstallLanguage(app, app.arguments());
    std::printf("font: %s\n", qPrintable(QFontInfo(app.font()).family()));

    const QDir dir(args[2]);
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args[2]));
        return 1;
    }

    dravik::test::ScriptedUser user; // nothing here waits for a click
    CEditorDlg window(user);
    bool ok = Save(window, dir, QStringLiteral("window-0-start"));
    // The picture grows with a window larger than designed.
    const QSize designed = window.size();
    const auto saveLarger = [&](const QString& name) {
        window.resize(designed + QSize(200, 120));
        const bool saved = Save(window, dir, name);
        window.resize(designed);
        return saved;
    };
    ok = saveLarger(QStringLiteral("window-0-start-larger")) && ok;
    if (!window.OpenFile(QFileInfo(args[1]).absoluteFilePath())) {
        for (const dravik::test::Prompt& p : user.Asked())
            std::fprintf(stderr, "%s\n", qPrintable(p.text));
        return 1;
    }
    for (int page = 1; page <= 7; ++page) {
        window.ShowPage(page);
        ok = Save(window, dir, QStringLiteral("window-%1-page").arg(page)) && ok;
    }
    window.ShowPage(0); // the picture without its hint to open a file
    ok = Save(window, dir, QStringLiteral("window-0-open")) && ok;
    ok = saveLarger(QStringLiteral("window-0-open-larger")) && ok;

    {
        // 文件 with 最近打开的文件 open, over a list of three images (only the first exists).
        const QString sample = QFileInfo(args[1]).absoluteFilePath();
        const QString folder = QFileInfo(sample).absolutePath();
        QSettings().setValue(QStringLiteral("recentFiles"),
                             QStringList{sample, folder + QStringLiteral("/mod-v2.smc"),
                                         QStringLiteral("/home/user/roms/original.sfc")});
        auto* recent = window.findChild<QMenu*>(QStringLiteral("menuRecentFiles"));
        auto* file = qobject_cast<QMenu*>(recent->parent());
        file->popup(window.mapToGlobal(QPoint(0, 0)));
        file->setActiveAction(recent->menuAction());
        recent->popup(file->mapToGlobal(file->actionGeometry(recent->menuAction()).topRight()));
        ok = Save(*file, dir, QStringLiteral("menu-file")) && ok;
        ok = Save(*recent, dir, QStringLiteral("menu-recent")) && ok;
        recent->hide();
        file->hide();
    }

    dravik::app::CAboutDlg about(window.GetSession().NamesSummary(), &window);
    ok = Save(about, dir, QStringLiteral("about")) && ok;
    about.close();
    // The user guide (F1) of the interface's language, found beside the program or in the sources.
    user.AnswerModal([&](QDialog& guide) { ok = Save(guide, dir, QStringLiteral("user-guide")) && ok; });
    window.OnUserGuide();
    dravik::tools::CBaseConvDlg converter(&window);
    ok = Save(converter, dir, QStringLiteral("base-converter")) && ok;
    converter.close();
    {
        // The comparison list, against an image with a few changed fields and bytes.
        const dravik::rom::Bytes a = dravik::rom::MakeSampleImage(1);
        dravik::rom::Bytes b = a;
        for (uint32_t at :
             {0xC0200u, 0xC0BFCu, 0xC3BC4u + 16 * 5 + 7, 0xC8201u + 12, 0x100u, 0x101u, 0x8000u})
            b[at] ^= 0x21;
        dravik::app::DiffDialog diff(dravik::rom::DiffImages(a, b), QStringLiteral("sample.smc"),
                                     QStringLiteral("other.smc"), &window);
        ok = Save(diff, dir, QStringLiteral("compare")) && ok;
        diff.close();
    }

    // Row 0 of every table with a row editor, and the monster whose attacks come from the
    // other attack list.
    std::vector<std::pair<std::string, int>> shots;
    for (const dravik::rom::Table& table : window.GetSession().Document().GetModel().Tables())
        if (dravik::editors::HasRowEditor(table.Id()))
            shots.emplace_back(table.Id(), 0);
    shots.emplace_back("monsters", 47);
    for (const auto& [id, row] : shots) {
        const dravik::rom::Table& table = window.GetSession().Document().GetModel().Get(id);
        std::unique_ptr<QDialog> editor = dravik::editors::CreateRowEditor(&window, table, row);
        if (!editor)
            continue;
        ok =
            Save(*editor, dir, QStringLiteral("editor-%1-%2").arg(QString::fromStdString(id)).arg(row)) && ok;
        editor->close();
    }

    {
        // The chart window: the monsters' HP as bars against the image as it was before a few
        // edits (the reference), a row selected; as a line and as a scatter; the bars again in
        // the dark palette.
        const QString reference = settings.filePath(QStringLiteral("reference.smc"));
        QFile::copy(QFileInfo(args[1]).absoluteFilePath(), reference);
        window.UseReference(reference);
        dravik::app::Session& session = window.GetSession();
        const dravik::rom::Table& monsters = session.Document().GetModel().Get("monsters");
        const int hp = monsters.Layout().Column("hp"), attack = monsters.Layout().Column("attack");
        dravik::rom::Edit edit("monsters");
        for (int row : {12, 40, 41, 90})
            edit.SetCell(row, hp, std::to_string(std::stoi(monsters.Cell(row, hp)) * 3 / 2 + 100));
        session.Apply(edit, QStringLiteral("HP"));
        using Kind = dravik::app::ChartPanel::Kind;
        dravik::app::ChartPanel* chart = window.OnChart();
        if (!chart) {
            for (const dravik::test::Prompt& p : user.Asked())
                std::fprintf(stderr, "%s\n", qPrintable(p.text));
            return 1;
        }
        chart->Choose(QStringLiteral("monsters"), Kind::Bars, hp);
        chart->ClickRow(40);
        ok = Save(*chart->Widget(), dir, QStringLiteral("chart-bars")) && ok;
        chart->Choose(QStringLiteral("monsters"), Kind::Line, hp);
        ok = Save(*chart->Widget(), dir, QStringLiteral("chart-line")) && ok;
        chart->Choose(QStringLiteral("monsters"), Kind::Scatter, hp, attack);
        ok = Save(*chart->Widget(), dir, QStringLiteral("chart-scatter")) && ok;
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(dravik::widgets::DarkPalette());
        chart->Choose(QStringLiteral("monsters"), Kind::Bars, hp);
        ok = Save(*chart->Widget(), dir, QStringLiteral("chart-bars-dark")) && ok;
        chart->Choose(QStringLiteral("monsters"), Kind::Scatter, hp, attack);
        ok = Save(*chart->Widget(), dir, QStringLiteral("chart-scatter-dark")) && ok;
    }
    return ok ? 0 : 1;
}
