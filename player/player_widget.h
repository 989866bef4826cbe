#pragma once

// The media player embedded in every episode window: a video surface above
// a control bar. Setting URL opens that location and plays it (the player
// starts by itself), replacing whatever played before; the user drives the
// rest with the control bar, the context menu on the video, the keyboard and
// the mouse. The engine exists from the start and holds the settings; its
// mpv core and the video surface come into being with the first URL: most
// windows never play, and each core costs threads and memory.

#include "playback_state.h"

#include <QString>
#include <QTimer>
#include <QWidget>

namespace player {

class AudioCard;
class ControlBar;
class Engine;
class PlayerActions;
class VideoSurface;

class PlayerWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString URL READ url WRITE setUrl NOTIFY urlChanged)

public:
    explicit PlayerWidget(QWidget *parent = nullptr);
    ~PlayerWidget() override;

    // The text last given, exactly as given.
    QString url() const { return m_url; }
    void setUrl(const QString &url);

    // What the user knows the next URL by (the window and the episode), for
    // the still picture of a sound-only file and the desktop's media
    // controls. Without one, the URL's file name stands for it.
    void setTitle(const QString &title) { m_title = title; }

    // The user is about to choose something to play: the engine's library
    // starts loading in the background, if this process has not loaded it.
    void prepare();

    // Stops playback.
    void stop();
    // Whether the player holds no open file: it can go at once.
    bool isAtRest() const;

    // The host window tells the player whether it shows it full screen.
    void setFullScreenShown(bool fullScreen);

    // The engine always; its core runs from the first URL (hasStarted()).
    Engine *engine() const { return m_engine; }
    // Null until the first URL.
    VideoSurface *surface() const { return m_surface; }
    ControlBar *controlBar() const { return m_controls; }
    PlayerActions &actions() const { return *m_actions; }
    // Asks the host to bring this player's window to the screen.
    void askToBeShown() { emit raiseRequested(); }

signals:
    void urlChanged(const QString &url);
    // The user asks for full screen, or to leave it; the host window does it.
    void fullScreenRequested(bool fullScreen);
    // The engine's core and the video surface exist from now on: whatever
    // follows a player that plays (the desktop's media controls, the
    // screensaver) can attach to it.
    void engineCreated();
    // Something outside the window (the desktop's media controls) asks to
    // see this player: the host brings its window to the screen.
    void raiseRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void ensureSurface();
    void connectActions();
    void showState(const PlaybackState &state);
    void changeVolume(int delta);
    void changeSpeed(double step);
    bool isOverVideo(const QPoint &position) const;
    void showControlsForAWhile();
    void hideControls();

    QString m_url;
    QString m_title;
    PlayerActions *m_actions = nullptr;
    QWidget *m_videoArea = nullptr;
    AudioCard *m_card = nullptr;
    ControlBar *m_controls = nullptr;
    Engine *m_engine = nullptr;
    VideoSurface *m_surface = nullptr;
    bool m_fullScreen = false;
    // In full screen the controls and the pointer go when the mouse rests.
    QTimer m_idleMouse;
};

} // namespace player
