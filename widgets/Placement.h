#pragma once
// Where the windows the main window opens go: a tool window (find, where-used, compare) beside
// the main window, so that the row it jumps to stays in view.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace dravik::widgets {

// The top-left corner for a window of frame size tool beside the frame main on screen (the
// screen's free area): to the right when it fits there, else to the left, else on the side with
// more room, overlapping main as little as the screen allows. Its top is main's, kept on screen.
QPoint BesideWindow(const QRect& main, const QSize& tool, const QRect& screen);

// The size a window designed at `designed` starts at on a screen with `room` for it: the designed
// size where it fits; where it is too tall, as tall as the room and wider by `scrollBar` (the
// vertical scroll bar it then needs), so that it need not scroll sideways too; never wider or
// taller than the room.
QSize StartSize(const QSize& designed, const QSize& room, int scrollBar);

// Moves the tool window beside its parent's window on the parent's screen, before it is shown.
void PlaceBeside(QWidget* tool);

} // namespace dravik::widgets
