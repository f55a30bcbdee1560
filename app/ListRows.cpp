#include "app/ListRows.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

#include "app/TableModel.h"
#include "rom/Formula.h"

namespace dravik::app {

ListRows::ListRows(TableModel& table, QObject* parent) : QSortFilterProxyModel(parent), table_(table)
{
    setSourceModel(&table);
    setDynamicSortFilter(true); // an edit or a name set switch moves its row where it now belongs
}

void ListRows::Show(QTableView* view)
{
    view_ = view;
    view->setModel(this);
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, &ListRows::ClickColumn);
}

void ListRows::ClickColumn(int column)
{
    int sortBy = column;
    Qt::SortOrder order = Qt::AscendingOrder;
    if (column == sortColumn()) {
        if (sortOrder() == Qt::AscendingOrder)
            order = Qt::DescendingOrder;
        else
            sortBy = -1;
    }
    sort(sortBy, order);
    if (view_) {
        QHeaderView* header = view_->horizontalHeader();
        header->setSortIndicatorShown(sortBy >= 0);
        header->setSortIndicator(sortBy, order);
        if (view_->currentIndex().isValid())
            view_->scrollTo(view_->currentIndex());
    }
}

void ListRows::SetNameFilter(const QString& text)
{
    if (text == filter_)
        return;
    filter_ = text;
    invalidateRowsFilter();
    if (view_ && view_->currentIndex().isValid())
        view_->scrollTo(view_->currentIndex());
}

int ListRows::TableRow(int viewRow) const
{
    if (viewRow < 0 || viewRow >= rowCount())
        return -1;
    return mapToSource(index(viewRow, 0)).row();
}

int ListRows::ViewRow(int tableRow) const
{
    if (tableRow < 0 || tableRow >= table_.rowCount())
        return -1;
    return mapFromSource(table_.index(tableRow, 0)).row();
}

std::vector<int> ListRows::SelectedTableRows(const QTableView* view) const
{
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.push_back(TableRow(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Value columns sort by their numbers as Save reads them, the others (names) by their text; rows
// that compare equal keep their file order.
bool ListRows::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const rom::Table& table = table_.Table();
    if (table.IsValueColumn(left.column())) {
        const std::optional<double> x = rom::CellValue(table, left.row(), left.column());
        const std::optional<double> y = rom::CellValue(table, right.row(), right.column());
        if (x && y)
            return *x < *y;
        if (x.has_value() != y.has_value())
            return x.has_value(); // numbers before anything else
    }
    const QString a = QString::fromStdString(table.Cell(left.row(), left.column()));
    const QString b = QString::fromStdString(table.Cell(right.row(), right.column()));
    return a.localeAwareCompare(b) < 0;
}

bool ListRows::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return filter_.isEmpty() ||
           QString::fromStdString(table_.Table().Cell(sourceRow, 0)).contains(filter_, Qt::CaseInsensitive);
}

} // namespace dravik::app
