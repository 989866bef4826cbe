#pragma once

// The playback engine of one player: it alone owns the mpv core, sets its
// options, sends it commands and turns its events, which arrive on mpv's
// threads, into Qt signals on the GUI thread.

#include "mpv_handle.h"

#include <QObject>
#include <QString>

namespace player {

class Engine : public QObject
{
    Q_OBJECT

public:
    explicit Engine(QObject *parent = nullptr);
    ~Engine() override;

    // False when the core could not be created or initialised; the engine
    // then plays nothing and says so once in the log.
    bool isValid() const { return m_handle != nullptr; }
    MpvHandle handle() const { return m_handle; }

    // Opens the location and plays it, replacing whatever was playing. mpv
    // can open nothing before a render context exists, so a location given
    // earlier waits for setRenderReady().
    void open(const QString &location);
    void setRenderReady();
    void stop();

    double position() const { return m_position; }
    bool isPlaying() const { return m_playing; }
    // The location handed to mpv last, as mpv received it.
    QString openedLocation() const { return m_opened; }

signals:
    void positionChanged(double seconds);
    void playingChanged(bool playing);
    void fileLoaded();
    void endOfFile(bool failed, const QString &reason);

private:
    bool initialise();
    void sendOpen(const QString &location);
    void drainEvents();
    void handleEvent(const struct mpv_event &event);
    void handleProperty(quint64 id, const struct mpv_event_property &property);
    void setPlaying(bool playing);

    MpvHandle m_handle;
    bool m_renderReady = false;
    QString m_pending;
    QString m_opened;
    double m_position = 0.0;
    bool m_paused = false;
    bool m_idle = true;
    bool m_playing = false;
};

} // namespace player
