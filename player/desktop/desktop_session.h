#pragma once

// The player on the Linux desktop. While a video plays in a window on
// screen, the screensaver stays off (org.freedesktop.ScreenSaver on the
// session bus), with one inhibition for the whole process however many
// players play. Every player that has played is published for remote
// control over MPRIS as an instance of its own (org.mpris.MediaPlayer2.
// tafsir_videos.instance<pid>, then _2, _3, ...), so that the desktop's
// media controls list each window that plays; a player the user stops is
// withdrawn. Without a session bus neither exists and players play as ever.

#include <QObject>
#include <QTimer>
#include <map>
#include <vector>

namespace player {

class MprisService;
class PlayerWatch;
class PlayerWidget;
class ScreenSaverInhibitor;

// Hands the player to the process's desktop session, which then follows it
// until it is destroyed. The player must have its engine; attaching it again
// changes nothing.
void attachToDesktop(PlayerWidget *player);

class DesktopSession : public QObject
{
    Q_OBJECT

public:
    // The process's session, created with the first call and owned by the
    // application object.
    static DesktopSession *instance();

    void attach(PlayerWidget *player);

private:
    explicit DesktopSession(QObject *parent);
    ~DesktopSession() override;

    void forget(PlayerWatch *watch);
    void publish(PlayerWatch *watch);
    void withdraw(PlayerWatch *watch);
    int freeSlot() const;
    void scheduleUpdate();
    void updateInhibition();
    void shutDown();

    ScreenSaverInhibitor *m_inhibitor = nullptr; // null without a session bus
    std::vector<PlayerWatch *> m_watches;
    std::map<PlayerWatch *, MprisService *> m_published;
    // Players report in bursts (a status and a window event together); the
    // inhibition is worked out once per burst, when the event loop is back.
    QTimer m_update;
    bool m_quitting = false;
};

} // namespace player
