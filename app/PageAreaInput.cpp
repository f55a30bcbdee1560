// What is typed and edited on the pages: the boxes bound to a cell, the price boxes with their
// "确定", the row editors the lists open, and the name filter over a list, with the keys they take.
#include <QAction>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "app/EditHistory.h"
#include "app/ListRows.h"
#include "app/ListStyle.h"
#include "app/PageArea.h"
#include "app/Session.h"
#include "app/TableModel.h"
#include "editors/RowEditing.h"
#include "rom/Review.h"
#include "widgets/LineBox.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

using widgets::LineBox;
using widgets::Q;

// Typing is one step per box until the focus leaves it.
void PageArea::WireBoundBox(LineBox* box, const std::string& table, int row)
{
    connect(box, &QLineEdit::textChanged, this, [this, box, table, row] {
        if (session_.IsEditable())
            session_.History().Type(rom::Edit(table).SetCell(row, 1, box->Text().toStdString()),
                                    EditText(session_.Document().GetModel().Get(table), row));
    });
    box->installEventFilter(this);
}

void PageArea::WirePriceEditor(const PriceEditorDecl& e)
{
    QTableView* view = lists_.at(e.list);
    const int list = e.list;
    const int edit = e.edit;
    // The box follows the current row however it was chosen (a click, the keys, find, the right
    // button, which selects the row only after making it current); a click on the current row or
    // Enter shows its price again over what was typed.
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, list, edit] { ShowPriceOf(list, edit); });
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, list, edit] { ShowPriceOf(list, edit); });
    connect(view, &QAbstractItemView::clicked, this, [this, list, edit] { ShowPriceOf(list, edit); });
    new RowKeys(view, false, [this, list, edit] { ShowPriceOf(list, edit); });
    connect(buttons_.at(e.button), &QPushButton::clicked, this,
            [this, list, edit] { OnPriceApply(list, edit); });
}

void PageArea::WireRowEditor(int listId)
{
    connect(lists_.at(listId), &QAbstractItemView::doubleClicked, this,
            [this, listId] { OnRowEditor(listId); });
    new RowKeys(lists_.at(listId), true, [this, listId] { OnRowEditor(listId); });
}

// The filter box lies over the top of its list, which gives up that much height while it is
// shown. Down or Enter go to the list; Escape empties the box and takes it away.
void PageArea::WireFilter(int listId)
{
    QTableView* view = lists_.at(listId);
    auto* box = new QLineEdit(view->parentWidget());
    box->setObjectName(QStringLiteral("filter%1").arg(listId));
    box->setPlaceholderText(tr("筛选名称（Esc 关闭）"));
    box->setClearButtonEnabled(true);
    box->hide();
    filters_[listId] = box;
    connect(box, &QLineEdit::textChanged, this,
            [this, listId](const QString& text) { rows_.at(listId)->SetNameFilter(text); });
    box->installEventFilter(this);
}

void PageArea::ShowFilter(int listId)
{
    QLineEdit* box = filters_.at(listId);
    if (box->isHidden()) {
        QTableView* view = lists_.at(listId);
        const QRect list = view->geometry();
        const int height = box->sizeHint().height();
        box->setGeometry(list.x(), list.y(), list.width(), height);
        view->setGeometry(list.adjusted(0, height, 0, 0));
        box->show();
    }
    box->setFocus();
    box->selectAll();
}

void PageArea::HideFilter(int listId)
{
    QLineEdit* box = filters_.at(listId);
    box->clear();
    if (box->isHidden())
        return;
    QTableView* view = lists_.at(listId);
    view->setGeometry(view->geometry().adjusted(0, -box->height(), 0, 0));
    box->hide();
}

void PageArea::ShowPriceOf(int listId, int editId)
{
    const int row = SelectedRow(listId);
    boxes_.at(editId)->SetText(row >= 0 && session_.IsLoaded() ? Q(models_.at(listId)->Table().Cell(row, 1))
                                                               : QString());
}

void PageArea::RefreshPriceBoxes()
{
    for (const PriceEditorDecl& e : PriceEditors())
        if (lists_.count(e.list))
            ShowPriceOf(e.list, e.edit);
}

// "确定" refuses what Save would refuse, as the row editors do, and keeps the box as typed.
void PageArea::OnPriceApply(int listId, int editId)
{
    const int row = SelectedRow(listId);
    if (row < 0 || !session_.IsEditable())
        return;
    const rom::Table& table = models_.at(listId)->Table();
    LineBox* box = boxes_.at(editId);
    const rom::Edit edit = rom::Edit(table.Id()).SetCell(row, 1, box->Text().toStdString());
    const std::vector<rom::Error> errors = rom::CheckEdit(table, edit);
    if (!errors.empty()) {
        widgets::Prompts::For(window_).Tell(
            window_, QMessageBox::Warning, tr("错误"),
            tr("%1: \"%2\" %3")
                .arg(widgets::Title(errors.front().column), box->Text(), Q(rom::Reason(errors.front()))));
        box->setFocus();
        box->selectAll();
        return;
    }
    ApplyEdit(edit, row);
}

void PageArea::OnRowEditor(int listId)
{
    const int row = SelectedRow(listId);
    if (row < 0 || !session_.IsLoaded())
        return;
    const rom::Table& table = models_.at(listId)->Table();
    if (session_.IsEditable()) {
        if (const std::optional<rom::Edit> edit = editors::EditRow(window_, table, row))
            ApplyEdit(*edit, row);
        return;
    }
    // A read-only image shows the row in its editor, with nothing in it to change.
    const std::unique_ptr<editors::CRowDlg> dialog = editors::CreateRowEditor(window_, table, row);
    if (!dialog)
        return;
    dialog->setWindowTitle(tr("%1 - 只读").arg(dialog->windowTitle()));
    dialog->MakeReadOnly();
    widgets::Prompts::For(window_).RunModal(*dialog);
}

void PageArea::ApplyEdit(const rom::Edit& edit, int row)
{
    if (const rom::Table* table = session_.Document().GetModel().Find(edit.TableId()))
        session_.Apply(edit, EditText(*table, row));
}

bool PageArea::eventFilter(QObject* watched, QEvent* event)
{
    if (detached_)
        return false;
    for (auto& [id, box] : filters_) {
        if (watched != box || event->type() != QEvent::KeyPress)
            continue;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            HideFilter(id);
            lists_.at(id)->setFocus();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            QTableView* view = lists_.at(id);
            if (!view->currentIndex().isValid() && view->model()->rowCount() > 0)
                view->setCurrentIndex(view->model()->index(0, 0));
            view->setFocus();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        session_.History().EndTyping();
    } else if (event->type() == QEvent::ShortcutOverride) {
        // The boxes' own undo would take Ctrl+Z from the window's: the history undoes typing too.
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* a : passedKeys_)
            if (a->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::app
