#pragma once

// What went wrong, from what mpv says: the error code of a failed file and
// the log messages that came before it, which alone tell network faults
// apart.

#include "playback_state.h"

#include <QString>

namespace player {

// The fault a log message names, or Fault::None.
Fault faultOfMessage(const QString &message);

// The fault of a file that failed with this mpv error code, given the last
// fault the log named.
Fault faultOf(int mpvError, Fault lastNamed);

} // namespace player
