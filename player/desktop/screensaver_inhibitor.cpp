#include "screensaver_inhibitor.h"

#include "logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <array>

namespace player {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
// Desktops serve the interface at one or both of these paths: KDE at both,
// GNOME's and others' proxies at the first, older ones at the second.
const std::array<QString, 2> kPaths = {QStringLiteral("/org/freedesktop/ScreenSaver"),
                                       QStringLiteral("/ScreenSaver")};
const QString kApplication = QStringLiteral("tafsir-videos");
const QString kReason = QStringLiteral("Playing a video");

QDBusMessage screenSaverCall(int pathIndex, const QString &method)
{
    return QDBusMessage::createMethodCall(kService, kPaths[pathIndex], kInterface, method);
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus)
{}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    giveBack();
}

void ScreenSaverInhibitor::setInhibited(bool inhibited)
{
    if (inhibited == m_wanted)
        return;
    m_wanted = inhibited;
    if (!inhibited)
        giveBack();
    else if (!m_waiting && !m_cookie)
        request(0);
}

void ScreenSaverInhibitor::request(int pathIndex)
{
    QDBusMessage inhibit = screenSaverCall(pathIndex, QStringLiteral("Inhibit"));
    inhibit << kApplication << kReason;
    m_waiting = true;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(inhibit), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, pathIndex](QDBusPendingCallWatcher *finished) {
                takeReply(finished, pathIndex);
                finished->deleteLater();
            });
}

void ScreenSaverInhibitor::takeReply(QDBusPendingCallWatcher *watcher, int pathIndex)
{
    m_waiting = false;
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        const bool noService = reply.error().type() == QDBusError::ServiceUnknown;
        if (m_wanted && !noService && pathIndex + 1 < int(kPaths.size())) {
            request(pathIndex + 1);
            return;
        }
        // No screensaver to talk to; asked again only when playback next
        // starts, so a desktop without one costs one call per start.
        qCDebug(lcDesktop) << "cannot inhibit the screensaver:" << reply.error().message();
        return;
    }
    m_cookie = reply.value();
    m_pathIndex = pathIndex;
    if (!m_wanted)
        giveBack();
}

void ScreenSaverInhibitor::giveBack()
{
    if (!m_cookie)
        return;
    QDBusMessage unInhibit = screenSaverCall(m_pathIndex, QStringLiteral("UnInhibit"));
    unInhibit << *m_cookie;
    m_cookie.reset();
    // Nothing to wait for: the screensaver also forgets the inhibitions of
    // clients that leave the bus.
    m_bus.send(unInhibit);
}

} // namespace player
