#pragma once

// libmpv, loaded when the first player is created rather than with the
// program. Most windows hold no player, and a session may play nothing:
// linking libmpv would load it and the hundred-odd libraries it depends on
// at every start, which costs tens of milliseconds and tens of MiB resident
// before the home window shows. Only the functions the player calls are
// resolved.

#include <mpv/client.h>
#include <mpv/render_gl.h>

namespace player {

struct MpvLibrary
{
    decltype(&::mpv_create) create;
    decltype(&::mpv_initialize) initialize;
    decltype(&::mpv_terminate_destroy) terminateDestroy;
    decltype(&::mpv_set_option_string) setOptionString;
    decltype(&::mpv_request_log_messages) requestLogMessages;
    decltype(&::mpv_observe_property) observeProperty;
    decltype(&::mpv_set_wakeup_callback) setWakeupCallback;
    decltype(&::mpv_wait_event) waitEvent;
    decltype(&::mpv_command_async) commandAsync;
    decltype(&::mpv_set_property_async) setPropertyAsync;
    decltype(&::mpv_set_property_string) setPropertyString;
    decltype(&::mpv_get_property) getProperty;
    decltype(&::mpv_get_property_async) getPropertyAsync;
    decltype(&::mpv_free_node_contents) freeNodeContents;
    decltype(&::mpv_hook_add) hookAdd;
    decltype(&::mpv_hook_continue) hookContinue;
    decltype(&::mpv_error_string) errorString;
    decltype(&::mpv_render_context_create) renderContextCreate;
    decltype(&::mpv_render_context_set_update_callback) renderContextSetUpdateCallback;
    decltype(&::mpv_render_context_update) renderContextUpdate;
    decltype(&::mpv_render_context_render) renderContextRender;
    decltype(&::mpv_render_context_free) renderContextFree;
};

// Loads libmpv on the first call and keeps it for the life of the process.
// Null when it cannot be loaded or lacks a function; the reason is logged
// once.
const MpvLibrary *loadMpvLibrary();

// Starts loading libmpv on a worker thread and returns at once, so that a
// player about to be used finds it loaded rather than loading it on the GUI
// thread. A later loadMpvLibrary() waits for that load if it is still going.
void preloadMpvLibrary();

// libmpv reads and writes numbers with a point and refuses to start under a
// locale that writes them otherwise, which QApplication sets from the
// user's. glibc's setlocale() is not safe beside threads that use the
// locale, so the process sets the numeric locale once, on the GUI thread,
// before libmpv is loaded or any player runs: at start-up, and at the latest
// when the first player is made. Later calls do nothing.
void prepareProcessForMpv();

// The loaded library, for code that holds an mpv handle (which exists only
// once the library has loaded).
inline const MpvLibrary &mpv()
{
    return *loadMpvLibrary();
}

} // namespace player
