#include "app/ChartWindow.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <QXYSeries>

#include <algorithm>
#include <cmath>

namespace dravik::app {

ChartWindow::ChartWindow(ChartSource& source, QWidget* parent) : QWidget(parent, Qt::Window), source_(source)
{
    setObjectName(QStringLiteral("ChartWindow"));
    setWindowTitle(tr("图表"));
    // Made in the order the Tab key visits them.
    table_ = new QComboBox(this);
    table_->setObjectName(QStringLiteral("chartTable"));
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("chartKind"));
    kind_->addItems({tr("柱状图"), tr("折线图"), tr("散点图")});
    column_ = new QComboBox(this);
    column_->setObjectName(QStringLiteral("chartColumn"));
    second_ = new QComboBox(this);
    second_->setObjectName(QStringLiteral("chartSecondColumn"));
    auto* png = new QPushButton(tr("导出 PNG…"), this);
    png->setObjectName(QStringLiteral("exportPng"));
    auto* svg = new QPushButton(tr("导出 SVG…"), this);
    svg->setObjectName(QStringLiteral("exportSvg"));
    chart_ = new QChart;
    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("chartView"));
    view_->setAccessibleName(tr("图表"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(640, 360);
    view_->installEventFilter(this); // the arrow keys step from row to row
    line_ = new QLabel(this);
    line_->setObjectName(QStringLiteral("chartDescription"));
    line_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* choosers = new QHBoxLayout;
    for (auto [label, box] : {std::pair{tr("表(&T)："), table_}, std::pair{tr("图(&K)："), kind_},
                              std::pair{tr("列(&C)："), column_}, std::pair{tr("第二列(&Y)："), second_}}) {
        auto* text = new QLabel(label, this);
        text->setBuddy(box);
        choosers->addWidget(text);
        choosers->addWidget(box);
    }
    choosers->addStretch();
    choosers->addWidget(png);
    choosers->addWidget(svg);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choosers);
    layout->addWidget(view_, 1);
    layout->addWidget(line_);
    // As large as designed, or as the screen has room for (with the title bar the window manager
    // adds): a window larger than its screen could not be moved or closed.
    QSize size(960, 600);
    if (const QScreen* screen = parent ? parent->screen() : this->screen())
        size = size.boundedTo(screen->availableGeometry().size() -
                              QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this)));
    resize(size);

    connect(table_, &QComboBox::currentIndexChanged, this, [this] {
        FillColumns();
        Build();
    });
    for (QComboBox* box : {kind_, column_, second_})
        connect(box, &QComboBox::currentIndexChanged, this, &ChartWindow::Build);
    connect(png, &QPushButton::clicked, this,
            [this] { ExportAs(QStringLiteral("PNG (*.png)"), QStringLiteral("png")); });
    connect(svg, &QPushButton::clicked, this,
            [this] { ExportAs(QStringLiteral("SVG (*.svg)"), QStringLiteral("svg")); });
    FillTables();
    Build();
}

QString ChartWindow::TableId() const { return table_->currentData().toString(); }

ChartPanel::Kind ChartWindow::CurrentKind() const
{
    return static_cast<Kind>(std::max(kind_->currentIndex(), 0));
}

void ChartWindow::FillTables()
{
    const QString chosen = TableId();
    tables_ = source_.Tables();
    const QSignalBlocker quiet(table_);
    table_->clear();
    for (const ChartTable& t : tables_)
        table_->addItem(t.title, t.id);
    table_->setCurrentIndex(std::max(table_->findData(chosen), 0));
    FillColumns();
}

// The chosen columns stay chosen when the table is the same.
void ChartWindow::FillColumns()
{
    const int index = table_->currentIndex();
    const bool same = column_->property("table").toString() == TableId();
    const QVariant first = same ? column_->currentData() : QVariant(),
                   second = same ? second_->currentData() : QVariant();
    for (QComboBox* box : {column_, second_}) {
        const QSignalBlocker quiet(box);
        box->clear();
        if (index >= 0)
            for (const ChartColumn& c : tables_[static_cast<size_t>(index)].columns)
                box->addItem(c.title, c.column);
    }
    column_->setProperty("table", TableId());
    const QSignalBlocker quiet(column_), quiet2(second_);
    column_->setCurrentIndex(std::max(column_->findData(first), 0));
    const int other = second_->findData(second);
    second_->setCurrentIndex(other >= 0 ? other : std::min(1, second_->count() - 1));
}

void ChartWindow::Choose(const QString& table, Kind kind, int column, int secondColumn)
{
    {
        const QSignalBlocker quiet(table_), quiet2(kind_);
        table_->setCurrentIndex(table_->findData(table));
        kind_->setCurrentIndex(kind);
        FillColumns();
        const QSignalBlocker quiet3(column_), quiet4(second_);
        column_->setCurrentIndex(column_->findData(column));
        if (secondColumn >= 0)
            second_->setCurrentIndex(second_->findData(secondColumn));
    }
    Build();
}

void ChartWindow::Reload()
{
    FillTables();
    Build();
}

void ChartWindow::TableChanged(const QString& table)
{
    if (table != TableId() || !(bars_ || points_))
        return;
    UpdateValues(false);
    UpdateRanges();
    FollowSelection(); // the line under the chart may show a value that changed
}

void ChartWindow::SelectionChanged(const QString& table)
{
    if (table == TableId())
        FollowSelection();
}

// The rows selected in the list are highlighted; the line under the chart words the current one.
void ChartWindow::FollowSelection()
{
    const QString id = TableId();
    const int rows = id.isEmpty() ? 0 : source_.Rows(id);
    QList<int> selected;
    if (bars_ || points_)
        for (const int r : source_.SelectedRows(id))
            if (r >= 0 && r < rows)
                selected << r;
    if (bars_) {
        bars_->deselectAllBars();
        bars_->selectBars(selected);
    }
    if (points_) {
        points_->deselectAllPoints();
        points_->selectPoints(selected);
    }
    const int current = id.isEmpty() ? -1 : source_.CurrentRow(id);
    description_.clear();
    if (current >= 0 && current < rows && column_->currentIndex() >= 0) {
        const auto cell = [&](const QComboBox* box, bool reference) {
            return source_.Cell(id, current, box->currentData().toInt(), reference);
        };
        const bool scatter = CurrentKind() == Scatter && second_->currentIndex() >= 0;
        description_ = tr("第 %1 行 %2：%3 = %4")
                           .arg(current + 1)
                           .arg(source_.RowName(id, current), column_->currentText(), cell(column_, false));
        if (scatter)
            description_ += tr("，%1 = %2").arg(second_->currentText(), cell(second_, false));
        if (source_.HasReference())
            description_ += scatter ? tr("（参照映像：%1，%2）").arg(cell(column_, true), cell(second_, true))
                                    : tr("（参照映像：%1）").arg(cell(column_, true));
    } else if (rows > 0) {
        description_ = tr("在列表中选择一行，或点击一个柱或点。");
    }
    line_->setText(description_);
    view_->setAccessibleDescription(description_);
}

void ChartWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        Paint();
    QWidget::changeEvent(event);
}

// In the chart, the arrow keys select the row before or after the current one, Home and End the
// first and the last.
bool ChartWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ && event->type() == QEvent::KeyPress && !TableId().isEmpty()) {
        const int rows = source_.Rows(TableId()), current = source_.CurrentRow(TableId());
        int row = -1;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: row = current < 0 ? rows - 1 : current - 1; break;
        case Qt::Key_Right:
        case Qt::Key_Down: row = current + 1; break;
        case Qt::Key_Home: row = 0; break;
        case Qt::Key_End: row = rows - 1; break;
        default: return QWidget::eventFilter(watched, event);
        }
        ClickRow(row);
        view_->setFocus(); // the list shown takes the focus in the main window, this one keeps it
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int ChartWindow::NearestRow(const QXYSeries* series, const QPointF& at) const
{
    const QPointF spot = chart_->mapToPosition(at, const_cast<QXYSeries*>(series));
    int nearest = -1;
    double best = 0;
    for (int i = 0; i < series->count(); ++i) {
        const QPointF d = chart_->mapToPosition(series->at(i), const_cast<QXYSeries*>(series)) - spot;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (nearest < 0 || distance < best) {
            nearest = i;
            best = distance;
        }
    }
    return nearest;
}

void ChartWindow::ShowTip(int row)
{
    const QString id = TableId();
    if (row < 0 || id.isEmpty() || row >= source_.Rows(id) || column_->currentIndex() < 0)
        return;
    QString text = tr("第 %1 行 %2").arg(row + 1).arg(source_.RowName(id, row));
    for (const QComboBox* box : {column_, second_})
        if (box == column_ || CurrentKind() == Scatter)
            text += QStringLiteral("\n%1 = %2")
                        .arg(box->currentText(), source_.Cell(id, row, box->currentData().toInt()));
    QToolTip::showText(QCursor::pos(), text, view_);
}

void ChartWindow::ClickRow(int row)
{
    const QString id = TableId();
    if (row < 0 || id.isEmpty() || row >= source_.Rows(id))
        return;
    source_.SelectRow(id, row);
    FollowSelection();
}

bool ChartWindow::Export(const QString& path, QString& error) const
{
    bool written = false;
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(view_->size());
        svg.setViewBox(QRect(QPoint(), view_->size()));
        svg.setTitle(chart_->title());
        QPainter painter;
        if (painter.begin(&svg)) {
            view_->render(&painter);
            written = painter.end();
        }
    } else {
        written = view_->grab().save(path, "PNG");
    }
    if (!written)
        error = tr("无法写入 %1").arg(QDir::toNativeSeparators(path));
    return written;
}

void ChartWindow::ExportAs(const QString& filter, const QString& extension)
{
    QString path = source_.AskExportPath(this, filter, TableId() + u'.' + extension);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + extension;
    QString error;
    if (!Export(path, error))
        source_.TellFailure(this, error);
}

} // namespace dravik::app

// The chart library's entry point (ChartPanel.h).
extern "C" Q_DECL_EXPORT dravik::app::ChartPanel* DravikMakeChartPanel(dravik::app::ChartSource* source,
                                                                       QWidget* parent)
{
    return new dravik::app::ChartWindow(*source, parent);
}
