#include "mpv_library.h"

#include "logging.h"

#include <QThreadPool>
#include <clocale>
#include <dlfcn.h>
#include <mutex>

namespace player {
namespace {

template <typename Function> bool resolve(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        qCWarning(lcPlayer) << "libmpv lacks" << name;
    return function != nullptr;
}

const MpvLibrary *load()
{
    // Never closed: libmpv's threads and atexit handlers outlive any player.
    void *library = dlopen(TAFSIR_MPV_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qCWarning(lcPlayer) << "cannot load the playback engine:" << dlerror();
        return nullptr;
    }
    static MpvLibrary api;
    const bool complete = resolve(library, "mpv_create", api.create) &&
                          resolve(library, "mpv_initialize", api.initialize) &&
                          resolve(library, "mpv_terminate_destroy", api.terminateDestroy) &&
                          resolve(library, "mpv_set_option_string", api.setOptionString) &&
                          resolve(library, "mpv_request_log_messages", api.requestLogMessages) &&
                          resolve(library, "mpv_observe_property", api.observeProperty) &&
                          resolve(library, "mpv_set_wakeup_callback", api.setWakeupCallback) &&
                          resolve(library, "mpv_wait_event", api.waitEvent) &&
                          resolve(library, "mpv_command_async", api.commandAsync) &&
                          resolve(library, "mpv_set_property_async", api.setPropertyAsync) &&
                          resolve(library, "mpv_set_property_string", api.setPropertyString) &&
                          resolve(library, "mpv_get_property", api.getProperty) &&
                          resolve(library, "mpv_get_property_async", api.getPropertyAsync) &&
                          resolve(library, "mpv_free_node_contents", api.freeNodeContents) &&
                          resolve(library, "mpv_hook_add", api.hookAdd) &&
                          resolve(library, "mpv_hook_continue", api.hookContinue) &&
                          resolve(library, "mpv_error_string", api.errorString) &&
                          resolve(library, "mpv_render_context_create", api.renderContextCreate) &&
                          resolve(library, "mpv_render_context_set_update_callback",
                                  api.renderContextSetUpdateCallback) &&
                          resolve(library, "mpv_render_context_update", api.renderContextUpdate) &&
                          resolve(library, "mpv_render_context_render", api.renderContextRender) &&
                          resolve(library, "mpv_render_context_free", api.renderContextFree);
    return complete ? &api : nullptr;
}

} // namespace

const MpvLibrary *loadMpvLibrary()
{
    static const MpvLibrary *const library = load();
    return library;
}

void prepareProcessForMpv()
{
    static std::once_flag done;
    std::call_once(done, [] { std::setlocale(LC_NUMERIC, "C"); });
}

void preloadMpvLibrary()
{
    static std::once_flag started;
    // The global pool's threads are waited for when the application ends.
    std::call_once(started, [] { QThreadPool::globalInstance()->start([] { loadMpvLibrary(); }); });
}

} // namespace player
