#include "app/ListStyle.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTableView>

#include <algorithm>

#include "widgets/DialogUnits.h"
#include "widgets/MeasuredDelegate.h"

namespace dravik::app {

using widgets::DialogUnits;

namespace {
// Widths in the units of the page layout: an average character is 6 wide.
constexpr int kCharacter = 6;
constexpr int kValueMargin = 15;     // a designed 5-digit column is 45 wide
constexpr int kCodeColumnWidth = 70; // as the designed columns of names; they grow to fit them
} // namespace

std::vector<int> WidthsByColumn(const rom::TableLayout& layout, const std::vector<ColumnWidth>& keyed)
{
    std::vector<int> widths(layout.columns.size(), 0);
    const std::vector<int> values = layout.ValueColumns();
    for (size_t c = 1; c < widths.size(); ++c) {
        const int column = static_cast<int>(c);
        widths[c] = std::find(values.begin(), values.end(), column) == values.end()
                        ? kCodeColumnWidth
                        : kCharacter * static_cast<int>(layout.WidestValue(column).size()) + kValueMargin;
    }
    for (const ColumnWidth& w : keyed) {
        const int column = layout.Column(w.key);
        if (column >= 0 && column < static_cast<int>(widths.size()))
            widths[static_cast<size_t>(column)] = w.width;
    }
    return widths;
}

namespace {
// Ctrl+A in a list selects its rows, although the window gives the same key to a menu command.
class SelectAllKey : public QObject {
public:
    explicit SelectAllKey(QWidget* view) : QObject(view) { view->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
            event->accept(); // delivered to the list as a key press
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

// The list style: full-row selection of rows (Shift and Ctrl choose several), grid lines, selection kept
// visible when the list loses the focus, no editing in place.
void StyleList(QTableView* view, const std::vector<int>& widths, const DialogUnits& du)
{
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    new SelectAllKey(view);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(false); // the list's rows sort on a title click by themselves (ListRows)
    // Every Open fits the name columns to their entries again: each text is laid out only once.
    view->setItemDelegate(new widgets::MeasuredDelegate(view));
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setTabKeyNavigation(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QPalette palette = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view->setPalette(palette);

    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 3);

    // Widths are given for an average character of 6 pixels; they grow with the font like the
    // rest of the window, and never so little that a column title is cut.
    QHeaderView* columns = view->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setSectionsMovable(false);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QFontMetrics fm(columns->font());
    const int margin = 2 * columns->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, columns) + 4;
    const int scale1000 = du.X(4000) / 6; // average character width / 6, in thousandths
    for (int c = 0; c < view->model()->columnCount() && c < static_cast<int>(widths.size()); ++c) {
        const QString title = view->model()->headerData(c, Qt::Horizontal).toString();
        const int width = (widths[static_cast<size_t>(c)] * scale1000 + 500) / 1000;
        columns->resizeSection(c, std::max(width, fm.horizontalAdvance(title) + margin));
    }
}

// Columns that show names grow to their longest entry as far as the list allows: a list built
// to scroll sideways (its columns but the last already wider than the list) lets each grow up to
// the list's width; any other list only into its unused width, so that its last column stays in
// view. What still does not fit is read in the cell's tool tip.
void FitNameColumns(QTableView* view, const rom::Table& table)
{
    QHeaderView* header = view->horizontalHeader();
    int used = 0;
    for (int c = 0; c < table.Columns(); ++c)
        used += header->sectionSize(c);
    const bool scrollsDown = table.Rows() * view->verticalHeader()->defaultSectionSize() + header->height() >
                             view->maximumViewportSize().height();
    const int room =
        view->maximumViewportSize().width() -
        (scrollsDown ? view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view) : 0);
    const bool scrollsSideways = used - header->sectionSize(table.Columns() - 1) > room;
    const std::vector<int> values = table.Layout().ValueColumns();
    for (int c = 0; c < table.Columns(); ++c) {
        if (std::find(values.begin(), values.end(), c) != values.end())
            continue;
        const int width = header->sectionSize(c);
        const int most = scrollsSideways ? room : width + room - used;
        if (most <= width)
            continue; // no room to grow into: nothing to measure
        // The item delegate's own measure of the column's entries, margins and grid line included.
        const int needed = static_cast<QAbstractItemView*>(view)->sizeHintForColumn(c);
        const int grow = std::min(needed, most) - width;
        if (grow > 0) {
            header->resizeSection(c, width + grow);
            used += grow;
        }
    }
}

RowKeys::RowKeys(QTableView* view, bool withF2, std::function<void()> act)
    : QObject(view), withF2_(withF2), act_(std::move(act))
{
    view->installEventFilter(this);
}

bool RowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool f2 = withF2_ && key->key() == Qt::Key_F2;
    if ((!enter && !f2) || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (!key->isAutoRepeat())
        act_();
    return true;
}

} // namespace dravik::app
