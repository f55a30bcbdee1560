#pragma once
// Layouts are given in dialog units, which scale with the dialog's font: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth of its height.
#include <QFont>
#include <QRect>
#include <QSize>

namespace dravik::widgets {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

private:
    int charWidth_;  // average character width in pixels
    int charHeight_; // font height in pixels
};

// The font every window and dialog uses: a CJK font at 9 points.
QFont EditorFont();

} // namespace dravik::widgets
