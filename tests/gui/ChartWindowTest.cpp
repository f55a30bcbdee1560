// The chart window, loaded from its library: its series are the column's values after every kind
// of change, the reference is a second series, a click on a bar selects its row however the list
// is sorted or filtered, and it exports PNG and SVG through the file prompt.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>

#include <numeric>

#include "WindowFixture.h"
#include "app/ChartPanel.h"
#include "rom/Formula.h"

namespace dravik::test {
namespace {

using Kind = app::ChartPanel::Kind;

// (row, value), or (value, second value) for a scatter: what the chart must show of a table.
std::vector<QPointF> Expected(const rom::Table& t, int column, int second, bool scatter)
{
    std::vector<QPointF> points;
    for (int r = 0; r < t.Rows(); ++r) {
        const double value = std::stod(t.Cell(r, column));
        points.emplace_back(scatter ? value : r, scatter ? std::stod(t.Cell(r, second)) : value);
    }
    return points;
}

TEST_F(WindowTest, AChartFollowsEveryChangeAndItsReferenceAndAClickSelectsTheRowInTheSortedFilteredList)
{
    Load();
    app::Session& session = window->GetSession();
    const rom::Table& monsters = session.Document().GetModel().Get("monsters");
    const int hp = monsters.Layout().Column("hp");
    const int second = monsters.Layout().ValueColumns().back();
    app::ChartPanel* chart = window->OnChart();
    ASSERT_NE(chart, nullptr) << (user.Asked().empty() ? "" : user.Asked().back().text.toStdString());
    std::vector<int> all(static_cast<size_t>(monsters.Rows()));
    std::iota(all.begin(), all.end(), 0);
    for (const Kind kind : {Kind::Bars, Kind::Line, Kind::Scatter}) {
        SCOPED_TRACE(kind);
        const bool scatter = kind == Kind::Scatter;
        chart->Choose(QStringLiteral("monsters"), kind, hp, second);
        EXPECT_EQ(chart->Points(), Expected(monsters, hp, second, scatter));
        for (const auto& change : std::vector<std::function<void()>>{
                 [&] { session.Apply(rom::Edit("monsters").SetCell(3, hp, "77"), QStringLiteral("edit")); },
                 [&] { UndoStack()->undo(); }, [&] { UndoStack()->redo(); },
                 [&] {
                     session.Apply(rom::PlanBulk(monsters, hp, all, "x*2+1").edit, QStringLiteral("formula"));
                 }}) {
            change();
            EXPECT_EQ(chart->Points(), Expected(monsters, hp, second, scatter));
        }
        EXPECT_TRUE(chart->Points(true).empty());
    }

    TempImage referenceFile(Sample(2), "original.smc");
    ASSERT_TRUE(window->UseReference(QString::fromStdString(referenceFile.Path())));
    rom::Model reference;
    rom::LoadTables(Sample(2), reference);
    chart->Choose(QStringLiteral("monsters"), Kind::Bars, hp);
    EXPECT_EQ(chart->Points(true), Expected(reference.Get("monsters"), hp, hp, false));
    EXPECT_EQ(chart->Points(), Expected(monsters, hp, hp, false)); // the series made anew

    // Sorted by HP and filtered to the first row's name, the list still gets the row clicked,
    // and the chart highlights it and words it.
    QTableView* list = List(1058);
    emit list->horizontalHeader()->sectionClicked(hp);
    Action("actionFilterRows")->trigger();
    Child<QLineEdit>(QStringLiteral("filter1058"))->setText(QString::fromStdString(monsters.RowLabel(0)));
    auto* series = qobject_cast<QBarSeries*>(
        chart->Widget()->findChild<QChartView*>(QStringLiteral("chartView"))->chart()->series().value(0));
    ASSERT_NE(series, nullptr);
    QBarSet* bars = series->barSets().value(0);
    for (const int row : {7, 2}) {
        chart->ClickRow(row);
        const auto* rows = qobject_cast<QAbstractProxyModel*>(list->model());
        EXPECT_EQ(rows->mapToSource(list->currentIndex()).row(), row);
        EXPECT_TRUE(bars->isBarSelected(row));
        EXPECT_FALSE(bars->isBarSelected(row == 7 ? 2 : 7));
        EXPECT_TRUE(chart->Description().contains(QString::fromStdString(monsters.RowLabel(row))));
    }

    // A list made after the chart opened (its page not shown until now) tells the chart the row
    // chosen in it.
    chart->Choose(QStringLiteral("drinks"), Kind::Bars, 1);
    auto* drinks = qobject_cast<QBarSeries*>(
        chart->Widget()->findChild<QChartView*>(QStringLiteral("chartView"))->chart()->series().value(0));
    ASSERT_NE(drinks, nullptr);
    List(1048)->selectRow(2);
    EXPECT_TRUE(drinks->barSets().value(0)->isBarSelected(2));

    // Both kinds of picture, through the file prompt; a folder that does not exist is told.
    for (const char* name : {"chart.png", "chart.svg", "none/chart.png"}) {
        SCOPED_TRACE(name);
        const QString path = dataFolder.filePath(QString::fromUtf8(name));
        const bool png = path.endsWith(QStringLiteral("png"));
        user.Clear();
        user.AnswerFile(path);
        chart->Widget()
            ->findChild<QPushButton*>(png ? QStringLiteral("exportPng") : QStringLiteral("exportSvg"))
            ->click();
        QFile file(path);
        if (QByteArray(name).startsWith("none")) {
            ASSERT_EQ(user.Asked(Prompt::Message).size(), 1u);
            EXPECT_TRUE(user.Asked(Prompt::Message)[0].text.contains(QStringLiteral("chart.png")));
            continue;
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(64).contains(png ? "PNG" : "<?xml"));
        EXPECT_EQ(user.Asked(Prompt::Message).size(), 0u);
    }
}

} // namespace
} // namespace dravik::test
