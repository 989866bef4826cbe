#pragma once

#include <QTcpServer>

namespace testing {

// A port on 127.0.0.1 where nothing listens.
inline quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace testing
