#pragma once

// What a player can do in each of its states: the one place the engine, the
// actions, the control bar, the status line and the desktop's remote
// controls all ask, so that they cannot disagree.

#include "playback_state.h"

namespace player {

// A file is open: it plays, waits for data or is paused.
constexpr bool isRunning(Status status)
{
    return status == Status::Playing || status == Status::Paused || status == Status::Buffering;
}

// A location is being opened or a file is open: stop has something to end.
constexpr bool isUnderway(Status status)
{
    return isRunning(status) || status == Status::Connecting;
}

// Only an open file can be sought.
constexpr bool canSeek(Status status)
{
    return isRunning(status);
}

// Whether play/pause pauses now (and the button shows Pause); otherwise it
// plays: resumes a paused file, lets a held opening go on, or opens a
// stopped, finished or failed one again. A pause given while connecting
// holds, and the file opens paused.
constexpr bool pausesNow(const PlaybackState &state)
{
    const bool advancing = state.status == Status::Playing || state.status == Status::Buffering ||
                           state.status == Status::Connecting;
    return advancing && !state.paused;
}

} // namespace player
