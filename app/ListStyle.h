#pragma once
// How the window's lists look and behave: the list style, column widths from the page layout (or a
// column's declaration), name columns fitted to their entries, and the keys that act on a list's
// current row.
#include <QObject>

#include <functional>
#include <vector>

#include "app/PageLayout.h"
#include "rom/Table.h"

class QTableView;

namespace dravik::widgets {
class DialogUnits;
}

namespace dravik::app {

// The widths of a list's columns in column order: as keyed (the page layout's design), and for a
// column the design does not name, from its declaration: a value column room for the widest number
// it holds, a column of names as much as the designed ones (FitNameColumns grows it to its names).
std::vector<int> WidthsByColumn(const rom::TableLayout& layout, const std::vector<ColumnWidth>& keyed);

// Full-row selection of rows (Shift and Ctrl choose several, Ctrl+A all), grid lines, selection kept visible
// when the list loses the focus, no editing in place; column widths given for an average
// character of 6 pixels, grown with the font.
void StyleList(QTableView* view, const std::vector<int>& widths, const widgets::DialogUnits& du);

// Columns that show names grow to their longest entry as far as the list allows.
void FitNameColumns(QTableView* view, const rom::Table& table);

// A row's keys on a list: Enter (and F2 where it opens an editor) act on the current row as a
// click or double-click does. The key stops here, so it never reaches the window.
class RowKeys : public QObject {
public:
    RowKeys(QTableView* view, bool withF2, std::function<void()> act);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool withF2_;
    std::function<void()> act_;
};

} // namespace dravik::app
