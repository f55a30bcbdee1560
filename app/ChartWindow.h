#pragma once
// 图表 (Ctrl+G): one numeric column of a table as bars or a line across its rows, or two columns
// as a scatter of its rows, with the reference image's values as a second series when one is set.
// It follows the document (every edit, undo, paste, formula, name set) and the list's selection:
// the selected rows are highlighted, and a click on a bar or point selects its row in the list.
// The line under the chart says the current row's name and values in words.
//
// Built into the chart library (see ChartPanel.h): it knows the editor only through its source.
#include <QWidget>

#include <vector>

#include "app/ChartPanel.h"

class QAbstractAxis;
class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QXYSeries;

namespace dravik::app {

class ChartWindow : public QWidget, public ChartPanel {
    Q_OBJECT
public:
    ChartWindow(ChartSource& source, QWidget* parent);

    QWidget* Widget() override { return this; }
    void TableChanged(const QString& table) override;
    void Reload() override;
    void SelectionChanged(const QString& table) override;
    void Choose(const QString& table, Kind kind, int column, int secondColumn) override;
    std::vector<QPointF> Points(bool reference) const override;
    void ClickRow(int row) override;
    bool Export(const QString& path, QString& error) const override;
    QString Description() const override { return description_; }

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString TableId() const;
    Kind CurrentKind() const;
    std::vector<QPointF> Read(bool reference) const;
    void FillTables();
    void FillColumns();
    void Build();
    void UpdateValues(bool reference);
    void UpdateRanges();
    void FollowSelection();
    void Paint();
    int NearestRow(const QXYSeries* series, const QPointF& at) const;
    void ShowTip(int row);
    void ExportAs(const QString& filter, const QString& extension);

    ChartSource& source_;
    std::vector<ChartTable> tables_;
    QComboBox* table_;
    QComboBox* kind_;
    QComboBox* column_;
    QComboBox* second_;
    QChartView* view_;
    QChart* chart_;
    QLabel* line_;
    QString description_;
    // The series shown: bars or points, and the reference's when one is set.
    QBarSet* bars_ = nullptr;
    QXYSeries* points_ = nullptr;
    QXYSeries* referencePoints_ = nullptr;
    std::vector<QPointF> values_, referenceValues_;
};

} // namespace dravik::app
