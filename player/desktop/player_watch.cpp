#include "player_watch.h"

#include "player/engine.h"
#include "player/player_widget.h"

#include <QEvent>
#include <QWindow>

namespace player {

PlayerWatch::PlayerWatch(PlayerWidget *player, QObject *parent)
    : QObject(parent), m_player(player), m_engine(player->engine()), m_window(player->window())
{
    // The widget destroys its engine before QObject announces the widget's
    // own end, so either may be the first to go.
    connect(player, &QObject::destroyed, this, &PlayerWatch::gone);
    connect(m_engine, &QObject::destroyed, this, &PlayerWatch::gone);
    connect(m_engine, &Engine::stateChanged, this, &PlayerWatch::followState);
    // A player stays in the window it was made in; the window's QWindow is
    // made as it is first shown, and again after the window gave it back.
    player->installEventFilter(this);
    if (m_window != player)
        m_window->installEventFilter(this);
    followWindowHandle();
    followState(m_engine->state());
}

PlayerWidget *PlayerWatch::player() const
{
    return m_player;
}

Engine *PlayerWatch::engine() const
{
    return m_engine;
}

bool PlayerWatch::showsVideo() const
{
    // A seek or a stall while playing is still playing to the person
    // watching: the screen stays awake through it.
    return m_engine && m_running && m_hasVideo && isOnScreen();
}

bool PlayerWatch::isOnScreen() const
{
    if (!m_player || !m_player->isVisible())
        return false;
    const QWidget *window = m_player->window();
    const QWindow *handle = window->windowHandle();
    return !window->isMinimized() && handle && handle->isExposed();
}

void PlayerWatch::followState(const PlaybackState &state)
{
    // Position reports come many times a second; only what showsVideo() and
    // started() depend on matters here.
    if (state.status == m_status && state.hasVideo == m_hasVideo)
        return;
    m_status = state.status;
    m_hasVideo = state.hasVideo;
    const bool wasRunning = m_running;
    if (state.status == Status::Playing)
        m_running = true;
    else if (state.status != Status::Buffering)
        m_running = false;
    if (m_running && !wasRunning) {
        m_hasStarted = true;
        emit started();
    }
    if (state.status == Status::Stopped)
        emit stopped();
    emit changed();
}

void PlayerWatch::followWindowHandle()
{
    QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
    if (handle != m_windowHandle) {
        if (m_windowHandle)
            m_windowHandle->removeEventFilter(this);
        m_windowHandle = handle;
        if (handle)
            handle->installEventFilter(this);
    }
}

bool PlayerWatch::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == m_player || watched == m_window)
            followWindowHandle();
        emit changed();
        break;
    case QEvent::Hide:
    case QEvent::Expose:
    case QEvent::WindowStateChange:
        emit changed();
        break;
    default:
        break;
    }
    return false;
}

} // namespace player
