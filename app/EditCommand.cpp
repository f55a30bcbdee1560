#include "app/EditCommand.h"

namespace dravik::app {

namespace {
constexpr int kTypingId = 1;

// The one cell a typing step changes, or nullptr.
template <typename Changes> auto* TypedCell(Changes& changes)
{
    return changes.size() == 1 && changes[0].cells.size() == 1 && changes[0].codes.empty()
               ? &changes[0].cells[0]
               : nullptr;
}
} // namespace

EditCommand::EditCommand(rom::RomDocument& document, std::vector<rom::Change> changes, const QString& text,
                         int typingSession)
    : document_(document), changes_(std::move(changes)), typingSession_(typingSession)
{
    setText(text);
}

void EditCommand::AddSaved(const std::vector<rom::Change>& shown, bool afterStep)
{
    if (afterStep) {
        trailing_.insert(trailing_.end(), shown.begin(), shown.end());
        return;
    }
    std::vector<rom::Change> undone;
    for (const rom::Change& c : shown)
        undone.push_back(c.Reversed());
    leading_.insert(leading_.begin(), undone.begin(), undone.end());
}

bool EditCommand::Sets(const std::string& table, int row, int column) const
{
    for (const rom::Change& c : changes_)
        if (c.tableId == table)
            for (const rom::CellChange& cell : c.cells)
                if (cell.row == row && cell.column == column)
                    return true;
    return false;
}

void EditCommand::undo()
{
    for (const std::vector<rom::Change>* part : {&trailing_, &changes_, &leading_})
        for (auto it = part->rbegin(); it != part->rend(); ++it)
            document_.Replay(it->Reversed());
}

void EditCommand::redo()
{
    if (applied_) {
        applied_ = false;
        return;
    }
    for (const std::vector<rom::Change>* part : {&leading_, &changes_, &trailing_})
        for (const rom::Change& c : *part)
            document_.Replay(c);
}

int EditCommand::id() const { return typingSession_ != 0 && TypedCell(changes_) ? kTypingId : -1; }

bool EditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const EditCommand*>(other);
    // Typing after a save starts a step of its own: the saved state stays one to come back to.
    if (!next || !trailing_.empty() || next->typingSession_ != typingSession_ ||
        next->changes_[0].tableId != changes_[0].tableId)
        return false;
    rom::CellChange* mine = TypedCell(changes_);
    const rom::CellChange* theirs = TypedCell(next->changes_);
    if (!mine || !theirs || mine->row != theirs->row || mine->column != theirs->column)
        return false;
    mine->after = theirs->after;
    // Typed back to where it started: the step is no step at all.
    setObsolete(mine->after == mine->before);
    return true;
}

} // namespace dravik::app
