#include "player_actions.h"

#include "playback_rules.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QMenu>
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
    // Texts and icons that follow the state are set by setState() and
    // setFullScreen() below.
    playPause = make("playPauseAction", owner);
    stop = make("stopAction", owner, tr("Stop"), QStyle::SP_MediaStop);
    seekBack = make("seekBackAction", owner, tr("Back 10 seconds"), QStyle::SP_MediaSeekBackward);
    seekForward =
        make("seekForwardAction", owner, tr("Forward 10 seconds"), QStyle::SP_MediaSeekForward);
    stepBack = make("stepBackAction", owner, tr("Back 5 seconds"));
    stepForward = make("stepForwardAction", owner, tr("Forward 5 seconds"));
    jumpBack = make("jumpBackAction", owner, tr("Back 1 minute"));
    jumpForward = make("jumpForwardAction", owner, tr("Forward 1 minute"));
    mute = make("muteAction", owner);
    mute->setCheckable(true);
    quieter = make("quieterAction", owner, tr("Quieter"));
    louder = make("louderAction", owner, tr("Louder"));
    fullScreen = make("fullScreenAction", owner);
    fullScreen->setCheckable(true);
    leaveFullScreen = make("leaveFullScreenAction", owner, tr("Leave full screen"));
    slower = make("slowerAction", owner, tr("Slower"));
    faster = make("fasterAction", owner, tr("Faster"));
    normalSpeed = make("normalSpeedAction", owner, tr("Normal speed"));
    previousEpisode =
        make("previousEpisodeAction", owner, tr("Previous episode"), QStyle::SP_MediaSkipBackward);
    nextEpisode = make("nextEpisodeAction", owner, tr("Next episode"), QStyle::SP_MediaSkipForward);
    setNeighbours(false, false);
    // The first call draws every icon and text.
    m_showsMuted = true;
    setState(PlaybackState{});
    setFullScreen(false);
}

QAction *PlayerActions::make(const char *name, QWidget *owner, const QString &text,
                             std::optional<QStyle::StandardPixmap> icon)
{
    auto *action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (icon)
        action->setIcon(standardIcon(*icon));
    return action;
}

void PlayerActions::setState(const PlaybackState &state)
{
    // Called several times a second while playing: touch icons and texts
    // only when what they show changes.
    const bool showPause = pausesNow(state);
    if (showPause != m_showsPause || playPause->text().isEmpty()) {
        m_showsPause = showPause;
        playPause->setIcon(standardIcon(showPause ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
        playPause->setText(showPause ? tr("Pause") : tr("Play"));
    }
    for (QAction *seek : {seekBack, seekForward, stepBack, stepForward, jumpBack, jumpForward})
        seek->setEnabled(canSeek(state.status));
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

QMenu *PlayerActions::buildContextMenu(QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("playerContextMenu"));
    menu->addAction(playPause);
    menu->addAction(stop);
    menu->addSeparator();
    menu->addAction(seekBack);
    menu->addAction(seekForward);
    menu->addAction(previousEpisode);
    menu->addAction(nextEpisode);
    menu->addSeparator();
    QMenu *speed = menu->addMenu(tr("Speed"));
    speed->setObjectName(QStringLiteral("speedMenu"));
    speed->addAction(slower);
    speed->addAction(normalSpeed);
    speed->addAction(faster);
    menu->addAction(mute);
    menu->addAction(fullScreen);
    return menu;
}

} // namespace player
