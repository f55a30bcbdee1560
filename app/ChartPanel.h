#pragma once
// The two sides of the 图表 window. The window lives in a library of its own (with Qt Charts and
// Qt Svg), loaded the first time it is asked for, so that an editor that never shows a chart
// never loads them. The two sides meet only here: the window reads the tables and answers the
// user through a ChartSource, and the editor tells it what changed through a ChartPanel. Both
// are interfaces of virtual functions over Qt types, so neither side links the other's code.
#include <QColor>
#include <QPointF>
#include <QString>

#include <vector>

class QPalette;
class QWidget;

namespace dravik::app {

struct ChartColumn {
    int column; // its position in the table
    QString title;
};

// A table with rows to chart: its id, its title and the columns that hold numbers.
struct ChartTable {
    QString id;
    QString title;
    std::vector<ChartColumn> columns;
};

struct ChartColours {
    QColor values;    // the open image's series
    QColor reference; // the reference image's series
    QColor selected;  // the bars and points of the selected rows
};

// What the editor gives the chart window.
class ChartSource {
public:
    virtual std::vector<ChartTable> Tables() const = 0;
    // 0 while no file is open.
    virtual int Rows(const QString& table) const = 0;
    virtual QString RowName(const QString& table, int row) const = 0;
    // A cell's text in the open image, or in the reference image (empty without one).
    virtual QString Cell(const QString& table, int row, int column, bool reference = false) const = 0;
    // The number a value cell holds, read as Save reads it; 0 for a text that is no number.
    virtual double Value(const QString& table, int row, int column, bool reference = false) const = 0;
    virtual bool HasReference() const = 0;
    // The rows selected in the table's list, in table order, and its current row (-1 for none).
    virtual std::vector<int> SelectedRows(const QString& table) const = 0;
    virtual int CurrentRow(const QString& table) const = 0;
    // Shows the row in its list, selected, however the list is sorted or filtered.
    virtual void SelectRow(const QString& table, int row) = 0;
    // The file to export to (empty when the user cancelled), and a failure told to the user.
    virtual QString AskExportPath(QWidget* over, const QString& filter, const QString& suggested) = 0;
    virtual void TellFailure(QWidget* over, const QString& text) = 0;
    virtual ChartColours Colours(const QPalette& palette) const = 0;

protected:
    ~ChartSource() = default;
};

// What the editor tells the chart window, and what tests and the keyboard ask of it.
class ChartPanel {
public:
    enum Kind { Bars, Line, Scatter };

    virtual ~ChartPanel() = default;
    virtual QWidget* Widget() = 0;

    // The values of one table changed (an edit, undo, redo, paste, formula).
    virtual void TableChanged(const QString& table) = 0;
    // Everything may have changed: another file, none, another name set or reference.
    virtual void Reload() = 0;
    // The selection of the table's list changed.
    virtual void SelectionChanged(const QString& table) = 0;

    // Shows a table's column (for a scatter, against a second column) by the columns' positions.
    virtual void Choose(const QString& table, Kind kind, int column, int secondColumn = -1) = 0;
    // The points charted, one a row in table order: (row, value), or the two values for a
    // scatter; of the reference image's series with reference (empty without one).
    virtual std::vector<QPointF> Points(bool reference = false) const = 0;
    // What a click on the bar or point of this table row does.
    virtual void ClickRow(int row) = 0;
    // Writes the chart as a picture, PNG or SVG by the file's extension; false with the reason.
    virtual bool Export(const QString& path, QString& error) const = 0;
    // The line under the chart: the current row's name and values.
    virtual QString Description() const = 0;
};

// The one entry point of the chart library, by this name: a new chart window over source, a
// window of its own beside parent. The caller keeps source alive as long as the window.
using MakeChartPanel = ChartPanel* (*)(ChartSource* source, QWidget* parent);
inline constexpr char kMakeChartPanel[] = "DravikMakeChartPanel";

} // namespace dravik::app
