#pragma once

// Watches one player for the desktop session: its engine's status and the
// top-level window it sits in, which may change when the player is moved to
// another window. It only observes; it never drives the player.

#include "player/playback_state.h"

#include <QObject>
#include <QPointer>

class QWindow;

namespace player {

class Engine;
class PlayerWidget;

class PlayerWatch : public QObject
{
    Q_OBJECT

public:
    // The player must have its engine.
    explicit PlayerWatch(PlayerWidget *player, QObject *parent = nullptr);

    PlayerWidget *player() const;
    Engine *engine() const;
    // A video plays where the user can see it: the case for keeping the
    // screen awake.
    bool showsVideo() const;
    // The player has played since it was attached.
    bool hasStarted() const { return m_hasStarted; }

signals:
    // Something showsVideo() depends on may have changed.
    void changed();
    // The player went over to playing from anything but a stall in playing:
    // the user started it, resumed it, or opened a new location.
    void started();
    // The user stopped the player (not a pause, not the end of the file).
    void stopped();
    // The player or its engine is being destroyed.
    void gone();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followWindowHandle();
    void followState(const PlaybackState &state);
    bool isOnScreen() const;

    QPointer<PlayerWidget> m_player;
    QPointer<Engine> m_engine;
    QPointer<QWidget> m_window;
    QPointer<QWindow> m_windowHandle;
    Status m_status = Status::Idle;
    bool m_hasVideo = false;
    bool m_running = false; // started, and not paused, stopped or ended since
    bool m_hasStarted = false;
};

} // namespace player
