#pragma once

// A remote control for the tests: calls the application's MPRIS service
// over the bus and keeps the signals it sends. Every call waits for its
// reply while processing events, as the service answering may live on this
// very thread.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>

namespace testing {

QDBusMessage callAndWait(const QDBusConnection &bus, const QDBusMessage &call);

class MprisClient : public QObject
{
    Q_OBJECT

public:
    // The client of the player published in that slot: 1 for the first.
    explicit MprisClient(const QDBusConnection &bus, int slot = 1);

    QString service() const;
    bool isPublished() const;

    // A method of org.mpris.MediaPlayer2.Player or, with root, of
    // org.mpris.MediaPlayer2.
    QDBusMessage call(const QString &method, const QVariantList &arguments = {});
    QDBusMessage callRoot(const QString &method);
    QVariant property(const QString &name) { return propertyOf(playerInterface(), name); }
    QVariant propertyOf(const QString &interface, const QString &name);
    QVariantMap properties(const QString &interface);
    QDBusMessage setProperty(const QString &name, const QVariant &value);
    QVariantMap metadata() { return property(QStringLiteral("Metadata")).toMap(); }

    // The values PropertiesChanged announced for one property, in order.
    QVariantList announced(const QString &name) const;
    // Every position Seeked announced, in order.
    QList<qlonglong> seeks() const { return m_seeks; }
    void clearSignals();

    static QString playerInterface();
    static QString rootInterface();

private slots:
    void takePropertiesChanged(const QString &interface, const QVariantMap &changed,
                               const QStringList &invalidated);
    void takeSeeked(qlonglong position);

private:
    QDBusMessage methodCall(const QString &interface, const QString &method) const;

    QDBusConnection m_bus;
    int m_slot = 1;
    QList<QVariantMap> m_changes;
    QList<qlonglong> m_seeks;
};

} // namespace testing
