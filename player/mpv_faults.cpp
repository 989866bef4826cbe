#include "mpv_faults.h"

#include <mpv/client.h>

namespace player {

Fault faultOf(int mpvError)
{
    switch (mpvError) {
    case MPV_ERROR_UNKNOWN_FORMAT:
    case MPV_ERROR_NOTHING_TO_PLAY:
        return Fault::UnsupportedMedia;
    default:
        return Fault::Network;
    }
}

} // namespace player
