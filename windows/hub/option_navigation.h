#pragma once

// Where an arrow key moves the focus among a window's option buttons: to
// the nearest button whose centre lies in that direction, preferring one in
// line with the current button over a nearer one beside the line. Pure
// geometry, so that the rule is tested by tables.

#include <QRect>
#include <span>

namespace windows {

enum class Direction { Left, Right, Up, Down };

// The index in `buttons` of the button to move to from `from`, or -1 when
// none lies that way.
int neighbourInDirection(std::span<const QRect> buttons, int from, Direction direction);

} // namespace windows
