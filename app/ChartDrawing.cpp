// The chart itself: its series and axes made for the table, the kind and the columns chosen, kept
// to the values the table holds, and coloured after the palette.
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "app/ChartWindow.h"

namespace dravik::app {

namespace {

// At most about this many row names along the axis; the rows between them go unnamed.
constexpr int kAxisLabels = 24;

QColor Mix(const QColor& from, const QColor& to, double share)
{
    const auto part = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(part(from.red(), to.red()), part(from.green(), to.green()), part(from.blue(), to.blue()));
}

// Sets the value axis to span low..high and 0, with a little room above.
void Span(QAbstractAxis* axis, double low, double high)
{
    auto* values = qobject_cast<QValueAxis*>(axis);
    if (!values)
        return;
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high <= low)
        high = low + 1;
    values->setRange(low, high + (high - low) * 0.05);
    values->applyNiceNumbers();
    // Whole numbers where the ticks fall on whole numbers.
    const double step = (values->max() - values->min()) / std::max(values->tickCount() - 1, 1);
    values->setLabelFormat(std::abs(step - std::round(step)) < 1e-9 ? QStringLiteral("%.0f")
                                                                    : QStringLiteral("%.2f"));
}

} // namespace

// What the series show.
std::vector<QPointF> ChartWindow::Points(bool reference) const
{
    std::vector<QPointF> points;
    if (const QBarSet* bars = reference ? nullptr : bars_)
        for (int i = 0; i < bars->count(); ++i)
            points.emplace_back(i, bars->at(i));
    if (const QXYSeries* series = reference ? referencePoints_ : points_)
        for (int i = 0; i < series->count(); ++i)
            points.push_back(series->at(i));
    return points;
}

// What the table holds.
std::vector<QPointF> ChartWindow::Read(bool reference) const
{
    std::vector<QPointF> points;
    const QString id = TableId();
    if (id.isEmpty() || column_->currentIndex() < 0 || (reference && !source_.HasReference()))
        return points;
    const int column = column_->currentData().toInt();
    const bool scatter = CurrentKind() == Scatter && second_->currentIndex() >= 0;
    const int second = second_->currentData().toInt();
    const int rows = source_.Rows(id);
    points.reserve(static_cast<size_t>(std::max(rows, 0)));
    for (int r = 0; r < rows; ++r) {
        const double value = source_.Value(id, r, column, reference);
        points.emplace_back(scatter ? value : r, scatter ? source_.Value(id, r, second, reference) : value);
    }
    return points;
}

// The chart made anew for the table, the kind and the columns chosen.
void ChartWindow::Build()
{
    chart_->removeAllSeries();
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    bars_ = nullptr;
    points_ = referencePoints_ = nullptr;
    values_.clear();
    referenceValues_.clear();
    const Kind kind = CurrentKind();
    second_->setEnabled(kind == Scatter);
    const QString id = TableId();
    const int rows = id.isEmpty() ? 0 : source_.Rows(id);
    chart_->setTitle(QString());
    chart_->legend()->setVisible(false);
    if (rows <= 0 || column_->currentIndex() < 0) {
        FollowSelection();
        return;
    }
    const bool withReference = source_.HasReference();
    const QString title = column_->currentText();
    const QString referenceTitle = tr("%1（参照映像）").arg(title);
    // Over bars the reference is a line; else it is a series of the same kind, drawn first, under
    // the open image's.
    if (kind == Bars) {
        auto* series = new QBarSeries;
        bars_ = new QBarSet(title);
        series->append(bars_);
        connect(series, &QBarSeries::clicked, this, [this](int index) { ClickRow(index); });
        connect(series, &QBarSeries::hovered, this, [this](bool on, int index) {
            if (on)
                ShowTip(index);
        });
        chart_->addSeries(series);
    }
    for (const bool reference : {true, false}) {
        if (reference ? !withReference : kind == Bars)
            continue;
        QXYSeries* series = nullptr;
        if (kind == Scatter) {
            series = new QScatterSeries;
            series->setMarkerSize(9);
        } else {
            series = new QLineSeries;
            series->setPointsVisible(kind == Line); // the selected rows show as points
            series->setMarkerSize(5);
        }
        series->setName(reference ? referenceTitle : title);
        (reference ? referencePoints_ : points_) = series;
        connect(series, &QXYSeries::clicked, this,
                [this, series](const QPointF& at) { ClickRow(NearestRow(series, at)); });
        connect(series, &QXYSeries::hovered, this, [this, series](const QPointF& at, bool on) {
            if (on)
                ShowTip(NearestRow(series, at));
        });
        chart_->addSeries(series);
    }
    QAbstractAxis* x = nullptr;
    if (kind == Scatter) {
        x = new QValueAxis;
        x->setTitleText(title);
    } else {
        // Row names along the axis, every so many when there are more than fit.
        auto* axis = new QCategoryAxis;
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setRange(-0.5, rows - 0.5);
        const int step = std::max(1, (rows + kAxisLabels - 1) / kAxisLabels);
        for (int r = 0; r < rows; r += step)
            axis->append(QStringLiteral("%1 %2").arg(r + 1).arg(source_.RowName(id, r)), r);
        axis->setLabelsAngle(-90);
        x = axis;
    }
    auto* y = new QValueAxis;
    y->setTitleText(kind == Scatter ? second_->currentText() : title);
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart_->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    chart_->legend()->setVisible(withReference);
    chart_->setTitle(kind == Scatter
                         ? tr("%1：%2 与 %3").arg(table_->currentText(), title, second_->currentText())
                         : tr("%1：%2").arg(table_->currentText(), title));
    Paint();
    UpdateValues(false);
    UpdateValues(true);
    UpdateRanges();
    FollowSelection();
}

// The series take the values the table holds now; only the bars and points whose value changed
// are touched, so an edit of a cell costs a pass over one column, not a new chart.
void ChartWindow::UpdateValues(bool reference)
{
    std::vector<QPointF> points = Read(reference);
    std::vector<QPointF>& shown = reference ? referenceValues_ : values_;
    const bool same = shown.size() == points.size();
    if (QBarSet* bars = reference ? nullptr : bars_) {
        if (same && bars->count() == static_cast<int>(points.size())) {
            for (size_t i = 0; i < points.size(); ++i)
                if (points[i] != shown[i])
                    bars->replace(static_cast<int>(i), points[i].y());
        } else {
            QList<qreal> values;
            for (const QPointF& p : points)
                values << p.y();
            bars->remove(0, bars->count());
            bars->append(values);
        }
    }
    if (QXYSeries* series = reference ? referencePoints_ : points_) {
        if (same && series->count() == static_cast<int>(points.size())) {
            for (size_t i = 0; i < points.size(); ++i)
                if (points[i] != shown[i])
                    series->replace(static_cast<int>(i), points[i]);
        } else {
            series->replace(QList<QPointF>(points.begin(), points.end()));
        }
    }
    shown = std::move(points);
}

// The value axes span both series and 0.
void ChartWindow::UpdateRanges()
{
    const QList<QAbstractAxis*> ys = chart_->axes(Qt::Vertical), xs = chart_->axes(Qt::Horizontal);
    if (ys.isEmpty() || xs.isEmpty() || values_.empty())
        return;
    double left = values_[0].x(), right = left, low = values_[0].y(), high = low;
    for (const std::vector<QPointF>* set : {&values_, &referenceValues_})
        for (const QPointF& p : *set) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    Span(ys.first(), low, high);
    if (CurrentKind() == Scatter)
        Span(xs.first(), left, right);
}

// The colours follow the palette: the chart's ground and texts are the window's, the series'
// colours are readable on light and dark grounds alike.
void ChartWindow::Paint()
{
    const QPalette& p = palette();
    const ChartColours colours = source_.Colours(p);
    const QColor ground = p.color(QPalette::Base), text = p.color(QPalette::Text);
    chart_->setBackgroundBrush(ground);
    chart_->setTitleBrush(text);
    chart_->legend()->setLabelColor(text);
    view_->setBackgroundBrush(ground);
    for (QAbstractAxis* axis : chart_->axes()) {
        axis->setLabelsColor(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(Mix(ground, text, 0.6));
        axis->setGridLineColor(Mix(ground, text, 0.18));
    }
    if (bars_) {
        bars_->setColor(colours.values);
        bars_->setBorderColor(colours.values);
        bars_->setSelectedColor(colours.selected);
    }
    for (const auto& [series, colour] :
         {std::pair{points_, colours.values}, {referencePoints_, colours.reference}})
        if (series) {
            series->setColor(colour);
            series->setSelectedColor(colours.selected);
        }
}

} // namespace dravik::app
