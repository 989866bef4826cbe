#pragma once

// The MPRIS face of one player: on a bus connection of its own (object
// paths are per connection, and every MPRIS player has the same one), it
// exports /org/mpris/MediaPlayer2 with both MPRIS interfaces, owns the
// service name of its slot while it publishes the player, announces
// property changes and seeks, and turns the bus's commands into calls on
// the player's engine. It never waits for the bus: the name is requested
// and released with asynchronous calls.

#include "mpris_properties.h"
#include "player/playback_state.h"
#include "position_jumps.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

namespace player {

class Engine;
class MprisPlayerAdaptor;

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

    // Publishes the player of this engine, replacing the one published
    // before; null publishes none and gives the service name up.
    void publish(Engine *engine);

    // For the player interface.
    QVariantMap playerProperties() const;
    qlonglong position() const;
    void setVolume(double volume);
    void setRate(double rate);
    void playPause();
    void play();
    void pause();
    void stop();
    void seek(qlonglong offset);
    void setPosition(const QDBusObjectPath &track, qlonglong position);
    void refuseOpenUri(const QString &uri);

private:
    PlaybackState state() const;
    void follow(const PlaybackState &state);
    void noteTrack(const PlaybackState &state);
    void announce(const QVariantMap &properties);
    void claimName();
    void releaseName();

    int m_slot = 1;
    QDBusConnection m_bus;
    MprisPlayerAdaptor *m_playerAdaptor = nullptr;
    QPointer<Engine> m_engine;
    QMetaObject::Connection m_following;
    bool m_nameClaimed = false;
    mpris::Track m_track;
    quint64 m_trackCount = 0;
    Status m_lastStatus = Status::Idle;
    QVariantMap m_announced; // the player properties as clients last heard them
    PositionJumps m_jumps;
    QElapsedTimer m_clock;
};

} // namespace player
