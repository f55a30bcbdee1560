#include "app/EditHistory.h"

#include <QAction>
#include <QUndoStack>

#include "app/EditCommand.h"
#include "widgets/Text.h"

namespace dravik::app {

EditHistory::EditHistory(rom::RomDocument& document, QObject* parent)
    : QObject(parent), document_(document), stack_(new QUndoStack(this))
{
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit ModifiedChanged(!clean); });
    // Any step taken or undone ends the typing: the next keystroke starts a step of its own.
    connect(stack_, &QUndoStack::indexChanged, this, [this](int index) {
        if (!typing_)
            EndTyping();
        const int before = index_;
        index_ = index;
        if (pushing_ || index == before)
            return;
        // Undo leaves the index on the step undone, redo just past the step redone.
        const auto* step =
            dynamic_cast<const EditCommand*>(stack_->command(index < before ? index : index - 1));
        if (step)
            emit StepReplayed(QString::fromStdString(step->First().tableId), step->First().Rows().front());
    });
}

bool EditHistory::Apply(const std::vector<rom::Edit>& edits, const QString& text)
{
    std::vector<rom::Change> changes;
    for (const rom::Edit& e : edits) {
        rom::Change c = document_.Apply(e);
        if (!c.Empty())
            changes.push_back(std::move(c));
    }
    if (changes.empty())
        return false;
    pushing_ = true;
    stack_->push(new EditCommand(document_, std::move(changes), text));
    pushing_ = false;
    return true;
}

void EditHistory::Type(const rom::Edit& edit, const QString& text)
{
    rom::Change c = document_.Apply(edit);
    if (c.Empty())
        return;
    typing_ = pushing_ = true;
    stack_->push(new EditCommand(document_, {std::move(c)}, text, typingSession_));
    typing_ = pushing_ = false;
}

void EditHistory::Clear()
{
    pushing_ = true;
    stack_->clear();
    pushing_ = false;
    EndTyping();
}

void EditHistory::MarkSaved(const std::vector<rom::Change>& shown)
{
    // The stack hands its steps out read-only; every one of them is an EditCommand made here.
    const auto step = [this](int index) {
        return const_cast<EditCommand*>(dynamic_cast<const EditCommand*>(stack_->command(index)));
    };
    // Each cell the save showed anew joins the last step done that set it (its undo passes back
    // through the saved text) and the next step to redo that sets it (its redo starts from the
    // saved text); a step that never set the cell leaves it as saved.
    for (const rom::Change& change : shown)
        for (const rom::CellChange& cell : change.cells) {
            const std::vector<rom::Change> one{{change.tableId, {cell}, {}}};
            EditCommand* done = nullptr;
            for (int i = stack_->index() - 1; i >= 0 && !done; --i)
                if (EditCommand* s = step(i); s && s->Sets(change.tableId, cell.row, cell.column))
                    done = s;
            if (!done)
                done = step(stack_->index() - 1);
            if (done)
                done->AddSaved(one, true);
            for (int i = stack_->index(); i < stack_->count(); ++i)
                if (EditCommand* s = step(i); s && s->Sets(change.tableId, cell.row, cell.column)) {
                    s->AddSaved(one, false);
                    break;
                }
        }
    stack_->setClean();
}

bool EditHistory::IsModified() const { return !stack_->isClean(); }

QAction* EditHistory::CreateUndoAction(QObject* parent) const
{
    return stack_->createUndoAction(parent, tr("撤销"));
}

QAction* EditHistory::CreateRedoAction(QObject* parent) const
{
    return stack_->createRedoAction(parent, tr("重做"));
}

QString EditText(const rom::Table& table, int row)
{
    // A table of one row (the red wolf) is named by its row alone.
    if (table.Rows() == 1)
        return EditHistory::tr("编辑%1").arg(widgets::Q(table.RowLabel(row)));
    return EditHistory::tr("编辑%1 %2").arg(widgets::Title(table.Title()), widgets::Q(table.RowLabel(row)));
}

} // namespace dravik::app
