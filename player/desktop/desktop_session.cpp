#include "desktop_session.h"

#include "logging.h"
#include "mpris_service.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "player_watch.h"
#include "screensaver_inhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QPointer>
#include <algorithm>

Q_LOGGING_CATEGORY(lcDesktop, "tafsir.player.desktop")

namespace player {

void attachToDesktop(PlayerWidget *player)
{
    if (DesktopSession *session = DesktopSession::instance())
        session->attach(player);
}

DesktopSession *DesktopSession::instance()
{
    static QPointer<DesktopSession> session;
    if (!session && QCoreApplication::instance())
        session = new DesktopSession(QCoreApplication::instance());
    return session;
}

DesktopSession::DesktopSession(QObject *parent) : QObject(parent)
{
    m_update.setSingleShot(true);
    m_update.setInterval(0);
    connect(&m_update, &QTimer::timeout, this, &DesktopSession::updateInhibition);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            &DesktopSession::shutDown);

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCDebug(lcDesktop) << "no session bus: no screensaver inhibition, no MPRIS;"
                           << bus.lastError().message();
        return;
    }
    m_inhibitor = new ScreenSaverInhibitor(bus, this);
    m_mpris = new MprisService(bus, this);
}

// The inhibitor, a child, gives its inhibition back as it goes.
DesktopSession::~DesktopSession() = default;

void DesktopSession::attach(PlayerWidget *player)
{
    if (!m_inhibitor || !player || !player->engine() || !player->engine()->isValid())
        return;
    const bool known =
        std::any_of(m_watches.cbegin(), m_watches.cend(),
                    [player](PlayerWatch *watch) { return watch->player() == player; });
    if (known)
        return;
    auto *watch = new PlayerWatch(player, this);
    m_watches.insert(m_watches.begin(), watch); // has not played yet
    connect(watch, &PlayerWatch::changed, this, &DesktopSession::scheduleUpdate);
    connect(watch, &PlayerWatch::started, this, [this, watch] { noteStarted(watch); });
    connect(watch, &PlayerWatch::gone, this, [this, watch] { forget(watch); });
    if (watch->hasStarted())
        noteStarted(watch);
    scheduleUpdate();
}

void DesktopSession::forget(PlayerWatch *watch)
{
    const auto found = std::find(m_watches.begin(), m_watches.end(), watch);
    if (found == m_watches.end())
        return; // the player and its engine both report their end
    m_watches.erase(found);
    watch->disconnect(this);
    watch->deleteLater();
    publishLatest();
    scheduleUpdate();
}

void DesktopSession::noteStarted(PlayerWatch *watch)
{
    const auto found = std::find(m_watches.begin(), m_watches.end(), watch);
    std::rotate(found, found + 1, m_watches.end());
    publishLatest();
}

// The player that started playing last, or, once it is gone, the one that
// started before it; never one that has not played.
void DesktopSession::publishLatest()
{
    Engine *latest = nullptr;
    for (auto it = m_watches.crbegin(); it != m_watches.crend() && !latest; ++it) {
        if ((*it)->hasStarted())
            latest = (*it)->engine();
    }
    m_mpris->publish(latest);
}

void DesktopSession::scheduleUpdate()
{
    if (!m_quitting)
        m_update.start();
}

void DesktopSession::updateInhibition()
{
    const bool anyOnScreen = std::any_of(m_watches.cbegin(), m_watches.cend(),
                                         [](PlayerWatch *watch) { return watch->showsVideo(); });
    m_inhibitor->setInhibited(anyOnScreen);
}

// Players may go on playing while the application winds down; the screen
// need not stay awake for them.
void DesktopSession::shutDown()
{
    m_quitting = true;
    m_update.stop();
    if (m_inhibitor)
        m_inhibitor->setInhibited(false);
}

} // namespace player
