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

// Where fonts are found through fontconfig, the first use of any font reads its configuration and
// the cache of every installed font: a third of what the window does before its first paint, and
// nothing of the program's is needed for it. This starts that reading on another thread, to run
// while the program makes its application object and document; the first DialogUnits (the first
// font a window measures) waits for it to end. Without fontconfig it does nothing.
void ReadFontsAhead();

} // namespace dravik::widgets
