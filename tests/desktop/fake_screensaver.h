#pragma once

// A stand-in for the desktop's screensaver: org.freedesktop.ScreenSaver on
// a connection of its own, at one of the two paths desktops use, keeping
// the inhibitions the application holds and every call it made.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QSet>
#include <QStringList>

namespace testing {

class FakeScreenSaver : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    FakeScreenSaver(const QDBusConnection &bus, const QString &path);
    ~FakeScreenSaver() override;
    bool isRegistered() const { return m_registered; }

    int inhibitCalls() const { return m_inhibitCalls; }
    int unInhibitCalls() const { return m_unInhibitCalls; }
    // UnInhibit calls with a cookie this screensaver did not hand out or
    // already took back.
    int strayUnInhibitCalls() const { return m_strayUnInhibitCalls; }
    int activeInhibitions() const { return int(m_active.size()); }
    QStringList applications() const { return m_applications; }
    QStringList reasons() const { return m_reasons; }
    int pings() const { return m_pings; }

    // While holding, Inhibit calls get no reply until answerHeld(), as from
    // a screensaver that is slow to answer.
    void setHolding(bool holding) { m_holding = holding; }
    int heldCalls() const { return int(m_held.size()); }
    void answerHeld();

public slots:
    uint Inhibit(const QString &application, const QString &reason);
    void UnInhibit(uint cookie);
    // Not the screensaver's: a call the test sends over the application's
    // own connection. The bus keeps one connection's messages in order, so
    // once it arrives, every call the application made before it has too.
    void Ping() { ++m_pings; }

private:
    uint grant();

    QDBusConnection m_bus;
    QString m_path;
    bool m_registered = false;
    QSet<uint> m_active;
    int m_inhibitCalls = 0;
    int m_unInhibitCalls = 0;
    int m_strayUnInhibitCalls = 0;
    int m_pings = 0;
    bool m_holding = false;
    QList<QDBusMessage> m_held;
    QStringList m_applications;
    QStringList m_reasons;
};

} // namespace testing
