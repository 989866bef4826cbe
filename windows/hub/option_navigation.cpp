#include "option_navigation.h"

#include <limits>

namespace windows {

int neighbourInDirection(std::span<const QRect> buttons, int from, Direction direction)
{
    if (from < 0 || std::size_t(from) >= buttons.size())
        return -1;
    const QPoint origin = buttons[std::size_t(from)].center();
    int best = -1;
    qint64 bestCost = std::numeric_limits<qint64>::max();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (int(i) == from)
            continue;
        const QPoint offset = buttons[i].center() - origin;
        // Distance along the arrow, and distance across it.
        int along = 0;
        int across = 0;
        switch (direction) {
        case Direction::Left:
            along = -offset.x();
            across = offset.y();
            break;
        case Direction::Right:
            along = offset.x();
            across = offset.y();
            break;
        case Direction::Up:
            along = -offset.y();
            across = offset.x();
            break;
        case Direction::Down:
            along = offset.y();
            across = offset.x();
            break;
        }
        if (along <= 0)
            continue;
        // Straying from the line weighs more than going further along it,
        // so that Down stays in its column and Right in its row.
        const qint64 cost = qint64(along) + 4 * qint64(qAbs(across));
        if (cost < bestCost) {
            bestCost = cost;
            best = int(i);
        }
    }
    return best;
}

} // namespace windows
