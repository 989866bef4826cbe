#include "player_actions.h"

#include "playback_state.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

namespace player {

PlayerActions::PlayerActions(QWidget *owner) : QObject(owner)
{
    QStyle *style = owner->style();
    playPause = make("playPauseAction", owner);
    stop = make("stopAction", owner);
    stop->setIcon(style->standardIcon(QStyle::SP_MediaStop));
    stop->setText(tr("Stop"));
    seekBack = make("seekBackAction", owner);
    seekBack->setIcon(style->standardIcon(QStyle::SP_MediaSeekBackward));
    seekBack->setText(tr("Back 10 seconds"));
    seekForward = make("seekForwardAction", owner);
    seekForward->setIcon(style->standardIcon(QStyle::SP_MediaSeekForward));
    seekForward->setText(tr("Forward 10 seconds"));
    mute = make("muteAction", owner);
    mute->setCheckable(true);
    fullScreen = make("fullScreenAction", owner);
    fullScreen->setCheckable(true);
    setState(PlaybackState{});
    setFullScreen(false);
}

QAction *PlayerActions::make(const char *name, QWidget *owner)
{
    auto *action = new QAction(owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void PlayerActions::setState(const PlaybackState &state)
{
    // Called several times a second while playing: touch icons and texts
    // only when what they show changes.
    const bool showPause = state.status == Status::Playing || state.status == Status::Buffering ||
                           state.status == Status::Connecting;
    QStyle *style = qobject_cast<QWidget *>(parent())->style();
    if (showPause != m_showsPause || playPause->text().isEmpty()) {
        m_showsPause = showPause;
        playPause->setIcon(
            style->standardIcon(showPause ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
        playPause->setText(showPause ? tr("Pause") : tr("Play"));
    }
    const bool canSeek = state.status == Status::Playing || state.status == Status::Paused ||
                         state.status == Status::Buffering;
    seekBack->setEnabled(canSeek);
    seekForward->setEnabled(canSeek);
    if (state.muted != mute->isChecked() || mute->text().isEmpty()) {
        mute->setChecked(state.muted);
        mute->setIcon(style->standardIcon(state.muted ? QStyle::SP_MediaVolumeMuted
                                                      : QStyle::SP_MediaVolume));
        mute->setText(state.muted ? tr("Unmute") : tr("Mute"));
    }
}

void PlayerActions::setFullScreen(bool on)
{
    QStyle *style = qobject_cast<QWidget *>(parent())->style();
    fullScreen->setChecked(on);
    fullScreen->setIcon(
        style->standardIcon(on ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton));
    fullScreen->setText(on ? tr("Leave full screen") : tr("Full screen"));
}

} // namespace player
