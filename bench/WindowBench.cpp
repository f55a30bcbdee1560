// The main window: from construction to shown, and Open of the sample image until every list
// holds its values and the shown page has been painted.
#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

#include "app/CEditorDlg.h"
#include "app/NameSetPicker.h"
#include "names/NameSet.h"
#include "rom/SampleImage.h"
#include "support/ScriptedUser.h"
#include "support/TestImage.h"
#include "widgets/DialogUnits.h"

using namespace dravik;

namespace {

void ShowWindow()
{
    app::CEditorDlg window;
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.isVisible());
}

} // namespace

// The first window of the process also pays for loading the fonts and the style.
static void BM_FirstWindowShown(benchmark::State& state)
{
    QApplication::setFont(widgets::EditorFont());
    for (auto _ : state)
        ShowWindow();
}
BENCHMARK(BM_FirstWindowShown)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_WindowShown(benchmark::State& state)
{
    QApplication::setFont(widgets::EditorFont());
    for (auto _ : state)
        ShowWindow();
}
BENCHMARK(BM_WindowShown)->Unit(benchmark::kMillisecond);

static void BM_OpenSampleUntilListsFilled(benchmark::State& state)
{
    QApplication::setFont(widgets::EditorFont());
    const test::TempImage image(rom::MakeSampleImage(1));
    const QString path = QString::fromStdString(image.Path());
    test::ScriptedUser user; // a failed Open must not wait for a click
    app::CEditorDlg window(user);
    window.ShowPage(static_cast<int>(state.range(0)));
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        if (!window.OpenFile(path))
            state.SkipWithError("open failed");
        window.repaint(); // the shown page's list paints its new values
        QApplication::processEvents();
    }
}
// Page 7 (the 152 monsters) is the largest list on screen; page 0 is the picture.
BENCHMARK(BM_OpenSampleUntilListsFilled)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

// Open on the picture page, then the monster page shown: a hidden page's lists are fitted to
// their names when the page is shown, so that cost moves from the Open to the page switch.
static void BM_OpenThenShowMonsterPage(benchmark::State& state)
{
    QApplication::setFont(widgets::EditorFont());
    const test::TempImage image(rom::MakeSampleImage(1));
    const QString path = QString::fromStdString(image.Path());
    test::ScriptedUser user;
    app::CEditorDlg window(user);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.ShowPage(0);
        if (!window.OpenFile(path))
            state.SkipWithError("open failed");
        window.ShowPage(7);
        window.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenThenShowMonsterPage)->Unit(benchmark::kMillisecond);

// Switching the name set with a file open: load the folder, relabel every list, paint the
// monster page.
static void BM_SwitchNameSet(benchmark::State& state)
{
    QApplication::setFont(widgets::EditorFont());
    const test::TempImage image(rom::MakeSampleImage(1));
    test::ScriptedUser user;
    test::NameFolder folder(
        {{"monsters.txt", "甲\n乙\n"}, {"tank_parts.txt", "炮\n"}, {"items.txt", "药\n"}});
    app::CEditorDlg window(user);
    window.ShowPage(7);
    window.show();
    window.OpenFile(QString::fromStdString(image.Path()));
    QApplication::processEvents();
    const QString path = QString::fromStdString(folder.Path());
    for (auto _ : state) {
        if (!window.NameSets().Use(path))
            state.SkipWithError("name set refused");
        window.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SwitchNameSet)->Unit(benchmark::kMillisecond);
