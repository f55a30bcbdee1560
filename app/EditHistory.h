#pragma once
// The window's undo history over its document: every edit the window makes is applied here and
// becomes one step (typing in one bound box is one step until the box loses the focus); the
// history's clean state is the "modified" mark. Open and Close clear it, a successful Save marks
// the current step as saved.
#include <QObject>
#include <QString>

#include <vector>

#include "rom/RomDocument.h"

class QAction;
class QUndoStack;

namespace dravik::app {

class EditHistory : public QObject {
    Q_OBJECT
public:
    EditHistory(rom::RomDocument& document, QObject* parent = nullptr);

    // Applies the edits as one step named text; a step that changes nothing is not recorded.
    // Returns false when nothing changed.
    bool Apply(const std::vector<rom::Edit>& edits, const QString& text);
    bool Apply(const rom::Edit& edit, const QString& text)
    {
        return Apply(std::vector<rom::Edit>{edit}, text);
    }
    // One keystroke's worth of typing into the cell of a bound box: merged with the previous
    // keystrokes into one step until EndTyping.
    void Type(const rom::Edit& edit, const QString& text);
    void EndTyping() { ++typingSession_; }

    void Clear(); // Open, Close
    // After a successful Save; shown: the texts it gave cells (SaveResult::shown), which become
    // part of the steps either side of the saved state.
    void MarkSaved(const std::vector<rom::Change>& shown);
    bool IsModified() const;

    // 撤销 / 重做 with the name of the step in their text, enabled only when there is a step.
    QAction* CreateUndoAction(QObject* parent) const;
    QAction* CreateRedoAction(QObject* parent) const;

signals:
    void ModifiedChanged(bool modified);
    // A step was undone or redone: the table and row it changed (its first), to be shown.
    void StepReplayed(const QString& tableId, int row);

private:
    rom::RomDocument& document_;
    QUndoStack* stack_;
    int typingSession_ = 1;
    bool typing_ = false;
    bool pushing_ = false; // a step is being added or the history cleared, not undone or redone
    int index_ = 0;        // the stack's index as last seen
};

// The name of an edit of one row, as the undo and redo texts show it: "编辑主炮 35mm机关炮".
QString EditText(const rom::Table& table, int row);

} // namespace dravik::app
