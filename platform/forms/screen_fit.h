#pragma once
// Keeping windows reachable on the screens there are now: a stored position
// may lie on a monitor since unplugged, or come from a hand-edited file.
#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

namespace dorrin::forms {

// The top-left corner (pixels) for a window of `frame` so that its top
// strip, where it is dragged from, can be reached on one of `screens` (their
// available areas): frame's own corner when at least 48 pixels (or the whole
// width of a narrower window) of its top 10 pixels show on a screen, else
// the corner that fits it into the screen nearest to its centre (its top
// left kept on that screen when it is larger).
QPoint reachablePosition(const QRect &frame, const QList<QRect> &screens);

// Moves a top-level window onto the nearest screen when its top strip lies
// on none; a reachable position is left alone. True when it moved.
bool bringOnScreen(QWidget &window);

// A window frame moved up, and cut to the screen's height if it must be,
// so that it ends within `screen` (an available area) and its bottom edge
// with the size grip stays reachable.
QRect withinScreenHeight(const QRect &frame, const QRect &screen);

// Applies withinScreenHeight to a top-level window on its own screen.
void keepWithinScreenHeight(QWidget &window);

} // namespace dorrin::forms
