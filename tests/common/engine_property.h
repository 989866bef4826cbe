#pragma once

// A property of a player's mpv core as mpv itself reports it, for checks
// that what the controls show is what plays.

#include "common/player_host.h"

#include <mpv/client.h>

namespace testing {

inline QString engineProperty(const PlayerHost &host, const char *name)
{
    char *value = mpv_get_property_string(host.engine()->handle().get(), name);
    const QString text = value ? QString::fromUtf8(value) : QString();
    mpv_free(value);
    return text;
}

} // namespace testing
