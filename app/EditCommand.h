#pragma once
// One step of the window's undo history: the document changes one user action made (a dialog's
// "确定", a price "确定", typing in a bound box, a recovery). The changes are applied before the
// step is pushed; undo puts their old values back exactly, redo their new ones.
#include <QUndoCommand>

#include <vector>

#include "rom/RomDocument.h"

namespace dravik::app {

class EditCommand : public QUndoCommand {
public:
    // typingSession: non-zero for typing in a bound box; steps of the same session and cell merge.
    EditCommand(rom::RomDocument& document, std::vector<rom::Change> changes, const QString& text,
                int typingSession = 0);

    // The first change the step makes: where to show it.
    const rom::Change& First() const { return changes_.front(); }
    // What a save changed in the cells (the texts it shows as saved) while this step was the last
    // one done (afterStep) or the next one to redo: redo and undo pass through the saved state as
    // the save left it, and undo still ends on the texts before the step.
    void AddSaved(const std::vector<rom::Change>& shown, bool afterStep);
    // Whether the step sets that cell.
    bool Sets(const std::string& table, int row, int column) const;

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    rom::RomDocument& document_;
    std::vector<rom::Change> changes_;
    std::vector<rom::Change> leading_;  // replayed before changes_ on redo: a later save's texts undone
    std::vector<rom::Change> trailing_; // replayed after changes_ on redo: the texts a save showed
    int typingSession_;
    bool applied_ = true; // the changes are in the document already when the step is pushed
};

} // namespace dravik::app
