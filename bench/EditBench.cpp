// The window's edit path: one price "确定" through the document, its undo step, the list's repaint
// and (with recovery on) the record written after it; a bulk formula over every monster applied as
// one step and painted; and the undo of a thousand steps at once.
// Argument 0 runs with recovery off, 1 with records written into a temporary folder.
#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

#include <numeric>

#include <benchmark/benchmark.h>

#include "app/CEditorDlg.h"
#include "app/EditHistory.h"
#include "rom/Formula.h"
#include "rom/SampleImage.h"
#include "support/ScriptedUser.h"
#include "support/TestImage.h"
#include "widgets/DialogUnits.h"
#include "widgets/LineBox.h"

using namespace dravik;

namespace {

// A shown window with the sample open on page; recovery on or off.
struct Session {
    test::TempImage image{rom::MakeSampleImage(1)};
    QTemporaryDir records;
    test::ScriptedUser user; // nothing may wait for a click
    app::CEditorDlg window{user};

    Session(int page, bool recovery)
    {
        QApplication::setFont(widgets::EditorFont());
        window.GetSession().SetRecoveryFolder(recovery ? records.path().toStdString() : std::string());
        window.ShowPage(page);
        window.show();
        Reopen();
    }
    bool Reopen()
    {
        const bool ok = window.OpenFile(QString::fromStdString(image.Path()));
        QApplication::processEvents();
        return ok;
    }
};

// Counts the paints of a widget, to be sure a benchmark's repaint really happened.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

// A price typed into the box below the items list and "确定" pressed: the cell changes, the step
// is pushed, the list repaints its cell and the record is written.
static void BM_EditWithUndoStepAndRepaint(benchmark::State& state)
{
    Session s(5, state.range(0) != 0);
    auto* box = s.window.findChild<widgets::LineBox*>(QStringLiteral("edit1029"));
    auto* ok = s.window.findChild<QPushButton*>(QStringLiteral("button1030"));
    QTableView* list = s.window.findChild<QTableView*>(QStringLiteral("list1028"));
    list->selectRow(2);
    QApplication::processEvents();
    auto* painted = new PaintCounter(list->viewport());
    int n = 0;
    for (auto _ : state) {
        box->SetText(QString::number(100 + (n++ & 1)));
        ok->click();
        QApplication::processEvents(); // the repaint and the record write
    }
    if (s.window.GetSession().History().findChild<QUndoStack*>()->count() != n)
        state.SkipWithError("an edit was not a step");
    if (painted->paints < n)
        state.SkipWithError("the list was not repainted after each edit");
}
BENCHMARK(BM_EditWithUndoStepAndRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 批量修改's 确定 over the HP of all 152 monsters with the monster list in view: the one step
// applied through the session and the changed cells repainted. Each round's undo is not counted.
static void BM_BulkFormulaAppliedAndPainted(benchmark::State& state)
{
    Session s(7, state.range(0) != 0);
    app::Session& session = s.window.GetSession();
    QUndoStack* stack = session.History().findChild<QUndoStack*>();
    const rom::Table& monsters = session.Document().GetModel().Get("monsters");
    std::vector<int> rows(static_cast<size_t>(monsters.Rows()));
    std::iota(rows.begin(), rows.end(), 0);
    const rom::BulkPlan plan =
        rom::PlanBulk(monsters, monsters.Layout().Column("hp"), rows, "min(round(x*1.2), 4095)");
    if (!plan.Ok() || plan.rows.size() != 152)
        state.SkipWithError("the formula does not fit every monster");
    auto* painted = new PaintCounter(s.window.findChild<QTableView*>(QStringLiteral("list1058"))->viewport());
    int unpainted = 0;
    for (auto _ : state) {
        const int paints = painted->paints;
        session.Apply(plan.edit, QStringLiteral("HP = min(round(x*1.2), 4095)"));
        QApplication::processEvents(); // the repaint (and the record written)
        unpainted += painted->paints == paints;
        state.PauseTiming();
        stack->undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (unpainted)
        state.SkipWithError("the list was not repainted after the formula");
}
BENCHMARK(BM_BulkFormulaAppliedAndPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A thousand steps, each one monster cell, undone at once with the monster list in view.
static void BM_UndoThousandEdits(benchmark::State& state)
{
    Session s(7, state.range(0) != 0);
    app::EditHistory& history = s.window.GetSession().History();
    QUndoStack* stack = history.findChild<QUndoStack*>();
    const rom::Table& monsters = s.window.GetSession().Document().GetModel().Get("monsters");
    const std::vector<int> columns = monsters.Layout().ValueColumns();
    auto* painted = new PaintCounter(s.window.findChild<QTableView*>(QStringLiteral("list1058"))->viewport());
    bool unpainted = false;
    for (auto _ : state) {
        state.PauseTiming();
        s.Reopen();
        for (int i = 0; i < 1000; ++i) {
            const int row = i % monsters.Rows();
            const int column = columns[static_cast<size_t>(i / monsters.Rows()) % columns.size()];
            history.Apply(rom::Edit("monsters").SetCell(row, column, "7777"), QStringLiteral("x"));
        }
        QApplication::processEvents();
        if (stack->count() != 1000)
            state.SkipWithError("not a thousand steps");
        const int paints = painted->paints;
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            stack->undo();
        QApplication::processEvents(); // the repaint and the record removed
        unpainted |= painted->paints == paints;
    }
    if (unpainted)
        state.SkipWithError("the list was not repainted");
    if (history.IsModified())
        state.SkipWithError("the undo did not reach the file's state");
}
BENCHMARK(BM_UndoThousandEdits)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
