#include "widgets/Placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace dravik::widgets {

QPoint BesideWindow(const QRect& main, const QSize& tool, const QRect& screen)
{
    const int rightRoom = screen.right() - main.right();
    const int leftRoom = main.left() - screen.left();
    int x = 0;
    if (rightRoom >= tool.width())
        x = main.right() + 1;
    else if (leftRoom >= tool.width())
        x = main.left() - tool.width();
    else if (rightRoom >= leftRoom)
        x = screen.right() + 1 - tool.width();
    else
        x = screen.left();
    const int y =
        std::clamp(main.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - tool.height()));
    return {std::max(x, screen.left()), y};
}

QSize StartSize(const QSize& designed, const QSize& room, int scrollBar)
{
    QSize size = designed;
    if (designed.height() > room.height())
        size.rwidth() += scrollBar;
    return size.boundedTo(room);
}

void PlaceBeside(QWidget* tool)
{
    const QWidget* parent = tool->parentWidget();
    if (!parent)
        return;
    const QWidget* main = parent->window();
    const QScreen* screen = main->screen();
    if (!screen)
        return;
    // The frame the window manager adds is not known before the window is shown: its size is
    // taken from the main window's.
    const QSize frame = main->frameGeometry().size() - main->geometry().size();
    const QPoint corner =
        BesideWindow(main->frameGeometry(), tool->size() + frame, screen->availableGeometry());
    tool->move(corner);
}

} // namespace dravik::widgets
