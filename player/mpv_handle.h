#pragma once

// Shared ownership of one mpv core. The engine and the video surface both
// hold it, so the core always outlives the render context that draws from
// it: freeing them in the other order aborts inside libmpv.

#include "mpv_library.h"

#include <memory>

namespace player {

using MpvHandle = std::shared_ptr<mpv_handle>;

// A new core; empty when libmpv cannot be loaded or the core not created.
inline MpvHandle makeMpvHandle()
{
    const MpvLibrary *library = loadMpvLibrary();
    mpv_handle *raw = library ? library->create() : nullptr;
    if (!raw)
        return {};
    return MpvHandle(raw, [library](mpv_handle *h) { library->terminateDestroy(h); });
}

} // namespace player
