#include "app/CStaticText.h"

#include <QPainter>

namespace dravik::app {

CStaticText::CStaticText(const QString& text, int lineStep, QWidget* parent)
    : QLabel(text, parent), lineStep_(lineStep)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CStaticText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QStringList lines = text().split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QRect line(0, i * lineStep_, width(), lineStep_);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, lines[i]);
    }
}

} // namespace dravik::app
