#include "app/ListCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

#include "app/BulkEditDialog.h"
#include "app/ChangeReviewDialog.h"
#include "app/ListRows.h"
#include "app/PageArea.h"
#include "app/Session.h"
#include "app/TableModel.h"
#include "rom/Reference.h"
#include "rom/TableText.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {
using widgets::Q;

// At most this many refused cells are listed one by one; the count says the rest.
constexpr size_t kListedRefusals = 30;

size_t RowCount(const rom::Edit& edit)
{
    std::vector<int> rows;
    for (const rom::Edit::Cell& c : edit.Cells())
        rows.push_back(c.row);
    for (const rom::Edit::Code& c : edit.Codes())
        rows.push_back(c.row);
    std::sort(rows.begin(), rows.end());
    return static_cast<size_t>(std::unique(rows.begin(), rows.end()) - rows.begin());
}
} // namespace

ListCommands::ListCommands(Session& session, PageArea& pages, QWidget* window)
    : QObject(window), session_(session), pages_(pages), window_(window)
{
    const auto add = [this](const char* name, const QString& text, QKeySequence key,
                            void (ListCommands::*slot)()) {
        auto* a = new QAction(text, window_);
        a->setObjectName(QString::fromUtf8(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        actions_.push_back(a);
    };
    add("actionCopyRows", tr("复制(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), &ListCommands::Copy);
    add("actionPasteRows", tr("粘贴(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V), &ListCommands::Paste);
    add("actionBulkEdit", tr("批量修改(&B)…"), QKeySequence(Qt::CTRL | Qt::Key_B), &ListCommands::BulkEdit);
    add("actionRestoreReference", tr("恢复为参照值(&V)"), {}, &ListCommands::RestoreReference);
    actions_.back()->setEnabled(false);
    connect(&session_, &Session::ReferenceChanged, actions_.back(),
            [this, a = actions_.back()] { a->setEnabled(session_.Marks().IsSet()); });
    add("actionFilterRows", tr("筛选(&L)…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F),
        &ListCommands::Filter);
}

QTableView* ListCommands::TargetList(int& listId) const
{
    const QWidget* focus = QApplication::focusWidget();
    QTableView* shown = nullptr;
    int shownId = -1, shownCount = 0;
    for (const auto& [id, view] : pages_.Lists()) {
        if (focus && (focus == view || view->isAncestorOf(focus))) {
            listId = id;
            return view;
        }
        if (view->isVisible()) {
            shown = view;
            shownId = id;
            ++shownCount;
        }
    }
    listId = shownId;
    return shownCount == 1 ? shown : nullptr;
}

std::vector<int> ListCommands::SelectedRows(int listId) const
{
    return pages_.Rows(listId)->SelectedTableRows(pages_.Lists().at(listId));
}

void ListCommands::Copy()
{
    int listId = -1;
    const QTableView* view = TargetList(listId);
    if (!view || !session_.IsLoaded())
        return;
    const std::vector<int> rows = SelectedRows(listId);
    if (!rows.empty())
        QApplication::clipboard()->setText(Q(rom::CopyRows(pages_.Model(listId)->Table(), rows)));
}

void ListCommands::Paste()
{
    int listId = -1;
    const QTableView* view = TargetList(listId);
    if (!view || !session_.IsEditable())
        return;
    const rom::Table& table = pages_.Model(listId)->Table();
    // The lines go to the rows the list shows from the current one down, sorted or filtered.
    const QModelIndex current = view->currentIndex();
    std::vector<int> rows;
    for (int v = current.isValid() ? current.row() : 0; v < view->model()->rowCount(); ++v)
        rows.push_back(pages_.Rows(listId)->TableRow(v));
    const rom::PastePlan plan = rom::PlanPaste(table, QApplication::clipboard()->text().toStdString(), rows,
                                               current.isValid() ? std::max(current.column(), 1) : 1);
    widgets::Prompts& prompts = widgets::Prompts::For(window_);
    if (plan.error) {
        prompts.Tell(window_, QMessageBox::Information, tr("Dravik静态修改器"),
                     Q(rom::Describe(*plan.error)));
        return;
    }
    if (!plan.refusals.empty()) {
        QStringList lines{
            tr("粘贴的内容有 %n 处不能用，什么也没有改：", nullptr, static_cast<int>(plan.refusals.size()))};
        for (size_t i = 0; i < plan.refusals.size() && i < kListedRefusals; ++i)
            lines << Q(rom::Describe(plan.refusals[i]));
        if (plan.refusals.size() > kListedRefusals)
            lines << tr("……还有 %1 处").arg(plan.refusals.size() - kListedRefusals);
        prompts.Tell(window_, QMessageBox::Warning, tr("Dravik静态修改器"), lines.join('\n'));
        return;
    }
    if (plan.edit.Empty()) {
        prompts.Tell(window_, QMessageBox::Information, tr("Dravik静态修改器"),
                     tr("粘贴的内容与表中的值相同，没有修改。"));
        return;
    }
    const rom::RomDocument& document = session_.Document();
    const rom::Review review = rom::ReviewEdit(table, plan.edit, document.SavedParts(), document.Form());
    ChangeReviewDialog dialog(
        review, tr("粘贴会修改 %n 处，确定吗？", nullptr, static_cast<int>(review.entries.size())), window_);
    dialog.setWindowTitle(tr("粘贴"));
    if (prompts.RunModal(dialog) == QDialog::Accepted)
        session_.Apply(plan.edit, tr("粘贴 %n 行", nullptr, static_cast<int>(RowCount(plan.edit))));
}

// The selected rows get the reference's values back, as one step; a save then writes the
// reference's bytes there.
void ListCommands::RestoreReference()
{
    int listId = -1;
    if (!TargetList(listId) || !session_.IsEditable() || !session_.Marks().IsSet())
        return;
    const rom::Table* reference = session_.Marks().Image()->model.Find(pages_.Model(listId)->Table().Id());
    const std::vector<int> rows = SelectedRows(listId);
    if (reference && !rows.empty())
        session_.Apply(rom::RestoreFromReference(*reference, rows),
                       tr("恢复为参照值 %n 行", nullptr, static_cast<int>(rows.size())));
}

// The list with the focus, else the first list of the page shown.
void ListCommands::Filter()
{
    int listId = -1;
    if (!TargetList(listId))
        for (const auto& [id, view] : pages_.Lists())
            if (view->isVisible()) {
                listId = id;
                break;
            }
    if (listId >= 0)
        pages_.ShowFilter(listId);
}

void ListCommands::BulkEdit()
{
    int listId = -1;
    const QTableView* view = TargetList(listId);
    if (!view || !session_.IsEditable())
        return;
    const rom::Table& table = pages_.Model(listId)->Table();
    if (table.Layout().ValueColumns().empty())
        return;
    BulkEditDialog dialog(table, SelectedRows(listId), view->currentIndex().column(), window_);
    if (widgets::Prompts::For(window_).RunModal(dialog) == QDialog::Accepted && dialog.Plan().Ok())
        session_.Apply(dialog.Result(), dialog.StepName());
}

} // namespace dravik::app
