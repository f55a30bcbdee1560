#include "widgets/StaticText.h"

#include <QPainter>

namespace dravik::widgets {

StaticText::StaticText(const QString& text, int lineStep, QWidget* parent)
    : QLabel(text, parent), lineStep_(lineStep)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void StaticText::paintEvent(QPaintEvent*)
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

} // namespace dravik::widgets
