#pragma once

// Quitting with players playing. Each core winds down on threads of its
// own; one that is torn down while it waits for its frame to be taken holds
// the caller for a fifth of a second, and with many players playing those
// waits would add up. So every player is told to stop first, and the event
// loop goes on serving their events and frames, until each is at rest or the
// time is up; the windows are torn down after that.

#include <QList>
#include <chrono>

namespace player {
class PlayerWidget;
}

namespace app {

// Players stopping at once are at rest within a few tens of milliseconds;
// one that is not by then is torn down all the same.
inline constexpr std::chrono::milliseconds kStopWait{250};

// Stops them all and waits, serving their events, until each is at rest or
// `limit` has passed. Returns whether all came to rest.
bool stopPlayersTogether(const QList<player::PlayerWidget *> &players,
                         std::chrono::milliseconds limit = kStopWait);

} // namespace app
