#include "app/ChartLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QLibrary>
#include <QPalette>
#include <QTableView>

#include <set>
#include <string>

#include "app/CEditorDlg.h"
#include "app/ListRows.h"
#include "app/PageArea.h"
#include "app/PageLayout.h"
#include "app/Session.h"
#include "app/TableModel.h"
#include "rom/Formula.h"
#include "widgets/Marks.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {

using widgets::Q;

// The chart library's entry point: the library beside the program (a build folder), else where
// an installation puts it (DRAVIK_CHART_LIBRARY_DIR, relative to the program's folder). Loaded
// once; it stays loaded.
MakeChartPanel LoadChartLibrary(QString& error)
{
    static MakeChartPanel make = nullptr;
    if (make)
        return make;
    const QDir programs(QCoreApplication::applicationDirPath());
    QStringList reasons;
    for (const QString& folder :
         {programs.path(), programs.filePath(QStringLiteral(DRAVIK_CHART_LIBRARY_DIR))}) {
        QLibrary library(QDir(folder).filePath(QStringLiteral("dravik_charts")));
        if (library.load()) {
            make = reinterpret_cast<MakeChartPanel>(library.resolve(kMakeChartPanel));
            if (make)
                return make;
        }
        reasons << library.errorString();
    }
    error = reasons.join(u'\n');
    return nullptr;
}

} // namespace

ChartLink::ChartLink(Session& session, PageArea& pages, QWidget* window)
    : QObject(window), session_(session), pages_(pages), window_(window)
{
    connect(&session_, &Session::Changed, this, [this](const rom::Change& change) {
        if (panel_)
            panel_->TableChanged(Q(change.tableId));
    });
    for (auto signal : {&Session::NamesChanged, &Session::ReferenceChanged})
        connect(&session_, signal, this, &ChartLink::Reload);
    // A page's lists are made when it is first shown: the chart follows them from then on.
    connect(&pages_, &PageArea::PageMade, this, [this] {
        if (panel_)
            FollowLists();
    });
}

ChartLink::~ChartLink()
{
    if (panel_)
        delete panel_->Widget(); // it reads the tables through this
}

ChartPanel* ChartLink::Panel(QString& error)
{
    if (!panel_)
        if (const MakeChartPanel make = LoadChartLibrary(error)) {
            panel_ = make(this, window_);
            FollowLists();
        }
    return panel_;
}

void ChartLink::Reload()
{
    if (!panel_)
        return;
    FollowLists();
    panel_->Reload();
}

// Each list tells the chart when its selection changes.
void ChartLink::FollowLists()
{
    for (const QMetaObject::Connection& c : lists_)
        disconnect(c);
    lists_.clear();
    for (const auto& [id, view] : pages_.Lists()) {
        const QString table = Q(pages_.Model(id)->Table().Id());
        const auto tell = [this, table] { panel_->SelectionChanged(table); };
        lists_.push_back(connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, tell));
        lists_.push_back(connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, tell));
    }
}

int ChartLink::ListOf(const QString& table) const
{
    for (const auto& [id, view] : pages_.Lists())
        if (Q(pages_.Model(id)->Table().Id()) == table)
            return id;
    return -1;
}

// The tables shown in lists, in the order of the pages, with their value columns.
std::vector<ChartTable> ChartLink::Tables() const
{
    std::vector<ChartTable> tables;
    std::set<std::string> seen;
    const rom::Model& model = session_.Document().GetModel();
    for (const PageControl& c : PageControls()) {
        const rom::Table* table = c.kind == PageControlKind::List ? model.Find(c.table) : nullptr;
        if (!table || !seen.insert(c.table).second || table->Layout().ValueColumns().empty())
            continue;
        ChartTable chart{Q(table->Id()), widgets::Title(table->Title()), {}};
        for (const int column : table->Layout().ValueColumns())
            chart.columns.push_back({column, widgets::Title(table->ColumnTitle(column))});
        tables.push_back(std::move(chart));
    }
    return tables;
}

int ChartLink::Rows(const QString& table) const
{
    const rom::Table* t =
        session_.IsLoaded() ? session_.Document().GetModel().Find(table.toStdString()) : nullptr;
    return t ? t->Rows() : 0;
}

QString ChartLink::RowName(const QString& table, int row) const
{
    const rom::Table* t = session_.Document().GetModel().Find(table.toStdString());
    return t && row >= 0 && row < t->Rows() ? Q(t->RowLabel(row)) : QString();
}

// The open image's table, or the reference image's; nullptr without one.
const rom::Table* ChartLink::Charted(const QString& table, bool reference) const
{
    const rom::ReferenceImage* image = session_.Marks().Image();
    const rom::Model* model = reference ? (image ? &image->model : nullptr) : &session_.Document().GetModel();
    return model ? model->Find(table.toStdString()) : nullptr;
}

QString ChartLink::Cell(const QString& table, int row, int column, bool reference) const
{
    const rom::Table* t = Charted(table, reference);
    return t && row >= 0 && row < t->Rows() && column > 0 && column < t->Columns() ? Q(t->Cell(row, column))
                                                                                   : QString();
}

double ChartLink::Value(const QString& table, int row, int column, bool reference) const
{
    const rom::Table* t = Charted(table, reference);
    return t ? rom::CellValue(*t, row, column).value_or(0) : 0;
}

bool ChartLink::HasReference() const { return session_.Marks().IsSet(); }

std::vector<int> ChartLink::SelectedRows(const QString& table) const
{
    const int list = ListOf(table);
    return list < 0 ? std::vector<int>{} : pages_.Rows(list)->SelectedTableRows(pages_.Lists().at(list));
}

int ChartLink::CurrentRow(const QString& table) const
{
    const int list = ListOf(table);
    return list < 0 ? -1 : pages_.SelectedRow(list);
}

void ChartLink::SelectRow(const QString& table, int row) { pages_.ShowTableRow(table.toStdString(), row); }

QString ChartLink::AskExportPath(QWidget* over, const QString& filter, const QString& suggested)
{
    widgets::FileQuestion question;
    question.mode = widgets::FileQuestion::Save;
    question.caption = tr("导出图表");
    question.filter = filter;
    question.path = suggested;
    return widgets::Prompts::For(over).ChooseFile(over, question);
}

void ChartLink::TellFailure(QWidget* over, const QString& text)
{
    widgets::Prompts::For(over).Tell(over, QMessageBox::Warning, CEditorDlg::Caption(), text);
}

ChartColours ChartLink::Colours(const QPalette& palette) const
{
    return {widgets::ChartValues(palette), widgets::ChartReference(palette),
            palette.color(QPalette::Highlight)};
}

} // namespace dravik::app
