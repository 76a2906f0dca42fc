#pragma once

// Where the main window opens: inside the screen's available area (a small screen must still
// show the title strip with its window buttons and status, and every tab), at most that area's
// size and at least the window's minimum, centred. An area smaller than the minimum gets the
// minimum at its top-left corner, so the window's top and left, where the title strip and the
// first tab sit, stay on screen.

#include <QRect>
#include <QSize>

namespace velantro {

QRect OpeningGeometry(const QRect& available, QSize wanted, QSize minimum);

}  // namespace velantro
