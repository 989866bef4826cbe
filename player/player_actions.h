#pragma once

// The commands a user gives the player, as QActions shared by the control
// bar, the context menu and the keyboard (player_keys.h). They only say what
// the user wants; the player widget carries them out on its engine.

#include <QObject>
#include <QStyle>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace player {

struct PlaybackState;

class PlayerActions : public QObject
{
    Q_OBJECT

public:
    explicit PlayerActions(QWidget *owner);

    // Icons, texts and checked states follow the state.
    void setState(const PlaybackState &state);
    void setFullScreen(bool fullScreen);

    QAction *playPause = nullptr;
    QAction *stop = nullptr;
    QAction *seekBack = nullptr;
    QAction *seekForward = nullptr;
    // Short and long steps, for the keyboard.
    QAction *stepBack = nullptr;
    QAction *stepForward = nullptr;
    QAction *jumpBack = nullptr;
    QAction *jumpForward = nullptr;
    QAction *mute = nullptr;
    QAction *quieter = nullptr;
    QAction *louder = nullptr;
    QAction *fullScreen = nullptr;
    // Enabled only in full screen.
    QAction *leaveFullScreen = nullptr;
    QAction *slower = nullptr;
    QAction *faster = nullptr;
    QAction *normalSpeed = nullptr;
    // The neighbouring entries of the host's list; disabled until the host
    // says that there is one (setNeighbours).
    QAction *previousEpisode = nullptr;
    QAction *nextEpisode = nullptr;

    void setNeighbours(bool hasPrevious, bool hasNext);

    // The menu the video offers on a right click, built from these actions
    // and owned by `parent`; the player shows it, tests read and trigger it.
    QMenu *buildContextMenu(QWidget *parent) const;

private:
    // An action named as tests and the accessibility tree know it, with its
    // text and the style's icon where they do not follow the state.
    QAction *make(const char *name, QWidget *owner, const QString &text = {},
                  std::optional<QStyle::StandardPixmap> icon = {});

    bool m_showsPause = false;
    bool m_showsMuted = false;
};

} // namespace player
