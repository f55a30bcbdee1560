// The chart window over the 152 monsters: a chart built and drawn into an offscreen picture, for
// each kind; and one edit of a monster's HP with the chart open against the same edit without it
// (the difference is what the chart's update costs).
#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include "app/CEditorDlg.h"
#include "app/ChartPanel.h"
#include "app/Session.h"
#include "rom/SampleImage.h"
#include "support/ScriptedUser.h"
#include "support/TestImage.h"
#include "widgets/DialogUnits.h"

using namespace dravik;

namespace {

struct ChartedWindow {
    test::TempImage image{rom::MakeSampleImage(1)};
    test::ScriptedUser user; // a failed Open must not wait for a click
    app::CEditorDlg window{user};
    app::ChartPanel* chart = nullptr;
    int hp = 0, attack = 0;

    explicit ChartedWindow(bool withChart)
    {
        QApplication::setFont(widgets::EditorFont());
        window.show();
        if (!window.OpenFile(QString::fromStdString(image.Path())))
            return;
        const rom::Table& monsters = window.GetSession().Document().GetModel().Get("monsters");
        hp = monsters.Layout().Column("hp");
        attack = monsters.Layout().Column("attack");
        chart = withChart ? window.OnChart() : nullptr;
        QApplication::processEvents();
    }
};

} // namespace

static void BM_ChartOfMonstersDrawn(benchmark::State& state)
{
    ChartedWindow w(true);
    if (!w.chart) {
        state.SkipWithError("no chart");
        return;
    }
    QPixmap picture(w.chart->Widget()->size());
    const auto kind = static_cast<app::ChartPanel::Kind>(state.range(0));
    for (auto _ : state) {
        w.chart->Choose(QStringLiteral("monsters"), kind, w.hp, w.attack);
        w.chart->Widget()->render(&picture);
    }
}
// Bars, a line, a scatter.
BENCHMARK(BM_ChartOfMonstersDrawn)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

static void BM_MonsterEdited(benchmark::State& state)
{
    ChartedWindow w(state.range(0) != 0);
    if (state.range(0) != 0 && !w.chart) {
        state.SkipWithError("no chart");
        return;
    }
    if (w.chart)
        w.chart->Choose(QStringLiteral("monsters"), app::ChartPanel::Bars, w.hp);
    int value = 0;
    for (auto _ : state) {
        value = (value + 1) % 1000;
        w.window.GetSession().Apply(rom::Edit("monsters").SetCell(3, w.hp, std::to_string(value)),
                                    QStringLiteral("HP"));
    }
}
// Without and with the chart of the monsters' HP open.
BENCHMARK(BM_MonsterEdited)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
