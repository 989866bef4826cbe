#include "playback_tracker.h"

#include <QtMath>

namespace player {

void PlaybackTracker::engineUnavailable()
{
    m_state.status = Status::Failed;
    m_state.fault = Fault::EngineUnavailable;
}

void PlaybackTracker::opening(const QString &title)
{
    m_state.status = Status::Connecting;
    m_state.fault = Fault::None;
    m_state.bufferingPercent = 0;
    m_state.waitSeconds = 0;
    m_state.position = 0.0;
    m_state.duration = 0.0;
    m_state.hasVideo = false;
    m_state.refusedPicture = QSize();
    m_state.title = title;
    m_loading = true;
    m_loaded = false;
    m_paused = false;
    m_state.paused = false;
    m_waitingForCache = false;
    m_seekTarget = 0.0;
    m_seeking = false;
    m_currentEntry = -1;
    m_audioPosition.reset();
    m_watchedAudioPosition.reset();
    m_cachedUntil.reset();
    m_demuxerAtEnd = false;
    m_streamPosition = -1;
    m_streamEnd = -1;
}

void PlaybackTracker::loadReplied(quint64 number, bool accepted, qint64 entry)
{
    if (number != m_loadNumber)
        return; // the reply to a load that a newer one replaced
    if (!accepted) {
        m_loading = false;
        m_state.status = Status::Failed;
        m_state.fault = Fault::UnsupportedMedia;
        return;
    }
    // The end of any other entry is the end of a file this one replaced.
    m_currentEntry = entry;
}

void PlaybackTracker::fileLoaded(qint64 nowMs)
{
    if (m_currentEntry >= 0) {
        m_loading = false;
        m_loaded = true;
        m_atEndSinceMs.reset();
        m_stillSinceMs = nowMs;
    }
    updateStatus();
}

bool PlaybackTracker::fileEnded(qint64 entry, EndReason reason, Fault fault)
{
    if (m_currentEntry < 0 || entry != m_currentEntry)
        return false; // a file that a newer choice replaced
    m_loading = false;
    m_loaded = false;
    m_currentEntry = -1;
    switch (reason) {
    case EndReason::EndOfFile: {
        // A seek past the end ends the file before the position gets there,
        // and the picture's position stays at the last picture while the
        // sound plays on to the end.
        const double reached =
            qMax(qMax(m_state.position, m_seekTarget), m_audioPosition.value_or(0.0));
        bool short_ = m_state.duration > 0.0 && reached < m_state.duration - kEarlyEndMargin;
        if (short_ && wholeFileArrived()) {
            // The whole file came and its media ended here: the length its
            // header claimed was wrong, not the stream. (Without sound, the
            // last picture's own time is not counted: mpv's position ends
            // where that picture begins.)
            m_state.duration = reached;
            short_ = false;
        }
        m_state.status = short_ ? Status::EndedEarly : Status::Finished;
        if (m_state.status == Status::Finished)
            m_state.position = m_state.duration;
        return false;
    }
    case EndReason::Error:
        m_state.status = Status::Failed;
        m_state.fault = fault;
        return true;
    case EndReason::Other:
        m_state.status = Status::Stopped;
        m_state.position = 0.0;
        return false;
    }
    return false;
}

void PlaybackTracker::propertyChanged(Observed property, std::optional<double> value)
{
    const bool flag = value.value_or(0.0) != 0.0;
    switch (property) {
    case Observed::Position:
        if (value)
            m_state.position = *value;
        break;
    case Observed::Duration:
        // A file that ends takes its duration with it; the time shown after
        // the end or a stop still counts against it.
        if (value)
            m_state.duration = *value;
        break;
    case Observed::Paused:
        m_paused = flag;
        // While a location opens, what the core reports is its state before
        // the load; the user's pause holds until the file is open.
        if (m_loaded)
            m_state.paused = flag;
        break;
    case Observed::PausedForCache:
        m_waitingForCache = flag;
        break;
    case Observed::BufferingPercent:
        m_state.bufferingPercent = int(value.value_or(0.0));
        break;
    case Observed::Volume:
        m_state.volume = qRound(value.value_or(0.0));
        break;
    case Observed::Muted:
        m_state.muted = flag;
        break;
    case Observed::VideoFormat:
        m_state.hasVideo = value.has_value();
        break;
    case Observed::Seeking:
        m_seeking = flag;
        break;
    case Observed::Speed:
        if (value)
            m_state.speed = *value;
        break;
    case Observed::CoreIdle:
        m_coreIdle = flag;
        break;
    case Observed::AudioPosition:
        m_audioPosition = value;
        break;
    case Observed::StreamPosition:
        // Kept through the end of the file, which takes the value with it.
        if (value)
            m_streamPosition = qint64(*value);
        break;
    case Observed::StreamEnd:
        if (value)
            m_streamEnd = qint64(*value);
        break;
    case Observed::CachedUntil:
        m_cachedUntil = value;
        break;
    case Observed::DemuxerAtEnd:
        m_demuxerAtEnd = flag;
        break;
    case Observed::SoundOutput:
        // Without a server from the start there is nothing to lose: the
        // machine plays in silence, as it always has.
        if (value && *value > 0.0)
            m_hadSoundOutput = true;
        m_state.soundLost = m_hadSoundOutput && value && *value == 0.0;
        break;
    }
    updateStatus();
}

void PlaybackTracker::faultNamed(Fault fault)
{
    // The location's answer counts only for the load that failed last; a
    // location that serves media and still failed is one the core cannot
    // play, or a network fault it met on the way.
    if (m_state.status != Status::Failed || fault == Fault::None)
        return;
    m_state.fault = fault;
}

bool PlaybackTracker::connectingTick()
{
    if (m_state.status != Status::Connecting)
        return true;
    ++m_state.waitSeconds;
    if (m_state.waitSeconds < kOpenDeadlineSeconds)
        return true;
    abandonLoad();
    m_state.status = Status::Failed;
    m_state.fault = Fault::TooSlow;
    return false;
}

bool PlaybackTracker::watchTheEnd(qint64 nowMs)
{
    if (!m_loaded)
        return true;
    bool ended = false;
    if (m_state.status != Status::Playing || m_state.position != m_watchedPosition ||
        m_audioPosition != m_watchedAudioPosition) {
        m_watchedPosition = m_state.position;
        m_watchedAudioPosition = m_audioPosition;
        m_stillSinceMs = nowMs;
    } else if (nowMs - m_stillSinceMs >= kFrozenMs && !mediaGoesOn()) {
        ended = true;
    }
    const bool atEnd =
        m_state.duration > 0.0 && !m_paused && m_state.position >= m_state.duration - kEndTolerance;
    if (!ended && !atEnd) {
        m_atEndSinceMs.reset();
        return true;
    }
    if (!ended) {
        if (!m_atEndSinceMs)
            m_atEndSinceMs = nowMs;
        ended = m_state.position > m_state.duration + kEndTolerance ||
                nowMs - *m_atEndSinceMs >= kStillAtEndMs;
    }
    if (!ended)
        return true;
    abandonLoad();
    m_state.status = Status::Finished;
    // Where the media ended is its length, whatever was guessed before.
    if (m_state.position < m_state.duration - kEndTolerance)
        m_state.duration = m_state.position;
    m_state.position = m_state.duration;
    return false;
}

bool PlaybackTracker::mediaGoesOn() const
{
    // A stream read to its end holds no endless junk: the core ends the
    // file itself when it gets there.
    if (m_demuxerAtEnd)
        return true;
    // With sound, the sound's position tells: it moves while the media
    // plays, and the read-ahead is no witness, as a decoder fed junk finds
    // frames of no length in it. Without sound, a later picture read ahead
    // is one the core is waiting to show.
    if (m_audioPosition)
        return false;
    return m_cachedUntil && *m_cachedUntil > m_state.position + kEndTolerance;
}

bool PlaybackTracker::wholeFileArrived() const
{
    if (m_streamEnd <= 0 || m_streamPosition < 0)
        return false;
    const qint64 slack = qMax(kEndSlackBytes, m_streamEnd / kEndSlackFraction);
    return m_streamPosition >= m_streamEnd - slack;
}

void PlaybackTracker::abandonLoad()
{
    ++m_loadNumber;
    m_currentEntry = -1;
    m_loading = false;
    m_loaded = false;
}

void PlaybackTracker::pauseRequested(bool paused)
{
    // What the button offers follows the request at once; the status
    // follows the core, which has paused only once it says so.
    m_state.paused = paused;
}

void PlaybackTracker::cannotDraw()
{
    abandonLoad();
    m_state.status = Status::Failed;
    m_state.fault = Fault::EngineUnavailable;
}

void PlaybackTracker::stopped()
{
    abandonLoad();
    m_state.status = Status::Stopped;
    m_state.position = 0.0;
}

std::optional<PlaybackState> PlaybackTracker::takeChange()
{
    if (m_state == m_signalled)
        return std::nullopt;
    PlaybackState withOldPosition = m_state;
    withOldPosition.position = m_signalled.position;
    if (withOldPosition == m_signalled &&
        qAbs(m_state.position - m_signalled.position) < kPositionStep) {
        return std::nullopt;
    }
    m_signalled = m_state;
    return m_state;
}

void PlaybackTracker::updateStatus()
{
    if (m_loading && !m_loaded) {
        m_state.status = m_waitingForCache ? Status::Buffering : Status::Connecting;
        return;
    }
    if (!m_loaded)
        return; // idle, stopped, finished or failed: set where it happened
    // The core reports a seek that waits for data only as "seeking", and a
    // stall as "paused for cache"; either way the position stands still.
    if (m_paused)
        m_state.status = Status::Paused;
    else if (m_waitingForCache || m_seeking)
        m_state.status = Status::Buffering;
    else
        m_state.status = Status::Playing;
}

} // namespace player
