#pragma once
// The rows a list shows, over its table model: sorted by a column when the user clicks its title
// (ascending, descending, then the table's own order again) and filtered to the rows whose name
// contains a text. Only the view changes; the table keeps its rows in file order, and whatever
// acts on a row maps the view's row to the table's row through here.
#include <QSortFilterProxyModel>

#include <vector>

class QTableView;

namespace dravik::app {

class TableModel;

class ListRows : public QSortFilterProxyModel {
    Q_OBJECT
public:
    ListRows(TableModel& table, QObject* parent = nullptr);

    // Installs the rows on the view and makes its column titles sort on a click.
    void Show(QTableView* view);

    // The next sort of a column title click: ascending on a new column, then descending, then
    // the table's order.
    void ClickColumn(int column);
    int SortedColumn() const { return sortColumn(); } // -1 in the table's order

    // Only rows whose name (the first column's text) contains text, in any letter case.
    void SetNameFilter(const QString& text);
    QString NameFilter() const { return filter_; }

    // The table's row of a view row (-1 for none), and the view row of a table row (-1 when it
    // is filtered out).
    int TableRow(int viewRow) const;
    int ViewRow(int tableRow) const;
    // The table rows of the view's selection, in file order.
    std::vector<int> SelectedTableRows(const QTableView* view) const;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    TableModel& table_;
    QTableView* view_ = nullptr;
    QString filter_;
};

} // namespace dravik::app
