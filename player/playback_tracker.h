#pragma once

// What one playback session is doing, worked out from what the engine's core
// reports (properties, the replies to loads, files loaded and ended) and
// what the user asked for. Pure: no core, no timers, no clock; the engine
// hands it every report and the time, and carries out what it decides.

#include "playback_state.h"

#include <QString>
#include <optional>

namespace player {

// The properties of the core the state is made of.
enum class Observed {
    Position,
    Duration,
    Paused,
    PausedForCache,
    BufferingPercent,
    Volume,
    Muted,
    VideoFormat, // present while the file has a video track
    Seeking,
    Speed,
    CoreIdle, // no file open or opening
    // Not reported by the core after each frame alone: the engine asks for
    // these while it watches for the end, since a picture may stand for
    // seconds while the sound goes on.
    AudioPosition,  // the sound's position; none without sound
    StreamPosition, // the byte offset of the latest data handed to the decoders
    StreamEnd,      // the stream's size in bytes; none when the server gave none
    CachedUntil,    // the media time up to which the read-ahead holds data
    DemuxerAtEnd,   // the read-ahead has reached the end of the stream
    // The sound output: 1 for a sound server or device, 0 for the null
    // output the core falls back to when none answers, none without sound.
    SoundOutput,
};

enum class EndReason {
    EndOfFile,
    Error,
    Other, // stopped, replaced or quit
};

class PlaybackTracker
{
public:
    // A location that has not started after this long never will: the
    // server sends too little (a byte now and then keeps the core from
    // timing out). At 64 kbit/s, a slow mobile link, 45 s bring about
    // 350 KB, more than any of the catalogue's formats needs before its
    // first frame.
    static constexpr int kOpenDeadlineSeconds = 45;
    // Position changes smaller than this are not signalled on their own.
    static constexpr double kPositionStep = 0.2;
    // A stream shorter than its media by more than this has ended early.
    static constexpr double kEarlyEndMargin = 1.0;
    // The media has ended when the position has stood at its end this long,
    // or has gone this far past it: whatever a server still sends after the
    // media (a broken file of gigabytes) is not played, nor waited for.
    static constexpr qint64 kStillAtEndMs = 1500;
    static constexpr double kEndTolerance = 0.3;
    // A position that stands still this long while the core neither waits
    // for data nor seeks, and with it the sound (or, without sound, with no
    // later picture read ahead), means that what arrives is no media: the
    // core reads on through it, and a duration guessed from the size of such
    // a file can be hundreds of hours. The picture alone tells nothing: a
    // lecture of slides shows one frame for many seconds while its voice
    // plays on.
    static constexpr qint64 kFrozenMs = 3000;
    // A stream whose data reached the decoders to within this much of its
    // size was read to its end: a file that ends before the length its
    // header claims has ended, not been cut. The fraction leaves room for an
    // index at the end of the file.
    static constexpr qint64 kEndSlackBytes = 64 * 1024;
    static constexpr qint64 kEndSlackFraction = 50; // 2 %

    const PlaybackState &state() const { return m_state; }
    // The core has loaded the current file (not while it is opening): it
    // can pause, play and seek.
    bool isLoaded() const { return m_loaded; }
    // A location is opening: sent to the core or waiting to be.
    bool isLoading() const { return m_loading; }
    bool isAtRest() const { return m_coreIdle && !m_loading && !m_loaded; }
    // The number that the reply to the latest load carries.
    quint64 loadNumber() const { return m_loadNumber; }

    // The engine cannot run at all.
    void engineUnavailable();
    // A location is being opened under this title: the state starts afresh.
    void opening(const QString &title);
    // The load command for the opening location goes to the core now.
    void loadSent() { ++m_loadNumber; }
    // The core's reply to load `number`: whether it took the location, and
    // the playlist entry it made for it (-1 when it named none).
    void loadReplied(quint64 number, bool accepted, qint64 entry);
    void fileLoaded(qint64 nowMs);
    // The file of `entry` ended. Returns whether it failed, so that the
    // engine asks the location itself why.
    bool fileEnded(qint64 entry, EndReason reason, Fault fault);
    // A property's new value; none when the core has no value for it.
    void propertyChanged(Observed property, std::optional<double> value);
    // The user paused or played: the state's pause follows at once, its
    // status once the core reports it. While connecting, the pause holds
    // through the core's reports of its state before the load.
    void pauseRequested(bool paused);
    void seekRequested(double target) { m_seekTarget = qMax(0.0, target); }
    void volumeSet(int volume) { m_state.volume = volume; }
    void mutedSet(bool muted) { m_state.muted = muted; }
    void speedSet(double speed) { m_state.speed = speed; }
    // What the location itself answered about why it failed.
    void faultNamed(Fault fault);
    // The file's picture is too large to decode: it plays as sound only.
    void pictureRefused(QSize size) { m_state.refusedPicture = size; }

    // A second more of connecting. Returns false when the location has had
    // its time: the load is abandoned and the state says it was too slow.
    bool connectingTick();
    // A look, a few times a second while a file is loaded, at whether its
    // media has ended. Returns false when it has: the load is abandoned and
    // the state says it finished.
    bool watchTheEnd(qint64 nowMs);
    // Whatever the core reports of the current load from now on belongs to
    // no choice; the status is the caller's to set.
    void abandonLoad();
    // The user stopped a location that never reached the core.
    void stopped();
    // The player cannot draw, so the location opening now never will.
    void cannotDraw();

    // The state, when it changed enough to be worth telling since the last
    // call: the position moves with every frame, and the user sees it move
    // a few times a second.
    std::optional<PlaybackState> takeChange();

private:
    void updateStatus();
    // Whether the core holds media beyond the position, judged by what it
    // still has to play rather than by the picture's position alone.
    bool mediaGoesOn() const;
    bool wholeFileArrived() const;

    PlaybackState m_state;
    PlaybackState m_signalled;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_paused = false;
    bool m_waitingForCache = false;
    bool m_seeking = false;
    bool m_coreIdle = true;
    double m_seekTarget = 0.0; // where the user's last seek went
    // The playlist entry of the latest load, once the core has named it;
    // reports of other entries belong to files a newer choice replaced.
    qint64 m_currentEntry = -1;
    quint64 m_loadNumber = 0;
    // The end watch: since when the position has stood at the end, and
    // since when it has not moved at all.
    std::optional<qint64> m_atEndSinceMs;
    qint64 m_stillSinceMs = 0;
    double m_watchedPosition = -1.0;
    std::optional<double> m_watchedAudioPosition;
    // What the core last said of the sound, the stream and the read-ahead.
    std::optional<double> m_audioPosition;
    std::optional<double> m_cachedUntil;
    bool m_demuxerAtEnd = false;
    // A sound server has answered this player: a fall back to the null
    // output afterwards means the server went away.
    bool m_hadSoundOutput = false;
    qint64 m_streamPosition = -1;
    qint64 m_streamEnd = -1;
};

} // namespace player
