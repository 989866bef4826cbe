#pragma once

// The MPRIS face of one player: on a bus connection of its own (object
// paths are per connection, and every MPRIS player has the same one), it
// exports /org/mpris/MediaPlayer2 with both MPRIS interfaces, owns the
// service name of its slot while it publishes the player, announces
// property changes and seeks, and turns the bus's commands into calls on
// the player's actions, as its buttons and keys trigger them. It never waits for the bus: the name
// is requested and released with asynchronous calls.

#include "mpris_properties.h"
#include "player/playback_state.h"
#include "position_jumps.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QAction;

namespace player {

class Engine;
class MprisPlayerAdaptor;
class PlayerActions;
class PlayerWidget;

class MprisService : public QObject, protected QDBusContext
{
    Q_OBJECT

public:
    // The connection is made to the session bus; slot numbers the service
    // name (mpris::serviceName).
    explicit MprisService(int slot, QObject *parent = nullptr);
    bool isConnected() const { return m_bus.isConnected(); }
    int slot() const { return m_slot; }
    ~MprisService() override;

    // Publishes this player, which has its engine, for the service's life;
    // a service publishes one player once.
    void publish(PlayerWidget *player);

    // For the player interface.
    QVariantMap playerProperties() const;
    qlonglong position() const;
    void setVolume(double volume);
    void setRate(double rate);
    void playPause();
    void play();
    void pause();
    void stop();
    void next();
    void previous();
    void raise();
    void seek(qlonglong offset);
    void setPosition(const QDBusObjectPath &track, qlonglong position);
    void refuseOpenUri(const QString &uri);

private:
    PlaybackState state() const;
    void follow(const PlaybackState &state);
    // Triggers one of the player's actions, if it can run now.
    void trigger(QAction *PlayerActions::*action);
    void noteTrack(const PlaybackState &state);
    void announce(const QVariantMap &properties);
    void claimName();
    void releaseName();

    int m_slot = 1;
    QDBusConnection m_bus;
    MprisPlayerAdaptor *m_playerAdaptor = nullptr;
    QPointer<PlayerWidget> m_player;
    QPointer<Engine> m_engine;
    bool m_nameClaimed = false;
    mpris::Track m_track;
    quint64 m_trackCount = 0;
    Status m_lastStatus = Status::Idle;
    QVariantMap m_announced; // the player properties as clients last heard them
    PositionJumps m_jumps;
    QElapsedTimer m_clock;
};

} // namespace player
