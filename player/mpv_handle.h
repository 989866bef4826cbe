#pragma once

// Shared ownership of one mpv core. The engine and the video surface both
// hold it, so the core always outlives the render context that draws from
// it: freeing them in the other order aborts inside libmpv.

#include <memory>
#include <mpv/client.h>

namespace player {

using MpvHandle = std::shared_ptr<mpv_handle>;

inline MpvHandle makeMpvHandle()
{
    mpv_handle *raw = mpv_create();
    if (!raw)
        return {};
    return MpvHandle(raw, [](mpv_handle *h) { mpv_terminate_destroy(h); });
}

} // namespace player
