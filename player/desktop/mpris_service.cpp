#include "mpris_service.h"

#include "logging.h"
#include "mpris_adaptors.h"
#include "player/engine.h"
#include "player/playback_rules.h"
#include "player/player_actions.h"
#include "player/player_widget.h"

#include <QAction>
#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace player {
namespace {

// RequestName's DBUS_NAME_FLAG_DO_NOT_QUEUE: the name is per process, so
// waiting in a queue for it would mean waiting for ourselves.
constexpr uint kDoNotQueue = 4;
// Its answers that leave the name ours.
constexpr uint kPrimaryOwner = 1;
constexpr uint kAlreadyOwner = 4;

QDBusMessage busDaemonCall(const QString &method)
{
    const QString daemon = QStringLiteral("org.freedesktop.DBus");
    return QDBusMessage::createMethodCall(daemon, QStringLiteral("/org/freedesktop/DBus"), daemon,
                                          method);
}

QString connectionName(int slot)
{
    return QStringLiteral("tafsir-mpris-%1").arg(slot);
}

} // namespace

MprisService::MprisService(int slot, QObject *parent)
    : QObject(parent), m_slot(slot),
      m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName(slot)))
{
    new MprisRootAdaptor(this);
    m_playerAdaptor = new MprisPlayerAdaptor(this);
    m_clock.start();
    if (!m_bus.registerObject(mpris::objectPath, this, QDBusConnection::ExportAdaptors))
        qCDebug(lcDesktop) << "cannot export the MPRIS object:" << m_bus.lastError().message();
}

MprisService::~MprisService()
{
    releaseName();
    m_bus.unregisterObject(mpris::objectPath);
    // Closing the connection also gives up its names for good.
    QDBusConnection::disconnectFromBus(connectionName(m_slot));
}

void MprisService::publish(PlayerWidget *player)
{
    // Once, with a player that has its engine: the desktop session makes a
    // service for each player it publishes and deletes it to withdraw it.
    if (m_player || !player || !player->engine())
        return;
    m_player = player;
    Engine *engine = player->engine();
    m_engine = engine;
    connect(engine, &Engine::stateChanged, this, &MprisService::follow);
    // Whether there is an episode before or after follows the window's list.
    PlayerActions &actions = player->actions();
    for (QAction *step : {actions.previousEpisode, actions.nextEpisode})
        connect(step, &QAction::changed, this, [this] { announce(playerProperties()); });
    claimName();
    follow(engine->state());
}

PlaybackState MprisService::state() const
{
    return m_engine ? m_engine->state() : PlaybackState{};
}

QVariantMap MprisService::playerProperties() const
{
    if (!m_player)
        return mpris::playerProperties(state(), m_track);
    const PlayerActions &actions = m_player->actions();
    return mpris::playerProperties(
        state(), m_track, {actions.previousEpisode->isEnabled(), actions.nextEpisode->isEnabled()});
}

qlonglong MprisService::position() const
{
    return mpris::microseconds(state().position);
}

void MprisService::follow(const PlaybackState &state)
{
    noteTrack(state);
    const bool advancing = state.status == Status::Playing;
    if (m_jumps.note(state.position, advancing, m_clock.elapsed()))
        emit m_playerAdaptor->Seeked(mpris::microseconds(state.position));
    announce(playerProperties());
}

void MprisService::noteTrack(const PlaybackState &state)
{
    const QString location = m_engine->openedLocation();
    const bool reopened = state.status == Status::Connecting && m_lastStatus != Status::Connecting;
    m_lastStatus = state.status;
    if (state.status == Status::Idle) {
        m_track = {};
        return;
    }
    if (m_track.number == 0 || reopened || location != m_track.location) {
        m_track.number = ++m_trackCount;
        m_track.location = location;
        // A new item starts where it starts: no seek to announce.
        m_jumps.reset();
    }
    m_track.title = state.title;
    m_track.duration = state.duration;
}

void MprisService::announce(const QVariantMap &properties)
{
    QVariantMap changed;
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        const auto before = m_announced.constFind(it.key());
        if (before == m_announced.cend() || before.value() != it.value())
            changed.insert(it.key(), it.value());
    }
    m_announced = properties;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        mpris::objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << mpris::playerInterface << changed << QStringList();
    m_bus.send(signal);
}

void MprisService::setVolume(double volume)
{
    if (m_engine)
        m_engine->setVolume(qRound(qBound(0.0, volume, 1.0) * 100.0));
}

void MprisService::setRate(double rate)
{
    // MPRIS: a rate of 0 is a pause, not a speed.
    if (!m_engine)
        return;
    if (rate <= 0.0)
        m_engine->pause();
    else
        m_engine->setSpeed(rate);
}

// The bus asks, and the player's actions answer, as they answer its
// buttons, keys and menu.
void MprisService::trigger(QAction *PlayerActions::*action)
{
    if (!m_player)
        return;
    QAction *chosen = m_player->actions().*action;
    if (chosen->isEnabled())
        chosen->trigger();
}

void MprisService::playPause()
{
    trigger(&PlayerActions::playPause);
}

void MprisService::play()
{
    if (!pausesNow(state()))
        trigger(&PlayerActions::playPause);
}

void MprisService::pause()
{
    if (pausesNow(state()))
        trigger(&PlayerActions::playPause);
}

void MprisService::stop()
{
    trigger(&PlayerActions::stop);
}

void MprisService::next()
{
    trigger(&PlayerActions::nextEpisode);
}

void MprisService::previous()
{
    trigger(&PlayerActions::previousEpisode);
}

void MprisService::raise()
{
    if (m_player)
        m_player->askToBeShown();
}

void MprisService::seek(qlonglong offset)
{
    if (m_engine)
        m_engine->seekBy(double(offset) / 1e6);
}

void MprisService::setPosition(const QDBusObjectPath &track, qlonglong position)
{
    // Clients name the item they mean, so that a request meant for an item
    // that has since been replaced does not move the new one.
    if (!m_engine || m_track.number == 0 || track != mpris::trackId(m_track.number))
        return;
    const qlonglong length = mpris::microseconds(m_track.duration);
    if (position < 0 || (length > 0 && position > length))
        return;
    m_engine->seekTo(double(position) / 1e6);
}

void MprisService::refuseOpenUri(const QString &uri)
{
    qCDebug(lcDesktop) << "refused to open from the bus:" << uri;
    if (calledFromDBus())
        sendErrorReply(QDBusError::NotSupported,
                       QStringLiteral("This player plays only what its catalogue offers."));
}

void MprisService::claimName()
{
    if (m_nameClaimed)
        return;
    m_nameClaimed = true;
    const QString name = mpris::serviceName(QCoreApplication::applicationPid(), m_slot);
    QDBusMessage request = busDaemonCall(QStringLiteral("RequestName"));
    request << name << kDoNotQueue;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(request), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [name](auto *finished) {
        const QDBusPendingReply<uint> reply = *finished;
        if (reply.isError())
            qCDebug(lcDesktop) << "cannot own" << name << reply.error().message();
        else if (reply.value() != kPrimaryOwner && reply.value() != kAlreadyOwner)
            qCDebug(lcDesktop) << name << "is owned by another connection";
        finished->deleteLater();
    });
}

// The bus daemon handles one connection's calls in order, so a release sent
// after a request always finds the name requested: there is no reply to wait
// for before either.
void MprisService::releaseName()
{
    if (!m_nameClaimed)
        return;
    m_nameClaimed = false;
    QDBusMessage release = busDaemonCall(QStringLiteral("ReleaseName"));
    release << mpris::serviceName(QCoreApplication::applicationPid(), m_slot);
    m_bus.send(release);
}

} // namespace player
