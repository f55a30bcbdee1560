#include "widgets/LineBox.h"

#include <QKeyEvent>

namespace dravik::widgets {

LineBox::LineBox(QWidget* parent) : QLineEdit(parent) {}

void LineBox::SetText(const QString& text)
{
    if (text != this->text())
        setText(text);
}

void LineBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !isReadOnly()) {
        // Enter does not replace a selection as other keys do: Tab selects a box's whole value,
        // and a user who then presses Enter to confirm it would otherwise have erased it (an empty
        // box saves as 0). The line break goes after the selection, where the save ignores it.
        if (hasSelectedText()) {
            const int end = selectionEnd();
            deselect();
            setCursorPosition(end);
        }
        insert(QStringLiteral("\n"));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace dravik::widgets
