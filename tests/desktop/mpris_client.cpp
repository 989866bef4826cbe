#include "mpris_client.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QTest>

namespace testing {
namespace {

const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// Maps arrive from the bus still marshalled; tests compare plain values.
QVariant plain(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return plain(value.value<QDBusVariant>().variant());
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return value;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}"))
        return value;
    QVariantMap map = qdbus_cast<QVariantMap>(argument);
    for (auto it = map.begin(); it != map.end(); ++it)
        it.value() = plain(it.value());
    return map;
}

} // namespace

QDBusMessage callAndWait(const QDBusConnection &bus, const QDBusMessage &call)
{
    QDBusPendingCall pending = bus.asyncCall(call, 10000);
    if (!QTest::qWaitFor([&pending] { return pending.isFinished(); }, 15000))
        return call.createErrorReply(QDBusError::Timeout, QStringLiteral("no reply in time"));
    return pending.reply();
}

MprisClient::MprisClient(const QDBusConnection &bus, int slot) : m_bus(bus), m_slot(slot)
{
    // Any sender: on the test's own bus only the application sends these.
    m_bus.connect(QString(), kPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                  SLOT(takePropertiesChanged(QString, QVariantMap, QStringList)));
    m_bus.connect(QString(), kPath, playerInterface(), QStringLiteral("Seeked"), this,
                  SLOT(takeSeeked(qlonglong)));
}

QString MprisClient::service() const
{
    const QString first = QStringLiteral("org.mpris.MediaPlayer2.tafsir_videos.instance%1")
                              .arg(QCoreApplication::applicationPid());
    return m_slot == 1 ? first : first + QStringLiteral("_%1").arg(m_slot);
}

QString MprisClient::playerInterface()
{
    return QStringLiteral("org.mpris.MediaPlayer2.Player");
}

QString MprisClient::rootInterface()
{
    return QStringLiteral("org.mpris.MediaPlayer2");
}

// The bus daemon answers this one, not the application.
bool MprisClient::isPublished() const
{
    return m_bus.interface()->isServiceRegistered(service()).value();
}

QDBusMessage MprisClient::methodCall(const QString &interface, const QString &method) const
{
    return QDBusMessage::createMethodCall(service(), kPath, interface, method);
}

QDBusMessage MprisClient::call(const QString &method, const QVariantList &arguments)
{
    QDBusMessage message = methodCall(playerInterface(), method);
    message.setArguments(arguments);
    return callAndWait(m_bus, message);
}

QDBusMessage MprisClient::callRoot(const QString &method)
{
    return callAndWait(m_bus, methodCall(rootInterface(), method));
}

QVariant MprisClient::propertyOf(const QString &interface, const QString &name)
{
    QDBusMessage get = methodCall(kProperties, QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = callAndWait(m_bus, get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return plain(reply.arguments().constFirst());
}

QVariantMap MprisClient::properties(const QString &interface)
{
    QDBusMessage getAll = methodCall(kProperties, QStringLiteral("GetAll"));
    getAll << interface;
    const QDBusMessage reply = callAndWait(m_bus, getAll);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return plain(reply.arguments().constFirst()).toMap();
}

QDBusMessage MprisClient::setProperty(const QString &name, const QVariant &value)
{
    QDBusMessage set = methodCall(kProperties, QStringLiteral("Set"));
    set << playerInterface() << name << QVariant::fromValue(QDBusVariant(value));
    return callAndWait(m_bus, set);
}

QVariantList MprisClient::announced(const QString &name) const
{
    QVariantList values;
    for (const QVariantMap &change : m_changes) {
        if (change.contains(name))
            values.append(change.value(name));
    }
    return values;
}

void MprisClient::clearSignals()
{
    m_changes.clear();
    m_seeks.clear();
}

void MprisClient::takePropertiesChanged(const QString &interface, const QVariantMap &changed,
                                        const QStringList &)
{
    if (interface != playerInterface())
        return;
    QVariantMap values = changed;
    for (auto it = values.begin(); it != values.end(); ++it)
        it.value() = plain(it.value());
    m_changes.append(values);
}

void MprisClient::takeSeeked(qlonglong position)
{
    m_seeks.append(position);
}

} // namespace testing
