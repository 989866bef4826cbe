#pragma once

// A session bus of the test's own: a dbus-daemon started for the test and
// stopped with it, so that no test talks to the desktop it runs on.

#include <QProcess>
#include <QString>

namespace testing {

class PrivateBus
{
public:
    ~PrivateBus();

    // Starts the daemon and waits for its address; false if it did not start.
    bool start();
    QString address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

} // namespace testing
