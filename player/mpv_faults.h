#pragma once

// What went wrong, from what mpv says of a failed file: its error code.
// Why a network location failed, mpv does not say to the core concerned
// (fault_probe.h names it).

#include "playback_state.h"

#include <QString>

namespace player {

// The fault of a file that failed with this mpv error code.
Fault faultOf(int mpvError);

} // namespace player
