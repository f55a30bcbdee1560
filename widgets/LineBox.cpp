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
        insert(QStringLiteral("\n"));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace dravik::widgets
