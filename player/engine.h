#pragma once

// The playback engine of one player: it alone owns the mpv core, sets its
// options and sends it commands. Its events, which arrive on mpv's threads,
// are taken on the GUI thread and handed to the playback tracker, whose
// state the engine signals.

#include "fault_probe.h"
#include "mpv_handle.h"
#include "playback_state.h"
#include "playback_tracker.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

struct mpv_event;
struct mpv_event_property;

namespace player {

class Engine : public QObject
{
    Q_OBJECT

public:
    // Cheap: the mpv core is made by start(), or by the first open().
    explicit Engine(QObject *parent = nullptr);
    ~Engine() override;

    // Makes the mpv core, once; returns whether it runs. Settings given
    // before (volume, mute, speed) are handed to it.
    bool start();
    bool hasStarted() const { return m_started; }
    // False before start() and when the core could not be created or
    // initialised; the engine then plays nothing and its status says so.
    bool isValid() const { return m_handle != nullptr; }
    MpvHandle handle() const { return m_handle; }

    // Opens the location and plays it, replacing whatever was playing. mpv
    // can open nothing before a render context exists, so a location given
    // earlier waits for setRenderReady(). The title names it to the user;
    // without one, the location's file name does.
    void open(const QString &location, const QString &title = {});
    void setRenderReady();
    // The video surface cannot draw: what is opening fails at once, and
    // so will every later choice, as the player's own fault.
    void setRenderFailed();

    void play();
    void pause();
    void togglePause();
    void stop();
    void seekBy(double seconds);
    void seekTo(double seconds);
    void setVolume(int volume); // 0 to 100
    void setMuted(bool muted);
    void setSpeed(double speed); // kept within kMinimumSpeed to kMaximumSpeed
    // Whether a video smaller than the picture area is enlarged to fill it
    // (full screen) or shown at its own size (the window).
    void setFitToArea(bool enlarge);

    static constexpr double kMinimumSpeed = 0.5;
    static constexpr double kMaximumSpeed = 2.0;

    const PlaybackState &state() const { return m_tracker.state(); }
    Status status() const { return state().status; }
    double position() const { return state().position; }
    double duration() const { return state().duration; }
    bool isPlaying() const { return status() == Status::Playing; }
    // No file is open or opening: the core has let go of its video and
    // sound outputs, so it can be torn down at once.
    bool isAtRest() const { return !m_handle || m_tracker.isAtRest(); }
    // The location handed to mpv last, as mpv received it.
    QString openedLocation() const { return m_opened; }

    // Certificates that https locations are verified against, as a PEM
    // bundle; the system's trusted certificates unless set. Applies to
    // engines created afterwards.
    static void setCertificateBundle(const QString &path);

signals:
    // The state changed; position changes come a few times a second.
    void stateChanged(const player::PlaybackState &state);

private:
    bool initialise();
    void applySettings();
    void sendOpen(const QString &location);
    void command(std::initializer_list<const char *> args);
    void setPaused(bool paused);
    void drainEvents();
    void handleEvent(const mpv_event &event);
    void handleCommandReply(const mpv_event &event);
    // The parts of the read-ahead's state the tracker judges by.
    void readAheadFields(const mpv_event_property &property);
    // A file's tracks are known and nothing is decoded yet: the picture is
    // turned, padded or left out as its track needs, then the core goes on.
    void planThePicture(quint64 hook);
    void handleEndOfFile(const mpv_event &event);
    void noteLogMessage(const mpv_event &event);
    void nameFault(Fault fault);
    // Signals the tracker's state where it changed, and keeps looking for a
    // lost sound server while a file runs.
    void signalChange();
    void onWaitTick();
    void watchForTheEnd();
    void abandonLoad();

    MpvHandle m_handle;
    bool m_started = false;
    bool m_renderReady = false;
    bool m_renderFailed = false;
    QString m_pending;
    QString m_opened;
    PlaybackTracker m_tracker;
    // Ticks once a second while a location connects.
    QTimer m_waitClock;
    FaultProbe m_probe;
    QTimer m_endWatch;
    // Ticks while the sound server is away, to find it back.
    QTimer m_soundRetry;
    QElapsedTimer m_clock; // the time the end watch reads
};

} // namespace player
