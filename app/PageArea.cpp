#include "app/PageArea.h"

#include <QFrame>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>

#include <algorithm>

#include "app/ListRows.h"
#include "app/ListStyle.h"
#include "app/PageLayout.h"
#include "app/PagePicture.h"
#include "app/Session.h"
#include "app/TableModel.h"
#include "editors/RowEditing.h"
#include "widgets/DialogUnits.h"
#include "widgets/LineBox.h"
#include "widgets/Marks.h"
#include "widgets/StaticText.h"
#include "widgets/Text.h"

namespace dravik::app {

using widgets::DialogUnits;
using widgets::LineBox;
using widgets::Q;

namespace {

// A page's controls are children of the page, which starts at the page area's corner.
QRect PagePixels(const DialogUnits& du, const DuRect& r)
{
    return du.Rect(r.x, r.y, r.width, r.height).translated(-du.X(kPageArea.x), -du.Y(kPageArea.y));
}

} // namespace

PageArea::PageArea(Session& session, QWidget* client, QWidget* window)
    : QObject(window), session_(session), window_(window), du_(client->font())
{
    Build(client);
    connect(&session_, &Session::Changed, this, &PageArea::Changed);
    connect(&session_, &Session::ReferenceChanged, this, &PageArea::RepaintLists);
}

void PageArea::Build(QWidget* client)
{
    const QRect area = du_.Rect(kPageArea.x, kPageArea.y, kPageArea.width, kPageArea.height);

    // The frame around the page area is always there; the pages lie on it and let it show
    // wherever they have no control.
    auto* frame = new QFrame(client);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(area);
    frame_ = frame;
    designedArea_ = area.size();

    pages_ = new QStackedWidget(client);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->setGeometry(area);

    picture_ = new PagePicture(area.size()); // a larger page area shows it larger
    picture_->setObjectName(QStringLiteral("picture1000"));
    pages_->addWidget(picture_);
    for (int n = 1; n <= kPageCount; ++n) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("page%1").arg(n));
        pages_->addWidget(page);
    }
}

void PageArea::MakePage(int page)
{
    if (page < 1 || page > kPageCount || placed_.count(page))
        return;
    QWidget* parent = pages_->widget(page);
    std::vector<std::pair<QWidget*, PageItem>>& placed = placed_[page];
    rom::Model& model = session_.Document().GetModel();
    std::vector<int> lists;
    for (const PageControl& c : PageControls()) {
        if (c.page != page)
            continue;
        QWidget* w = nullptr;
        switch (c.kind) {
        case PageControlKind::List: {
            auto* view = new QTableView(parent);
            auto* tableModel = new TableModel(model.Get(c.table), view);
            tableModel->ShowMarks(&session_.Marks());
            auto* rows = new ListRows(*tableModel, view);
            rows->Show(view);
            view->setObjectName(QStringLiteral("list%1").arg(c.id));
            StyleList(view, WidthsByColumn(tableModel->Table().Layout(), ColumnWidths(c.id)), du_);
            lists_[c.id] = view;
            models_[c.id] = tableModel;
            rows_[c.id] = rows;
            unfitted_.insert(c.id); // fitted as the page is shown
            lists.push_back(c.id);
            if (editors::HasRowEditor(c.table))
                WireRowEditor(c.id);
            w = view;
            break;
        }
        case PageControlKind::Edit: {
            auto* box = new LineBox(parent);
            box->setObjectName(QStringLiteral("edit%1").arg(c.id));
            box->setReadOnly(readOnly_);
            boxes_[c.id] = box;
            if (*c.table) {
                box->SetText(Q(model.Get(c.table).Cell(c.row, 1)));
                WireBoundBox(box, c.table, c.row);
            }
            w = box;
            break;
        }
        case PageControlKind::Button: {
            auto* button = new QPushButton(PageText(c.caption), parent);
            button->setObjectName(QStringLiteral("button%1").arg(c.id));
            buttons_[c.id] = button;
            w = button;
            break;
        }
        case PageControlKind::Group: {
            auto* group = new QGroupBox(PageText(c.caption), parent);
            group->setObjectName(QStringLiteral("group%1").arg(c.id));
            w = group;
            break;
        }
        case PageControlKind::Static: {
            auto* label = new widgets::StaticText(PageText(c.caption), du_.Y(8), parent);
            label->setObjectName(QStringLiteral("static%1").arg(c.id));
            w = label;
            break;
        }
        }
        w->ensurePolished(); // sized by its style before the page first shows it (lists are fitted then)
        const QRect r = PagePixels(du_, c.rect);
        placed.push_back({w, PageItem{c.kind, DuRect{r.x(), r.y(), r.width(), r.height()}}});
    }
    PlacePage(page);
    for (int id : lists) {
        lists_.at(id)->doItemsLayout(); // its header laid out, which fitting its columns counts on
        WireFilter(id);
    }
    for (const PriceEditorDecl& e : PriceEditors())
        if (std::find(lists.begin(), lists.end(), e.list) != lists.end()) {
            WirePriceEditor(e);
            buttons_.at(e.button)->setEnabled(!readOnly_);
        }
    MarkBoundBoxes();
    emit PageMade(parent);
}

void PageArea::PlacePage(int page)
{
    std::vector<std::pair<QWidget*, PageItem>>& placed = placed_.at(page);
    std::vector<PageItem> items;
    for (const auto& [widget, item] : placed)
        items.push_back(item);
    const std::vector<DuRect> rects = StretchPage(items, growX_, growY_);
    for (size_t i = 0; i < placed.size(); ++i)
        placed[i].first->setGeometry(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
}

void PageArea::SetLoaded(bool loaded) { picture_->SetLoaded(loaded); }

void PageArea::Fit(const QRect& area)
{
    frame_->setGeometry(area);
    pages_->setGeometry(area);
    growX_ = std::max(1.0, static_cast<double>(area.width()) / designedArea_.width());
    growY_ = std::max(1.0, static_cast<double>(area.height()) / designedArea_.height());
    for (auto& [page, placed] : placed_)
        PlacePage(page);
    for (auto& [id, view] : lists_)
        unfitted_.insert(id); // a grown list has room for more of its names
    FitNameColumnsOn(pages_->currentWidget());
}

void PageArea::ShowPage(int page)
{
    if (page < 0 || page > kPageCount)
        return;
    MakePage(page);
    FitNameColumnsOn(pages_->widget(page)); // before the page is shown with its old widths
    pages_->setCurrentIndex(page);
    emit PageShown(page);
}

void PageArea::ShowTableRow(const std::string& tableId, int row, int column)
{
    for (const PageControl& c : PageControls()) {
        if (tableId != c.table)
            continue;
        MakePage(c.page);
        if (c.kind == PageControlKind::List && lists_.count(c.id)) {
            ShowPage(c.page);
            QTableView* view = lists_.at(c.id);
            if (rows_.at(c.id)->ViewRow(row) < 0) // filtered out: the whole list again
                HideFilter(c.id);
            // The cell of interest becomes current, so a column far to the right scrolls into view.
            const QModelIndex index = view->model()->index(
                rows_.at(c.id)->ViewRow(row), column < view->model()->columnCount() ? column : 0);
            view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
            view->scrollTo(index);
            view->setFocus();
            return;
        }
        if (c.kind == PageControlKind::Edit && (c.row == row || c.row < 0) && boxes_.count(c.id)) {
            ShowPage(c.page);
            boxes_.at(c.id)->setFocus();
            return;
        }
    }
}

void PageArea::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    for (auto& [id, box] : boxes_)
        box->setReadOnly(readOnly);
    for (const PriceEditorDecl& e : PriceEditors())
        if (buttons_.count(e.button))
            buttons_.at(e.button)->setEnabled(!readOnly);
}

void PageArea::RefreshAll()
{
    for (auto& [id, m] : models_) {
        m->RefreshAll();
        unfitted_.insert(id); // the names shown may have changed
    }
    FitNameColumnsOn(pages_->currentWidget());
    RefreshBoundBoxes();
}

void PageArea::RepaintLists()
{
    for (auto& [id, m] : models_)
        m->RefreshAll();
    MarkBoundBoxes();
}

void PageArea::Detach()
{
    detached_ = true; // the boxes lose their focus as they go
    for (auto& [id, view] : lists_)
        view->setModel(nullptr);
}

// Fitting a list measures every name in it, so a list on a hidden page is fitted only when its
// page is about to be shown: an Open pays for the page in view, not for all seven.
void PageArea::FitNameColumnsOn(const QWidget* page)
{
    for (auto it = unfitted_.begin(); it != unfitted_.end();) {
        QTableView* view = lists_.at(*it);
        if (page && page->isAncestorOf(view)) {
            FitNameColumns(view, models_.at(*it)->Table());
            it = unfitted_.erase(it);
        } else {
            ++it;
        }
    }
}

void PageArea::RefreshBoundBoxes()
{
    const rom::Model& model = session_.Document().GetModel();
    for (const PageControl& c : PageControls())
        if (c.kind == PageControlKind::Edit && *c.table && boxes_.count(c.id))
            boxes_.at(c.id)->SetText(Q(model.Get(c.table).Cell(c.row, 1)));
    MarkBoundBoxes();
}

// A box bound to a cell shows the changed mark as the lists do: bold on the mark's tint.
void PageArea::MarkBoundBoxes()
{
    const rom::Model& model = session_.Document().GetModel();
    for (const PageControl& c : PageControls()) {
        if (c.kind != PageControlKind::Edit || !*c.table || !boxes_.count(c.id))
            continue;
        LineBox* box = boxes_.at(c.id);
        const bool changed = model.Get(c.table).IsChanged(c.row, 1);
        QFont font = box->font();
        font.setBold(changed);
        box->setFont(font);
        QPalette tint; // nothing of its own unless changed: the box follows the window's palette
        if (changed)
            tint.setColor(QPalette::Base, widgets::ChangedMark(box->parentWidget()->palette()));
        box->setPalette(tint);
    }
}

// Every change of the document, whoever made it: the lists repaint exactly the changed cells and
// the bound boxes follow their cells.
void PageArea::Changed(const rom::Change& change)
{
    for (auto& [id, m] : models_)
        if (m->Table().Id() == change.tableId)
            m->Changed(change);
    bool marks = false;
    for (const PageControl& c : PageControls()) {
        if (c.kind != PageControlKind::Edit || change.tableId != c.table || !boxes_.count(c.id))
            continue;
        const QString text = Q(session_.Document().GetModel().Get(c.table).Cell(c.row, 1));
        if (boxes_.at(c.id)->Text() != text)
            boxes_.at(c.id)->SetText(text);
        marks = true;
    }
    if (marks)
        MarkBoundBoxes();
    // A price box shows its row's price again when that price changed (an undo, a paste): what it
    // showed would otherwise go back into the row at its "确定".
    for (const PriceEditorDecl& e : PriceEditors()) {
        if (!models_.count(e.list) || models_.at(e.list)->Table().Id() != change.tableId)
            continue;
        const int row = SelectedRow(e.list);
        if (std::any_of(change.cells.begin(), change.cells.end(),
                        [row](const rom::CellChange& c) { return c.row == row && c.column == 1; }))
            ShowPriceOf(e.list, e.edit);
    }
}

// The current row of a list when it is selected (several may be), else the first one selected.
int PageArea::SelectedRow(int listId) const
{
    const QTableView* view = lists_.at(listId);
    const QModelIndex current = view->currentIndex();
    if (current.isValid() && view->selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return rows_.at(listId)->TableRow(current.row());
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows_.at(listId)->TableRow(rows.first().row());
}

} // namespace dravik::app
