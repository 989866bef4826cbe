#include "player_actions.h"

#include "playback_state.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QStyle>
#include <QWidget>

namespace player {
namespace {

// The style's icon for a standard action, made once for every player of the
// process: the style draws a new set of pixmaps on every call, which for 63
// players came to megabytes. Icons are implicitly shared.
QIcon standardIcon(QStyle::StandardPixmap which)
{
    static QHash<int, QIcon> icons;
    auto found = icons.constFind(which);
    if (found == icons.constEnd())
        found = icons.insert(which, QApplication::style()->standardIcon(which));
    return *found;
}

} // namespace

PlayerActions::PlayerActions(QWidget *owner) : QObject(owner)
{
    playPause = make("playPauseAction", owner);
    stop = make("stopAction", owner);
    stop->setIcon(standardIcon(QStyle::SP_MediaStop));
    stop->setText(tr("Stop"));
    seekBack = make("seekBackAction", owner);
    seekBack->setIcon(standardIcon(QStyle::SP_MediaSeekBackward));
    seekBack->setText(tr("Back 10 seconds"));
    seekForward = make("seekForwardAction", owner);
    seekForward->setIcon(standardIcon(QStyle::SP_MediaSeekForward));
    seekForward->setText(tr("Forward 10 seconds"));
    stepBack = make("stepBackAction", owner);
    stepBack->setText(tr("Back 5 seconds"));
    stepForward = make("stepForwardAction", owner);
    stepForward->setText(tr("Forward 5 seconds"));
    jumpBack = make("jumpBackAction", owner);
    jumpBack->setText(tr("Back 1 minute"));
    jumpForward = make("jumpForwardAction", owner);
    jumpForward->setText(tr("Forward 1 minute"));
    mute = make("muteAction", owner);
    mute->setCheckable(true);
    quieter = make("quieterAction", owner);
    quieter->setText(tr("Quieter"));
    louder = make("louderAction", owner);
    louder->setText(tr("Louder"));
    fullScreen = make("fullScreenAction", owner);
    fullScreen->setCheckable(true);
    leaveFullScreen = make("leaveFullScreenAction", owner);
    leaveFullScreen->setText(tr("Leave full screen"));
    slower = make("slowerAction", owner);
    slower->setText(tr("Slower"));
    faster = make("fasterAction", owner);
    faster->setText(tr("Faster"));
    normalSpeed = make("normalSpeedAction", owner);
    normalSpeed->setText(tr("Normal speed"));
    previousEpisode = make("previousEpisodeAction", owner);
    previousEpisode->setIcon(standardIcon(QStyle::SP_MediaSkipBackward));
    previousEpisode->setText(tr("Previous episode"));
    nextEpisode = make("nextEpisodeAction", owner);
    nextEpisode->setIcon(standardIcon(QStyle::SP_MediaSkipForward));
    nextEpisode->setText(tr("Next episode"));
    setNeighbours(false, false);
    // The first call draws every icon and text.
    m_showsMuted = true;
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
    if (showPause != m_showsPause || playPause->text().isEmpty()) {
        m_showsPause = showPause;
        playPause->setIcon(standardIcon(showPause ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
        playPause->setText(showPause ? tr("Pause") : tr("Play"));
    }
    const bool canSeek = state.status == Status::Playing || state.status == Status::Paused ||
                         state.status == Status::Buffering;
    for (QAction *seek : {seekBack, seekForward, stepBack, stepForward, jumpBack, jumpForward})
        seek->setEnabled(canSeek);
    // A click toggles the checked state before the engine reports it, so
    // what the icon shows is tracked apart from the checked state.
    if (state.muted != m_showsMuted) {
        m_showsMuted = state.muted;
        mute->setChecked(state.muted);
        mute->setIcon(
            standardIcon(state.muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
        mute->setText(state.muted ? tr("Unmute") : tr("Mute"));
    }
}

void PlayerActions::setNeighbours(bool hasPrevious, bool hasNext)
{
    previousEpisode->setEnabled(hasPrevious);
    nextEpisode->setEnabled(hasNext);
}

void PlayerActions::setFullScreen(bool on)
{
    fullScreen->setChecked(on);
    leaveFullScreen->setEnabled(on);
    fullScreen->setIcon(
        standardIcon(on ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton));
    fullScreen->setText(on ? tr("Leave full screen") : tr("Full screen"));
}

} // namespace player
