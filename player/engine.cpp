#include "engine.h"

#include "logging.h"
#include "mpv_faults.h"

#include <QMetaObject>
#include <QUrl>
#include <clocale>

Q_LOGGING_CATEGORY(lcPlayer, "tafsir.player")

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
    // Sound goes to the desktop's sound server or to ALSA, never through
    // SDL or JACK: SDL's audio is one per process, and libjack's message
    // buffer too (a JACK server is reached through PipeWire anyway); cores
    // that open them at once from their own threads crash or deadlock the
    // process (seen: two cores' jack_client_open waiting on each other when
    // no sound server or device answers).
    {"ao", "pipewire,pulse,alsa"},
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

enum PropertyId : quint64 {
    TimePos = 1,
    Duration,
    Pause,
    PausedForCache,
    CacheBuffering,
    Volume,
    Mute,
    VideoFormat,
    Seeking,
    Speed,
    IdleActive,
};

struct Observed
{
    PropertyId id;
    const char *name;
    mpv_format format;
};
constexpr Observed kObserved[] = {
    {TimePos, "time-pos", MPV_FORMAT_DOUBLE},
    {Duration, "duration", MPV_FORMAT_DOUBLE},
    {Pause, "pause", MPV_FORMAT_FLAG},
    {PausedForCache, "paused-for-cache", MPV_FORMAT_FLAG},
    {CacheBuffering, "cache-buffering-state", MPV_FORMAT_INT64},
    {Volume, "volume", MPV_FORMAT_DOUBLE},
    {Mute, "mute", MPV_FORMAT_FLAG},
    {VideoFormat, "video-format", MPV_FORMAT_STRING},
    {Seeking, "seeking", MPV_FORMAT_FLAG},
    {Speed, "speed", MPV_FORMAT_DOUBLE},
    {IdleActive, "idle-active", MPV_FORMAT_FLAG},
};

// Replies to our loadfile commands carry this tag and the load's number.
constexpr quint64 kLoadReplyTag = quint64(1) << 62;

// Position changes smaller than this are not signalled on their own.
constexpr double kPositionStep = 0.2;

// A stream shorter than its media by more than this has ended early.
constexpr double kEarlyEndMargin = 1.0;

// A location that has not started after this long never will: the server
// sends too little (a byte now and then keeps mpv from timing out). At
// 64 kbit/s, a slow mobile link, 45 s bring about 350 KB, more than any of
// the catalogue's formats needs before its first frame.
constexpr int kOpenDeadlineSeconds = 45;

// The media has ended when the position has stood at its end this long, or
// has gone this far past it: whatever a server still sends after the media
// (a broken file of gigabytes) is not played, nor waited for.
constexpr int kEndWatchIntervalMs = 250;
constexpr qint64 kStillAtEndMs = 1500;
constexpr double kEndTolerance = 0.3;
// A position that stands still this long while mpv neither waits for data
// nor seeks means that what arrives is no media (mpv reads on through it);
// a duration guessed from the size of such a file can be hundreds of hours.
constexpr qint64 kFrozenMs = 3000;

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
    if (!initialise()) {
        m_handle.reset();
        m_state.status = Status::Failed;
        m_state.fault = Fault::EngineUnavailable;
    }
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
    // libmpv refuses to start under a locale that writes numbers with a comma.
    std::setlocale(LC_NUMERIC, "C");
    m_handle = makeMpvHandle();
    if (!m_handle) {
        qCWarning(lcPlayer) << "cannot create the playback engine";
        return false;
    }
    mpv_handle *h = m_handle.get();
    for (const Option &option : kOptions) {
        if (mpv().setOptionString(h, option.name, option.value) < 0)
            qCWarning(lcPlayer) << "engine option refused:" << option.name << option.value;
    }
    const QByteArray bundle = g_certificateBundle.toLocal8Bit();
    mpv().setOptionString(h, "tls-ca-file", bundle.constData());
    if (const int error = mpv().initialize(h); error < 0) {
        qCWarning(lcPlayer) << "cannot start the playback engine:" << mpv().errorString(error);
        return false;
    }
    // Network failures are told in log messages only; they name the fault.
    // For the debug log only: ffmpeg's messages are process-wide, and mpv
    // hands them to one core whichever stream they concern.
    mpv().requestLogMessages(h, "warn");
    for (const Observed &property : kObserved)
        mpv().observeProperty(h, property.id, property.name, property.format);
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
    if (!m_handle)
        return;
    m_state.status = Status::Connecting;
    m_state.fault = Fault::None;
    m_state.bufferingPercent = 0;
    m_state.waitSeconds = 0;
    m_state.position = 0.0;
    m_state.duration = 0.0;
    m_state.hasVideo = false;
    m_state.title = title.isEmpty() ? titleOf(location.trimmed()) : title;
    m_loading = true;
    m_loaded = false;
    m_waitingForCache = false;
    m_probe.cancel();
    m_seekTarget = 0.0;
    m_seeking = false;
    m_currentEntry = -1;
    m_waitClock.start();
    if (m_renderReady)
        sendOpen(location);
    else
        m_pending = location;
    publish();
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
    // mpv keeps "pause" from one file to the next; a new choice plays.
    int no = 0;
    mpv().setPropertyAsync(m_handle.get(), 0, "pause", MPV_FORMAT_FLAG, &no);
    const QByteArray address = m_opened.toUtf8();
    const char *args[] = {"loadfile", address.constData(), "replace", nullptr};
    ++m_loadNumber;
    if (const int error = mpv().commandAsync(m_handle.get(), kLoadReplyTag | m_loadNumber, args);
        error < 0) {
        qCWarning(lcPlayer) << "cannot open" << m_opened << mpv().errorString(error);
    }
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
    if (m_loaded) {
        int no = 0;
        mpv().setPropertyAsync(m_handle.get(), 0, "pause", MPV_FORMAT_FLAG, &no);
    } else if (!m_opened.isEmpty() && m_state.status != Status::Connecting) {
        // Stopped, finished or failed: start the same location again.
        open(m_opened, m_state.title);
    }
}

void Engine::pause()
{
    if (!m_handle || !m_loaded)
        return;
    int yes = 1;
    mpv().setPropertyAsync(m_handle.get(), 0, "pause", MPV_FORMAT_FLAG, &yes);
}

void Engine::togglePause()
{
    if (m_state.status == Status::Playing || m_state.status == Status::Buffering)
        pause();
    else
        play();
}

void Engine::stop()
{
    m_pending.clear();
    if (!m_handle || m_state.status == Status::Idle)
        return;
    command({"stop"});
}

void Engine::onWaitTick()
{
    if (m_state.status != Status::Connecting) {
        m_waitClock.stop();
        return;
    }
    ++m_state.waitSeconds;
    if (m_state.waitSeconds >= kOpenDeadlineSeconds) {
        giveUp();
        return;
    }
    publish();
}

void Engine::watchForTheEnd()
{
    if (!m_loaded) {
        m_endWatch.stop();
        return;
    }
    if (m_state.status != Status::Playing || m_state.position != m_watchedPosition) {
        m_watchedPosition = m_state.position;
        m_positionStillSince.start();
    } else if (m_positionStillSince.elapsed() >= kFrozenMs) {
        endAtTheEndOfTheMedia();
        return;
    }
    const bool atEnd =
        m_state.duration > 0.0 && !m_paused && m_state.position >= m_state.duration - kEndTolerance;
    if (!atEnd) {
        m_atEndSince.invalidate();
        return;
    }
    if (!m_atEndSince.isValid())
        m_atEndSince.start();
    if (m_state.position > m_state.duration + kEndTolerance ||
        m_atEndSince.elapsed() >= kStillAtEndMs) {
        endAtTheEndOfTheMedia();
    }
}

void Engine::endAtTheEndOfTheMedia()
{
    qCInfo(lcPlayer) << "the media of" << m_opened << "has ended; the rest is not played";
    abandonLoad();
    m_state.status = Status::Finished;
    // Where the media ended is its length, whatever was guessed before.
    if (m_state.position < m_state.duration - kEndTolerance)
        m_state.duration = m_state.position;
    m_state.position = m_state.duration;
    publish();
}

void Engine::giveUp()
{
    qCInfo(lcPlayer) << "giving up on" << m_opened << "after" << m_state.waitSeconds << "s";
    abandonLoad();
    m_state.status = Status::Failed;
    m_state.fault = Fault::TooSlow;
    publish();
}

void Engine::abandonLoad()
{
    m_waitClock.stop();
    m_endWatch.stop();
    // Whatever mpv reports of this load from now on belongs to no choice;
    // the status is the caller's to set.
    ++m_loadNumber;
    m_currentEntry = -1;
    m_loading = false;
    m_loaded = false;
    command({"stop"});
}

void Engine::seekBy(double seconds)
{
    if (!m_loaded)
        return;
    m_seekTarget = m_state.position + seconds;
    const QByteArray amount = QByteArray::number(seconds, 'f', 3);
    command({"seek", amount.constData(), "relative"});
}

void Engine::seekTo(double seconds)
{
    if (!m_loaded)
        return;
    m_seekTarget = qMax(0.0, seconds);
    const QByteArray target = QByteArray::number(m_seekTarget, 'f', 3);
    command({"seek", target.constData(), "absolute"});
}

// Volume and mute take effect in the state at once, so that steps given in
// quick succession (keys, wheel) add up before mpv confirms each one.
void Engine::setVolume(int volume)
{
    if (!m_handle)
        return;
    m_state.volume = qBound(0, volume, 100);
    double value = m_state.volume;
    mpv().setPropertyAsync(m_handle.get(), 0, "volume", MPV_FORMAT_DOUBLE, &value);
    publish();
}

void Engine::setMuted(bool muted)
{
    if (!m_handle)
        return;
    m_state.muted = muted;
    int flag = muted ? 1 : 0;
    mpv().setPropertyAsync(m_handle.get(), 0, "mute", MPV_FORMAT_FLAG, &flag);
    publish();
}

void Engine::setSpeed(double speed)
{
    if (!m_handle)
        return;
    m_state.speed = qBound(kMinimumSpeed, speed, kMaximumSpeed);
    double value = m_state.speed;
    mpv().setPropertyAsync(m_handle.get(), 0, "speed", MPV_FORMAT_DOUBLE, &value);
    publish();
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
    case MPV_EVENT_PROPERTY_CHANGE:
        handleProperty(event.reply_userdata, *static_cast<const mpv_event_property *>(event.data));
        break;
    case MPV_EVENT_COMMAND_REPLY:
        handleCommandReply(event);
        break;
    case MPV_EVENT_FILE_LOADED:
        if (m_currentEntry >= 0) {
            m_loading = false;
            m_loaded = true;
            m_atEndSince.invalidate();
            m_positionStillSince.start();
            m_endWatch.start();
        }
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
    updateStatus();
    publish();
}

void Engine::handleCommandReply(const mpv_event &event)
{
    // The reply to the latest load names its playlist entry; the end of any
    // other entry is the end of a file this one replaced.
    if (event.reply_userdata != (kLoadReplyTag | m_loadNumber))
        return;
    const auto *reply = static_cast<const mpv_event_command *>(event.data);
    if (event.error < 0 || reply->result.format != MPV_FORMAT_NODE_MAP) {
        m_loading = false;
        m_state.status = Status::Failed;
        m_state.fault = Fault::UnsupportedMedia;
        return;
    }
    const mpv_node_list *map = reply->result.u.list;
    for (int i = 0; i < map->num; ++i) {
        if (std::string_view(map->keys[i]) == "playlist_entry_id" &&
            map->values[i].format == MPV_FORMAT_INT64) {
            m_currentEntry = map->values[i].u.int64;
        }
    }
}

void Engine::handleProperty(quint64 id, const mpv_event_property &property)
{
    const bool hasValue = property.format != MPV_FORMAT_NONE && property.data;
    const auto flag = [&] {
        return hasValue && *static_cast<int *>(property.data) != 0;
    };
    const auto number = [&] {
        return hasValue ? *static_cast<double *>(property.data) : 0.0;
    };
    switch (id) {
    case TimePos:
        if (hasValue)
            m_state.position = number();
        break;
    case Duration:
        // A file that ends takes its duration with it; the time shown
        // after the end or a stop still counts against it.
        if (hasValue)
            m_state.duration = number();
        break;
    case Pause:
        m_paused = flag();
        break;
    case PausedForCache:
        m_waitingForCache = flag();
        break;
    case CacheBuffering:
        m_state.bufferingPercent = hasValue ? int(*static_cast<int64_t *>(property.data)) : 0;
        break;
    case Volume:
        m_state.volume = qRound(number());
        break;
    case Mute:
        m_state.muted = flag();
        break;
    case VideoFormat:
        m_state.hasVideo = hasValue;
        break;
    case Seeking:
        m_seeking = flag();
        break;
    case Speed:
        if (hasValue)
            m_state.speed = number();
        break;
    case IdleActive:
        m_coreIdle = flag();
        break;
    default:
        break;
    }
}

void Engine::handleEndOfFile(const mpv_event &event)
{
    const auto *end = static_cast<const mpv_event_end_file *>(event.data);
    if (m_currentEntry < 0 || end->playlist_entry_id != m_currentEntry)
        return; // a file that a newer choice replaced
    m_loading = false;
    m_loaded = false;
    m_currentEntry = -1;
    switch (end->reason) {
    case MPV_END_FILE_REASON_EOF: {
        // A seek past the end ends the file before the position gets there.
        const double reached = qMax(m_state.position, m_seekTarget);
        const bool short_ = m_state.duration > 0.0 && reached < m_state.duration - kEarlyEndMargin;
        m_state.status = short_ ? Status::EndedEarly : Status::Finished;
        if (m_state.status == Status::Finished)
            m_state.position = m_state.duration;
        break;
    }
    case MPV_END_FILE_REASON_ERROR:
        m_state.status = Status::Failed;
        m_state.fault = faultOf(end->error);
        // The location's own answer says why, for this player alone.
        m_probe.start(m_opened, g_certificateBundle);
        qCInfo(lcPlayer) << "cannot play" << m_opened << mpv().errorString(end->error);
        break;
    default:
        m_state.status = Status::Stopped;
        m_state.position = 0.0;
        break;
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
    // A probe answers only for the load that failed last; a new choice
    // cancels it. A location that serves media and still failed is one mpv
    // cannot play, or a network fault it met on the way.
    if (m_state.status != Status::Failed || fault == Fault::None)
        return;
    m_state.fault = fault;
    publish();
}

void Engine::updateStatus()
{
    if (m_loading && !m_loaded) {
        m_state.status = m_waitingForCache ? Status::Buffering : Status::Connecting;
        return;
    }
    if (!m_loaded)
        return; // idle, stopped, finished or failed: set where it happened
    // mpv reports a seek that waits for data only as "seeking", and a
    // stall as "paused for cache"; either way the position stands still.
    if (m_paused)
        m_state.status = Status::Paused;
    else if (m_waitingForCache || m_seeking)
        m_state.status = Status::Buffering;
    else
        m_state.status = Status::Playing;
}

void Engine::publish()
{
    if (m_state == m_published)
        return;
    // The position changes with every frame; the user sees it move a few
    // times a second, and the controls repaint no more often than that.
    PlaybackState withOldPosition = m_state;
    withOldPosition.position = m_published.position;
    if (withOldPosition == m_published &&
        qAbs(m_state.position - m_published.position) < kPositionStep) {
        return;
    }
    m_published = m_state;
    emit stateChanged(m_state);
}

} // namespace player
