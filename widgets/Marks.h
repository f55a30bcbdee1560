#pragma once
// The colours the program adds to what the style paints, all derived from the palette in use so
// that text stays readable on light and dark palettes alike. Every tint is the palette's own
// background moved a fixed part of the way towards a hue: the palette's text colour keeps its
// contrast on it, and each mark keeps its hue whatever the theme.
#include <QColor>
#include <QPalette>

namespace dravik::widgets {

// A list cell whose value changed since the last Open or Save (amber).
QColor ChangedMark(const QPalette& palette);
// A list cell whose value differs from the reference image (blue): a second mark, told apart
// from the changed mark at a glance, and shown together with its bold text where both apply.
QColor ReferenceMark(const QPalette& palette);
// Text that reports a value that is refused (red, lighter on dark palettes).
QColor FaultText(const QPalette& palette);
// The bars and points of a chart (orange), and the reference image's beside them (grey, a shade
// between the background and the text); the selected rows' take the palette's highlight.
QColor ChartValues(const QPalette& palette);
QColor ChartReference(const QPalette& palette);
// The face of a checked push button (the page shown), clearly apart from the other buttons.
QColor CheckedButtonFace(const QPalette& palette);

// A dark palette for the Fusion style (the --dark option).
QPalette DarkPalette();

// True when the palette shows light text on a dark background.
bool IsDark(const QPalette& palette);
// The contrast ratio of two colours, from 1 (none) to 21 (black on white), as readability
// guidelines measure it.
double Contrast(const QColor& a, const QColor& b);

} // namespace dravik::widgets
