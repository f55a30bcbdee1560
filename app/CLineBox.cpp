#include "app/CLineBox.h"

#include <QFontMetrics>
#include <QTextDocument>

#include <algorithm>

namespace dravik::app {

CLineBox::CLineBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setWordWrapMode(QTextOption::NoWrap);
    CentreLine();
}

void CLineBox::SetText(const QString& text)
{
    if (text != toPlainText())
        setPlainText(text);
}

void CLineBox::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    CentreLine();
}

// Puts the first line in the middle of the box, as a line edit shows its text.
void CLineBox::CentreLine()
{
    const int spare = height() - 2 * frameWidth() - QFontMetrics(font()).height();
    const qreal margin = std::clamp(spare / 2, 1, 4);
    if (document()->documentMargin() != margin)
        document()->setDocumentMargin(margin);
}

} // namespace dravik::app
