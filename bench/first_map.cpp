#include "first_map.h"

#include <QElapsedTimer>
#include <QProcess>
#include <memory>
#include <poll.h>
#include <xcb/xcb.h>

namespace bench {
namespace {

constexpr int kLimitMs = 30000;

struct Disconnect
{
    void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};

} // namespace

double msToFirstMap(const QString &program, const QStringList &arguments)
{
    // A server busy with the last program's end may turn a connection
    // away: asked again for a second.
    std::unique_ptr<xcb_connection_t, Disconnect> connection;
    for (int attempt = 0; attempt < 20; ++attempt) {
        connection.reset(xcb_connect(nullptr, nullptr));
        if (!xcb_connection_has_error(connection.get()))
            break;
        poll(nullptr, 0, 50);
    }
    if (xcb_connection_has_error(connection.get()))
        return -1;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;
    // Every window mapped on the root (a program's top-level window, or the
    // frame a window manager puts around it) is noticed.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(connection.get(), screen->root,
                                                                    XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t *error = xcb_request_check(connection.get(), cookie)) {
        free(error);
        return -1;
    }
    // Notices of what happened before the start are not the program's.
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection.get()))
        free(event);

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    double mappedMs = -1;
    pollfd wait{xcb_get_file_descriptor(connection.get()), POLLIN, 0};
    while (mappedMs < 0 && timer.elapsed() < kLimitMs) {
        xcb_generic_event_t *event = xcb_poll_for_event(connection.get());
        if (!event) {
            if (xcb_connection_has_error(connection.get()))
                break;
            poll(&wait, 1, 100);
            continue;
        }
        if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY)
            mappedMs = timer.nsecsElapsed() / 1e6;
        free(event);
    }
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    return mappedMs;
}

} // namespace bench
