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
    m_watches.push_back(watch);
    connect(watch, &PlayerWatch::changed, this, &DesktopSession::scheduleUpdate);
    connect(watch, &PlayerWatch::started, this, [this, watch] { publish(watch); });
    // Clients hear "Stopped" first, then the instance goes.
    connect(
        watch, &PlayerWatch::stopped, this, [this, watch] { withdraw(watch); },
        Qt::QueuedConnection);
    connect(watch, &PlayerWatch::gone, this, [this, watch] { forget(watch); });
    if (watch->hasStarted())
        publish(watch);
    scheduleUpdate();
}

void DesktopSession::forget(PlayerWatch *watch)
{
    const auto found = std::find(m_watches.begin(), m_watches.end(), watch);
    if (found == m_watches.end())
        return; // the player and its engine both report their end
    m_watches.erase(found);
    withdraw(watch);
    watch->disconnect(this);
    watch->deleteLater();
    scheduleUpdate();
}

void DesktopSession::publish(PlayerWatch *watch)
{
    if (m_quitting || m_published.count(watch) != 0 || !watch->engine())
        return;
    auto *service = new MprisService(freeSlot(), this);
    if (!service->isConnected()) {
        delete service;
        return;
    }
    service->publish(watch->player());
    m_published.emplace(watch, service);
}

void DesktopSession::withdraw(PlayerWatch *watch)
{
    const auto found = m_published.find(watch);
    if (found == m_published.end())
        return;
    delete found->second; // gives its name up
    m_published.erase(found);
}

// The lowest slot no published player holds: a single player always goes
// by the plain instance<pid> name.
int DesktopSession::freeSlot() const
{
    for (int slot = 1;; ++slot) {
        const bool taken =
            std::any_of(m_published.cbegin(), m_published.cend(),
                        [slot](const auto &entry) { return entry.second->slot() == slot; });
        if (!taken)
            return slot;
    }
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
    // The desktop's media controls drop the players as the application goes.
    for (const auto &[watch, service] : m_published)
        delete service;
    m_published.clear();
}

} // namespace player
