#pragma once

// Holds at most one inhibition of the desktop's screensaver through
// org.freedesktop.ScreenSaver, asking for it and giving it back as told. It
// never waits for the bus: Inhibit's reply, the cookie, arrives later, and
// an inhibition given up before its cookie came is returned on arrival.

#include <QDBusConnection>
#include <QObject>
#include <optional>

class QDBusPendingCallWatcher;

namespace player {

class ScreenSaverInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit ScreenSaverInhibitor(const QDBusConnection &bus, QObject *parent = nullptr);
    // Gives the inhibition back.
    ~ScreenSaverInhibitor() override;

    void setInhibited(bool inhibited);

private:
    void request(int pathIndex);
    void takeReply(QDBusPendingCallWatcher *watcher, int pathIndex);
    void giveBack();

    QDBusConnection m_bus;
    bool m_wanted = false;
    bool m_waiting = false; // an Inhibit call has no reply yet
    std::optional<uint> m_cookie;
    int m_pathIndex = 0; // where the cookie came from
};

} // namespace player
