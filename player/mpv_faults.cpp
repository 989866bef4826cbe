#include "mpv_faults.h"

#include <array>
#include <mpv/client.h>

namespace player {
namespace {

struct Sign
{
    const char *text;
    Fault fault;
};

// Phrases of ffmpeg's network code and of GnuTLS, as mpv relays them.
constexpr std::array kSigns{
    Sign{"404 Not Found", Fault::NotFound},
    Sign{"HTTP error 404", Fault::NotFound},
    Sign{"HTTP error 410", Fault::NotFound},
    Sign{"Connection refused", Fault::ConnectionRefused},
    Sign{"Failed to resolve hostname", Fault::UnknownHost},
    Sign{"Name or service not known", Fault::UnknownHost},
    Sign{"Temporary failure in name resolution", Fault::UnknownHost},
    Sign{"certificate", Fault::Certificate},
    Sign{"Certificate", Fault::Certificate},
    Sign{"HTTP error", Fault::Network},
    Sign{"Connection timed out", Fault::Network},
    Sign{"Connection reset", Fault::Network},
    Sign{"Network is unreachable", Fault::Network},
};

} // namespace

Fault faultOfMessage(const QString &message)
{
    for (const Sign &sign : kSigns) {
        if (message.contains(QLatin1String(sign.text)))
            return sign.fault;
    }
    return Fault::None;
}

Fault faultOf(int mpvError, Fault lastNamed)
{
    if (lastNamed != Fault::None)
        return lastNamed;
    switch (mpvError) {
    case MPV_ERROR_UNKNOWN_FORMAT:
    case MPV_ERROR_NOTHING_TO_PLAY:
        return Fault::UnsupportedMedia;
    default:
        return Fault::Network;
    }
}

} // namespace player
