#pragma once

// mpv cores end on threads of their own. Ending one takes a few
// milliseconds (it joins the core's threads); a process quitting with
// dozens of players would otherwise wait for each in turn. Every core ended
// here has ended before the process exits.

#include "mpv_library.h"

namespace player {

// Ends the core on a thread of its own and returns at once. The core's
// render context must be freed already.
void endCoreInBackground(const MpvLibrary &library, mpv_handle *core);

} // namespace player
