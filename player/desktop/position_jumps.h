#pragma once

// Tells seeks apart from playback in a stream of position reports. The
// engine reports where playback is, not why it got there; MPRIS clients
// extrapolate the position themselves and must hear of every jump (a seek
// from the control bar, the keyboard or the bus) to stay in step.

#include <QtGlobal>

namespace player {

class PositionJumps
{
public:
    // More than this off from where playback would have taken the position
    // counts as a jump: well above the jitter of position reports and of the
    // event loop that delivers them.
    static constexpr double playingToleranceSeconds = 1.0;
    // Standing still, the position has no reason to move at all; this only
    // leaves room for rounding to frames. A seek's landing on a key frame
    // short of its target counts, so that clients hear where it ended.
    static constexpr double stillToleranceSeconds = 0.1;

    // Notes the position (seconds) reported at clockMs (a monotonic clock, in
    // milliseconds); advancing says whether playback runs from now on. True
    // when the position jumped since the previous note.
    bool note(double position, bool advancing, qint64 clockMs);
    // The next note starts afresh, as after a new track.
    void reset() { m_known = false; }

private:
    bool m_known = false;
    double m_position = 0.0;
    bool m_advancing = false;
    qint64 m_clockMs = 0;
};

} // namespace player
