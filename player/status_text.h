#pragma once

#include "playback_state.h"

#include <QString>

namespace player {

// The status line of the control bar: what the player is doing, or what
// went wrong, in the user's words.
QString statusText(const PlaybackState &state);

// "m:ss / m:ss", with hours when the media is an hour or longer.
QString timeText(double position, double duration);

} // namespace player
