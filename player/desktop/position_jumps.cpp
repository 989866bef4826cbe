#include "position_jumps.h"

#include <cmath>

namespace player {

bool PositionJumps::note(double position, bool advancing, qint64 clockMs)
{
    bool jumped = false;
    if (m_known) {
        const double elapsed = m_advancing ? double(clockMs - m_clockMs) / 1000.0 : 0.0;
        const double tolerance = m_advancing ? playingToleranceSeconds : stillToleranceSeconds;
        jumped = std::abs(position - (m_position + elapsed)) > tolerance;
    }
    m_known = true;
    m_position = position;
    m_advancing = advancing;
    m_clockMs = clockMs;
    return jumped;
}

} // namespace player
