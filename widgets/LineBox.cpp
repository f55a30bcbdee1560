#include "widgets/LineBox.h"

#include <QFontMetrics>
#include <QTextDocument>

#include <algorithm>

namespace dravik::widgets {

LineBox::LineBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setWordWrapMode(QTextOption::NoWrap);
    CentreLine();
}

void LineBox::SetText(const QString& text)
{
    if (text != toPlainText())
        setPlainText(text);
}

void LineBox::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    CentreLine();
}

// Puts the first line in the middle of the box, as a line edit shows its text.
void LineBox::CentreLine()
{
    const int spare = height() - 2 * frameWidth() - QFontMetrics(font()).height();
    const qreal margin = std::clamp(spare / 2, 1, 4);
    if (document()->documentMargin() != margin)
        document()->setDocumentMargin(margin);
}

} // namespace dravik::widgets
