#include "engine.h"

#include "logging.h"

#include <QMetaObject>
#include <clocale>

Q_LOGGING_CATEGORY(lcPlayer, "tafsir.player")

namespace player {
namespace {

// Options of every core. Each answers a fault met in practice:
// vo=libmpv: draw only through our render context, never in a window of mpv's own;
// ytdl=no: a location never starts an external downloader;
// audio-fallback-to-null: a machine without a sound device still plays the picture;
// idle: the core stays alive between files, so a new choice opens at once.
struct Option
{
    const char *name;
    const char *value;
};
constexpr Option kOptions[] = {
    {"vo", "libmpv"},
    {"ytdl", "no"},
    {"audio-fallback-to-null", "yes"},
    // Decoding is in software (mpv's default), so no hardware interop is loaded.
    {"gpu-hwdec-interop", "no"},
    {"idle", "yes"},
    {"terminal", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"osc", "no"},
    {"volume", "50"},
    {"loop-file", "no"},
    {"keep-open", "no"},
};

enum PropertyId : quint64 {
    TimePos = 1,
    Pause,
    IdleActive,
};

} // namespace

Engine::Engine(QObject *parent) : QObject(parent)
{
    if (!initialise())
        m_handle.reset();
}

Engine::~Engine()
{
    if (m_handle) {
        // No more wake-ups into an object that is going away.
        mpv_set_wakeup_callback(m_handle.get(), nullptr, nullptr);
    }
}

bool Engine::initialise()
{
    // libmpv refuses to start under a locale that writes numbers with a comma.
    std::setlocale(LC_NUMERIC, "C");
    m_handle = makeMpvHandle();
    if (!m_handle) {
        qCWarning(lcPlayer) << "cannot create the playback engine";
        return false;
    }
    mpv_handle *h = m_handle.get();
    for (const Option &option : kOptions) {
        if (mpv_set_option_string(h, option.name, option.value) < 0)
            qCWarning(lcPlayer) << "engine option refused:" << option.name << option.value;
    }
    if (const int error = mpv_initialize(h); error < 0) {
        qCWarning(lcPlayer) << "cannot start the playback engine:" << mpv_error_string(error);
        return false;
    }
    mpv_request_log_messages(h, "warn");
    mpv_observe_property(h, TimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(h, Pause, "pause", MPV_FORMAT_FLAG);
    mpv_observe_property(h, IdleActive, "idle-active", MPV_FORMAT_FLAG);
    mpv_set_wakeup_callback(
        h,
        [](void *engine) {
            // Called on one of mpv's threads: hand over to the GUI thread.
            QMetaObject::invokeMethod(static_cast<Engine *>(engine), &Engine::drainEvents,
                                      Qt::QueuedConnection);
        },
        this);
    return true;
}

void Engine::open(const QString &location)
{
    if (!m_handle)
        return;
    if (!m_renderReady) {
        m_pending = location;
        return;
    }
    sendOpen(location);
}

void Engine::setRenderReady()
{
    m_renderReady = true;
    if (!m_pending.isNull()) {
        sendOpen(m_pending);
        m_pending.clear();
    }
}

void Engine::sendOpen(const QString &location)
{
    // Stored locations may carry blanks around the address. mpv would take a
    // text with leading blanks for a file name and send trailing blanks with
    // the request, so the address it gets has them trimmed.
    m_opened = location.trimmed();
    const QByteArray address = m_opened.toUtf8();
    const char *args[] = {"loadfile", address.constData(), "replace", nullptr};
    if (const int error = mpv_command_async(m_handle.get(), 0, args); error < 0)
        qCWarning(lcPlayer) << "cannot open" << m_opened << mpv_error_string(error);
}

void Engine::stop()
{
    m_pending.clear();
    if (!m_handle)
        return;
    const char *args[] = {"stop", nullptr};
    mpv_command_async(m_handle.get(), 0, args);
}

void Engine::drainEvents()
{
    if (!m_handle)
        return;
    while (true) {
        const mpv_event *event = mpv_wait_event(m_handle.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void Engine::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE:
        handleProperty(event.reply_userdata, *static_cast<const mpv_event_property *>(event.data));
        break;
    case MPV_EVENT_FILE_LOADED:
        emit fileLoaded();
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event.data);
        const bool failed = end->reason == MPV_END_FILE_REASON_ERROR;
        const QString reason = failed ? QString::fromUtf8(mpv_error_string(end->error)) : QString();
        if (failed)
            qCInfo(lcPlayer) << "cannot play" << m_opened << reason;
        emit endOfFile(failed, reason);
        break;
    }
    case MPV_EVENT_LOG_MESSAGE: {
        const auto *message = static_cast<const mpv_event_log_message *>(event.data);
        qCDebug(lcPlayer).noquote()
            << message->prefix << QString::fromUtf8(message->text).trimmed();
        break;
    }
    default:
        break;
    }
}

void Engine::handleProperty(quint64 id, const mpv_event_property &property)
{
    const bool hasValue = property.format != MPV_FORMAT_NONE && property.data;
    switch (id) {
    case TimePos:
        m_position = hasValue ? *static_cast<double *>(property.data) : 0.0;
        emit positionChanged(m_position);
        break;
    case Pause:
        m_paused = hasValue && *static_cast<int *>(property.data);
        setPlaying(!m_paused && !m_idle);
        break;
    case IdleActive:
        m_idle = !hasValue || *static_cast<int *>(property.data);
        setPlaying(!m_paused && !m_idle);
        break;
    default:
        break;
    }
}

void Engine::setPlaying(bool playing)
{
    if (playing == m_playing)
        return;
    m_playing = playing;
    emit playingChanged(playing);
}

} // namespace player
