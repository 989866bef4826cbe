#include "engine.h"

#include "logging.h"
#include "mpv_faults.h"
#include "picture_plan.h"
#include "playback_rules.h"
#include "sound_outputs.h"

#include <QMetaObject>
#include <QUrl>
#include <clocale>

namespace player {
namespace {

QString g_certificateBundle = QStringLiteral("/etc/ssl/certs/ca-certificates.crt");

// Options of every core. Each answers a fault met in practice or a property
// the player starts with.
struct Option
{
    const char *name;
    const char *value;
};
constexpr Option kOptions[] = {
    // Draw only through our render context, never in a window of mpv's own.
    {"vo", "libmpv"},
    // A location never starts an external downloader.
    {"ytdl", "no"},
    // A machine without a sound device still plays the picture.
    {"audio-fallback-to-null", "yes"},
    // Decoding is in software (mpv's default), so no hardware interop is loaded.
    {"gpu-hwdec-interop", "no"},
    // The core stays alive between files, so a new choice opens at once.
    {"idle", "yes"},
    {"terminal", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"osc", "no"},
    // The player's starting properties: volume 50, not muted, normal speed,
    // each file played once, video kept at its aspect and never enlarged
    // beyond its own size (a larger one is scaled down to fit).
    {"volume", "50"},
    {"mute", "no"},
    {"speed", "1"},
    {"loop-file", "no"},
    {"loop-playlist", "no"},
    {"keep-open", "no"},
    {"video-unscaled", "downscale-big"},
    // The engine turns a rotated picture upright with a filter of its own
    // (picture_plan.h): the software render context ignores the rotation
    // the core asks of it, drawing such a picture upside down or, for a
    // quarter turn, failing an assertion that ends the process.
    {"video-rotate", "no"},
    // The desktop's mixer lists each player's sound under the application's
    // name (and the episode's, set with each choice), not as "mpv".
    {"audio-client-name", "Tafsir Videos"},
    // mpv verifies no https certificate unless told to.
    {"tls-verify", "yes"},
    // A server that sends nothing for this long has failed (mpv waits 60 s).
    // Slow real links still deliver some bytes every few seconds; 20 s
    // without one is a dead connection, not a slow one.
    {"network-timeout", "20"},
    // Read-ahead for one lecture, not for a film: two minutes ahead, which
    // at the catalogue's bit rates (64 kbit/s audio to about 1 Mbit/s
    // video) is at most 15 MB, with room to seek back a minute. mpv's
    // defaults (150 MiB ahead, 50 MiB behind) let each playing window take
    // 200 MiB on a fast link, and up to 63 windows can play at once.
    {"cache-secs", "120"},
    {"demuxer-max-bytes", "16MiB"},
    {"demuxer-max-back-bytes", "8MiB"},
};

struct ObservedProperty
{
    Observed id;
    const char *name;
    mpv_format format;
};
constexpr ObservedProperty kObserved[] = {
    {Observed::Position, "time-pos", MPV_FORMAT_DOUBLE},
    {Observed::Duration, "duration", MPV_FORMAT_DOUBLE},
    {Observed::Paused, "pause", MPV_FORMAT_FLAG},
    {Observed::PausedForCache, "paused-for-cache", MPV_FORMAT_FLAG},
    {Observed::BufferingPercent, "cache-buffering-state", MPV_FORMAT_INT64},
    {Observed::Volume, "volume", MPV_FORMAT_DOUBLE},
    {Observed::Muted, "mute", MPV_FORMAT_FLAG},
    {Observed::VideoFormat, "video-format", MPV_FORMAT_STRING},
    {Observed::Seeking, "seeking", MPV_FORMAT_FLAG},
    {Observed::Speed, "speed", MPV_FORMAT_DOUBLE},
    {Observed::CoreIdle, "idle-active", MPV_FORMAT_FLAG},
    {Observed::StreamEnd, "stream-end", MPV_FORMAT_INT64},
    // A name: handed on as a real output or the null one (soundOutputOf()).
    {Observed::SoundOutput, "current-ao", MPV_FORMAT_STRING},
    // A map: its fields are handed on one by one (readAheadFields()).
    {Observed::CachedUntil, "demuxer-cache-state", MPV_FORMAT_NODE},
};

// Properties the core reports only after a frame is shown, asked for by the
// end watch instead.
constexpr ObservedProperty kPolled[] = {
    {Observed::AudioPosition, "audio-pts", MPV_FORMAT_DOUBLE},
    {Observed::StreamPosition, "stream-pos", MPV_FORMAT_INT64},
};

// A property's reports carry its place in kObserved, counted from one.
quint64 replyIdOf(std::size_t index)
{
    return quint64(index) + 1;
}

// What a property report says, as a number; none without a value.
std::optional<double> valueOf(const mpv_event_property &property)
{
    if (property.format == MPV_FORMAT_NONE || !property.data)
        return std::nullopt;
    switch (property.format) {
    case MPV_FORMAT_FLAG:
        return *static_cast<const int *>(property.data) != 0 ? 1.0 : 0.0;
    case MPV_FORMAT_INT64:
        return double(*static_cast<const int64_t *>(property.data));
    case MPV_FORMAT_DOUBLE:
        return *static_cast<const double *>(property.data);
    default:
        return 1.0; // a text: the property is present
    }
}

// Replies to our loadfile commands carry this tag and the load's number.
constexpr quint64 kLoadReplyTag = quint64(1) << 62;
// Replies to the end watch's questions carry this tag and the place in kPolled.
constexpr quint64 kPollReplyTag = quint64(1) << 61;
// The hook that runs once a file's tracks are known, before decoding starts.
constexpr quint64 kPreloadedHook = 1;
constexpr const char *kPreloadedHookName = "on_preloaded";

// The end watch looks a few times a second.
constexpr int kEndWatchIntervalMs = 250;
// The core tries its sound outputs once, and falls back to none for the rest
// of the file; while sound is lost, it tries again this often.
constexpr int kSoundRetryIntervalMs = 1000;

// The sound output the core reports: 1 for a server or device, 0 for the
// null output it falls back to, none without one.
std::optional<double> soundOutputOf(const mpv_event_property &property)
{
    if (property.format != MPV_FORMAT_STRING || !property.data)
        return std::nullopt;
    const char *name = *static_cast<const char *const *>(property.data);
    return std::string_view(name) == "null" ? 0.0 : 1.0;
}

// A video track of the core's track list, from its entry; none for a track
// of another kind or a cover picture.
std::optional<VideoTrack> videoTrackOf(const mpv_node &entry)
{
    if (entry.format != MPV_FORMAT_NODE_MAP)
        return std::nullopt;
    bool video = false;
    bool cover = false;
    int width = 0;
    int height = 0;
    int rotation = 0;
    const mpv_node_list *fields = entry.u.list;
    for (int i = 0; i < fields->num; ++i) {
        const std::string_view key = fields->keys[i];
        const mpv_node &value = fields->values[i];
        if (key == "type" && value.format == MPV_FORMAT_STRING)
            video = std::string_view(value.u.string) == "video";
        else if (key == "albumart" && value.format == MPV_FORMAT_FLAG)
            cover = value.u.flag != 0;
        else if (value.format != MPV_FORMAT_INT64)
            continue;
        else if (key == "demux-w")
            width = int(value.u.int64);
        else if (key == "demux-h")
            height = int(value.u.int64);
        else if (key == "demux-rotation")
            rotation = int(value.u.int64);
    }
    if (!video || cover)
        return std::nullopt;
    return VideoTrack{QSize(width, height), rotation};
}

// The video track the core will choose for the file being opened: the
// first that is not a cover picture. Tracks are known, none chosen yet.
std::optional<VideoTrack> firstVideoTrack(mpv_handle *core)
{
    mpv_node list;
    if (mpv().getProperty(core, "track-list", MPV_FORMAT_NODE, &list) < 0)
        return std::nullopt;
    std::optional<VideoTrack> found;
    if (list.format == MPV_FORMAT_NODE_ARRAY) {
        for (int i = 0; i < list.u.list->num && !found; ++i)
            found = videoTrackOf(list.u.list->values[i]);
    }
    mpv().freeNodeContents(&list);
    return found;
}

QString titleOf(const QString &location)
{
    const QUrl url(location);
    const QString name = url.fileName(QUrl::FullyDecoded);
    return name.isEmpty() ? location : name;
}

} // namespace

Engine::Engine(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<PlaybackState>();
    connect(&m_probe, &FaultProbe::named, this, &Engine::nameFault);
    m_endWatch.setInterval(kEndWatchIntervalMs);
    connect(&m_endWatch, &QTimer::timeout, this, &Engine::watchForTheEnd);
    m_waitClock.setInterval(1000);
    connect(&m_waitClock, &QTimer::timeout, this, &Engine::onWaitTick);
    m_soundRetry.setInterval(kSoundRetryIntervalMs);
    connect(&m_soundRetry, &QTimer::timeout, this, [this] { command({"ao-reload"}); });
    m_clock.start();
}

bool Engine::start()
{
    if (m_started)
        return isValid();
    m_started = true;
    if (!initialise()) {
        m_handle.reset();
        m_tracker.engineUnavailable();
        signalChange();
        return false;
    }
    // What the user set before is what plays.
    applySettings();
    return true;
}

void Engine::applySettings()
{
    double volume = state().volume;
    mpv().setPropertyAsync(m_handle.get(), 0, "volume", MPV_FORMAT_DOUBLE, &volume);
    int muted = state().muted ? 1 : 0;
    mpv().setPropertyAsync(m_handle.get(), 0, "mute", MPV_FORMAT_FLAG, &muted);
    double speed = state().speed;
    mpv().setPropertyAsync(m_handle.get(), 0, "speed", MPV_FORMAT_DOUBLE, &speed);
}

Engine::~Engine()
{
    if (m_handle) {
        // No more wake-ups into an object that is going away.
        mpv().setWakeupCallback(m_handle.get(), nullptr, nullptr);
    }
}

void Engine::setCertificateBundle(const QString &path)
{
    g_certificateBundle = path;
}

bool Engine::initialise()
{
    // The process's numeric locale is set once (prepareProcessForMpv()),
    // never here, where other players' threads may be reading it.
    m_handle = makeMpvHandle();
    if (!m_handle) {
        qCWarning(lcPlayer) << "cannot create the playback engine; numeric locale:"
                            << std::setlocale(LC_NUMERIC, nullptr);
        return false;
    }
    mpv_handle *h = m_handle.get();
    for (const Option &option : kOptions) {
        if (mpv().setOptionString(h, option.name, option.value) < 0)
            qCWarning(lcPlayer) << "engine option refused:" << option.name << option.value;
    }
    // Sound goes to the desktop's sound server or to ALSA, never through
    // SDL or JACK: SDL's audio is one per process, and libjack's message
    // buffer too (a JACK server is reached through PipeWire anyway); cores
    // that open them at once from their own threads crash or deadlock the
    // process (seen: two cores' jack_client_open waiting on each other when
    // no sound server or device answers).
    mpv().setOptionString(h, "ao", soundOutputs(soundSystemHere()).constData());
    const QByteArray bundle = g_certificateBundle.toLocal8Bit();
    mpv().setOptionString(h, "tls-ca-file", bundle.constData());
    if (const int error = mpv().initialize(h); error < 0) {
        qCWarning(lcPlayer) << "cannot start the playback engine:" << mpv().errorString(error);
        return false;
    }
    // For the debug log only: ffmpeg's messages are process-wide, and mpv
    // hands them to one core whichever stream they concern.
    mpv().requestLogMessages(h, "warn");
    for (std::size_t i = 0; i < std::size(kObserved); ++i)
        mpv().observeProperty(h, replyIdOf(i), kObserved[i].name, kObserved[i].format);
    mpv().hookAdd(h, kPreloadedHook, kPreloadedHookName, 0);
    mpv().setWakeupCallback(
        h,
        [](void *engine) {
            // Called on one of mpv's threads: hand over to the GUI thread.
            QMetaObject::invokeMethod(static_cast<Engine *>(engine), &Engine::drainEvents,
                                      Qt::QueuedConnection);
        },
        this);
    return true;
}

void Engine::open(const QString &location, const QString &title)
{
    if (!start())
        return;
    m_tracker.opening(title.isEmpty() ? titleOf(location.trimmed()) : title);
    m_probe.cancel();
    m_waitClock.start();
    if (m_renderFailed) {
        m_waitClock.stop();
        m_tracker.cannotDraw();
    } else if (m_renderReady) {
        sendOpen(location);
    } else {
        m_pending = location;
    }
    signalChange();
}

void Engine::setRenderFailed()
{
    m_renderFailed = true;
    if (m_pending.isNull())
        return;
    m_pending.clear();
    m_waitClock.stop();
    m_tracker.cannotDraw();
    signalChange();
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
    // mpv keeps "pause" from one file to the next: a new choice plays,
    // unless it was paused while it waited for the video surface.
    int paused = state().paused ? 1 : 0;
    mpv().setPropertyAsync(m_handle.get(), 0, "pause", MPV_FORMAT_FLAG, &paused);
    // The sound's name in the mixer: the episode, as the desktop's media
    // controls name it. mpv expands "${...}" in it, and "$$" is a "$".
    const QByteArray title = state().title.toUtf8().replace("$", "$$");
    const char *titleText = title.constData();
    mpv().setPropertyAsync(m_handle.get(), 0, "title", MPV_FORMAT_STRING, &titleText);
    const QByteArray address = m_opened.toUtf8();
    const char *args[] = {"loadfile", address.constData(), "replace", nullptr};
    m_tracker.loadSent();
    const quint64 reply = kLoadReplyTag | m_tracker.loadNumber();
    if (const int error = mpv().commandAsync(m_handle.get(), reply, args); error < 0)
        qCWarning(lcPlayer) << "cannot open" << m_opened << mpv().errorString(error);
}

void Engine::command(std::initializer_list<const char *> args)
{
    if (!m_handle)
        return;
    std::vector<const char *> list(args);
    list.push_back(nullptr);
    mpv().commandAsync(m_handle.get(), 0, list.data());
}

void Engine::play()
{
    if (!m_handle)
        return;
    if (m_tracker.isLoaded() || m_tracker.isLoading()) {
        // Resumes an open file, or lets a held opening go on.
        setPaused(false);
    } else if (!m_opened.isEmpty()) {
        // Stopped, finished or failed: start the same location again.
        open(m_opened, state().title);
    }
}

void Engine::pause()
{
    // A pause while connecting holds: the core opens the file paused.
    if (m_tracker.isLoaded() || m_tracker.isLoading())
        setPaused(true);
}

void Engine::togglePause()
{
    if (pausesNow(state()))
        pause();
    else
        play();
}

void Engine::setPaused(bool paused)
{
    if (!m_handle)
        return;
    // Shown at once, as the button's next press depends on it.
    m_tracker.pauseRequested(paused);
    int flag = paused ? 1 : 0;
    mpv().setPropertyAsync(m_handle.get(), 0, "pause", MPV_FORMAT_FLAG, &flag);
    signalChange();
}

void Engine::stop()
{
    if (!m_handle || !isUnderway(status()))
        return;
    if (!m_pending.isNull()) {
        // The location never reached the core, which has nothing to stop;
        // Play opens it again.
        m_opened = m_pending.trimmed();
        m_pending.clear();
        m_waitClock.stop();
        m_tracker.stopped();
        signalChange();
        return;
    }
    command({"stop"});
}

void Engine::onWaitTick()
{
    const bool goesOn = m_tracker.connectingTick();
    if (!goesOn) {
        qCInfo(lcPlayer) << "giving up on" << m_opened << "after" << state().waitSeconds << "s";
        abandonLoad();
    }
    if (status() != Status::Connecting)
        m_waitClock.stop();
    signalChange();
}

void Engine::watchForTheEnd()
{
    // The answers come with the next events; the watch judges by the latest.
    for (std::size_t i = 0; i < std::size(kPolled); ++i)
        mpv().getPropertyAsync(m_handle.get(), kPollReplyTag | i, kPolled[i].name,
                               kPolled[i].format);
    if (!m_tracker.watchTheEnd(m_clock.elapsed())) {
        qCInfo(lcPlayer) << "the media of" << m_opened << "has ended; the rest is not played";
        abandonLoad();
    }
    if (!m_tracker.isLoaded())
        m_endWatch.stop();
    signalChange();
}

void Engine::abandonLoad()
{
    m_waitClock.stop();
    m_endWatch.stop();
    command({"stop"});
}

void Engine::seekBy(double seconds)
{
    if (!m_tracker.isLoaded())
        return;
    m_tracker.seekRequested(position() + seconds);
    const QByteArray amount = QByteArray::number(seconds, 'f', 3);
    command({"seek", amount.constData(), "relative"});
}

void Engine::seekTo(double seconds)
{
    if (!m_tracker.isLoaded())
        return;
    const double target = qMax(0.0, seconds);
    m_tracker.seekRequested(target);
    const QByteArray amount = QByteArray::number(target, 'f', 3);
    command({"seek", amount.constData(), "absolute"});
}

// Volume and mute take effect in the state at once, so that steps given in
// quick succession (keys, wheel) add up before mpv confirms each one.
// Before the core exists the settings are kept there alone, and handed to
// the core as it is made.
void Engine::setVolume(int volume)
{
    m_tracker.volumeSet(qBound(0, volume, 100));
    if (m_handle) {
        double value = state().volume;
        mpv().setPropertyAsync(m_handle.get(), 0, "volume", MPV_FORMAT_DOUBLE, &value);
    }
    signalChange();
}

void Engine::setMuted(bool muted)
{
    m_tracker.mutedSet(muted);
    if (m_handle) {
        int flag = muted ? 1 : 0;
        mpv().setPropertyAsync(m_handle.get(), 0, "mute", MPV_FORMAT_FLAG, &flag);
    }
    signalChange();
}

void Engine::setSpeed(double speed)
{
    m_tracker.speedSet(qBound(kMinimumSpeed, speed, kMaximumSpeed));
    if (m_handle) {
        double value = state().speed;
        mpv().setPropertyAsync(m_handle.get(), 0, "speed", MPV_FORMAT_DOUBLE, &value);
    }
    signalChange();
}

void Engine::setFitToArea(bool enlarge)
{
    if (!m_handle)
        return;
    // In the window a video is never shown larger than it is; full screen
    // fills the screen, aspect kept.
    const char *value = enlarge ? "no" : "downscale-big";
    mpv().setPropertyAsync(m_handle.get(), 0, "video-unscaled", MPV_FORMAT_STRING, &value);
}

void Engine::drainEvents()
{
    if (!m_handle)
        return;
    while (true) {
        const mpv_event *event = mpv().waitEvent(m_handle.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void Engine::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE: {
        const std::size_t index = event.reply_userdata - 1;
        if (event.reply_userdata > 0 && index < std::size(kObserved)) {
            const auto &property = *static_cast<const mpv_event_property *>(event.data);
            if (property.format == MPV_FORMAT_NODE)
                readAheadFields(property);
            else if (kObserved[index].id == Observed::SoundOutput)
                m_tracker.propertyChanged(Observed::SoundOutput, soundOutputOf(property));
            else
                m_tracker.propertyChanged(kObserved[index].id, valueOf(property));
        }
        break;
    }
    case MPV_EVENT_GET_PROPERTY_REPLY:
        if (const quint64 index = event.reply_userdata & ~kPollReplyTag;
            (event.reply_userdata & kPollReplyTag) && index < std::size(kPolled)) {
            const auto &property = *static_cast<const mpv_event_property *>(event.data);
            m_tracker.propertyChanged(kPolled[index].id,
                                      event.error < 0 ? std::nullopt : valueOf(property));
        }
        break;
    case MPV_EVENT_HOOK:
        planThePicture(static_cast<const mpv_event_hook *>(event.data)->id);
        break;
    case MPV_EVENT_COMMAND_REPLY:
        handleCommandReply(event);
        break;
    case MPV_EVENT_FILE_LOADED:
        m_tracker.fileLoaded(m_clock.elapsed());
        if (m_tracker.isLoaded())
            m_endWatch.start();
        break;
    case MPV_EVENT_END_FILE:
        handleEndOfFile(event);
        break;
    case MPV_EVENT_LOG_MESSAGE:
        noteLogMessage(event);
        break;
    default:
        break;
    }
    signalChange();
}

void Engine::planThePicture(quint64 hook)
{
    mpv_handle *core = m_handle.get();
    const VideoTrack track = firstVideoTrack(core).value_or(VideoTrack{});
    const PicturePlan plan = planPicture(track);
    // File-local: the next file starts again from the defaults.
    if (!plan.filters.isEmpty() &&
        mpv().setPropertyString(core, "file-local-options/vf", plan.filters.constData()) < 0)
        qCWarning(lcPlayer) << "cannot turn or place the picture of" << m_opened;
    if (!plan.shown) {
        qCInfo(lcPlayer) << "not decoding the picture of" << m_opened << track.size;
        mpv().setPropertyString(core, "file-local-options/vid", "no");
        m_tracker.pictureRefused(track.size);
    }
    mpv().hookContinue(core, hook);
}

void Engine::readAheadFields(const mpv_event_property &property)
{
    std::optional<double> cachedUntil;
    bool atEnd = false;
    const auto *node = static_cast<const mpv_node *>(property.data);
    if (node && node->format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list *fields = node->u.list;
        for (int i = 0; i < fields->num; ++i) {
            const std::string_view key = fields->keys[i];
            const mpv_node &value = fields->values[i];
            if (key == "cache-end" && value.format == MPV_FORMAT_DOUBLE)
                cachedUntil = value.u.double_;
            else if (key == "eof" && value.format == MPV_FORMAT_FLAG)
                atEnd = value.u.flag != 0;
        }
    }
    m_tracker.propertyChanged(Observed::CachedUntil, cachedUntil);
    m_tracker.propertyChanged(Observed::DemuxerAtEnd, atEnd ? 1.0 : 0.0);
}

void Engine::handleCommandReply(const mpv_event &event)
{
    if (!(event.reply_userdata & kLoadReplyTag))
        return;
    const auto *reply = static_cast<const mpv_event_command *>(event.data);
    const bool accepted = event.error >= 0 && reply->result.format == MPV_FORMAT_NODE_MAP;
    qint64 entry = -1;
    if (accepted) {
        const mpv_node_list *map = reply->result.u.list;
        for (int i = 0; i < map->num; ++i) {
            if (std::string_view(map->keys[i]) == "playlist_entry_id" &&
                map->values[i].format == MPV_FORMAT_INT64) {
                entry = map->values[i].u.int64;
            }
        }
    }
    m_tracker.loadReplied(event.reply_userdata & ~kLoadReplyTag, accepted, entry);
}

void Engine::handleEndOfFile(const mpv_event &event)
{
    const auto *end = static_cast<const mpv_event_end_file *>(event.data);
    const EndReason reason = end->reason == MPV_END_FILE_REASON_EOF     ? EndReason::EndOfFile
                             : end->reason == MPV_END_FILE_REASON_ERROR ? EndReason::Error
                                                                        : EndReason::Other;
    if (m_tracker.fileEnded(end->playlist_entry_id, reason, faultOf(end->error))) {
        // The location's own answer says why, for this player alone.
        m_probe.start(m_opened, g_certificateBundle);
        qCInfo(lcPlayer) << "cannot play" << m_opened << mpv().errorString(end->error);
    }
}

void Engine::noteLogMessage(const mpv_event &event)
{
    const auto *message = static_cast<const mpv_event_log_message *>(event.data);
    const QString text = QString::fromUtf8(message->text).trimmed();
    qCDebug(lcPlayer).noquote() << message->prefix << text;
}

void Engine::nameFault(Fault fault)
{
    m_tracker.faultNamed(fault);
    signalChange();
}

void Engine::signalChange()
{
    const bool retry = state().soundLost && isRunning(status());
    if (retry != m_soundRetry.isActive()) {
        if (retry)
            m_soundRetry.start();
        else
            m_soundRetry.stop();
    }
    if (const std::optional<PlaybackState> changed = m_tracker.takeChange())
        emit stateChanged(*changed);
}

} // namespace player
