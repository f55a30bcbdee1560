#include "widgets/DialogUnits.h"

#include <QFontMetrics>

namespace dravik::widgets {

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    static const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    charWidth_ = (fm.horizontalAdvance(sample) / 26 + 1) / 2;
    charHeight_ = fm.height();
}

int DialogUnits::X(int units) const { return (units * charWidth_ + 2) / 4; }
int DialogUnits::Y(int units) const { return (units * charHeight_ + 4) / 8; }
QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    return QRect(X(x), Y(y), X(width), Y(height));
}
QSize DialogUnits::Size(int width, int height) const { return QSize(X(width), Y(height)); }

QFont EditorFont()
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

} // namespace dravik::widgets
