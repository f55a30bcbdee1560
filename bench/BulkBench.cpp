// Bulk changes of a whole table: a formula over all 152 monster rows, previewed and applied (with
// the undo of the one change), and a paste of the whole monster table with every HP changed.
#include <benchmark/benchmark.h>

#include "rom/Formula.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "rom/TableText.h"
#include "support/TestImage.h"

using namespace dravik;

namespace {
struct Monsters {
    test::TempImage file{rom::MakeSampleImage(1)};
    rom::RomDocument doc;
    std::vector<int> rows;
    int hp = -1;

    Monsters()
    {
        doc.Open(file.Path());
        const rom::Table& t = Table();
        for (int row = 0; row < t.Rows(); ++row)
            rows.push_back(row);
        hp = t.Layout().Column("hp");
    }
    const rom::Table& Table() const { return doc.GetModel().Get("monsters"); }
};
} // namespace

static void BM_BulkFormulaPreview(benchmark::State& state)
{
    Monsters m;
    for (auto _ : state) {
        const rom::BulkPlan plan = rom::PlanBulk(m.Table(), m.hp, m.rows, "min(round(x*1.2), 4095)");
        if (!plan.Ok())
            state.SkipWithError("the formula does not fit");
        benchmark::DoNotOptimize(plan.rows.data());
    }
}
BENCHMARK(BM_BulkFormulaPreview)->Unit(benchmark::kMillisecond);

// The preview's edit applied as one change, then undone: two document operations a round.
static void BM_BulkFormulaApplyAndUndo(benchmark::State& state)
{
    Monsters m;
    const rom::BulkPlan plan = rom::PlanBulk(m.Table(), m.hp, m.rows, "min(round(x*1.2), 4095)");
    for (auto _ : state) {
        const rom::Change change = m.doc.Apply(plan.edit);
        m.doc.Replay(change.Reversed());
        if (change.cells.empty())
            state.SkipWithError("nothing changed");
    }
}
BENCHMARK(BM_BulkFormulaApplyAndUndo)->Unit(benchmark::kMillisecond);

// Every row of the table pasted back by name with its HP one higher or lower, checked and applied.
static void BM_PasteWholeTable(benchmark::State& state)
{
    Monsters m;
    rom::Table changed = m.Table();
    for (int row = 0; row < changed.Rows(); ++row) {
        const int hp = std::stoi(changed.Cell(row, m.hp));
        changed.SetCell(row, m.hp, std::to_string(hp > 0 ? hp - 1 : hp + 1));
    }
    const std::string text = rom::CopyRows(changed, m.rows);
    for (auto _ : state) {
        const rom::PastePlan plan = rom::PlanPaste(m.Table(), text, 0, 1);
        if (!plan.Ok())
            state.SkipWithError("the paste was refused");
        const rom::Change change = m.doc.Apply(plan.edit);
        m.doc.Replay(change.Reversed());
    }
}
BENCHMARK(BM_PasteWholeTable)->Unit(benchmark::kMillisecond);
